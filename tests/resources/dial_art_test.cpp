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

namespace {

using crv5::art::find_gauge;
using crv5::art::find_needle;
using crv5::testing::decode_png;
using crv5::testing::find_resource;
using crv5::testing::pixel;
using crv5::testing::Surface;

// Marks of one scale: the values that carry a major mark, and a radius crossed by major marks only.
struct Scale {
  const char* gauge;
  int32_t dial;
  int32_t needle;
  double first, last, step;  // values with a major mark
  double probe_radius;
  double miss_degrees;       // an angle off a mark that must fall between marks
  size_t nth = 0;            // which needle drawn from `needle` (in draw order) if several share it
};

// A needle bitmap of a gauge.
struct NeedleBitmap {
  const char* gauge;
  int32_t bitmap;
};

// Each instance named by its gauge.
template <typename Param>
std::string gauge_name(const ::testing::TestParamInfo<Param>& info) {
  return std::string(info.param.gauge) + "_" + std::to_string(info.index);
}

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

// Each major mark lies where the needle points for its value; beside it, the face is dark.
class Graduations : public ::testing::TestWithParam<Scale> {};

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
constexpr double fpm(double feet_per_minute) { return feet_per_minute * 256 / 60 / 3.28084; }
constexpr double rankine(double celsius) { return celsius * 1.8 + 491.67; }
constexpr double psf(double bars) { return bars * 2087.91; }
constexpr double pounds(double kilograms) { return kilograms / 0.4536; }

// Marks in the tables' units: degrees Rankine, pounds per square foot, pounds per hour.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Dials, Graduations, ::testing::Values(
    Scale{"Engine_RPM", 460, 470, 0, 9000 * kRpm, 1000 * kRpm, 110, 3},                  // every 1000 RPM
    Scale{"Engine_RPM", 460, 480, 0, 900 * kRpm, 100 * kRpm, 36, 8},                     // sub-dial, every 100
    Scale{"Engine_Corrected_N1", 1420, 1450, 0, 100, 10, 73, 3},                         // 110: the red line
    Scale{"Engine_Corrected_N2", 1430, 1450, 0, 100, 10, 73, 3},
    Scale{"Engine_Corrected_N1", 1420, 1440, 0, 5, 5, 15.5, 15},
    Scale{"Fuel_Quantity", 2030, 2040, 0, 1100, 100, 106, 4},                            // segments of differing rate
    Scale{"Altimeter", 1050, 1060, 0, 900, 100, 120, 3},                                 // a turn per 1000 ft
    Scale{"Cabin_Altitude", 2250, 2260, 10000, 40000, 5000, 80, 4.5},                    // the crowded start aside
    Scale{"Vertical_Speed", 310, 320, fpm(-4000), fpm(4000), fpm(1000), 124, 2},
    Scale{"Accelerometer", 1140, 1150, -5 * 624, 10 * 624, 624, 108, 2},                 // every g
    Scale{"VOR1_Indicator", 1400, 1380, 0, 180, 180, 88, 10},                            // heading ring ahead, behind
    Scale{"EGT_Indicator", 2000, 2010, rankine(0), rankine(800), 180, 125, 4},           // every 100 degrees C
    Scale{"Fuel_Flow", 2070, 2080, pounds(0), pounds(500), pounds(100), 112, 8},         // the opened-out low end
    Scale{"Fuel_Flow", 2070, 2080, pounds(1000), pounds(1500), pounds(500), 112, 3},     // the compressed top
    Scale{"Fuel_Pressure", 1470, 1480, psf(0), psf(30), psf(10), 79, 6, 0},              // right needle
    Scale{"Fuel_Pressure", 1470, 1480, psf(0), psf(30), psf(10), 79, 6, 1},              // left needle
    Scale{"Hydraulic_Pressure", 1020, 1030, psf(0), psf(300), psf(100), 79, 6, 0},
    Scale{"Hydraulic_Pressure", 1020, 1030, psf(0), psf(300), psf(100), 79, 6, 1},
    Scale{"Triple_Indicator", 2440, 2450, rankine(0), rankine(120), 36, 119, 3, 0},      // temperature, every 20
    Scale{"Triple_Indicator", 2440, 2450, psf(0), psf(20), psf(10), 119, 3, 1},          // oil pressure
    Scale{"Triple_Indicator", 2440, 2450, psf(0), psf(3), psf(1), 119, 3, 2},            // fuel pressure
    Scale{"Voltmeter", 4130, 4140, 0, 30, 10, 63, 5},
    Scale{"Spoilers_Position", 3340, 3350, 0, 16384, 4096, 64, 5}),
  gauge_name<Scale>);
// clang-format on

// The needle bitmap's coverage on its axis at `distance` to the right of its pivot.
int axis_alpha(cairo_surface_t* s, PixPoint pivot, double distance) {
  const int x = int(std::floor(pivot.x + distance));
  if (x >= cairo_image_surface_get_width(s)) return 0;
  return std::max(pixel(s, x, pivot.y - 1).alpha, pixel(s, x, pivot.y).alpha);
}

class NeedleReach : public ::testing::TestWithParam<NeedleBitmap> {};

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

// The fuel flow and the two pressure dials' needles are shorter than their tables' radius: their
// marks run in to meet the tips instead (their graduations are probed inside the tips' reach).
INSTANTIATE_TEST_SUITE_P(Dials, NeedleReach, ::testing::Values(
    NeedleBitmap{"Engine_RPM", 470},          NeedleBitmap{"Engine_RPM", 480},
    NeedleBitmap{"Engine_Corrected_N1", 1450}, NeedleBitmap{"Engine_Corrected_N1", 1440},
    NeedleBitmap{"Fuel_Quantity", 2040},      NeedleBitmap{"Fuel_Quantity", 2050},
    NeedleBitmap{"Airspeed_Machmeter", 1260}, NeedleBitmap{"Cabin_Altitude", 2260},
    NeedleBitmap{"Vertical_Speed", 320},      NeedleBitmap{"Accelerometer", 1150},
    NeedleBitmap{"Accelerometer", 1160},      NeedleBitmap{"EGT_Indicator", 2010},
    NeedleBitmap{"Triple_Indicator", 2450},   NeedleBitmap{"Voltmeter", 4140},
    NeedleBitmap{"Spoilers_Position", 3350}),
  gauge_name<NeedleBitmap>);

}  // namespace
