// Fuel_Flow: the fuel flow, graduated 0 to 1650 kilograms per hour, the low end opened out. The
// needle keeps its value for the tooltip, which shows it in kilograms per hour.
//
// Reads: token 638, fuel flow in pounds per hour. Writes: fuel_flow_pph. Sends no events.
#include "instruments/system_dials.h"
#include "module/gauges.h"
#include "module/records.h"

namespace fuel_flow {
using namespace crv5;

constexpr uint32_t kFuelFlow = 638;  // pounds per hour

// Dial point for a flow in pounds per hour (kilograms per hour / 0.4536; kg/h in the comments).
NonlinearityEntry pounds_table[] = {
    {.point = {47, 217}, .value = -1.0},                 // stop below 0
    {.point = {47, 217}, .value = 0.0},                  // 0
    {.point = {82, 53}, .value = 551.1463844797178},     // 250
    {.point = {246, 78}, .value = 1102.2927689594355},   // 500
    {.point = {250, 214}, .value = 3306.8783068783064},  // 1500
    {.point = {231, 236}, .value = 3637.566137566137},   // 1650, stop above
    {.point = {231, 236}, .value = 3968.2539682539677},  // 1800
};

extern ElementNeedle pointer;
extern ElementStaticImage cover;

// Key 20 freezes the needle at its last value; key 2 does nothing.
constexpr const FailureRecord* kFlowNeedleFailures = failures<FailureRecord{20, kFailFreeze}, FailureRecord{2, kFailNone}>;

// clang-format off
ElementStaticImage dial  = static_image({.gauge = &gauge_Fuel_Flow, .bitmap = 2070, .position = {0, 0},                                                                                           .flags = kDialFlags,                                                .next = children<&pointer>});
ElementNeedle pointer    = needle({      .gauge = &gauge_Fuel_Flow, .bitmap = 2080, .position = {150, 150}, .pivot = {10, 10}, .source = kFuelFlow, .callback = keep_value<fuel_flow_pph>, .table = pounds_table, .flags = kNeedleFlags, .failures = kFlowNeedleFailures, .next = children<&cover>});
ElementStaticImage cover = static_image({.gauge = &gauge_Fuel_Flow, .bitmap = 2090, .position = {0, 0},                                                                                           .flags = kCoverFlags});
// clang-format on

double CRV5_CALL kilograms_per_hour(CRV5_TOOLTIP_PARAMS) { return kilograms_from_pounds(fuel_flow_pph); }

const TooltipArg tooltip_args[] = {tooltip_number(kilograms_per_hour)};
const TooltipText flow_tooltip = tooltip("Fuel flow (%1!d! kg/h)", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&flow_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace fuel_flow

GaugeHeader gauge_Fuel_Flow =
    crv5::gauge_header(crv5::GaugeId::Fuel_Flow, crv5::element_list<&fuel_flow::dial>, fuel_flow::mouse);
