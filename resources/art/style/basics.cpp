#include "resources/art/style/basics.h"

#include <algorithm>
#include <cmath>

namespace crv5::art {

double radians(double degrees_from_north) { return (degrees_from_north - 90.0) * kPi / 180.0; }

Point polar(Point centre, double degrees, double radius) {
  return {centre.x + radius * std::cos(radians(degrees)),
          centre.y + radius * std::sin(radians(degrees))};
}

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double k) {
  return {std::min(1.0, c.r * k), std::min(1.0, c.g * k), std::min(1.0, c.b * k)};
}

void set_colour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

PatternOwner sheen(double y0, double y1, Rgb c, double spread) {
  PatternOwner p(cairo_pattern_create_linear(0, y0, 0, y1));
  add_stop(p.get(), 0, scaled(c, 1 + spread));
  add_stop(p.get(), 1, scaled(c, 1 - spread));
  return p;
}

void fill_with(cairo_t* cr, const PatternOwner& pattern) {
  cairo_set_source(cr, pattern.get());
  cairo_fill(cr);
}

void circle(cairo_t* cr, Point c, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
}

void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

}  // namespace crv5::art
