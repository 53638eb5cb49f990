#include "resources/art/style/dial.h"

#include <algorithm>
#include <cstring>

#include "resources/art/style/panel.h"
#include "resources/art/style/text.h"

namespace crv5::art {

void dial_face(cairo_t* cr, Point centre, double radius) {
  // Recess: a dark ring that falls towards the face.
  circle(cr, centre, radius + 2);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  PatternOwner p(cairo_pattern_create_radial(centre.x, centre.y - radius * 0.3, radius * 0.1,
                                             centre.x, centre.y, radius));
  add_stop(p.get(), 0, scaled(colour::kFace, 1.5));
  add_stop(p.get(), 1, colour::kFace);
  circle(cr, centre, radius);
  fill_with(cr, p);
}

void sub_dial(cairo_t* cr, Point centre, double radius) {
  circle(cr, centre, radius);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  circle(cr, centre, radius);
  cairo_set_line_width(cr, std::max(0.8, radius * 0.028));
  set_colour(cr, colour::kMarking, 0.5);
  cairo_stroke(cr);
}

void bezel(cairo_t* cr, Point centre, double r_inner, double r_outer) {
  PatternOwner p(cairo_pattern_create_linear(centre.x - r_outer, centre.y - r_outer,
                                             centre.x + r_outer, centre.y + r_outer));
  add_stop(p.get(), 0, {0.34, 0.35, 0.37});
  add_stop(p.get(), 0.5, {0.13, 0.13, 0.14});
  add_stop(p.get(), 1, {0.05, 0.05, 0.05});
  circle(cr, centre, r_outer);
  circle(cr, centre, r_inner);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  fill_with(cr, p);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // A bright lip on the inner edge, lit from the upper left.
  PatternOwner lip(cairo_pattern_create_linear(centre.x - r_inner, centre.y - r_inner,
                                               centre.x + r_inner, centre.y + r_inner));
  add_stop(lip.get(), 0, {0.05, 0.05, 0.05}, 0.9);
  add_stop(lip.get(), 1, {0.6, 0.6, 0.62}, 0.7);
  circle(cr, centre, r_inner + 0.8);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source(cr, lip.get());
  cairo_stroke(cr);
  circle(cr, centre, r_outer - 0.5);
  cairo_set_line_width(cr, 1.0);
  set_colour(cr, {0, 0, 0}, 0.8);
  cairo_stroke(cr);
}

void ringed_disc(cairo_t* cr, Point centre, double r_inner, double r_outer, Rgb fill) {
  bezel(cr, centre, r_inner, r_outer);
  cairo_arc(cr, centre.x, centre.y, r_inner, 0, 2 * kPi);
  set_colour(cr, fill);
  cairo_fill(cr);
}

void cover_glass(cairo_t* cr, Point centre, double radius) {
  const SavedState saved(cr);
  circle(cr, centre, radius);
  cairo_clip(cr);
  // A broad soft highlight in the upper left.
  PatternOwner p(cairo_pattern_create_radial(centre.x - radius * 0.45, centre.y - radius * 0.5, 0,
                                             centre.x - radius * 0.45, centre.y - radius * 0.5,
                                             radius * 0.9));
  add_stop(p.get(), 0, {1, 1, 1}, 0.13);
  add_stop(p.get(), 0.6, {1, 1, 1}, 0.04);
  add_stop(p.get(), 1, {1, 1, 1}, 0.0);
  cairo_set_source(cr, p.get());
  cairo_paint(cr);
  // A thin crescent reflection along the upper rim.
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, radius * 0.93, radians(285), radians(345));
  cairo_set_line_width(cr, radius * 0.035);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, {1, 1, 1}, 0.16);
  cairo_stroke(cr);
}

void instrument_cover(cairo_t* cr, double w, double h, Point centre, double face_radius,
                      double bezel_radius) {
  instrument_flange(cr, w, h, centre, bezel_radius - 1);
  bezel(cr, centre, face_radius, bezel_radius);
  cover_glass(cr, centre, face_radius);
}

void tick(cairo_t* cr, Point centre, double degrees, Tick t, Rgb c) {
  const Point outer = polar(centre, degrees, t.r_outer);
  const Point inner = polar(centre, degrees, t.r_outer - t.length);
  cairo_move_to(cr, inner.x, inner.y);
  cairo_line_to(cr, outer.x, outer.y);
  cairo_set_line_width(cr, t.width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  set_colour(cr, c);
  cairo_stroke(cr);
}

void arc_band(cairo_t* cr, Point centre, double from_degrees, double to_degrees, double r_inner,
              double r_outer, Rgb c) {
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, (r_inner + r_outer) / 2, radians(from_degrees),
            radians(to_degrees));
  cairo_set_line_width(cr, r_outer - r_inner);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  set_colour(cr, c);
  cairo_stroke(cr);
}

void needle(cairo_t* cr, Point pivot, const NeedleShape& s) {
  const double half = s.width / 2;
  // Lance: a tapered blade to a point, and a broader counterweight tail.
  cairo_move_to(cr, pivot.x - s.tail, pivot.y - half * 1.1);
  cairo_line_to(cr, pivot.x + s.length * 0.78, pivot.y - half * 0.55);
  cairo_line_to(cr, pivot.x + s.length, pivot.y);
  cairo_line_to(cr, pivot.x + s.length * 0.78, pivot.y + half * 0.55);
  cairo_line_to(cr, pivot.x - s.tail, pivot.y + half * 1.1);
  cairo_close_path(cr);
  set_colour(cr, s.colour);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, std::max(0.5, s.width * 0.08));
  set_colour(cr, {0, 0, 0}, 0.55);
  cairo_stroke(cr);
  // The tail is painted black: only the lance reads against the face.
  if (s.tail > 0) {
    cairo_rectangle(cr, pivot.x - s.tail, pivot.y - half * 1.1, s.tail + s.hub_radius * 0.5,
                    half * 2.2);
    set_colour(cr, {0.08, 0.08, 0.08});
    cairo_fill(cr);
  }
  if (s.hub_radius > 0) {
    PatternOwner p(cairo_pattern_create_radial(pivot.x - s.hub_radius * 0.3,
                                               pivot.y - s.hub_radius * 0.3, 0, pivot.x, pivot.y,
                                               s.hub_radius));
    add_stop(p.get(), 0, {0.30, 0.30, 0.31});
    add_stop(p.get(), 1, {0.04, 0.04, 0.04});
    circle(cr, pivot, s.hub_radius);
    fill_with(cr, p);
  }
}

void digit_strip(cairo_t* cr, double w, double cell, const char* digits) {
  const size_t count = std::strlen(digits);
  cairo_rectangle(cr, 0, 0, w, cell * count);
  set_colour(cr, {0.05, 0.05, 0.05});
  cairo_fill(cr);
  for (size_t i = 0; i < count; ++i) {
    const char digit[] = {digits[i], '\0'};
    centred_text(cr, {w / 2, cell * (i + 0.5)}, digit, cell * 0.78, Face::kFigures);
  }
}

void drum_window(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 0, 0, w, h);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
}

}  // namespace crv5::art
