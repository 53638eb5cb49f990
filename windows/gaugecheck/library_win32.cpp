// Loading a module in the Windows check runner: LoadLibrary, GetProcAddress, and the module's
// resources through FindResource, as the simulator finds them.
#include <windows.h>

#include <string>

#include "host/base/host_error.h"
#include "host/loader/library.h"

namespace gaugehost {

namespace fs = std::filesystem;

namespace {

std::string system_message(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : "error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return message;
}

}  // namespace

void* open_library(const fs::path& path) {
  // Each check file unloads its module before the next loads it, so every load starts afresh
  // with the module's load values; a module still loaded would not.
  HMODULE already = nullptr;
  if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, path.c_str(), &already))
    throw HostError(path.string() + ": the module is loaded already");
  // The module's own folder is searched first for the libraries it imports.
  HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library)
    throw HostError(path.string() + ": not a loadable module: " + system_message(GetLastError()));
  return library;
}

void* library_symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void close_library(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

std::span<const unsigned char> library_resource(uintptr_t library, std::string_view type,
                                                int32_t id) {
  if (!library || id < 0 || id > 0xffff) return {};
  const HMODULE module = reinterpret_cast<HMODULE>(library);
  const std::string type_name(type);
  // Bitmaps are the standard BITMAP type; waves the named type "WAVE".
  const LPCSTR resource_type = type_name == "BITMAP" ? MAKEINTRESOURCEA(2) : type_name.c_str();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), resource_type);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const unsigned char*>(bytes), SizeofResource(module, found)};
}

fs::path executable_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0) return fs::path("gaugecheck.exe");
    if (length < path.size()) {
      path.resize(length);
      return fs::path(path);
    }
    if (path.size() >= 32768) return fs::path("gaugecheck.exe");
    path.resize(path.size() * 2);
  }
}

}  // namespace gaugehost
