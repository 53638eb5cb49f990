// The records of the compasses, the bearing indicators, the RMI switch and the VOR indicators,
// written out from the instruments' descriptions: elements in draw order, needle tables, mouse
// lists with their boxes, cursors, flags, events, help ids and tooltips.
#include <gtest/gtest.h>

#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;

constexpr uint32_t kKnob = kLeftOrRightHeld;

TEST(NavigationRecords, RuziCompass) {
  const std::vector<Failure> card = {{20, 1}, {11, 1}};
  expect_elements("Ruzi_Compass", {
      {.kind = kStatic, .bitmap = 390, .position = {0, 0}, .flags = 0x3},
      {.kind = kSprite, .bitmap = 380, .position = {10, 10}, .flags = 0x4083, .failures = card, .pivot = {150, 151}},
      {.kind = kNeedle, .bitmap = 370, .position = {150, 151}, .flags = 0x4083, .failures = card, .source = 855, .pivot = {20, 128}},
      {.kind = kStatic, .bitmap = 360, .position = {0, 0}, .flags = 0x83},
      {.kind = kIcon, .bitmap = 350, .position = {231, 241}, .flags = 0x3, .images = 3},
      {.kind = kNeedle, .bitmap = 340, .position = {40, 269}, .flags = 0x83, .source = 855, .pivot = {28, 28}},
  });
  expect_card("Ruzi_Compass", 1, {150, 151}, 84);
  expect_needle_table("Ruzi_Compass", 2, {});
  expect_needle_table("Ruzi_Compass", 5, {{{40, 249}, 0}, {{40, 289}, 30}});
  expect_mouse("Ruzi_Compass", {
      parent(),
      parent({0, 0, 300, 241}), help_only_tooltip(12808), parent_end(),
      parent({12, 241, 56, 56}), tooltip_area("Heading Bug Adjust Knob (%1!d!\xB0)"), parent_end(),
      parent({231, 241, 56, 56}), tooltip_area("Function Selector Knob (%2!s!)"), parent_end(),
      click_area({231, 241, 28, 56}, kCursorDownArrow, kLeft),
      click_area({259, 241, 28, 56}, kCursorUpArrow, kLeft),
      click_area({12, 241, 28, 56}, kCursorDownArrow, kKnob),
      click_area({40, 241, 28, 56}, kCursorUpArrow, kKnob),
      parent_end(), list_end(),
  });
}

TEST(NavigationRecords, WhiskeyCompass) {
  expect_elements("Whiskey_Compass", {
      {.kind = kStatic, .bitmap = 3450, .position = {0, 0}, .flags = 0x3},
      {.kind = kMoving, .bitmap = 3460, .position = {20, 50}, .flags = 0x4083, .failures = {{12, 0}}},
  });
  const auto& strip = element_at<ElementMovingImage>("Whiskey_Compass", 1);
  EXPECT_EQ(strip.x.source.id, 83u);
  EXPECT_EQ(strip.x.callback, nullptr);
  EXPECT_EQ(strip.x.min, 360.0);
  EXPECT_EQ(strip.x.max, 0.0);
  EXPECT_EQ(strip.y.source.id, 0u);
  EXPECT_EQ(strip.y.min, 360.0);
  EXPECT_EQ(strip.y.max, 360.0);
  expect_mouse("Whiskey_Compass", {parent(), help_only_tooltip(12728), parent_end(), list_end()});
  EXPECT_EQ(find_gauge("Whiskey_Compass")->callback, nullptr);
}

