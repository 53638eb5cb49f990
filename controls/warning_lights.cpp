// The cockpit's annunciator lamps, members of the lamp family. None has a click, a sound or a
// gauge callback; each names itself in its tooltip (the marker lamp by the host's help text).
//  - Afterburner_Light, Fire_Light: lit while their token is 1 (the state is the token less 1).
//  - Hydr_Press_Light_Main, Hydr_Press_Light_Aux: lit below 13 and 130 bar in their circuits.
//  - Battery_Light, Generator_Light: lit while one of two bus voltages is up and the other down.
//  - Pitot_Heat_Light: lit while the pitot heat is off and token 341 is below 10.
//  - Speed_Brake_Light: lit with the airbrake beyond 16000 of 16384.
//  - Flaps_Light: dark, or one of three brightnesses for take off, approach and landing flaps.
//  - OMI_Light: the marker beacon lamp (none, outer, middle, inner), all dark while NAV1 is off.
// A token that is not a finite number never becomes a lamp state: the lamp stays dark (the marker
// lamp shows none lit).
//
// Reads: tokens 632 (afterburner), 887 (engine fire), 732, 734 (main and auxiliary hydraulic
// pressure, pounds per square foot), 759, 761 (bus voltages), 13 (pitot heat switch), 341, 326
// (airbrake), 329 (flaps), 354 (marker beacon: 0 none, 1 outer, 2 middle, 3 inner); nav1_power.
// Writes: flaps_light_state. Sends no events.
#include <cmath>
#include <iterator>

#include "controls/control_state.h"
#include "mechanics/lamps.h"
#include "module/services.h"
#include "mechanics/radio_state.h"

namespace crv5 {
int32_t flaps_light_state = 0;
}  // namespace crv5

namespace warning_lights {
using namespace crv5;
using namespace crv5::lamps;

constexpr uint32_t kAfterburner = 632;
constexpr uint32_t kEngineFire = 887;
constexpr uint32_t kMainHydraulicPressure = 732;  // pounds per square foot
constexpr uint32_t kAuxHydraulicPressure = 734;   // pounds per square foot
constexpr uint32_t kBusVoltage759 = 759;          // volts
constexpr uint32_t kBusVoltage761 = 761;          // volts
constexpr uint32_t kGeneratorSwitch = 565;        // the generator lamp's source; its rule reads the voltages
constexpr uint32_t kPitotHeat = 13;
constexpr uint32_t kToken341 = 341;
constexpr uint32_t kAirbrake = 326;               // 0 to 16384
constexpr uint32_t kFlaps = 329;                  // 0 to 16384
constexpr uint32_t kMarkerBeacon = 354;

constexpr double kPoundsPerSquareFootPerBar = 2087.91;
constexpr double kMainLowPressureBar = 13;
constexpr double kAuxLowPressureBar = 130;
constexpr double kVoltageUp = 20;                 // volts: strictly above
constexpr double kVoltageDown = 10;               // volts: strictly below
constexpr double kPitotHeatLimit341 = 10;         // strictly below
constexpr double kAirbrakeDeployed = 16000;       // strictly above

// A lamp whose token is 1 while it is lit: the state is the token less 1.
double CRV5_CALL token_less_one_rule(ElementIcon* lamp_icon) {
  const double value = lamp_icon->source.value.f;
  return std::isfinite(value) ? value - 1 : kLampDark;
}

bool below_bar(double pounds_per_square_foot, double bar) {
  return pounds_per_square_foot < bar * kPoundsPerSquareFootPerBar;
}
double CRV5_CALL main_hydraulics_rule(ElementIcon* lamp_icon) {
  return lamp(below_bar(lamp_icon->source.value.f, kMainLowPressureBar));
}
double CRV5_CALL aux_hydraulics_rule(ElementIcon* lamp_icon) {
  return lamp(below_bar(lamp_icon->source.value.f, kAuxLowPressureBar));
}

double CRV5_CALL battery_rule(ElementIcon*) {
  return lamp(read_var(kBusVoltage761) > kVoltageUp && read_var(kBusVoltage759) < kVoltageDown);
}
double CRV5_CALL generator_rule(ElementIcon*) {
  return lamp(read_var(kBusVoltage761) < kVoltageDown && read_var(kBusVoltage759) > kVoltageUp);
}

// The element's source is the pitot heat switch.
double CRV5_CALL pitot_heat_rule(ElementIcon* lamp_icon) {
  return lamp(lamp_icon->source.value.f == 0.0 && read_var(kToken341) < kPitotHeatLimit341);
}

double CRV5_CALL airbrake_rule(ElementIcon* lamp_icon) {
  return lamp(lamp_icon->source.value.f > kAirbrakeDeployed);
}

// Flaps_Light: the stages from the most flap down; below the last the lamp is dark, "full up".
struct FlapsStage {
  double from;        // flaps value, inclusive
  int32_t state;      // the lit image: 0 dim to 2 bright
  const char* word;   // the tooltip's
};
constexpr FlapsStage kFlapsStages[] = {
    {.from = 16000, .state = 2, .word = "landing"},
    {.from = 10000, .state = 1, .word = "approach"},
    {.from = 5300,  .state = 0, .word = "take off"},
};
constexpr const char* kFlapsFullUp = "full up";

double CRV5_CALL flaps_rule(ElementIcon* lamp_icon) {
  const double flaps = lamp_icon->source.value.f;
  flaps_light_state = static_cast<int32_t>(kLampDark);
  for (const FlapsStage& stage : kFlapsStages) {
    if (flaps >= stage.from) {
      flaps_light_state = stage.state;
      break;
    }
  }
  return flaps_light_state;
}

// The word of the lamp's last state, not of the flaps now.
const char* CRV5_CALL flaps_word(CRV5_TOOLTIP_PARAMS) {
  for (const FlapsStage& stage : kFlapsStages)
    if (flaps_light_state == stage.state) return stage.word;
  return kFlapsFullUp;
}
const TooltipArg flaps_args[] = {tooltip_text(flaps_word)};

// OMI_Light: image 0 shows no marker lit; with NAV1 off the lamp shows none whatever the beacon.
constexpr double kNoMarker = 0;
double CRV5_CALL marker_rule(ElementIcon* lamp_icon) {
  const double marker = lamp_icon->source.value.f;
  if (nav1_power == 0 || !std::isfinite(marker)) return kNoMarker;
  return marker;
}

}  // namespace warning_lights

