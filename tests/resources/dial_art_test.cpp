// The artwork agrees with the gauges' records: a dial's mark for a value lies where the needle
// points for that value (by the gauge's own table and the needle rule), and each needle
// bitmap, drawn pointing to 3 o'clock from its pivot, reaches the marks and no further.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "common/needle_rule.h"
#include "resources/art/dial_scale.h"
#include "tests/resources/decoded_png.h"
#include "tests/resources/dial_checks.h"

namespace {

using crv5::art::find_gauge;
using crv5::art::find_needle;
using crv5::testing::decode_png;
using crv5::testing::Graduations;
using crv5::testing::NeedleBitmap;
using crv5::testing::NeedleReach;
using crv5::testing::Scale;
using crv5::testing::find_resource;
using crv5::testing::pixel;
using crv5::testing::Surface;

// The dial's whitest pixel in a 3 x 3 patch at `radius` from the needle's position, in the
// direction `degrees` (clockwise from 12 o'clock).
int whiteness_at(cairo_surface_t* dial, PixPoint centre, double degrees, double radius) {
  const double a = degrees * M_PI / 180;
  const int x = int(std::floor(centre.x + radius * std::sin(a)));
  const int y = int(std::floor(centre.y - radius * std::cos(a)));
  int best = 0;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) best = std::max(best, pixel(dial, x + dx, y + dy).whiteness);
  return best;
}

TEST_P(Graduations, EachMajorMarkLiesWhereTheNeedlePointsForItsValue) {
  const Scale& s = GetParam();
  const ElementNeedle* needle = find_needle(find_gauge(s.gauge), s.needle, s.nth);
  ASSERT_NE(needle, nullptr);
  const ResourceEntry* e = find_resource("BITMAP", s.dial);
  ASSERT_NE(e, nullptr);
  Surface dial = decode_png(*e);
  ASSERT_EQ(cairo_surface_status(dial.get()), CAIRO_STATUS_SUCCESS);
  const PixPoint centre = needle->header.position;
  for (double v = s.first; v <= s.last + 1e-9; v += s.step) {
    SCOPED_TRACE(std::string(s.gauge) + " at " + std::to_string(v));
    const double a = crv5::common::needle_angle(needle->table, needle->table_size, centre, v);
    EXPECT_GT(whiteness_at(dial.get(), centre, a, s.probe_radius), 180);
    EXPECT_LT(whiteness_at(dial.get(), centre, a - s.miss_degrees, s.probe_radius), 90);
    EXPECT_LT(whiteness_at(dial.get(), centre, a + s.miss_degrees, s.probe_radius), 90);
  }
}

constexpr double kRpm = 100.0 / 9137;  // percent per RPM

INSTANTIATE_TEST_SUITE_P(
    Dials, Graduations,
    ::testing::Values(
        // Tachometer: a mark every 1000 RPM, and every 100 RPM on the sub-dial.
        Scale{"Engine_RPM", 460, 470, 0, 9000 * kRpm, 1000 * kRpm, 110, 3},
        Scale{"Engine_RPM", 460, 480, 0, 900 * kRpm, 100 * kRpm, 36, 8},
        // Corrected speed: every 10 percent.
        Scale{"Engine_Corrected_N1", 1420, 1450, 0, 100, 10, 73, 3},  // 110: the red line
        Scale{"Engine_Corrected_N2", 1430, 1450, 0, 100, 10, 73, 3},
        Scale{"Engine_Corrected_N1", 1420, 1440, 0, 5, 5, 15.5, 15},
        // Fuel: every 100 kg over a table whose segments differ in rate.
        Scale{"Fuel_Quantity", 2030, 2040, 0, 1100, 100, 106, 4}),
    crv5::testing::scale_name);

// The needle bitmap's coverage on its axis at `distance` to the right of its pivot.
int axis_alpha(cairo_surface_t* s, PixPoint pivot, double distance) {
  const int x = int(std::floor(pivot.x + distance));
  if (x >= cairo_image_surface_get_width(s)) return 0;
  return std::max(pixel(s, x, pivot.y - 1).alpha, pixel(s, x, pivot.y).alpha);
}

TEST_P(NeedleReach, PointsToThreeOClockAndReachesItsMarks) {
  const NeedleBitmap& n = GetParam();
  const ElementNeedle* needle = find_needle(find_gauge(n.gauge), n.bitmap);
  ASSERT_NE(needle, nullptr);
  double nearest = 1e9, farthest = 0;
  for (int i = 0; i < needle->table_size; ++i) {
    const PixPoint p = needle->table[i].point;
    const double r = std::hypot(p.x - needle->header.position.x, p.y - needle->header.position.y);
    nearest = std::min(nearest, r);
    farthest = std::max(farthest, r);
  }
  Surface s = decode_png(*find_resource("BITMAP", n.bitmap));
  ASSERT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS);
  const PixPoint pivot = needle->header.pivot;
  EXPECT_GT(axis_alpha(s.get(), pivot, nearest - 5), 60) << "falls short of the marks";
  EXPECT_EQ(axis_alpha(s.get(), pivot, farthest + 4), 0) << "runs past the marks";
  // The needle lies along its axis: the bitmap's top row is clear near the tip.
  EXPECT_LT(pixel(s.get(), int(pivot.x + nearest - 5), 0).alpha, 40);
}

INSTANTIATE_TEST_SUITE_P(Dials, NeedleReach,
                         ::testing::Values(NeedleBitmap{"Engine_RPM", 470},
                                           NeedleBitmap{"Engine_RPM", 480},
                                           NeedleBitmap{"Engine_Corrected_N1", 1450},
                                           NeedleBitmap{"Engine_Corrected_N1", 1440},
                                           NeedleBitmap{"Fuel_Quantity", 2040},
                                           NeedleBitmap{"Fuel_Quantity", 2050}),
                         crv5::testing::needle_name);

}  // namespace
