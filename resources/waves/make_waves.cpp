// make_waves OUTPUT_DIR: synthesizes the module's three click sounds as WAVE files.
//   wave10.wav  a toggle switch: PCM, mono, 22050 Hz, 16-bit, 3828 data bytes, 3872 bytes in all
//   wave20.wav  a heavy lever: PCM, mono, 22050 Hz, 8-bit, 10304 data bytes, a LIST chunk ahead of
//               its "fmt " chunk, 10380 bytes in all
//   wave30.wav  a radio knob's detent: Microsoft ADPCM, stereo, 22050 Hz, 4-bit, one 1024-byte
//               block, 1192 bytes in all
// The noise is seeded, so every build writes the same bytes.
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

#include "common/riff_layout.h"
#include "ms_adpcm.h"
#include "synth.h"

namespace waves {
namespace {

using crv5::riff::Bytes;
using crv5::riff::chunk;
using crv5::riff::format_chunk;
using crv5::riff::info_list;
using crv5::riff::kFormatMsAdpcm;
using crv5::riff::kFormatPcm;
using crv5::riff::put16;
using crv5::riff::put32;
using crv5::riff::wave_file;

constexpr uint32_t kRate = static_cast<uint32_t>(kSampleRate);

Bytes pcm_format(uint16_t channels, uint16_t bits) {
  const uint16_t block = channels * bits / 8;
  return format_chunk({kFormatPcm, channels, kRate, kRate * block, block, bits});
}

constexpr uint16_t kAdpcmChannels = 2;
constexpr uint16_t kAdpcmBlock = 1024;
constexpr uint32_t kAdpcmFrames = ms_adpcm::samples_per_block(kAdpcmBlock, kAdpcmChannels);

Bytes adpcm_format() {
  return format_chunk(
      {kFormatMsAdpcm, kAdpcmChannels, kRate, kRate * kAdpcmBlock / kAdpcmFrames, kAdpcmBlock, 4});
}

// A toggle switch: the lever's snap and the ring of its spring, then the softer landing 24 ms on.
Signal switch_click() {
  Signal s(3828 / 2);
  Noise noise(10);
  add_burst(s, noise, 0.0, 1.0, 0.0008, 6000);
  add_ring(s, 0.0, 3150, 0.6, 0.004);
  add_ring(s, 0.0, 1240, 0.35, 0.009);
  add_ring(s, 0.0, 5400, 0.25, 0.002);
  add_burst(s, noise, 0.024, 0.5, 0.0006, 5000);
  add_ring(s, 0.024, 2900, 0.3, 0.003);
  add_ring(s, 0.024, 1240, 0.2, 0.008);
  finish(s, 0.01);
  normalize(s, 0.7);
  return s;
}

// A heavy lever: the latch lets go, the lever grinds over its ratchet, then lands with a thump.
Signal heavy_lever() {
  Signal s(10304);
  Noise noise(20);
  add_burst(s, noise, 0.0, 0.6, 0.002, 4000);
  add_ring(s, 0.0, 1850, 0.3, 0.006);
  add_ring(s, 0.0, 620, 0.2, 0.015);
  add_friction(s, noise, 0.01, 0.30, 0.04, 0.05, 0.35, 500);
  for (int tooth = 0; tooth < 6; ++tooth) {
    double at = 0.05 + 0.04 * tooth;
    add_burst(s, noise, at, 0.25 * (1.0 - 0.08 * tooth), 0.0015, 3000);
    add_ring(s, at, 2100, 0.15, 0.004);
  }
  add_ring(s, 0.31, 82, 1.0, 0.06);
  add_ring(s, 0.31, 164, 0.5, 0.035);
  add_ring(s, 0.31, 640, 0.3, 0.012);
  add_burst(s, noise, 0.31, 0.9, 0.006, 1500);
  finish(s, 0.05);
  normalize(s, 0.85);
  return s;
}

// One side of a radio knob's detent: two quick ticks as the spring drops into the notch.
Signal detent(uint32_t seed, double delay, double gain, double pitch) {
  Signal s(kAdpcmFrames);
  Noise noise(seed);
  for (double at : {delay, delay + 0.011}) {
    add_burst(s, noise, at, 0.8 * gain, 0.0006, 8000);
    add_ring(s, at, 4400 * pitch, 0.5 * gain, 0.0025);
    add_ring(s, at, 2300 * pitch, 0.3 * gain, 0.004);
    gain *= 0.6;
  }
  finish(s, 0.006);
  return s;
}

// The knob in stereo: the right side a little later, quieter and lower.
std::vector<int16_t> radio_knob() {
  Signal left = detent(30, 0.0, 1.0, 1.0);
  Signal right = detent(31, 0.0003, 0.9, 0.98);
  Signal both;
  for (size_t i = 0; i < left.size(); ++i) {
    both.push_back(left[i]);
    both.push_back(right[i]);
  }
  normalize(both, 0.6);
  return to_pcm16(both);
}

Bytes pcm16_bytes(const std::vector<int16_t>& samples) {
  Bytes b;
  for (int16_t v : samples) put16(b, static_cast<uint16_t>(v));
  return b;
}

Bytes pcm8_bytes(const std::vector<uint8_t>& samples) {
  return Bytes(samples.begin(), samples.end());
}

Bytes wave10() {
  return wave_file({pcm_format(1, 16), chunk("data", pcm16_bytes(to_pcm16(switch_click())))});
}

Bytes wave20() {
  return wave_file({info_list({{"INAM", "Heavy lever"}}, 24), pcm_format(1, 8),
                    chunk("data", pcm8_bytes(to_pcm8(heavy_lever())))});
}

Bytes wave30() {
  Bytes frames;
  put32(frames, kAdpcmFrames);
  return wave_file({adpcm_format(), chunk("fact", frames),
                    info_list({{"INAM", "Radio knob"}, {"ICMT", "Detent click"}}, 70),
                    chunk("data", ms_adpcm::encode(radio_knob(), kAdpcmChannels, kAdpcmBlock))});
}

void write(const std::string& path, const Bytes& bytes, size_t expected_size) {
  if (bytes.size() != expected_size)
    throw std::runtime_error(path + ": " + std::to_string(bytes.size()) + " bytes made, " +
                             std::to_string(expected_size) + " expected");
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error(path + ": cannot write");
}

}  // namespace
}  // namespace waves

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_waves OUTPUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  try {
    waves::write(dir + "/wave10.wav", waves::wave10(), 3872);
    waves::write(dir + "/wave20.wav", waves::wave20(), 10380);
    waves::write(dir + "/wave30.wav", waves::wave30(), 1192);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_waves: %s\n", e.what());
    return 1;
  }
  return 0;
}
