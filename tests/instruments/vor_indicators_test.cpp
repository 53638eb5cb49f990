// VOR1_Indicator and VOR2_Indicator: power gating of needles, flags and lamp, the heading
// pointer's sectors, the course window and the course knob's steps and wraps.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "mechanics/radio_state.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One receiver's indicator: its tokens and where its elements lie in draw order.
struct Indicator {
  const char* gauge;
  int32_t* power;
  uint32_t deviation, glide_slope, glide_slope_flag, to_from, course, course_event;
  size_t deviation_index, glide_slope_index;
  const char* name;
};
const Indicator kVor1{"VOR1_Indicator", &crv5::nav1_power, 40, 41, 44, 43, 45, 0x100b4, 2, 3, "VOR 1"};
const Indicator kVor2{"VOR2_Indicator", &crv5::nav2_power, 50, 882, 53, 52, 54, 0x100b5, 3, 2, "VOR 2"};
constexpr size_t kPointer = 1, kGlideSlopeFlag = 5, kRangeFlag = 6, kWindow = 7, kMarker = 9;

class VorIndicators : public ::testing::TestWithParam<Indicator> {
 protected:
  void SetUp() override { crv5::nav1_power = crv5::nav2_power = 0; }
  void TearDown() override { SetUp(); }
  TestHost host;
  const Indicator& v = GetParam();
  ElementNeedle& pointer() { return element<ElementNeedle>(v.gauge, kPointer); }
  ElementNeedle& deviation() { return element<ElementNeedle>(v.gauge, v.deviation_index); }
  ElementNeedle& glide_slope() { return element<ElementNeedle>(v.gauge, v.glide_slope_index); }
  ElementIcon& gs_flag() { return element<ElementIcon>(v.gauge, kGlideSlopeFlag); }
  ElementIcon& range_flag() { return element<ElementIcon>(v.gauge, kRangeFlag); }
  ElementString& window() { return element<ElementString>(v.gauge, kWindow); }
};

TEST_P(VorIndicators, WithoutPowerThePointerParksAndTheFlagsShowOff) {
  host.set(84, 100);
  host.set(v.course, 90);
  host.set_u32(v.to_from, 1);
  host.set(v.glide_slope_flag, 1);
  host.set(v.deviation, 60);
  host.set(v.glide_slope, -50);
  EXPECT_EQ(update(pointer()), 90);
  EXPECT_EQ(update(gs_flag()), 0);
  EXPECT_EQ(update(range_flag()), 0);
  EXPECT_EQ(tooltip_text(v.gauge, 0), std::string(v.name) + " Indicator (off)");
  // VOR1's needles drop to 0; VOR2's follow their tokens whatever the power.
  const bool vor1 = v.power == &crv5::nav1_power;
  EXPECT_EQ(update(deviation()), vor1 ? 0 : 60);
  EXPECT_EQ(update(glide_slope()), vor1 ? 0 : -50);

  *v.power = 1;
  EXPECT_EQ(update(pointer()), 10);
  EXPECT_EQ(update(gs_flag()), 1);
  EXPECT_EQ(update(range_flag()), 1);
  EXPECT_EQ(update(deviation()), 60);
  EXPECT_EQ(update(glide_slope()), -50);
  EXPECT_EQ(tooltip_text(v.gauge, 0), std::string(v.name) + " Indicator (active)");

  host.set_u32(v.to_from, 0);  // no usable station
  host.set(v.glide_slope_flag, 0);
  EXPECT_EQ(update(range_flag()), 0);
  EXPECT_EQ(update(gs_flag()), 0);
  EXPECT_EQ(update(pointer()), 90);
}

TEST_P(VorIndicators, HeadingPointerShowsTheUnwrappedDifferenceOutsideItsParkingSectors) {
  *v.power = 1;
  host.set_u32(v.to_from, 2);
  struct Case { double heading, course, value; };
  const Case cases[] = {
      {100, 90, 10},   {180, 90, 90},   {10, 350, -340}, {90, 45, 45},  {45, 90, -45},
      {225, 90, 135},  {90, 225, -135}, {91, 45, 90},    {44, 90, 90},  {224, 90, 90},
      {90, 224, 90},   {300, 0, 300},   {0, 300, -300},  {270, 0, 270},
  };
  for (const Case& c : cases) {
    host.set(84, c.heading);
    host.set(v.course, c.course);
    EXPECT_EQ(update(pointer()), c.value) << "heading " << c.heading << " course " << c.course;
  }
  host.set(84, kNaN);  // no number: the pointer stays
  EXPECT_EQ(update(pointer()), 270);
}

TEST_P(VorIndicators, CourseWindowRoundsAndTooltipTruncates) {
  struct Case { double course; const char* window; };
  for (const Case& c : {Case{7.6, "008"}, Case{0, "000"}, Case{359.4, "359"}, Case{-5, "-05"},
                        Case{999.4, "999"}, Case{999.5, "---"}, Case{kNaN, "---"}}) {
    host.set(v.course, c.course);
    EXPECT_EQ(update(window()), c.window) << c.course;
  }
  host.set(v.course, 7.6);
  EXPECT_EQ(tooltip_text(v.gauge, 1), std::string("Selected ") + v.name + " course (7\xB0)");
}

TEST_P(VorIndicators, CourseKnobStepsAndWraps) {
  constexpr size_t kDecrease = 0, kIncrease = 1;
  struct Case { double course; size_t half; uint32_t flags; std::optional<uint32_t> sent; };
  const Case cases[] = {
      {359, kIncrease, kLeft, 0},   {358.7, kIncrease, kLeft, 359}, {0, kDecrease, kLeft, 359},
      {355, kIncrease, kRight, 5},  {5, kDecrease, kRight, 355},    {7.6, kIncrease, kLeft, 8},
      {360, kIncrease, kLeft, 0},   {200, kDecrease, 0, std::nullopt}, {kNaN, kIncrease, kLeft, std::nullopt},
  };
  for (const Case& c : cases) {
    host.clear_log();
    host.set(v.course, c.course);
    click(v.gauge, c.half, c.flags);
    std::vector<KeyEvent> expected;
    if (c.sent) expected.push_back({v.course_event, *c.sent});
    EXPECT_EQ(host.events, expected) << c.course;
  }
}

INSTANTIATE_TEST_SUITE_P(BothReceivers, VorIndicators, ::testing::Values(kVor1, kVor2),
                         [](const auto& info) { return std::string(info.param.gauge); });

TEST(Vor1Indicator, MarkerLampLightsOnlyWithPowerAtState2) {
  TestHost host;
  ElementIcon& lamp = element<ElementIcon>("VOR1_Indicator", kMarker);
  crv5::nav1_power = 0;
  host.set(354, 2);
  EXPECT_EQ(update(lamp), -1);
  crv5::nav1_power = 1;
  EXPECT_EQ(update(lamp), 0);
  for (double state : {0.0, 1.0, 3.0}) {
    host.set(354, state);
    EXPECT_EQ(update(lamp), -1) << state;
  }
  crv5::nav1_power = 0;
}

}  // namespace
