// What the fuel and gear gauges share. A lamp is a dark-lamp image with a lit-lamp icon of one
// image over it, whose rule returns kLampLit or kLampDark; blinking lamps take their phase from
// the simulation clock. Knobs and levers are a base image with a two-image icon over it.
#pragma once

#include <cmath>
#include <cstdint>

#include "module/gauge.h"
#include "module/records.h"

namespace crv5::lamps {

constexpr double kLampLit = 0;    // icon image 0: the lit lamp
constexpr double kLampDark = -1;  // no image: the dark lamp below shows through

constexpr double lamp(bool lit) { return lit ? kLampLit : kLampDark; }

// Token 604: simulation time in seconds, the time base of every blinking lamp.
constexpr uint32_t kSimulationTime = 604;

// A blinking lamp is lit for the second half of each period of the simulation clock.
inline bool blink_phase_lit(double seconds, double period) {
  return std::fmod(seconds, period) > period / 2;
}

constexpr uint32_t kPlainFlags = kImageTransparent | kImageErase;                  // 0x3
constexpr uint32_t kLitLampFlags = kImageTransparent | kImageErase | kImageBright;  // 0x7

// Failure lists of the lamps and knobs.
inline constexpr FailureRecord kHiddenOnFailure21[] = {{21, kFailNoDraw}, {0, 0}};
inline constexpr FailureRecord kHiddenOnFailure20[] = {{20, kFailNoDraw}, {0, 0}};
inline constexpr FailureRecord kZeroOnFailure20[] = {{20, kFailZero}, {0, 0}};

// A gauge's background at (0,0): a dark lamp, or the base of a knob or lever, with the one
// element drawn over it.
constexpr ElementStaticImage base_image(GaugeHeader* gauge, int32_t bitmap,
                                        ElementHeader* const* over) {
  return {{.kind = kElementStaticImage, .resource_id = bitmap, .gauge = gauge, .position = {0, 0},
           .next = over, .image_flags = kPlainFlags}};
}

// A dark lamp: the lamp gauge's background, with the lit icon over it.
constexpr ElementStaticImage dark_lamp(GaugeHeader* gauge, int32_t bitmap,
                                       ElementHeader* const* lit_icon) {
  return base_image(gauge, bitmap, lit_icon);
}

// A lit lamp: an icon of one image, bright at night, driven by `rule` from `source`.
constexpr ElementIcon lit_lamp(GaugeHeader* gauge, int32_t bitmap, PixPoint position,
                               uint32_t source, IconCallback rule,
                               const FailureRecord* failures,
                               ElementHeader* const* next = nullptr) {
  return {.header = {.kind = kElementIcon, .resource_id = bitmap, .gauge = gauge,
                     .position = position, .next = next, .failures = failures,
                     .image_flags = kLitLampFlags},
          .source = var(source), .callback = rule, .image_count = 1, .scale = 1.0};
}

// A knob or lever picture: two images, `rule` (or the source itself) choosing 0 or 1.
constexpr ElementIcon two_state_icon(GaugeHeader* gauge, int32_t bitmap, PixPoint position,
                                     uint32_t source, IconCallback rule,
                                     const FailureRecord* failures) {
  return {.header = {.kind = kElementIcon, .resource_id = bitmap, .gauge = gauge,
                     .position = position, .failures = failures, .image_flags = kPlainFlags},
          .source = var(source), .callback = rule, .image_count = 2, .scale = 1.0};
}

}  // namespace crv5::lamps
