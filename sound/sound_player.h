// The click-sound player: a sound device and a loaded sound per sound-playing gauge, over the
// platform layer's sound services. Any failure clears sound_available and silences the module
// for the rest of its life; clicks go on acting.
#pragma once

#include <cstdint>

#include "module/gauge.h"

namespace crv5::sound {

// True when the module loads; once false, every operation but create_device returns at once.
extern bool sound_available;

// The simulator's main window, found by the class its executable name implies, or 0.
uintptr_t find_host_window();
bool create_device(uintptr_t window, uintptr_t* device);
// The size in bytes of the loaded wave data, or 0 on failure.
uint32_t load_sound(uintptr_t window, uintptr_t device, uintptr_t* sound, uint16_t resource_id,
                    uintptr_t module);
// Starts the loaded sound from where its buffer stands (not rewound); a failure releases it.
bool play(uintptr_t* sound, uint32_t flags);
// Free what the handle holds, if anything, and set it to 0; after a failure too, so that nothing
// is left behind.
void release_sound(uintptr_t* sound);
void release_device(uintptr_t* device);

// What one sound-playing gauge keeps, module-wide.
struct GaugeSound {
  uint16_t wave_id;        // the WAVE resource the gauge plays
  uintptr_t module = 0;    // the module handle received with service 2
  uintptr_t window = 0;    // the host window
  uintptr_t device = 0;    // null until created
  uintptr_t sound = 0;     // null until loaded
  uint32_t size = 0;       // bytes of wave data loaded
};

// The gauge-callback part every sound-playing gauge shares: sets up on service 2 (the extra-data
// word is the module handle), releases on service 12, ignores other services.
void gauge_sound_service(GaugeSound& gauge, int32_t service_id, uintptr_t extra_data);
// Plays the gauge's click once.
void gauge_sound_play(GaugeSound& gauge);

// The whole gauge callback of a gauge whose callback does nothing but set up and release its
// sound: gauge_sound_callback<&my_sound> fills a gauge header's callback field.
template <GaugeSound* Sound>
void CRV5_CALL gauge_sound_callback(GaugeHeader*, int32_t service_id, uintptr_t extra_data) {
  gauge_sound_service(*Sound, service_id, extra_data);
}

}  // namespace crv5::sound
