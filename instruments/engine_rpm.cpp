// Engine_RPM: the turbine tachometer, graduated in RPM. A main pointer turns half a revolution per
// 5000 RPM and a sub-dial pointer half a revolution per 500 RPM; 100 percent is 9137 RPM.
//
// Inputs: token 625, turbine speed in percent.
#include "instruments/turbine_dials.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace engine_rpm {
using namespace crv5;
using namespace crv5::turbine;

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

//                                  kind                 bitmap              position              pivot              children
ElementStaticImage dial       = {{.kind = kElementStaticImage, .resource_id = 460, .gauge = &gauge_Engine_RPM, .position = {0, 0},                            .next = children<&hundreds_pointer>, .image_flags = kDialFlags}};
ElementNeedle hundreds_pointer = {.header = {.kind = kElementNeedle, .resource_id = 480, .gauge = &gauge_Engine_RPM, .position = {150, 215}, .pivot = {7, 8},   .next = children<&main_pointer>, .failures = kNeedleFailures, .image_flags = kNeedleFlags},
                                  .source = var(kTurbineSpeed), .table = hundreds_table, .table_size = 2};
ElementNeedle main_pointer    = {.header = {.kind = kElementNeedle, .resource_id = 470, .gauge = &gauge_Engine_RPM, .position = {150, 152}, .pivot = {13, 14}, .next = children<&cover>, .failures = kNeedleFailures, .image_flags = kNeedleFlags},
                                  .source = var(kTurbineSpeed), .table = main_table, .table_size = 3};
ElementStaticImage cover      = {{.kind = kElementStaticImage, .resource_id = 490, .gauge = &gauge_Engine_RPM, .position = {0, 0},                                                                .image_flags = kCoverFlags}};

// RPM = percent x 9137 / 100.
double rpm(CRV5_TOOLTIP_PARAMS) { return read_var(kTurbineSpeed) * 9137 / 100; }

const TooltipArg tooltip_args[] = {tooltip_number(rpm)};
const TooltipText tooltip = {"Turbine tachometer (%1!d! RPM)", tooltip_args, 1};

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&tooltip),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace engine_rpm

GaugeHeader gauge_Engine_RPM =
    crv5::gauge_header("Engine_RPM", 100, crv5::element_list<&engine_rpm::dial>, engine_rpm::mouse);
