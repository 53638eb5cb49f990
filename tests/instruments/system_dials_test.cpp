// The throttle quadrant's mouse function without an area or without a height to measure by. The
// dials, their needles, their tooltips and the throttle set by the height of a click or drag are
// driven end to end by tests/checks/instruments/system_dials.check.
#include <gtest/gtest.h>

#include <vector>

#include "module/records.h"
#include "tests/support/test_host.h"

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

// (A click without a record is every mouse function's: gauge_table_test.)
TEST(Throttle, SetsNothingWithoutAnAreaOrWithoutAHeightToMeasureBy) {
  EXPECT_TRUE(throttle_at(100, 0x20000000, nullptr).empty());
  MouseRect flat = throttle_area();
  flat.box.height = 0;
  for (int32_t y : {-1, 0, 1}) EXPECT_TRUE(throttle_at(y, 0x20800000, &flat).empty()) << y;
  flat.box.height = -375;
  EXPECT_TRUE(throttle_at(100, 0x20800000, &flat).empty());
}

}  // namespace
