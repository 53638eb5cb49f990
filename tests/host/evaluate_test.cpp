// The host reading a module's records: elements evaluated, click areas hit, tooltips formatted.
#include "host/eval/evaluate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "host/base/host_error.h"
#include "host/mouse/hit_testing.h"
#include "host/mouse/tooltip.h"
#include "module/records.h"

namespace gaugehost {
namespace {

using crv5::children;
using crv5::element_list;
using crv5::mouse_child;
using crv5::mouse_end;
using crv5::mouse_parent;
using crv5::mouse_parent_end;
using crv5::mouse_tooltip;
using crv5::var;

// A small gauge: a background with a limited needle, an icon, a text string and a sprite. (What
// failures do is driven through every gauge by the lighting_and_failures check files.)
// Variables of the host's table (the host keeps no others).
constexpr uint32_t kNeedleSource = 61, kTextSource = 74, kSpriteSource = 78;
NonlinearityEntry needle_table[] = {{{100, 0}, 0}, {{200, 100}, 90}};  // degrees for degrees

double icon_value = 0;
double CRV5_CALL icon_callback(ElementIcon*) { return icon_value; }
double CRV5_CALL text_callback(ElementString* s) {
  std::snprintf(s->text, size_t(s->char_count) + 1, "%03.0f\xb0 and more", s->source[0].value.f);
  s->header.image_flags |= kImageHidden;
  return 7;
}

extern ElementIcon icon;
extern ElementString text;
extern ElementSprite sprite;
ElementNeedle needle = {.header = {.kind = kElementNeedle, .resource_id = 20,
                                   .position = {100, 100}, .next = children<&icon, &text>},
                        .source = var(kNeedleSource), .table = needle_table, .table_size = 2,
                        .max_degrees_per_update = 30};
ElementIcon icon = {.header = {.kind = kElementIcon, .resource_id = 30},
                    .image_count = 3, .callback = icon_callback};
ElementString text = {.header = {.kind = kElementString, .resource_id = -1,
                                 .next = children<&sprite>, .image_flags = kImageLuminous},
                      .source = {var(kTextSource)}, .char_count = 8, .callback = text_callback};
ElementSprite sprite = {.header = {.kind = kElementSprite, .resource_id = 40},
                        .x = {.source = var(kSpriteSource)}, .rotation = {.source = var(16)}};
ElementStaticImage background = {
    {.kind = kElementStaticImage, .resource_id = 10, .next = children<&needle>}};

class Evaluate : public ::testing::Test {
 protected:
  void run() { evaluate_elements(element_list<&background>, root, sim, buffers); }
  const EvaluatedElement& needle_state() const { return root.children[0]; }
  const EvaluatedElement& icon_state() const { return root.children[0].children[0]; }
  const EvaluatedElement& text_state() const { return root.children[0].children[1]; }

