#include "resources/art/style/panel.h"

#include <algorithm>

namespace crv5::art {

void panel_plate(cairo_t* cr, double x, double y, double w, double h, double corner) {
  rounded_rectangle(cr, x, y, w, h, corner);
  fill_with(cr, sheen(y, y + h, colour::kPanel, 0.12));
  rounded_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1, corner);
  cairo_set_line_width(cr, 1.0);
  set_colour(cr, {0, 0, 0}, 0.7);
  cairo_stroke(cr);
  rounded_rectangle(cr, x + 1.5, y + 1.5, w - 3, h - 3, corner);
  set_colour(cr, {1, 1, 1}, 0.06);
  cairo_stroke(cr);
}

void recess(cairo_t* cr, double x, double y, double w, double h, double corner) {
  rounded_rectangle(cr, x, y, w, h, corner);
  set_colour(cr, {0.02, 0.02, 0.02});
  cairo_fill(cr);
  rounded_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1, corner);
  cairo_set_line_width(cr, 1);
  set_colour(cr, {1, 1, 1}, 0.12);
  cairo_stroke(cr);
}

void screw(cairo_t* cr, Point at, double radius, double slot_degrees) {
  PatternOwner p(cairo_pattern_create_radial(at.x - radius * 0.4, at.y - radius * 0.4, 0, at.x,
                                             at.y, radius));
  add_stop(p.get(), 0, scaled(colour::kMetal, 1.2));
  add_stop(p.get(), 1, scaled(colour::kMetal, 0.45));
  circle(cr, at, radius);
  fill_with(cr, p);
  circle(cr, at, radius);
  cairo_set_line_width(cr, std::max(0.6, radius * 0.15));
  set_colour(cr, {0, 0, 0}, 0.6);
  cairo_stroke(cr);
  const Point a = polar(at, slot_degrees, radius * 0.8);
  const Point b = polar(at, slot_degrees + 180, radius * 0.8);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_line_width(cr, std::max(0.8, radius * 0.28));
  set_colour(cr, {0.05, 0.05, 0.05});
  cairo_stroke(cr);
}

void instrument_flange(cairo_t* cr, double w, double h, Point centre, double radius) {
  {
    const SavedState saved(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    circle(cr, centre, radius);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    panel_plate(cr, 0, 0, w, h, w * 0.05);
  }
  const double inset = w * 0.065;
  const double r = w * 0.022;
  screw(cr, {inset, inset}, r, 30);
  screw(cr, {w - inset, inset}, r, 75);
  screw(cr, {inset, h - inset}, r, 120);
  screw(cr, {w - inset, h - inset}, r, 160);
}

}  // namespace crv5::art
