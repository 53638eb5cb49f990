// The drawing rules of display lists: where each kind of element ends up, in gauge pixels.
#include "host/render/display_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

namespace gaugehost::render {
namespace {

constexpr double kTol = 1e-9;

void expect_point(Affine::Point p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
}

SizeLookup sizes_of(std::map<int32_t, ImageSize> sizes) {
  return [sizes](int32_t id) -> std::optional<ImageSize> {
    auto it = sizes.find(id);
    if (it == sizes.end()) return std::nullopt;
    return it->second;
  };
}

EvaluatedElement evaluated(ElementHeader& record) {
  EvaluatedElement e;
  e.record = &record;
  e.kind = record.kind;
  e.resource_id = record.resource_id;
  e.flags = record.image_flags;
  e.evaluated = true;
  return e;
}

const ImageOp& image_op(const DisplayList& list, size_t index) {
  return std::get<ImageOp>(list.ops.at(index));
}

TEST(Affine, RotationTurnsClockwiseOnScreenAndComposesRightToLeft) {
  expect_point(Affine::rotation(90).apply(1, 0), 0, 1);  // 3 o'clock to 6 o'clock
  expect_point(Affine::rotation(-90).apply(1, 0), 0, -1);
  const Affine moved_then_turned = Affine::rotation(90) * Affine::translation(10, 0);
  expect_point(moved_then_turned.apply(0, 0), 0, 10);
  const Affine turned_then_moved = Affine::translation(10, 0) * Affine::rotation(90);
  expect_point(turned_then_moved.apply(0, 0), 10, 0);
}

struct NeedleGauge {
  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 100}};
  ElementNeedle pointer{.header = {.kind = kElementNeedle, .resource_id = 110,
                                   .position = {150, 150}, .pivot = {10, 4},
                                   .image_flags = kImageBilinear | kImageLuminous}};
  SizeLookup sizes = sizes_of({{100, {300, 300}}, {110, {110, 8}}});

  DisplayList at(double angle) {
    EvaluatedElement root = evaluated(dial.header);
    EvaluatedElement needle = evaluated(pointer.header);
    needle.angle = angle;
    root.children.push_back(needle);
    return build_display_list(root, sizes);
  }
};

TEST(DisplayList, NeedlePivotLiesOnItsPositionAndItsTipPointsAtItsAngle) {
  NeedleGauge gauge;
  const struct {
    double angle, tip_x, tip_y;
  } cases[] = {{0, 150, 50}, {90, 250, 150}, {180, 150, 250}, {270, 50, 150}, {45, 150 + 70.710678, 150 - 70.710678}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    const DisplayList list = gauge.at(c.angle);
    ASSERT_EQ(list.ops.size(), 2u);
    EXPECT_EQ(list.size, (ImageSize{300, 300}));
    const ImageOp& needle = image_op(list, 1);
    EXPECT_EQ(needle.resource_id, 110);
    EXPECT_TRUE(needle.bilinear);
    EXPECT_EQ(needle.lighting, Lighting::luminous);
    expect_point(needle.transform.apply(10, 4), 150, 150);
    expect_point(needle.transform.apply(110, 4), c.tip_x, c.tip_y);  // 100 px out from the pivot
  }
}

TEST(DisplayList, NonFiniteValuesNeverReachATransform) {
  NeedleGauge gauge;
  const ImageOp needle = image_op(gauge.at(std::nan("")), 1);
  for (double v : {needle.transform.a, needle.transform.b, needle.transform.c, needle.transform.d,
                   needle.transform.e, needle.transform.f})
    EXPECT_TRUE(std::isfinite(v));
  expect_point(needle.transform.apply(10, 4), 150, 150);
}

