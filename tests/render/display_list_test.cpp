// The drawing rules of display lists: where each kind of element ends up, in gauge pixels; and
// reference images: small gauges made of bitmaps drawn here (so that the module's artwork may
// change freely), rendered through display lists and the cairo backend and compared with
// tests/render/reference/*.png (render_support.h).
#include "host/render/display_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/render/cairo_backend.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using testing::evaluated;
using testing::expect_matches_reference;
using testing::painted;
using testing::solid;

ElementStaticImage base{{.kind = kElementStaticImage, .resource_id = 100}};

// One child over a 300 x 300 background; the list's ops are background, child, ...
DisplayList list_of(EvaluatedElement child) {
  return build_display_list(evaluated(base.header, {std::move(child)}), [](int32_t id) {
    return id == 100 ? std::optional(ImageSize{300, 300}) : std::nullopt;
  });
}

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
  EXPECT_EQ(ids(1, false, false), (std::vector<int32_t>{100, 211, 230}));
  EXPECT_EQ(ids(1, true, false), (std::vector<int32_t>{100, 230}));  // the flag hides the icon only
  EXPECT_EQ(ids(1, false, true), (std::vector<int32_t>{100, 230}));  // and so does a failure

  EvaluatedElement icon = evaluated(lamp.header);
  icon.image = 0;
  const ImageOp op = std::get<ImageOp>(list_of(icon).ops.at(1));
  EXPECT_EQ(op.lighting, Lighting::bright);  // bright wins over luminous
  EXPECT_EQ(op.transform.apply(0, 0).x, 5);
  EXPECT_EQ(op.transform.apply(0, 0).y, 6);
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

