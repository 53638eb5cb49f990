// Parachute and Parachute_Light: the lever on the ground, the rules around 40 knots, the lever
// picture's sampling of the parachute.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"
#include "tests/systems/a_gauge_access.h"

namespace {

using namespace crv5::testing::systems_a;
using crv5::testing::evaluate;
using crv5::testing::find_gauge;
using crv5::testing::TestHost;
using Ids = std::vector<uint32_t>;

GaugeHeader& lever_gauge() { return *find_gauge("Parachute"); }

// The lever picture as at load: pushed, nothing sampled, first sample four updates away.
void reset_lever() {
  crv5::chute_lever_pulled = 0;
  crv5::chute_last_value = crv5::chute_trend = 0;
  crv5::chute_sample_countdown = 4;
}

TEST(Parachute, LeverWorksOnlyOnTheGround) {
  TestHost host;
  reset_lever();
  EXPECT_FALSE(click(lever_gauge(), 0));
  EXPECT_EQ(crv5::chute_lever_pulled, 0);
  host.set(60, 1);
  click(lever_gauge(), 0);
  EXPECT_EQ(crv5::chute_lever_pulled, 1);
  crv5::chute_lever_pulled = 5;  // anything but 1 becomes 1
  click(lever_gauge(), 0);
  EXPECT_EQ(crv5::chute_lever_pulled, 1);
  EXPECT_EQ(host.event_ids(), (Ids{0x10356, 0x10356}));
}

TEST(Parachute, RulesAroundFortyKnots) {
  TestHost host;
  struct Case { double ground, knots, token743, chute; Ids events; };
  const Case cases[] = {
      {1, 39, 5, 1, {0x10356}},  {1, 39, 5, 0.99, {}},  {1, 40, 0, 1, {}},  {1, 40, 1, 0, {}},
      {1, 120, 4.9, 1, {0x102fa}}, {1, 120, 5, 1, {}},  {1, 30, 0.1, 0, {0x102fb}},
      {1, 30, 0, 0, {}},         {0, 39, 1, 1, {}},     {0, 30, 1, 0, {}},  {0, 120, 0, 1, {}},
  };
  for (const Case& c : cases) {
    host.clear_log();
    host.set(60, c.ground);
    host.set(61, c.knots);
    host.set(743, c.token743);
    host.set(866, c.chute);
    TestHost::service(lever_gauge(), kServicePreUpdate);
    EXPECT_EQ(host.event_ids(), c.events) << c.ground << " " << c.knots << " " << c.token743;
    EXPECT_EQ(host.lookups, (Ids{60, 61, 743, 866}));
  }
}

// The lever picture after `count` updates with the parachute at `chute`.
double lever_after(TestHost& host, double chute, int count = 1) {
  host.set(866, chute);
  double picture = -1;
  for (int i = 0; i < count; ++i) picture = evaluate(icon_at(lever_gauge(), 1));
  return picture;
}

TEST(Parachute, LeverPictureSamplesEveryFourthUpdate) {
  TestHost host;
  reset_lever();
  EXPECT_EQ(lever_after(host, 0.3, 3), 0);
  EXPECT_EQ(lever_after(host, 0.3), 1);     // the first sample sees the rise
  EXPECT_EQ(lever_after(host, 0.3, 4), 1);  // steady
  EXPECT_EQ(lever_after(host, 0.1, 4), 0);  // falling
  EXPECT_EQ(lever_after(host, std::nan(""), 4), 0);
  EXPECT_EQ(crv5::chute_last_value, 0.1);   // an unreadable value is not a sample

  host.set(60, 1);
  click(lever_gauge(), 0);
  EXPECT_EQ(lever_after(host, 0.1), 1);     // mid-travel a click shows at once
  lever_after(host, 0.95, 3);               // sampled rising to the end of travel
  click(lever_gauge(), 0);
  EXPECT_EQ(lever_after(host, 0.95), 1);    // put back to match the parachute
  lever_after(host, 0.05, 4);
  click(lever_gauge(), 0);
  EXPECT_EQ(lever_after(host, 0.05), 0);
}

}  // namespace
