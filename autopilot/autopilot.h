// The autopilot panel's and the annunciator tester's arithmetic, and the autopilot's module-wide
// values: what their callbacks compute, apart from the records that draw them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace crv5 {

// The heading the heading knob last sent, whole degrees; 0 at load.
extern int32_t ap_heading_knob_value;
// The course the course knob last sent, whole degrees; 0 at load.
extern double ap_course_knob_value;
// Further updates of the read-out during which the selected altitude stays shown; 0 at load.
extern int32_t ap_altitude_display_ticks;

namespace autopilot {

// A selector knob's next value from the angle read (truncated to whole degrees): `step` 1 or 10
// up or down, wrapping round the circle so that the units digit stays (5 down 10 gives 355); a
// reading past the circle wraps by the same rule (400 up by 1 gives 0, up by 10 gives 50).
int32_t knob_step(double current, int32_t step, bool increase);

// The position of a digit drum of place value `p` (1, 10, 100) that rolls over the last `roll`
// (0.1 or 1) of its place before the carry, for an angle in degrees, within 0 to `top`: the drum
// rule (mechanics/drum.h) on the angle taken within the circle.
double drum_position(double degrees, double p, double roll, double top);

// The selected altitude in the read-out's five characters, right-aligned; `text` holds at least
// chars + 1 bytes. Altitudes beyond what five characters can show stand at 99999 or -9999; a
// value that is not a number leaves the read-out blank.
void format_altitude(double feet, char* text, size_t chars);

// A tester read-out: the value rounded to a whole number, right-aligned in six characters, into
// `text` (at least chars + 1 bytes). Returns false and writes nothing when the value lies below
// -10000, is not a finite number, or does not fit.
bool format_tester_value(double value, char* text, size_t chars);

}  // namespace autopilot
}  // namespace crv5
