// The flight instruments' behaviour through their records and callbacks, as a host drives them:
// the airspeed scale and the Mach disc, the altimeter's drums and masks, the cabin schedule, the
// attitude limits and flag, the turn coordinator, the accelerometer memories, and the head-up
// display's modes and read-out.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "common/needle_rule.h"
#include "instruments/airspeed_scale.h"
#include "instruments/hud_mode.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// --- Airspeed and Mach ----------------------------------------------------------------------

struct SpeedCase { const char* kind; double knots; double degrees; };

TEST(Airspeed, PointerFollowsTheKnotsScale) {
  const SpeedCase cases[] = {
      {"table point", 0, 0},          {"table point", 60, 18},       {"table point", 150, 90},
      {"table point", 300, 192},      {"table point", 700, 316},     {"table point", 850, 344.5},
      {"interpolation", 100, 50},     {"interpolation", 775, 330.25}, {"interpolation", 30, 9},
      {"interpolation", 175, 115},    {"saturated", 900, 344.5},     {"saturated", 1e9, 344.5},
      {"saturated", kInf, 344.5},     {"saturated", -20, 0},         {"saturated", -kInf, 0},
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

// A speed on a breakpoint belongs to the segment below: its own degrees, reached from below, and
// a step above it already follows the next segment's rate.
TEST(Airspeed, BreakpointsBelongToTheSegmentBelow) {
  const double breakpoints[][2] = {{60, 18},   {150, 90},  {200, 140}, {250, 168}, {300, 192},
                                   {350, 212}, {450, 247}, {550, 277}, {600, 291}, {700, 316}};
  for (size_t i = 0; i + 1 < std::size(breakpoints); ++i) {
    const double k = breakpoints[i][0], d = breakpoints[i][1];
    EXPECT_DOUBLE_EQ(crv5::airspeed::pointer_degrees(k), d) << k;
    const double next_rate = (breakpoints[i + 1][1] - d) / (breakpoints[i + 1][0] - k);
    EXPECT_NEAR(crv5::airspeed::pointer_degrees(k + 1e-3) - d, next_rate * 1e-3, 1e-9) << k;
  }
}

TEST(Airspeed, MachDiscTurnsBackFromThePointersLatestAngle) {
  TestHost host;
  ElementNeedle& disc = element<ElementNeedle>("Airspeed_Machmeter", 1);
  ElementNeedle& pointer = element<ElementNeedle>("Airspeed_Machmeter", 2);
  host.set(61, 300);
  host.set(64, 0.8 * 20480);
  evaluate(pointer);
  EXPECT_NEAR(evaluate(disc), 192 - 120, 1e-9);
  // The disc drawn first in the next update still uses that pointer angle.
  host.set(61, 150);
  EXPECT_NEAR(evaluate(disc), 72, 1e-9);
  evaluate(pointer);
  EXPECT_NEAR(evaluate(disc), 90 - 120, 1e-9);
  host.set(64, kNaN);  // no Mach number: the disc stays with the pointer
  EXPECT_DOUBLE_EQ(evaluate(disc), 90);
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
      {"1013.25 mb", 1013.25, {3.25, 10, 0, 1000}},
      {"999.5 mb: the last millibar rolls every drum, halfway", 999.5, {9.5, 95, 950, 500}},
      {"999.9 mb", 999.9, {9.9, 99, 990, 900}},
      {"1008 mb: tens, hundreds and thousands stand", 1008, {8, 0, 0, 1000}},
  };
  for (const DrumCase& c : setting)
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(drum(i, c.value), c.expected[i], 1e-6) << c.what << " drum " << i;
  const DrumCase altitude[] = {
      {"12345 ft", 12345, {40, 300, 2000, 10000}},
      {"12995 ft: hundreds and thousands rolling", 12995, {90, 950, 2950, 10000}},
      {"9999.5 ft", 9999.5, {95, 995, 9995, 9995}},
      {"0 ft", 0, {0, 0, 0, 0}},
      {"-25 ft wraps into the period", -25, {70, 900, 9750, 99750}},
      {"no number: drums stand at 0", kNaN, {0, 0, 0, 0}},
  };
  for (const DrumCase& c : altitude)
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(drum(4 + i, c.value), c.expected[i], 1e-6) << c.what << " drum " << i;
  for (double v : {kInf, -kInf, 1e300, -1e300}) {
    for (size_t i = 0; i < 8; ++i) {
      const double p = drum(i, v);
      EXPECT_TRUE(p >= 0 && std::isfinite(p)) << v << " drum " << i;
    }
  }
}

TEST(Altimeter, MasksHideAtTheirThresholds) {
  const double thresholds[] = {10, 100, 1000, 10000};
  for (size_t i = 0; i < 4; ++i) {
    auto& mask = element<ElementIcon>("Altimeter", 9 + i);
    for (const auto& [value, shown] : {std::pair{thresholds[i] - 0.001, true}, {thresholds[i], false},
                                       {thresholds[i] + 1, false}, {-50.0, true}}) {
      mask.source.value.f = value;
      EXPECT_EQ(mask.callback(&mask), shown ? 0 : -1) << "threshold " << thresholds[i] << " at " << value;
    }
  }
  auto& ten_thousands = element<ElementIcon>("Altimeter", 12);
  ten_thousands.source.value.f = 9999.5;
  EXPECT_EQ(ten_thousands.callback(&ten_thousands), 0);  // the drum rolls toward 1, the mask still on
}

struct CabinCase {
  const char* kind;
  double altitude;
  double follows_outside;
  uint32_t units;
  double cabin;
};

TEST(CabinAltitude, FollowsThePressurisationSchedule) {
  const CabinCase cases[] = {
      {"table point", 10000, 0, 0, 10000},   {"interpolation", 30000, 0, 0, 15000},
      {"table point", 50000, 0, 0, 20000},   {"saturated", 60000, 0, 0, 20000},
      {"below", 5000, 0, 0, 5000},           {"follows outside", 30000, 1, 0, 30000},
      {"metres", 3050, 0, 2, 10000},         {"metres, above", 6100, 0, 2, 12500},
      {"no number", kNaN, 0, 0, 0},          {"saturated", kInf, 0, 0, 0},
  };
  TestHost host;
  ElementNeedle& pointer = element<ElementNeedle>("Cabin_Altitude", 1);
  for (const CabinCase& c : cases) {
    host.set(74, c.altitude);
    host.set(868, c.follows_outside);
    host.set_u32(335, c.units);
    EXPECT_NEAR(evaluate(pointer), c.cabin, 1e-6) << c.kind << " " << c.altitude;
  }
}

// --- Attitude, turn coordinator, accelerometer ---------------------------------------------------

TEST(Attitude, PitchIsHeldToNinetyAndTheFlagFollowsEitherState) {
  auto& card = element<ElementSprite>("Attitude", 1);
  for (const auto& [pitch, held] : {std::pair{95.0, 90.0}, {-120.0, -90.0}, {45.0, 45.0}, {kNaN, 0.0}}) {
    card.y.source.value.f = pitch;
    EXPECT_DOUBLE_EQ(card.y_callback(&card), held) << pitch;
  }
  EXPECT_NEAR(90 * card.y.scale, 169.2, 1e-9);
  auto& ring = element<ElementSprite>("Attitude", 2);
  EXPECT_DOUBLE_EQ(ring.y_callback(&ring), 0);

  TestHost host;
  auto& flag = element<ElementIcon>("Attitude", 4);
  for (const auto& [a, b, shown] : {std::tuple{0u, 0u, false}, {1u, 0u, true}, {0u, 7u, true}}) {
    host.set_u32(276, a);
    host.set_u32(279, b);
    EXPECT_EQ(evaluate(flag), shown ? 0 : -1) << a << ", " << b;
  }
}

TEST(TurnCoordinator, BallFlagAndNeedle) {
  auto& ball = element<ElementSlider>("Turn_Coordinator", 1);
  ball.y.source.value.f = 127;
  EXPECT_NEAR(127 * ball.x.scale, 65.484375, 1e-9);
  EXPECT_NEAR(ball.y_callback(&ball) * ball.y.scale, -4.922, 1e-3);
  ball.y.source.value.f = -127;
  EXPECT_NEAR(ball.y_callback(&ball) * ball.y.scale, -4.922, 1e-3);  // rises toward both ends

  TestHost host;
  auto& off_flag = element<ElementIcon>("Turn_Coordinator", 3);
  for (const auto& [volts, shown] : {std::pair{20.0, true}, {20.1, false}, {0.0, true}, {kNaN, true}}) {
    host.set(755, volts);
    EXPECT_EQ(evaluate(off_flag), shown ? 0 : -1) << volts;
  }
  auto& needle = element<ElementNeedle>("Turn_Coordinator", 4);
  host.set(70, 512);
  EXPECT_DOUBLE_EQ(evaluate(needle), 2);
  auto angle = [&](double v) { return crv5::common::needle_angle(needle.table, needle.table_size, needle.header.position, v); };
  EXPECT_NEAR(angle(0), 360, 1e-9);      // interpolation: straight up
  EXPECT_NEAR(angle(4.5), 405, 1e-9);    // table point
  EXPECT_NEAR(angle(9), 405, 1e-9);      // saturated at the stop
  EXPECT_NEAR(angle(-9), 315, 1e-9);
}

TEST(Accelerometer, MemoriesKeepTheExtremesUntilReset) {
  TestHost host;
  auto& lowest = element<ElementNeedle>("Accelerometer", 2);
  auto& highest = element<ElementNeedle>("Accelerometer", 3);
  auto load = [&](double g) {
    host.set(351, g * 624);
    return std::pair{evaluate(lowest) / 624, evaluate(highest) / 624};
  };
  host.set(351, 624);
  click("Accelerometer", 0);
  EXPECT_EQ(host.lookups.back(), 351u);  // the reset reads the load factor afresh
  EXPECT_EQ(load(1), (std::pair{1.0, 1.0}));
  EXPECT_EQ(load(4), (std::pair{1.0, 4.0}));
  EXPECT_EQ(load(-2), (std::pair{-2.0, 4.0}));
  EXPECT_EQ(load(2), (std::pair{-2.0, 4.0}));
  EXPECT_EQ(load(kNaN / 624), (std::pair{-2.0, 4.0}));  // no number leaves the memories
  EXPECT_EQ(load(-kInf), (std::pair{-2.0, 4.0}));
  host.set(351, 1.5 * 624);
  click("Accelerometer", 0);
  EXPECT_EQ(load(1.5), (std::pair{1.5, 1.5}));
  host.set(351, kNaN);
  click("Accelerometer", 0);
  EXPECT_EQ(load(1.5), (std::pair{1.5, 1.5}));
}

// --- Head-up display and its switch --------------------------------------------------------------

// The display's elements in draw order: 1 glass, 2 dim pointer, 3 bright pointer, 4 dim ladder,
// 5 bright ladder, 6 dim read-out, 7 bright read-out. Which copy each mode shows, and the read-out
// in each mode and below 0 feet, are driven end to end by tests/checks/instruments/
// head_up_display.check.
void set_mode(uint32_t mode) {
  while (hud_mode > mode) click("HUD_Switch", 0);
  while (hud_mode < mode) click("HUD_Switch", 1);
}

TEST(HeadUpDisplay, LaddersAndPointersAreHeldToNinety) {
  TestHost host;
  set_mode(2);
  auto& ladder = element<ElementSprite>("Head_Up_Display", 4);
  ladder.y.source.value.f = 100;
  EXPECT_DOUBLE_EQ(ladder.y_callback(&ladder) * ladder.y.scale, 169.2);
  auto& pointer = element<ElementNeedle>("Head_Up_Display", 2);
  pointer.source.value.f = -95;
  EXPECT_DOUBLE_EQ(pointer.callback(&pointer), -90);
  set_mode(0);
}

// Just below each power of ten the rounding gives one more figure; the read-out keeps to five
// characters and shows the rounded value, holding at 99999 from 99999.5 feet.
TEST(HeadUpDisplay, ReadoutAtEveryPowerOfTen) {
  const std::pair<double, const char*> cases[] = {
      {0, "    0"},         {7.2, "    7"},          {9.4, "    9"},          {9.6, "   10"},
      {10, "   10"},        {99.4, "   99"},         {99.7, "  100"},          {100, "  100"},
      {999.6, " 1000"},     {1000, " 1000"},         {9999.6, "10000"},        {10000, "10000"},
      {99999.4, "99999"},   {99999.6, "99999"},      {100000, "99999"},        {1e12, "99999"},
      {kInf, "99999"},      {-0.0, "    0"},
  };
  for (const auto& [feet, text] : cases) {
    char out[6] = "xxxxx";
    ASSERT_TRUE(crv5::hud::altitude_readout(feet, out)) << feet;
    EXPECT_STREQ(out, text) << feet;
  }
  for (double feet : {-20.0, -0.4, -kInf, kNaN}) {
    char out[6] = "keep";
    EXPECT_FALSE(crv5::hud::altitude_readout(feet, out)) << feet;
    EXPECT_STREQ(out, "keep");
  }
}

}  // namespace
