// The radio heads: the packed-decimal decoders, the decimals knobs' test on the megahertz as last
// decoded, the channel wheel's endings, the ADF's band at install, read-out and ident, the
// transponder's digits, and a head whose click failed to load. What the heads draw and say and
// their knobs' stops are driven end to end by their check files (tests/checks/radios).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "radios/radio_head.h"
#include "mechanics/radio_state.h"
#include "sound/sound_player.h"
#include "tests/support/fake_platform.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;
using Events = std::vector<KeyEvent>;
namespace radio = crv5::radio;

GaugeHeader& gauge(const char* name) { return *find_gauge(name); }
ElementHeader* element(const char* name, size_t index) { return &crv5::testing::element<ElementHeader>(name, index); }

// An element's value as the host asks for it (its callback).
double value_of(const char* name, size_t index) {
  ElementHeader* e = element(name, index);
  switch (e->kind) {
    case kElementIcon: return evaluate(*reinterpret_cast<ElementIcon*>(e));
    case kElementNeedle: return evaluate(*reinterpret_cast<ElementNeedle*>(e));
    case kElementMovingImage: {
      auto* m = reinterpret_cast<ElementMovingImage*>(e);
      return m->y_callback(m);
    }
    case kElementSprite: {
      auto* s = reinterpret_cast<ElementSprite*>(e);
      return s->rotation_callback(s);
    }
    default: ADD_FAILURE() << "no value"; return 0;
  }
}

bool luminous(const char* name, size_t index) {
  return (element(name, index)->image_flags & kImageLuminous) != 0;
}

Events repeated(uint32_t event, int times) { return Events(times, KeyEvent{event, 0}); }

class Radios : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int32_t* state : {&crv5::adf_power, &crv5::adf_tone, &crv5::com1_power, &crv5::nav1_power,
                           &crv5::nav1_tone, &crv5::nav2_power, &crv5::nav2_tone}) {
      *state = 0;
    }
    crv5::iff_power = 1;
    crv5::adf_band = 1;
    crv5::adf_dial_angle = 0;
    crv5::adf_tuning_knob = 60;
  }
  // Events the host received since the last call.
  Events sent() {
    Events e = host.events;
    host.clear_log();
    return e;
  }
  TestHost host;
};

// --- Decoders ------------------------------------------------------------------------------------

TEST(RadioDecoders, ExamplesAndBandEnds) {
  struct Case { uint32_t v; double whole, fraction; };
  for (Case c : {Case{0x1825, 118, 25}, Case{0x1800, 118, 0}, Case{0x3695, 136, 95},
                 Case{0x2997, 129, 97}}) {
    EXPECT_EQ(radio::com_whole_mhz(c.v), c.whole) << std::hex << c.v;
    EXPECT_EQ(radio::frequency_fraction(c.v), c.fraction) << std::hex << c.v;
  }
  for (Case c : {Case{0x0850, 108, 50}, Case{0x1345, 113, 45}, Case{0x0800, 108, 0},
                 Case{0x1795, 117, 95}}) {
    EXPECT_EQ(radio::nav_whole_mhz(c.v), c.whole) << std::hex << c.v;
    EXPECT_EQ(radio::frequency_fraction(c.v), c.fraction) << std::hex << c.v;
  }
  EXPECT_EQ(radio::adf_khz(0x0345, 0x105), 1345.5);
  EXPECT_EQ(radio::adf_khz(0x0345, 0x05), 345.5);
  EXPECT_EQ(radio::adf_khz(0x0200, 0), 200);
  EXPECT_EQ(radio::adf_khz(0x0750, 0x100), 1750);
  EXPECT_EQ(radio::transponder_code(0x7700), 7700);
  EXPECT_EQ(radio::transponder_code(0x1200), 1200);
  EXPECT_EQ(radio::transponder_code(0x7777), 7777);
  EXPECT_EQ(radio::transponder_code(0), 0);
}

// A panel designer may set any value: every decoder gives a finite number, and values below the
// COM band wrap as unsigned arithmetic does.
TEST(RadioDecoders, ValuesOutsideTheBandsStayFinite) {
  for (uint32_t v : {0u, 0xfffu, 0xffffu, 0xffffffffu, 0x80000000u}) {
    for (double d : {radio::com_whole_mhz(v), radio::nav_whole_mhz(v),
                     radio::frequency_fraction(v), radio::adf_khz(v, v), radio::transponder_code(v)}) {
      EXPECT_TRUE(std::isfinite(d)) << std::hex << v;
    }
  }
  EXPECT_EQ(radio::com_whole_mhz(0), 110.0 + ((0u - 0x1000u) >> 8));
  EXPECT_EQ(radio::frequency_fraction(0xff), 165);
}

