// The three click waves as the build synthesizes them: their exact sizes and forms, and that each
// sounds like a click (heard at once, dying away to silence). Read with libsndfile, and the
// ADPCM wave also through the host's own decoding of a buffer.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "host/audio/wave_decoder.h"

namespace gaugehost::audio {
namespace {

using Bytes = std::vector<unsigned char>;

std::filesystem::path wave_path(int id) {
  return std::filesystem::path(CRV5_BUILD_DIR) / "resources/waves" /
         ("wave" + std::to_string(id) + ".wav");
}

Bytes read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

uint32_t le(const Bytes& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
  return v;
}

// Offsets of the chunks inside the RIFF form, in file order, by name.
std::vector<std::pair<std::string, size_t>> chunks(const Bytes& wave) {
  std::vector<std::pair<std::string, size_t>> found;
  for (size_t at = 12; at + 8 <= wave.size();) {
    found.emplace_back(std::string(wave.begin() + at, wave.begin() + at + 4), at);
    const uint32_t size = le(wave, at + 4, 4);
    at += 8 + size + (size & 1);
  }
  return found;
}

size_t chunk_at(const Bytes& wave, const std::string& name) {
  for (const auto& [found, at] : chunks(wave))
    if (found == name) return at;
  return 0;
}

PlatformWaveFormat format_of(const Bytes& wave, size_t fmt) {
  auto word = [&](size_t at) { return uint16_t(le(wave, fmt + 8 + at, 2)); };
  return {word(0),  word(2),  le(wave, fmt + 12, 4), le(wave, fmt + 16, 4),
          word(12), word(14), word(16)};
}

std::vector<short> decode_file(const std::filesystem::path& path, SF_INFO* info) {
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, info);
  if (!file) return {};
  std::vector<short> samples(size_t(info->frames * info->channels));
  sf_readf_short(file, samples.data(), info->frames);
  sf_close(file);
  return samples;
}

double peak_db(const std::vector<short>& samples, size_t from, size_t to) {
  int peak = 1;
  for (size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(int(samples[i])));
  return 20 * std::log10(peak / 32768.0);
}

struct Expected {
  int id;
  size_t file_bytes;
  uint16_t format_tag, channels, bits;
  uint32_t data_bytes;
  int64_t frames;
  const char* chunk_order;
};

TEST(Waves, HaveTheirExactFormsAndSoundLikeClicks) {
  const Expected waves[] = {
      {10, 3872, 1, 1, 16, 3828, 1914, "fmt data"},
      {20, 10380, 1, 1, 8, 10304, 10304, "LIST fmt data"},
      {30, 1192, 2, 2, 4, 1024, 1012, "fmt fact LIST data"},
  };
  for (const Expected& e : waves) {
    SCOPED_TRACE("WAVE " + std::to_string(e.id));
    const Bytes wave = read_file(wave_path(e.id));
    ASSERT_EQ(wave.size(), e.file_bytes);
    ASSERT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(le(wave, 4, 4), e.file_bytes - 8);
    std::string order;
    for (const auto& chunk : chunks(wave))
      order += (order.empty() ? "" : " ") + chunk.first.substr(0, chunk.first.find(' '));
    EXPECT_EQ(order, e.chunk_order);
    const PlatformWaveFormat f = format_of(wave, chunk_at(wave, "fmt "));
    EXPECT_EQ(f.format_tag, e.format_tag);
    EXPECT_EQ(f.channels, e.channels);
    EXPECT_EQ(f.samples_per_second, 22050u);
    EXPECT_EQ(f.bits_per_sample, e.bits);
    EXPECT_EQ(le(wave, chunk_at(wave, "data") + 4, 4), e.data_bytes);

    SF_INFO info{};
    const std::vector<short> samples = decode_file(wave_path(e.id), &info);
    ASSERT_EQ(info.frames, e.frames);
    // A click: heard at once (within 5 ms), loud but not clipped, silent at its end.
    const size_t n = samples.size();
    const size_t five_ms = size_t(0.005 * 22050) * e.channels;
    EXPECT_GT(peak_db(samples, 0, five_ms), -20.0);
    EXPECT_GT(peak_db(samples, 0, n), -8.0);
    EXPECT_LT(peak_db(samples, 0, n), -0.5) << "no clipping";
    EXPECT_LT(peak_db(samples, n - n / 50, n), -40.0);
  }
}

TEST(Waves, TheAdpcmBufferDecodesFromItsFormatRecordAlone) {
  // The module hands over the 18-byte format record without the predictor table that follows it
  // in the file; the host's decoding must still match a decoding of the whole file.
  const Bytes wave = read_file(wave_path(30));
  ASSERT_EQ(wave.size(), 1192u);
  const size_t fmt = chunk_at(wave, "fmt ");
  const size_t data = chunk_at(wave, "data");
  const DecodedSound decoded =
      decode(format_of(wave, fmt), std::span(wave).subspan(data + 8, le(wave, data + 4, 4)));
  SF_INFO info{};
  const std::vector<short> whole = decode_file(wave_path(30), &info);
  EXPECT_EQ(decoded.channels, 2);
  EXPECT_EQ(decoded.sample_rate, 22050);
  EXPECT_EQ(decoded.samples, whole);
  EXPECT_NEAR(duration(format_of(wave, fmt), 1024), 1012 / 22050.0, 1e-9);
}

}  // namespace
}  // namespace gaugehost::audio