TEST(DisplayList, IconsShowTheirImageByIndexAndNothingBelowZeroButKeepTheirChildren) {
  ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 200}};
  ElementIcon lamp{.header = {.kind = kElementIcon, .resource_id = 210, .position = {5, 6},
                              .image_flags = kImageBright | kImageLuminous},
                   .image_count = 2};
  ElementStaticImage glass{{.kind = kElementStaticImage, .resource_id = 230}};
  const SizeLookup sizes = sizes_of({{200, {40, 40}}, {210, {10, 10}}, {211, {10, 10}}, {230, {40, 40}}});

  for (int image : {-1, 0, 1}) {
    SCOPED_TRACE(image);
    EvaluatedElement root = evaluated(base.header);
    EvaluatedElement icon = evaluated(lamp.header);
    icon.image = image;
    icon.children.push_back(evaluated(glass.header));
    root.children.push_back(icon);
    const DisplayList list = build_display_list(root, sizes);
    if (image < 0) {
      ASSERT_EQ(list.ops.size(), 2u);
      EXPECT_EQ(image_op(list, 1).resource_id, 230);
      continue;
    }
    ASSERT_EQ(list.ops.size(), 3u);
    const ImageOp& shown = image_op(list, 1);
    EXPECT_EQ(shown.resource_id, 210 + image);
    EXPECT_EQ(shown.lighting, Lighting::bright);  // bright wins over luminous
    expect_point(shown.transform.apply(0, 0), 5, 6);
  }
}

TEST(DisplayList, HiddenAndFailedElementsAreLeftOutWithTheirChildren) {
  ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 200}};
  ElementStaticImage part{{.kind = kElementStaticImage, .resource_id = 210}};
  ElementStaticImage child{{.kind = kElementStaticImage, .resource_id = 220}};
  ElementStaticImage sibling{{.kind = kElementStaticImage, .resource_id = 230}};
  const SizeLookup sizes = sizes_of({{200, {40, 40}}});

  for (bool by_flag : {true, false}) {
    EvaluatedElement root = evaluated(base.header);
    EvaluatedElement hidden = evaluated(part.header);
    if (by_flag) hidden.flags |= kImageHidden;
    else hidden.not_drawn = true;
    hidden.children.push_back(evaluated(child.header));
    root.children.push_back(hidden);
    root.children.push_back(evaluated(sibling.header));
    const DisplayList list = build_display_list(root, sizes);
    ASSERT_EQ(list.ops.size(), 2u);
    EXPECT_EQ(image_op(list, 0).resource_id, 200);
    EXPECT_EQ(image_op(list, 1).resource_id, 230);
  }
}

TEST(DisplayList, MovingImageShiftsItsStripUnderItsWindowByTheFractionOfTravel) {
  ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 300}};
  ElementMovingImage drum{.header = {.kind = kElementMovingImage, .resource_id = 310,
                                     .position = {20, 30}},
                          .x = {},  // no source: stays at its start
                          .y = {.source = {.id = 5}, .min = 0, .max = 10}};
  // Strip 16 x 200 under a window 16 x 20: 180 px of travel down the strip.
  const SizeLookup sizes = sizes_of({{300, {100, 100}}, {310, {16, 200}}, {311, {16, 20}}});
  const struct {
    double value, shift;
  } cases[] = {{0, 0}, {5, -90}, {10, -180}, {-3, 0}, {12, -180}, {std::nan(""), 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EvaluatedElement root = evaluated(base.header);
    EvaluatedElement moving = evaluated(drum.header);
    moving.x = 7;  // ignored: the x axis has no source
    moving.y = c.value;
    root.children.push_back(moving);
    const ImageOp& strip = image_op(build_display_list(root, sizes), 1);
    EXPECT_EQ(strip.resource_id, 310);
    expect_point(strip.transform.apply(0, 0), 20, 30 + c.shift);
    EXPECT_EQ(strip.clip.kind, Clip::Kind::window);
    EXPECT_EQ(strip.clip.window_id, 311);
    expect_point(strip.clip.window_transform.apply(0, 0), 20, 30);
  }
}

