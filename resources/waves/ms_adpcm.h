// A Microsoft ADPCM encoder (format tag 2, 4 bits per sample): the form of the radio knobs' click.
// The block layout and the standard predictors are in common/riff_layout.h.
#pragma once

#include <cstdint>
#include <vector>

#include "common/riff_layout.h"

namespace waves::ms_adpcm {

using crv5::riff::ms_adpcm::Coefficients;
using crv5::riff::ms_adpcm::kStandardCoefficients;
using crv5::riff::ms_adpcm::samples_per_block;

// Encodes interleaved 16-bit samples into blocks of `block_align` bytes. The samples must fill
// whole blocks (samples_per_block frames each).
std::vector<uint8_t> encode(const std::vector<int16_t>& interleaved, uint32_t channels,
                            uint32_t block_align);

}  // namespace waves::ms_adpcm
