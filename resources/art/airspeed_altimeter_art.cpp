// Artwork of the airspeed indicator, the altimeter and the cabin altimeter. Graduations stand
// where the gauges' own needle tables point the needles: the airspeed marks by the dial's knots
// scale (instruments/airspeed_scale.h) through the pointer's table, the Mach disc at 150 degrees
// per Mach, the drum figures where the moving-image rule shows them in their windows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "instruments/airspeed_scale.h"
#include "resources/art/dial_scale.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painter_kits.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// --- Airspeed_Machmeter: knots to 850 on a non-linear scale, a Mach disc under the pointer -------

constexpr double kSpeedFace = 132;
constexpr double kSpeedBezel = 137;
constexpr double kSpeedMarks = 132;   // outer end of the knots marks
constexpr double kDiscOuter = 88;     // the Mach disc's ring
constexpr double kDiscInner = 58;

// The pointer's angle for a speed: the knots scale, then the needle rule of the pointer's table.
double speed_angle(const DialScale& scale, double knots) {
  return scale.angle(airspeed::pointer_degrees(knots));
}

void speed_ticks(cairo_t* cr, const DialScale& s, double first, double last, double step, Tick t) {
  for (double k = first; k <= last + 1e-9; k += step) tick(cr, s.centre(), speed_angle(s, k), t);
}

void airspeed_dial(cairo_t* cr, Size) {
  const DialScale s("Airspeed_Machmeter", 1260);
  dial_face(cr, s.centre(), kSpeedFace);
  speed_ticks(cr, s, 60, 300, 10, {kSpeedMarks, 8, 1.6});
  speed_ticks(cr, s, 300, 850, 25, {kSpeedMarks, 8, 1.6});
  speed_ticks(cr, s, 100, 300, 50, {kSpeedMarks, 14, 2.6});
  speed_ticks(cr, s, 60, 60, 1, {kSpeedMarks, 14, 2.6});
  speed_ticks(cr, s, 300, 800, 100, {kSpeedMarks, 14, 2.6});
  speed_ticks(cr, s, 850, 850, 1, {kSpeedMarks, 14, 2.6});
  for (double k : {60, 100, 150, 200, 250, 300, 400, 500, 600, 700, 800})
    figure(cr, s.centre(), speed_angle(s, k), kSpeedMarks - 27, whole(k).c_str(), 15);
  tick(cr, s.centre(), speed_angle(s, 0), {kSpeedMarks, 10, 2.0});
  centred_text(cr, {s.centre().x, s.centre().y - 30}, "KNOTS", 10, Face::kLegend, colour::kLegend);
  centred_text(cr, {s.centre().x, s.centre().y + 32}, "MACH", 10, Face::kLegend, colour::kLegend);
}

// The disc as its bitmap is drawn: its 3 o'clock (the direction a needle bitmap points) is Mach 0,
// and Mach M lies 150 x M degrees clockwise from it, so that, turned back from the pointer by that
// much, the disc puts the current Mach number under the pointer.
void mach_disc(cairo_t* cr, Size) {
  const DialScale s("Airspeed_Machmeter", 1270);
  const Point c = s.pivot();
  circle(cr, c, kDiscOuter);
  circle(cr, c, kDiscInner);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  set_colour(cr, {0.16, 0.17, 0.19});
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  const auto at = [](double mach) { return 90 + mach * airspeed::kDiscDegreesPerMach; };
  for (int i = 4; i <= 46; ++i) {  // every 0.05 from 0.2 to 2.3
    const double mach = i * 0.05;
    const bool major = i % 2 == 0;
    tick(cr, c, at(mach), {kDiscOuter, major ? 9.0 : 5.0, major ? 1.6 : 1.0});
  }
  for (int i = 3; i <= 22; ++i) {  // every 0.1 to Mach 1, then every 0.2
    if (i > 10 && i % 2 != 0) continue;
    char label[8];
    if (i < 10)
      std::snprintf(label, sizeof label, ".%d", i);
    else
      std::snprintf(label, sizeof label, "%d.%d", i / 10, i % 10);
    figure(cr, c, at(i / 10.0), kDiscOuter - 19, label, 10);
  }
}

void airspeed_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Airspeed_Machmeter", 1260).pivot(), {.length = 122, .tail = 22, .width = 7, .hub_radius = 9});
}

void airspeed_cover(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Airspeed_Machmeter", 1260).centre(), kSpeedFace,
                   kSpeedBezel);
}

// --- Altimeter: a turn per 1000 feet, drums for the altitude and the setting ---------------------

constexpr double kAltFace = 136;
constexpr double kAltBezel = 146;
constexpr double kAltMarks = 128;

// A recess behind a row of drum windows, a little larger than the windows together.
void drum_recess(cairo_t* cr, Box a, Box b) {
  const double x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const double x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  rounded_rectangle(cr, x0 - 3, y0 - 3, x1 - x0 + 6, y1 - y0 + 6, 2);
  set_colour(cr, {0.0, 0.0, 0.0});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  set_colour(cr, colour::kMarking, 0.35);
  cairo_stroke(cr);
}

// The window of a drum, as the drum's element and its window bitmap place it.
Box drum_window_box(int32_t strip, size_t nth, Size window) {
  Box b = element_box("Altimeter", strip, nth);
  b.w = window.width;
  b.h = window.height;
  return b;
}

constexpr Size kSettingWindow{12, 22};
constexpr Size kTensWindow{24, 31};
constexpr Size kAltitudeWindow{20, 15};

