// Placeholder until the host's audio is written: no sound device can be created, so the module
// stays silent; nothing is recorded.
#include "host/audio/audio.h"

#include "module/platform.h"

namespace gaugehost::audio {

std::vector<int32_t> take_played() { return {}; }
void reset() {}

}  // namespace gaugehost::audio

extern "C" {

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
