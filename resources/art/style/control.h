// Controls: toggle switches, hinged guards, push-buttons, knobs.
#pragma once

#include "resources/art/style/basics.h"

namespace crv5::art {

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
// The same knob with a white index line towards `degrees`, from `from` to `to` off the centre,
// `width` wide with round ends.
void indexed_knob(cairo_t* cr, Point centre, double radius, double degrees, double from, double to,
                  double width);

}  // namespace crv5::art
