// Which WAVE resource a sound buffer holds. The module fills a buffer with the "data" chunk of one
// of its WAVE resources, so the buffer's bytes appear, unchanged, inside that resource; the host
// tells the resource by finding them there. This needs nothing from the module beyond its exported
// resource directory, and does not depend on the order of the module's calls.
#pragma once

#include <cstdint>
#include <span>

#include "module/resources.h"

namespace gaugehost::audio {

// A buffer that matches no WAVE resource.
constexpr int32_t kUnknownWave = 0;

// The id of the first WAVE resource in `directory` whose bytes hold `data`, or kUnknownWave.
int32_t find_wave_id(std::span<const unsigned char> data, const ResourceEntry* directory);

// The same over every module loaded in this process (each loaded library that exports a
// resource directory).
int32_t find_loaded_wave_id(std::span<const unsigned char> data);

}  // namespace gaugehost::audio
