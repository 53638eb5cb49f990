// Windows of gauges: placement and scale, and redrawing only what changed without the picture
// differing from a full redraw.
#include "host/render/panel_renderer.h"

#include <gtest/gtest.h>

#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using testing::evaluated;
using testing::Pixels;
using testing::solid;

class PanelRendererTest : public ::testing::Test {
 protected:
  PanelRendererTest() {
    images.add(1, solid(20, 20, 0, 0, 1));  // dial
    images.add(2, solid(10, 2, 1, 1, 1));   // needle
    for (EvaluatedElement* root : {&left, &right}) {
      *root = evaluated(dial.header, {evaluated(needle.header)});
      root->children[0].angle = 90;
    }
    window = {.size = {100, 50},
              .gauges = {{&left, &left, {10, 10, 20, 20}}, {&right, &right, {50, 10, 40, 40}}}};
  }
  Pixels full_redraw(double scale = 1) {
    PanelRenderer fresh(images);
    return Pixels(fresh.render_window(window, scale, {}));
  }

  ImageStore images;
  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 1}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 2,
                                  .position = {10, 10}, .pivot = {0, 1}}};
  EvaluatedElement left, right;
  WindowView window;
};

TEST_F(PanelRendererTest, GaugesLieAtTheirPlacementsScaledToTheirSize) {
  for (int scale : {1, 2}) {
    const Pixels out = full_redraw(scale);
    EXPECT_EQ(out.width(), 100 * scale);
    EXPECT_EQ(out.at(11 * scale, 11 * scale), 0xff0000ffu);  // left dial
    EXPECT_EQ(out.at(88 * scale, 48 * scale), 0xff0000ffu);  // right dial, twice its size
    EXPECT_NE(out.at(5 * scale, 5 * scale), 0xff0000ffu);    // the panel
    EXPECT_EQ(out.at(85 * scale, 30 * scale), 0xffffffffu);  // right needle at 3 o'clock
  }
}

TEST_F(PanelRendererTest, KeptWindowIsPaintedAgainOnlyWhereAGaugeChanged) {
  PanelRenderer renderer(images);
  cairo_surface_t* kept = renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
  renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 0);
  EXPECT_EQ(renderer.last_counts().reused, 2);

  // A picture of its own drawn in between (as `render` does) leaves the kept window to find the
  // change itself.
  left.children[0].angle = 135;
  cairo_surface_destroy(renderer.render_window(window, 1, {}));
  EXPECT_EQ(renderer.update_window(&window, window, 1, {}), kept);
  EXPECT_EQ(renderer.last_counts().redrawn, 1);
  EXPECT_EQ(Pixels(cairo_surface_reference(kept)), full_redraw());

  window.gauges[0].placement.x = 12;  // moved: nothing may be left behind at its old place
  kept = renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(Pixels(cairo_surface_reference(kept)), full_redraw());

  renderer.update_window(&window, window, 2, {});  // another scale or lighting: all again
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
  renderer.update_window(&window, window, 2, {.night = true});
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
}

}  // namespace
}  // namespace gaugehost::render
