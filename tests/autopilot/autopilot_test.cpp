// The autopilot control box: its records, the order of the events each switch sends, the wing
// leveller engaged by the master's update, the knobs' steps and wraps, the drums and the selected
// altitude read-out with its counter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "autopilot/autopilot.h"
#include "module/gauges.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;
using crv5::autopilot::drum_position;
using crv5::autopilot::format_altitude;
using crv5::autopilot::knob_step;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Clickable areas in list order.
enum Area { kMaster, kAltitudeHold, kYawDamper, kHeadingHold, kNavHold, kHeadingDown, kHeadingUp,
            kCourseDown, kCourseUp, kAltitudeButton };

void click(Area index, uint32_t flags = kMouseLeftSingle) {
  EXPECT_FALSE(crv5::testing::click("Autopilot", index, flags));
}
ElementHeader& element(size_t index) { return crv5::testing::element<ElementHeader>("Autopilot", index); }
constexpr size_t kCourseUnits = 2, kHeadingHundreds = 7, kMasterSwitch = 14, kReadout = 15;

// --- Records ---

TEST(AutopilotRecords, ElementsInDrawOrder) {
  const std::vector<Failure> power = {{20, 2}};
  expect_elements("Autopilot", {
      {.kind = kElementStaticImage, .bitmap = 4160, .position = {0, 0}, .flags = 0x3},
      {.kind = kElementIcon, .bitmap = 4200, .position = {274, 18}, .flags = 0x7, .failures = power, .source = 103, .images = 1},
      {.kind = kElementMovingImage, .bitmap = 4190, .position = {237, 19}, .flags = 0x4083},
      {.kind = kElementMovingImage, .bitmap = 4190, .position = {222, 19}, .flags = 0x4083},
      {.kind = kElementMovingImage, .bitmap = 4190, .position = {207, 19}, .flags = 0x4083},
      {.kind = kElementMovingImage, .bitmap = 4190, .position = {169, 19}, .flags = 0x4083},
      {.kind = kElementMovingImage, .bitmap = 4190, .position = {154, 19}, .flags = 0x4083},
      {.kind = kElementMovingImage, .bitmap = 4190, .position = {139, 19}, .flags = 0x4083},
      {.kind = kElementNeedle, .bitmap = 4180, .position = {248, 63}, .flags = 0x83, .source = 45, .pivot = {16, 16}},
      {.kind = kElementNeedle, .bitmap = 4180, .position = {143, 63}, .flags = 0x83, .source = 855, .pivot = {16, 16}},
      {.kind = kElementIcon, .bitmap = 4170, .position = {157, 118}, .flags = 0x3, .source = 105, .images = 2},
      {.kind = kElementIcon, .bitmap = 4170, .position = {80, 118}, .flags = 0x3, .failures = power, .source = 106, .images = 2},
      {.kind = kElementIcon, .bitmap = 4170, .position = {38, 118}, .flags = 0x3, .source = 114, .images = 2},
      {.kind = kElementIcon, .bitmap = 4170, .position = {196, 118}, .flags = 0x3, .source = 108, .images = 2},
      {.kind = kElementIcon, .bitmap = 4170, .position = {249, 98}, .flags = 0x3, .source = 103, .images = 2},
      {.kind = kElementString, .bitmap = -1, .position = {104, 84}, .flags = 0x7, .failures = power, .source = 109},
  });
  expect_needle_table("Autopilot", 8, {{{248, 43}, 0}, {{248, 83}, 60}});
  expect_needle_table("Autopilot", 9, {{{143, 43}, 0}, {{143, 83}, 60}});
  // Drums: place value and roll width in the horizontal range, 0 to top vertically.
  const double drums[6][3] = {{1, 0.1, 10}, {10, 1, 100}, {100, 1, 1000},
                              {1, 0.1, 10}, {10, 1, 100}, {100, 1, 1000}};
  for (size_t i = 0; i < 6; ++i) {
    const auto& drum = reinterpret_cast<const ElementMovingImage&>(element(kCourseUnits + i));
    EXPECT_EQ(drum.x.min, drums[i][0]) << i;
    EXPECT_EQ(drum.x.max, drums[i][1]) << i;
    EXPECT_EQ(drum.y.min, 0) << i;
    EXPECT_EQ(drum.y.max, drums[i][2]) << i;
    EXPECT_EQ(drum.y.source.id, i < 3 ? 45u : 855u) << i;
  }
  expect_text("Autopilot", kReadout, {.box = {60, 20}, .chars = 5, .foreground = 0x00FAFA, .background = 0, .highlight = 0x00FFFF, .font = "Arial", .weight = 700});
}