void altimeter_dial(cairo_t* cr, Size) {
  const DialScale s("Altimeter", 1060);
  dial_face(cr, s.centre(), kAltFace);
  s.ticks(cr, 0, 980, 20, {kAltMarks, 8, 1.6});
  s.ticks(cr, 50, 950, 100, {kAltMarks, 12, 2.0});
  s.ticks(cr, 0, 900, 100, {kAltMarks, 18, 3.2});
  s.figures(cr, 0, 900, 100, kAltMarks - 31, 20, [](double v) { return whole(v / 100); });
  // The altitude drums (ten thousands to tens) and the setting drums in their recesses.
  drum_recess(cr, drum_window_box(1110, 2, kAltitudeWindow), drum_window_box(1090, 0, kTensWindow));
  drum_recess(cr, drum_window_box(1070, 3, kSettingWindow), drum_window_box(1070, 0, kSettingWindow));
  const Box setting = drum_window_box(1070, 0, kSettingWindow);
  centred_text(cr, {setting.x + setting.w + 14, setting.y + setting.h / 2}, "MB", 9, Face::kLegend,
               colour::kLegend);
  centred_text(cr, {s.centre().x, s.centre().y + 26}, "FEET", 9, Face::kLegend, colour::kLegend);
}

void altimeter_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Altimeter", 1060).pivot(), {.length = 108, .tail = 0, .width = 7, .hub_radius = 8});
}

void altimeter_cover(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Altimeter", 1060).centre(), kAltFace, kAltBezel);
}

// The setting knob: fluted, its index pointing to 3 o'clock as a needle bitmap does.
void setting_knob(cairo_t* cr, Size size) {
  const Point c = middle(size);
  knob(cr, c, size.width * 0.45);
  tick(cr, c, 90, {size.width * 0.42, size.width * 0.2, 2.2}, colour::kMarking);
}

// An altitude drum strip: the figure of each step d x P stands where the moving-image rule shows
// it in the middle of the window. The drum's y limits run from M (strip at its start) down to 0
// (strip at its end), so the figure for value u lies (1 - u / M) of the travel down the strip.
void altitude_strip(cairo_t* cr, Size size, double window_height, bool tens) {
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, {0.05, 0.05, 0.05});
  cairo_fill(cr);
  const double travel = size.height - window_height;
  for (int d = 0; d <= 10; ++d) {
    const double y = (1 - d / 10.0) * travel + window_height / 2;
    const int digit = d % 10;
    const std::string text = tens ? std::to_string(digit) + "0" : std::to_string(digit);
    centred_text(cr, {size.width / 2, y}, text.c_str(), 13, Face::kFigures);
  }
}

// The mask over a drum below its threshold: blank drum black with a hatched band.
void drum_mask(cairo_t* cr, Size size) {
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, {0.05, 0.05, 0.05});
  cairo_fill(cr);
  const SavedState saved(cr);
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  cairo_clip(cr);
  for (double x = -size.height; x < size.width; x += 5) {
    cairo_move_to(cr, x, size.height);
    cairo_line_to(cr, x + size.height, 0);
  }
  cairo_set_line_width(cr, 1.2);
  set_colour(cr, colour::kMarking, 0.35);
  cairo_stroke(cr);
}

void window_of(cairo_t* cr, Size s) { drum_window(cr, s.width, s.height); }

// --- Cabin_Altitude: thousands of feet, 0 to 40 -----------------------------------------------

constexpr double kCabinFace = 92;
constexpr double kCabinBezel = 97;
constexpr double kCabinMarks = 84;

void cabin_dial(cairo_t* cr, Size) {
  const DialScale s("Cabin_Altitude", 2260);
  dial_face(cr, s.centre(), kCabinFace);
  s.ticks(cr, 10000, 40000, 1000, {kCabinMarks, 6, 1.3});
  s.ticks(cr, 0, 40000, 5000, {kCabinMarks, 12, 2.4});
  s.ticks(cr, 0, 10000, 10000, {kCabinMarks, 12, 2.4});
  for (double v : {0, 10000, 15000, 20000, 25000, 30000, 35000, 40000})
    s.figure(cr, v, kCabinMarks - 22, whole(v / 1000).c_str(), 14);
  centred_text(cr, {s.centre().x, s.centre().y - 30}, "CABIN ALT", 8, Face::kLegend, colour::kLegend);
  centred_text(cr, {s.centre().x, s.centre().y + 34}, "FT x 1000", 8, Face::kLegend, colour::kLegend);
}

void cabin_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Cabin_Altitude", 2260).pivot(), {.length = 74, .tail = 18, .width = 6, .hub_radius = 7});
}

void cabin_cover(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Cabin_Altitude", 2260).centre(), kCabinFace, kCabinBezel);
}

const PainterRegistration kPainters{{
    {1250, airspeed_dial},
    {1260, airspeed_pointer},
    {1270, mach_disc},
    {1280, airspeed_cover},
    {1050, altimeter_dial},
    {1060, altimeter_pointer},
    {1071, window_of},
    {1080, drum_mask},
    {1090, [](cairo_t* cr, Size s) { altitude_strip(cr, s, kTensWindow.height, true); }},
    {1091, window_of},
    {1100, drum_mask},
    {1110, [](cairo_t* cr, Size s) { altitude_strip(cr, s, kAltitudeWindow.height, false); }},
    {1111, window_of},
    {1120, setting_knob},
    {1130, altimeter_cover},
    {2250, cabin_dial},
    {2260, cabin_pointer},
    {2270, cabin_cover},
}};

// The setting drums: 11 cells of one window's height, from the period's end at the top (0 again)
// down to 0 at the bottom, as the drum's y limits (M down to 0) place them.
const PainterRegistration kSettingStrip{{
    {1070, [](cairo_t* cr, Size s) { digit_strip(cr, s.width, s.height / 11, "09876543210"); }},
}};

}  // namespace

}  // namespace crv5::art