TEST(RadioDecoders, RadixReexpression) {
  EXPECT_EQ(radio::reexpress(4100, 10, 16), 0x4100u);
  EXPECT_EQ(radio::reexpress(8500, 10, 16), 0x8500u);
  EXPECT_EQ(radio::reexpress(0, 10, 16), 0u);
  EXPECT_EQ(radio::reexpress(0x4100, 16, 10), 4100u);
  EXPECT_EQ(radio::reexpress(7, 1, 16), 7u);  // no base below 2
}

// --- COM1 ----------------------------------------------------------------------------------------

TEST_F(Radios, Com1DecimalsKnobsTestTheMegahertzAsLastDecoded) {
  host.set_u32(23, 0x1725);
  TestHost::service(gauge("Radio_COM1"), kServicePreUpdate);  // 117: below the stop
  host.set_u32(23, 0x1850);
  click("Radio_COM1", 6);  // one channel down needs at least 118
  EXPECT_EQ(sent(), Events{});
  EXPECT_EQ(crv5::com1_fraction, 50);  // the decimals were decoded anew
}

// The wheels with the switch off and on, the lamp and the tooltips are driven end to end by
// tests/checks/radios/radio_com1.check; here every ending the channel wheel tells apart.
TEST_F(Radios, Com1ChannelWheelShowsTheEndingOfTheDecimals) {
  struct Ending { uint32_t v; double image; };
  for (Ending e : {Ending{0x1820, 0}, Ending{0x1822, 1}, Ending{0x1825, 2}, Ending{0x1827, 3},
                   Ending{0x1829, 0}}) {
    host.set_u32(23, e.v);
    TestHost::service(gauge("Radio_COM1"), kServicePreUpdate);
    EXPECT_EQ(value_of("Radio_COM1", 4), e.image) << std::hex << e.v;
  }
}

// --- ADF -----------------------------------------------------------------------------------------

void tune_adf(TestHost& host, double khz) {
  const uint32_t tenths = static_cast<uint32_t>(std::lround(khz * 10));
  const uint32_t whole = tenths / 10;
  host.set_u32(16, radio::reexpress(whole % 1000, 10, 16));
  host.set_u32(18, (whole >= 1000 ? 0x100 : 0) + tenths % 10);
}

TEST_F(Radios, AdfInstallPicksTheBandAndTheDialFollowsOnlyWhilePowered) {
  struct Case { double khz, band, dial; };
  for (Case c : {Case{600, 2, 76}, Case{410, 1, 105}, Case{850, 2, 176}, Case{850.5, 3, 0.15},
                 Case{200, 1, 0}}) {
    tune_adf(host, c.khz);
    TestHost::service(gauge("Radio_ADF"), kServicePreInstall);
    EXPECT_EQ(crv5::adf_band, c.band) << c.khz;
    EXPECT_NEAR(crv5::adf_dial_angle, c.dial, 1e-9) << c.khz;
    TestHost::service(gauge("Radio_ADF"), kServicePreKill);
  }
  // face, dial, cover, read-out, tuning knob, band selector, band card, tone, lamp, main switch
  tune_adf(host, 300);
  EXPECT_EQ(value_of("Radio_ADF", 1), 0);  // off: frozen
  EXPECT_FALSE(luminous("Radio_ADF", 1));
  crv5::adf_power = 1;
  EXPECT_EQ(value_of("Radio_ADF", 1), 50);
  EXPECT_TRUE(luminous("Radio_ADF", 1));
  crv5::adf_band = 3;
  EXPECT_EQ(value_of("Radio_ADF", 6), -180);
  EXPECT_TRUE(luminous("Radio_ADF", 6));
}

std::string readout(TestHost&) {
  auto* e = reinterpret_cast<ElementString*>(element("Radio_ADF", 3));
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  e->text = buffer;
  EXPECT_EQ(e->callback(e), 0);
  EXPECT_EQ(buffer[7], '#') << "written past the character count";
  return std::string(buffer, strnlen(buffer, 7));
}

