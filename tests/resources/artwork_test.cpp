// The module's embedded artwork, decoded with cairo: every resource of the script is there once
// at its size; a dial's mark for a value lies where the needle points for that value (by the
// gauge's own table and the needle rule) and each needle bitmap reaches the marks and no further;
// drum strips roll seamlessly; a lamp's lit picture lies over a dark one of its colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "common/needle_rule.h"
#include "module/resources.h"
#include "resources/art/dial_scale.h"
#include "resources/resource_script.h"

extern "C" GaugeLinkage Linkage;

namespace {

using crv5::art::find_gauge;
using crv5::art::find_needle;
using crv5::resources::Art;
using crv5::resources::kBitmaps;
using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// The directory's entry of that type and id, or null.
const ResourceEntry* find_resource(const char* type, int32_t id) {
  for (const ResourceEntry* e = ResourceDirectory; e->type; ++e)
    if (std::strcmp(e->type, type) == 0 && e->id == id) return e;
  return nullptr;
}

// The PNG bytes of an entry decoded; the surface's status tells whether they decoded.
Surface decode_png(const ResourceEntry& e) {
  struct Reader {
    const unsigned char* data;
    uint32_t left;
  } reader{e.data, e.size};
  auto read = [](void* closure, unsigned char* out, unsigned int length) {
    auto* r = static_cast<Reader*>(closure);
    if (length > r->left) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data, length);
    r->data += length;
    r->left -= length;
    return CAIRO_STATUS_SUCCESS;
  };
  return Surface(cairo_image_surface_create_from_png_stream(read, &reader), cairo_surface_destroy);
}
Surface bitmap(int32_t id) {
  const ResourceEntry* e = find_resource("BITMAP", id);
  return e ? decode_png(*e) : Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0),
                                      cairo_surface_destroy);
}
int width(const Surface& s) { return cairo_image_surface_get_width(s.get()); }
int height(const Surface& s) { return cairo_image_surface_get_height(s.get()); }

// A pixel of an ARGB32 surface (premultiplied), 0 to 255; whiteness (the dimmest colour channel)
// is high only for white and near-white.
struct Pixel {
  int alpha, r, g, b;
  int brightness() const { return std::max({r, g, b}); }
  int whiteness() const { return std::min({r, g, b}); }
};
Pixel pixel(const Surface& s, int x, int y) {
  cairo_surface_flush(s.get());
  const unsigned char* p = cairo_image_surface_get_data(s.get()) +
                           y * cairo_image_surface_get_stride(s.get()) + 4 * x;
  return {p[3], p[2], p[1], p[0]};  // B, G, R, A in memory
}

// Every drawn bitmap of the script is embedded once and decodes at its size; nothing unlisted is
// embedded; the waves are RIFF files.
TEST(ResourceDirectory, HoldsTheScriptsDrawnBitmapsDecodedAtTheirSizeAndItsWaves) {
  std::map<int32_t, const crv5::resources::BitmapResource*> script;
  size_t drawn = 0, embedded = 0;
  for (const auto& b : kBitmaps) {
    script[b.id] = &b;
    drawn += b.art == Art::kDrawn;
  }
  std::set<std::pair<std::string, int32_t>> seen;
  for (const ResourceEntry* e = ResourceDirectory; e->type; ++e) {
    SCOPED_TRACE(std::string(e->type) + " " + std::to_string(e->id));
    EXPECT_TRUE(seen.insert({e->type, e->id}).second) << "embedded twice";
    ASSERT_NE(e->data, nullptr);
    ASSERT_GT(e->size, 12u);
    const std::string bytes(reinterpret_cast<const char*>(e->data), 12);
    if (std::string(e->type) == "BITMAP") {
      ASSERT_TRUE(script.count(e->id)) << "not in the resource script";
      const auto& listed = *script[e->id];
      EXPECT_EQ(listed.art, Art::kDrawn);
      const Surface png = decode_png(*e);
      ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
      EXPECT_EQ(width(png), listed.width);
      EXPECT_EQ(height(png), listed.height);
      ++embedded;
    } else {
      EXPECT_EQ(std::string(e->type), "WAVE");
      EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8), "RIFFWAVE");
    }
  }
  EXPECT_EQ(embedded, drawn);
