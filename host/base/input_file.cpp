#include "host/base/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "host/base/file_descriptor.h"
#include "host/base/host_error.h"

namespace gaugehost {

namespace {

#ifdef _WIN32
constexpr int kOpenFlags = O_RDONLY | O_BINARY;
#else
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
#endif

}  // namespace

std::string read_input_file(const std::filesystem::path& file, std::string_view what) {
  const std::string name = file.string();
  const std::string kind(what);
  // Opened first, without waiting (a FIFO without a writer opens at once), then the open file is
  // checked: what is read is what was checked, whatever is renamed over the name meanwhile.
  const FileDescriptor in(::open(file.string().c_str(), kOpenFlags));
  if (in.get() < 0) {
    const int error = errno;
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored))  // Windows opens no folder
      throw HostError(name + ": a folder, not a " + kind);
    if (error == ENOENT || error == ENOTDIR) throw HostError(name + ": no such " + kind);
    throw HostError(name + ": cannot open the " + kind + ": " +
                    std::error_code(error, std::generic_category()).message());
  }
  struct stat info {};
  if (fstat(in.get(), &info) != 0) throw HostError(name + ": cannot read the " + kind);
  if (S_ISDIR(info.st_mode)) throw HostError(name + ": a folder, not a " + kind);
  if (!S_ISREG(info.st_mode)) throw HostError(name + ": not a regular file, so not a " + kind);
  // Read in pieces up to one byte past the limit, whatever size the file reports: a file may grow
  // while it is read, and some files (under /proc) report none.
  std::string text;
  char piece[65536];
  while (text.size() <= kInputFileLimit) {
    const auto got = ::read(in.get(), piece, sizeof piece);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw HostError(name + ": cannot read the " + kind);
    if (got == 0) break;
    text.append(piece, size_t(got));
  }
  if (text.size() > kInputFileLimit)
    throw HostError(name + ": the " + kind + " is larger than " +
                    std::to_string(kInputFileLimit >> 20) + " MiB");
  return text;
}

}  // namespace gaugehost