TEST(DisplayList, SlidersAndSpritesShiftByValueTimesScaleAndSpritesTurnAboutTheirCentre) {
  ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 400}};
  ElementSlider bar{.header = {.kind = kElementSlider, .resource_id = 410, .position = {10, 20}},
                    .x = {.scale = 2.0}, .y = {.scale = -0.5}};
  ElementSprite ball{.header = {.kind = kElementSprite, .resource_id = 420, .position = {50, 50}},
                     .texture_center = {30, 40}, .texture_scale_x = 1, .texture_scale_y = 1,
                     .x = {.scale = 1}, .y = {.scale = 3}, .rotation = {.scale = 2}};
  const SizeLookup sizes = sizes_of({{400, {100, 100}}, {410, {5, 5}}, {420, {60, 80}}});

  EvaluatedElement root = evaluated(base.header);
  EvaluatedElement slider = evaluated(bar.header);
  slider.x = 4;
  slider.y = 6;
  EvaluatedElement sprite = evaluated(ball.header);
  sprite.x = 1;
  sprite.y = 2;
  sprite.rotation = 45;  // 90 degrees at scale 2
  root.children = {slider, sprite};
  const DisplayList list = build_display_list(root, sizes);
  ASSERT_EQ(list.ops.size(), 3u);
  expect_point(image_op(list, 1).transform.apply(0, 0), 18, 17);
  const Affine& turn = image_op(list, 2).transform;
  expect_point(turn.apply(30, 40), 51, 56);       // the centre on the shifted position
  expect_point(turn.apply(30 + 10, 40), 51, 66);  // 3 o'clock of the texture turned to 6
}

TEST(DisplayList, TextsCarryTheirRecordsBoxFontAndColours) {
  ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 500}};
  ElementString readout{.header = {.kind = kElementString, .resource_id = -1, .position = {12, 8},
                                   .image_flags = kImageTransparent | kImageBright},
                        .box = {60, 20}, .char_count = 8, .foreground = 0x0000ff,
                        .background = 0x000000, .font = "Quartz", .weight = 700,
                        .draw_flags = 0x25};
  EvaluatedElement root = evaluated(base.header);
  EvaluatedElement text = evaluated(readout.header);
  text.text = "270\xc2\xb0";
  root.children.push_back(text);
  const DisplayList list = build_display_list(root, sizes_of({{500, {80, 40}}}));
  const auto& op = std::get<TextOp>(list.ops.at(1));
  EXPECT_EQ(op.text, "270\xc2\xb0");
  EXPECT_EQ(op.box, (Rect{12, 8, 60, 20}));
  EXPECT_EQ(op.font, "Quartz");
  EXPECT_EQ(op.weight, 700);
  EXPECT_EQ(op.foreground, 0xff0000u);  // red
  EXPECT_FALSE(op.fill_background);     // black on a transparent element is see-through
  EXPECT_EQ(op.lighting, Lighting::bright);
  EXPECT_EQ(op.align, 0x25u);
}

TEST(DisplayList, MissingBitmapsGetPlausibleSizes) {
  GaugeHeader header{.width_mm = 40};
  NonlinearityEntry table[] = {{.point = {60, 10}, .value = 0}, {.point = {110, 60}, .value = 1}};
  ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 600, .gauge = &header}};
  ElementNeedle pointer{.header = {.kind = kElementNeedle, .resource_id = 610, .gauge = &header,
                                   .position = {60, 60}, .pivot = {6, 3}},
                        .table = table, .table_size = 2};
  ElementIcon lamp{.header = {.kind = kElementIcon, .resource_id = 620, .gauge = &header}};
  EvaluatedElement root = evaluated(base.header);
  root.children.push_back(evaluated(pointer.header));
  EvaluatedElement icon = evaluated(lamp.header);
  icon.image = 0;
  root.children.push_back(icon);
  const DisplayList list = build_display_list(root, sizes_of({}));
  EXPECT_EQ(list.size, (ImageSize{120, 120}));              // 3 px per millimetre
  EXPECT_EQ(image_op(list, 1).size, (ImageSize{56, 6}));    // pivot out to the first mark
  EXPECT_EQ(image_op(list, 2).size, (ImageSize{120, 120}));  // a lamp covers the gauge
}

TEST(DisplayList, JsonFormKeepsEveryOperation) {
  NeedleGauge gauge;
  const nlohmann::json json = gauge.at(90);
  EXPECT_EQ(json["size"], nlohmann::json({300, 300}));
  ASSERT_EQ(json["ops"].size(), 2u);
  EXPECT_EQ(json["ops"][1]["op"], "image");
  EXPECT_EQ(json["ops"][1]["id"], 110);
  EXPECT_EQ(json["ops"][1]["lighting"], "luminous");
  EXPECT_NEAR(json["ops"][1]["transform"][4].get<double>(), 140, kTol);
}

}  // namespace
}  // namespace gaugehost::render
