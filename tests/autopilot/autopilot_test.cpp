// The autopilot's rules at their edges: the knobs' steps and wraps and the drums' places. The box,
// its switches' events, its read-outs and the tester are driven end to end by tests/checks/autopilot.
#include <gtest/gtest.h>

#include "autopilot/autopilot.h"
#include "tests/support/test_host.h"

namespace {

using namespace crv5::testing;
using crv5::autopilot::drum_position;
using crv5::autopilot::knob_step;

// --- Knobs ---

TEST(AutopilotKnobs, StepsAndWrapsKeepTheUnitsDigit) {
  struct Case { double current; int32_t step; bool increase; int32_t expected; } cases[] = {
      {0, 1, false, 359},    {359.7, 1, true, 0},   {358, 1, true, 359},  {349, 10, true, 359},
      {350, 10, true, 0},    {10, 10, false, 0},    {5, 10, false, 355},  {180.9, 10, false, 170},
      // Past the circle the rule wraps as it is; a negative value is first brought into it.
      {400.7, 1, true, 0},   {725, 10, true, 375},  {400, 10, false, 390}, {1e12, 1, true, 0},
      {-5, 1, true, 356},    {kNaN, 1, false, 359}, {-5.5, 1, false, 354}, {-1e12, 10, false, 70},
  };
  for (const auto& c : cases)
    EXPECT_EQ(knob_step(c.current, c.step, c.increase), c.expected)
        << c.current << (c.increase ? " + " : " - ") << c.step;
}

// --- Drums ---
// The odometer rule is the altimeter's (flight_instruments_test); here the turn it wraps at.

TEST(AutopilotDrums, UnitsTensHundredsRollOverAtAFullTurn) {
  struct Case { double degrees, units, tens, hundreds; } cases[] = {
      {129.95, 9.5, 29.5, 100}, {359.95, 9.5, 59.5, 300}, {360, 0, 0, 0}, {725, 5, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(drum_position(c.degrees, 1, 0.1, 10), c.units, 1e-9) << c.degrees;
    EXPECT_NEAR(drum_position(c.degrees, 10, 1, 100), c.tens, 1e-9) << c.degrees;
    EXPECT_NEAR(drum_position(c.degrees, 100, 1, 1000), c.hundreds, 1e-9) << c.degrees;
  }
}

}  // namespace
