// The host's sound devices and buffers, driven through the platform layer as the module drives
// them: what they accept, which WAVE they tell a buffer holds, and when a play starts a sound.
#include "host/audio/audio.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/audio/wave_lookup.h"
#include "host/loader/module.h"
#include "module/platform.h"

namespace gaugehost::audio {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr PlatformWaveFormat kPcm16 = {1, 1, 22050, 44100, 2, 16, 0};
constexpr PlatformWaveFormat kPcm8 = {1, 1, 22050, 22050, 1, 8, 0};

// The samples of a 16-bit buffer, little-endian.
Bytes pcm16(const std::vector<int16_t>& samples) {
  Bytes b;
  for (int16_t s : samples) b.insert(b.end(), {uint8_t(s & 0xff), uint8_t(uint16_t(s) >> 8)});
  return b;
}

// The "data" chunk of a RIFF WAVE file's bytes.
Bytes data_chunk(std::span<const unsigned char> wave) {
  for (size_t at = 12; at + 8 <= wave.size();) {
    uint32_t size;
    std::memcpy(&size, wave.data() + at + 4, 4);
    if (std::memcmp(wave.data() + at, "data", 4) == 0)
      return Bytes(wave.begin() + at + 8, wave.begin() + at + 8 + size);
    at += 8 + size + (size & 1);
  }
  return {};
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
    uintptr_t device = 0;
    uintptr_t buffer = 0;
    const PlatformBufferDescription description = {36, 0x80e0, uint32_t(data.size()), &format};
    void *part1, *part2;
    uint32_t bytes1, bytes2;
    if (!platform_sound_create_device(&device) ||
        !platform_sound_set_cooperative_level(device, 1, 1) ||
        !platform_sound_create_buffer(device, &description, &buffer) ||
        !platform_sound_lock(buffer, 0, uint32_t(data.size()), &part1, &bytes1, &part2, &bytes2))
      return 0;
    std::memcpy(part1, data.data(), bytes1);
    if (!platform_sound_unlock(buffer, part1, bytes1, part2, bytes2) ||
        !platform_sound_set_position(buffer, 0))
      return 0;
    return buffer;
  }

  double now = 100.0;
};

TEST_F(Audio, APlayWhilePlayingCarriesOnWithoutRestarting) {
  const uintptr_t buffer = load(kPcm16, pcm16(std::vector<int16_t>(2205, 1000)));  // 0.1 s
  ASSERT_NE(buffer, 0u);
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  now += 0.09;
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  EXPECT_EQ(take_started().size(), 1u) << "still playing: not restarted";
  now += 0.02;
  EXPECT_TRUE(platform_sound_play(buffer, 0, 0));
  const std::vector<StartedSound> started = take_started();
  ASSERT_EQ(started.size(), 1u) << "played to its end: starts again from the start";
  EXPECT_EQ(started[0].first_frame, 0);
  // Every accepted call is recorded, restarted or not; this buffer matches no module's wave.
  EXPECT_EQ(take_played(), (std::vector<int32_t>{kUnknownWave, kUnknownWave, kUnknownWave}));
  EXPECT_TRUE(take_played().empty());
}

TEST_F(Audio, APlayStartsFromThePlayPositionAndDecodesTheSamples) {
  const uintptr_t buffer = load(kPcm16, pcm16({0, 16384, -16384, 32767}));
  ASSERT_TRUE(platform_sound_set_position(buffer, 4));
  ASSERT_TRUE(platform_sound_play(buffer, 0, 0));
  std::vector<StartedSound> started = take_started();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].first_frame, 2);
  EXPECT_EQ(started[0].sound->channels, 1);
  EXPECT_EQ(started[0].sound->sample_rate, 22050);
  EXPECT_EQ(started[0].sound->samples, (std::vector<int16_t>{0, 16384, -16384, 32767}));

  // 8-bit samples are unsigned about 128.
  const uintptr_t eight = load(kPcm8, {128, 192, 64, 255});
  ASSERT_TRUE(platform_sound_play(eight, 0, 0));
  started = take_started();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].sound->samples, (std::vector<int16_t>{0, 16384, -16384, 32512}));
}

TEST_F(Audio, BuffersRefuseWhatASoundSystemWouldRefuse) {
  uintptr_t device = 0;
  ASSERT_TRUE(platform_sound_create_device(&device));
  EXPECT_FALSE(platform_sound_set_cooperative_level(device, 0, 1)) << "no window";
  EXPECT_FALSE(platform_sound_set_cooperative_level(device + 100, 1, 1)) << "no such device";

  struct Case {
    const char* what;
    PlatformWaveFormat format;
    uint32_t size;
    uint32_t bytes;
  };
  const Case cases[] = {
      {"description size", kPcm16, 20, 8},
      {"format tag", {3, 1, 22050, 88200, 4, 32, 0}, 36, 8},
      {"block alignment", {1, 1, 22050, 22050, 1, 16, 0}, 36, 8},
      {"ADPCM block", {2, 2, 22050, 22311, 12, 4, 32}, 36, 12},
      {"empty", kPcm16, 36, 0},
      {"part of a sample", kPcm16, 36, 7},
  };
  for (const Case& c : cases) {
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

TEST_F(Audio, AWaveIsToldByItsBytesInsideAModulesWaveResources) {
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

TEST_F(Audio, TheLoadedModulesWavesAreToldAndDecoded) {
  const auto module = Module::load(std::filesystem::path(CRV5_BUILD_DIR) / "CRV5_Instr.gau");
  for (int32_t id : {10, 20, 30}) {
    const auto wave = module->resource("WAVE", id);
    ASSERT_FALSE(wave.empty()) << "WAVE " << id << " is not in the module";
    const Bytes data = data_chunk(wave);
    const PlatformWaveFormat format =
        id == 10 ? kPcm16 : id == 20 ? kPcm8 : PlatformWaveFormat{2, 2, 22050, 22311, 1024, 4, 32};
    const uintptr_t buffer = load(format, data);
    ASSERT_TRUE(platform_sound_play(buffer, 0, 0));
    EXPECT_EQ(take_played(), std::vector<int32_t>{id});
    const std::vector<StartedSound> started = take_started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].wave_id, id);
    EXPECT_EQ(started[0].sound->frames(), id == 30 ? 1012 : id == 20 ? 10304 : 1914);
  }
}

}  // namespace
}  // namespace gaugehost::audio
