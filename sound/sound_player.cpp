// The click-sound player over the platform layer's sound services.
//
// Any failure clears sound_available; from then on loading and playing return at once, so the
// library goes on working silently until it is reloaded. Releasing still frees whatever a gauge
// holds, so that a failure elsewhere does not leave devices and buffers behind.
#include "sound/sound_player.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "module/platform.h"
#include "sound/wave_resource.h"

namespace crv5::sound {

bool sound_available = true;

namespace {

constexpr uint32_t kCooperativeNormal = 1;
constexpr uint32_t kBufferDescriptionSize = 36;
constexpr uint32_t kBufferFlags = 0x8000    // global focus: heard while the window is inactive
                                  | 0x0080  // volume control
                                  | 0x0040  // pan control
                                  | 0x0020; // frequency control
constexpr size_t kExecutableNameCapacity = 260;

bool fail() {
  sound_available = false;
  return false;
}

// The simulator's main window class, told by its executable's name.
const char* window_class_for(std::string_view executable) {
  if (executable.size() > 3 && executable[3] == '2') return "MSCFSMAIN";
  if (!executable.empty() && executable[0] == 'C') return "MSCFSMAIN";
  return "FS98MAIN";
}

bool find_wave(uintptr_t module, uint16_t resource_id, WaveResource* wave) {
  uint32_t size = 0;
  const void* bytes = platform_find_resource(module, "WAVE", resource_id, &size);
  return bytes && read_wave(static_cast<const unsigned char*>(bytes), size, wave);
}

// Copies the wave's data into the buffer and sets the play position to its start.
bool fill_buffer(uintptr_t buffer, const WaveResource& wave) {
  void* part1 = nullptr;
  void* part2 = nullptr;
  uint32_t part1_bytes = 0;
  uint32_t part2_bytes = 0;
  if (!platform_sound_lock(buffer, 0, wave.data_size, &part1, &part1_bytes, &part2, &part2_bytes))
    return false;
  std::memcpy(part1, wave.data, std::min(part1_bytes, wave.data_size));
  return platform_sound_unlock(buffer, part1, part1_bytes, part2, part2_bytes) &&
         platform_sound_set_position(buffer, 0);
}

// A buffer holding the wave, or 0.
uintptr_t create_filled_buffer(uintptr_t device, const WaveResource& wave) {
  const PlatformBufferDescription description = {kBufferDescriptionSize, kBufferFlags,
                                                 wave.data_size, &wave.format};
  uintptr_t buffer = 0;
  if (!platform_sound_create_buffer(device, &description, &buffer)) return 0;
  if (fill_buffer(buffer, wave)) return buffer;
  platform_sound_release_buffer(buffer);
  return 0;
}

}  // namespace

uintptr_t find_host_window() {
  char executable[kExecutableNameCapacity] = {};
  platform_executable_name(executable, sizeof executable);
  return platform_find_window(window_class_for(executable));
}

bool create_device(uintptr_t window, uintptr_t* device) {
  *device = 0;
  uintptr_t created = 0;
  if (!platform_sound_create_device(&created)) return fail();
  if (!platform_sound_set_cooperative_level(created, window, kCooperativeNormal)) {
    platform_sound_release_device(created);
    return fail();
  }
  *device = created;
  return true;
}

uint32_t load_sound(uintptr_t, uintptr_t device, uintptr_t* sound, uint16_t resource_id,
                    uintptr_t module) {
  if (!sound_available) return 0;
  *sound = 0;
  WaveResource wave;
  if (find_wave(module, resource_id, &wave)) *sound = create_filled_buffer(device, wave);
  if (*sound == 0) {
    fail();
    return 0;
  }
  return wave.data_size;
}

bool play(uintptr_t* sound, uint32_t flags) {
  if (!sound_available || *sound == 0) return false;
  // Played from where the buffer stands: a click that is still playing is not restarted.
  if (platform_sound_play(*sound, 0, flags)) return true;
  platform_sound_release_buffer(*sound);
  *sound = 0;
  return fail();
}

void release_sound(uintptr_t* sound) {
  if (*sound == 0) return;
  platform_sound_release_buffer(*sound);
  *sound = 0;
}

void release_device(uintptr_t* device) {
  if (*device == 0) return;
  platform_sound_release_device(*device);
  *device = 0;
}

void gauge_sound_service(GaugeSound& gauge, int32_t service_id, uintptr_t extra_data) {
  switch (service_id) {
    case kServicePreInstall:
      gauge.module = extra_data;
      gauge.window = find_host_window();
      create_device(gauge.window, &gauge.device);
      gauge.size =
          load_sound(gauge.window, gauge.device, &gauge.sound, gauge.wave_id, gauge.module);
      break;
    case kServicePreKill:
      release_sound(&gauge.sound);
      release_device(&gauge.device);
      break;
    default:
      break;
  }
}

void gauge_sound_play(GaugeSound& gauge) { play(&gauge.sound, 0); }

}  // namespace crv5::sound
