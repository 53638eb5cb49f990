// Parachute and Parachute_Light: the lever on the ground, the rules around 40 knots, the lever
// picture's sampling of the parachute, the lamp and the tooltips.
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

GaugeHeader& lever_gauge() { return *find_gauge("Parachute"); }
GaugeHeader& lamp_gauge() { return *find_gauge("Parachute_Light"); }
ElementIcon& lever() { return icon_at(lever_gauge(), 1); }

// The lever picture as at load: pushed, nothing sampled, first sample four updates away.
void reset_lever() {
  crv5::chute_lever_pulled = 0;
  crv5::chute_last_value = 0;
  crv5::chute_trend = 0;
  crv5::chute_sample_countdown = 4;
}

TEST(Parachute, LeverWorksOnlyOnTheGround) {
  TestHost host;
  reset_lever();
  host.set(60, 0);
  EXPECT_FALSE(click(lever_gauge(), 0));
  EXPECT_EQ(crv5::chute_lever_pulled, 0);
  EXPECT_TRUE(host.events.empty());

  host.set(60, 1);
  click(lever_gauge(), 0);
  EXPECT_EQ(crv5::chute_lever_pulled, 1);
  click(lever_gauge(), 0);
  EXPECT_EQ(crv5::chute_lever_pulled, 0);
  crv5::chute_lever_pulled = 5;
  click(lever_gauge(), 0);
  EXPECT_EQ(crv5::chute_lever_pulled, 1);
  EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x10356, 0x10356, 0x10356}));
}

struct RuleCase {
  double on_ground, airspeed, token743, deployment;
  std::vector<uint32_t> events;
};

TEST(Parachute, RulesAroundFortyKnots) {
  TestHost host;
  const RuleCase cases[] = {
      {1, 39, 5, 1, {0x10356}},          // dropped at the end of the landing run
      {1, 39, 5, 0.99, {}},              // only when exactly deployed
      {1, 40, 0, 1, {}},                 // exactly 40 knots: nothing
      {1, 40, 1, 0, {}},
      {1, 120, 0, 1, {0x102fa}},         // deployed above 40 knots
      {1, 120, 4.9, 1, {0x102fa}},
      {1, 120, 5, 1, {}},
      {1, 30, 0.1, 0, {0x102fb}},        // stowed below 40 knots
      {1, 30, 0, 0, {}},
      {1, 39, 1, 1, {0x10356}},
      {0, 39, 1, 1, {}},                 // in the air none applies
      {0, 30, 1, 0, {}},
      {0, 120, 0, 1, {}},
  };
  for (const RuleCase& c : cases) {
    host.clear_log();
    host.set(60, c.on_ground);
    host.set(61, c.airspeed);
    host.set(743, c.token743);
    host.set(866, c.deployment);
    TestHost::service(lever_gauge(), kServicePreUpdate);
    EXPECT_EQ(host.event_ids(), c.events)
        << c.on_ground << " " << c.airspeed << " " << c.token743 << " " << c.deployment;
    EXPECT_EQ(host.lookups, (std::vector<uint32_t>{60, 61, 743, 866}));
  }
  host.clear_log();
  for (int32_t service : {2, 14, 12})
    TestHost::service(lever_gauge(), service);
  EXPECT_TRUE(host.lookups.empty());
}

// Updates the lever picture `count` times with the parachute at `deployment`; the last picture.
double update_lever(TestHost& host, double deployment, int count = 1) {
  host.set(866, deployment);
  double picture = -1;
  for (int i = 0; i < count; ++i) picture = evaluate(lever());
  return picture;
}

TEST(Parachute, LeverPictureFollowsTheParachuteFromTheFirstSampleThatSeesItMove) {
  TestHost host;
  reset_lever();
  EXPECT_EQ(update_lever(host, 0.3, 3), 0);  // no sample before the fourth update
  EXPECT_EQ(update_lever(host, 0.3), 1);     // the fourth sees the rise
  EXPECT_EQ(crv5::chute_trend, 1);
  EXPECT_EQ(update_lever(host, 0.3, 4), 1);  // steady: the picture stays
  EXPECT_EQ(crv5::chute_trend, 0);
  EXPECT_EQ(update_lever(host, 0.1, 3), 1);
  EXPECT_EQ(update_lever(host, 0.1), 0);     // falling
  EXPECT_EQ(crv5::chute_last_value, 0.1);
  EXPECT_EQ(update_lever(host, std::nan(""), 4), 0);  // an unreadable value is not a sample
  EXPECT_EQ(crv5::chute_last_value, 0.1);
}

TEST(Parachute, ClickShowsAtOnceUnlessTheParachuteIsAtAnEndOfTravel) {
  TestHost host;
  reset_lever();
  host.set(60, 1);
  update_lever(host, 0.5, 4);              // sampled rising, mid-travel
  click(lever_gauge(), 0);
  EXPECT_EQ(update_lever(host, 0.5), 0);   // the click shows at once

  update_lever(host, 0.95, 3);             // sampled rising to the end of travel
  EXPECT_EQ(crv5::chute_last_value, 0.95);
  click(lever_gauge(), 0);
  EXPECT_EQ(crv5::chute_lever_pulled, 0);
  EXPECT_EQ(update_lever(host, 0.95), 1);  // put back to match the deployed parachute

  update_lever(host, 0.05, 4);             // sampled falling to stowed
  click(lever_gauge(), 0);
  EXPECT_EQ(update_lever(host, 0.05), 0);
}

TEST(Parachute, LampAndTooltips) {
  TestHost host;
  ElementIcon& lamp = icon_at(lamp_gauge(), 1);
  EXPECT_EQ(lamp.source.id, 866u);
  EXPECT_EQ(lamp.header.resource_id, 300);
  EXPECT_EQ(lamp.header.image_flags, 0x7u);
  EXPECT_EQ(lamp.header.failures[0].key, 20);
  EXPECT_EQ(lamp.header.failures[0].action, kFailZero);
  host.set(866, 1);
  EXPECT_EQ(evaluate(lamp), 0);
  host.set(866, 0);
  EXPECT_EQ(evaluate(lamp), -1);
  EXPECT_EQ(lamp_gauge().callback, nullptr);
  EXPECT_STREQ(tooltips(lamp_gauge()).at(0)->text, "Warning light: Parachute deployed");

  const TooltipText& lever_tip = *tooltips(lever_gauge()).at(0);
  EXPECT_STREQ(lever_tip.text, "Parachute brake lever (parachute %1!s!)");
  host.set(866, 1);
  EXPECT_EQ(tooltip_text_arg(lever_tip, 1), "deployed");
  host.set(866, 0.5);
  EXPECT_EQ(tooltip_text_arg(lever_tip, 1), "not deployed");

  MouseRect* area = child_areas(lever_gauge()).at(0);
  EXPECT_EQ(area->box.x, 27);
  EXPECT_EQ(area->box.width, 80);
  EXPECT_EQ(area->mouse_flags, 0x20000000u);
  EXPECT_EQ(area->cursor, kCursorHand);
}

}  // namespace
