// The host's sound devices and buffers, driven through the platform layer as the module drives
// them (what they accept, which WAVE they tell a buffer holds, when a play starts a sound), and
// the three click waves as the build synthesizes them, against libsndfile.
#include "host/audio/audio.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/audio/wave_lookup.h"
#include "module/platform.h"
#include "sound/wave_resource.h"

namespace gaugehost::audio {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr PlatformWaveFormat kPcm16 = {1, 1, 22050, 44100, 2, 16, 0};

// The samples of a 16-bit buffer, little-endian.
Bytes pcm16(const std::vector<int16_t>& samples) {
  Bytes b;
  for (int16_t s : samples) b.insert(b.end(), {uint8_t(s & 0xff), uint8_t(uint16_t(s) >> 8)});
  return b;
}

class Audio : public ::testing::Test {
 protected:
  void SetUp() override {
    set_backend(Backend::recording);
    set_clock([this] { return now; });
    reset();
  }
  void TearDown() override {
    set_clock(nullptr);
    reset();
  }

  // A buffer set up and filled the way the module's player does it; 0 when a step fails.
  static uintptr_t load(const PlatformWaveFormat& format, const Bytes& data) {
    uintptr_t device = 0, buffer = 0;
    const PlatformBufferDescription description = {36, 0x80e0, uint32_t(data.size()), &format};
    void *part1, *part2;
    uint32_t bytes1, bytes2;
    if (!platform_sound_create_device(&device) ||
        !platform_sound_set_cooperative_level(device, 1, 1) ||
        !platform_sound_create_buffer(device, &description, &buffer) ||
        !platform_sound_lock(buffer, 0, uint32_t(data.size()), &part1, &bytes1, &part2, &bytes2))
      return 0;
    std::memcpy(part1, data.data(), bytes1);
    const bool filled = platform_sound_unlock(buffer, part1, bytes1, part2, bytes2) &&
                        platform_sound_set_position(buffer, 0);
    return filled ? buffer : 0;
  }

  double now = 100.0;
};

// (Decoding is checked on the three waves below.)
TEST_F(Audio, APlayStartsFromThePlayPositionAndAPlayWhilePlayingCarriesOnWithoutRestarting) {
  std::vector<int16_t> samples = {0, 16384, -16384, 32767};
  samples.resize(2205, 1000);  // 0.1 s
  const uintptr_t buffer = load(kPcm16, pcm16(samples));
  ASSERT_TRUE(platform_sound_set_position(buffer, 4));
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  std::vector<StartedSound> started = take_started();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].first_frame, 2);
  EXPECT_EQ(started[0].sound->sample_rate, 22050);
  EXPECT_EQ(started[0].sound->samples, samples);
  now += 0.09;
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  EXPECT_TRUE(take_started().empty()) << "still playing: not restarted";
  now += 0.02;
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  started = take_started();
  ASSERT_EQ(started.size(), 1u) << "played to its end: starts again from the start";
  EXPECT_EQ(started[0].first_frame, 0);
  // Every accepted call is recorded, restarted or not; this buffer matches no module's wave.
  EXPECT_EQ(take_played(), (std::vector<int32_t>{kUnknownWave, kUnknownWave, kUnknownWave}));
  EXPECT_TRUE(take_played().empty());
}

TEST_F(Audio, BuffersRefuseWhatASoundSystemWouldRefuse) {
  uintptr_t device = 0;
  ASSERT_TRUE(platform_sound_create_device(&device));
  EXPECT_FALSE(platform_sound_set_cooperative_level(device, 0, 1)) << "no window";
  EXPECT_FALSE(platform_sound_set_cooperative_level(device + 100, 1, 1)) << "no such device";
  const struct {
    const char* what;
    PlatformWaveFormat format;
    uint32_t size, bytes;
  } cases[] = {
      {"description size", kPcm16, 20, 8},
      {"format tag", {3, 1, 22050, 88200, 4, 32, 0}, 36, 8},
      {"block alignment", {1, 1, 22050, 22050, 1, 16, 0}, 36, 8},
      {"ADPCM block", {2, 2, 22050, 22311, 12, 4, 32}, 36, 12},
      {"empty", kPcm16, 36, 0},
      {"part of a sample", kPcm16, 36, 7},
  };
  for (const auto& c : cases) {
    const PlatformBufferDescription description = {c.size, 0x80e0, c.bytes, &c.format};
    uintptr_t buffer = 0;
    EXPECT_FALSE(platform_sound_create_buffer(device, &description, &buffer)) << c.what;
  }

  const uintptr_t buffer = load(kPcm16, Bytes(8));
  void *part1, *part2;
  uint32_t bytes1, bytes2;
  EXPECT_FALSE(platform_sound_lock(buffer, 8, 2, &part1, &bytes1, &part2, &bytes2));
  EXPECT_FALSE(platform_sound_lock(buffer, 0, 10, &part1, &bytes1, &part2, &bytes2));
  ASSERT_TRUE(platform_sound_lock(buffer, 6, 4, &part1, &bytes1, &part2, &bytes2));
  EXPECT_EQ(bytes1, 2u) << "the region runs on at the start";
  EXPECT_EQ(bytes2, 2u);
  EXPECT_FALSE(platform_sound_unlock(buffer, static_cast<char*>(part1) + 1, bytes1, part2, bytes2));
  EXPECT_FALSE(platform_sound_set_position(buffer, 8));
  EXPECT_FALSE(platform_sound_play(buffer, 0, 1)) << "buffers play once";
  EXPECT_FALSE(platform_sound_play(buffer, 1, 0));
  platform_sound_release_buffer(buffer);
  EXPECT_FALSE(platform_sound_play(buffer, 0, 0)) << "released";
  EXPECT_TRUE(take_played().empty());
}