TEST(NavigationRecords, Rmi) {
  expect_elements("RMI", {
      {.kind = kStatic, .bitmap = 2100, .position = {0, 0}, .flags = 0x4003},
      {.kind = kSprite, .bitmap = 2110, .position = {0, 0}, .flags = 0x4083, .failures = {{20, 1}, {11, 0}}, .pivot = {169, 170}},
      {.kind = kNeedle, .bitmap = 2130, .position = {169, 170}, .flags = 0x4083, .failures = {{20, 1}, {5, 0}, {21, 0}}, .source = 39, .pivot = {114, 19}},
      {.kind = kNeedle, .bitmap = 2120, .position = {169, 170}, .flags = 0x4083, .failures = {{20, 1}, {14, 0}, {21, 0}}, .source = 550, .pivot = {119, 12}},
      {.kind = kStatic, .bitmap = 2140, .position = {0, 0}, .flags = 0x3},
  });
  expect_card("RMI", 1, {169, 170}, 84);
  for (size_t needle : {2u, 3u}) expect_needle_table("RMI", needle, {{{169, 70}, 0}, {{169, 270}, 180}});
  expect_mouse("RMI", {parent(), tooltip_area("Radio Magnetic Indicator (ADF ==>,VORs -->)"), parent_end(), list_end()});
}

TEST(NavigationRecords, AdfIndicator) {
  expect_elements("ADF_Indicator", {
      {.kind = kStatic, .bitmap = 410, .position = {0, 0}, .flags = 0x4003, .failures = {{5, 0}}},
      {.kind = kSprite, .bitmap = 440, .position = {0, 0}, .flags = 0x4083, .pivot = {150, 150}},
      {.kind = kNeedle, .bitmap = 430, .position = {150, 150}, .flags = 0x4083, .failures = {{21, 2}, {20, 1}}, .source = 39, .pivot = {123, 20}},
      {.kind = kStatic, .bitmap = 450, .position = {0, 0}, .flags = 0x3},
      {.kind = kNeedle, .bitmap = 420, .position = {39, 269}, .flags = 0x83, .source = 22, .pivot = {28, 28}},
  });
  expect_card("ADF_Indicator", 1, {150, 150}, 22);
  expect_needle_table("ADF_Indicator", 2, {{{150, 100}, 0}, {{150, 200}, 180}});
  expect_needle_table("ADF_Indicator", 4, {{{39, 241}, 0}, {{39, 297}, 20}});
  expect_mouse("ADF_Indicator", {
      parent(),
      parent({0, 0, 300, 241}), tooltip_area("%1!s!"), parent_end(),
      parent({11, 241, 56, 56}, 43777), parent_end(),
      key_area({11, 241, 28, 56}, kCursorDownArrow, 0x20200000, 0x1015a),
      key_area({39, 241, 28, 56}, kCursorUpArrow, 0x20200000, 0x10159),
      parent_end(), list_end(),
  });
}

TEST(NavigationRecords, RmiSwitch) {
  expect_elements("RMI_Switch", {
      {.kind = kStatic, .bitmap = 2150, .position = {0, 0}, .flags = 0x3},
      {.kind = kIcon, .bitmap = 2160, .position = {0, 0}, .flags = 0x3, .images = 2},
  });
  expect_mouse("RMI_Switch", {parent(), tooltip_area("RMI switch for the VOR needle (%1!s!)"),
                              click_area({0, 11, 30, 60}, kCursorHand, kLeft), parent_end(), list_end()});
  EXPECT_NE(find_gauge("RMI_Switch")->callback, nullptr);
}

