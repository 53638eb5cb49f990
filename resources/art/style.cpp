#include "resources/art/style.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace crv5::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees_from_north) { return (degrees_from_north - 90.0) * kPi / 180.0; }

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double k) {
  return {std::min(1.0, c.r * k), std::min(1.0, c.g * k), std::min(1.0, c.b * k)};
}

void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void circle(cairo_t* cr, Point c, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
}

// A vertical sheen: lighter at the top, darker at the bottom.
cairo_pattern_t* sheen(double y0, double y1, Rgb c, double spread) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  add_stop(p, 0, scaled(c, 1 + spread));
  add_stop(p, 1, scaled(c, 1 - spread));
  return p;
}

void fill_with(cairo_t* cr, cairo_pattern_t* p) {
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void select_face(cairo_t* cr, Face face) {
  switch (face) {
    case Face::kFigures:
      cairo_select_font_face(cr, "Arial Narrow", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
    case Face::kLegend:
      cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
      break;
    case Face::kLegendBold:
      cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
  }
}

}  // namespace

Point polar(Point centre, double degrees, double radius) {
  return {centre.x + radius * std::cos(radians(degrees)),
          centre.y + radius * std::sin(radians(degrees))};
}

void set_colour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// --- Panel and mounting --------------------------------------------------------------------------

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
  cairo_pattern_t* p = cairo_pattern_create_radial(at.x - radius * 0.4, at.y - radius * 0.4, 0,
                                                   at.x, at.y, radius);
  add_stop(p, 0, scaled(colour::kMetal, 1.2));
  add_stop(p, 1, scaled(colour::kMetal, 0.45));
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
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, h);
  circle(cr, centre, radius);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(cr);
  panel_plate(cr, 0, 0, w, h, w * 0.05);
  cairo_restore(cr);
  const double inset = w * 0.065;
  const double r = w * 0.022;
  screw(cr, {inset, inset}, r, 30);
  screw(cr, {w - inset, inset}, r, 75);
  screw(cr, {inset, h - inset}, r, 120);
  screw(cr, {w - inset, h - inset}, r, 160);
}

// --- Dials ---------------------------------------------------------------------------------------

void dial_face(cairo_t* cr, Point centre, double radius) {
  // Recess: a dark ring that falls towards the face.
  circle(cr, centre, radius + 2);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(centre.x, centre.y - radius * 0.3, radius * 0.1,
                                                   centre.x, centre.y, radius);
  add_stop(p, 0, scaled(colour::kFace, 1.5));
  add_stop(p, 1, colour::kFace);
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
  cairo_pattern_t* p = cairo_pattern_create_linear(centre.x - r_outer, centre.y - r_outer,
                                                   centre.x + r_outer, centre.y + r_outer);
  add_stop(p, 0, {0.34, 0.35, 0.37});
  add_stop(p, 0.5, {0.13, 0.13, 0.14});
  add_stop(p, 1, {0.05, 0.05, 0.05});
  circle(cr, centre, r_outer);
  circle(cr, centre, r_inner);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  fill_with(cr, p);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // A bright lip on the inner edge, lit from the upper left.
  cairo_pattern_t* lip = cairo_pattern_create_linear(centre.x - r_inner, centre.y - r_inner,
                                                     centre.x + r_inner, centre.y + r_inner);
  add_stop(lip, 0, {0.05, 0.05, 0.05}, 0.9);
  add_stop(lip, 1, {0.6, 0.6, 0.62}, 0.7);
  circle(cr, centre, r_inner + 0.8);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source(cr, lip);
  cairo_stroke(cr);
  cairo_pattern_destroy(lip);
  circle(cr, centre, r_outer - 0.5);
  cairo_set_line_width(cr, 1.0);
  set_colour(cr, {0, 0, 0}, 0.8);
  cairo_stroke(cr);
}

void ringed_disc(cairo_t* cr, Point centre, double r_inner, double r_outer, Rgb fill) {
  bezel(cr, centre, r_inner, r_outer);
  cairo_arc(cr, centre.x, centre.y, r_inner, 0, 2 * M_PI);
  set_colour(cr, fill);
  cairo_fill(cr);
}

