// The click-sound player against the fake platform: what a gauge's install, click and removal
// ask of the sound services, and how a failure anywhere silences the module and nothing else.
#include "sound/sound_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_platform.h"

namespace crv5::sound {
namespace {

using crv5::testing::fake_platform;
using crv5::testing::FakePlatform;
using Bytes = std::vector<unsigned char>;

constexpr uintptr_t kModule = 0x4000;

void put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& b, uint32_t v) { put16(b, v & 0xffff); put16(b, v >> 16); }

// A chunk whose size field may claim more (or less) than the body it carries.
Bytes chunk(const std::string& name, const Bytes& body, int64_t claimed = -1) {
  Bytes b(name.begin(), name.end());
  put32(b, claimed < 0 ? uint32_t(body.size()) : uint32_t(claimed));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2) b.push_back(0);
  return b;
}

Bytes riff(const std::vector<Bytes>& chunks, const std::string& form = "WAVE") {
  Bytes body(form.begin(), form.end());
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return chunk("RIFF", body);
}

// 16-bit mono PCM; `extra` adds the extra-size word (18 bytes in all) with that value.
Bytes pcm16_format(int extra = -1) {
  Bytes f;
  put16(f, 1); put16(f, 1); put32(f, 22050); put32(f, 44100); put16(f, 2); put16(f, 16);
  if (extra >= 0) put16(f, uint32_t(extra));
  return chunk("fmt ", f);
}

const Bytes kSamples = {1, 2, 3, 4, 5, 6, 7, 8};
const Bytes kList = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});  // odd size: a pad byte follows

class SoundPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_platform().reset();
    fake_platform().waves[10] = riff({kList, pcm16_format(), chunk("data", kSamples)});
    fake_platform().waves[20] = riff({pcm16_format(), chunk("data", kSamples)});
    sound_available = true;
  }

  static GaugeSound install(uint16_t wave_id) {
    GaugeSound gauge{wave_id};
    gauge_sound_service(gauge, kServicePreInstall, kModule);
    return gauge;
  }

  // After a failure: the module is silent, the failing gauge holds no sound, and a gauge
  // installed later gets a device but no sound, and its clicks play nothing.
  static void expect_silenced(const GaugeSound& failed) {
    EXPECT_FALSE(sound_available);
    EXPECT_EQ(failed.sound, 0u);
    EXPECT_EQ(failed.size, 0u);
    int buffers = fake_platform().buffers_created;
    GaugeSound later = install(20);
    EXPECT_NE(later.device, 0u);
    EXPECT_EQ(later.sound, 0u);
    EXPECT_EQ(fake_platform().buffers_created, buffers);
    gauge_sound_play(later);
    EXPECT_TRUE(fake_platform().plays.empty());
  }
};

TEST_F(SoundPlayer, InstallLoadsTheDataChunkAndClicksPlayIt) {
  GaugeSound gauge = install(10);
  EXPECT_EQ(gauge.module, kModule);
  EXPECT_EQ(fake_platform().window_classes_asked, std::vector<std::string>{"FS98MAIN"});
  EXPECT_EQ(gauge.window, 0x1000u);
  EXPECT_NE(gauge.device, 0u);
  EXPECT_EQ(gauge.size, kSamples.size());
  ASSERT_EQ(fake_platform().buffers_created, 1);
  EXPECT_EQ(fake_platform().description_sizes[0], 36u);
  EXPECT_EQ(fake_platform().buffer_flags[0], 0x80e0u);
  EXPECT_EQ(fake_platform().buffer_sizes[0], kSamples.size());
  EXPECT_EQ(fake_platform().buffer_contents[0], kSamples);
  EXPECT_EQ(fake_platform().positions_set, std::vector<uintptr_t>{gauge.sound});
  const PlatformWaveFormat& f = fake_platform().buffer_formats[0];
  EXPECT_EQ(f.format_tag, 1);
  EXPECT_EQ(f.channels, 1);
  EXPECT_EQ(f.samples_per_second, 22050u);
  EXPECT_EQ(f.average_bytes_per_second, 44100u);
  EXPECT_EQ(f.block_align, 2);
  EXPECT_EQ(f.bits_per_sample, 16);
  EXPECT_EQ(f.extra_size, 0) << "a 16-byte format chunk has no extra-size word";

  // Two quick clicks are two play calls; the buffer is not rewound in between, so the platform
  // carries on with a click that is still playing.
  gauge_sound_play(gauge);
  gauge_sound_play(gauge);
  EXPECT_EQ(fake_platform().plays, (std::vector<int>{0, 0}));
  EXPECT_EQ(fake_platform().positions_set.size(), 1u);
  EXPECT_TRUE(sound_available);

  // Removal releases the sound, then the device.
  const std::vector<uintptr_t> held = {gauge.sound, gauge.device};
  gauge_sound_service(gauge, kServicePreKill, 0);
  EXPECT_EQ(fake_platform().released, held);
  EXPECT_EQ(gauge.sound, 0u);
  EXPECT_EQ(gauge.device, 0u);
}

