#include "host/audio/wave_lookup.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "host/loader/module.h"

namespace gaugehost::audio {
namespace {

bool holds(const ResourceEntry& entry, std::span<const unsigned char> data) {
  if (entry.size < data.size()) return false;
  const unsigned char* end = entry.data + entry.size;
  return std::search(entry.data, end, data.begin(), data.end()) != end;
}

// The file names of every shared library loaded in the process.
std::vector<std::string> loaded_libraries() {
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        if (info->dlpi_name && info->dlpi_name[0])
          static_cast<std::vector<std::string>*>(out)->emplace_back(info->dlpi_name);
        return 0;
      },
      &names);
  return names;
}

}  // namespace

int32_t find_wave_id(std::span<const unsigned char> data, const ResourceEntry* directory) {
  if (data.empty()) return kUnknownWave;
  for (const ResourceEntry* entry = directory; entry && entry->type; ++entry)
    if (std::strcmp(entry->type, "WAVE") == 0 && holds(*entry, data)) return entry->id;
  return kUnknownWave;
}

int32_t find_loaded_wave_id(std::span<const unsigned char> data) {
  for (const std::string& name : loaded_libraries()) {
    // Already loaded: this only takes another reference, given back below.
    void* library = dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (!library) continue;
    const int32_t id = find_wave_id(data, resource_directory(reinterpret_cast<uintptr_t>(library)));
    dlclose(library);
    if (id != kUnknownWave) return id;
  }
  return kUnknownWave;
}

}  // namespace gaugehost::audio