void cover_glass(cairo_t* cr, Point centre, double radius) {
  cairo_save(cr);
  circle(cr, centre, radius);
  cairo_clip(cr);
  // A broad soft highlight in the upper left.
  cairo_pattern_t* p = cairo_pattern_create_radial(centre.x - radius * 0.45, centre.y - radius * 0.5,
                                                   0, centre.x - radius * 0.45,
                                                   centre.y - radius * 0.5, radius * 0.9);
  add_stop(p, 0, {1, 1, 1}, 0.13);
  add_stop(p, 0.6, {1, 1, 1}, 0.04);
  add_stop(p, 1, {1, 1, 1}, 0.0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  // A thin crescent reflection along the upper rim.
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, radius * 0.93, radians(285), radians(345));
  cairo_set_line_width(cr, radius * 0.035);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, {1, 1, 1}, 0.16);
  cairo_stroke(cr);
  cairo_restore(cr);
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

// --- Text ----------------------------------------------------------------------------------------

void centred_text(cairo_t* cr, Point at, const char* text, double size, Face face, Rgb c) {
  select_face(cr, face);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  cairo_move_to(cr, at.x - e.x_bearing - e.width / 2, at.y - e.y_bearing - e.height / 2);
  set_colour(cr, c);
  cairo_show_text(cr, text);
  cairo_new_path(cr);
}

void legend(cairo_t* cr, Point at, const char* text, double size) {
  centred_text(cr, at, text, size, Face::kLegendBold, colour::kLegend);
}

void figure(cairo_t* cr, Point centre, double degrees, double radius, const char* text, double size,
            Rgb c) {
  centred_text(cr, polar(centre, degrees, radius), text, size, Face::kFigures, c);
}

// --- Needles -------------------------------------------------------------------------------------

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
    cairo_pattern_t* p = cairo_pattern_create_radial(pivot.x - s.hub_radius * 0.3,
                                                     pivot.y - s.hub_radius * 0.3, 0, pivot.x,
                                                     pivot.y, s.hub_radius);
    add_stop(p, 0, {0.30, 0.30, 0.31});
    add_stop(p, 1, {0.04, 0.04, 0.04});
    circle(cr, pivot, s.hub_radius);
    fill_with(cr, p);
  }
}

// --- Drums ---------------------------------------------------------------------------------------

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

// --- Lamps and controls --------------------------------------------------------------------------

void jewel_lamp(cairo_t* cr, double w, double h, Rgb c, bool lit) {
  const Point centre{w / 2, h / 2};
  const double r = std::min(w, h) / 2;
  bezel(cr, centre, r * 0.66, r * 0.98);
  // Knurled edge of the lamp cap.
  for (int i = 0; i < 36; ++i) tick(cr, centre, i * 10.0, {r * 0.97, r * 0.12, 1.0}, {0, 0, 0});
  const double lens = r * 0.66;
  cairo_pattern_t* p = cairo_pattern_create_radial(centre.x - lens * 0.3, centre.y - lens * 0.35,
                                                   lens * 0.05, centre.x, centre.y, lens);
  if (lit) {
    add_stop(p, 0, mix(c, {1, 1, 1}, 0.75));
    add_stop(p, 0.45, c);
    add_stop(p, 1, scaled(c, 0.7));
  } else {
    add_stop(p, 0, scaled(c, 0.42));
    add_stop(p, 0.5, scaled(c, 0.2));
    add_stop(p, 1, scaled(c, 0.1));
  }
  circle(cr, centre, lens);
  fill_with(cr, p);
  // Facets of the jewel: faint rings, and a specular spot.
  for (double k : {0.4, 0.72}) {
    circle(cr, centre, lens * k);
    cairo_set_line_width(cr, 0.8);
    set_colour(cr, {1, 1, 1}, lit ? 0.25 : 0.08);
    cairo_stroke(cr);
  }
  circle(cr, {centre.x - lens * 0.35, centre.y - lens * 0.4}, lens * 0.14);
  set_colour(cr, {1, 1, 1}, lit ? 0.7 : 0.3);
  cairo_fill(cr);
}

