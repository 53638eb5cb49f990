#include "resources/art/style/control.h"

#include <algorithm>

#include "resources/art/style/dial.h"

namespace crv5::art {

void toggle_switch(cairo_t* cr, Point base, double degrees, double length, double nut_radius) {
  // Hex nut and round bushing.
  cairo_new_path(cr);
  for (int i = 0; i < 6; ++i) {
    const Point v = polar(base, 30 + 60 * i, nut_radius);
    i == 0 ? cairo_move_to(cr, v.x, v.y) : cairo_line_to(cr, v.x, v.y);
  }
  cairo_close_path(cr);
  fill_with(cr, sheen(base.y - nut_radius, base.y + nut_radius, colour::kMetal, 0.35));
  circle(cr, base, nut_radius * 0.62);
  set_colour(cr, scaled(colour::kMetal, 0.55));
  cairo_fill(cr);
  // Bat: a tapered shaft with a rounded tip, shaded along its length.
  const Point tip = polar(base, degrees, length);
  const double root = nut_radius * 0.32;
  const double end = nut_radius * 0.5;
  const Point r1 = polar(base, degrees + 90, root);
  const Point r2 = polar(base, degrees - 90, root);
  const Point t1 = polar(tip, degrees + 90, end);
  const Point t2 = polar(tip, degrees - 90, end);
  cairo_move_to(cr, r1.x, r1.y);
  cairo_line_to(cr, t1.x, t1.y);
  cairo_line_to(cr, t2.x, t2.y);
  cairo_line_to(cr, r2.x, r2.y);
  cairo_close_path(cr);
  PatternOwner p(cairo_pattern_create_linear(r1.x, r1.y, r2.x, r2.y));
  add_stop(p.get(), 0, {0.85, 0.86, 0.87});
  add_stop(p.get(), 0.5, {0.62, 0.63, 0.64});
  add_stop(p.get(), 1, {0.3, 0.3, 0.31});
  fill_with(cr, p);
  PatternOwner ball(cairo_pattern_create_radial(tip.x - end * 0.35, tip.y - end * 0.35, 0, tip.x,
                                                tip.y, end * 1.15));
  add_stop(ball.get(), 0, {0.95, 0.95, 0.95});
  add_stop(ball.get(), 1, {0.35, 0.35, 0.36});
  circle(cr, tip, end * 1.15);
  fill_with(cr, ball);
}

void guard_closed(cairo_t* cr, Point centre, double w, double h, bool see_through) {
  const double x = centre.x - w / 2;
  const double y = centre.y - h / 2;
  rounded_rectangle(cr, x, y, w, h, std::min(w, h) * 0.18);
  if (see_through) {
    // A wire-frame bail: the switch stays visible through it.
    const double bar = std::min(w, h) * 0.14;
    rounded_rectangle(cr, x + bar, y + bar, w - 2 * bar, h - 2 * bar, std::min(w, h) * 0.1);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  }
  fill_with(cr, sheen(y, y + h, colour::kGuardRed, 0.3));
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  rounded_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1, std::min(w, h) * 0.18);
  cairo_set_line_width(cr, 1.0);
  set_colour(cr, {0.2, 0, 0}, 0.9);
  cairo_stroke(cr);
  if (!see_through) {
    // Ribs across a solid cover.
    for (int i = 1; i <= 3; ++i) {
      const double ry = y + h * (0.2 + 0.15 * i);
      cairo_move_to(cr, x + w * 0.2, ry);
      cairo_line_to(cr, x + w * 0.8, ry);
    }
    cairo_set_line_width(cr, 1.2);
    set_colour(cr, {0.35, 0.02, 0.02});
    cairo_stroke(cr);
  }
}

void guard_open(cairo_t* cr, Point hinge, double w, double depth) {
  const double x = hinge.x - w / 2;
  rounded_rectangle(cr, x, hinge.y - depth, w, depth, depth * 0.35);
  fill_with(cr, sheen(hinge.y - depth, hinge.y, colour::kGuardRed, 0.45));
  // The hinge pin.
  cairo_rectangle(cr, x + w * 0.1, hinge.y - 1.5, w * 0.8, 3);
  set_colour(cr, scaled(colour::kMetal, 0.8));
  cairo_fill(cr);
}

void push_button(cairo_t* cr, Point centre, double radius, Rgb cap, bool pressed) {
  bezel(cr, centre, radius * 0.78, radius);
  const double r = radius * (pressed ? 0.7 : 0.76);
  const Point c{centre.x, centre.y + (pressed ? radius * 0.03 : -radius * 0.02)};
  PatternOwner p(cairo_pattern_create_radial(c.x - r * 0.35, c.y - r * 0.4, r * 0.05, c.x, c.y, r));
  add_stop(p.get(), 0, scaled(cap, pressed ? 1.0 : 1.45));
  add_stop(p.get(), 1, scaled(cap, pressed ? 0.45 : 0.7));
  circle(cr, c, r);
  fill_with(cr, p);
  if (pressed) {
    // The cap sits in shadow: a dark ring where the bezel overhangs it.
    circle(cr, c, r - 1);
    cairo_set_line_width(cr, 2);
    set_colour(cr, {0, 0, 0}, 0.5);
    cairo_stroke(cr);
  }
}

void knob(cairo_t* cr, Point centre, double radius) {
  circle(cr, {centre.x + radius * 0.08, centre.y + radius * 0.12}, radius);
  set_colour(cr, {0, 0, 0}, 0.5);
  cairo_fill(cr);
  PatternOwner p(cairo_pattern_create_radial(centre.x - radius * 0.3, centre.y - radius * 0.3, 0,
                                             centre.x, centre.y, radius));
  add_stop(p.get(), 0, {0.28, 0.28, 0.29});
  add_stop(p.get(), 1, {0.06, 0.06, 0.06});
  circle(cr, centre, radius);
  fill_with(cr, p);
  for (int i = 0; i < 24; ++i)
    tick(cr, centre, i * 15.0, {radius, radius * 0.18, std::max(0.6, radius * 0.06)},
         {0.0, 0.0, 0.0});
}

void indexed_knob(cairo_t* cr, Point centre, double radius, double degrees, double from, double to,
                  double width) {
  knob(cr, centre, radius);
  const Point a = polar(centre, degrees, from), b = polar(centre, degrees, to);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, colour::kMarking);
  cairo_stroke(cr);
}

}  // namespace crv5::art
