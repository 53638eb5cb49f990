// The radio heads' packed-decimal decoders at their edges. What the heads draw, say and send (the
// COM1 channel wheel's endings, the ADF's band at install and its ident too), their knobs' stops
// and the transponder's digits are driven end to end by tests/checks/radios; values outside the
// bands by the bad-value sweep.
#include <gtest/gtest.h>

#include <ios>

#include "radios/radio_head.h"

namespace {

namespace radio = crv5::radio;

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

}  // namespace
