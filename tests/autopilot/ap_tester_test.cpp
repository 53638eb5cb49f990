// The autopilot annunciator tester's read-out format: right-aligned in six characters across
// every band, nothing written where the value cannot be shown. Its lamps, read-outs and failure
// are checked end to end by tests/checks/autopilot/ap_tester.check.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "autopilot/autopilot.h"

namespace {

using crv5::autopilot::format_tester_value;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ApTesterReadouts, SixCharactersRightAlignedAcrossEveryBand) {
  struct Case {
    const char* band;
    double value;
    const char* text;  // null: nothing written
  } cases[] = {
      {"v >= 100000, rounds", 999999.4, "999999"},
      {"v >= 100000, cannot fit", 999999.5, nullptr},
      {"10000..100000, top", 99999.6, "100000"},
      {"10000", 10000, " 10000"},
      {"1000..10000", 1000, "  1000"},
      {"1000..10000, top", 9999.7, " 10000"},
      {"0", 0, "     0"},
      {"0..1000, 999.6 rounds to four digits", 999.6, "  1000"},
      {"-1000..0", -500, "  -500"},
      {"-1000..0, -0.4 prints as printf does", -0.4, "    -0"},
      {"-1000..0, -999.7 rounds to five characters", -999.7, " -1000"},
      {"-1000", -1000, " -1000"},
      {"-10000", -10000, "-10000"},
      {"below -10000", -10000.1, nullptr},
      {"NaN", kNaN, nullptr},
      {"infinity", kInf, nullptr},
  };
  for (const Case& c : cases) {
    char text[10];
    std::memset(text, 'x', sizeof text);
    std::strcpy(text, "before");
    const bool written = format_tester_value(c.value, text, 6);
    EXPECT_EQ(written, c.text != nullptr) << c.band;
    EXPECT_STREQ(text, c.text ? c.text : "before") << c.band;
    EXPECT_EQ(text[7], 'x') << c.band << ": nothing past the seventh byte";
  }
}

}  // namespace
