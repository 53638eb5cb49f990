// Turn_Coordinator: a turn needle, a ball in a curved tube and an OFF flag that shows while the
// instrument's supply is 20 volts or less.
//
// Reads: tokens 69 (ball deflection, signed), 70 (turn rate, 256 to a needle unit), 755 (supply,
// volts). Writes nothing module-wide; sends no events.
#include <cmath>

#include "module/gauges.h"
#include "module/records.h"

namespace turn_coordinator {
using namespace crv5;

constexpr uint32_t kBall = 69;         // signed deflection
constexpr uint32_t kTurnRate = 70;     // x 256
constexpr uint32_t kSupply = 755;      // volts
constexpr double kLowestSupply = 20;   // volts: at or below it the OFF flag shows
constexpr int32_t kTurnHelp = 12432;

double CRV5_CALL ball_curve(ElementSlider*);
double CRV5_CALL voltage_rule(ElementIcon*);
double CRV5_CALL divide_by_256(ElementNeedle*);

// Turn rate / 256: 45 degrees either side of 12 o'clock, stops at +-4.5.
NonlinearityEntry turn_table[] = {
    {.point = {87, 156}, .value = -5},
    {.point = {87, 156}, .value = -4.5},
    {.point = {153, 156}, .value = 4.5},
    {.point = {153, 156}, .value = 5},
};

extern ElementSlider ball;
extern ElementStaticImage tube_glass, glass;
extern ElementIcon off_flag;
extern ElementNeedle turn_needle;

// clang-format off
ElementStaticImage dial       = static_image({.gauge = &gauge_Turn_Coordinator, .bitmap = 4010, .position = {0, 0},                                                                                                                                            .flags = kDialFlags,                                                                             .next = children<&ball>});
ElementSlider ball            = slider({      .gauge = &gauge_Turn_Coordinator, .bitmap = 4030, .position = {107, 111}, .x = {.source = kBall, .scale = 0.515625}, .y = {.source = kBall, .callback = ball_curve, .scale = -0.00030517578125},                  .flags = kNeedleFlags,                                                                           .next = children<&tube_glass>});
ElementStaticImage tube_glass = static_image({.gauge = &gauge_Turn_Coordinator, .bitmap = 4060, .position = {97, 103},                                                                                                                                         .flags = kDialFlags,                                                                             .next = children<&off_flag>});
ElementIcon off_flag          = icon({        .gauge = &gauge_Turn_Coordinator, .bitmap = 4040, .position = {79, 64}, .source = kSupply, .callback = voltage_rule, .images = 1,                                                                              .flags = kDialFlags,                                                                             .next = children<&turn_needle>});
ElementNeedle turn_needle     = needle({      .gauge = &gauge_Turn_Coordinator, .bitmap = 4020, .position = {120, 189}, .pivot = {30, 12}, .source = kTurnRate, .callback = divide_by_256, .table = turn_table,                                              .flags = kNeedleFlags, .failures = failures<FailureRecord{18, kFailFreeze}, FailureRecord{20, kFailZero}>, .next = children<&glass>});
ElementStaticImage glass      = static_image({.gauge = &gauge_Turn_Coordinator, .bitmap = 4050, .position = {0, 0},                                                                                                                                            .flags = kCoverFlags});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(nullptr, kTurnHelp),
    mouse_parent_end(),
    mouse_end(),
};

// The square of the deflection: with the negative scale the ball rises toward both ends.
double CRV5_CALL ball_curve(ElementSlider* ball) {
  const double deflection = ball->y.source.value.f;
  return deflection * deflection;
}

// The OFF flag shows (0) at 20 volts or less, hides (-1) above.
// A supply that is no number shows the flag too.
double CRV5_CALL voltage_rule(ElementIcon* flag) { return flag->source.value.f > kLowestSupply ? -1 : 0; }

double CRV5_CALL divide_by_256(ElementNeedle* needle) { return needle->source.value.f * 0.00390625; }

}  // namespace turn_coordinator

GaugeHeader gauge_Turn_Coordinator =
    crv5::gauge_header(crv5::GaugeId::Turn_Coordinator, crv5::element_list<&turn_coordinator::dial>, turn_coordinator::mouse);
