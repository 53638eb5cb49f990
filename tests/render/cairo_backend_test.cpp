// Replaying display lists with cairo: clipping by window bitmaps, night lighting, text, and
// drawing that carries on after bad input.
#include "host/render/cairo_backend.h"

#include <gtest/gtest.h>

#include <string>

namespace gaugehost::render {
namespace {

cairo_surface_t* solid(int width, int height, double r, double g, double b, double a = 1) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgba(cr, r, g, b, a);
  cairo_paint(cr);
  cairo_destroy(cr);
  return s;
}

struct Pixels {
  explicit Pixels(cairo_surface_t* s) : surface(s) { cairo_surface_flush(s); }
  ~Pixels() { cairo_surface_destroy(surface); }
  uint32_t at(int x, int y) const {
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface) +
                                             y * cairo_image_surface_get_stride(surface))[x];
  }
  int count(uint32_t argb, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += at(x, y) == argb;
    return n;
  }
  cairo_surface_t* surface;
};

ImageOp image(int32_t id, double x, double y, ImageSize size, Lighting lighting = Lighting::normal) {
  return ImageOp{.resource_id = id, .transform = Affine::translation(x, y), .size = size,
                 .lighting = lighting};
}

TEST(CairoBackend, WindowBitmapLetsTheStripThroughOnlyWhereItIsOpaque) {
  ImageStore images;
  images.add(1, solid(10, 40, 1, 0, 0));
  // Window 10 x 10: opaque top half, transparent bottom half.
  cairo_surface_t* window = solid(10, 10, 0, 0, 0, 0);
  cairo_t* cr = cairo_create(window);
  cairo_rectangle(cr, 0, 0, 10, 5);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_fill(cr);
  cairo_destroy(cr);
  images.add(2, window);
  ImageOp strip = image(1, 5, -5, {10, 40});
  strip.clip = Clip{.kind = Clip::Kind::window, .window_id = 2,
                    .window_transform = Affine::translation(5, 5)};
  const Pixels out(render_display_list({.size = {20, 40}, .ops = {strip}}, images, {}, 1));
  EXPECT_EQ(out.count(0xffff0000u, 0, 0, 20, 40), 10 * 5);
  EXPECT_EQ(out.count(0xffff0000u, 5, 5, 15, 10), 10 * 5);
}

TEST(CairoBackend, NightDimsThePanelLightsLuminousPartsWarmlyAndKeepsBrightOnes) {
  ImageStore images;
  images.add(1, solid(4, 4, 1, 1, 1));
  const DisplayList list{.size = {12, 4},
                         .ops = {image(1, 0, 0, {4, 4}, Lighting::normal),
                                 image(1, 4, 0, {4, 4}, Lighting::luminous),
                                 image(1, 8, 0, {4, 4}, Lighting::bright)}};
  const Pixels day(render_display_list(list, images, {}, 1));
  for (int x : {1, 5, 9}) EXPECT_EQ(day.at(x, 1), 0xffffffffu);

  const Pixels night(render_display_list(list, images, {.night = true}, 1));
  const auto channel = [&](int x, int shift) { return (night.at(x, 1) >> shift) & 0xff; };
  EXPECT_LT(channel(1, 16), 80u);                    // normal: dark
  EXPECT_GT(channel(5, 16), 200u);                   // luminous: red stays high...
  EXPECT_LT(channel(5, 0), channel(5, 16) * 3 / 4);  // ...blue drops: a warm light
  EXPECT_EQ(night.at(9, 1), 0xffffffffu);            // bright: untouched
}

TEST(CairoBackend, TextIsDrawnInItsColourInsideItsBox) {
  ImageStore images;
  const TextOp text{.text = "888", .box = {10, 10, 60, 20}, .font = "Quartz",
                    .foreground = 0x00ff00, .background = 0x000040};
  const Pixels out(render_display_list({.size = {80, 40}, .ops = {text}}, images, {}, 1));
  EXPECT_GT(out.count(0xff00ff00u, 10, 10, 70, 30), 40);  // lit segments
  EXPECT_GT(out.count(0xff000040u, 10, 10, 70, 30), 200);  // filled background
  EXPECT_EQ(out.count(0xff00ff00u, 0, 0, 80, 10) + out.count(0xff00ff00u, 0, 30, 80, 40), 0);
}

TEST(CairoBackend, RecordFontsDrawAsTheirMappedFaces) {
  ImageStore images;
  const auto drawn = [&](const char* font) {
    const TextOp text{.text = "1234", .box = {0, 0, 80, 24}, .font = font};
    cairo_surface_t* s = render_display_list({.size = {80, 24}, .ops = {text}}, images, {}, 1);
    cairo_surface_flush(s);
    std::string pixels(reinterpret_cast<const char*>(cairo_image_surface_get_data(s)),
                       cairo_image_surface_get_stride(s) * 24);
    cairo_surface_destroy(s);
    return pixels;
  };
  EXPECT_EQ(drawn("Quartz"), drawn("DSEG7 Classic"));
  EXPECT_EQ(drawn("Arial"), drawn("Liberation Sans"));
  EXPECT_NE(drawn("Quartz"), drawn("Arial"));
}

TEST(CairoBackend, TextThatIsNotUtf8IsReadAsLatin1AndDrawingGoesOn) {
  EXPECT_EQ(displayable_utf8("12\xc2\xb0 C"), "12\xc2\xb0 C");
  EXPECT_EQ(displayable_utf8("12\xb0"), "12\xc2\xb0");
  EXPECT_EQ(displayable_utf8("\xc2"), "\xc3\x82");  // cut-off sequence

  ImageStore images;
  images.add(1, solid(4, 4, 0, 0, 1));
  const TextOp bad{.text = "\xff\xfe" "12", .box = {0, 0, 40, 20}, .font = "Arial"};
  const Pixels out(render_display_list({.size = {40, 40}, .ops = {bad, image(1, 0, 30, {4, 4})}},
                                       images, {}, 1));
  EXPECT_EQ(out.at(1, 31), 0xff0000ffu);
}

TEST(CairoBackend, FlatTransformsAndUnknownClipWindowsDrawSafely) {
  ImageStore images;
  images.add(1, solid(4, 4, 0, 0, 1));
  ImageOp flat = image(1, 0, 0, {4, 4});
  flat.transform = Affine::scaling(0, 1);
  ImageOp unclipped = image(1, 4, 0, {4, 4});
  unclipped.clip = Clip{.kind = Clip::Kind::window, .window_id = 77};
  const Pixels out(render_display_list({.size = {8, 4}, .ops = {flat, unclipped}}, images, {}, 1));
  EXPECT_EQ(out.at(1, 1), 0u);
  EXPECT_EQ(out.at(5, 1), 0xff0000ffu);
}

}  // namespace
}  // namespace gaugehost::render