// A 120 x 120 dial: dark face, a white mark every 30 degrees, a red one at 12 o'clock.
cairo_surface_t* dial_face() {
  return painted(solid(120, 120, 0, 0, 0, 0), [](cairo_t* cr) {
    cairo_arc(cr, 60, 60, 58, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
    cairo_fill(cr);
    cairo_set_line_width(cr, 3);
    for (int mark = 0; mark < 12; ++mark) {
      const double a = mark * M_PI / 6;
      cairo_move_to(cr, 60 + 44 * std::sin(a), 60 - 44 * std::cos(a));
      cairo_line_to(cr, 60 + 56 * std::sin(a), 60 - 56 * std::cos(a));
      cairo_set_source_rgb(cr, 0.95, mark ? 0.95 : 0.1, mark ? 0.95 : 0.1);
      cairo_stroke(cr);
    }
  });
}

// A 20 x 200 drum strip of ten coloured 20-pixel bands, band n carrying n white dots.
cairo_surface_t* drum_strip() {
  return painted(solid(20, 200, 0, 0, 0), [](cairo_t* cr) {
    for (int band = 0; band < 10; ++band) {
      cairo_set_source_rgb(cr, band / 9.0, 0.3, 1 - band / 9.0);
      cairo_rectangle(cr, 0, band * 20, 20, 20);
      cairo_fill(cr);
      cairo_set_source_rgb(cr, 1, 1, 1);
      for (int dot = 0; dot < band; ++dot)
        cairo_rectangle(cr, 2 + (dot % 5) * 3.5, band * 20 + 5 + (dot / 5) * 6, 2, 2);
      cairo_fill(cr);
    }
  });
}

TEST(ReferenceImages, MatchTheirReferences) {
  ImageStore images;
  images.add(100, dial_face());
  // A 56 x 8 needle pointing to 3 o'clock from its pivot (6, 4), white with a yellow tip.
  images.add(110, painted(solid(56, 8, 1, 1, 1), [](cairo_t* cr) {
               cairo_rectangle(cr, 44, 0, 12, 8);
               cairo_set_source_rgb(cr, 1, 0.85, 0);
               cairo_fill(cr);
             }));
  images.add(200, solid(60, 60, 0.25, 0.27, 0.3));
  images.add(210, drum_strip());
  images.add(211, solid(20, 40, 0, 0, 0));         // the drum's window
  images.add(300, solid(40, 40, 0.25, 0.1, 0.1));  // lamp, dark
  images.add(310, solid(30, 30, 1, 0.2, 0.1));     // lamp, lit, smaller than the dark one

  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 100,
                           .image_flags = kImageLuminous}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 110,
                                  .position = {60, 60}, .pivot = {6, 4},
                                  .image_flags = kImageBilinear}};
  ElementStaticImage drum_plate{{.kind = kElementStaticImage, .resource_id = 200}};
  ElementMovingImage drum{.header = {.kind = kElementMovingImage, .resource_id = 210,
                                     .position = {20, 10}},
                          .x = {},  // no source: stays at its start
                          .y = {.source = {.id = 1}, .min = 0, .max = 8}};
  ElementStaticImage dark_lamp{{.kind = kElementStaticImage, .resource_id = 300}};
  ElementIcon lit_lamp{.header = {.kind = kElementIcon, .resource_id = 310,
                                  .image_flags = kImageBright},
                       .image_count = 1};
  ElementStaticImage unknown{{.kind = kElementStaticImage, .resource_id = 999,
                              .position = {10, 10}}};
  ElementSlider bar{.header = {.kind = kElementSlider, .resource_id = 310, .position = {10, 20}},
                    .x = {.scale = 2.0}, .y = {.scale = -0.5}};
  // The drum strip as a card turning about (30, 30), shown inside (10, 10)..(50, 50); a texture
  // scale left 0 is as drawn.
  ElementSprite card{.header = {.kind = kElementSprite, .resource_id = 210, .position = {10, 10},
                                .pivot = {30, 30}},
                     .x = {.scale = 1}, .y = {.scale = 3}, .rotation = {.scale = 2},
                     .texture_scale_x = 1, .texture_scale_y = 0};

  const auto needle_at = [&](double angle) {
    EvaluatedElement pointer = evaluated(needle.header);
    pointer.angle = angle;
    return evaluated(dial.header, {pointer});
  };
  const auto on_plate = [&](ElementHeader& record, double x, double y, double rotation = 0) {
    EvaluatedElement moving = evaluated(record);
    moving.x = x;
    moving.y = y;
    moving.rotation = rotation;
    return evaluated(drum_plate.header, {moving});
  };
  const auto drum_at = [&](double value) { return on_plate(drum.header, 7, value); };
  const auto lamp = [&](int image) {
    EvaluatedElement icon = evaluated(lit_lamp.header);
    icon.image = image;
    return evaluated(dark_lamp.header, {icon});
  };
  EvaluatedElement hidden = needle_at(100);  // the bare dial, and a missing bitmap's magenta box
  hidden.children[0].flags |= kImageHidden;
  hidden.children.push_back(evaluated(unknown.header));

  // The drum has 160 px of travel over 0..8: one 20 px band per unit, held at its ends.
  const struct {
    const char* name;
    EvaluatedElement root;
    double scale = 1;
    bool night = false;
  } cases[] = {
      {"needle_0", needle_at(0)},       {"needle_0", needle_at(std::nan(""))},
      {"needle_100", needle_at(100)},   {"needle_225", needle_at(225)},
      {"needle_100_2x", needle_at(100), 2},
      {"needle_100_night", needle_at(100), 1, true},  // a luminous dial, a dimmed needle
      {"drum_0", drum_at(0)},           {"drum_0", drum_at(-3)},
      {"drum_0", drum_at(std::nan(""))}, {"drum_35", drum_at(3.5)},
      {"drum_80", drum_at(8)},          {"drum_80", drum_at(12)},
      {"lamp_dark", lamp(-1)},          {"lamp_dark_night", lamp(-1), 1, true},
      {"lamp_lit", lamp(0)},            {"lamp_lit_night", lamp(0), 1, true},
      {"needle_hidden", hidden},
      {"slider", on_plate(bar.header, 4, 6)},  // shifted by value times scale: (8, -3)
      // Turned a quarter counter-clockwise (45 at scale 2), the shift (1, 6) along the texture's
      // axes turned with it.
      {"sprite_turned", on_plate(card.header, 1, 2, 45)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    expect_matches_reference(c.name, render_display_list(build_display_list(c.root, images.sizes()),
                                                         images, {.night = c.night}, c.scale));
  }
}

}  // namespace
}  // namespace gaugehost::render
