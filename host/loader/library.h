// The operating system's part of loading a module: opening the file as a library, finding its
// exported records and its resources, closing it. host/loader/library_posix.cpp serves gaugehost
// (dlopen, the module's exported resource directory); the Windows check runner has its own
// (LoadLibrary, FindResource; windows/gaugecheck/library_win32.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace gaugehost {

// Opens the module file at `path` as a fresh library. Throws HostError with one line naming the
// file and the problem.
void* open_library(const std::filesystem::path& path);
// An exported record of the library, or null.
void* library_symbol(void* library, const char* name);
void close_library(void* library);

// The bytes of the library's resource of that type ("BITMAP", "WAVE") and id; empty when there is
// none.
std::span<const unsigned char> library_resource(uintptr_t library, std::string_view type,
                                                int32_t id);

// The running executable's path.
std::filesystem::path executable_path();

}  // namespace gaugehost
