// The records of the flight instruments, written from their descriptions: elements in draw order,
// needle tables, the axes of drums, sliders and sprites, text strings, and mouse lists.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;

const std::vector<Failure> kGyro = {{8, 0}, {2, 0}, {4, 0}};
const std::vector<Failure> kAltitude = {{3, 1}, {7, 1}};

TEST(FlightInstrumentRecords, AirspeedMachmeter) {
  expect_elements("Airspeed_Machmeter", {
      {.kind = kStatic, .bitmap = 1250, .position = {0, 0}, .flags = 0x4003},
      {.kind = kNeedle, .bitmap = 1270, .position = {138, 138}, .flags = 0x4083, .source = 64, .pivot = {90, 90}},
      {.kind = kNeedle, .bitmap = 1260, .position = {138, 138}, .flags = 0x4083, .failures = {{6, 1}, {3, 2}}, .source = 61, .pivot = {87, 87}},
      {.kind = kStatic, .bitmap = 1280, .position = {0, 0}, .flags = 0x3},
  });
  for (size_t needle : {1u, 2u})
    expect_needle_table("Airspeed_Machmeter", needle, {{{138, 20}, -1}, {{138, 20}, 0}, {{138, 280}, 180}, {{106, 24}, 344.5}, {{106, 24}, 360}});
  expect_mouse("Airspeed_Machmeter", {parent(), tooltip_area("Airspeed and mach indicator (%1!d! knots - %2!4.2f! mach)"), parent_end(), list_end()});
}

TEST(FlightInstrumentRecords, Altimeter) {
  auto drum = [](int32_t bitmap, PixPoint at, std::vector<Failure> f) {
    return ElementRow{.kind = kMoving, .bitmap = bitmap, .position = at, .flags = 0x4083, .failures = f};
  };
  auto mask = [](int32_t bitmap, PixPoint at) {
    return ElementRow{.kind = kIcon, .bitmap = bitmap, .position = at, .flags = 0x4083, .failures = kAltitude, .source = 74, .images = 1};
  };
  expect_elements("Altimeter", {
      {.kind = kStatic, .bitmap = 1050, .position = {0, 0}, .flags = 0x4003},
      drum(1070, {161, 212}, {}), drum(1070, {149, 212}, {}), drum(1070, {137, 212}, {}), drum(1070, {125, 212}, {}),
      drum(1090, {194, 113}, kAltitude), drum(1110, {164, 121}, kAltitude), drum(1110, {121, 121}, kAltitude), drum(1110, {91, 121}, kAltitude),
      mask(1080, {164, 121}), mask(1100, {164, 121}), mask(1100, {121, 121}), mask(1100, {91, 121}),
      {.kind = kNeedle, .bitmap = 1060, .position = {150, 150}, .flags = 0x4083, .failures = kAltitude, .source = 74, .pivot = {10, 10}},
      {.kind = kStatic, .bitmap = 1130, .position = {0, 0}, .flags = 0x3},
      {.kind = kNeedle, .bitmap = 1120, .position = {49, 261}, .flags = 0x83, .source = 75, .pivot = {22, 22}},
  });
  // Each drum's P, Q, M in its axis limits: x minimum, x maximum, y minimum (y maximum 0).
  const double pqm[][3] = {{1, 1, 10},        {10, 1, 100},       {100, 1, 1000},       {1000, 1, 10000},
                           {10, 1, 100},      {100, 10, 1000},    {1000, 100, 10000},   {10000, 1000, 100000}};
  for (size_t i = 0; i < 8; ++i) {
    const auto& d = element_at<ElementMovingImage>("Altimeter", 1 + i);
    EXPECT_EQ(std::tie(d.x.source.id, d.y.source.id, d.x.min, d.x.max, d.y.min, d.y.max),
              std::make_tuple(0u, i < 4 ? 75u : 74u, pqm[i][0], pqm[i][1], pqm[i][2], 0.0)) << i;
    EXPECT_TRUE(d.x.callback == nullptr && d.y.callback != nullptr) << i;
  }
  expect_needle_table("Altimeter", 13, {{{150, 100}, 0}, {{150, 200}, 500}});
  expect_needle_table("Altimeter", 15, {{{71, 261}, 1013}, {{27, 261}, 1070}});
  expect_mouse("Altimeter", {
      parent(),
      parent({0, 0, 300, 239}), help_only_tooltip(12369), parent_end(),
      parent({27, 239, 44, 44}), help_only_tooltip(12372), parent_end(),
      parent({27, 239, 22, 44}, 43834), key_area({0, 0, 22, 44}, 2, kLeftHeld, 0x1015c), parent_end(),
      parent({49, 239, 22, 44}, 43834), key_area({0, 0, 22, 239}, 1, kLeftHeld, 0x1015b), parent_end(),
      parent_end(), list_end(),
  });
}

