// A platform layer that offers nothing: the art generator links the module's objects only to read
// its records, and never runs a gauge.
#include "module/platform.h"

extern "C" {

const void* platform_find_resource(uintptr_t, const char*, int32_t, uint32_t*) { return nullptr; }
uintptr_t platform_find_window(const char*) { return 0; }
size_t platform_executable_name(char* buffer, size_t capacity) {
  if (capacity > 0) buffer[0] = '\0';
  return 0;
}
bool platform_sound_create_device(uintptr_t*) { return false; }
bool platform_sound_set_cooperative_level(uintptr_t, uintptr_t, uint32_t) { return false; }
bool platform_sound_create_buffer(uintptr_t, const PlatformBufferDescription*, uintptr_t*) {
  return false;
}
bool platform_sound_lock(uintptr_t, uint32_t, uint32_t, void**, uint32_t*, void**, uint32_t*) {
  return false;
}
bool platform_sound_unlock(uintptr_t, void*, uint32_t, void*, uint32_t) { return false; }
bool platform_sound_set_position(uintptr_t, uint32_t) { return false; }
bool platform_sound_play(uintptr_t, uint32_t, uint32_t) { return false; }
void platform_sound_release_buffer(uintptr_t) {}
void platform_sound_release_device(uintptr_t) {}

}  // extern "C"
