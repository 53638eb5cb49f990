// What the engine and system dials share: the units the simulator gives and the pilot reads, and
// the needle values kept for the tooltips.
//
// The simulator gives temperatures in degrees Rankine, pressures in pounds per square foot and
// fuel flow in pounds per hour; the dials are graduated in degrees Celsius, bars and kilograms per
// hour. Each dial's needle table holds the simulator's units at the dial's marks.
#pragma once

#include "module/gauge.h"

namespace crv5 {

// --- Units --------------------------------------------------------------------------------------

inline constexpr double kPsfPerBar = 2087.91;      // pounds per square foot in one bar
inline constexpr double kKilogramsPerPound = 0.4536;

constexpr double bars_from_psf(double psf) { return psf / kPsfPerBar; }
constexpr double kilograms_from_pounds(double pounds) { return pounds * kKilogramsPerPound; }
constexpr double celsius_from_rankine(double rankine) {
  return (rankine - 459.67 - 32) * 0.5555555555555556;
}

// --- Needle values kept for the tooltips ---------------------------------------------------------
// Each is the value its needle showed at its last update; 0 at load.

extern double fuel_flow_pph;              // Fuel_Flow: token 638, pounds per hour
extern double hydraulic_temperature_r;    // Triple_Indicator: token 561, degrees Rankine
extern double oil_pressure_psf;           // Triple_Indicator: token 562
extern double fuel_pressure_psf;          // Triple_Indicator: token 899
extern double hydraulic_right_psf;        // Hydraulic_Pressure, right needle: token 734
extern double hydraulic_left_psf;         // Hydraulic_Pressure, left needle: token 732
extern double bus_voltage_volts;          // Voltmeter: token 753
extern double speed_brake_position;       // Spoilers_Position: token 326, 0 to 16384

// The pass-through rule of a needle whose value a tooltip shows: keeps the value the host has just
// read from the needle's source in `Kept` and drives the needle by it unchanged.
template <double& Kept>
double CRV5_CALL keep_value(ElementNeedle* needle) {
  return Kept = needle->source.value.f;
}

}  // namespace crv5
