// Throttle_Quadrant: a throttle lever that follows the simulator's throttle. The pilot moves it by
// clicking or dragging anywhere on the quadrant: the height of the point in the quadrant sets the
// throttle, full at the top edge and idle at the bottom.
//
// Reads: token 558, throttle lever position, 0 (idle) to 1 (full).
// Writes nothing module-wide. Sends: 0x1011c (throttle set, 0 to 16384) on a click or drag.
#include <algorithm>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "module/text.h"

namespace throttle_quadrant {
using namespace crv5;

constexpr uint32_t kThrottleLever = 558;     // 0 idle to 1 full
constexpr double kLeverTravel = -213;        // pixels per unit: the lever rises 213 pixels
constexpr uint32_t kThrottleSet = 0x1011c;   // value 0 (idle) to 16384 (full)
constexpr double kFullThrottle = 16384;
constexpr int32_t kHelpThrottle = 12704;

extern ElementSlider lever;

// clang-format off
ElementStaticImage quadrant = static_image({.gauge = &gauge_Throttle_Quadrant, .bitmap = 2230, .position = {0, 0},                                                                                           .flags = kSwitchFlags, .next = children<&lever>});
ElementSlider lever         = slider({      .gauge = &gauge_Throttle_Quadrant, .bitmap = 2240, .position = {0, 213}, .x = {.source = 0, .scale = 1.0}, .y = {.source = kThrottleLever, .scale = kLeverTravel}, .flags = kSwitchFlags});
// clang-format on

// The throttle for a point `y` pixels below the top of an area `height` pixels high, from 0 (the
// bottom edge and below) to 1 (the top edge and above).
double lever_fraction(double y, double height) { return std::clamp(1.0 - y / height, 0.0, 1.0); }

// On a click or while dragging: sets the throttle by the height of the point in the area hit. An
// area without height gives no measure, and sets nothing.
Bool32 CRV5_CALL set_throttle(ClickRecord* click, uint32_t) {
  if (!click || !click->rect) return false;
  const PixBox& area = click->rect->box;
  if (area.height <= 0) return false;
  const double fraction = lever_fraction(double(click->point.y) - area.y, area.height);
  send_event(kThrottleSet, uint32_t(truncate_to_int(kFullThrottle * fraction)));
  return false;
}

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(nullptr, kHelpThrottle),  // the host's own text
    mouse_child({0, 0, 220, 375}, kCursorHand, kMouseLeftSingle | kMouseLeftDrag, set_throttle),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace throttle_quadrant

GaugeHeader gauge_Throttle_Quadrant = crv5::gauge_header(
    crv5::GaugeId::Throttle_Quadrant, crv5::element_list<&throttle_quadrant::quadrant>, throttle_quadrant::mouse);
