// The landing gear's lamps.
//  - Gear_Lamps: the gear position indicator. Per leg a green bar, lit when the leg is down, and
//    a red lamp that blinks while the leg is in transit; the three red lamps blink with slightly
//    different periods, so they drift in and out of step.
//  - Gear_Light_Green: lit when all three legs are down.
//  - Gear_Warning_Light: lit when a leg is not down while token 614 is at 30 or below.
//
// Inputs: tokens 332, 333, 334 (nose, left, right leg positions, 0 when up, growing as the leg
// goes down), 614 (arms the forgotten-gear warning), 604 (simulation time, seconds).
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "systems/lamps.h"

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
double down_bar_rule(ElementIcon* bar) { return lamp(bar->source.value.f > kIndicatorDown); }

// Transit rule for a leg whose red lamp blinks with a period of `PeriodMs` milliseconds (a whole
// number: not every compiler takes a floating-point template parameter).
template <int PeriodMs>
double transit_rule(ElementIcon* lamp_icon) {
  const double position = lamp_icon->source.value.f;
  double state = lamp(blink_phase_lit(read_var(kSimulationTime), PeriodMs / 1000.0));
  if (position > kIndicatorDown) state = kLampDark;
  if (position < kIndicatorUp) state = kLampDark;
  return state;
}

double gear_down_rule(ElementIcon*);
double forgotten_gear_rule(ElementIcon*);

extern ElementIcon right_bar, nose_bar, left_bar, right_transit, nose_transit, left_transit;
extern ElementIcon green_lit, warning_lit;

// Gear_Lamps: each element the child of the one before it.
//                                helper      gauge               bitmap  position    source     rule                failures            over it
ElementStaticImage disc   = base_image(&gauge_Gear_Lamps, 3390,   children<&right_bar>);
ElementIcon right_bar     = lit_lamp(  &gauge_Gear_Lamps, 3420,   {114, 60},  kRightLeg, down_bar_rule,      kHiddenOnFailure20, children<&nose_bar>);
ElementIcon nose_bar      = lit_lamp(  &gauge_Gear_Lamps, 3410,   {49, 118},  kNoseLeg,  down_bar_rule,      kHiddenOnFailure20, children<&left_bar>);
ElementIcon left_bar      = lit_lamp(  &gauge_Gear_Lamps, 3400,   {20, 58},   kLeftLeg,  down_bar_rule,      kHiddenOnFailure20, children<&right_transit>);
ElementIcon right_transit = lit_lamp(  &gauge_Gear_Lamps, 3430,   {104, 28},  kRightLeg, transit_rule<520>,  kHiddenOnFailure20, children<&nose_transit>);
ElementIcon nose_transit  = lit_lamp(  &gauge_Gear_Lamps, 3430,   {71, 15},   kNoseLeg,  transit_rule<530>,  kHiddenOnFailure20, children<&left_transit>);
ElementIcon left_transit  = lit_lamp(  &gauge_Gear_Lamps, 3430,   {37, 27},   kLeftLeg,  transit_rule<510>,  kHiddenOnFailure20);

//                                   helper     gauge                      bitmap  position  source          rule                 failures
ElementStaticImage green_dark   = dark_lamp(&gauge_Gear_Light_Green,   2320,   children<&green_lit>);
ElementIcon green_lit           = lit_lamp( &gauge_Gear_Light_Green,   2330,   {0, 0},   kNoseLeg,       gear_down_rule,      kZeroOnFailure20);
ElementStaticImage warning_dark = dark_lamp(&gauge_Gear_Warning_Light, 2360,   children<&warning_lit>);
ElementIcon warning_lit         = lit_lamp( &gauge_Gear_Warning_Light, 2370,   {0, 0},   kWarningArming, forgotten_gear_rule, kHiddenOnFailure21);

const TooltipText green_tooltip = {"Gear down light", nullptr, 0};
const TooltipText warning_tooltip = {"Gear down forgotten warning light", nullptr, 0};

MouseRect indicator_mouse[] = {mouse_parent({}, 43825), mouse_parent_end(), mouse_end()};
MouseRect green_mouse[] = {mouse_parent(), mouse_tooltip(&green_tooltip), mouse_parent_end(), mouse_end()};
MouseRect warning_mouse[] = {mouse_parent(), mouse_tooltip(&warning_tooltip), mouse_parent_end(), mouse_end()};

// The lamp's source is the nose leg.
double gear_down_rule(ElementIcon* lamp_icon) {
  return lamp(lamp_icon->source.value.f > kLampDown && read_var(kLeftLeg) > kLampDown &&
              read_var(kRightLeg) > kLampDown);
}

// The lamp's source is the arming value.
double forgotten_gear_rule(ElementIcon* lamp_icon) {
  if (lamp_icon->source.value.f > kWarningArmedAtMost) return kLampDark;
  return lamp(read_var(kLeftLeg) < kLampDown || read_var(kRightLeg) < kLampDown ||
              read_var(kNoseLeg) < kLampDown);
}

}  // namespace gear_lamps

GaugeHeader gauge_Gear_Lamps = crv5::gauge_header(
    "Gear_Lamps", 40, crv5::element_list<&gear_lamps::disc>, gear_lamps::indicator_mouse);
GaugeHeader gauge_Gear_Light_Green = crv5::gauge_header(
    "Gear_Light_Green", 80, crv5::element_list<&gear_lamps::green_dark>, gear_lamps::green_mouse);
GaugeHeader gauge_Gear_Warning_Light = crv5::gauge_header(
    "Gear_Warning_Light", 80, crv5::element_list<&gear_lamps::warning_dark>,
    gear_lamps::warning_mouse);
