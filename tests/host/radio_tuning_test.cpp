// The receivers' arithmetic: packed values read and written as the radio heads decode them, and
// the steps with their wraps and stops.
#include "host/sim/radio_tuning.h"

#include <gtest/gtest.h>

namespace gaugehost::radio {
namespace {

TEST(RadioTuning, VhfPackedValuesReadAndWriteAsTheHeadsDecodeThem) {
  struct Case {
    uint32_t packed;
    Band band;
    Frequency frequency;
    uint32_t written;  // packed again
  };
  const Case cases[] = {
      {0x1827, kComBand, {118, 275}, 0x1827},  // the COM head's tooltip rule: 27 is .275
      {0x1822, kComBand, {118, 225}, 0x1822},
      {0x3697, kComBand, {136, 975}, 0x3697},
      {0x1823, kComBand, {118, 225}, 0x1822},  // no channel ends so: the nearest one
      {0x0000, kComBand, {118, 0}, 0x1800},    // below the band: its lowest megahertz
      {0x9999, kComBand, {136, 975}, 0x3697},
      {0xFFFF, kComBand, {136, 975}, 0x3697},  // digits beyond 9 count as 9
      {0x1345, kNavBand, {113, 450}, 0x1345},
      {0x1799, kNavBand, {117, 950}, 0x1795},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.packed);
    EXPECT_EQ(decode_vhf(c.packed, c.band), c.frequency);
    EXPECT_EQ(pack_vhf(c.frequency), c.written);
  }
}

// (The knobs' single steps, wraps and stops are driven by tests/checks/model/radio_tuning.check.)
TEST(RadioTuning, StepsOfMoreThanOneGoRoundOnce) {
  EXPECT_EQ(step_mhz({108, 0}, -10, kNavBand), (Frequency{108, 0}));
  EXPECT_EQ(step_channel({118, 250}, +4, kComBand), (Frequency{118, 350}));
  EXPECT_EQ(step_adf(2005, -10), kAdfLowTenths);
}

TEST(RadioTuning, AdfReadsWritesAndSteps) {
  EXPECT_EQ(decode_adf(0x0345, 0x105), 13455);
  EXPECT_EQ(decode_adf(0x0345, 0x05), 3455);
  EXPECT_EQ(decode_adf(0x0750, 0x100), 17500);
  EXPECT_EQ(decode_adf(0, 0), kAdfLowTenths);  // nothing tuned yet: the lowest frequency
  EXPECT_EQ(decode_adf(0x0999, 0x109), kAdfHighTenths);
  EXPECT_EQ(pack_adf(13455), (AdfPacked{0x0345, 0x105}));
  EXPECT_EQ(pack_adf(4100), (AdfPacked{0x0410, 0x0}));
  EXPECT_EQ(step_adf(4095, +1), 4096);
  EXPECT_EQ(adf_from_set_value(0x4100), 4100);
  EXPECT_EQ(adf_from_set_value(0x8500), 8500);
  EXPECT_EQ(adf_from_set_value(0x12345), 12345);
  EXPECT_EQ(adf_from_set_value(0x99999), kAdfHighTenths);
  EXPECT_EQ(adf_from_set_value(0x41A0), std::nullopt);
}

TEST(RadioTuning, TransponderDigitsRunZeroToSevenRoundAndRound) {
  EXPECT_EQ(step_code_digit(0x1200, 0, -1), 0x1207u);
  EXPECT_EQ(step_code_digit(0x1200, 1, +1), 0x1210u);
  EXPECT_EQ(step_code_digit(0x9999, 2, +1), 0x7077u);  // digits beyond 7 count as 7
  EXPECT_EQ(normalise_code(0xFFFFFFFF), 0x7777u);
}

TEST(RadioTuning, PackedDecimalNumbers) {
  EXPECT_EQ(to_packed_decimal(4100), 0x4100u);
  EXPECT_EQ(to_packed_decimal(0), 0u);
  EXPECT_EQ(from_packed_decimal(0x1234), 1234u);
  EXPECT_EQ(from_packed_decimal(0x12A4), std::nullopt);
}

}  // namespace
}  // namespace gaugehost::radio
