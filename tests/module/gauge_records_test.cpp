// The records of the gauges built one by one (not family members): every element in draw order
// with its bitmap, position, pivot, flags, failure list, source, image count and maximum turn;
// every needle table; every mouse record with its box, cursor, flags, event, help id and tooltip.
// Written from the gauges' descriptions, so a record that drifts from them fails here.
#include <gtest/gtest.h>

#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;

TEST(GaugeRecords, FuelQuantity) {
  expect_elements("Fuel_Quantity", {
      {.kind = kStatic, .bitmap = 2030, .position = {0, 0}, .flags = 0x4003},
      {.kind = kNeedle, .bitmap = 2050, .position = {150, 150}, .flags = 0x4083, .failures = {{20, 1}}, .source = 297, .pivot = {14, 18}, .max_turn = 48},
      {.kind = kNeedle, .bitmap = 2040, .position = {150, 150}, .flags = 0x4083, .failures = {{20, 1}}, .source = 291, .pivot = {14, 18}, .max_turn = 48},
      {.kind = kStatic, .bitmap = 2060, .position = {0, 0}, .flags = 0x3},
  });
  for (size_t needle : {1u, 2u}) {
    expect_needle_table("Fuel_Quantity", needle, {{{122, 257}, -1}, {{122, 257}, 0}, {{124, 51}, 500}, {{178, 253}, 1100}, {{178, 253}, 1200}});
  }
  expect_mouse("Fuel_Quantity", {
      parent(),
      parent({0, 0, 150, 300}), tooltip_area("Fuel quantity left %3!s! external tanks (%1!d! kg)"), parent_end(),
      parent({150, 0, 150, 300}), tooltip_area("Fuel quantity right %3!s! external tanks (%2!d! kg)"), parent_end(),
      parent_end(), list_end(),
  });
}

TEST(GaugeRecords, TurbineSpeedDials) {
  expect_elements("Engine_RPM", {
      {.kind = kStatic, .bitmap = 460, .position = {0, 0}, .flags = 0x4003},
      {.kind = kNeedle, .bitmap = 480, .position = {150, 215}, .flags = 0x4083, .failures = {{2, 0}, {20, 2}}, .source = 625, .pivot = {7, 8}},
      {.kind = kNeedle, .bitmap = 470, .position = {150, 152}, .flags = 0x4083, .failures = {{2, 0}, {20, 2}}, .source = 625, .pivot = {13, 14}},
      {.kind = kStatic, .bitmap = 490, .position = {0, 0}, .flags = 0x3},
  });
  expect_needle_table("Engine_RPM", 1, {{{150, 175}, 0}, {{150, 255}, 5.472256}});
  expect_needle_table("Engine_RPM", 2, {{{150, 32}, -1}, {{150, 32}, 0}, {{150, 272}, 54.72256}});
  expect_mouse("Engine_RPM", {parent(), tooltip_area("Turbine tachometer (%1!d! RPM)"), parent_end(), list_end()});

  struct Corrected {
    const char* gauge;
    int32_t dial;
    uint32_t speed;
  };
  for (const Corrected& c : {Corrected{"Engine_Corrected_N1", 1420, 626}, Corrected{"Engine_Corrected_N2", 1430, 627}}) {
    expect_elements(c.gauge, {
        {.kind = kStatic, .bitmap = c.dial, .position = {0, 0}, .flags = 0x4003},
        {.kind = kNeedle, .bitmap = 1440, .position = {63, 63}, .flags = 0x4083, .failures = {{2, 0}, {20, 2}}, .source = c.speed, .pivot = {7, 2}},
        {.kind = kNeedle, .bitmap = 1450, .position = {100, 100}, .flags = 0x4083, .failures = {{2, 0}, {20, 2}}, .source = c.speed, .pivot = {30, 7}},
        {.kind = kStatic, .bitmap = 1460, .position = {0, 0}, .flags = 0x3},
    });
    expect_needle_table(c.gauge, 1, {{{63, 45}, 0}, {{63, 81}, 5}});
    expect_needle_table(c.gauge, 2, {{{100, 20}, 0}, {{20, 100}, 100}, {{30, 64}, 110}});
  }
  expect_mouse("Engine_Corrected_N1", {parent({0, 0, 0, 0}, 43809), parent_end(), list_end()});
  expect_mouse("Engine_Corrected_N2", {parent({0, 0, 0, 0}, 43810), tooltip_area("Turbine tachometer (corrected N2 = %1!d! percent)"), parent_end(), list_end()});
}

TEST(GaugeRecords, StartStateGauges) {
  for (const char* gauge : {"Engine_Off", "Engine_On"}) {
    expect_elements(gauge, {{.kind = kStatic, .bitmap = 60, .position = {0, 0}, .flags = 0x3}});
    expect_mouse(gauge, {parent(), parent_end(), list_end()});
  }
}

