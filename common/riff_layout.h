// The RIFF layout of a WAVE file, as the build's wave synthesis writes the module's click sounds
// and as the host rebuilds a sound buffer for its decoder: little-endian numbers and named chunks,
// each padded to an even size; the wave format record, with the Microsoft ADPCM extension.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace crv5::riff {

// The Microsoft ADPCM format (tag 2, 4 bits per sample): each block starts with a header per
// channel (predictor index, step size and the first two samples), then one 4-bit code per further
// sample; in stereo the left channel's code is the high nibble of each byte.
namespace ms_adpcm {

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

}  // namespace ms_adpcm

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void put32(Bytes& out, uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

inline void put_tag(Bytes& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

inline void append(Bytes& out, const Bytes& more) {
  out.insert(out.end(), more.begin(), more.end());
}

// A chunk: its four-character name, its size and its bytes (plus a pad byte if the size is odd).
inline Bytes chunk(std::string_view tag, const Bytes& body) {
  Bytes out;
  put_tag(out, tag);
  put32(out, static_cast<uint32_t>(body.size()));
  append(out, body);
  if (body.size() % 2) out.push_back(0);
  return out;
}

// The fields of a wave format record.
struct WaveFormat {
  uint16_t format_tag;  // 1 PCM, 2 Microsoft ADPCM
  uint16_t channels;
  uint32_t samples_per_second;
  uint32_t average_bytes_per_second;
  uint16_t block_align;
  uint16_t bits_per_sample;
};

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatMsAdpcm = 2;

// A "fmt " chunk: the format record, and for Microsoft ADPCM its extension (samples per block and
// the seven standard predictors).
inline Bytes format_chunk(const WaveFormat& format) {
  Bytes f;
  put16(f, format.format_tag);
  put16(f, format.channels);
  put32(f, format.samples_per_second);
  put32(f, format.average_bytes_per_second);
  put16(f, format.block_align);
  put16(f, format.bits_per_sample);
  if (format.format_tag == kFormatMsAdpcm) {
    put16(f, 4 + 4 * ms_adpcm::kStandardCoefficients.size());  // extra bytes
    put16(f, ms_adpcm::samples_per_block(format.block_align, format.channels));
    put16(f, ms_adpcm::kStandardCoefficients.size());
    for (const auto& c : ms_adpcm::kStandardCoefficients) {
      put16(f, static_cast<uint16_t>(c.first));
      put16(f, static_cast<uint16_t>(c.second));
    }
  }
  return chunk("fmt ", f);
}

// The whole file: a "RIFF" chunk of form "WAVE" holding the given chunks in order.
inline Bytes wave_file(const std::vector<Bytes>& chunks) {
  Bytes form;
  put_tag(form, "WAVE");
  for (const Bytes& c : chunks) append(form, c);
  return chunk("RIFF", form);
}

// A "LIST" chunk of type "INFO" with text fields (such as "INAM", the name) of exactly
// `body_size` bytes: the last field is padded with zeros to fill it.
inline Bytes info_list(const std::vector<std::pair<std::string, std::string>>& fields,
                       size_t body_size) {
  Bytes body;
  put_tag(body, "INFO");
  for (size_t i = 0; i < fields.size(); ++i) {
    Bytes text(fields[i].second.begin(), fields[i].second.end());
    text.push_back(0);
    if (i + 1 == fields.size() && body.size() + 8 + text.size() < body_size)
      text.resize(body_size - body.size() - 8, 0);
    append(body, chunk(fields[i].first, text));
  }
  return chunk("LIST", body);
}

}  // namespace crv5::riff
