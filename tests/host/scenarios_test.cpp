// The scenario file's errors. The host's own flight bound to the token variables (the ramp, values
// set from outside adopted), the autopilot's modes and the scenarios in flight, with their clicks
// on the radio heads, are flown by check files (tests/checks/flight).
#include "host/sim/flight/corvane_flight.h"

#include <gtest/gtest.h>

#include "host/base/host_error.h"
#include "host/sim/variables.h"
#include "tests/host/host_support.h"

namespace gaugehost::flight {
namespace {

using tests::error_of;

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
