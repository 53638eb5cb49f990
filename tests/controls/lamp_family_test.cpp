// The lamp family's members, record by record, against the lamps' table as the aircraft's
// documentation gives it: a dark lamp (0x3) at (0,0) with a lit icon (0x7) over it, and one
// outer mouse parent carrying the lamp's tooltip or help text.
#include <gtest/gtest.h>

#include "module/gauges.h"
#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;

struct Lamp {
  const char* gauge;
  int32_t dark, lit, lit_images;
  uint32_t source;
  Failure failure;
  const char* tooltip;  // null: help id only
  int32_t tooltip_args;
  int32_t help_id;
};

const Lamp kLamps[] = {
    {"Low_Fuel_Level_Light", 2480, 2490, 1, 638, {21, 3}, "Low fuel level light (less than %1!d! percent)", 1, 0},
    {"Low_Fuel_Press_Light", 1000, 1010, 1, 899, {21, 3}, "Low fuel pressure light (%1!4.2f! bars)", 1, 0},
    {"Ten_Minutes_Flight_Light", 3320, 3330, 1, 638, {21, 3}, "Ten minutes flight light", 0, 0},
    {"Gear_Light_Green", 2320, 2330, 1, 332, {20, 2}, "Gear down light", 0, 0},
    {"Gear_Warning_Light", 2360, 2370, 1, 614, {21, 3}, "Gear down forgotten warning light", 0, 0},
    {"Parachute_Light", 290, 300, 1, 866, {20, 2}, "Warning light: Parachute deployed", 0, 0},
    {"Afterburner_Light", 2480, 2490, 1, 632, {21, 3}, "Afterburner light", 0, 0},
    {"Fire_Light", 4090, 4100, 1, 887, {20, 3}, "Warning light : Fire in engire compartment", 0, 0},
    {"Hydr_Press_Light_Main", 1000, 1010, 1, 732, {21, 3}, "Low pressure in main hydraulic circuit", 0, 0},
    {"Hydr_Press_Light_Aux", 1000, 1010, 1, 734, {21, 3}, "Low pressure in auxiliary hydraulic circuit", 0, 0},
    {"Battery_Light", 2420, 2430, 1, 0, {21, 3}, "Battery Off light", 0, 0},
    {"Generator_Light", 2420, 2430, 1, 565, {21, 3}, "Generator off light", 0, 0},
    {"Pitot_Heat_Light", 1000, 1010, 1, 13, {21, 3}, "Pitot heat warning light", 0, 0},
    {"Speed_Brake_Light", 2210, 2220, 1, 326, {21, 3}, "Speed brake fully deployed light", 0, 0},
    {"Flaps_Light", 2340, 2350, 3, 329, {21, 3}, "Flaps position light (%1!s!)", 1, 0},
    {"OMI_Light", 2380, 2390, 4, 354, {21, 3}, nullptr, 0, 43856},
};

TEST(LampFamily, EveryMemberIsADarkLampUnderABrightLitIcon) {
  for (const Lamp& lamp : kLamps) {
    expect_elements(lamp.gauge, {
        {.kind = kElementStaticImage, .bitmap = lamp.dark, .position = {0, 0}, .flags = 0x3},
        {.kind = kElementIcon, .bitmap = lamp.lit, .position = {0, 0}, .flags = 0x7,
         .failures = {lamp.failure}, .source = lamp.source, .images = lamp.lit_images},
    });
  }
}

TEST(LampFamily, EveryMemberHasOneOuterParentWithItsTooltipAndNoClick) {
  for (const Lamp& lamp : kLamps) {
    if (lamp.tooltip) {
      expect_mouse(lamp.gauge, {parent({0, 0, 0, 0}, lamp.help_id), tooltip_area(lamp.tooltip),
                                parent_end(), list_end()});
    } else {
      expect_mouse(lamp.gauge, {parent({0, 0, 0, 0}, lamp.help_id), parent_end(), list_end()});
    }
    const GaugeHeader& gauge = *find_gauge(lamp.gauge);
    if (lamp.tooltip) {
      EXPECT_EQ(gauge.mouse_rects[1].tooltip_arg_count, uint32_t(lamp.tooltip_args)) << lamp.gauge;
    }
    EXPECT_EQ(gauge.callback, nullptr) << lamp.gauge;
  }
}

}  // namespace
