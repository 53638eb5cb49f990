// The fuel knobs and the parking brake: each loads its own click on install, plays it once per
// click and releases it on removal; without a sound device the clicks still act.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/sound_player.h"
#include "systems/aircraft_state.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_host.h"
#include "tests/systems/b_gauge_access.h"

namespace {

using namespace crv5::testing::systems_b;
using crv5::testing::fake_platform;
using crv5::testing::TestHost;

// A mono 8-bit PCM wave with `samples` bytes of data.
std::vector<unsigned char> wave(uint8_t samples) {
  const uint8_t riff_size = 4 + 8 + 16 + 8 + samples;
  std::vector<unsigned char> w = {'R', 'I', 'F', 'F', riff_size, 0, 0, 0, 'W', 'A', 'V', 'E',
                                  'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x22, 0x56, 0, 0,
                                  0x22, 0x56, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', samples, 0, 0, 0};
  w.resize(w.size() + samples, 0x80);
  return w;
}

const char* const kClickGauges[] = {"Fuel_Qty_Switch", "Stop_Blinking_Fuel_Knob",
                                    "Fuel_Lamps_Test_Knob", "Parking_Brake"};

TEST(ClickSounds, EachGaugePlaysItsOwnWaveOncePerClick) {
  TestHost host;
  fake_platform().reset();
  fake_platform().waves[10] = wave(4);
  fake_platform().waves[20] = wave(6);
  crv5::sound::sound_available = true;

  for (const char* name : kClickGauges) TestHost::service(gauge(name), kServicePreInstall, 0x4000);
  EXPECT_EQ(fake_platform().buffer_sizes, (std::vector<uint32_t>{4, 4, 4, 6}));  // WAVE 10, 10, 10, 20

  for (const char* name : kClickGauges) click(gauge(name));
  click(gauge("Parking_Brake"));
  EXPECT_EQ(fake_platform().plays, (std::vector<int>{0, 1, 2, 3, 3}));

  for (const char* name : kClickGauges) TestHost::service(gauge(name), kServicePreKill);
  EXPECT_EQ(fake_platform().buffers_released, 4);
  EXPECT_EQ(fake_platform().devices_released, 4);
}

TEST(ClickSounds, ClicksActWithoutASoundDevice) {
  TestHost host;
  fake_platform().reset();
  fake_platform().device_fails = true;
  crv5::sound::sound_available = true;
  crv5::fuel_gauge_all_tanks = 0;

  for (const char* name : kClickGauges) TestHost::service(gauge(name), kServicePreInstall, 0x4000);
  click(gauge("Fuel_Qty_Switch"));
  click(gauge("Parking_Brake"));
  EXPECT_EQ(crv5::fuel_gauge_all_tanks, 1);
  EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x100d8}));
  EXPECT_TRUE(fake_platform().plays.empty());
  crv5::sound::sound_available = true;
}

}  // namespace
