// A Microsoft ADPCM encoder (format tag 2, 4 bits per sample): the form of the radio knobs' click.
// Each block starts with a header per channel (predictor index, step size and the first two
// samples) followed by one 4-bit code per further sample; in stereo the left channel's code is the
// high nibble of each byte.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace waves::ms_adpcm {

struct Coefficients {
  int16_t first;   // weight of the previous sample, / 256
  int16_t second;  // weight of the sample before it, / 256
};

// The seven standard predictors every Microsoft ADPCM wave carries in its format chunk.
constexpr std::array<Coefficients, 7> kStandardCoefficients = {{
    {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232},
}};

// Samples per channel held by a block of `block_align` bytes.
constexpr uint32_t samples_per_block(uint32_t block_align, uint32_t channels) {
  return (block_align - 7 * channels) * 2 / channels + 2;
}

// Encodes interleaved 16-bit samples into blocks of `block_align` bytes. The samples must fill
// whole blocks (samples_per_block frames each).
std::vector<uint8_t> encode(const std::vector<int16_t>& interleaved, uint32_t channels,
                            uint32_t block_align);

}  // namespace waves::ms_adpcm
