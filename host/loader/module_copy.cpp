#include "host/loader/module_copy.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include "host/base/file_descriptor.h"
#include "host/base/host_error.h"
#include "host/loader/elf_check.h"

namespace gaugehost {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderPrefix = "gaugehost-";

// What a signal handler needs to tidy up, kept as plain text.
char folder_text[PATH_MAX];
char copy_text[PATH_MAX];
volatile sig_atomic_t copy_exists = 0;

void remove_from_signal_handler(int signal) {
  if (copy_exists) unlink(copy_text);
  rmdir(folder_text);
  ::signal(signal, SIG_DFL);
  raise(signal);
}

// The tidying handler for the signals that end the process, where nobody else handles them.
void install_signal_handlers() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGSEGV, SIGBUS}) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0) continue;
    if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_DFL) {
      struct sigaction tidy {};
      tidy.sa_handler = remove_from_signal_handler;
      sigemptyset(&tidy.sa_mask);
      sigaction(signal, &tidy, nullptr);
    }
  }
}

// The process id in a folder name "gaugehost-PID-XXXXXX", or 0.
pid_t folder_owner(const std::string& name) {
  if (!name.starts_with(kFolderPrefix)) return 0;
  const char* digits = name.c_str() + kFolderPrefix.size();
  char* end = nullptr;
  const long pid = std::strtol(digits, &end, 10);
  return end != digits && *end == '-' && pid > 0 ? pid_t(pid) : 0;
}

// A copy "gaugehost-XXXXXX.gau" made straight in the temporary folder by earlier versions, which
// lived only for the moment of its dlopen.
bool old_style_copy(const fs::directory_entry& entry) {
  const std::string name = entry.path().filename().string();
  std::error_code error;
  const auto age = fs::file_time_type::clock::now() - entry.last_write_time(error);
  return name.size() == kFolderPrefix.size() + 10 && name.starts_with(kFolderPrefix) &&
         name.ends_with(".gau") && entry.is_regular_file(error) && !error &&
         age > std::chrono::minutes(10);
}

// Removes the copy folders of processes that are no longer running, and old copies.
void remove_stale_copies(const fs::path& temp) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(temp, error)) {
    const pid_t owner = folder_owner(entry.path().filename().string());
    if (owner != 0 && owner != getpid() && entry.is_directory(error) && kill(owner, 0) != 0 &&
        errno == ESRCH)
      fs::remove_all(entry.path(), error);
    else if (old_style_copy(entry))
      fs::remove(entry.path(), error);
  }
}

class CopyFolder {
 public:
  CopyFolder() {
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    if (error) return;
    remove_stale_copies(temp);
    std::string pattern =
        (temp / (std::string(kFolderPrefix) + std::to_string(getpid()) + "-XXXXXX")).string();
    if (pattern.size() >= sizeof folder_text || !mkdtemp(pattern.data())) return;
    path_ = pattern;
    std::strcpy(folder_text, pattern.c_str());
    install_signal_handlers();
  }
  ~CopyFolder() {
    std::error_code error;
    if (!path_.empty()) fs::remove_all(path_, error);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;  // empty when it could not be made
};

CopyFolder& copy_folder() {
  static CopyFolder folder;
  return folder;
}


// The size of the module open as `source`, once it is known to be one the host may copy; else
// why not.
std::string module_problem(int source, uint64_t& size) {
  struct stat info {};
  if (fstat(source, &info) != 0) return std::string("cannot be read: ") + std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return "not a regular file";
  size = uint64_t(info.st_size);
  if (size > kModuleSizeLimit)
    return "larger than " + std::to_string(kModuleSizeLimit >> 20) + " MiB (" +
           std::to_string(size >> 20) + " MiB)";
  // The headers of the file that is open, not of whatever the name points to by now.
  if (auto problem = elf_shared_object_problem("/proc/self/fd/" + std::to_string(source)))
    return *problem;
  return {};
}

// Copies the first `size` bytes of `source` to a new file `to`; why not, or "".
std::string copy_bytes(int source, const fs::path& to, uint64_t size) {
  const FileDescriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0700));
  if (target.get() < 0) return std::strerror(errno);
  std::string piece(size_t(1) << 20, '\0');
  for (uint64_t done = 0; done < size;) {
    const ssize_t got =
        ::pread(source, piece.data(), size_t(std::min<uint64_t>(piece.size(), size - done)),
                off_t(done));
    if (got <= 0) return got == 0 ? "the file was cut short while it was copied" : std::strerror(errno);
    for (ssize_t written = 0; written < got;) {
      const ssize_t n = ::write(target.get(), piece.data() + written, size_t(got - written));
      if (n <= 0) return std::strerror(errno);
      written += n;
    }
    done += uint64_t(got);
  }
  return {};
}

}  // namespace

fs::path module_copy_folder() { return copy_folder().path(); }

ModuleCopy::ModuleCopy(const fs::path& module) {
  static unsigned serial = 0;
  const fs::path& folder = copy_folder().path();
  if (folder.empty())
    throw HostError(module.string() + ": cannot make a folder for a copy of the module");
  path_ = folder / ("module-" + std::to_string(++serial) + ".gau");
  if (path_.string().size() >= sizeof copy_text)
    throw HostError(module.string() + ": cannot copy the module: the temporary path is too long");
  const FileDescriptor source(::open(module.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (source.get() < 0)
    throw HostError(module.string() + ": cannot open the module: " + std::strerror(errno));
  uint64_t size = 0;
  if (const std::string problem = module_problem(source.get(), size); !problem.empty())
    throw HostError(module.string() + ": not a loadable module: " + problem);
  std::strcpy(copy_text, path_.c_str());
  copy_exists = 1;
  if (const std::string problem = copy_bytes(source.get(), path_, size); !problem.empty()) {
    std::error_code error;
    fs::remove(path_, error);
    copy_exists = 0;
    throw HostError(module.string() + ": cannot copy the module: " + problem);
  }
}

ModuleCopy::~ModuleCopy() {
  std::error_code error;
  fs::remove(path_, error);
  copy_exists = 0;
}

}  // namespace gaugehost
