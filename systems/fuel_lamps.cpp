// The three fuel warning lamps, members of the lamp family. All three light steadily while the
// fuel lamp test runs.
//  - Low_Fuel_Level_Light: lit below 10 percent of the internal tanks' capacity.
//  - Low_Fuel_Press_Light: lit below 1.15 bar of fuel pressure.
//  - Ten_Minutes_Flight_Light: blinks when the fuel left lasts 10 minutes or less at the present
//    flow, unless the blinking has been cut out.
//
// Reads: tokens 899 (fuel pressure, pounds per square foot), 638 (fuel flow, pounds per hour),
// 604 (simulation time, seconds); fuel_left_kg and fuel_right_kg (as Fuel_Quantity last computed
// them), the four internal tank capacities, fuel_lamp_test, fuel_blink_enabled.
// Writes: fuel_level_percent, fuel_pressure_bar. Sends no events.
#include <cmath>

#include "mechanics/lamps.h"
#include "module/services.h"
#include "systems/aircraft_state.h"

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

double total_fuel_kg() { return fuel_left_kg + fuel_right_kg; }

// The percentage counts the external tanks when the gauge does, against the internal capacity
// only, so it may pass 100. It is not a number until the capacities are known: lit.
double CRV5_CALL low_level_rule(ElementIcon*) {
  const double internal_capacity_kg =
      tank292_capacity_kg + tank298_capacity_kg + tank294_capacity_kg + tank300_capacity_kg;
  fuel_level_percent = 100 * total_fuel_kg() / internal_capacity_kg;
  if (fuel_lamp_test != 0) return kLampLit;
  return lamp(fuel_level_percent < kLowLevelPercent || std::isnan(fuel_level_percent));
}

// The lamp's source is the fuel pressure.
double CRV5_CALL low_pressure_rule(ElementIcon* lamp_icon) {
  fuel_pressure_bar = lamp_icon->source.value.f / kPoundsPerSquareFootPerBar;
  if (fuel_lamp_test != 0) return kLampLit;
  return lamp(fuel_pressure_bar < kLowPressureBar);
}

// The lamp's source is the fuel flow. An endurance that is not a number (no fuel and no flow)
// does not darken the lamp; fuel with no flow lasts for ever.
double CRV5_CALL ten_minutes_rule(ElementIcon* lamp_icon) {
  const double total_kg = total_fuel_kg();
  const double flow_kg_per_hour = lamp_icon->source.value.f * kKilogramsPerPound;
  if (fuel_lamp_test != 0) return kLampLit;
  if (fuel_blink_enabled == 0) return kLampDark;
  const double state = lamp(blink_phase_lit(read_var(kSimulationTime), kBlinkPeriod));
  const double endurance_minutes = total_kg / flow_kg_per_hour * 60;
  if (endurance_minutes > kWarningEnduranceMinutes) return kLampDark;
  return state;
}

// The low level tooltip names the lamp's threshold.
double CRV5_CALL low_level_threshold(CRV5_TOOLTIP_PARAMS) { return kLowLevelPercent; }
double CRV5_CALL pressure_bar(CRV5_TOOLTIP_PARAMS) { return fuel_pressure_bar; }

const TooltipArg level_args[] = {tooltip_number(low_level_threshold)};
const TooltipArg pressure_args[] = {tooltip_number(pressure_bar)};

}  // namespace fuel_lamps

namespace crv5::lamps {
using namespace fuel_lamps;

// clang-format off
constexpr family::Member kFuelLamps[] = {
    {.gauge = GaugeId::Low_Fuel_Level_Light,     .base = 2480, .picture = 2490, .pictures = 1, .token = kFuelFlow,     .rule = low_level_rule,    .failures = kHiddenOnFailure21, .tooltip = "Low fuel level light (less than %1!d! percent)", .tooltip_args = level_args},
    {.gauge = GaugeId::Low_Fuel_Press_Light,     .base = 1000, .picture = 1010, .pictures = 1, .token = kFuelPressure, .rule = low_pressure_rule, .failures = kHiddenOnFailure21, .tooltip = "Low fuel pressure light (%1!4.2f! bars)",         .tooltip_args = pressure_args},
    {.gauge = GaugeId::Ten_Minutes_Flight_Light, .base = 3320, .picture = 3330, .pictures = 1, .token = kFuelFlow,     .rule = ten_minutes_rule,  .failures = kHiddenOnFailure21, .tooltip = "Ten minutes flight light"},
};
// clang-format on

}  // namespace crv5::lamps

CRV5_FAMILY_MEMBER(crv5::lamps::Lamp, crv5::lamps::kFuelLamps, Low_Fuel_Level_Light);
CRV5_FAMILY_MEMBER(crv5::lamps::Lamp, crv5::lamps::kFuelLamps, Low_Fuel_Press_Light);
CRV5_FAMILY_MEMBER(crv5::lamps::Lamp, crv5::lamps::kFuelLamps, Ten_Minutes_Flight_Light);
