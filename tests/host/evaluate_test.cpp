#include "host/eval/evaluate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "host/base/host_error.h"
#include "module/records.h"

namespace gaugehost {
namespace {

using crv5::children;
using crv5::element_list;
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

}  // namespace
}  // namespace gaugehost
