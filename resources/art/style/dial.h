// Dials: faces, sub-dials, bezels, cover glass, graduation marks and bands, needles, digit drums.
#pragma once

#include "resources/art/style/basics.h"

namespace crv5::art {

// A black face of `radius` with a recessed rim.
void dial_face(cairo_t* cr, Point centre, double radius);
// A smaller black dial set into a face, with a thin rim.
void sub_dial(cairo_t* cr, Point centre, double radius);
// A metal ring from r_inner to r_outer, lit from the upper left.
void bezel(cairo_t* cr, Point centre, double r_inner, double r_outer);
// A bezel round a flat disc of `fill`: a switch's well, a button's ring, a handle's hub.
void ringed_disc(cairo_t* cr, Point centre, double r_inner, double r_outer, Rgb fill);
// The cover glass over a face: a soft highlight and a faint reflection; mostly transparent.
void cover_glass(cairo_t* cr, Point centre, double radius);
// What lies over a round instrument's face and needles, w x h: the flange, the bezel from
// `face_radius` to `bezel_radius` and the glass. The face stays a picture of its own, lit at night;
// the flange is panel paint and is not.
void instrument_cover(cairo_t* cr, double w, double h, Point centre, double face_radius,
                      double bezel_radius);

// A radial mark whose outer end lies at `r_outer`.
struct Tick {
  double r_outer;
  double length;
  double width;
};
void tick(cairo_t* cr, Point centre, double degrees, Tick t, Rgb c = colour::kMarking);
// A band along the scale between two angles (red lines, caution arcs).
void arc_band(cairo_t* cr, Point centre, double from_degrees, double to_degrees, double r_inner,
              double r_outer, Rgb c);

// A needle as its bitmap is drawn: pointing to 3 o'clock from `pivot`, its tip `length` to the
// right, a counterweight tail of `tail` to the left, `width` wide at the root, a hub cap of
// `hub_radius` on the pivot (0 for none).
struct NeedleShape {
  double length;
  double tail;
  double width;
  double hub_radius;
  Rgb colour = colour::kMarking;
};
void needle(cairo_t* cr, Point pivot, const NeedleShape& shape);

// A drum strip, w wide, one `cell` high cell a digit from top to bottom: the digits of `digits` in
// that order (a moving image shows the top cell at its minimum and the bottom one at its maximum).
void digit_strip(cairo_t* cr, double w, double cell, const char* digits);
// The window a drum is seen through: opaque over one w x h cell.
void drum_window(cairo_t* cr, double w, double h);

}  // namespace crv5::art
