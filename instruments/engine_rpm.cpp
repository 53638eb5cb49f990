// Engine_RPM: the turbine tachometer, graduated in RPM. A main pointer turns half a revolution per
// 5000 RPM and a sub-dial pointer half a revolution per 500 RPM; 100 percent is 9137 RPM.
//
// Reads: token 625, turbine speed in percent. Writes nothing module-wide; sends no events.
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace engine_rpm {
using namespace crv5;

constexpr uint32_t kTurbineSpeed = 625;  // percent

// Dial point for a turbine speed in percent.
NonlinearityEntry hundreds_table[] = {
    {.point = {150, 175}, .value = 0.0},       // 12 o'clock of the sub-dial
    {.point = {150, 255}, .value = 5.472256},  // 6 o'clock: 500 RPM
};
NonlinearityEntry main_table[] = {
    {.point = {150, 32}, .value = -1.0},       // stop at 12 o'clock below 0
    {.point = {150, 32}, .value = 0.0},
    {.point = {150, 272}, .value = 54.72256},  // 6 o'clock: 5000 RPM
};

extern ElementNeedle hundreds_pointer;
extern ElementNeedle main_pointer;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial        = static_image({.gauge = &gauge_Engine_RPM, .bitmap = 460, .position = {0, 0},                                                                          .flags = kDialFlags,                                     .next = children<&hundreds_pointer>});
ElementNeedle hundreds_pointer = needle({      .gauge = &gauge_Engine_RPM, .bitmap = 480, .position = {150, 215}, .pivot = {7, 8},   .source = kTurbineSpeed, .table = hundreds_table, .flags = kNeedleFlags, .failures = kEngineNeedleFailures, .next = children<&main_pointer>});
ElementNeedle main_pointer     = needle({      .gauge = &gauge_Engine_RPM, .bitmap = 470, .position = {150, 152}, .pivot = {13, 14}, .source = kTurbineSpeed, .table = main_table,     .flags = kNeedleFlags, .failures = kEngineNeedleFailures, .next = children<&cover>});
ElementStaticImage cover       = static_image({.gauge = &gauge_Engine_RPM, .bitmap = 490, .position = {0, 0},                                                                          .flags = kCoverFlags});
// clang-format on

// RPM = percent x 9137 / 100.
double CRV5_CALL rpm(CRV5_TOOLTIP_PARAMS) { return read_var(kTurbineSpeed) * 9137 / 100; }

const TooltipArg tooltip_args[] = {tooltip_number(rpm)};
const TooltipText rpm_tooltip = tooltip("Turbine tachometer (%1!d! RPM)", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&rpm_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace engine_rpm

GaugeHeader gauge_Engine_RPM =
    crv5::gauge_header(crv5::GaugeId::Engine_RPM, crv5::element_list<&engine_rpm::dial>, engine_rpm::mouse);
