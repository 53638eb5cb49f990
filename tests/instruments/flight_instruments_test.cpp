// The flight instruments' rules at their edges: the airspeed scale, the altimeter's drums and
// masks, the cabin schedule and the head-up display's read-out. What each instrument shows, its
// knobs, flags and memories are driven end to end by tests/checks/instruments/.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/needle_rule.h"
#include "instruments/hud_mode.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

// --- Airspeed and Mach ----------------------------------------------------------------------

struct SpeedCase { const char* kind; double knots; double degrees; };

TEST(Airspeed, PointerFollowsTheKnotsScale) {
  const SpeedCase cases[] = {
      {"table point", 60, 18},        {"table point", 150, 90},       {"table point", 200, 140},
      {"table point", 250, 168},      {"table point", 300, 192},      {"table point", 350, 212},
      {"table point", 450, 247},      {"table point", 550, 277},      {"table point", 600, 291},
      {"table point", 700, 316},      {"table point", 850, 344.5},
      {"interpolation", 100, 50},     {"interpolation", 775, 330.25}, {"interpolation", 30, 9},
      {"saturated", 900, 344.5},      {"saturated", kInf, 344.5},     {"saturated", -20, 0},
      {"saturated", kNaN, 0},
  };
  TestHost host;
  ElementNeedle& pointer = element<ElementNeedle>("Airspeed_Machmeter", 2);
  for (const SpeedCase& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " at " + std::to_string(c.knots) + " knots");
    host.set(61, c.knots);
    EXPECT_NEAR(evaluate(pointer), c.degrees, 1e-9);
  }
}

// --- Altimeter and cabin altitude --------------------------------------------------------------

// Drums in draw order: setting units, tens, hundreds, thousands; altitude tens, hundreds,
// thousands, ten thousands.
double drum(size_t index, double value) {
  auto& d = element<ElementMovingImage>("Altimeter", 1 + index);
  d.y.source.value.f = value;
  return d.y_callback(&d);
}

struct DrumCase { const char* what; double value; double expected[4]; };

TEST(Altimeter, DrumsStandAndRollAsAnOdometer) {
  const DrumCase setting[] = {
      {"999.5 mb: the last millibar rolls every drum, halfway", 999.5, {9.5, 95, 950, 500}},
      {"1008 mb: tens, hundreds and thousands stand", 1008, {8, 0, 0, 1000}},
  };
  for (const DrumCase& c : setting)
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(drum(i, c.value), c.expected[i], 1e-6) << c.what << " drum " << i;
  const DrumCase altitude[] = {
      {"12345 ft", 12345, {40, 300, 2000, 10000}},
      {"12995 ft: hundreds and thousands rolling", 12995, {90, 950, 2950, 10000}},
      {"0 ft", 0, {0, 0, 0, 0}},
      {"-25 ft wraps into the period", -25, {70, 900, 9750, 99750}},
      {"no number: drums stand at 0", kNaN, {0, 0, 0, 0}},
  };
  for (const DrumCase& c : altitude)
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(drum(4 + i, c.value), c.expected[i], 1e-6) << c.what << " drum " << i;
}

TEST(Altimeter, MasksHideAtTheirThresholds) {
  const double thresholds[] = {10, 100, 1000, 10000};
  for (size_t i = 0; i < 4; ++i) {
    auto& mask = element<ElementIcon>("Altimeter", 9 + i);
    for (const auto& [value, shown] :
         {std::pair{thresholds[i] - 0.001, true}, {thresholds[i], false}, {-50.0, true}}) {
      mask.source.value.f = value;
      EXPECT_EQ(mask.callback(&mask), shown ? 0 : -1) << "threshold " << thresholds[i] << " at " << value;
    }
  }
}

TEST(CabinAltitude, FollowsThePressurisationSchedule) {
  const struct { const char* kind; double altitude, follows_outside; uint32_t units; double cabin; } cases[] = {
      {"table point", 10000, 0, 0, 10000},   {"interpolation", 30000, 0, 0, 15000},
      {"table point", 50000, 0, 0, 20000},   {"saturated", 60000, 0, 0, 20000},
      {"below", 5000, 0, 0, 5000},           {"follows outside", 30000, 1, 0, 30000},
      {"metres", 3050, 0, 2, 10000},         {"metres, above", 6100, 0, 2, 12500},
      {"no number", kNaN, 0, 0, 0},          {"saturated", kInf, 0, 0, 0},
  };
  TestHost host;
  ElementNeedle& pointer = element<ElementNeedle>("Cabin_Altitude", 1);
  for (const auto& c : cases) {
    host.set(74, c.altitude);
    host.set(868, c.follows_outside);
    host.set_u32(335, c.units);
    EXPECT_NEAR(evaluate(pointer), c.cabin, 1e-6) << c.kind << " " << c.altitude;
  }
}

// --- Head-up display and its switch --------------------------------------------------------------

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
