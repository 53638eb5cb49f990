// The three fuel warning lamps. Each is a dark lamp with a lit icon over it; all three light
// steadily while the fuel lamp test runs.
//  - Low_Fuel_Level_Light: lit below 10 percent of the internal tanks' capacity.
//  - Low_Fuel_Press_Light: lit below 1.15 bar of fuel pressure.
//  - Ten_Minutes_Flight_Light: blinks when the fuel left lasts 10 minutes or less at the present
//    flow, unless the blinking has been cut out.
//
// Inputs: the side quantities last computed by Fuel_Quantity; token 899 (fuel pressure, pounds
// per square foot), 638 (fuel flow, pounds per hour), 604 (simulation time, seconds).
#include <cmath>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "systems/aircraft_state.h"
#include "systems/lamps.h"

namespace fuel_lamps {
using namespace crv5;
using namespace crv5::lamps;

constexpr uint32_t kFuelPressure = 899;  // pounds per square foot
constexpr uint32_t kFuelFlow = 638;      // pounds per hour

constexpr double kLowLevelPercent = 10;        // of the internal tanks' capacity
constexpr double kPoundsPerSquareFootPerBar = 2087.91;
constexpr double kLowPressureBar = 1.15;
constexpr double kKilogramsPerPound = 0.4536;
constexpr double kWarningEnduranceMinutes = 10;
constexpr double kBlinkPeriod = 0.5;           // seconds: two blinks a second

double low_level_rule(ElementIcon*);
double low_pressure_rule(ElementIcon*);
double ten_minutes_rule(ElementIcon*);

extern ElementIcon level_lit, pressure_lit, ten_minutes_lit;

//                                   helper     gauge                            bitmap  position  source         rule               failures
ElementStaticImage level_dark       = dark_lamp(&gauge_Low_Fuel_Level_Light,     2480,   children<&level_lit>);
ElementIcon level_lit               = lit_lamp( &gauge_Low_Fuel_Level_Light,     2490,   {0, 0},   kFuelFlow,     low_level_rule,    kHiddenOnFailure21);
ElementStaticImage pressure_dark    = dark_lamp(&gauge_Low_Fuel_Press_Light,     1000,   children<&pressure_lit>);
ElementIcon pressure_lit            = lit_lamp( &gauge_Low_Fuel_Press_Light,     1010,   {0, 0},   kFuelPressure, low_pressure_rule, kHiddenOnFailure21);
ElementStaticImage ten_minutes_dark = dark_lamp(&gauge_Ten_Minutes_Flight_Light, 3320,   children<&ten_minutes_lit>);
ElementIcon ten_minutes_lit         = lit_lamp( &gauge_Ten_Minutes_Flight_Light, 3330,   {0, 0},   kFuelFlow,     ten_minutes_rule,  kHiddenOnFailure21);

// The low level tooltip names the lamp's threshold.
double low_level_threshold(CRV5_TOOLTIP_PARAMS) { return kLowLevelPercent; }
double pressure_bar(CRV5_TOOLTIP_PARAMS) { return fuel_pressure_bar; }

const TooltipArg level_args[] = {tooltip_number(low_level_threshold)};
const TooltipArg pressure_args[] = {tooltip_number(pressure_bar)};
const TooltipText level_tooltip = {"Low fuel level light (less than %1!d! percent)", level_args, 1};
const TooltipText pressure_tooltip = {"Low fuel pressure light (%1!4.2f! bars)", pressure_args, 1};
const TooltipText ten_minutes_tooltip = {"Ten minutes flight light", nullptr, 0};

MouseRect level_mouse[] = {mouse_parent(), mouse_tooltip(&level_tooltip), mouse_parent_end(), mouse_end()};
MouseRect pressure_mouse[] = {mouse_parent(), mouse_tooltip(&pressure_tooltip), mouse_parent_end(), mouse_end()};
MouseRect ten_minutes_mouse[] = {mouse_parent(), mouse_tooltip(&ten_minutes_tooltip), mouse_parent_end(), mouse_end()};

double total_fuel_kg() { return fuel_left_kg + fuel_right_kg; }

// The percentage counts the external tanks when the gauge does, against the internal capacity
// only, so it may pass 100. It is not a number until the capacities are known: lit.
double low_level_rule(ElementIcon*) {
  const double internal_capacity_kg =
      tank292_capacity_kg + tank298_capacity_kg + tank294_capacity_kg + tank300_capacity_kg;
  fuel_level_percent = 100 * total_fuel_kg() / internal_capacity_kg;
  if (fuel_lamp_test != 0) return kLampLit;
  return lamp(fuel_level_percent < kLowLevelPercent || std::isnan(fuel_level_percent));
}

// The lamp's source is the fuel pressure.
double low_pressure_rule(ElementIcon* lamp_icon) {
  fuel_pressure_bar = lamp_icon->source.value.f / kPoundsPerSquareFootPerBar;
  if (fuel_lamp_test != 0) return kLampLit;
  return lamp(fuel_pressure_bar < kLowPressureBar);
}

// The lamp's source is the fuel flow. An endurance that is not a number (no fuel and no flow)
// does not darken the lamp; fuel with no flow lasts for ever.
double ten_minutes_rule(ElementIcon* lamp_icon) {
  const double total_kg = total_fuel_kg();
  const double flow_kg_per_hour = lamp_icon->source.value.f * kKilogramsPerPound;
  if (fuel_lamp_test != 0) return kLampLit;
  if (fuel_blink_enabled == 0) return kLampDark;
  const double state = lamp(blink_phase_lit(read_var(kSimulationTime), kBlinkPeriod));
  const double endurance_minutes = total_kg / flow_kg_per_hour * 60;
  if (endurance_minutes > kWarningEnduranceMinutes) return kLampDark;
  return state;
}

}  // namespace fuel_lamps

GaugeHeader gauge_Low_Fuel_Level_Light = crv5::gauge_header(
    "Low_Fuel_Level_Light", 80, crv5::element_list<&fuel_lamps::level_dark>, fuel_lamps::level_mouse);
GaugeHeader gauge_Low_Fuel_Press_Light = crv5::gauge_header(
    "Low_Fuel_Press_Light", 32, crv5::element_list<&fuel_lamps::pressure_dark>, fuel_lamps::pressure_mouse);
GaugeHeader gauge_Ten_Minutes_Flight_Light = crv5::gauge_header(
    "Ten_Minutes_Flight_Light", 80, crv5::element_list<&fuel_lamps::ten_minutes_dark>,
    fuel_lamps::ten_minutes_mouse);
