// Ruzi_Compass: the card's source by mode, the selector's ends, the gyro alignment after turning
// back from "Cm" to "D", and the heading-bug knob's steps and wraps. Its tooltips are shown end to
// end by tests/checks/instruments/compasses.check.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "instruments/angle_knob.h"
#include "instruments/navigation_state.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

constexpr const char* kRuzi = "Ruzi_Compass";
// Click areas in list order.
constexpr size_t kModeUp = 0, kModeDown = 1, kBugDecrease = 2, kBugIncrease = 3;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

ElementSprite& card() { return element<ElementSprite>(kRuzi, 1); }
ElementNeedle& bug() { return element<ElementNeedle>(kRuzi, 2); }
ElementIcon& selector() { return element<ElementIcon>(kRuzi, 4); }

class RuziCompass : public ::testing::Test {
 protected:
  void SetUp() override {
    crv5::compass_mode = 0;
    crv5::previous_compass_mode = 0;
    crv5::card_heading = 0;
    crv5::heading_to_align = 0;
    card().rotation.source.id = 84;
  }
  TestHost host;
};

TEST_F(RuziCompass, CardFollowsTheGyroInGmAndDAndTheMagneticHeadingInCm) {
  host.set(84, 100);  // gyro
  host.set(81, 200);  // magnetic
  struct Case { int mode; uint32_t source; };
  for (const Case c : {Case{0, 84}, Case{1, 84}, Case{2, 81}, Case{0, 84}}) {
    crv5::compass_mode = c.mode;
    update(card());  // shows what the previous source held; picks the mode's source
    EXPECT_EQ(card().rotation.source.id, c.source) << "mode " << c.mode;
    const double shown = update(card());
    EXPECT_EQ(shown, c.source == 84 ? 100 : 200) << "mode " << c.mode;
    EXPECT_EQ(crv5::card_heading, shown);
    EXPECT_EQ(crv5::heading_to_align, shown);
  }
}

TEST_F(RuziCompass, CardKeepsItsHeadingWhenTheSourceIsNoNumber) {
  host.set(84, 45);
  EXPECT_EQ(update(card()), 45);
  for (double bad : {kNaN, kInf, -kInf}) {
    host.set(84, bad);
    EXPECT_EQ(update(card()), 45);
    EXPECT_EQ(crv5::heading_to_align, 45);
  }
}

TEST_F(RuziCompass, BugIsDrawnAgainstTheGyroHeadingInEveryMode) {
  host.set(855, 30);
  host.set(84, 10);
  host.set(81, 90);
  for (int mode : {0, 1, 2}) {
    crv5::compass_mode = mode;
    EXPECT_EQ(update(bug()), 20) << "mode " << mode;
  }
  host.set(84, kNaN);
  EXPECT_EQ(update(bug()), 20);  // no number: the bug stays
}

TEST_F(RuziCompass, SelectorStopsAtItsEndsWithoutTouchingThePreviousMode) {
  click(kRuzi, kModeDown, kLeft);  // at "GM"
  EXPECT_EQ(crv5::compass_mode, 0);
  EXPECT_EQ(crv5::previous_compass_mode, 0);
  click(kRuzi, kModeUp, kLeft);
  click(kRuzi, kModeUp, kLeft);
  EXPECT_EQ(crv5::compass_mode, 2);
  EXPECT_EQ(crv5::previous_compass_mode, 1);
  click(kRuzi, kModeUp, kLeft);  // at "Cm"
  EXPECT_EQ(crv5::compass_mode, 2);
  EXPECT_EQ(crv5::previous_compass_mode, 1);
  EXPECT_EQ(update(selector()), 2);  // the image of the mode
  EXPECT_TRUE(host.events.empty());
}

TEST_F(RuziCompass, TurningBackFromCmToDAlignsTheGyroAtEveryUpdateUntilTheSelectorMoves) {
  crv5::compass_mode = 2;
  crv5::previous_compass_mode = 1;
  host.set(81, 123.9);
  update(card());
  update(card());
  update(selector());
  EXPECT_TRUE(host.events.empty());  // in "Cm" itself nothing is sent

  click(kRuzi, kModeDown, kLeft);  // to "D"
  EXPECT_EQ(update(selector()), 1);
  EXPECT_EQ(update(selector()), 1);
  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x10020, 123}, {0x10020, 123}}));

  host.clear_log();
  host.set(84, 250.5);
  update(card());  // the card now shows the gyro again: the heading to align follows it
  update(card());
  update(selector());
  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x10020, 250}}));

  host.clear_log();
  click(kRuzi, kModeDown, kLeft);  // to "GM": previous mode 1
  update(selector());
  click(kRuzi, kModeUp, kLeft);    // back to "D" from "GM": no alignment
  update(selector());
  EXPECT_TRUE(host.events.empty());
}

TEST_F(RuziCompass, BugKnobStepsAndWraps) {
  struct Case { double bug; size_t half; uint32_t flags; std::optional<uint32_t> sent; };
  const Case cases[] = {
      {359, kBugIncrease, kLeft, 360},  // on to 360...
      {360, kBugIncrease, kLeft, 1},    // ...then 1
      {0, kBugDecrease, kLeft, 359},
      {5, kBugDecrease, kRight, 355},
      {10, kBugDecrease, kRight, 0},
      {355, kBugIncrease, kRight, 5},
      {349, kBugIncrease, kRight, 359},
      {123.9, kBugIncrease, kLeft, 124},  // truncated first
      {123.9, kBugDecrease, kLeft, 122},
      {180, kBugIncrease, kLeft | kRight, 181},  // the left bit first
      {180, kBugIncrease, 0x00200000, std::nullopt},  // neither bit
      {-5, kBugDecrease, kLeft, 354},     // brought round to 355 first
      {400.7, kBugIncrease, kLeft, 1},    // the rule's wrap, past a full turn too
      {725, kBugIncrease, kRight, 375},
      {kNaN, kBugIncrease, kLeft, std::nullopt},
      {kInf, kBugDecrease, kRight, std::nullopt},
  };
  for (const Case& c : cases) {
    host.clear_log();
    host.set(855, c.bug);
    click(kRuzi, c.half, c.flags);
    std::vector<KeyEvent> expected;
    if (c.sent) expected.push_back({0x101fa, *c.sent});
    EXPECT_EQ(host.events, expected) << "bug " << c.bug << " half " << c.half << " flags " << std::hex << c.flags;
  }
}

TEST(WholeDegrees, KeepsWhatIsNotNegativeAndBringsNegativesRound) {
  struct Case { double degrees; std::optional<int32_t> whole; };
  for (const Case& c : {Case{0, 0}, Case{359.99, 359}, Case{360, 360}, Case{360.5, 360}, Case{400.7, 400},
                        Case{-0.5, 0}, Case{-1, 359}, Case{-360, 0}, Case{-725, 355}, Case{1e12, 2147483647},
                        Case{kNaN, std::nullopt}, Case{kInf, std::nullopt}, Case{-kInf, std::nullopt}}) {
    EXPECT_EQ(crv5::whole_degrees(c.degrees), c.whole) << c.degrees;
  }
}

}  // namespace
