// The host's audio: the sound devices and buffers the module asks for through the platform layer,
// and a record of which WAVE resources were played.
#pragma once

#include <cstdint>
#include <vector>

namespace gaugehost::audio {

// The WAVE resource ids asked to play, one entry per accepted play call, since the last take.
std::vector<int32_t> take_played();

// Forgets every device, buffer and record, as for a freshly loaded module.
void reset();

}  // namespace gaugehost::audio
