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
    {"Avionics_Switch", 2400, 2410, 2, {0, 0}, 740, {0, 11, 30, 58}, 0x102f5, false, "Avionics switch (%1!s!)", 0},
    {"Battery_Switch", 2400, 2410, 2, {0, 0}, 364, {0, 4, 30, 50}, 0x102c1, false, "Battery switch (%1!s!)", 0},
    {"Beacon_Light_Switch", 2400, 2410, 2, {0, 0}, 368, {0, 11, 30, 58}, 0x102bf, false, "Beacon lights switch (%1!s!)", 0},
    {"Generator_Switch", 2400, 2410, 2, {0, 0}, 565, {0, 4, 30, 50}, 0x1033b, false, "Generator switch (%1!s!)", 0},
    {"Landing_Light_Switch", 2400, 2410, 2, {0, 0}, 14, {0, 11, 30, 58}, 0x100d7, false, "Landing lights switch (%1!s!)", 0},
    {"Navigation_Light_Switch", 2400, 2410, 2, {0, 0}, 619, {0, 11, 30, 58}, 0x1034b, false, "Navigation lights switch (%1!s!)", 0},
    {"Panel_Light_Switch", 4110, 4120, 2, {0, 0}, 10, {0, 0, 52, 52}, 0x100d6, false, "Panel lights switch (%1!s!)", 0},
    {"Pitot_Heat_Switch", 2400, 2410, 2, {0, 0}, 13, {0, 11, 30, 58}, 0x10142, false, "Pitot_Heat switch (%1!s!)", 0},
    {"Strobe_Light_Switch", 2400, 2410, 2, {0, 0}, 11, {0, 11, 30, 58}, 0x10018, false, "Strobe lights switch (%1!s!)", 0},
    {"Taxi_Light_Switch", 2400, 2410, 2, {0, 0}, 369, {0, 11, 30, 58}, 0x102c0, false, "Taxi lights switch (%1!s!)", 0},
    {"NAV_GPS_Switch", 2170, 2180, 2, {0, 0}, 848, {0, 11, 30, 60}, 0x10347, true, "NAV/GPS switch (%1!s! active)", 0},
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

// The two levers beside the throttle: two click areas each, the flaps' sent by the host while the
// button is held, the airbrake's by the lever's own functions; the airbrake marker is a slider.
TEST(SwitchFamily, TheFlapsLeverHasThreePicturesAndTwoHeldHalves) {
  expect_elements("Flaps_Switch", {
      {.kind = kElementStaticImage, .bitmap = 3470, .position = {0, 0}, .flags = 0x3},
      {.kind = kElementIcon, .bitmap = 3480, .position = {7, 22}, .flags = 0x3, .source = 328,
       .images = 3},
  });
  expect_mouse("Flaps_Switch", {parent(), tooltip_area("Flaps switch lever"),
                                key_area({7, 14, 60, 50}, kCursorDownArrow, 0x20200000, 0x100df),
                                key_area({7, 64, 60, 50}, kCursorUpArrow, 0x20200000, 0x100de),
                                parent_end(), list_end()});
  const GaugeHeader& gauge = *find_gauge("Flaps_Switch");
  EXPECT_EQ(gauge.mouse_rects[1].tooltip_arg_count, 0u);
  EXPECT_EQ(gauge.callback, nullptr);
}

TEST(SwitchFamily, TheAirbrakeLeverIsAMarkerSlidingDownItsScale) {
  expect_elements("Spoilers_Lever", {
      {.kind = kElementStaticImage, .bitmap = 3370, .position = {0, 0}, .flags = 0x3},
      {.kind = kElementSlider, .bitmap = 3380, .position = {17, 14}, .flags = 0x3},
  });
  const auto& marker = element_at<ElementSlider>("Spoilers_Lever", 1);
  EXPECT_EQ(marker.y.source.id, 325u);
  EXPECT_EQ(marker.y.scale, 0.003173828125);
  EXPECT_EQ(marker.y_callback, nullptr);
  EXPECT_EQ(marker.x.source.id, 0u);
  EXPECT_EQ(marker.x.scale, 0.0);
  expect_mouse("Spoilers_Lever", {parent({0, 0, 0, 0}, 43927),
                                  click_area({10, 10, 32, 32}, kCursorDownArrow, 0x20000000),
                                  click_area({10, 42, 32, 32}, kCursorUpArrow, 0x20000000),
                                  parent_end(), list_end()});
  EXPECT_EQ(find_gauge("Spoilers_Lever")->callback, nullptr);
}

}  // namespace
