// Replaying display lists with cairo: clipping by window bitmaps, night lighting, fonts, and
// drawing that carries on after bad input.
#include "host/render/cairo_backend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using testing::Pixels;
using testing::solid;

ImageOp image(int32_t id, double x, double y, Lighting lighting = Lighting::normal) {
  return ImageOp{.resource_id = id, .transform = Affine::translation(x, y), .size = {4, 4},
                 .lighting = lighting};
}

TEST(CairoBackend, WindowBitmapLetsTheStripThroughOnlyWhereItIsOpaque) {
  ImageStore images;
  images.add(1, solid(10, 40, 1, 0, 0));
  cairo_surface_t* window = solid(10, 10, 0, 0, 0, 0);  // opaque top half only
  cairo_t* cr = cairo_create(window);
  cairo_rectangle(cr, 0, 0, 10, 5);
  cairo_fill(cr);
  cairo_destroy(cr);
  images.add(2, window);
  ImageOp strip = image(1, 5, -5);
  strip.clip = Clip{.kind = Clip::Kind::window, .window_id = 2,
                    .window_transform = Affine::translation(5, 5)};
  for (double scale : {1.0, 2.0}) {
    const Pixels out(render_display_list({.size = {20, 40}, .ops = {strip}}, images, {}, scale));
    int red_outside = 0;  // the window's opaque half is (5, 5) to (15, 10); edges may blend
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x)
        red_outside += (out.at(x, y) & 0x00ff0000u) > 0x00800000u &&
                       !(x >= 5 * scale && x < 15 * scale && y >= 5 * scale && y < 10 * scale);
    EXPECT_EQ(red_outside, 0);
    EXPECT_EQ(out.at(10 * scale, 7 * scale), 0xffff0000u);
  }
}

TEST(CairoBackend, NightDimsThePanelLightsLuminousPartsWarmlyAndKeepsBrightOnes) {
  ImageStore images;
  images.add(1, solid(4, 4, 1, 1, 1));
  const DisplayList list{.size = {12, 4},
                         .ops = {image(1, 0, 0, Lighting::normal),
                                 image(1, 4, 0, Lighting::luminous),
                                 image(1, 8, 0, Lighting::bright)}};
  const Pixels day(render_display_list(list, images, {}, 1));
  for (int x : {1, 5, 9}) EXPECT_EQ(day.at(x, 1), 0xffffffffu);

  const Pixels night(render_display_list(list, images, {.night = true}, 1));
  const auto channel = [&](int x, int shift) { return (night.at(x, 1) >> shift) & 0xff; };
  EXPECT_LT(channel(1, 16), 80u);                    // normal: dark
  EXPECT_GT(channel(5, 16), 200u);                   // luminous: red stays high,
  EXPECT_LT(channel(5, 0), channel(5, 16) * 3 / 4);  // blue drops: a warm light
  EXPECT_EQ(night.at(9, 1), 0xffffffffu);            // bright: untouched
}

TEST(CairoBackend, RecordFontsDrawAsTheirMappedFacesInsideTheirBox) {
  ImageStore images;
  const auto drawn = [&](const char* font) {
    const TextOp text{.text = "1234", .box = {10, 10, 80, 24}, .font = font,
                      .foreground = 0x00ff00, .background = 0x000040};
    return std::make_unique<Pixels>(
        render_display_list({.size = {100, 44}, .ops = {text}}, images, {}, 1));
  };
  EXPECT_EQ(*drawn("Quartz"), *drawn("DSEG7 Classic"));
  EXPECT_EQ(*drawn("Arial"), *drawn("Liberation Sans"));
  EXPECT_FALSE(*drawn("Quartz") == *drawn("Arial"));

  const auto quartz = drawn("Quartz");
  int lit_inside = 0, lit_outside = 0;
  for (int y = 0; y < 44; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool inside = x >= 10 && x < 90 && y >= 10 && y < 34;
      (inside ? lit_inside : lit_outside) += quartz->at(x, y) == 0xff00ff00u;
    }
  EXPECT_GT(lit_inside, 40);
  EXPECT_EQ(lit_outside, 0);
  EXPECT_EQ(quartz->at(11, 11), 0xff000040u);  // the box's background
}

TEST(CairoBackend, BadTextAndFlatTransformsDoNotStopTheDrawing) {
  EXPECT_EQ(displayable_utf8("12\xc2\xb0 C"), "12\xc2\xb0 C");
  EXPECT_EQ(displayable_utf8("12\xb0"), "12\xc2\xb0");  // Latin-1 degree sign
  EXPECT_EQ(displayable_utf8("\xc2"), "\xc3\x82");      // cut-off sequence

  ImageStore images;
  images.add(1, solid(4, 4, 0, 0, 1));
  const TextOp bad{.text = "\xff\xfe" "12", .box = {0, 0, 40, 20}, .font = "Arial"};
  ImageOp flat = image(1, 0, 24);
  flat.transform = Affine::scaling(0, 1);
  const Pixels out(render_display_list({.size = {40, 40}, .ops = {bad, flat, image(1, 0, 30)}},
                                       images, {}, 1));
  EXPECT_EQ(out.at(1, 25), 0u);
  EXPECT_EQ(out.at(1, 31), 0xff0000ffu);
}

}  // namespace
}  // namespace gaugehost::render
