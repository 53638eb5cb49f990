// Drum strips are laid out for the moving-image rule: one digit a cell from the top, the cells
// exactly the window's height, the last cell repeating the first so that the roll from 9 to 0 is
// seamless.
#include <gtest/gtest.h>

#include <string>

#include "tests/resources/decoded_png.h"

namespace {

using crv5::testing::decode_png;
using crv5::testing::find_resource;
using crv5::testing::pixel;

// The whitest pixel of a row.
int row_ink(cairo_surface_t* s, int y) {
  int best = 0;
  for (int x = 0; x < cairo_image_surface_get_width(s); ++x)
    best = std::max(best, pixel(s, x, y).whiteness);
  return best;
}

TEST(DrumArt, TenDigitStripsHoldOneDigitPerWindowAndWrapToTheirFirst) {
  for (int32_t strip : {4190, 3020, 3280}) {
    SCOPED_TRACE("strip " + std::to_string(strip));
    const ResourceEntry* s = find_resource("BITMAP", strip);
    const ResourceEntry* w = find_resource("BITMAP", strip + 1);
    ASSERT_TRUE(s && w);
    auto png = decode_png(*s);
    auto window = decode_png(*w);
    const int cell = cairo_image_surface_get_height(window.get());
    const int height = cairo_image_surface_get_height(png.get());
    ASSERT_EQ(height, 11 * cell) << "eleven cells of the window's height: 0 to 9, then 0";
    EXPECT_EQ(pixel(window.get(), 0, 0).alpha, 255) << "the window shows the strip where opaque";
    for (int i = 0; i < 11; ++i) {
      EXPECT_LT(row_ink(png.get(), i * cell), 60) << "cell " << i << " starts between digits";
      EXPECT_GT(row_ink(png.get(), i * cell + cell / 2), 150) << "cell " << i << " holds a digit";
    }
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cairo_image_surface_get_width(png.get()); ++x)
        ASSERT_EQ(pixel(png.get(), x, y).whiteness, pixel(png.get(), x, 10 * cell + y).whiteness)
            << "the last cell repeats the first at (" << x << ", " << y << ")";
  }
}

}  // namespace
