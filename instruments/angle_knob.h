// Whole-degree readings of headings and courses, and the step of a knob that sets one. Shared by
// the Ruzi compass's heading-bug knob and the VOR indicators' course knobs.
//
// A knob reads the angle, truncates it to whole degrees, steps it by 1 on a left click or 10 on a
// right click, wraps it around the circle and sends one set event with the result. The two kinds
// of knob differ only where a left click on the increase half wraps: the bug goes on to 360 and
// then to 1, the course goes from 359 to 0.
#pragma once

#include <cstdint>
#include <optional>

namespace crv5 {

// A heading or course as whole degrees, truncated toward zero: every reading of 0 or more as it
// is (past a full turn too, so that a knob's wrap rule takes it back round); a negative one, which
// no rule takes and no event could carry, brought round into [0, 360). A reading that is no
// number, or infinite, has no whole-degree value.
std::optional<int32_t> whole_degrees(double degrees);

// The same, 0 where there is none: for tooltips, which always show a number.
int32_t whole_degrees_or_zero(double degrees);

// Where a left click on the increase half wraps: from `top` or more to `wraps_to`.
struct KnobWrap {
  int32_t top;       // degrees
  int32_t wraps_to;  // degrees
};

// The knob's new angle from whole degrees `h`, for a click with `mouse_flags` on the increase
// (`up`) or decrease half; none when the click carries neither the left nor the right bit. The
// left bit is tested first.
std::optional<int32_t> knob_step(int32_t h, bool up, uint32_t mouse_flags, KnobWrap wrap);

// A knob half's click: reads `token`, steps it and sends `event` with the new angle. A reading
// with no whole-degree value sends nothing.
void knob_click(uint32_t token, uint32_t event, bool up, uint32_t mouse_flags, KnobWrap wrap);

}  // namespace crv5
