// The click-sound player against a fake platform layer: what a gauge's install, click and removal
// ask of the sound services, and how a failure anywhere silences the module and nothing else.
#include "sound/sound_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "module/platform.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct FakeBuffer {
  uint32_t description_size, flags;
  PlatformWaveFormat format;
  Bytes contents;  // as many bytes as the description asked for
};

// The step of the sound services that refuses, if any.
enum class Step { none, device, cooperative_level, buffer, lock, position, play };

// The platform layer of the module's objects in this program: resources and sound devices the
// test controls, and a log of what was asked of them.
struct FakePlatform {
  std::map<int32_t, Bytes> waves;  // WAVE resources by id
  std::string executable_name = "fs9";
  std::vector<std::string> window_classes_asked;
  Step fails = Step::none;

  int devices_created = 0;               // a device's handle is 0x2000 + its number
  std::vector<FakeBuffer> buffers;       // every buffer created; its handle is 1 + its index
  std::vector<int> plays;                // index of the buffer played, one entry per play call
  std::vector<uintptr_t> positions_set;  // buffer handle of each set-position call
  std::vector<uintptr_t> released;       // handles released (buffers and devices), in order
  long devices_released() const {
    return std::ranges::count_if(released, [](uintptr_t handle) { return handle > 0x2000; });
  }
} fake;

}  // namespace

extern "C" {

const void* platform_find_resource(uintptr_t, const char* type, int32_t id, uint32_t* size) {
  auto it = fake.waves.find(id);
  if (std::string(type) != "WAVE" || it == fake.waves.end()) return nullptr;
  *size = static_cast<uint32_t>(it->second.size());
  return it->second.data();
}

uintptr_t platform_find_window(const char* class_name) {
  fake.window_classes_asked.emplace_back(class_name);
  return 0x1000;
}

size_t platform_executable_name(char* buffer, size_t capacity) {
  const std::string& name = fake.executable_name;
  if (capacity > 0) buffer[name.copy(buffer, capacity - 1)] = '\0';
  return name.size();
}

bool platform_sound_create_device(uintptr_t* device) {
  if (fake.fails == Step::device) return false;
  *device = 0x2000 + ++fake.devices_created;
  return true;
}

bool platform_sound_set_cooperative_level(uintptr_t, uintptr_t, uint32_t) {
  return fake.fails != Step::cooperative_level;
}

bool platform_sound_create_buffer(uintptr_t, const PlatformBufferDescription* d,
                                  uintptr_t* buffer) {
  if (fake.fails == Step::buffer) return false;
  fake.buffers.push_back({d->description_size, d->flags, *d->format, Bytes(d->buffer_bytes)});
  *buffer = fake.buffers.size();
  return true;
}

bool platform_sound_lock(uintptr_t buffer, uint32_t offset, uint32_t bytes, void** part1,
                         uint32_t* part1_bytes, void** part2, uint32_t* part2_bytes) {
  if (fake.fails == Step::lock) return false;
  *part1 = fake.buffers.at(buffer - 1).contents.data() + offset;
  *part1_bytes = bytes;
  *part2 = nullptr;
  *part2_bytes = 0;
  return true;
}

bool platform_sound_unlock(uintptr_t, void*, uint32_t, void*, uint32_t) { return true; }

bool platform_sound_set_position(uintptr_t buffer, uint32_t) {
  fake.positions_set.push_back(buffer);
  return fake.fails != Step::position;
}

bool platform_sound_play(uintptr_t buffer, uint32_t, uint32_t) {
  if (fake.fails == Step::play) return false;
  fake.plays.push_back(static_cast<int>(buffer - 1));
  return true;
}

void platform_sound_release_buffer(uintptr_t buffer) { fake.released.push_back(buffer); }

void platform_sound_release_device(uintptr_t device) { fake.released.push_back(device); }

}  // extern "C"

