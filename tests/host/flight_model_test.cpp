// The flight model: the standard atmosphere at its table points, airspeeds, the take-off run
// within its documented bounds, and every output finite and in range whatever the inputs.
#include "host/sim/flight/flight_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "host/sim/flight/atmosphere.h"

namespace gaugehost::flight {
namespace {

struct AtmospherePoint {
  double altitude_m;
  double temperature_k;
  double pressure_pa;
  double density;
};

// Points of the ICAO standard atmosphere table, by geopotential altitude.
TEST(Atmosphere, MatchesTheStandardTable) {
  const AtmospherePoint points[] = {
      {0, 288.15, 101325, 1.2250},    {1000, 281.65, 89875, 1.1116},
      {5000, 255.65, 54020, 0.73612}, {11000, 216.65, 22632, 0.36392},
      {15000, 216.65, 12045, 0.19367}, {20000, 216.65, 5474.9, 0.088035},
      {30000, 226.65, 1171.9, 0.018012},
  };
  for (const AtmospherePoint& p : points) {
    const Atmosphere air = standard_atmosphere(p.altitude_m);
    EXPECT_NEAR(air.temperature_k, p.temperature_k, 0.01) << p.altitude_m;
    EXPECT_NEAR(air.pressure_pa / p.pressure_pa, 1, 0.001) << p.altitude_m;
    EXPECT_NEAR(air.density / p.density, 1, 0.001) << p.altitude_m;
  }
  EXPECT_NEAR(standard_atmosphere(0).speed_of_sound, 340.29, 0.01);
  EXPECT_NEAR(standard_atmosphere(11000).speed_of_sound, 295.07, 0.01);
}

TEST(Atmosphere, HoldsAltitudesBeyondTheTableAndNoNumbers) {
  EXPECT_EQ(standard_atmosphere(1e9).pressure_pa, standard_atmosphere(kHighestAltitude).pressure_pa);
  EXPECT_EQ(standard_atmosphere(-1e9).pressure_pa, standard_atmosphere(kLowestAltitude).pressure_pa);
  EXPECT_EQ(standard_atmosphere(std::nan("")).pressure_pa, kSeaLevelPressure);
}

TEST(Atmosphere, AltimeterReadsAgainstItsSetting) {
  EXPECT_NEAR(indicated_altitude(3000, 1013.25), 3000, 0.5);
  // One millibar is about 27 feet (8.3 m) near sea level: a higher setting reads higher.
  EXPECT_NEAR(indicated_altitude(0, 1023.25), 83.8, 1);
  EXPECT_NEAR(pressure_altitude(54020), 5000, 1);
}

TEST(Atmosphere, IndicatedAndTrueAirspeed) {
  // At sea level they are equal; at 10000 m, 250 knots indicated is Mach 0.707, 412 knots true.
  const Atmosphere sea = standard_atmosphere(0);
  EXPECT_NEAR(indicated_from_true(100, sea), 100, 0.01);
  const Atmosphere high = standard_atmosphere(10000);
  const double tas = true_from_indicated(250 / kKnotsPerMetrePerSecond, high);
  EXPECT_NEAR(tas * kKnotsPerMetrePerSecond, 411.7, 0.5);
  EXPECT_NEAR(indicated_from_true(tas, high), 250 / kKnotsPerMetrePerSecond, 1e-6);
  // Beyond Mach 1 the pitot's shock: the round trip still holds.
  const double fast = 1.6 * high.speed_of_sound;
  EXPECT_NEAR(true_from_indicated(indicated_from_true(fast, high), high), fast, 1e-3);
}

FlightState on_runway() {
  FlightState s;
  s.position = {47.25, 6.5};
  s.heading = 272;
  s.on_ground = true;
  return s;
}

// The take-off run at full dry thrust and take-off flaps, rotating at 150 knots: the model's
// documented bounds are 500 to 1100 metres to lift-off.
TEST(FlightModel, TakeOffDistanceWithinItsBounds) {
  FlightState s = on_runway();
  const Configuration config{.turbine_percent = 100, .flaps = 1.0 / 3};
  Controls controls;
  double rolled = 0;
  const nav::LatLon start = s.position;
  for (int i = 0; i < 18 * 60 && s.on_ground; ++i) {
    if (s.true_airspeed * kKnotsPerMetrePerSecond >= 150) controls.elevator = 0.5;
    s = step(s, controls, config, 1.0 / 18);
    rolled = nav::distance_m(start, s.position);
  }
  EXPECT_FALSE(s.on_ground);
  EXPECT_GT(rolled, 500);
  EXPECT_LT(rolled, 1100);
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

TEST(FlightModel, CoordinatedTurnFromBank) {
  FlightState s;
  s.position = {47, 6};
  s.altitude_m = 3000;
  s.ground_m = 0;
  s.on_ground = false;
  s.true_airspeed = 150;
  s.bank = 30;
  s.pitch = 3;
  s.path = 0;
  s = step(s, {}, {.turbine_percent = 80, .gear = 0}, 1.0 / 18);
  // g tan(bank) / V, in degrees per second, to the right.
  EXPECT_NEAR(s.turn_rate, 9.80665 * std::tan(30 * M_PI / 180) / 150 * 180 / M_PI, 0.8);
  EXPECT_GT(s.load_factor, 0.5);
  EXPECT_EQ(s.slip, 0);
}

TEST(FlightModel, StallsAndDropsTheNose) {
  FlightState s;
  s.altitude_m = 3000;
  s.on_ground = false;
  s.true_airspeed = 60;
  s.pitch = 25;
  for (int i = 0; i < 18 * 10; ++i) s = step(s, {.elevator = 1}, {.turbine_percent = 50, .gear = 0}, 1.0 / 18);
  EXPECT_LT(s.pitch, 25);
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

}  // namespace
}  // namespace gaugehost::flight