namespace crv5::lamps {
using namespace warning_lights;

// clang-format off
constexpr family::Member kWarningLights[] = {
    {.gauge = GaugeId::Afterburner_Light,     .base = 2480, .picture = 2490, .pictures = 1, .token = kAfterburner,           .rule = token_less_one_rule,  .failures = kHiddenOnFailure21, .tooltip = "Afterburner light"},
    {.gauge = GaugeId::Fire_Light,            .base = 4090, .picture = 4100, .pictures = 1, .token = kEngineFire,            .rule = token_less_one_rule,  .failures = kHiddenOnFailure20, .tooltip = "Warning light : Fire in engire compartment"},
    {.gauge = GaugeId::Hydr_Press_Light_Main, .base = 1000, .picture = 1010, .pictures = 1, .token = kMainHydraulicPressure, .rule = main_hydraulics_rule, .failures = kHiddenOnFailure21, .tooltip = "Low pressure in main hydraulic circuit"},
    {.gauge = GaugeId::Hydr_Press_Light_Aux,  .base = 1000, .picture = 1010, .pictures = 1, .token = kAuxHydraulicPressure,  .rule = aux_hydraulics_rule,  .failures = kHiddenOnFailure21, .tooltip = "Low pressure in auxiliary hydraulic circuit"},
    {.gauge = GaugeId::Battery_Light,         .base = 2420, .picture = 2430, .pictures = 1,                                  .rule = battery_rule,         .failures = kHiddenOnFailure21, .tooltip = "Battery Off light"},
    {.gauge = GaugeId::Generator_Light,       .base = 2420, .picture = 2430, .pictures = 1, .token = kGeneratorSwitch,       .rule = generator_rule,       .failures = kHiddenOnFailure21, .tooltip = "Generator off light"},
    {.gauge = GaugeId::Pitot_Heat_Light,      .base = 1000, .picture = 1010, .pictures = 1, .token = kPitotHeat,             .rule = pitot_heat_rule,      .failures = kHiddenOnFailure21, .tooltip = "Pitot heat warning light"},
    {.gauge = GaugeId::Speed_Brake_Light,     .base = 2210, .picture = 2220, .pictures = 1, .token = kAirbrake,              .rule = airbrake_rule,        .failures = kHiddenOnFailure21, .tooltip = "Speed brake fully deployed light"},
    {.gauge = GaugeId::Flaps_Light,           .base = 2340, .picture = 2350, .pictures = 3, .token = kFlaps,                 .rule = flaps_rule,           .failures = kHiddenOnFailure21, .tooltip = "Flaps position light (%1!s!)", .tooltip_args = flaps_args},
    {.gauge = GaugeId::OMI_Light,             .base = 2380, .picture = 2390, .pictures = 4, .token = kMarkerBeacon,          .rule = marker_rule,          .failures = kHiddenOnFailure21, .help_id = 43856},
};
// clang-format on

}  // namespace crv5::lamps

using crv5::lamps::Lamp;
using crv5::lamps::kWarningLights;
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Afterburner_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Fire_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Hydr_Press_Light_Main);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Hydr_Press_Light_Aux);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Battery_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Generator_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Pitot_Heat_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Speed_Brake_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, Flaps_Light);
CRV5_FAMILY_MEMBER(Lamp, kWarningLights, OMI_Light);
