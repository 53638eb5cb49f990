// The switch family's members, record by record, against the switches' table as the aircraft's
// documentation gives it: a base (0x3) at (0,0) with a lever icon (0x3) over it, the outer mouse
// parent with its help text and tooltip, and one hand-cursor click area that sends the switch's
// key event (by the host itself, or by the family's function, which then plays the click).
#include <gtest/gtest.h>

#include "module/gauges.h"
#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;

struct Switch {
  const char* gauge;
  int32_t base, lever, lever_images;
  PixPoint lever_position;
  uint32_t source;
  PixBox click;
  uint32_t event;
  bool sends_event_itself;  // false: the host sends it
  const char* tooltip;      // null for none
  int32_t help_id;
};

const Switch kSwitches[] = {
    {"Gear_Lever", 2300, 2310, 2, {0, 38}, 331, {0, 0, 125, 135}, 0x10022, false, nullptr, 43824},
    {"Parking_Brake", 2190, 2200, 2, {0, 0}, 323, {36, 26, 75, 50}, 0x100d8, true, "Parking brake (%1!s!)", 43857},
};

TEST(SwitchFamily, EveryMemberIsABaseUnderALeverPicture) {
  for (const Switch& s : kSwitches) {
    expect_elements(s.gauge, {
        {.kind = kElementStaticImage, .bitmap = s.base, .position = {0, 0}, .flags = 0x3},
        {.kind = kElementIcon, .bitmap = s.lever, .position = s.lever_position, .flags = 0x3,
         .source = s.source, .images = s.lever_images},
    });
  }
}

TEST(SwitchFamily, EveryMemberHasItsParentTooltipAndOneClickArea) {
  for (const Switch& s : kSwitches) {
    std::vector<AreaRow> rows = {parent({0, 0, 0, 0}, s.help_id)};
    if (s.tooltip) rows.push_back(tooltip_area(s.tooltip));
    rows.push_back(s.sends_event_itself ? click_area(s.click, kCursorHand, 0x20000000)
                                        : key_area(s.click, kCursorHand, 0x20000000, s.event));
    rows.push_back(parent_end());
    rows.push_back(list_end());
    expect_mouse(s.gauge, rows);
  }
}

TEST(SwitchFamily, AClickFunctionSendsTheEventWithValueZeroAndReturnsFalse) {
  for (const Switch& s : kSwitches) {
    if (!s.sends_event_itself) continue;
    TestHost host;
    GaugeHeader& gauge = *find_gauge(s.gauge);
    MouseRect* area = gauge.mouse_rects;
    while (area->kind != kMouseChild) ++area;
    ClickRecord click{.point = {area->box.x, area->box.y}, .gauge = &gauge, .rect = area};
    EXPECT_FALSE(area->function(&click, kMouseLeftSingle));
    EXPECT_EQ(host.events, (std::vector<KeyEvent>{{s.event, 0}})) << s.gauge;
    EXPECT_NE(gauge.callback, nullptr) << s.gauge << " sets up its click sound";
  }
}

}  // namespace
