// Windows of gauges: placement and scale, and redrawing only the gauges that changed without the
// picture differing from a full redraw.
#include "host/render/panel_renderer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace gaugehost::render {
namespace {

cairo_surface_t* solid(int width, int height, double r, double g, double b) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_paint(cr);
  cairo_destroy(cr);
  return s;
}

uint32_t pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                           y * cairo_image_surface_get_stride(s))[x];
}

bool same_pixels(cairo_surface_t* a, cairo_surface_t* b) {
  const int h = cairo_image_surface_get_height(a);
  if (h != cairo_image_surface_get_height(b) ||
      cairo_image_surface_get_width(a) != cairo_image_surface_get_width(b))
    return false;
  cairo_surface_flush(a);
  cairo_surface_flush(b);
  const int row = cairo_image_surface_get_width(a) * 4;
  for (int y = 0; y < h; ++y)
    if (std::memcmp(cairo_image_surface_get_data(a) + y * cairo_image_surface_get_stride(a),
                    cairo_image_surface_get_data(b) + y * cairo_image_surface_get_stride(b), row))
      return false;
  return true;
}

class PanelRendererTest : public ::testing::Test {
 protected:
  PanelRendererTest() {
    images.add(1, solid(20, 20, 0, 0, 1));  // dial
    images.add(2, solid(10, 2, 1, 1, 1));   // needle
    for (EvaluatedElement* root : {&left, &right}) {
      root->record = &dial.header;
      root->resource_id = 1;
      EvaluatedElement pointer;
      pointer.record = &needle.header;
      pointer.kind = kElementNeedle;
      pointer.resource_id = 2;
      pointer.angle = 90;
      root->children.push_back(pointer);
    }
    window.size = {100, 50};
    window.gauges = {{&left, &left, {10, 10, 20, 20}}, {&right, &right, {50, 10, 40, 40}}};
  }

  ImageStore images;
  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 1}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 2,
                                  .position = {10, 10}, .pivot = {0, 1}}};
  EvaluatedElement left, right;
  WindowView window;
};

TEST_F(PanelRendererTest, GaugesLieAtTheirPlacementsScaledToTheirSize) {
  PanelRenderer renderer(images);
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    cairo_surface_t* out = renderer.render_window(window, scale, {});
    EXPECT_EQ(cairo_image_surface_get_width(out), int(100 * scale));
    EXPECT_EQ(pixel(out, int(11 * scale), int(11 * scale)), 0xff0000ffu);  // left dial
    EXPECT_EQ(pixel(out, int(89 * scale), int(49 * scale)), 0xff0000ffu);  // right dial, 2x size
    EXPECT_NE(pixel(out, int(5 * scale), int(5 * scale)), 0xff0000ffu);    // panel
    EXPECT_EQ(pixel(out, int(85 * scale), int(30 * scale)), 0xffffffffu);  // right needle at 3 o'clock
    cairo_surface_destroy(out);
  }
}

TEST_F(PanelRendererTest, OnlyChangedGaugesAreDrawnAgainAndThePictureIsTheSame) {
  PanelRenderer renderer(images);
  cairo_surface_destroy(renderer.render_window(window, 1, {}));
  EXPECT_EQ(renderer.last_counts().redrawn, 2);

  cairo_surface_destroy(renderer.render_window(window, 1, {}));
  EXPECT_EQ(renderer.last_counts().redrawn, 0);
  EXPECT_EQ(renderer.last_counts().reused, 2);

  right.children[0].angle = 180;
  cairo_surface_t* incremental = renderer.render_window(window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 1);
  EXPECT_EQ(renderer.last_counts().reused, 1);
  PanelRenderer fresh(images);
  cairo_surface_t* full = fresh.render_window(window, 1, {});
  EXPECT_TRUE(same_pixels(incremental, full));
  cairo_surface_destroy(incremental);
  cairo_surface_destroy(full);

  // Another scale or lighting draws everything again.
  cairo_surface_destroy(renderer.render_window(window, 2, {}));
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
  cairo_surface_destroy(renderer.render_window(window, 2, {.night = true}));
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
}

TEST_F(PanelRendererTest, KeptWindowIsRepaintedOnlyWhereAGaugeChangedAndMatchesAFullPaint) {
  PanelRenderer renderer(images);
  renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
  cairo_surface_t* same = renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 0);

  left.children[0].angle = 135;
  cairo_surface_t* kept = renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(kept, same);  // painted in place
  EXPECT_EQ(renderer.last_counts().redrawn, 1);
  PanelRenderer fresh(images);
  cairo_surface_t* full = fresh.render_window(window, 1, {});
  EXPECT_TRUE(same_pixels(kept, full));
  cairo_surface_destroy(full);

  // A gauge moved elsewhere on the window: the whole window is painted again, nothing left behind.
  window.gauges[0].placement.x = 12;
  kept = renderer.update_window(&window, window, 1, {});
  full = fresh.render_window(window, 1, {});
  EXPECT_TRUE(same_pixels(kept, full));
  cairo_surface_destroy(full);
}

TEST_F(PanelRendererTest, StackedWindowsKeepTheirOwnSizes) {
  PanelRenderer renderer(images);
  WindowView small{.size = {30, 20}, .gauges = {}};
  cairo_surface_t* out = renderer.render_windows({window, small}, 1, {});
  EXPECT_EQ(cairo_image_surface_get_width(out), 100);
  EXPECT_EQ(cairo_image_surface_get_height(out), 50 + 8 + 20);
  EXPECT_EQ(pixel(out, 11, 11), 0xff0000ffu);
  EXPECT_NE(pixel(out, 50, 70), pixel(out, 10, 70));  // beside the small window: the dark ground
  cairo_surface_destroy(out);
}

}  // namespace
}  // namespace gaugehost::render
