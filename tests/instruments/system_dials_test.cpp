// The throttle quadrant set by the height of a click or drag, at its edges. The dials, their
// needles between and on their table points, their tooltips and the throttle's clicks and drags
// are driven end to end by tests/checks/instruments/system_dials.check.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "module/records.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

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
