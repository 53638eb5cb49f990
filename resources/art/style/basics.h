// What every piece of the drawing style is made of: colours, points and directions, paths and
// fills. Angles are degrees clockwise from 12 o'clock, lengths are pixels of the bitmap drawn.
#pragma once

#include <cairo.h>

#include "resources/art/style/cairo_owners.h"

namespace crv5::art {

struct Rgb {
  double r, g, b;
};

namespace colour {
inline constexpr Rgb kPanel{0.16, 0.17, 0.18};      // anthracite panel paint
inline constexpr Rgb kFace{0.045, 0.045, 0.05};     // instrument face
inline constexpr Rgb kMarking{0.93, 0.93, 0.89};    // graduations and figures
inline constexpr Rgb kLegend{0.86, 0.86, 0.82};     // placard legends on panel paint
inline constexpr Rgb kMetal{0.55, 0.56, 0.57};      // bare metal (toggle bats, screws)
inline constexpr Rgb kGuardRed{0.72, 0.07, 0.05};   // guards and red lines
inline constexpr Rgb kRed{1.0, 0.12, 0.08};
inline constexpr Rgb kAmber{1.0, 0.62, 0.10};
inline constexpr Rgb kOrange{1.0, 0.45, 0.08};
inline constexpr Rgb kYellow{1.0, 0.88, 0.15};
inline constexpr Rgb kGreen{0.25, 1.0, 0.30};
inline constexpr Rgb kBlue{0.30, 0.55, 1.0};
inline constexpr Rgb kWhiteLamp{0.98, 0.98, 0.92};
}  // namespace colour

struct Point {
  double x, y;
};

inline constexpr double kPi = 3.14159265358979323846;

// Cairo's angle (radians from 3 o'clock) for `degrees` clockwise from 12 o'clock.
double radians(double degrees_from_north);
// The point at `radius` from `centre` in the direction `degrees` (clockwise from 12 o'clock).
Point polar(Point centre, double degrees, double radius);

// `a` moved towards `b` by the fraction t.
Rgb mix(Rgb a, Rgb b, double t);
// `c` brightened (k > 1) or darkened (k < 1), each channel at most 1.
Rgb scaled(Rgb c, double k);

void set_colour(cairo_t* cr, Rgb c, double alpha = 1.0);
void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
// A vertical sheen from y0 to y1: lighter at the top, darker at the bottom.
PatternOwner sheen(double y0, double y1, Rgb c, double spread);
// Fills the current path with the pattern.
void fill_with(cairo_t* cr, const PatternOwner& pattern);

// A circle as a new sub-path.
void circle(cairo_t* cr, Point c, double r);
// A rounded rectangle path (not filled).
void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double corner);

}  // namespace crv5::art
