// The head-up display's altitude read-out at its edges. What each flight instrument shows (the
// airspeed scale, the altimeter's drums and masks, the cabin schedule), its knobs, flags and
// memories are driven end to end by tests/checks/instruments/.
#include <gtest/gtest.h>

#include <cmath>

#include "instruments/hud_mode.h"
#include "tests/support/test_host.h"

namespace {

using namespace crv5::testing;

// The read-out prints as printf does, held at 99999 from 99999.5 feet; a height below the ground
// or no number leaves it as it was.
TEST(HeadUpDisplay, ReadoutHeldToFiveFigures) {
  const std::pair<double, const char*> cases[] = {
      {9.6, "   10"}, {99999.4, "99999"}, {99999.6, "99999"}, {kInf, "99999"}, {-0.0, "    0"},
  };
  for (const auto& [feet, text] : cases) {
    char out[6] = "xxxxx";
    ASSERT_TRUE(crv5::hud::altitude_readout(feet, out)) << feet;
    EXPECT_STREQ(out, text) << feet;
  }
  for (double feet : {-0.4, kNaN}) {
    char out[6] = "keep";
    EXPECT_FALSE(crv5::hud::altitude_readout(feet, out)) << feet;
    EXPECT_STREQ(out, "keep");
  }
}

}  // namespace
