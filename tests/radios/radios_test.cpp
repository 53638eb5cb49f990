// The radio heads at their edges: the packed-decimal decoders and the ADF's band at install. What
// the heads draw, say and send (the COM1 channel wheel's endings, the ADF's ident too), their
// knobs' stops and the transponder's digits are driven end to end by tests/checks/radios; values
// outside the bands by the bad-value sweep.
#include <gtest/gtest.h>

#include <cmath>

#include "mechanics/radio_state.h"
#include "radios/radio_head.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;
namespace radio = crv5::radio;

GaugeHeader& gauge(const char* name) { return *find_gauge(name); }

// --- Decoders ------------------------------------------------------------------------------------

TEST(RadioDecoders, ExamplesAndBandEnds) {
  struct Case { uint32_t v; double whole, fraction; };
  for (Case c : {Case{0x1825, 118, 25}, Case{0x3695, 136, 95}, Case{0x2997, 129, 97}}) {
    EXPECT_EQ(radio::com_whole_mhz(c.v), c.whole) << std::hex << c.v;
    EXPECT_EQ(radio::frequency_fraction(c.v), c.fraction) << std::hex << c.v;
  }
  for (Case c : {Case{0x0850, 108, 50}, Case{0x1795, 117, 95}}) {
    EXPECT_EQ(radio::nav_whole_mhz(c.v), c.whole) << std::hex << c.v;
    EXPECT_EQ(radio::frequency_fraction(c.v), c.fraction) << std::hex << c.v;
  }
  EXPECT_EQ(radio::adf_khz(0x0345, 0x105), 1345.5);
  EXPECT_EQ(radio::adf_khz(0x0200, 0), 200);
  EXPECT_EQ(radio::adf_khz(0x0750, 0x100), 1750);
  EXPECT_EQ(radio::transponder_code(0x7612), 7612);
  EXPECT_EQ(radio::transponder_code(0), 0);
  EXPECT_EQ(radio::reexpress(8500, 10, 16), 0x8500u);
  EXPECT_EQ(radio::reexpress(0x4100, 16, 10), 4100u);
  EXPECT_EQ(radio::reexpress(7, 1, 16), 7u);  // no base below 2
}

// --- ADF -----------------------------------------------------------------------------------------

void tune_adf(TestHost& host, double khz) {
  const uint32_t tenths = static_cast<uint32_t>(std::lround(khz * 10));
  const uint32_t whole = tenths / 10;
  host.set_u32(16, radio::reexpress(whole % 1000, 10, 16));
  host.set_u32(18, (whole >= 1000 ? 0x100 : 0) + tenths % 10);
}

TEST(Adf, InstallPicksTheBandAndSetsTheDial) {
  TestHost host;
  struct Case { double khz, band, dial; };
  for (Case c : {Case{600, 2, 76}, Case{410, 1, 105}, Case{850, 2, 176}, Case{850.5, 3, 0.15},
                 Case{200, 1, 0}}) {
    tune_adf(host, c.khz);
    TestHost::service(gauge("Radio_ADF"), kServicePreInstall);
    EXPECT_EQ(crv5::adf_band, c.band) << c.khz;
    EXPECT_NEAR(crv5::adf_dial_angle, c.dial, 1e-9) << c.khz;
    TestHost::service(gauge("Radio_ADF"), kServicePreKill);
  }
}

}  // namespace