void annunciator(cairo_t* cr, double w, double h, Rgb c, const char* legend, double light) {
  const bool lit = light > 0;
  if (lit) c = scaled(c, 0.4 + 0.6 * std::min(light, 1.0));
  rounded_rectangle(cr, 0, 0, w, h, h * 0.1);
  fill_with(cr, sheen(0, h, {0.1, 0.1, 0.11}, 0.3));
  const double in = std::max(2.0, h * 0.09);
  const double x = in, y = in, cw = w - 2 * in, ch = h - 2 * in;
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + ch);
  if (lit) {
    add_stop(p, 0, mix(c, {1, 1, 1}, 0.45));
    add_stop(p, 0.5, c);
    add_stop(p, 1, scaled(c, 0.78));
  } else {
    add_stop(p, 0, scaled(c, 0.3));
    add_stop(p, 1, scaled(c, 0.14));
  }
  rounded_rectangle(cr, x, y, cw, ch, h * 0.06);
  fill_with(cr, p);
  // The legend, one line after the other, centred on the cap.
  std::vector<std::string> lines;
  for (const char *start = legend, *end; ; start = end + 1) {
    end = std::strchr(start, '\n');
    lines.emplace_back(start, end ? end : start + std::strlen(start));
    if (!end) break;
  }
  size_t longest = 1;
  for (const auto& line : lines) longest = std::max(longest, line.size());
  const double size = std::min(ch / (lines.size() + 0.6), cw / (0.7 * longest + 1.0));
  const Rgb ink = lit ? scaled(c, 0.22) : Rgb{0.46, 0.46, 0.44};
  for (size_t i = 0; i < lines.size(); ++i) {
    const double cy = y + ch / 2 + (i - (lines.size() - 1) / 2.0) * size * 1.05;
    centred_text(cr, {w / 2, cy}, lines[i].c_str(), size, Face::kLegendBold, ink);
  }
  // A glint along the top of the cap.
  rounded_rectangle(cr, x + 2, y + 1.5, cw - 4, ch * 0.22, h * 0.05);
  set_colour(cr, {1, 1, 1}, lit ? 0.22 : 0.07);
  cairo_fill(cr);
}

void lamp_window(cairo_t* cr, double x, double y, double w, double h, Rgb c, bool lit) {
  const double corner = std::min(w, h) * 0.3;
  rounded_rectangle(cr, x, y, w, h, corner);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  const double in = std::max(1.0, std::min(w, h) * 0.12);
  cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + w * 0.3, y + h);
  if (lit) {
    add_stop(p, 0, mix(c, {1, 1, 1}, 0.6));
    add_stop(p, 0.5, c);
    add_stop(p, 1, scaled(c, 0.75));
  } else {
    add_stop(p, 0, scaled(c, 0.32));
    add_stop(p, 1, scaled(c, 0.12));
  }
  rounded_rectangle(cr, x + in, y + in, w - 2 * in, h - 2 * in, corner * 0.6);
  fill_with(cr, p);
}

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
  cairo_pattern_t* p = cairo_pattern_create_linear(r1.x, r1.y, r2.x, r2.y);
  add_stop(p, 0, {0.85, 0.86, 0.87});
  add_stop(p, 0.5, {0.62, 0.63, 0.64});
  add_stop(p, 1, {0.3, 0.3, 0.31});
  fill_with(cr, p);
  cairo_pattern_t* ball = cairo_pattern_create_radial(tip.x - end * 0.35, tip.y - end * 0.35, 0,
                                                      tip.x, tip.y, end * 1.15);
  add_stop(ball, 0, {0.95, 0.95, 0.95});
  add_stop(ball, 1, {0.35, 0.35, 0.36});
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
  cairo_pattern_t* p = cairo_pattern_create_radial(c.x - r * 0.35, c.y - r * 0.4, r * 0.05, c.x,
                                                   c.y, r);
  add_stop(p, 0, scaled(cap, pressed ? 1.0 : 1.45));
  add_stop(p, 1, scaled(cap, pressed ? 0.45 : 0.7));
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
  cairo_pattern_t* p = cairo_pattern_create_radial(centre.x - radius * 0.3, centre.y - radius * 0.3,
                                                   0, centre.x, centre.y, radius);
  add_stop(p, 0, {0.28, 0.28, 0.29});
  add_stop(p, 1, {0.06, 0.06, 0.06});
  circle(cr, centre, radius);
  fill_with(cr, p);
  for (int i = 0; i < 24; ++i)
    tick(cr, centre, i * 15.0, {radius, radius * 0.18, std::max(0.6, radius * 0.06)},
         {0.0, 0.0, 0.0});
}

}  // namespace crv5::art
