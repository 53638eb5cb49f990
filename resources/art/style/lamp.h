// Lamps: jewel lamps, engraved annunciators, flat lamp windows; each dark or lit.
#pragma once

#include "resources/art/style/basics.h"

namespace crv5::art {

// A round jewel lamp filling a w x h bitmap: bezel ring and a lens in `c`, dark or lit.
void jewel_lamp(cairo_t* cr, double w, double h, Rgb c, bool lit);
// A rectangular annunciator filling a w x h bitmap: a dark frame and a tinted glass cap engraved
// with `legend` (lines separated by '\n'). `light` 0 is dark; above 0 the cap glows in `c`, at
// full brightness at 1, and the legend reads dark.
void annunciator(cairo_t* cr, double w, double h, Rgb c, const char* legend, double light);
// A flat glowing window (indicator bars and small lamps), dark or lit, filling the rectangle.
void lamp_window(cairo_t* cr, double x, double y, double w, double h, Rgb c, bool lit);

}  // namespace crv5::art
