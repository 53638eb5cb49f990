#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/mouse/hit_testing.h"
#include "host/mouse/tooltip.h"
#include "module/records.h"

namespace gaugehost {
namespace {

using crv5::mouse_child;
using crv5::mouse_end;
using crv5::mouse_parent;
using crv5::mouse_parent_end;
using crv5::mouse_tooltip;

Bool32 CRV5_CALL no_click(ClickRecord*, uint32_t) { return false; }

// An outer parent with a tooltip; a nested knob parent at (200, 200) with two halves of its own
// and a help id; then two overlapping children of the outer parent.
const crv5::TooltipText kOuterText = {"Outer", nullptr, 0};
MouseRect kList[] = {
    mouse_parent(),
    mouse_tooltip(&kOuterText),
    mouse_parent({200, 200, 40, 40}, 43834),
    mouse_child({0, 0, 20, 40}, kCursorDownArrow, 0x20200000, no_click),   // (200..219, 200..239)
    mouse_child({20, 0, 20, 40}, kCursorUpArrow, 0x20200000, no_click),    // (220..239, 200..239)
    mouse_parent_end(),
    mouse_parent({10, 10, 50, 50}),  // no tooltip and no help id: gives way to the outer parent
    mouse_parent_end(),
    mouse_child({0, 0, 100, 100}, kCursorHand, 0x20000000, no_click),
    mouse_child({50, 50, 100, 100}, kCursorHand, 0xa0000000, no_click),
    mouse_parent_end(),
    mouse_end(),
};

TEST(HitTest, ChildBoxesAreRelativeToTheirParentAndTheFirstHolderWins) {
  EXPECT_EQ(hit_child(kList, {205, 210}), &kList[3]);
  EXPECT_EQ(hit_child(kList, {225, 210}), &kList[4]);
  EXPECT_EQ(hit_child(kList, {20, 20}), &kList[8]);   // not the nested parent: it is no area
  EXPECT_EQ(hit_child(kList, {75, 75}), &kList[8]);   // both hold it; the first in the list
  EXPECT_EQ(hit_child(kList, {120, 120}), &kList[9]);
  EXPECT_EQ(hit_child(kList, {100, 20}), nullptr);    // boxes end before x + width
  EXPECT_EQ(hit_child(nullptr, {0, 0}), nullptr);
}

TEST(HitTest, TooltipsComeFromTheDeepestParentThatHasOne) {
  const MouseRect* record = nullptr;
  EXPECT_EQ(tooltip_parent(kList, {210, 210}, &record), &kList[2]);
  EXPECT_EQ(record, nullptr);  // the knob has its help id only
  EXPECT_EQ(tooltip_parent(kList, {20, 20}, &record), &kList[0]);
  EXPECT_EQ(record, &kList[1]);
  EXPECT_EQ(tooltip_parent(kList, {500, 500}, &record), &kList[0]);  // 0,0,0,0: the whole gauge
}

// --- Formatting ---

template <double kValue>
double CRV5_CALL number(CRV5_TOOLTIP_PARAMS) { return kValue; }
const char* CRV5_CALL on_text(CRV5_TOOLTIP_PARAMS) { return "on"; }
const char* CRV5_CALL null_text(CRV5_TOOLTIP_PARAMS) { return nullptr; }
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const TooltipArg kArgs[] = {
    crv5::tooltip_number(number<12.5>), crv5::tooltip_text(on_text),
    crv5::tooltip_number(number<-2.5>), crv5::tooltip_number(number<kNaN>),
    crv5::tooltip_number(number<271.25>), crv5::tooltip_text(null_text),
    crv5::tooltip_number(number<1e20>), crv5::tooltip_number(number<HUGE_VAL>),
    crv5::tooltip_number(number<-HUGE_VAL>), crv5::tooltip_number(number<-kNaN>)};

// Placeholders it fills, and those it keeps as they are because it cannot fill them; whole
// numbers beyond the integer range, NaN and the infinities.
TEST(TooltipFormat, FillsNumberedPlaceholdersAndKeepsTheRest) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"Tone switch (%2!s!)", 10, "Tone switch (on)"},
      {"%1!d! and %3!d!", 10, "13 and -3"},  // halves away from zero
      {"%1!4.2f!|%1!07.3f!|%5!03d!", 10, "12.50|012.500|271"},
      {"%2!s!%1!d!%2!s!", 10, "on13on"},
      {"100%% sure", 10, "100% sure"},
      {"[%6!s!]", 10, "[]"},
      {"%11!d!", 10, "%11!d!"},  // no eleventh argument
      {"%0!d!", 10, "%0!d!"},
      {"%1!n!", 10, "%1!n!"},  // not a conversion it prints
      {"%1!d", 10, "%1!d"},    // unterminated
      {"50 %", 10, "50 %"},
      {"%7!d! RPM", 10, "100000000000000000000 RPM"},
      {"%8!d!|%9!d!|%4!d!|%10!d!", 10, "inf|-inf|nan|nan"},
      {"%8!5d!|%9!x!|%4!.3u!", 10, "  inf|-inf|nan"},  // width kept, precision of digits dropped
      {"%8!.1f!|%9!g!", 10, "inf|-inf"},               // the floating formats as printf has them
  };
  for (const auto& [text, count, expected] : cases) {
    const crv5::TooltipText words{text, kArgs, uint32_t(count)};
    const MouseRect tooltip = mouse_tooltip(&words);
    EXPECT_EQ(format_tooltip(tooltip, nullptr, [](ModuleVar&) { return 0.0; }), expected) << text;
  }
}

TEST(TooltipFormat, HelpTexts) {
  EXPECT_EQ(help_text(43809), "Turbine tachometer (corrected N1)");
  EXPECT_EQ(help_text(99999), "Help text 99999");
}

}  // namespace
}  // namespace gaugehost
