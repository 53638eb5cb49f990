// Decoding a sound buffer's bytes, as the module described them with its wave format record, into
// 16-bit samples that any audio output can play. Microsoft ADPCM is decoded by libsndfile.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "module/platform.h"

namespace gaugehost::audio {

struct DecodedSound {
  int channels = 0;
  int sample_rate = 0;
  std::vector<int16_t> samples;  // interleaved

  int64_t frames() const { return channels ? static_cast<int64_t>(samples.size()) / channels : 0; }
  double seconds() const { return sample_rate ? static_cast<double>(frames()) / sample_rate : 0.0; }
};

// True when the host can play buffers of this format: PCM of 8 or 16 bits, or 4-bit Microsoft
// ADPCM, one or two channels, 100 to 200000 samples per second.
bool playable_format(const PlatformWaveFormat& format);

// How long `bytes` of a playable format play, in seconds.
double duration(const PlatformWaveFormat& format, uint32_t bytes);

// The samples of `data` in `format` (a playable format); empty when the bytes cannot be decoded.
DecodedSound decode(const PlatformWaveFormat& format, std::span<const unsigned char> data);

}  // namespace gaugehost::audio
