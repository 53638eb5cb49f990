// Replaying display lists with cairo: clipping by window bitmaps, fonts, and drawing that carries
// on after bad input (night lighting and a drum behind its window are drawn against reference
// images).
#include "host/render/cairo_backend.h"

#include <gtest/gtest.h>

#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using testing::painted;
using testing::Pixels;
using testing::solid;

ImageOp image(int32_t id, double x, double y) {
  return ImageOp{.resource_id = id, .transform = Affine::translation(x, y), .size = {4, 4}};
}

// A window that is an opaque rectangle is drawn through as a clip; it must show exactly what the
// mask shows, at any scale and offset. The twin window has one half-transparent pixel more, where
// the strip has a hole, so it takes the mask and must draw the same.
TEST(CairoBackend, OpaqueRectangleWindowShowsWhatItsMaskShows) {
  ImageStore images;
  images.add(1, painted(solid(10, 40, 1, 0, 0), [](cairo_t* cr) {
               cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
               cairo_rectangle(cr, 0, 16, 4, 8);  // under the twin's extra pixel, and its blur
               cairo_fill(cr);
             }));
  const auto window = [](bool with_extra_pixel) {
    return painted(solid(10, 10, 0, 0, 0, 0), [with_extra_pixel](cairo_t* cr) {
      cairo_rectangle(cr, 0, 0, 10, 5);
      cairo_fill(cr);
      if (!with_extra_pixel) return;
      cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
      cairo_rectangle(cr, 0, 9, 1, 1);
      cairo_fill(cr);
    });
  };
  images.add(2, window(false));
  images.add(3, window(true));
  for (const Affine::Point at : {Affine::Point{5, 5}, {5.25, 4.5}, {4.75, 5.5}})
    for (double scale : {1.0, 1.5, 0.75, 2.5}) {
      ImageOp strip = image(1, at.x, at.y - 10);
      strip.clip = {.kind = Clip::Kind::window, .window_id = 2,
                    .window_transform = Affine::translation(at.x, at.y)};
      const auto draw = [&] {
        return render_display_list({.size = {20, 40}, .ops = {strip}}, images, {}, scale);
      };
      const Pixels clipped(draw());
      strip.clip.window_id = 3;
      const Pixels masked(draw());
      EXPECT_EQ(clipped, masked) << "window at " << at.x << ", " << at.y << " scale " << scale;
    }
}

TEST(CairoBackend, RecordFontsDrawAsTheirMappedFacesInsideTheirBox) {
  ImageStore images;
  const auto drawn = [&](const char* font) {
    const TextOp text{.text = "1234", .box = {10, 10, 80, 24}, .font = font,
                      .foreground = 0x00ff00, .background = 0x000040};
    return render_display_list({.size = {100, 44}, .ops = {text}}, images, {}, 1);
  };
  // The faces the records and the artwork name, through our fontconfig mapping.
  const Pixels quartz(drawn("Quartz")), arial(drawn("Arial")), narrow(drawn("Arial Narrow"));
  EXPECT_EQ(arial, Pixels(drawn("Liberation Sans")));
  EXPECT_EQ(narrow, Pixels(drawn("Liberation Sans Narrow")));
  EXPECT_FALSE(quartz == arial || narrow == arial);

  // Green seven-segment figures on the box's dark blue, nothing outside the box.
  testing::expect_matches_reference("text_quartz", drawn("Quartz"));
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
