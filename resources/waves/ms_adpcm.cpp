#include "ms_adpcm.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace waves::ms_adpcm {
namespace {

// How the step size changes after each 4-bit code, / 256.
constexpr std::array<int, 16> kAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                             768, 614, 512, 409, 307, 230, 230, 230};
constexpr int kMinimumStep = 16;

// One channel's decoder state; the encoder runs the decoder so that both stay in step.
struct ChannelState {
  int predictor;
  int step;
  int sample1;  // the latest sample
  int sample2;  // the one before it

  int predicted() const {
    const Coefficients& c = kStandardCoefficients[predictor];
    return (sample1 * c.first + sample2 * c.second) >> 8;
  }

  // The code for `target`, with the state advanced as a decoder would advance it.
  uint8_t encode(int target) {
    int prediction = predicted();
    int code = static_cast<int>(std::lround(static_cast<double>(target - prediction) / step));
    code = std::clamp(code, -8, 7);
    int decoded = std::clamp(prediction + code * step, -32768, 32767);
    uint8_t nibble = static_cast<uint8_t>(code & 0x0f);
    step = std::max(kMinimumStep, (kAdaptation[nibble] * step) >> 8);
    sample2 = sample1;
    sample1 = decoded;
    return nibble;
  }
};

// The channel's samples of one block.
std::vector<int> channel_block(const std::vector<int16_t>& interleaved, uint32_t channels,
                               uint32_t channel, size_t first_frame, uint32_t frames) {
  std::vector<int> samples(frames);
  for (uint32_t i = 0; i < frames; ++i)
    samples[i] = interleaved[(first_frame + i) * channels + channel];
  return samples;
}

ChannelState start_state(const std::vector<int>& samples, int predictor, int step) {
  return {predictor, step, samples[1], samples[0]};
}

// Encodes a block's channel from a starting state; returns the codes and the squared error.
std::vector<uint8_t> encode_channel(ChannelState state, const std::vector<int>& samples,
                                    double* squared_error) {
  std::vector<uint8_t> codes;
  codes.reserve(samples.size() - 2);
  *squared_error = 0.0;
  for (size_t i = 2; i < samples.size(); ++i) {
    codes.push_back(state.encode(samples[i]));
    double error = samples[i] - state.sample1;
    *squared_error += error * error;
  }
  return codes;
}

// The predictor and starting step that encode the block's channel most faithfully.
ChannelState best_start(const std::vector<int>& samples) {
  ChannelState best{};
  double best_error = std::numeric_limits<double>::infinity();
  for (int predictor = 0; predictor < static_cast<int>(kStandardCoefficients.size()); ++predictor) {
    for (int step = kMinimumStep; step <= 4096; step *= 2) {
      double error = 0.0;
      encode_channel(start_state(samples, predictor, step), samples, &error);
      if (error < best_error) {
        best_error = error;
        best = start_state(samples, predictor, step);
      }
    }
  }
  return best;
}

void put16(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>(value & 0xff));
  out.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
}

}  // namespace

std::vector<uint8_t> encode(const std::vector<int16_t>& interleaved, uint32_t channels,
                            uint32_t block_align) {
  const uint32_t frames_per_block = samples_per_block(block_align, channels);
  const size_t frames = interleaved.size() / channels;
  if (channels < 1 || channels > 2 || frames % frames_per_block != 0)
    throw std::invalid_argument("samples do not fill whole ADPCM blocks");

  std::vector<uint8_t> out;
  for (size_t first = 0; first < frames; first += frames_per_block) {
    std::vector<ChannelState> starts;
    std::vector<std::vector<uint8_t>> codes;
    for (uint32_t ch = 0; ch < channels; ++ch) {
      std::vector<int> samples = channel_block(interleaved, channels, ch, first, frames_per_block);
      starts.push_back(best_start(samples));
      double unused = 0.0;
      codes.push_back(encode_channel(starts.back(), samples, &unused));
    }
    // Block header: each field for every channel in turn.
    for (const ChannelState& s : starts) out.push_back(static_cast<uint8_t>(s.predictor));
    for (const ChannelState& s : starts) put16(out, s.step);
    for (const ChannelState& s : starts) put16(out, s.sample1);
    for (const ChannelState& s : starts) put16(out, s.sample2);
    // Codes: two per byte, high nibble first, channels interleaved.
    std::vector<uint8_t> nibbles;
    for (size_t i = 0; i < codes[0].size(); ++i)
      for (uint32_t ch = 0; ch < channels; ++ch) nibbles.push_back(codes[ch][i]);
    for (size_t i = 0; i + 1 < nibbles.size(); i += 2)
      out.push_back(static_cast<uint8_t>(nibbles[i] << 4 | nibbles[i + 1]));
  }
  return out;
}

}  // namespace waves::ms_adpcm
