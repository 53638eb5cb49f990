// The drum rule: how a counter drum (an odometer wheel) stands and rolls. The altimeter's altitude
// and setting drums and the autopilot's heading and course drums turn by it.
//
// A drum of step P stands on the multiple of P at or below the value while the rest r is below
// P - Q, and rolls on to the next multiple while r runs over the last Q; its position is taken
// modulo the drum's period M (floor, so negative values wrap into [0, M) too). A value that is no
// number, or a step, roll or period that is not above 0, stands the drum at 0; rounding on very
// large values cannot take it out of [0, M].
#pragma once

#include "module/gauge.h"

namespace crv5::drums {

double drum_position(double value, double step, double roll, double period);

// The position of a drum element for `value`, its record carrying the step P as its x minimum,
// the roll Q as its x maximum (no drum moves sideways) and the period M as the larger of its y
// limits.
double drum_on_record(const ElementMovingImage& drum, double value);

}  // namespace crv5::drums
