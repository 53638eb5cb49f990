// The host's audio: the sound devices and buffers the module asks for through the platform layer,
// a record of which WAVE resources were played, and the decoded samples of each buffer for an
// audio output (the web page) to play.
//
// Which WAVE a buffer holds is told by finding the buffer's bytes inside the loaded module's WAVE
// resources once the module has filled it (see wave_lookup.h); a buffer that matches none plays as
// WAVE 0.
//
// Playing time is wall time: a buffer that is asked to play while it is still playing (less than
// its duration since it started) carries on and is not restarted; once it has played to its end,
// its play position is back at its start and the next play starts it again. Every play call the
// buffer accepts is recorded, restarted or not: the record is what the module asked for.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/audio/wave_decoder.h"

namespace gaugehost::audio {

enum class Backend {
  recording,  // devices and buffers work; plays are recorded and kept for an output (default)
  silent,     // devices and buffers work; nothing is recorded or kept
  no_device,  // no sound device can be created: the module stays silent
};

// Chooses the backend for what follows; the current devices and buffers stay.
void set_backend(Backend backend);

// The WAVE resource ids asked to play, one entry per accepted play call, since the last take.
std::vector<int32_t> take_played();

// A buffer that started playing: its wave, its samples and where in them it started.
struct StartedSound {
  int32_t wave_id;
  std::shared_ptr<const DecodedSound> sound;
  int64_t first_frame;
};

// The sounds that started playing since the last take, in order.
std::vector<StartedSound> take_started();

// Forgets every device, buffer and record, as for a freshly loaded module.
void reset();

// The clock that times playing buffers, in seconds; the default is the wall clock. For tests.
void set_clock(std::function<double()> clock);

}  // namespace gaugehost::audio