TEST(AutopilotRecords, TooltipParentsThenActionAreas) {
  const uint32_t left = 0x20000000, knob = 0xa0200000, held = 0x20200000;
  expect_mouse("Autopilot", {
      parent(),
      parent({249, 98, 30, 58}), tooltip_area("Autopilot main switch (%1!s!)"), parent_end(),
      parent({196, 118, 30, 58}), tooltip_area("Altitude hold switch (%2!s!)"), parent_end(),
      parent({38, 118, 30, 58}), tooltip_area("Yaw damper switch (%3!s!)"), parent_end(),
      parent({80, 118, 30, 58}), tooltip_area("Heading hold switch (%4!s!)"), parent_end(),
      parent({157, 118, 30, 58}), tooltip_area("Navigation hold switch (%5!s!)"), parent_end(),
      parent({127, 47, 32, 32}), tooltip_area("Heading selector knob (%6!d!\xB0)"), parent_end(),
      parent({232, 47, 32, 32}), tooltip_area("Course selector knob (%7!d!\xB0)"), parent_end(),
      parent({0, 0, 127, 118}), parent_end(),
      parent({127, 0, 137, 47}), parent_end(),
      parent({264, 0, 61, 98}), parent_end(),
      click_area({249, 98, 30, 58}, 5, left), click_area({196, 118, 30, 58}, 5, left),
      click_area({38, 118, 30, 58}, 5, left), click_area({80, 118, 30, 58}, 5, left),
      click_area({157, 118, 30, 58}, 5, left),
      click_area({127, 47, 16, 32}, 2, knob), click_area({143, 47, 16, 32}, 1, knob),
      click_area({232, 47, 16, 32}, 2, knob), click_area({248, 47, 16, 32}, 1, knob),
      click_area({266, 10, 30, 30}, 5, held),
      parent_end(), list_end(),
  });
}

// --- Switches: events in order ---

struct SwitchCase {
  const char* label;
  Area area;
  std::vector<std::pair<uint32_t, double>> vars;
  std::vector<uint32_t> events;
};

TEST(AutopilotSwitches, EventsInTheirOrder) {
  const SwitchCase cases[] = {
      {"master on with flight director: director off first", kMaster, {{103, 1}, {792, 1}}, {0x102f0, 0x1002c}},
      {"master on, director off", kMaster, {{103, 1}}, {0x1002c}},
      {"master off, director on", kMaster, {{792, 1}}, {0x1002c}},
      {"altitude hold: leveller off, then toggle", kAltitudeHold, {}, {0x10119, 0x100be}},
      {"altitude hold engaged: the same", kAltitudeHold, {{108, 1}}, {0x10119, 0x100be}},
      {"yaw damper off: on", kYawDamper, {}, {0x10215}},
      {"yaw damper on: off", kYawDamper, {{114, 1}}, {0x10216}},
      {"heading hold off: on, then leveller off", kHeadingHold, {}, {0x1023a, 0x10119}},
      {"heading hold on: off", kHeadingHold, {{106, 0.5}}, {0x1023b}},
      {"nav hold off: on, then leveller off", kNavHold, {}, {0x10113, 0x10119}},
      {"nav hold on: off", kNavHold, {{105, 1}}, {0x1011b}},
  };
  for (const SwitchCase& c : cases) {
    TestHost host;
    for (auto [id, value] : c.vars) host.set(id, value);
    click(c.area);
    EXPECT_EQ(host.event_ids(), c.events) << c.label;
    for (const KeyEvent& e : host.events) EXPECT_EQ(e.value, 0u) << c.label;
  }
}

TEST(AutopilotSwitches, MasterUpdateEngagesTheWingLevellerUntilAModeIsReported) {
  struct Case {
    const char* label;
    std::vector<std::pair<uint32_t, double>> vars;
    bool sends;
  } cases[] = {
      {"master on, no mode", {{103, 1}}, true},
      {"master off", {}, false},
      {"master negative", {{103, -1}}, false},
      {"wing leveller engaged", {{103, 1}, {104, 1}}, false},
      {"heading hold", {{103, 1}, {106, 1}}, false},
      {"navigation hold", {{103, 1}, {105, 1}}, false},
      {"altitude hold", {{103, 1}, {108, 1}}, false},
      {"altitude hold at a fraction is not exactly 0", {{103, 1}, {108, 0.01}}, false},
  };
  for (const Case& c : cases) {
    TestHost host;
    for (auto [id, value] : c.vars) host.set(id, value);
    auto& master = reinterpret_cast<ElementIcon&>(element(kMasterSwitch));
    const double shown = evaluate(master);
    evaluate(master);
    EXPECT_EQ(shown, c.vars.empty() ? 0 : c.vars[0].second) << c.label << ": the state as read";
    const std::vector<uint32_t> expected =
        c.sends ? std::vector<uint32_t>{0x10111, 0x10111} : std::vector<uint32_t>{};
    EXPECT_EQ(host.event_ids(), expected) << c.label;
  }
}

