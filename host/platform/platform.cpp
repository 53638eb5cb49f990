// The platform layer's resource and window services for the module, served from the module's own
// resource directory and the host process. (The sound services are the audio part's.)
#include <algorithm>
#include <cstring>
#include <string>

#include "host/loader/module.h"
#include "module/platform.h"

extern "C" {

const void* platform_find_resource(uintptr_t module, const char* type, int32_t id,
                                   uint32_t* size) {
  if (!type) return nullptr;
  const ResourceEntry* entry = gaugehost::find_resource(module, type, id);
  if (!entry) return nullptr;
  if (size) *size = entry->size;
  return entry->data;
}

// The host has one main window, whatever class is asked for.
uintptr_t platform_find_window(const char*) { return 1; }

size_t platform_executable_name(char* buffer, size_t capacity) {
  const std::string name = gaugehost::executable_path().stem().string();
  if (buffer && capacity > 0) {
    const size_t n = std::min(name.size(), capacity - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
  }
  return name.size();
}

}  // extern "C"