  SimState sim;
  EvaluationCache buffers;
  EvaluatedElement root;
};

// Two elements each the other's child: a module's records that loop.
extern ElementStaticImage loop_b;
ElementStaticImage loop_a = {{.kind = kElementStaticImage, .next = children<&loop_b>}};
ElementStaticImage loop_b = {{.kind = kElementStaticImage, .next = children<&loop_a>}};

TEST_F(Evaluate, ARecordLoopIsAnErrorNotAHang) {
  try {
    evaluate_elements(element_list<&loop_a>, root, sim, buffers);
    ADD_FAILURE() << "no error";
  } catch (const HostError& error) {
    EXPECT_NE(std::string(error.what()).find("deeper than 64 levels"), std::string::npos)
        << error.what();
  }
}

TEST_F(Evaluate, TheHiddenTreeFlagHidesTheChildrenToo) {
  needle.header.image_flags = kImageHiddenTree;
  run();
  needle.header.image_flags = 0;
  EXPECT_TRUE(needle_state().hidden());
  EXPECT_TRUE(icon_state().hidden());
  EXPECT_TRUE(text_state().children[0].hidden());
  EXPECT_FALSE(root.hidden());
  run();
  EXPECT_FALSE(icon_state().hidden());
}

TEST_F(Evaluate, KeepsTheTreeInDrawOrderWithWhatDrivesEachElement) {
  sim.set_var(kNeedleSource, 45);
  sim.set_var(kTextSource, 7.4);
  sim.set_var(kSpriteSource, -2.5);
  sim.set_var(16, 0x12345);  // an integer variable reaches the element as its integer
  run();
  EXPECT_EQ(root.resource_id, 10);
  ASSERT_EQ(root.children.size(), 1u);
  ASSERT_EQ(needle_state().children.size(), 2u);
  EXPECT_DOUBLE_EQ(needle_state().angle, 45);       // the first update is not limited
  EXPECT_EQ(text_state().text, "007\xc2\xb0 and");  // cut to its 8 characters, as UTF-8
  EXPECT_DOUBLE_EQ(text_state().value, 7);
  EXPECT_TRUE(text_state().hidden());
  EXPECT_TRUE(text_state().luminous());
  const EvaluatedElement& sprite_state = text_state().children.at(0);
  EXPECT_DOUBLE_EQ(sprite_state.x, -2.5);
  EXPECT_DOUBLE_EQ(sprite_state.rotation, double(0x12345));
  EXPECT_EQ(text.source[0].value.f, 7.4);       // the source was read into the element's own record
  EXPECT_EQ(text.text, buffers.text_buffer(&text));  // the host's buffer, set before the callback
}

TEST_F(Evaluate, LimitsANeedlesTurnPerUpdate) {
  // 30 degrees at a time, the value unlimited; backwards past 12 o'clock too.
  const std::pair<double, double> steps[] = {{10, 10}, {85, 40},  {85, 70},  {85, 85},
                                             {-20, 55}, {-20, 25}, {-20, 355}, {-20, 340}};
  for (auto [value, angle] : steps) {
    sim.set_var(kNeedleSource, value);
    run();
    EXPECT_DOUBLE_EQ(needle_state().angle, angle) << value;
    EXPECT_DOUBLE_EQ(needle_state().value, value);
  }
}

TEST_F(Evaluate, IconsShowTheRoundedImageOrNone) {
  const std::pair<double, int> cases[] = {{0, 0},     {1.4, 1}, {1.5, 2},  {2.6, -1},     {-0.4, 0},
                                          {-0.6, -1}, {-1, -1}, {NAN, -1}, {INFINITY, -1}};
  for (auto [value, image] : cases) {
    icon_value = value;
    run();
    EXPECT_EQ(icon_state().image, image) << value;
  }
}

TEST_F(Evaluate, WorkKeptBetweenCyclesFollowsChangedTextsTablesAndGauges) {
  // A text that changes, changes back, or belongs to a tree evaluated anew.
  const std::pair<double, const char*> texts[] = {
      {7.4, "007\xc2\xb0 and"}, {8, "008\xc2\xb0 and"}, {7.4, "007\xc2\xb0 and"}};
  for (auto [value, text] : texts) {
    sim.set_var(kTextSource, value);
    run();
    EXPECT_EQ(text_state().text, text) << value;
  }
  root = EvaluatedElement{};
  run();
  EXPECT_EQ(text_state().text, "007\xc2\xb0 and");

  // A table changed by its gauge: 12 o'clock to 6 o'clock now spans the values 0 to 90.
  sim.set_var(kNeedleSource, 45);
  root = EvaluatedElement{};
  run();
  EXPECT_DOUBLE_EQ(needle_state().angle, 45);
  const NonlinearityEntry original = needle_table[1];
  needle_table[1].point = {100, 200};
  root = EvaluatedElement{};  // no limit on the turn
  run();
  needle_table[1] = original;
  EXPECT_DOUBLE_EQ(needle_state().angle, 90);

  // Another gauge through the same cache, then this one again.
  static ElementString other = {.header = {.kind = kElementString, .resource_id = -1},
                                .source = {var(kTextSource)}, .char_count = 4, .callback = text_callback};
  static ElementHeader* const other_list[] = {&other.header, nullptr};
  EvaluatedElement other_root;
  evaluate_elements(other_list, other_root, sim, buffers);
  EXPECT_EQ(other_root.text, "007\xc2\xb0");
  sim.set_var(kTextSource, 1);
  run();
  EXPECT_EQ(text_state().text, "001\xc2\xb0 and");
  EXPECT_EQ(text.text, buffers.text_buffer(&text));
}

// --- Click areas and tooltips ---

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