TEST(FlightInstrumentRecords, CabinAltitude) {
  expect_elements("Cabin_Altitude", {
      {.kind = kStatic, .bitmap = 2250, .position = {0, 0}, .flags = 0x4003},
      {.kind = kNeedle, .bitmap = 2260, .position = {100, 100}, .flags = 0x4083, .failures = kAltitude, .source = 74, .pivot = {32, 18}},
      {.kind = kStatic, .bitmap = 2270, .position = {0, 0}, .flags = 0x3},
  });
  expect_needle_table("Cabin_Altitude", 1, {{{100, 176}, 0}, {{64, 164}, 10000}, {{100, 26}, 25000}, {{135, 161}, 40000}, {{135, 161}, 90000}});
  expect_mouse("Cabin_Altitude", {parent(), tooltip_area("Pressurized cabin altitude"), parent_end(), list_end()});
}

TEST(FlightInstrumentRecords, Attitude) {
  expect_elements("Attitude", {
      {.kind = kStatic, .bitmap = 1180, .position = {0, 0}, .flags = 0x4003},
      {.kind = kSprite, .bitmap = 1190, .position = {13, 13}, .flags = 0x4083, .failures = kGyro, .pivot = {140, 140}},
      {.kind = kSprite, .bitmap = 1200, .position = {13, 13}, .flags = 0x4083, .failures = kGyro, .pivot = {140, 140}},
      {.kind = kSlider, .bitmap = 1220, .position = {22, 135}, .flags = 0x4003},
      {.kind = kIcon, .bitmap = 1210, .position = {25, 67}, .flags = 0x4083, .source = 288, .images = 1},
      {.kind = kStatic, .bitmap = 1230, .position = {0, 0}, .flags = 0x3},
      {.kind = kNeedle, .bitmap = 1240, .position = {260, 261}, .flags = 0x83, .failures = kGyro, .source = 612, .pivot = {38, 38}},
  });
  for (size_t i : {1u, 2u}) {
    const auto& s = element_at<ElementSprite>("Attitude", i);
    EXPECT_EQ(std::tie(s.texture_center.x, s.texture_scale_x, s.texture_scale_y, s.y.source.id,
                       s.y.scale, s.rotation.source.id, s.rotation.scale),
              std::make_tuple(140, 1.0, 1.0, i == 1 ? 78u : 0u, i == 1 ? 1.88 : 1.0, 80u, -1.0));
    EXPECT_TRUE(s.y.callback != nullptr && s.rotation.callback == nullptr);
  }
  const auto& symbol = element_at<ElementSlider>("Attitude", 3);
  EXPECT_EQ(std::tie(symbol.y.source.id, symbol.y.scale, symbol.x.source.id),
            std::make_tuple(612u, -0.3, 0u));
  expect_needle_table("Attitude", 6, {{{222, 223}, -100}, {{260, 223}, 0}, {{298, 223}, 100}});
  expect_mouse("Attitude", {
      parent(), help_only_tooltip(12434),
      key_area({222, 223, 38, 76}, 2, kLeftHeld, 0x1030f), key_area({260, 223, 38, 76}, 1, kLeftHeld, 0x1030e),
      parent_end(), list_end(),
  });
}

