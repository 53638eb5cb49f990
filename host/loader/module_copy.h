// The private copies of module files that the loader hands to the dynamic linker. The C runtime
// keeps a library loaded as long as any of its symbols are unique to the process, so a second
// dlopen of the same file could give back the already-used module; a copy under a new name always
// loads afresh with its load values.
//
// The copies live in a folder of this process's own, gaugehost-PID-XXXXXX in the temporary
// folder, made on first use. It is removed when the process exits normally and when it is ended
// by SIGINT, SIGTERM or SIGHUP or dies of SIGSEGV or SIGBUS; making it removes the folders that
// earlier processes, no longer running, left behind.
#pragma once

#include <cstdint>
#include <filesystem>

namespace gaugehost {

// The largest module the host copies and loads: 256 MiB (this project's library is about 3 MiB).
inline constexpr uint64_t kModuleSizeLimit = uint64_t(256) << 20;

// A copy of `module`, removed (with its name) when this object goes.
class ModuleCopy {
 public:
  // The module is opened once (without waiting on a FIFO); the open file must be a regular file
  // of at most kModuleSizeLimit bytes and an ELF shared object of this machine before a byte is
  // copied. Throws HostError naming `module` when it is not, or the copy cannot be made.
  explicit ModuleCopy(const std::filesystem::path& module);
  ~ModuleCopy();
  ModuleCopy(const ModuleCopy&) = delete;
  ModuleCopy& operator=(const ModuleCopy&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The process's folder of copies (made if need be).
std::filesystem::path module_copy_folder();

}  // namespace gaugehost
