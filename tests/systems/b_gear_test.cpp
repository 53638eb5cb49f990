// The gear position indicator's thresholds and blink periods, the gear-down and forgotten-gear
// lamps.
#include <gtest/gtest.h>

#include <vector>

#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"
#include "tests/systems/b_gauge_access.h"

namespace {

using namespace crv5::testing::systems_b;
using crv5::testing::evaluate;
using crv5::testing::TestHost;

constexpr uint32_t kNose = 332, kLeft = 333, kRight = 334;

// Gear_Lamps in draw order: 1-3 the right, nose and left down bars, 4-6 their transit lamps.
double indicator(int index) { return evaluate(element_at(gauge("Gear_Lamps"), index)); }
double icon_value(const char* name) { return evaluate(element_at(gauge(name), 1)); }

void set_legs(TestHost& host, double nose, double left, double right) {
  host.set(kNose, nose);
  host.set(kLeft, left);
  host.set(kRight, right);
}

TEST(GearLamps, DownBarsAboveSixteenThreeHundredTransitLampsFromFifty) {
  TestHost host;
  host.set(604, 0.5);  // the lit half of every period
  const struct {
    double position, bar, transit;
  } cases[] = {{16301, 0, -1}, {16300, -1, 0}, {50, -1, 0}, {49, -1, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    set_legs(host, c.position, c.position, c.position);
    for (int bar = 1; bar <= 3; ++bar) EXPECT_EQ(indicator(bar), c.bar);
    for (int lamp = 4; lamp <= 6; ++lamp) EXPECT_EQ(indicator(lamp), c.transit);
  }
}

TEST(GearLamps, TransitLampsBlinkWithTheirOwnPeriods) {
  TestHost host;
  set_legs(host, 8000, 8000, 8000);
  // Lit for the second half of each period: left 0.51 s, right 0.52 s, nose 0.53 s.
  const struct {
    double time, right, nose, left;
  } cases[] = {
      {0.255, -1, -1, -1},  // exactly half the left period: not yet
      {0.258, -1, -1, 0}, {0.262, 0, -1, 0}, {0.266, 0, 0, 0},
      {0.511, 0, 0, -1},    // the left lamp's next period has begun
      {0.525, -1, 0, -1},   // and the right one's
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    host.set(604, c.time);
    EXPECT_EQ(indicator(4), c.right);
    EXPECT_EQ(indicator(5), c.nose);
    EXPECT_EQ(indicator(6), c.left);
  }
}

TEST(GearLamps, GreenAndWarningLampsUseSixteenThousand) {
  TestHost host;
  host.set(604, 0.5);
  set_legs(host, 16200, 16200, 16200);
  EXPECT_EQ(icon_value("Gear_Light_Green"), 0);
  EXPECT_EQ(indicator(2), -1);  // while the indicator still shows the legs in transit
  EXPECT_EQ(indicator(5), 0);

  set_legs(host, 16000, 16000, 16000);  // neither lamp, whatever 614 says
  for (double arming : {0.0, 30.0, 100.0}) {
    host.set(614, arming);
    EXPECT_EQ(icon_value("Gear_Light_Green"), -1);
    EXPECT_EQ(icon_value("Gear_Warning_Light"), -1);
  }

  set_legs(host, 0, 16001, 16001);
  host.set(614, 30);
  host.clear_log();
  EXPECT_EQ(icon_value("Gear_Warning_Light"), 0);
  EXPECT_EQ(host.lookups, (std::vector<uint32_t>{614, kLeft, kRight, kNose}));
  host.set(614, 30.1);
  EXPECT_EQ(icon_value("Gear_Warning_Light"), -1);
}

}  // namespace
