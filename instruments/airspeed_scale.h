// The airspeed indicator's scale: indicated airspeed in knots to the pointer's turn in degrees, a
// piecewise-linear function of the dial's breakpoints (wide spacing at low speed, narrow at high
// speed, up to 850 knots). The gauge turns its pointer by it and the artwork places the dial's
// graduations by it; the Mach disc is graduated at 150 degrees per Mach.
#pragma once

namespace crv5::airspeed {

// Degrees of pointer turn per Mach on the Mach disc.
inline constexpr double kDiscDegreesPerMach = 150.0;

// The pointer's turn for `knots`. A speed on a breakpoint belongs to the segment below it; above
// 850 knots the pointer stays at 344.5. Below 0 knots (a reading the dial has no mark for) the
// pointer stays at 0, and a speed that is no number gives 0 too, so the angle is always finite.
double pointer_degrees(double knots);

}  // namespace crv5::airspeed
