// The library's WAVE reader on any bytes: it finds "fmt " and "data" inside the RIFF chunk or
// refuses the resource, and never points outside the bytes it was given.
#include "sound/wave_resource.h"
#include "tests/fuzz/fuzz_target.h"

// Where the sum of the data goes, so that reading it is not left out.
volatile unsigned data_sum = 0;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  crv5::sound::WaveResource wave;
  if (!crv5::sound::read_wave(data, static_cast<uint32_t>(size), &wave)) return 0;
  if (wave.data < data || wave.data + wave.data_size > data + size) __builtin_trap();
  if (wave.data_size == 0 || wave.format.block_align == 0 ||
      wave.data_size % wave.format.block_align != 0)
    __builtin_trap();
  // Every byte of the data is read, as the sound player copies it into its buffer.
  unsigned sum = 0;
  for (uint32_t i = 0; i < wave.data_size; ++i) sum += wave.data[i];
  data_sum = sum;
  return 0;
}
