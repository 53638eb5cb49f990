// The host's needle rule: where a needle points for a value, by its nonlinearity table.
#pragma once

#include "module/gauge.h"

namespace gaugehost {

// The angle, in degrees clockwise from 12 o'clock, of `point` seen from `centre`.
double point_angle(PixPoint centre, PixPoint point);

// The needle's angle for `value`, in degrees clockwise from 12 o'clock, not reduced to [0, 360):
// entries run clockwise in table order (each angle is the previous one plus the clockwise turn to
// its point, 0 up to but excluding 360), values between entries are interpolated linearly, values
// beyond the ends carry on along the end segment at its rate. Without a table the value is the
// angle itself, measured from the needle bitmap's own direction (3 o'clock): 90 + value.
double needle_angle(const NonlinearityEntry* table, int count, PixPoint centre, double value);

// An angle reduced to [0, 360).
double normalize_degrees(double degrees);

}  // namespace gaugehost