TEST(FlightInstrumentRecords, TurnCoordinatorAndVerticalSpeed) {
  expect_elements("Turn_Coordinator", {
      {.kind = kStatic, .bitmap = 4010, .position = {0, 0}, .flags = 0x4003},
      {.kind = kSlider, .bitmap = 4030, .position = {107, 111}, .flags = 0x4083},
      {.kind = kStatic, .bitmap = 4060, .position = {97, 103}, .flags = 0x4003},
      {.kind = kIcon, .bitmap = 4040, .position = {79, 64}, .flags = 0x4003, .source = 755, .images = 1},
      {.kind = kNeedle, .bitmap = 4020, .position = {120, 189}, .flags = 0x4083, .failures = {{18, 1}, {20, 2}}, .source = 70, .pivot = {30, 12}},
      {.kind = kStatic, .bitmap = 4050, .position = {0, 0}, .flags = 0x3},
  });
  const auto& ball = element_at<ElementSlider>("Turn_Coordinator", 1);
  EXPECT_EQ(std::tie(ball.x.source.id, ball.x.scale, ball.y.source.id, ball.y.scale),
            std::make_tuple(69u, 0.515625, 69u, -0.00030517578125));
  EXPECT_TRUE(ball.x.callback == nullptr && ball.y.callback != nullptr);
  expect_needle_table("Turn_Coordinator", 4, {{{87, 156}, -5}, {{87, 156}, -4.5}, {{153, 156}, 4.5}, {{153, 156}, 5}});
  expect_mouse("Turn_Coordinator", {parent(), help_only_tooltip(12432), parent_end(), list_end()});

  expect_elements("Vertical_Speed", {
      {.kind = kStatic, .bitmap = 310, .position = {0, 0}, .flags = 0x4003},
      {.kind = kNeedle, .bitmap = 320, .position = {151, 151}, .flags = 0x4083, .failures = {{19, 1}, {3, 2}}, .source = 65, .pivot = {7, 7}, .max_turn = 20},
      {.kind = kStatic, .bitmap = 330, .position = {0, 0}, .flags = 0x3},
  });
  EXPECT_EQ(element_at<ElementNeedle>("Vertical_Speed", 1).callback, nullptr);
  const double fpm[] = {-8500, -8000, -4000, -3000, -2000, -1000, -500, 0, 500, 1000, 2000, 3000, 4000, 8000, 8500};
  const PixPoint points[] = {{261, 170}, {261, 170}, {187, 251}, {151, 265}, {105, 260}, {60, 221}, {38, 194}, {30, 151},
                             {38, 108},  {57, 78},   {105, 43},  {151, 37},  {189, 45},  {267, 130}, {267, 130}};
  const auto& vsi = element_at<ElementNeedle>("Vertical_Speed", 1);
  ASSERT_EQ(vsi.table_size, 15);
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(std::tie(vsi.table[i].point.x, vsi.table[i].point.y),
              std::tie(points[i].x, points[i].y)) << i;
    EXPECT_NEAR(vsi.table[i].value, fpm[i] * 256 / 60 / 3.28084, 1e-9) << i;
  }
  EXPECT_EQ(vsi.table[8].value, 650.2399791923207);
  expect_mouse("Vertical_Speed", {parent(), help_only_tooltip(12441), parent_end(), list_end()});
}

