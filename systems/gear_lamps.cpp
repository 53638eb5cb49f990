// The landing gear's lamps.
//  - Gear_Lamps: the gear position indicator. Per leg a green bar, lit when the leg is down, and
//    a red lamp that blinks while the leg is in transit; the three red lamps blink with slightly
//    different periods, so they drift in and out of step.
//  - Gear_Light_Green (lamp family): lit when all three legs are down.
//  - Gear_Warning_Light (lamp family): lit when a leg is not down while token 614 is at 30 or
//    below.
//
// Reads: tokens 332, 333, 334 (nose, left, right leg positions, 0 when up, growing as the leg
// goes down), 614 (arms the forgotten-gear warning), 604 (simulation time, seconds).
// Writes: nothing module-wide. Sends no events.

#include "mechanics/lamps.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace gear_lamps {
using namespace crv5;
using namespace crv5::lamps;

constexpr uint32_t kNoseLeg = 332;
constexpr uint32_t kLeftLeg = 333;
constexpr uint32_t kRightLeg = 334;
constexpr uint32_t kWarningArming = 614;

constexpr double kIndicatorDown = 16300;  // the indicator's green bar: above
constexpr double kIndicatorUp = 50;       // the indicator's red lamp stays dark below
constexpr double kLampDown = 16000;       // the single lamps: above
constexpr double kWarningArmedAtMost = 30;

// Down-bar rule: the element's source is the leg's position.
double CRV5_CALL down_bar_rule(ElementIcon* bar) { return lamp(bar->source.value.f > kIndicatorDown); }

// Transit rule for a leg whose red lamp blinks with a period of `PeriodMs` milliseconds.
template <int PeriodMs>
double CRV5_CALL transit_rule(ElementIcon* lamp_icon) {
  const double position = lamp_icon->source.value.f;
  const double period = PeriodMs / 1000.0;  // seconds; the nearest double, as 0.51 written out
  double state = lamp(blink_phase_lit(read_var(kSimulationTime), period));
  if (position > kIndicatorDown) state = kLampDark;
  if (position < kIndicatorUp) state = kLampDark;
  return state;
}

// The lamp's source is the nose leg.
double CRV5_CALL gear_down_rule(ElementIcon* lamp_icon) {
  return lamp(lamp_icon->source.value.f > kLampDown && read_var(kLeftLeg) > kLampDown &&
              read_var(kRightLeg) > kLampDown);
}

// The lamp's source is the arming value.
double CRV5_CALL forgotten_gear_rule(ElementIcon* lamp_icon) {
  if (lamp_icon->source.value.f > kWarningArmedAtMost) return kLampDark;
  return lamp(read_var(kLeftLeg) < kLampDown || read_var(kRightLeg) < kLampDown ||
              read_var(kNoseLeg) < kLampDown);
}

// --- Gear_Lamps: each element the child of the one before it ------------------------------------

extern ElementIcon right_bar, nose_bar, left_bar, right_transit, nose_transit, left_transit;

constexpr GaugeHeader* kIndicator = &gauge_Gear_Lamps;

// clang-format off
ElementStaticImage disc   = static_image({.gauge = kIndicator, .bitmap = 3390, .position = {0, 0},                                                                    .flags = kCoverFlags,                                 .next = children<&right_bar>});
ElementIcon right_bar     = icon({        .gauge = kIndicator, .bitmap = 3420, .position = {114, 60}, .source = kRightLeg, .callback = down_bar_rule,      .images = 1, .flags = kLampFlags, .failures = kHiddenOnFailure20, .next = children<&nose_bar>});
ElementIcon nose_bar      = icon({        .gauge = kIndicator, .bitmap = 3410, .position = {49, 118}, .source = kNoseLeg,  .callback = down_bar_rule,      .images = 1, .flags = kLampFlags, .failures = kHiddenOnFailure20, .next = children<&left_bar>});
ElementIcon left_bar      = icon({        .gauge = kIndicator, .bitmap = 3400, .position = {20, 58},  .source = kLeftLeg,  .callback = down_bar_rule,      .images = 1, .flags = kLampFlags, .failures = kHiddenOnFailure20, .next = children<&right_transit>});
ElementIcon right_transit = icon({        .gauge = kIndicator, .bitmap = 3430, .position = {104, 28}, .source = kRightLeg, .callback = transit_rule<520>,  .images = 1, .flags = kLampFlags, .failures = kHiddenOnFailure20, .next = children<&nose_transit>});
ElementIcon nose_transit  = icon({        .gauge = kIndicator, .bitmap = 3430, .position = {71, 15},  .source = kNoseLeg,  .callback = transit_rule<530>,  .images = 1, .flags = kLampFlags, .failures = kHiddenOnFailure20, .next = children<&left_transit>});
ElementIcon left_transit  = icon({        .gauge = kIndicator, .bitmap = 3430, .position = {37, 27},  .source = kLeftLeg,  .callback = transit_rule<510>,  .images = 1, .flags = kLampFlags, .failures = kHiddenOnFailure20});
// clang-format on

MouseRect indicator_mouse[] = {mouse_parent({}, 43825), mouse_parent_end(), mouse_end()};

}  // namespace gear_lamps

namespace crv5::lamps {
using namespace gear_lamps;

// clang-format off
constexpr family::Member kGearLamps[] = {
    {.gauge = GaugeId::Gear_Light_Green,   .base = 2320, .picture = 2330, .pictures = 1, .token = kNoseLeg,       .rule = gear_down_rule,      .failures = kZeroOnFailure20,   .tooltip = "Gear down light"},
    {.gauge = GaugeId::Gear_Warning_Light, .base = 2360, .picture = 2370, .pictures = 1, .token = kWarningArming, .rule = forgotten_gear_rule, .failures = kHiddenOnFailure21, .tooltip = "Gear down forgotten warning light"},
};
// clang-format on

}  // namespace crv5::lamps

GaugeHeader gauge_Gear_Lamps = crv5::gauge_header(
    crv5::GaugeId::Gear_Lamps, crv5::element_list<&gear_lamps::disc>, gear_lamps::indicator_mouse);
CRV5_FAMILY_MEMBER(crv5::lamps::Lamp, crv5::lamps::kGearLamps, Gear_Light_Green);
CRV5_FAMILY_MEMBER(crv5::lamps::Lamp, crv5::lamps::kGearLamps, Gear_Warning_Light);