namespace crv5::sound {
namespace {

constexpr uintptr_t kModule = 0x4000;

// A chunk whose size field may claim more than the body it carries; odd bodies get a pad byte.
Bytes chunk(const std::string& name, const Bytes& body, int64_t claimed = -1) {
  Bytes b(name.begin(), name.end());
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t((claimed < 0 ? body.size() : claimed) >> 8 * i));
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
  Bytes f = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xac, 0, 0, 2, 0, 16, 0};  // 22050 Hz, 44100 B/s
  if (extra >= 0) f.insert(f.end(), {uint8_t(extra), 0});
  return chunk("fmt ", f);
}

const Bytes kSamples = {1, 2, 3, 4, 5, 6, 7, 8};
const Bytes kData = chunk("data", kSamples);
const Bytes kList = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});  // odd size: a pad byte follows

class SoundPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    fake = {};
    fake.waves[10] = riff({kList, pcm16_format(), kData});
    fake.waves[20] = riff({pcm16_format(), kData});
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
    const size_t buffers = fake.buffers.size();
    GaugeSound later = install(20);
    EXPECT_NE(later.device, 0u);
    EXPECT_EQ(later.sound, 0u);
    EXPECT_EQ(fake.buffers.size(), buffers);
    gauge_sound_play(later);
    EXPECT_TRUE(fake.plays.empty());
  }
};

TEST_F(SoundPlayer, InstallFindsTheChunksByNameInAnyOrderAndClicksPlayTheData) {
  const struct {
    const char* what;
    std::vector<Bytes> chunks;
    uint16_t extra_size;  // read only where the format chunk holds it (not a 16-byte one)
  } layouts[] = {
      {"a list first, with a pad byte", {kList, pcm16_format(), kData}, 0},
      {"data first", {kData, pcm16_format()}, 0},
      {"fmt last, with an extra size",
       {chunk("fact", {1, 0, 0, 0}), kList, kData, kList, pcm16_format(32)}, 32},
      {"an empty chunk between", {pcm16_format(0), chunk("cue ", {}), kData}, 0},
  };
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.what);
    SetUp();
    fake.waves[10] = riff(layout.chunks);
    GaugeSound gauge = install(10);
    EXPECT_EQ(gauge.module, kModule);
    EXPECT_EQ(gauge.window, 0x1000u);
    EXPECT_NE(gauge.device, 0u);
    EXPECT_EQ(gauge.size, kSamples.size());
    ASSERT_EQ(fake.buffers.size(), 1u);
    const auto& [description_size, flags, f, contents] = fake.buffers[0];
    EXPECT_EQ(description_size, 36u);
    EXPECT_EQ(flags, 0x80e0u);
    EXPECT_EQ(contents, kSamples);
    EXPECT_EQ(fake.positions_set, std::vector<uintptr_t>{gauge.sound});
    EXPECT_EQ((std::vector<uint32_t>{f.format_tag, f.channels, f.samples_per_second,
                                     f.average_bytes_per_second, f.block_align, f.bits_per_sample,
                                     f.extra_size}),
              (std::vector<uint32_t>{1, 1, 22050, 44100, 2, 16, layout.extra_size}));

    // Two quick clicks are two play calls; the buffer is not rewound in between, so the platform
    // carries on with a click that is still playing.
    gauge_sound_play(gauge);
    gauge_sound_play(gauge);
    EXPECT_EQ(fake.plays, (std::vector<int>{0, 0}));
    EXPECT_EQ(fake.positions_set.size(), 1u);
    EXPECT_TRUE(sound_available);

    // Removal releases the sound, then the device.
    const std::vector<uintptr_t> held = {gauge.sound, gauge.device};
    gauge_sound_service(gauge, kServicePreKill, 0);
    EXPECT_EQ(fake.released, held);
    EXPECT_EQ(gauge.sound, 0u);
    EXPECT_EQ(gauge.device, 0u);
  }
}