// --- Knobs ---

TEST(AutopilotKnobs, StepsAndWrapsKeepTheUnitsDigit) {
  struct Case { double current; int32_t step; bool increase; int32_t expected; } cases[] = {
      {0, 1, false, 359},    {1, 1, false, 0},      {359.7, 1, true, 0},  {358, 1, true, 359},
      {355, 10, true, 5},    {349, 10, true, 359},  {350, 10, true, 0},   {7, 10, false, 357},
      {10, 10, false, 0},    {5, 10, false, 355},   {180.9, 10, false, 170},
      // Past the circle the rule wraps as it is; a negative value is first brought into it.
      {400.7, 1, true, 0},   {725, 10, true, 375},  {400, 10, false, 390}, {1e12, 1, true, 0},
      {-5, 1, true, 356},    {kNaN, 1, false, 359}, {-5.5, 1, false, 354}, {-1e12, 10, false, 70},
  };
  for (const auto& c : cases)
    EXPECT_EQ(knob_step(c.current, c.step, c.increase), c.expected)
        << c.current << (c.increase ? " + " : " - ") << c.step;
}

TEST(AutopilotKnobs, ClicksSendTheirEventKeepTheValueAndLeftWins) {
  struct Case {
    const char* label;
    Area area;
    uint32_t flags;
    uint32_t token;
    double current;
    uint32_t event;
    int32_t sent;  // -1: nothing
  } cases[] = {
      {"heading 0 left down", kHeadingDown, kMouseLeftSingle, 855, 0, 0x101fa, 359},
      {"heading 359.7 left up", kHeadingUp, kMouseLeftSingle, 855, 359.7, 0x101fa, 0},
      {"heading right up", kHeadingUp, kMouseRightSingle, 855, 100, 0x101fa, 110},
      {"heading held left", kHeadingDown, kMouseLeftSingle | kMouseRepeat, 855, 100, 0x101fa, 99},
      {"both buttons act as left", kHeadingUp, kMouseLeftSingle | kMouseRightSingle, 855, 100, 0x101fa, 101},
      {"neither button does nothing", kHeadingUp, kMouseRepeat, 855, 100, 0x101fa, -1},
      {"course 355 right up", kCourseUp, kMouseRightSingle, 45, 355, 0x100b4, 5},
      {"course 349 right up", kCourseUp, kMouseRightSingle, 45, 349, 0x100b4, 359},
      {"course 7 right down", kCourseDown, kMouseRightSingle, 45, 7, 0x100b4, 357},
  };
  for (const Case& c : cases) {
    TestHost host;
    crv5::ap_heading_knob_value = -1;
    crv5::ap_course_knob_value = -1;
    host.set(c.token, c.current);
    click(c.area, c.flags);
    if (c.sent < 0) {
      EXPECT_TRUE(host.events.empty()) << c.label;
      continue;
    }
    EXPECT_EQ(host.events, (std::vector<KeyEvent>{{c.event, uint32_t(c.sent)}})) << c.label;
    const double kept = c.token == 855 ? crv5::ap_heading_knob_value : crv5::ap_course_knob_value;
    EXPECT_EQ(kept, c.sent) << c.label << ": the tooltip's value";
  }
}

// --- Drums ---

