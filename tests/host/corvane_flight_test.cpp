// The host's own flight bound to the token variables: scenarios, the autopilot's modes capturing
// and holding, values set from outside adopted, and the scenario file's errors.
#include "host/sim/flight/corvane_flight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/base/host_error.h"
#include "host/sim/flight/flight_tokens.h"

namespace gaugehost::flight {
namespace {

using namespace token;

struct Flight {
  SimState sim;
  CorvaneFlight flight;
  explicit Flight(const char* scenario) { flight.apply_scenario(sim, scenario); }
  void fly(double seconds) { flight.advance(sim, seconds); }
  double var(uint32_t id) const { return sim.var(id); }
};

TEST(CorvaneFlight, ScenariosStartWhereTheySay) {
  Flight ramp("ramp");
  EXPECT_EQ(ramp.var(kOnGround), 1);
  EXPECT_NEAR(ramp.var(kAltitude), 1200, 10);
  EXPECT_NEAR(ramp.var(kMagneticHeading), 180, 1e-6);
  Flight cruise("cruise");
  EXPECT_EQ(cruise.var(kOnGround), 0);
  EXPECT_NEAR(cruise.var(kAltitude), 15000, 10);
  EXPECT_NEAR(cruise.var(kIndicatedAirspeed), 350, 0.5);
  EXPECT_GT(cruise.var(kMach) / 20480, 0.6);
  Flight approach("approach");
  EXPECT_NEAR(approach.var(kNav1Deviation), 0, 5);   // on the localiser
  EXPECT_NEAR(approach.var(kNav1GlideSlope), 0, 15);  // on the glide slope
  EXPECT_EQ(approach.var(kNav1GlideSlopeFlag), 1);
  EXPECT_EQ(uint32_t(approach.var(kNav1Flags)) & kFlagNoBearing, kFlagNoBearing);
  EXPECT_THROW(ramp.flight.apply_scenario(ramp.sim, "hangar"), HostError);
}

TEST(CorvaneFlight, HeadingHoldTurnsToTheBugAndHoldsIt) {
  Flight f("cruise");
  f.sim.set_var(kHeadingBug, 150);
  f.fly(90);
  EXPECT_NEAR(f.var(kMagneticHeading), 150, 1);
  EXPECT_NEAR(f.var(kBank), 0, 1);
  EXPECT_NEAR(f.var(kAltitude), 15000, 30);  // altitude hold through the turn
  f.sim.set_var(kHeadingBug, 100);            // the short way round: left
  f.fly(2);
  EXPECT_GT(f.var(kBank), 5);                 // the bank variable is positive to the left
}

TEST(CorvaneFlight, AltitudeHoldCapturesTheSelectedAltitude) {
  Flight f("cruise");
  f.sim.set_var(kApAltitudeSelected, 16000);
  f.fly(10);
  EXPECT_GT(f.var(kVerticalSpeed), 0);
  f.fly(120);
  EXPECT_NEAR(f.var(kAltitude), 16000, 20);
  EXPECT_NEAR(f.var(kVerticalSpeed), 0, 256);
}

TEST(CorvaneFlight, ApproachTracksTheLocaliserAndGlideSlopeAndPassesTheMarkers) {
  Flight f("approach");
  f.fly(1);
  EXPECT_EQ(f.flight.quantity("glide-slope-captured"), 1);
  for (int i = 0; i < 180 * 18 && f.var(kOnGround) == 0; ++i) {
    f.fly(1.0 / 18);
    ASSERT_LT(std::abs(f.var(kNav1Deviation)), 40) << i;
  }
  EXPECT_EQ(f.var(kOnGround), 1);
  EXPECT_EQ(f.flight.quantity("markers"), 123);  // outer, middle, inner in order
}

TEST(CorvaneFlight, AdoptsValuesSetFromOutside) {
  Flight f("cruise");
  f.sim.set_var(kAltitude, 9000);
  f.sim.set_var(kApAltitudeSelected, 9000);
  f.sim.set_var(kGyroHeading, 100);  // the gyro set 10 degrees off magnetic
  f.fly(1.0 / 18);
  EXPECT_NEAR(f.var(kAltitude), 9000, 20);
  EXPECT_NEAR(f.var(kGyroHeading) - f.var(kMagneticHeading), 10, 0.1);
  // A NaN or infinity set into a flight variable is not adopted; the outputs stay finite.
  f.sim.set_var(kAltitude, std::numeric_limits<double>::quiet_NaN());
  f.sim.set_var(kIndicatedAirspeed, std::numeric_limits<double>::infinity());
  f.sim.set_var(kBaroSetting, -5);
  f.fly(5);
  for (uint32_t id : {kAltitude, kIndicatedAirspeed, kMach, kVerticalSpeed, kPitch, kBank,
                      kMagneticHeading, kGyroHeading, kLoadFactor, kTurnRate, kBall})
    EXPECT_TRUE(std::isfinite(f.var(id))) << id;
}

TEST(CorvaneFlight, GyroDriftsSlowly) {
  Flight f("ramp");
  f.fly(600);
  EXPECT_NEAR(nav::wrap180(f.var(kGyroHeading) - f.var(kMagneticHeading)),
              10 * kGyroDriftDegPerMinute, 0.01);
}

std::string error_of(std::string_view text) {
  try {
    parse_scenarios(text, "scenes.txt");
  } catch (const HostError& error) {
    return error.what();
  }
  return "";
}

TEST(Scenarios, FileErrorsNameFileLineAndProblem) {
  const std::string ramp = "scenario ramp\nposition 1 2\nground 100\nheading 90\n";
  EXPECT_EQ(error_of("position 1 2\n"), "scenes.txt:1: expected: scenario NAME before its settings");
  EXPECT_EQ(error_of("scenario runway\n"),
            "scenes.txt:1: the first scenario must be ramp, which every other starts from");
  EXPECT_EQ(error_of(ramp + "scenario x\nheading 400\n"),
            "scenes.txt:6: bad DEGREES \"400\", expected a number from 0 to 360");
  EXPECT_EQ(error_of(ramp + "scenario x\nspeed 3\n"),
            "scenes.txt:6: unknown setting \"speed\", expected position, ground, altitude, "
            "heading, airspeed, pitch, bank, climb, var or click");
  EXPECT_EQ(error_of(ramp + "click Radio_NAV1 40\n"),
            "scenes.txt:5: expected: click GAUGE X Y");
  EXPECT_EQ(error_of(ramp + "click Radio_NAV1 40 -1\n"),
            "scenes.txt:5: bad Y \"-1\", expected a number from 0 to 100000");
  EXPECT_EQ(error_of(ramp + "click Radio_NAV1 40.5 58\n"),
            "scenes.txt:5: bad X 40.5, expected whole pixels");
  EXPECT_EQ(error_of(ramp + "var 24 1.5\n"),
            "scenes.txt:5: bad value 1.5 of integer variable, expected a whole number");
  EXPECT_EQ(error_of(ramp + "scenario ramp\n"), "scenes.txt:5: scenario ramp given twice");
  EXPECT_EQ(error_of("scenario ramp\nground 100\n"),
            "scenes.txt: the ramp scenario needs a position, a ground and a heading");
  EXPECT_EQ(error_of(ramp), "");
  EXPECT_NO_THROW(read_scenarios(default_scenario_file()));
}

TEST(Scenarios, ClicksKeptInOrderUnderTheirScenario) {
  const ScenarioBook book = parse_scenarios(
      "scenario ramp\nposition 1 2\nground 100\nheading 90\n"
      "scenario x\nclick Radio_NAV1 39 58\nvar 24 4096\nclick Radio_ADF:2 276 254\n",
      "scenes.txt");
  EXPECT_TRUE(book.scenarios.front().clicks.empty());
  const std::vector<ScenarioClick>& clicks = book.find("x")->clicks;
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0].gauge, "Radio_NAV1");
  EXPECT_EQ(clicks[0].x, 39);
  EXPECT_EQ(clicks[0].y, 58);
  EXPECT_EQ(clicks[1].gauge, "Radio_ADF:2");
  EXPECT_EQ(clicks[1].x, 276);
}

}  // namespace
}  // namespace gaugehost::flight
