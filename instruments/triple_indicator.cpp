// Triple_Indicator: three scales on one dial, each read by a long needle pivoted across the face:
// hydraulic temperature (upper left, degrees Celsius), oil pressure (upper right, bars) and fuel
// pressure (bottom, bars). Each needle keeps its value; the tooltip of the region of the dial
// under the pointer shows that scale's value in the pilot's units.
//
// Reads: tokens 561 (hydraulic temperature, degrees Rankine), 562 (oil pressure) and 899 (fuel
// pressure), pressures in pounds per square foot. Writes: hydraulic_temperature_r,
// oil_pressure_psf, fuel_pressure_psf. Sends no events.
#include "instruments/system_dials.h"
#include "mechanics/needle_dial.h"

namespace triple_indicator {
using namespace crv5;

constexpr uint32_t kHydraulicTemperature = 561;  // degrees Rankine
constexpr uint32_t kOilPressure = 562;           // pounds per square foot
constexpr uint32_t kFuelPressure = 899;          // pounds per square foot

// Dial point for a temperature in degrees Rankine (degrees Celsius in the comments).
NonlinearityEntry temperature_table[] = {
    {.point = {14, 100}, .value = 473.67},  // -10, stop below 0
    {.point = {14, 100}, .value = 491.67},  // 0
    {.point = {40, 38}, .value = 635.67},   // 80
    {.point = {66, 15}, .value = 707.67},   // 120, stop above
    {.point = {66, 15}, .value = 761.67},   // 150
};
// Dial points for pressures in pounds per square foot (bars x 2087.91; bars in the comments).
NonlinearityEntry oil_pressure_table[] = {
    {.point = {124, 17}, .value = 62637.299999999996},  // 30, stop above 20
    {.point = {124, 17}, .value = 41758.2},             // 20
    {.point = {140, 31}, .value = 20879.1},             // 10
    {.point = {177, 101}, .value = 0.0},                // 0, stop below
    {.point = {177, 101}, .value = -10439.55},          // -5
};
NonlinearityEntry fuel_pressure_table[] = {
    {.point = {151, 150}, .value = 10439.55},            // 5, stop above 3.5
    {.point = {151, 150}, .value = 7307.6849999999995},  // 3.5
    {.point = {71, 155}, .value = 2087.91},              // 1
    {.point = {56, 151}, .value = 1043.955},             // 0.5
    {.point = {48, 149}, .value = 417.582},              // 0.2
    {.point = {41, 150}, .value = 0.0},                  // 0, stop below
    {.point = {41, 150}, .value = -2087.91},             // -1
};

// clang-format off
constexpr needle_dials::Needle kNeedles[] = {
    {.position = {144, 116}, .pivot = {0, 2}, .source = kHydraulicTemperature, .callback = keep_value<hydraulic_temperature_r>, .table = temperature_table},
    {.position = {51, 114},  .pivot = {0, 2}, .source = kOilPressure,          .callback = keep_value<oil_pressure_psf>,        .table = oil_pressure_table},
    {.position = {98, 37},   .pivot = {0, 2}, .source = kFuelPressure,         .callback = keep_value<fuel_pressure_psf>,       .table = fuel_pressure_table},
};
// clang-format on

double CRV5_CALL temperature_celsius(CRV5_TOOLTIP_PARAMS) { return celsius_from_rankine(hydraulic_temperature_r); }
double CRV5_CALL oil_pressure_bars(CRV5_TOOLTIP_PARAMS) { return bars_from_psf(oil_pressure_psf); }
double CRV5_CALL fuel_pressure_bars(CRV5_TOOLTIP_PARAMS) { return bars_from_psf(fuel_pressure_psf); }

// Shared by the three regions' tooltips.
const TooltipArg tooltip_args[] = {tooltip_number(temperature_celsius), tooltip_number(oil_pressure_bars),
                                   tooltip_number(fuel_pressure_bars)};
const TooltipText temperature_tooltip = tooltip("Hydraulic temperature (%1!d!\xB0" "C)", tooltip_args);
const TooltipText oil_pressure_tooltip = tooltip("Oil pressure (%2!4.2f! bars)", tooltip_args);
const TooltipText fuel_pressure_tooltip = tooltip("Fuel pressure (%3!4.2f! bars)", tooltip_args);

constexpr needle_dials::Region kRegions[] = {
    {.box = {0, 0, 100, 120}, .tooltip = &temperature_tooltip},     // upper left
    {.box = {100, 0, 100, 120}, .tooltip = &oil_pressure_tooltip},  // upper right
    {.box = {0, 120, 300, 80}, .tooltip = &fuel_pressure_tooltip},  // bottom
};

constexpr needle_dials::Dial kDial = {.gauge = GaugeId::Triple_Indicator, .face = 2440,
                                      .needle = 2450, .glass = 2460, .cover = 2470,
                                      .needles = kNeedles, .regions = kRegions};

}  // namespace triple_indicator

GaugeHeader gauge_Triple_Indicator = crv5::needle_dials::header<triple_indicator::kDial>();
