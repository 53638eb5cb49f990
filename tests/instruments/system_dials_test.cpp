// The engine and system dials and the throttle quadrant at their edges: the needle tables between
// their points and the throttle set by the height of a click or drag. The dials, their tooltips
// and the throttle's clicks and drags are driven end to end by
// tests/checks/instruments/system_dials.check.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/needle_rule.h"
#include "instruments/system_dials.h"
#include "module/records.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

// --- Needle tables ------------------------------------------------------------------------------

double angle_of(const ElementNeedle& n, double value) {
  return crv5::common::needle_angle(n.table, n.table_size, n.header.position, value);
}

// The angle of a dial point seen from the needle's position.
double towards(const ElementNeedle& n, PixPoint p) { return crv5::common::point_angle(n.header.position, p); }

// Halfway, clockwise, from the direction of `a` to that of `b`.
double between(const ElementNeedle& n, PixPoint a, PixPoint b) {
  return towards(n, a) + crv5::common::normalize_degrees(towards(n, b) - towards(n, a)) / 2;
}

// The table points and stops of every dial are checked end to end by
// tests/checks/instruments/system_dials.check; here the points between, and the stops it leaves.
TEST(SystemDialTables, InterpolationAndTheStopsTheCheckFileLeaves) {
  struct Case {
    const char* label;
    const char* gauge;
    size_t needle;
    double value;
    PixPoint from, to;  // the expected angle: towards `from`, or halfway to `to` when it is given
    bool halfway = false;
  };
  const Case cases[] = {
      {"interpolation: 200 C", "EGT_Indicator", 1, 851.67, {41, 105}, {141, 60}, true},
      {"interpolation: right needle, 10 bars", "Fuel_Pressure", 1, 20879.1, {189, 237}, {163, 139}, true},
      {"interpolation: 1000 kg/h", "Fuel_Flow", 1, 2204.585537918871, {246, 78}, {250, 214}, true},
      {"table point: temperature 80 C", "Triple_Indicator", 1, 635.67, {40, 38}, {}},
      {"interpolation: oil 5 bars", "Triple_Indicator", 2, 10439.55, {140, 31}, {177, 101}, true},
      {"interpolation: fuel 2.25 bars", "Triple_Indicator", 3, 4697.7975, {151, 150}, {71, 155}, true},
      {"saturated: fuel -1 bar", "Triple_Indicator", 3, -2087.91, {41, 150}, {}},
      {"interpolation: left needle, 275 bars", "Hydraulic_Pressure", 2, 574175.25, {112, 63}, {138, 139}, true},
      {"interpolation: 25 volts", "Voltmeter", 1, 25, {111, 64}, {138, 84}, true},
      {"interpolation: 5/8", "Spoilers_Position", 1, 10240, {76, 32}, {103, 36}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.gauge) + ", " + c.label);
    const ElementNeedle& n = element<ElementNeedle>(c.gauge, c.needle);
    const double expected = c.halfway ? between(n, c.from, c.to) : towards(n, c.from);
    EXPECT_NEAR(crv5::common::normalize_degrees(angle_of(n, c.value) - expected + 180) - 180, 0, 1e-6);
  }
}

// --- Throttle -----------------------------------------------------------------------------------

MouseRect& throttle_area() { return find_gauge("Throttle_Quadrant")->mouse_rects[2]; }

std::vector<KeyEvent> throttle_at(int32_t y, uint32_t flags, MouseRect* area) {
  TestHost host;
  ClickRecord click{{110, y}, find_gauge("Throttle_Quadrant"), area};
  EXPECT_FALSE(throttle_area().function(&click, flags));  // mouse functions return false
  return host.events;
}

TEST(Throttle, SetByTheHeightOfTheClickOrDragInTheArea) {
  const struct { int32_t y; uint32_t value; } cases[] = {
      {375, 0},           // the bottom edge: idle
      {187, 8213},        // 16384 x 188 / 375 = 8213.8, truncated
      {INT_MIN, 16384},   // far beyond either end
      {INT_MAX, 0},
  };
  for (uint32_t flags : {0x20000000u, 0x20800000u}) {  // click, drag
    for (const auto& c : cases) {
      EXPECT_EQ(throttle_at(c.y, flags, &throttle_area()), (std::vector<KeyEvent>{{0x1011c, c.value}}))
          << "y " << c.y << " flags " << std::hex << flags;
    }
  }
}

TEST(Throttle, SetsNothingWithoutAnAreaOrWithoutAHeightToMeasureBy) {
  {
    TestHost host;
    EXPECT_FALSE(throttle_area().function(nullptr, 0x20000000));  // no click record at all
    EXPECT_TRUE(host.events.empty());
  }
  EXPECT_TRUE(throttle_at(100, 0x20000000, nullptr).empty());
  MouseRect flat = throttle_area();
  flat.box.height = 0;
  for (int32_t y : {-1, 0, 1}) EXPECT_TRUE(throttle_at(y, 0x20800000, &flat).empty()) << y;
  flat.box.height = -375;
  EXPECT_TRUE(throttle_at(100, 0x20800000, &flat).empty());
}

}  // namespace
