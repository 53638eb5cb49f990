// Reading a WAVE resource held in memory: a RIFF chunk of form "WAVE" whose "fmt " and "data"
// chunks are found by name, in any order, with any other chunks between them.
//
// The reader never reads past the bytes it is given: a chunk that claims more bytes than the
// resource holds, a format chunk shorter than a wave format (16 bytes), a missing or empty "data"
// chunk, or data that is not a whole number of sample blocks makes the resource unusable.
#pragma once

#include <cstdint>

#include "module/platform.h"

namespace crv5::sound {

struct WaveResource {
  // The 18-byte wave format record; extra_size is 0 when the format chunk holds only the first 16
  // bytes (the usual PCM form).
  PlatformWaveFormat format{};
  const unsigned char* data = nullptr;  // the "data" chunk's bytes, inside the resource
  uint32_t data_size = 0;
};

// Reads the format and data of the WAVE resource in `bytes`; false when it is not a usable wave.
bool read_wave(const unsigned char* bytes, uint32_t size, WaveResource* wave);

}  // namespace crv5::sound