#ifdef CRV5_HAS_WAVES
  for (const auto& w : crv5::resources::kWaves)
    EXPECT_NE(find_resource("WAVE", w.id), nullptr) << "wave " << w.id;
#endif
}

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

// Each instance named and printed by its gauge.
void PrintTo(const Scale& s, std::ostream* os) { *os << s.gauge << " dial " << s.dial; }
void PrintTo(const NeedleBitmap& n, std::ostream* os) { *os << n.gauge << " bitmap " << n.bitmap; }
template <typename Param>
std::string gauge_name(const ::testing::TestParamInfo<Param>& info) {
  return std::string(info.param.gauge) + "_" + std::to_string(info.index);
}

// The dial's whitest pixel in a 3 x 3 patch at `radius` from the needle's position, in the
// direction `degrees` (clockwise from 12 o'clock).
int whiteness_at(const Surface& dial, PixPoint centre, double degrees, double radius) {
  const double a = degrees * M_PI / 180;
  const int x = int(std::floor(centre.x + radius * std::sin(a)));
  const int y = int(std::floor(centre.y - radius * std::cos(a)));
  int best = 0;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) best = std::max(best, pixel(dial, x + dx, y + dy).whiteness());
  return best;
}

// Each major mark lies where the needle points for its value; beside it, the face is dark.
class Graduations : public ::testing::TestWithParam<Scale> {};

