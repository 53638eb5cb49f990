// Voltmeter: the main bus voltage, graduated 0 to 30 volts. The needle keeps its value for the
// tooltip.
//
// Reads: token 753, main bus voltage in volts. Writes: bus_voltage_volts. Sends no events.
#include "instruments/system_dials.h"
#include "module/gauges.h"
#include "module/records.h"

namespace voltmeter {
using namespace crv5;

constexpr uint32_t kMainBusVoltage = 753;  // volts

// Dial point for a voltage.
NonlinearityEntry volts_table[] = {
    {.point = {47, 82}, .value = -1.0},   // stop below 0
    {.point = {47, 82}, .value = 0.0},
    {.point = {111, 64}, .value = 20.0},
    {.point = {138, 84}, .value = 30.0},  // stop above
    {.point = {138, 84}, .value = 40.0},
};

extern ElementNeedle pointer;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial  = static_image({.gauge = &gauge_Voltmeter, .bitmap = 4130, .position = {0, 0},                                                                                                .flags = kDialFlags,                                     .next = children<&pointer>});
ElementNeedle pointer    = needle({      .gauge = &gauge_Voltmeter, .bitmap = 4140, .position = {95, 132}, .pivot = {0, 2}, .source = kMainBusVoltage, .callback = keep_value<bus_voltage_volts>, .table = volts_table, .flags = kNeedleFlags, .failures = kEngineNeedleFailures, .next = children<&cover>});
ElementStaticImage cover = static_image({.gauge = &gauge_Voltmeter, .bitmap = 4150, .position = {0, 0},                                                                                                .flags = kCoverFlags});
// clang-format on

double CRV5_CALL volts(CRV5_TOOLTIP_PARAMS) { return bus_voltage_volts; }

const TooltipArg tooltip_args[] = {tooltip_number(volts)};
const TooltipText voltage_tooltip = tooltip("Main bus voltage (%1!4.1f! volts)", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&voltage_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace voltmeter

GaugeHeader gauge_Voltmeter =
    crv5::gauge_header(crv5::GaugeId::Voltmeter, crv5::element_list<&voltmeter::dial>, voltmeter::mouse);
