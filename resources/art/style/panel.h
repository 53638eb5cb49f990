// Panel paint and mounting: plates, recesses, screws, the square flange of a round instrument.
#pragma once

#include "resources/art/style/basics.h"

namespace crv5::art {

// A painted panel piece with rounded corners, a faint sheen and a dark edge.
void panel_plate(cairo_t* cr, double x, double y, double w, double h, double corner);
// A dark recess in the panel: a switch well, a lever slot, a handle's housing.
void recess(cairo_t* cr, double x, double y, double w, double h, double corner);
// A slotted screw head.
void screw(cairo_t* cr, Point at, double radius, double slot_degrees = 35);
// The square flange of a round instrument, w x h: panel paint with a screw in each corner and a
// round opening of `radius` about `centre`.
void instrument_flange(cairo_t* cr, double w, double h, Point centre, double radius);

}  // namespace crv5::art
