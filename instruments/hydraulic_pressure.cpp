// Hydraulic_Pressure: the dial of Fuel_Pressure at ten times the scale, two needles on mirrored
// scales graduated 0 to 30 in tens of bars, each read by the needle pivoted on the opposite side.
// The needles keep their values for the tooltips of the dial's two halves: the left half names
// the main circuit and shows the right needle's pressure; the right half names the auxiliary
// circuit and shows the left needle's pressure times 0.95 (the tooltip only; the needle shows the
// pressure itself).
//
// Reads: tokens 734 (right scale) and 732 (left scale), pressures in pounds per square foot.
// Writes: hydraulic_right_psf, hydraulic_left_psf. Sends no events.
#include "instruments/system_dials.h"
#include "mechanics/needle_dial.h"

namespace hydraulic_pressure {
using namespace crv5;

constexpr uint32_t kRightScalePressure = 734;  // pounds per square foot
constexpr uint32_t kLeftScalePressure = 732;   // pounds per square foot
constexpr double kAuxiliaryTooltipFactor = 0.95;

// Dial points for a pressure in pounds per square foot (bars x 2087.91; bars in the comments).
NonlinearityEntry right_table[] = {
    {.point = {189, 237}, .value = -2087.91},  // -1, stop below 0
    {.point = {189, 237}, .value = 0.0},       // 0
    {.point = {163, 139}, .value = 417582.0},  // 200
    {.point = {187, 60}, .value = 730768.5},   // 350, stop above
    {.point = {187, 60}, .value = 835164.0},   // 400
};
// The mirror image, in clockwise order: from the top of the scale down.
NonlinearityEntry left_table[] = {
    {.point = {112, 63}, .value = 835164.0},   // 400, stop above 350
    {.point = {112, 63}, .value = 730768.5},   // 350
    {.point = {138, 139}, .value = 417582.0},  // 200
    {.point = {111, 235}, .value = 0.0},       // 0, stop below
    {.point = {111, 235}, .value = -2087.91},  // -1
};

// clang-format off
constexpr needle_dials::Needle kNeedles[] = {
    {.position = {250, 150}, .pivot = {0, 3}, .source = kRightScalePressure, .callback = keep_value<hydraulic_right_psf>, .table = right_table},
    {.position = {50, 150},  .pivot = {0, 3}, .source = kLeftScalePressure,  .callback = keep_value<hydraulic_left_psf>,  .table = left_table},
};
// clang-format on

double CRV5_CALL main_circuit_bars(CRV5_TOOLTIP_PARAMS) { return bars_from_psf(hydraulic_right_psf); }
double CRV5_CALL auxiliary_circuit_bars(CRV5_TOOLTIP_PARAMS) {
  return kAuxiliaryTooltipFactor * hydraulic_left_psf / kPsfPerBar;
}

// Shared by both halves' tooltips.
const TooltipArg tooltip_args[] = {tooltip_number(main_circuit_bars), tooltip_number(auxiliary_circuit_bars)};
const TooltipText main_tooltip = tooltip("Hydraulic pressure main circuit (%1!5.2f! bars)", tooltip_args);
const TooltipText auxiliary_tooltip = tooltip("Hydraulic pressure auxiliary circuit (%2!5.2f! bars)", tooltip_args);

constexpr needle_dials::Region kRegions[] = {
    {.box = {0, 0, 150, 300}, .tooltip = &main_tooltip},         // left half
    {.box = {150, 0, 150, 300}, .tooltip = &auxiliary_tooltip},  // right half
};

constexpr needle_dials::Dial kDial = {.gauge = GaugeId::Hydraulic_Pressure, .face = 1020,
                                      .needle = 1030, .cover = 1040, .needles = kNeedles,
                                      .regions = kRegions};

}  // namespace hydraulic_pressure

GaugeHeader gauge_Hydraulic_Pressure = crv5::needle_dials::header<hydraulic_pressure::kDial>();