TEST(FlightInstrumentRecords, Accelerometer) {
  const std::vector<Failure> f = {{2, 0}, {20, 2}};
  expect_elements("Accelerometer", {
      {.kind = kStatic, .bitmap = 1140, .position = {0, 0}, .flags = 0x4003},
      {.kind = kNeedle, .bitmap = 1150, .position = {131, 131}, .flags = 0x4083, .failures = f, .source = 351, .pivot = {42, 15}},
      {.kind = kNeedle, .bitmap = 1160, .position = {131, 131}, .flags = 0x4083, .failures = f, .source = 351, .pivot = {43, 15}},
      {.kind = kNeedle, .bitmap = 1160, .position = {131, 131}, .flags = 0x4083, .failures = f, .source = 351, .pivot = {43, 15}},
      {.kind = kStatic, .bitmap = 1170, .position = {0, 0}, .flags = 0x3},
  });
  for (size_t needle : {1u, 2u, 3u})
    expect_needle_table("Accelerometer", needle, {{{201, 201}, -6240}, {{201, 201}, -3120}, {{44, 167}, 0}, {{223, 169}, 6240}, {{223, 169}, 12480}});
  expect_mouse("Accelerometer", {
      parent({0, 0, 0, 0}, 42268),
      parent({2, 210, 50, 50}, 42279), click_area({0, 0, 50, 50}, 5, kLeftHeld), parent_end(),
      parent_end(), list_end(),
  });
}

TEST(FlightInstrumentRecords, HeadUpDisplayAndSwitch) {
  const ElementRow readout = {.kind = kString, .bitmap = -1, .position = {11, 136}, .flags = 0x7, .failures = kAltitude, .source = 74};
  expect_elements("Head_Up_Display", {
      {.kind = kStatic, .bitmap = 5000, .position = {0, 0}, .flags = 0x4003},
      {.kind = kIcon, .bitmap = 5010, .position = {0, 0}, .flags = 0x7, .images = 2},
      {.kind = kNeedle, .bitmap = 5021, .position = {150, 141}, .flags = 0x4083, .failures = kGyro, .source = 80, .pivot = {0, 4}},
      {.kind = kNeedle, .bitmap = 5020, .position = {150, 141}, .flags = 0x4083, .failures = kGyro, .source = 80, .pivot = {0, 4}},
      {.kind = kSprite, .bitmap = 5040, .position = {57, 49}, .flags = 0x87, .failures = kGyro, .pivot = {150, 141}},
      {.kind = kSprite, .bitmap = 5030, .position = {57, 49}, .flags = 0x87, .failures = kGyro, .pivot = {150, 141}},
      readout, readout,
  });
  for (size_t i : {2u, 3u}) expect_needle_table("Head_Up_Display", i, {{{200, 141}, -90}, {{100, 141}, 90}});
  for (size_t i : {4u, 5u}) {
    const auto& s = element_at<ElementSprite>("Head_Up_Display", i);
    EXPECT_EQ(std::tie(s.y.source.id, s.y.scale, s.rotation.source.id, s.rotation.scale,
                       s.texture_scale_x),
              std::make_tuple(78u, 1.88, 80u, -1.0, 1.0));
  }
  for (size_t i : {6u, 7u})
    expect_text("Head_Up_Display", i, {.box = {35, 12}, .chars = 5, .foreground = i == 6 ? 0x1d9e00u : 0x42fc01u, .background = 0, .highlight = 0xffff, .font = "Quartz", .weight = 400});
  expect_mouse("Head_Up_Display", {parent(), tooltip_area("Head-Up Display"), parent_end(), list_end()});

  expect_elements("HUD_Switch", {
      {.kind = kStatic, .bitmap = 5200, .position = {0, 0}, .flags = 0x3},
      {.kind = kIcon, .bitmap = 5210, .position = {26, 26}, .flags = 0x3, .images = 4},
  });
  expect_mouse("HUD_Switch", {
      parent(), tooltip_area("HUD switch"),
      click_area({18, 17, 39, 71}, 2, kLeft), click_area({57, 17, 39, 71}, 1, kLeft),
      parent_end(), list_end(),
  });
  EXPECT_NE(find_gauge("HUD_Switch")->callback, nullptr);
}

}  // namespace
