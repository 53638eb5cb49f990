// Loading a module on Linux: dlopen of a private copy after the ELF check, and the module's
// resources from its exported ResourceDirectory.
#include <dlfcn.h>

#include "host/loader/elf_check.h"
#include "host/loader/library.h"
#include "host/loader/module.h"
#include "host/loader/module_copy.h"

namespace gaugehost {

namespace fs = std::filesystem;

void* open_library(const fs::path& path) {
  void* library = nullptr;
  {
    // The copy is checked, not the file, which may change meanwhile. Once loaded, the mapping
    // stays; the copy's name is not needed any more.
    const ModuleCopy copy(path);
    if (const auto problem = elf_shared_object_problem(copy.path()))
      throw HostError(path.string() + ": not a loadable module: " + *problem);
    library = dlopen(copy.path().c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  if (!library) {
    const char* why = dlerror();
    throw HostError(path.string() + ": not a loadable module: " + (why ? why : "unknown reason"));
  }
  return library;
}

void* library_symbol(void* library, const char* name) { return dlsym(library, name); }

void close_library(void* library) { dlclose(library); }

const ResourceEntry* resource_directory(uintptr_t module_handle) {
  if (!module_handle) return nullptr;
  return static_cast<const ResourceEntry*>(
      library_symbol(reinterpret_cast<void*>(module_handle), "ResourceDirectory"));
}

const ResourceEntry* find_resource(uintptr_t module_handle, std::string_view type, int32_t id) {
  for (const ResourceEntry* entry = resource_directory(module_handle); entry && entry->type; ++entry)
    if (entry->id == id && type == entry->type) return entry;
  return nullptr;
}

std::span<const unsigned char> library_resource(uintptr_t library, std::string_view type,
                                                int32_t id) {
  const ResourceEntry* entry = find_resource(library, type, id);
  if (!entry) return {};
  return {entry->data, entry->size};
}

fs::path executable_path() {
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path("gaugehost") : path;
}

}  // namespace gaugehost