TEST(AutopilotDrums, UnitsTensHundredsOnTheExamples) {
  struct Case { double degrees, units, tens, hundreds; } cases[] = {
      {123, 3, 20, 100},       {123.95, 3.5, 20, 100},  {129.95, 9.5, 29.5, 100},
      {199.5, 9, 95, 150},     {359.95, 9.5, 59.5, 300}, {360, 0, 0, 0},
      {0, 0, 0, 0},            {9.95, 9.5, 9.5, 0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(drum_position(c.degrees, 1, 0.1, 10), c.units, 1e-9) << c.degrees;
    EXPECT_NEAR(drum_position(c.degrees, 10, 1, 100), c.tens, 1e-9) << c.degrees;
    EXPECT_NEAR(drum_position(c.degrees, 100, 1, 1000), c.hundreds, 1e-9) << c.degrees;
  }
}

TEST(AutopilotDrums, ElementsReadTheirPlaceFromTheirRangeAndNeverGoNaN) {
  TestHost host;
  const double expected[] = {9.5, 29.5, 100};
  for (size_t i = 0; i < 3; ++i) {
    auto& drum = reinterpret_cast<ElementMovingImage&>(element(kCourseUnits + i));
    drum.y.source.value.f = 129.95;
    EXPECT_NEAR(drum.y_callback(&drum), expected[i], 1e-9) << i;
    for (double bad : {kNaN, std::numeric_limits<double>::infinity()}) {
      drum.y.source.value.f = bad;
      EXPECT_EQ(drum.y_callback(&drum), 0) << i;
    }
  }
  auto& hundreds = reinterpret_cast<ElementMovingImage&>(element(kHeadingHundreds));
  hundreds.y.source.value.f = -90;  // the remainder keeps the sign; the range takes it back in
  EXPECT_NEAR(hundreds.y_callback(&hundreds), 900, 1e-9);
}

// --- Selected altitude read-out ---

struct Readout {
  ElementString& element = reinterpret_cast<ElementString&>(::element(kReadout));
  char text[6] = "xxxxx";
  std::string update(double feet) {
    element.text = text;
    element.source[0].value.f = feet;
    EXPECT_EQ(element.callback(&element), 0);
    return text;
  }
  bool hidden() const { return (element.header.image_flags & kImageHidden) != 0; }
};

TEST(AutopilotReadout, ButtonShowsTheAltitudeFor60UpdatesOnlyWithMasterAndAltitudeHold) {
  struct Case { const char* label; double master, altitude_hold; bool accepted; } cases[] = {
      {"both on", 1, 1, true},
      {"master off", 0, 1, false},
      {"altitude hold off", 1, 0, false},
      {"both off", 0, 0, false},
  };
  for (const Case& c : cases) {
    TestHost host;
    crv5::ap_altitude_display_ticks = 0;
    host.set(103, c.master);
    host.set(108, c.altitude_hold);
    click(kAltitudeButton);
    EXPECT_EQ(crv5::ap_altitude_display_ticks, c.accepted ? 60 : 0) << c.label;
    EXPECT_TRUE(host.events.empty()) << c.label;
    Readout readout;
    for (int i = 0; i < 60; ++i) {
      readout.update(12000);
      EXPECT_EQ(readout.hidden(), !c.accepted) << c.label << " update " << i;
    }
    readout.update(12000);
    EXPECT_TRUE(readout.hidden()) << c.label << ": the 61st update";
    EXPECT_EQ(crv5::ap_altitude_display_ticks, 0) << c.label;
  }
}

TEST(AutopilotReadout, CounterHoldsWhileEitherIsOffAndResumes) {
  TestHost host;
  crv5::ap_altitude_display_ticks = 0;
  host.set(103, 1);
  host.set(108, 1);
  click(kAltitudeButton);
  Readout readout;
  for (int i = 0; i < 10; ++i) readout.update(5000);
  host.set(108, 0);
  for (int i = 0; i < 100; ++i) readout.update(5000);
  EXPECT_TRUE(readout.hidden());
  EXPECT_EQ(crv5::ap_altitude_display_ticks, 50);
  host.set(108, 1);
  EXPECT_EQ(readout.update(5000), " 5000");
  EXPECT_FALSE(readout.hidden());
  EXPECT_EQ(crv5::ap_altitude_display_ticks, 49);
}

TEST(AutopilotReadout, FiveCharactersAtMostWhateverTheAltitude) {
  struct Case { double feet; const char* text; } cases[] = {
      {35000, "35000"},  {500, "  500"},   {0, "    0"},     {99999.4, "99999"},
      {99999.5, "99999"}, {100000, "99999"}, {1e300, "99999"}, {-500, " -500"},
      {-9999, "-9999"},  {-10000, "-9999"}, {-1e9, "-9999"},  {kNaN, "     "},
      {std::numeric_limits<double>::infinity(), "99999"},
  };
  for (const auto& c : cases) {
    char text[8];
    std::memset(text, 'x', sizeof text);
    format_altitude(c.feet, text, 5);
    EXPECT_STREQ(text, c.text) << c.feet;
    EXPECT_EQ(text[6], 'x') << c.feet << ": nothing written past the terminator";
  }
}

}  // namespace
