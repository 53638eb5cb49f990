// The cockpit's drawing style: the pieces every gauge picture is made of (panel paint, screws, dial
// faces and bezels, graduations and figures, needles, cover glass, lamps, toggle switches, guards,
// push-buttons, knobs, placard text). Angles are degrees clockwise from 12 o'clock, lengths are
// pixels of the bitmap being drawn.
#pragma once

#include <cairo.h>

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

// The point at `radius` from `centre` in the direction `degrees` (clockwise from 12 o'clock).
Point polar(Point centre, double degrees, double radius);

void set_colour(cairo_t* cr, Rgb c, double alpha = 1.0);

// --- Panel and mounting --------------------------------------------------------------------------

// A rounded rectangle path (not filled).
void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double corner);

// A painted panel piece with rounded corners, a faint sheen and a dark edge.
void panel_plate(cairo_t* cr, double x, double y, double w, double h, double corner);
// A dark recess in the panel: a switch well, a lever slot, a handle's housing.
void recess(cairo_t* cr, double x, double y, double w, double h, double corner);
// A slotted screw head.
void screw(cairo_t* cr, Point at, double radius, double slot_degrees = 35);
// The square flange of a round instrument, w x h: panel paint with a screw in each corner and a
// round opening of `radius` about `centre`.
void instrument_flange(cairo_t* cr, double w, double h, Point centre, double radius);

// --- Dials ---------------------------------------------------------------------------------------

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

// --- Text ----------------------------------------------------------------------------------------

enum class Face { kFigures, kLegend, kLegendBold };

// Text centred on `at`.
void centred_text(cairo_t* cr, Point at, const char* text, double size, Face face = Face::kFigures,
                  Rgb c = colour::kMarking);
// Placard text on panel paint: a bold legend centred on `at`.
void legend(cairo_t* cr, Point at, const char* text, double size = 9);
// A dial figure centred at `radius` from `centre` in the direction `degrees`, upright.
void figure(cairo_t* cr, Point centre, double degrees, double radius, const char* text, double size,
            Rgb c = colour::kMarking);

// --- Needles -------------------------------------------------------------------------------------

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

// --- Drums ---------------------------------------------------------------------------------------

// A drum strip, w wide, one `cell` high cell a digit from top to bottom: the digits of `digits` in
// that order (a moving image shows the top cell at its minimum and the bottom one at its maximum).
void digit_strip(cairo_t* cr, double w, double cell, const char* digits);
// The window a drum is seen through: opaque over one w x h cell.
void drum_window(cairo_t* cr, double w, double h);

// --- Lamps and controls --------------------------------------------------------------------------

// A round jewel lamp filling a w x h bitmap: bezel ring and a lens in `c`, dark or lit.
void jewel_lamp(cairo_t* cr, double w, double h, Rgb c, bool lit);
// A rectangular annunciator filling a w x h bitmap: a dark frame and a tinted glass cap engraved
// with `legend` (lines separated by '\n'). `light` 0 is dark; above 0 the cap glows in `c`, at
// full brightness at 1, and the legend reads dark.
void annunciator(cairo_t* cr, double w, double h, Rgb c, const char* legend, double light);
// A flat glowing window (indicator bars and small lamps), dark or lit, filling the rectangle.
void lamp_window(cairo_t* cr, double x, double y, double w, double h, Rgb c, bool lit);

// A toggle switch seen from the front: a hex nut at `base` and the bat pointing towards
// `degrees`, `length` long (foreshortened by the viewer's angle).
void toggle_switch(cairo_t* cr, Point base, double degrees, double length, double nut_radius);
// A red hinged guard closed over a switch centred on `centre`: a frame w x h.
void guard_closed(cairo_t* cr, Point centre, double w, double h, bool see_through);
// The same guard flipped up: seen edge-on above `hinge`, w wide.
void guard_open(cairo_t* cr, Point hinge, double w, double depth);
// A round push-button of `radius` with a coloured cap, raised or pressed in.
void push_button(cairo_t* cr, Point centre, double radius, Rgb cap, bool pressed);
// A fluted knob of `radius`.
void knob(cairo_t* cr, Point centre, double radius);

}  // namespace crv5::art