TEST_P(Graduations, EachMajorMarkLiesWhereTheNeedlePointsForItsValue) {
  const Scale& s = GetParam();
  const ElementNeedle* needle = find_needle(find_gauge(s.gauge), s.needle, s.nth);
  ASSERT_NE(needle, nullptr);
  const Surface dial = bitmap(s.dial);
  ASSERT_GT(width(dial), 0);
  const PixPoint centre = needle->header.position;
  for (double v = s.first; v <= s.last + 1e-9; v += s.step) {
    SCOPED_TRACE(std::string(s.gauge) + " at " + std::to_string(v));
    const double a = crv5::common::needle_angle(needle->table, needle->table_size, centre, v);
    EXPECT_GT(whiteness_at(dial, centre, a, s.probe_radius), 180);
    EXPECT_LT(whiteness_at(dial, centre, a - s.miss_degrees, s.probe_radius), 90);
    EXPECT_LT(whiteness_at(dial, centre, a + s.miss_degrees, s.probe_radius), 90);
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
int axis_alpha(const Surface& s, PixPoint pivot, double distance) {
  const int x = int(std::floor(pivot.x + distance));
  if (x >= width(s)) return 0;
  return std::max(pixel(s, x, pivot.y - 1).alpha, pixel(s, x, pivot.y).alpha);
}

// Each needle bitmap, drawn pointing to 3 o'clock from its pivot, reaches the marks and no further.
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
  const Surface s = bitmap(n.bitmap);
  ASSERT_GT(width(s), 0);
  const PixPoint pivot = needle->header.pivot;
  EXPECT_GT(axis_alpha(s, pivot, nearest - 5), 60) << "falls short of the marks";
  EXPECT_EQ(axis_alpha(s, pivot, farthest + 4), 0) << "runs past the marks";
  // The needle lies along its axis: the bitmap's top row is clear near the tip.
  EXPECT_LT(pixel(s, int(pivot.x + nearest - 5), 0).alpha, 40);
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

// The whitest pixel of a row.
int row_ink(const Surface& s, int y) {
  int best = 0;
  for (int x = 0; x < width(s); ++x) best = std::max(best, pixel(s, x, y).whiteness());
  return best;
}

// Drum strips are laid out for the moving-image rule: one digit a cell from the top, the cells
// exactly the window's height, the last cell repeating the first so that the roll from 9 to 0 is
// seamless.
TEST(DrumArt, TenDigitStripsHoldOneDigitPerWindowAndWrapToTheirFirst) {
  for (int32_t strip : {4190, 3020, 3280}) {
    SCOPED_TRACE("strip " + std::to_string(strip));
    const Surface png = bitmap(strip), window = bitmap(strip + 1);
    const int cell = height(window);
    ASSERT_EQ(height(png), 11 * cell) << "eleven cells of the window's height: 0 to 9, then 0";
    EXPECT_EQ(pixel(window, 0, 0).alpha, 255) << "the window shows the strip where opaque";
    for (int i = 0; i < 11; ++i) {
      EXPECT_LT(row_ink(png, i * cell), 60) << "cell " << i << " starts between digits";
      EXPECT_GT(row_ink(png, i * cell + cell / 2), 150) << "cell " << i << " holds a digit";
    }
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < width(png); ++x)
        ASSERT_EQ(pixel(png, x, y).whiteness(), pixel(png, x, 10 * cell + y).whiteness())
            << "the last cell repeats the first at (" << x << ", " << y << ")";
  }
}

// The mean colour (premultiplied) over the middle half of a w x h box at (x, y) of a surface.
Pixel mean_colour(const Surface& s, int x, int y, int w, int h) {
  Pixel sum{};
  int n = 0;
  for (int j = y + h / 4; j < y + h - h / 4; ++j)
    for (int i = x + w / 4; i < x + w - w / 4; ++i, ++n) {
      const Pixel p = pixel(s, i, j);
      sum.r += p.r, sum.g += p.g, sum.b += p.b;
    }
  return n ? Pixel{255, sum.r / n, sum.g / n, sum.b / n} : sum;
}
int dominant(const Pixel& c) { return c.r >= c.g && c.r >= c.b ? 0 : c.g >= c.b ? 1 : 2; }

void collect_lamps(ElementHeader* const* list, std::vector<const ElementHeader*>& out) {
  for (; list && *list; ++list) {
    const ElementHeader* e = *list;
    if (e->kind == kElementIcon && (e->image_flags & kImageBright) &&
        reinterpret_cast<const ElementIcon*>(e)->image_count == 1)
      out.push_back(e);
    collect_lamps(e->next, out);
  }
}

// Every bright one-image icon (a lamp's lit picture) lies over a dark picture of the same colour
// in its gauge's background, and is brighter.
TEST(LampArt, LitPictureLiesOverADarkOneOfItsColour) {
  std::vector<const ElementHeader*> lamps;
  for (GaugeHeader* const* g = Linkage.gauges; *g; ++g) collect_lamps((*g)->elements, lamps);
  int checked = 0;
  for (const ElementHeader* lamp : lamps) {
    const Surface lit = bitmap(lamp->resource_id);
    const Surface dark = bitmap(lamp->gauge->elements[0]->resource_id);
    if (!width(lit) || !width(dark)) continue;  // artwork still to come
    SCOPED_TRACE(std::string(lamp->gauge->name) + ", lamp " + std::to_string(lamp->resource_id));
    const PixPoint at = lamp->position;
    ASSERT_LE(at.x + width(lit), width(dark));
    ASSERT_LE(at.y + height(lit), height(dark));
    const Pixel on = mean_colour(lit, 0, 0, width(lit), height(lit));
    const Pixel off = mean_colour(dark, at.x, at.y, width(lit), height(lit));
    EXPECT_EQ(dominant(on), dominant(off)) << "lit and dark pictures differ in colour";
    EXPECT_GT(on.brightness(), off.brightness() + 60) << "the lit picture is not brighter";
    ++checked;
  }
  EXPECT_GE(checked, 10);  // the six lamp gauges, the gear indicator's seven, the start-ready lamp
}

}  // namespace