TEST_F(SoundPlayer, AFailureOnInstallSilencesTheModule) {
  const Bytes fmt = pcm16_format();
  const Bytes good = riff({fmt, kData});
  Bytes cut_in_header = riff({fmt});
  cut_in_header.insert(cut_in_header.end(), {'d', 'a', 't', 'a', 8});
  const struct {
    const char* what;
    Bytes wave;
    Step fails = Step::none;
    int devices_kept = 1;  // by the failing gauge
    uint16_t id = 10;
  } cases[] = {
      {"no device", good, Step::device, 0},
      {"cooperative level refused", good, Step::cooperative_level, 0},
      {"no buffer", good, Step::buffer},
      {"lock refused", good, Step::lock},
      {"position refused", good, Step::position},
      {"missing id", good, Step::none, 1, 30},
      {"empty", {}},
      {"not a RIFF", chunk("LIST", {'W', 'A', 'V', 'E'})},
      {"another form", riff({fmt, kData}, "AVI ")},
      {"a chunk header cut short", cut_in_header},
      {"RIFF size lies", chunk("RIFF", Bytes{'W', 'A', 'V', 'E'}, 4000)},
      {"data size lies", riff({fmt, chunk("data", kSamples, 4000)})},
      {"a chunk before data lies", riff({fmt, chunk("LIST", {}, 4000), kData})},
      {"no data", riff({fmt, kList})},
      {"no fmt", riff({kList, kData})},
      {"fmt too short", riff({chunk("fmt ", Bytes(14, 1)), kData})},
      {"empty data", riff({fmt, chunk("data", {})})},
      {"half a sample", riff({fmt, chunk("data", {1, 2, 3})})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    fake.waves[10] = c.wave;
    fake.fails = c.fails;
    GaugeSound gauge = install(c.id);
    EXPECT_EQ(gauge.device != 0, c.devices_kept == 1);
    // Whatever was created on the way and not kept is released.
    EXPECT_EQ(fake.devices_created - fake.devices_released(), c.devices_kept);
    EXPECT_EQ(fake.buffers.size() + fake.devices_released(), fake.released.size());
    fake.fails = Step::none;
    expect_silenced(gauge);
  }
}

TEST_F(SoundPlayer, AFailedPlaySilencesTheModuleAndRemovalStillFreesEverything) {
  GaugeSound first = install(10);
  GaugeSound second = install(20);
  fake.fails = Step::play;
  gauge_sound_play(first);
  EXPECT_FALSE(sound_available);
  EXPECT_EQ(first.sound, 0u);
  fake.fails = Step::none;
  gauge_sound_play(second);
  EXPECT_TRUE(fake.plays.empty());

  // The failed buffer went at once; removal frees the rest.
  gauge_sound_service(first, kServicePreKill, 0);
  gauge_sound_service(second, kServicePreKill, 0);
  EXPECT_EQ(fake.released, (std::vector<uintptr_t>{1, 0x2001, 2, 0x2002}));
}

TEST_F(SoundPlayer, TheWindowClassFollowsTheExecutableName) {
  // A fourth character "2" or a first upper-case "C" means the combat simulator.
  const std::pair<const char*, const char*> cases[] = {
      {"fs9", "FS98MAIN"},  {"fs2", "FS98MAIN"},  {"FS2002", "FS98MAIN"}, {"fs9x2", "FS98MAIN"},
      {"", "FS98MAIN"},     {"cfs2", "MSCFSMAIN"}, {"CFS3", "MSCFSMAIN"}, {"combat", "FS98MAIN"},
  };
  for (const auto& [executable, window_class] : cases) {
    fake = {};
    fake.executable_name = executable;
    EXPECT_EQ(find_host_window(), 0x1000u);
    EXPECT_EQ(fake.window_classes_asked, std::vector<std::string>{window_class})
        << '"' << executable << '"';
  }
}

}  // namespace
}  // namespace crv5::sound
