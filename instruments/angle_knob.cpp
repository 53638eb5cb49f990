#include "instruments/angle_knob.h"

#include <cmath>

#include "module/gauge.h"
#include "module/services.h"
#include "module/text.h"

namespace crv5 {

std::optional<int32_t> whole_degrees(double degrees) {
  if (!std::isfinite(degrees)) return std::nullopt;
  double whole = std::trunc(degrees);
  if (whole < 0) whole -= 360 * std::floor(whole / 360);
  return truncate_to_int(whole);
}

int32_t whole_degrees_or_zero(double degrees) { return whole_degrees(degrees).value_or(0); }

std::optional<int32_t> knob_step(int32_t h, bool up, uint32_t mouse_flags, KnobWrap wrap) {
  if (mouse_flags & kMouseLeftSingle) {
    if (up) return h >= wrap.top ? wrap.wraps_to : h + 1;
    return h < 1 ? 359 : h - 1;
  }
  if (mouse_flags & kMouseRightSingle) {
    if (up) return h > 349 ? h - 350 : h + 10;
    return h < 10 ? h + 350 : h - 10;
  }
  return std::nullopt;
}

void knob_click(uint32_t token, uint32_t event, bool up, uint32_t mouse_flags, KnobWrap wrap) {
  const std::optional<int32_t> h = whole_degrees(read_var(token));
  if (!h) return;
  if (const std::optional<int32_t> stepped = knob_step(*h, up, mouse_flags, wrap))
    send_event(event, static_cast<uint32_t>(*stepped));
}

}  // namespace crv5
