// The flight model: the standard atmosphere at its table points, airspeeds, the brakes, stalls,
// every output finite and in range whatever the inputs, and the scenario file's errors. Flown by
// tests/checks/flight: the take-off run, turns, the scenarios and the autopilot's modes.
#include "host/sim/flight/flight_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "host/sim/flight/atmosphere.h"
#include "host/sim/flight/corvane_flight.h"
#include "host/sim/variables.h"
#include "tests/host/host_support.h"

namespace gaugehost::flight {
namespace {

using tests::error_of;

// Points of the ICAO standard atmosphere table, by geopotential altitude; beyond the table and
// for no number at all the atmosphere holds.
TEST(Atmosphere, MatchesTheStandardTableAndHoldsBeyondIt) {
  const struct {
    double altitude_m, temperature_k, pressure_pa, density;
  } points[] = {
      {0, 288.15, 101325, 1.2250},     {1000, 281.65, 89875, 1.1116},
      {5000, 255.65, 54020, 0.73612},  {11000, 216.65, 22632, 0.36392},
      {15000, 216.65, 12045, 0.19367}, {20000, 216.65, 5474.9, 0.088035},
      {30000, 226.65, 1171.9, 0.018012},
  };
  for (const auto& p : points) {
    const Atmosphere air = standard_atmosphere(p.altitude_m);
    EXPECT_NEAR(air.temperature_k, p.temperature_k, 0.01) << p.altitude_m;
    EXPECT_NEAR(air.pressure_pa / p.pressure_pa, 1, 0.001) << p.altitude_m;
    EXPECT_NEAR(air.density / p.density, 1, 0.001) << p.altitude_m;
  }
  EXPECT_NEAR(standard_atmosphere(0).speed_of_sound, 340.29, 0.01);
  EXPECT_NEAR(standard_atmosphere(11000).speed_of_sound, 295.07, 0.01);
  EXPECT_EQ(standard_atmosphere(1e9).pressure_pa, standard_atmosphere(kHighestAltitude).pressure_pa);
  EXPECT_EQ(standard_atmosphere(-1e9).pressure_pa, standard_atmosphere(kLowestAltitude).pressure_pa);
  EXPECT_EQ(standard_atmosphere(std::nan("")).pressure_pa, kSeaLevelPressure);
}

TEST(Atmosphere, AltimeterSettingAndAirspeeds) {
  EXPECT_NEAR(indicated_altitude(3000, 1013.25), 3000, 0.5);
  // One millibar is about 27 feet (8.3 m) near sea level: a higher setting reads higher.
  EXPECT_NEAR(indicated_altitude(0, 1023.25), 83.8, 1);
  EXPECT_NEAR(pressure_altitude(54020), 5000, 1);
  // At sea level indicated and true are equal; at 10000 m, 250 knots indicated is 412 true.
  EXPECT_NEAR(indicated_from_true(100, standard_atmosphere(0)), 100, 0.01);
  const Atmosphere high = standard_atmosphere(10000);
  const double tas = true_from_indicated(250 / kKnotsPerMetrePerSecond, high);
  EXPECT_NEAR(tas * kKnotsPerMetrePerSecond, 411.7, 0.5);
  EXPECT_NEAR(indicated_from_true(tas, high), 250 / kKnotsPerMetrePerSecond, 1e-6);
  // Beyond Mach 1 the pitot's shock: the round trip still holds.
  const double fast = 1.6 * high.speed_of_sound;
  EXPECT_NEAR(true_from_indicated(indicated_from_true(fast, high), high), fast, 1e-3);
}

FlightState on_runway() {
  return {.position = {47.25, 6.5}, .heading = 272, .on_ground = true};
}

// The brakes hold full dry thrust (not the afterburner's).
TEST(FlightModel, StandsStillWithParkingBrakeOrAtIdle) {
  FlightState s = on_runway();
  for (int i = 0; i < 180; ++i)
    s = step(s, {}, {.turbine_percent = 100, .parking_brake = true}, 1.0 / 18);
  EXPECT_EQ(s.true_airspeed, 0);
  for (int i = 0; i < 180; ++i) s = step(s, {.brakes = 1}, {.turbine_percent = 62}, 1.0 / 18);
  EXPECT_EQ(s.true_airspeed, 0);
}

TEST(FlightModel, StallsWithTheNoseDropping) {
  FlightState slow{.position = {47, 6}, .altitude_m = 3000, .true_airspeed = 60, .pitch = 25,
                   .on_ground = false};
  for (int i = 0; i < 18 * 10; ++i)
    slow = step(slow, {.elevator = 1}, {.turbine_percent = 50, .gear = 0}, 1.0 / 18);
  EXPECT_LT(slow.pitch, 25);
}

bool finite(const FlightState& s) {
  for (double v : {s.position.lat, s.position.lon, s.altitude_m, s.ground_m, s.true_airspeed,
                   s.pitch, s.bank, s.heading, s.path, s.alpha, s.turn_rate, s.load_factor, s.slip,
                   s.thrust_n})
    if (!std::isfinite(v)) return false;
  return true;
}

// Random and hostile inputs for a long time: every number stays finite and in its range.
TEST(FlightModel, OutputsStayFiniteAndInRangeWhateverTheInputs) {
  std::mt19937 random(18);
  std::uniform_real_distribution<double> wide(-1e6, 1e6), unit(-1.5, 1.5);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  FlightState s = on_runway();
  for (int i = 0; i < 18 * 600; ++i) {
    Controls c{unit(random), unit(random), unit(random), unit(random)};
    Configuration config{.turbine_percent = i % 97 == 0 ? nan : 100 * unit(random) + 50,
                         .afterburner = i % 3 == 0, .gear = unit(random),
                         .flaps = i % 89 == 0 ? inf : unit(random), .spoilers = unit(random),
                         .chute = unit(random)};
    if (i % 1000 == 7) s.true_airspeed = wide(random);  // a state set from outside
    if (i % 1000 == 9) s.altitude_m = nan;
    s = step(s, c, config, i % 500 == 3 ? inf : 1.0 / 18);
    ASSERT_TRUE(finite(s)) << i;
    ASSERT_LE(std::abs(s.bank), corvane::kMaxBankDeg);
    ASSERT_LE(std::abs(s.pitch), corvane::kMaxPitchDeg);
    ASSERT_GE(s.altitude_m, s.ground_m);
    ASSERT_GE(s.true_airspeed, 0);
    ASSERT_LE(s.true_airspeed, 700);
  }
}

TEST(Scenarios, FileErrorsNameFileLineAndProblem) {
  const std::string ramp = "scenario ramp\nposition 1 2\nground 100\nheading 90\n";
  const std::pair<std::string, std::string> cases[] = {
      {"position 1 2\n", "1: expected: scenario NAME before its settings"},
      {"scenario runway\n", "1: the first scenario must be ramp, which every other starts from"},
      {ramp + "scenario x\nheading 400\n",
       "6: bad DEGREES \"400\", expected a number from 0 to 360"},
      {ramp + "scenario x\nspeed 3\n",
       "6: unknown setting \"speed\", expected position, ground, altitude, heading, airspeed, "
       "pitch, bank, climb, var or click"},
      {ramp + "click Radio_NAV1 40\n", "5: expected: click GAUGE X Y"},
      {ramp + "click Radio_NAV1 40 -1\n", "5: bad Y \"-1\", expected a number from 0 to 100000"},
      {ramp + "click Radio_NAV1 40.5 58\n", "5: bad X 40.5, expected whole pixels"},
      {ramp + "var 24 1.5\n", "5: bad value 1.5 of integer variable, expected a whole number"},
      {ramp + "var 2000 1\n", "5: " + unknown_variable(2000)},
      {ramp + "scenario ramp\n", "5: scenario ramp given twice"},
      {"scenario ramp\nground 100\n",
       " the ramp scenario needs a position, a ground and a heading"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(error_of([&] { parse_scenarios(c.first, "scenes.txt"); }), "scenes.txt:" + c.second);
}

}  // namespace
}  // namespace gaugehost::flight
