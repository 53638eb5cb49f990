// The drawing rules of display lists: where each kind of element ends up, in gauge pixels (needles
// and moving images are drawn against reference images).
#include "host/render/display_list.h"

#include <gtest/gtest.h>

#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using testing::evaluated;

void expect_point(Affine::Point p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
}

ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 100}};

// One child over a 300 x 300 background; the list's ops are background, child, ...
DisplayList list_of(EvaluatedElement child) {
  return build_display_list(evaluated(base.header, {std::move(child)}), [](int32_t id) {
    return id == 100 ? std::optional(ImageSize{300, 300}) : std::nullopt;
  });
}

const ImageOp& image_op(const DisplayList& list) { return std::get<ImageOp>(list.ops.at(1)); }

TEST(DisplayList, IconsByImageIndexAndHiddenElementsWithTheirChildren) {
  ElementIcon lamp{.header = {.kind = kElementIcon, .resource_id = 210, .position = {5, 6},
                              .image_flags = kImageBright | kImageLuminous},
                   .image_count = 2};
  ElementStaticImage glass{{.kind = kElementStaticImage, .resource_id = 230}};
  const auto ids = [&](int image, bool hidden, bool failed) {
    EvaluatedElement icon = evaluated(lamp.header, {evaluated(glass.header)});
    icon.image = image;
    if (hidden) icon.flags |= kImageHidden;
    icon.not_drawn = failed;
    std::vector<int32_t> drawn;
    for (const DrawOp& op : list_of(icon).ops) drawn.push_back(std::get<ImageOp>(op).resource_id);
    return drawn;
  };
  EXPECT_EQ(ids(-1, false, false), (std::vector<int32_t>{100, 230}));  // no image, glass still on
  EXPECT_EQ(ids(0, false, false), (std::vector<int32_t>{100, 210, 230}));
  EXPECT_EQ(ids(1, false, false), (std::vector<int32_t>{100, 211, 230}));
  EXPECT_EQ(ids(1, true, false), (std::vector<int32_t>{100, 230}));  // the flag hides the icon only
  EXPECT_EQ(ids(1, false, true), (std::vector<int32_t>{100, 230}));  // and so does a failure

  EvaluatedElement icon = evaluated(lamp.header);
  icon.image = 0;
  const DisplayList list = list_of(icon);
  const ImageOp& op = image_op(list);
  EXPECT_EQ(op.lighting, Lighting::bright);  // bright wins over luminous
  expect_point(op.transform.apply(0, 0), 5, 6);
}

TEST(DisplayList, SlidersAndSpritesShiftByValueTimesScaleAndSpritesTurnAboutTheirCentre) {
  ElementSlider bar{.header = {.kind = kElementSlider, .resource_id = 410, .position = {10, 20}},
                    .x = {.scale = 2.0}, .y = {.scale = -0.5}};
  EvaluatedElement slider = evaluated(bar.header);
  slider.x = 4;
  slider.y = 6;
  expect_point(image_op(list_of(slider)).transform.apply(0, 0), 18, 17);

  // A 20 x 40 texture turning about (50, 50) of the background, shown inside (30, 20)..(70, 80).
  ElementSprite ball{.header = {.kind = kElementSprite, .resource_id = 420, .position = {30, 20},
                                .pivot = {50, 50}},
                     .x = {.scale = 1}, .y = {.scale = 3}, .rotation = {.scale = 2},
                     .texture_scale_x = 1, .texture_scale_y = 1};
  EvaluatedElement sprite = evaluated(ball.header);
  const auto sizes = [](int32_t id) {
    if (id == 100) return std::optional(ImageSize{300, 300});
    return id == 420 ? std::optional(ImageSize{20, 40}) : std::nullopt;
  };
  const auto op_of = [&] {
    return std::get<ImageOp>(build_display_list(evaluated(base.header, {sprite}), sizes).ops.at(1));
  };
  expect_point(op_of().transform.apply(10, 20), 50, 50);  // the texture's middle on the centre
  EXPECT_EQ(op_of().clip, (Clip{.kind = Clip::Kind::rectangle, .rect = {30, 20, 40, 60}}));
  sprite.x = 1;
  sprite.y = 2;
  sprite.rotation = 45;  // 90 degrees at scale 2
  const ImageOp turned = op_of();
  // The shift (1, 6) runs along the texture's axes, turned a quarter counter-clockwise with it.
  expect_point(turned.transform.apply(10, 20), 56, 49);
  expect_point(turned.transform.apply(10 + 10, 20), 56, 39);  // 3 o'clock of the texture to 12
}

TEST(DisplayList, TextsCarryTheirRecordsBoxFontAndColours) {
  ElementString readout{.header = {.kind = kElementString, .resource_id = -1, .position = {12, 8},
                                   .image_flags = kImageTransparent | kImageBright},
                        .box = {60, 20}, .foreground = 0x0000ff, .background = 0x000000,
                        .font = "Quartz", .weight = 700, .draw_flags = 0x25};
  EvaluatedElement text = evaluated(readout.header);
  text.text = "270\xc2\xb0";
  EXPECT_EQ(std::get<TextOp>(list_of(text).ops.at(1)),
            (TextOp{.text = "270\xc2\xb0", .box = {12, 8, 60, 20}, .font = "Quartz",
                    .weight = 700, .foreground = 0xff0000, .background = 0, .align = 0x25,
                    .fill_background = false,  // black on a transparent element
                    .lighting = Lighting::bright}));
}

}  // namespace
}  // namespace gaugehost::render