TEST_F(SoundPlayer, ChunksAreFoundByNameInAnyOrder) {
  const Bytes data = chunk("data", kSamples);
  const std::vector<std::vector<Bytes>> layouts = {
      {data, pcm16_format()},
      {chunk("fact", {1, 0, 0, 0}), kList, data, kList, pcm16_format(32)},
      {pcm16_format(0), chunk("cue ", {}), data},
  };
  const uint16_t extra_sizes[] = {0, 32, 0};  // read only where the format chunk holds it
  for (size_t i = 0; i < layouts.size(); ++i) {
    SCOPED_TRACE("layout " + std::to_string(i));
    SetUp();
    fake_platform().waves[10] = riff(layouts[i]);
    GaugeSound gauge = install(10);
    EXPECT_TRUE(sound_available);
    EXPECT_EQ(gauge.size, kSamples.size());
    EXPECT_EQ(fake_platform().buffer_contents.at(0), kSamples);
    EXPECT_EQ(fake_platform().buffer_formats.at(0).extra_size, extra_sizes[i]);
  }
}

TEST_F(SoundPlayer, UnusableResourcesSilenceTheModule) {
  const Bytes fmt = pcm16_format();
  const Bytes data = chunk("data", kSamples);
  Bytes truncated = riff({fmt, data});
  truncated.resize(truncated.size() - 3);
  Bytes cut_in_header = riff({fmt});
  cut_in_header.insert(cut_in_header.end(), {'d', 'a', 't', 'a', 8});
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"not a RIFF", chunk("LIST", {'W', 'A', 'V', 'E'})},
      {"another form", riff({fmt, data}, "AVI ")},
      {"truncated", truncated},
      {"a chunk header cut short", cut_in_header},
      {"RIFF size lies", chunk("RIFF", Bytes{'W', 'A', 'V', 'E'}, 4000)},
      {"data size lies", riff({fmt, chunk("data", kSamples, 4000)})},
      {"a chunk before data lies", riff({fmt, chunk("LIST", {}, 4000), data})},
      {"no data", riff({fmt, kList})},
      {"no fmt", riff({kList, data})},
      {"fmt too short", riff({chunk("fmt ", Bytes(14, 1)), data})},
      {"empty data", riff({fmt, chunk("data", {})})},
      {"half a sample", riff({fmt, chunk("data", {1, 2, 3})})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    fake_platform().waves[10] = c.bytes;
    expect_silenced(install(10));
  }
  SCOPED_TRACE("missing id");
  SetUp();
  expect_silenced(install(30));
}

TEST_F(SoundPlayer, DeviceAndBufferFailuresSilenceTheModule) {
  struct Case {
    const char* what;
    bool FakePlatform::*fails;
    int devices_kept;  // by the failing gauge
  };
  const Case cases[] = {
      {"no device", &FakePlatform::device_fails, 0},
      {"cooperative level refused", &FakePlatform::cooperative_level_fails, 0},
      {"no buffer", &FakePlatform::buffer_fails, 1},
      {"lock refused", &FakePlatform::lock_fails, 1},
      {"position refused", &FakePlatform::position_fails, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    fake_platform().*c.fails = true;
    GaugeSound gauge = install(10);
    EXPECT_EQ(gauge.device != 0, c.devices_kept == 1);
    // Whatever was created on the way and not kept is released.
    EXPECT_EQ(fake_platform().devices_created - fake_platform().devices_released, c.devices_kept);
    EXPECT_EQ(fake_platform().buffers_created, fake_platform().buffers_released);
    fake_platform().*c.fails = false;
    expect_silenced(gauge);
  }
}

TEST_F(SoundPlayer, AFailedPlaySilencesTheModuleAndFreesEverythingOnRemoval) {
  GaugeSound first = install(10);
  GaugeSound second = install(20);
  fake_platform().play_fails = true;
  gauge_sound_play(first);
  EXPECT_FALSE(sound_available);
  EXPECT_EQ(first.sound, 0u);
  fake_platform().play_fails = false;
  gauge_sound_play(second);
  EXPECT_TRUE(fake_platform().plays.empty());

  // Removal after the failure still frees every device and buffer.
  gauge_sound_service(first, kServicePreKill, 0);
  gauge_sound_service(second, kServicePreKill, 0);
  EXPECT_EQ(fake_platform().devices_released, 2);
  EXPECT_EQ(fake_platform().buffers_released, 2);
}

TEST_F(SoundPlayer, TheWindowClassFollowsTheExecutableName) {
  const std::pair<const char*, const char*> cases[] = {
      {"fs9", "FS98MAIN"},        {"FS9", "FS98MAIN"},       {"fs2004", "FS98MAIN"},
      {"fs2", "FS98MAIN"},        {"FS2002", "FS98MAIN"},    {"CFS2", "MSCFSMAIN"},
      {"cfs2", "MSCFSMAIN"},      {"CFS3", "MSCFSMAIN"},     {"Combat", "MSCFSMAIN"},
      {"combat", "FS98MAIN"},     {"", "FS98MAIN"},          {"fs9x2", "FS98MAIN"},
  };
  for (const auto& [executable, window_class] : cases) {
    fake_platform().reset();
    fake_platform().executable_name = executable;
    EXPECT_EQ(find_host_window(), 0x1000u);
    EXPECT_EQ(fake_platform().window_classes_asked, std::vector<std::string>{window_class})
        << '"' << executable << '"';
  }
}

TEST_F(SoundPlayer, OtherServicesAndAnUnloadedGaugeDoNothing) {
  GaugeSound gauge{10};
  for (int32_t service : {kServicePreUpdate, kServiceConnectToWindow})
    gauge_sound_service(gauge, service, kModule);
  gauge_sound_play(gauge);
  gauge_sound_service(gauge, kServicePreKill, 0);
  EXPECT_EQ(fake_platform().devices_created, 0);
  EXPECT_TRUE(fake_platform().plays.empty());
  EXPECT_TRUE(fake_platform().released.empty());
  EXPECT_TRUE(sound_available);
}

}  // namespace
}  // namespace crv5::sound