TEST(NavigationRecords, VorIndicators) {
  struct Vor {
    const char* gauge;
    int32_t key;
    uint32_t deviation, glide_slope, gs_flag, to_from, course, window_flags;
    bool vor1;
    PixBox dial_area;
    const char* dial_tooltip;
    const char* knob_tooltip;
  };
  const Vor vors[] = {
      {"VOR1_Indicator", 14, 40, 41, 44, 43, 45, 0x4003, true, {28, 0, 176, 320}, "VOR 1 Indicator (%2!s!)", "Selected VOR 1 course (%1!d!\xB0)"},
      {"VOR2_Indicator", 15, 50, 882, 53, 52, 54, 0x7, false, {0, 0, 320, 244}, "VOR 2 Indicator (%2!s!)", "Selected VOR 2 course (%1!d!\xB0)"},
  };
  for (const Vor& v : vors) {
    const std::vector<Failure> moving = {{v.key, 2}, {21, 2}, {20, 1}};
    const ElementRow deviation = {.kind = kNeedle, .bitmap = 1330, .position = {158, 93}, .flags = 0x4083, .failures = moving, .source = v.deviation, .pivot = {-7, 2}};
    const ElementRow glide_slope = {.kind = kNeedle, .bitmap = 1390, .position = {77, 168}, .flags = 0x4083, .failures = moving, .source = v.glide_slope, .pivot = {0, 2}};
    std::vector<ElementRow> rows = {
        {.kind = kStatic, .bitmap = 1400, .position = {0, 0}, .flags = 0x4003, .failures = {{v.key, 0}}},
        {.kind = kNeedle, .bitmap = 1380, .position = {159, 168}, .flags = 0x4083, .failures = moving, .pivot = {39, 12}},
        v.vor1 ? deviation : glide_slope,
        v.vor1 ? glide_slope : deviation,
        {.kind = kStatic, .bitmap = 1340, .position = {0, 0}, .flags = 0x4083},
        {.kind = kIcon, .bitmap = 1350, .position = {75, 148}, .flags = 0x4083, .failures = moving, .source = v.gs_flag, .images = 2},
        {.kind = kIcon, .bitmap = 1370, .position = {134, 232}, .flags = 0x4083, .failures = moving, .source = v.to_from, .images = 2},
        {.kind = kString, .bitmap = -1, .position = {130, 43}, .flags = v.window_flags, .failures = {{21, 3}}, .source = v.course},
        {.kind = kStatic, .bitmap = 1320, .position = {0, 0}, .flags = 0x3},
    };
    if (v.vor1) rows.push_back({.kind = kIcon, .bitmap = 1310, .position = {253, 18}, .flags = 0x7, .failures = {{21, 3}}, .source = 354, .images = 1});
    rows.push_back({.kind = kNeedle, .bitmap = 1410, .position = {40, 281}, .flags = 0x83, .source = v.course, .pivot = {37, 37}});
    expect_elements(v.gauge, rows);

    const size_t dev = v.vor1 ? 2 : 3, gs = v.vor1 ? 3 : 2;
    expect_needle_table(v.gauge, 1, {{{159, 88}, 0}, {{159, 248}, 180}});
    expect_needle_table(v.gauge, dev, {{{221, 168}, 127}, {{98, 168}, -127}});
    expect_needle_table(v.gauge, gs, {{{160, 107}, -119}, {{160, 230}, 119}});
    expect_needle_table(v.gauge, rows.size() - 1, {{{40, 261}, 0}, {{40, 301}, 30}});

    const auto& window = element_at<ElementString>(v.gauge, 7);
    EXPECT_EQ(window.source[1].id, v.course);
    EXPECT_EQ(window.source[2].id, 0u);
    expect_text(v.gauge, 7, {.box = {66, 26}, .chars = 3, .foreground = 0xffffff, .background = 0, .highlight = 0xffffff, .font = "Arial", .weight = 700});

    std::vector<AreaRow> areas = {
        parent(),
        parent(v.dial_area), tooltip_area(v.dial_tooltip), parent_end(),
        parent({3, 244, 74, 74}), tooltip_area(v.knob_tooltip), parent_end(),
    };
    if (v.vor1) {
      areas.push_back(parent({253, 18, 56, 56}, 43848));
      areas.push_back(parent_end());
    }
    for (const AreaRow& a : {click_area({3, 244, 37, 74}, kCursorDownArrow, kKnob), click_area({40, 244, 37, 74}, kCursorUpArrow, kKnob), parent_end(), list_end()})
      areas.push_back(a);
    expect_mouse(v.gauge, areas);
  }
}

}  // namespace
