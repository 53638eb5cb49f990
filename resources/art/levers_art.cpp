// Artwork of the flaps lever and the airbrake lever beside the throttle.
#include <cmath>
#include <string>

#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// --- Flaps_Switch: a vertical slot with a spring-loaded lever ----------------------------------

// The lever bitmap's place on the slot plate.
Box flaps_lever_box() { return element_box("Flaps_Switch", 3480); }

// How far the lever's knob leaves the middle when pushed, pixels.
constexpr double kFlapsPush = 20;

void flaps_slot(cairo_t* cr, Size size) {
  const Point centre = flaps_lever_box().centre();
  const Box up = click_box("Flaps_Switch", 0), down = click_box("Flaps_Switch", 1);
  panel_plate(cr, 0, 0, size.width, size.height, 6);
  legend(cr, {centre.x, 9}, "FLAPS", 8);
  recess(cr, centre.x - 5, centre.y - kFlapsPush - 8, 10, 2 * kFlapsPush + 16, 5);
  legend(cr, {up.x + up.w - 6, up.y + 18}, "UP", 7);
  legend(cr, {down.x + down.w - 6, down.y + down.h - 18}, "DN", 7);
  screw(cr, {8, size.height - 8}, 3);
  screw(cr, {size.width - 8, size.height - 8}, 3);
}

// The knob on its stem: `offset` pixels up (negative) or down from the middle of the slot.
void flaps_lever(cairo_t* cr, Size size, double offset) {
  const Point pivot = middle(size);
  const Point knob_at{pivot.x, pivot.y + offset};
  cairo_move_to(cr, pivot.x, pivot.y);
  cairo_line_to(cr, knob_at.x, knob_at.y);
  cairo_set_line_width(cr, 6);
  set_colour(cr, colour::kMetal);
  cairo_stroke(cr);
  rounded_rectangle(cr, knob_at.x - 17 + 2, knob_at.y - 9 + 3, 34, 18, 8);  // shadow
  set_colour(cr, {0, 0, 0}, 0.45);
  cairo_fill(cr);
  rounded_rectangle(cr, knob_at.x - 17, knob_at.y - 9, 34, 18, 8);
  fill_with(cr, sheen(knob_at.y - 9, knob_at.y + 9, {0.85, 0.85, 0.82}, 0.25));
  for (int i = -1; i <= 1; ++i) {  // grip ridges
    cairo_move_to(cr, knob_at.x - 12, knob_at.y + 4 * i);
    cairo_line_to(cr, knob_at.x + 12, knob_at.y + 4 * i);
  }
  cairo_set_line_width(cr, 1);
  set_colour(cr, {0.45, 0.45, 0.43});
  cairo_stroke(cr);
}

// --- Spoilers_Lever: the airbrake scale and its notch marker --------------------------------------

Box spoilers_marker_box() { return element_box("Spoilers_Lever", 3380); }

constexpr int kNotches = 5;          // 0 (retracted, top) to 4 (fully out, bottom)
constexpr double kNotchPixels = 13;  // the marker's travel per notch

void spoilers_scale(cairo_t* cr, Size size) {
  const Box marker = spoilers_marker_box();
  panel_plate(cr, 0, 0, size.width, size.height, 5);
  const double top = marker.y - 3;  // the recess runs to the bottom, where the last notch's marker ends
  recess(cr, marker.x - 1, top, marker.w + 2, size.height - top, 3);
  for (int n = 0; n < kNotches; ++n) {
    const double y = marker.centre().y + n * kNotchPixels;
    cairo_move_to(cr, marker.x - 5, y);
    cairo_line_to(cr, marker.x - 1, y);
    cairo_set_line_width(cr, 1.5);
    set_colour(cr, colour::kMarking);
    cairo_stroke(cr);
    centred_text(cr, {marker.x - 10, y}, std::to_string(n).c_str(), 8, Face::kFigures);
  }
  centred_text(cr, {size.width / 2, 6}, "AIRBRAKE", 6, Face::kLegendBold, colour::kLegend);
}

void spoilers_marker(cairo_t* cr, Size size) {
  rounded_rectangle(cr, 0.5, 0.5, size.width - 1, size.height - 1, 2);
  set_colour(cr, colour::kMarking);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  set_colour(cr, {0.2, 0.2, 0.2});
  cairo_stroke(cr);
  cairo_move_to(cr, 3, size.height / 2);  // index line
  cairo_line_to(cr, size.width - 3, size.height / 2);
  set_colour(cr, colour::kGuardRed);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

const PainterRegistration kLevers{{
    {3470, flaps_slot},
    {3480, [](cairo_t* cr, Size s) { flaps_lever(cr, s, 0); }},
    {3481, [](cairo_t* cr, Size s) { flaps_lever(cr, s, -kFlapsPush); }},
    {3482, [](cairo_t* cr, Size s) { flaps_lever(cr, s, kFlapsPush); }},
    {3370, spoilers_scale},
    {3380, spoilers_marker},
}};

}  // namespace

}  // namespace crv5::art