TEST(GaugeRecords, StarterBoard) {
  expect_elements("Starter_Board", {
      {.kind = kStatic, .bitmap = 4210, .position = {0, 0}, .flags = 0x3},
      {.kind = kIcon, .bitmap = 4240, .position = {159, 117}, .flags = 0x3, .failures = {{21, 2}}, .source = 891, .images = 2},
      {.kind = kIcon, .bitmap = 4240, .position = {37, 117}, .flags = 0x3, .failures = {{21, 2}}, .source = 891, .images = 2},
      {.kind = kIcon, .bitmap = 4220, .position = {33, 42}, .flags = 0x3, .source = 895, .images = 4},
      {.kind = kIcon, .bitmap = 4250, .position = {56, 205}, .flags = 0x3, .images = 3},
      {.kind = kIcon, .bitmap = 4230, .position = {180, 47}, .flags = 0x7, .failures = {{21, 2}}, .source = 625, .images = 1},
      {.kind = kIcon, .bitmap = 4260, .position = {97, 201}, .flags = 0x3, .failures = {{21, 2}}, .source = 563, .images = 2},
  });
  expect_mouse("Starter_Board", {
      parent(),
      parent({56, 205, 35, 85}), tooltip_area("Ignition switch (%1!s!)"), parent_end(),
      parent({37, 117, 75, 39}), tooltip_area("Left fuel pump switch (%2!s!)"), parent_end(),
      parent({159, 117, 75, 39}), tooltip_area("Right fuel pump switch (%3!s!)"), parent_end(),
      parent({33, 42, 100, 48}), tooltip_area("Fuel valve switch (%4!s!)"), parent_end(),
      parent({180, 47, 36, 36}, 42060), parent_end(),
      parent({97, 201, 77, 77}, 43877), parent_end(),
      click_area({56, 205, 35, 85}, kCursorHand, 0xa0000000),
      click_area({33, 42, 100, 48}, kCursorHand, 0xa0000000),
      click_area({97, 201, 77, 77}, kCursorHand, 0x20200000),
      click_area({37, 117, 75, 39}, kCursorHand, kLeft),
      click_area({159, 117, 75, 39}, kCursorHand, kLeft),
      parent_end(), list_end(),
  });
}

TEST(GaugeRecords, Parachute) {
  expect_elements("Parachute", {
      {.kind = kStatic, .bitmap = 2280, .position = {0, 0}, .flags = 0x3},
      {.kind = kIcon, .bitmap = 2290, .position = {0, 0}, .flags = 0x3, .source = 866, .images = 2},
  });
  expect_mouse("Parachute", {parent(), tooltip_area("Parachute brake lever (parachute %1!s!)"),
                             click_area({27, 7, 80, 37}, kCursorHand, kLeft), parent_end(), list_end()});
}

TEST(GaugeRecords, FuelKnobs) {
  struct Knob {
    const char* gauge;
    int32_t base, knob;
    std::vector<Failure> failures;
    const char* tooltip;
    PixBox click;
  };
  const Knob knobs[] = {
      {"Fuel_Qty_Switch", 4070, 4080, {}, "Fuel quantity gauge switch (%1!s! tanks)", {10, 2, 100, 40}},
      {"Stop_Blinking_Fuel_Knob", 3490, 3490, {{21, 3}}, "Blinking light stopping button (%1!s!)", {0, 0, 33, 33}},
      {"Fuel_Lamps_Test_Knob", 4000, 4000, {{21, 3}}, "Fuel lamps test knob", {0, 0, 30, 25}},
  };
  for (const Knob& k : knobs) {
    expect_elements(k.gauge, {
        {.kind = kStatic, .bitmap = k.base, .position = {0, 0}, .flags = 0x3},
        {.kind = kIcon, .bitmap = k.knob, .position = {0, 0}, .flags = 0x3, .failures = k.failures, .images = 2},
    });
    expect_mouse(k.gauge, {parent(), tooltip_area(k.tooltip), click_area(k.click, kCursorHand, kLeft), parent_end(), list_end()});
  }
}

TEST(GaugeRecords, GearLamps) {
  const std::vector<Failure> hidden = {{20, 3}};
  expect_elements("Gear_Lamps", {
      {.kind = kStatic, .bitmap = 3390, .position = {0, 0}, .flags = 0x3},
      {.kind = kIcon, .bitmap = 3420, .position = {114, 60}, .flags = 0x7, .failures = hidden, .source = 334, .images = 1},
      {.kind = kIcon, .bitmap = 3410, .position = {49, 118}, .flags = 0x7, .failures = hidden, .source = 332, .images = 1},
      {.kind = kIcon, .bitmap = 3400, .position = {20, 58}, .flags = 0x7, .failures = hidden, .source = 333, .images = 1},
      {.kind = kIcon, .bitmap = 3430, .position = {104, 28}, .flags = 0x7, .failures = hidden, .source = 334, .images = 1},
      {.kind = kIcon, .bitmap = 3430, .position = {71, 15}, .flags = 0x7, .failures = hidden, .source = 332, .images = 1},
      {.kind = kIcon, .bitmap = 3430, .position = {37, 27}, .flags = 0x7, .failures = hidden, .source = 333, .images = 1},
  });
  expect_mouse("Gear_Lamps", {parent({0, 0, 0, 0}, 43825), parent_end(), list_end()});
}

}  // namespace