TEST_F(Audio, TheSilentBackendRecordsNothingAndNoDeviceSilencesTheModule) {
  set_backend(Backend::silent);
  const uintptr_t buffer = load(kPcm16, Bytes(8));
  ASSERT_NE(buffer, 0u);
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  EXPECT_TRUE(take_played().empty());
  EXPECT_TRUE(take_started().empty());

  set_backend(Backend::no_device);
  uintptr_t device = 0;
  EXPECT_FALSE(platform_sound_create_device(&device));

  set_backend(Backend::recording);
  reset();
  EXPECT_FALSE(platform_sound_play(buffer, 0, 0)) << "reset forgets every buffer";
}

TEST(WaveLookup, AWaveIsToldByItsBytesInsideAModulesWaveResources) {
  const Bytes click = {'R', 'I', 'F', 'F', 1, 2, 3, 4, 5, 6};
  const Bytes picture = {9, 9, 1, 2, 3, 4, 5, 6};
  const ResourceEntry directory[] = {
      {"BITMAP", 10, picture.data(), uint32_t(picture.size())},
      {"WAVE", 20, click.data(), 4},  // the same bytes lie beyond this resource's end
      {"WAVE", 30, click.data(), uint32_t(click.size())},
      {nullptr, 0, nullptr, 0},
  };
  EXPECT_EQ(find_wave_id(Bytes{3, 4, 5}, directory), 30);
  EXPECT_EQ(find_wave_id(Bytes{9, 9}, directory), kUnknownWave) << "not a wave";
  EXPECT_EQ(find_wave_id(Bytes{}, directory), kUnknownWave);
  EXPECT_EQ(find_wave_id(Bytes{3}, nullptr), kUnknownWave);
}

// Each wave's form, read by the module's own reader; that the host decodes the data it would be
// handed (with the 18-byte format record alone, without the ADPCM predictor table that follows
// it in the file) as libsndfile decodes the whole file; and that it sounds like a click: heard at
// once, loud but not clipped, silent at its end.
TEST(Waves, DecodeAsTheFileDoesAndSoundLikeClicks) {
  const struct {
    int id;
    uint32_t format_tag, channels, bits, data_bytes;
    int64_t frames;
  } waves[] = {
      {10, 1, 1, 16, 3828, 1914},
      {20, 1, 1, 8, 10304, 10304},
      {30, 2, 2, 4, 1024, 1012},
  };
  for (const auto& e : waves) {
    SCOPED_TRACE("WAVE " + std::to_string(e.id));
    const std::string path =
        std::string(CRV5_BUILD_DIR) + "/resources/waves/wave" + std::to_string(e.id) + ".wav";
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes(std::istreambuf_iterator<char>(in), {});
    crv5::sound::WaveResource wave;
    ASSERT_TRUE(crv5::sound::read_wave(bytes.data(), uint32_t(bytes.size()), &wave));
    const PlatformWaveFormat& f = wave.format;
    const std::span<const unsigned char> data(wave.data, wave.data_size);
    EXPECT_EQ((std::vector<uint32_t>{f.format_tag, f.channels, f.samples_per_second,
                                     f.bits_per_sample, wave.data_size}),
              (std::vector<uint32_t>{e.format_tag, e.channels, 22050, e.bits, e.data_bytes}));

    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<int16_t> samples(size_t(info.frames * info.channels));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    ASSERT_EQ(info.frames, e.frames);
    const DecodedSound decoded = decode(f, data);
    EXPECT_EQ(decoded.frames(), e.frames);
    EXPECT_EQ(decoded.samples, samples);
    EXPECT_NEAR(duration(f, uint32_t(data.size())), e.frames / 22050.0, 1e-9);

    const auto peak_db = [&](size_t from, size_t to) {
      int peak = 1;
      for (size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(int(samples[i])));
      return 20 * std::log10(peak / 32768.0);
    };
    const size_t n = samples.size();
    EXPECT_GT(peak_db(0, size_t(0.005 * 22050) * e.channels), -20.0);  // within 5 ms
    EXPECT_GT(peak_db(0, n), -8.0);
    EXPECT_LT(peak_db(0, n), -0.5) << "no clipping";
    EXPECT_LT(peak_db(n - n / 50, n), -40.0);
  }
}

}  // namespace
}  // namespace gaugehost::audio