TEST_F(Radios, AdfReadoutFormatsBlanksAndNeverOverruns) {
  host.set_u32(16, 0x0345);
  host.set_u32(18, 0x05);
  EXPECT_EQ(readout(host), "      ");
  crv5::adf_power = 1;
  EXPECT_EQ(readout(host), "0345.5");
  host.set_u32(18, 0x105);
  EXPECT_EQ(readout(host), "1345.5");
  host.set_u32(16, 0xffffffff);
  host.set_u32(18, 0xffffffff);
  EXPECT_EQ(readout(host).size(), 6u);
}

TEST_F(Radios, AdfIdentFollowsPowerAndToneEveryUpdate) {
  struct Case {
    int32_t power, tone;
    Events expected;  // main switch picture, then tone switch picture
  };
  const Case cases[] = {
      {0, 0, {{0x1012c, 0}, {0x1012c, 0}}},
      {0, 1, {{0x1012c, 0}}},
      {1, 0, {{0x1012c, 0}}},
      {1, 1, {{0x10131, 0}, {0x10131, 0}}},
  };
  for (const Case& c : cases) {
    crv5::adf_power = c.power;
    crv5::adf_tone = c.tone;
    host.clear_log();
    EXPECT_EQ(value_of("Radio_ADF", 9), c.power);
    EXPECT_EQ(value_of("Radio_ADF", 7), c.tone);
    EXPECT_EQ(sent(), c.expected) << c.power << c.tone;
  }
  crv5::adf_power = 0;
  click("Radio_ADF", 1);  // the tone switch works unpowered
  EXPECT_EQ(crv5::adf_tone, 0);
}

// --- Transponder ---------------------------------------------------------------------------------

TEST_F(Radios, TransponderDigitsDrumsAndPower) {
  host.set_u32(38, 0x7612);
  // face, units, tens, hundreds, thousands, ident, lamp, switch
  for (size_t drum = 1; drum <= 4; ++drum)
    EXPECT_EQ(value_of("Radio_IFF_XPDR", drum), (std::vector<double>{2, 1, 6, 7}[drum - 1])) << drum;
  EXPECT_EQ(crv5::xpdr_code, 7612);
  EXPECT_TRUE(luminous("Radio_IFF_XPDR", 4));
  EXPECT_EQ(value_of("Radio_IFF_XPDR", 6), 0);
  // Areas 1 to 8: below / above the thousands, hundreds, tens, units; 9 the ident button.
  const uint32_t expected[] = {0x10397, 0x10073, 0x10398, 0x10074, 0x10399, 0x10075, 0x1039a, 0x10076};
  for (int area = 1; area <= 8; ++area) {
    click("Radio_IFF_XPDR", area);
    EXPECT_EQ(sent(), repeated(expected[area - 1], 1)) << area;
  }
  click("Radio_IFF_XPDR", 9);
  EXPECT_EQ(sent(), Events{});
  click("Radio_IFF_XPDR", 0);
  EXPECT_EQ(crv5::iff_power, 0);
  for (int area = 1; area <= 9; ++area) click("Radio_IFF_XPDR", area);
  EXPECT_EQ(sent(), Events{});
  EXPECT_EQ(value_of("Radio_IFF_XPDR", 4), 7);
  EXPECT_FALSE(luminous("Radio_IFF_XPDR", 4));
  EXPECT_EQ(value_of("Radio_IFF_XPDR", 6), -1);
}

// --- Sound ---------------------------------------------------------------------------------------

// A head whose click could not be loaded (no WAVE resources at all) still switches and tunes.
TEST_F(Radios, HeadsActWhenTheirClickFailedToLoad) {
  fake_platform().reset();
  for (const char* name : {"Radio_COM1", "Radio_NAV1", "Radio_ADF", "Radio_IFF_XPDR"}) {
    TestHost::service(gauge(name), kServicePreInstall, 1);
  }
  click("Radio_NAV1", 4);
  click("Radio_COM1", 8);
  click("Radio_ADF", 0);
  click("Radio_IFF_XPDR", 0);
  EXPECT_EQ(crv5::nav1_power, 1);
  EXPECT_EQ(crv5::com1_power, 1);
  EXPECT_EQ(crv5::adf_power, 1);
  EXPECT_EQ(crv5::iff_power, 0);
  host.set_u32(24, 0x1000);
  host.clear_log();
  click("Radio_NAV1", 1);
  EXPECT_EQ(sent(), repeated(0x10069, 1));
  for (const char* name : {"Radio_COM1", "Radio_NAV1", "Radio_ADF", "Radio_IFF_XPDR"}) {
    TestHost::service(gauge(name), kServicePreKill);
  }
}

}  // namespace
