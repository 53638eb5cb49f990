// EGT_Indicator: the exhaust gas temperature, graduated 0 to 800 degrees Celsius. The host draws
// it wholly from its records; the tooltip is the host's own text.
//
// Reads: token 567, exhaust gas temperature in degrees Rankine. Writes nothing module-wide; sends
// no events.
#include "module/gauges.h"
#include "module/records.h"

namespace egt_indicator {
using namespace crv5;

constexpr uint32_t kExhaustGasTemperature = 567;  // degrees Rankine
constexpr int32_t kHelpExhaustGasTemperature = 12512;

// Dial point for a temperature in degrees Rankine (degrees Celsius in the comments).
NonlinearityEntry rankine_table[] = {
    {.point = {33, 115}, .value = 482.67},    // -5, stop below -1
    {.point = {33, 115}, .value = 489.87},    // -1
    {.point = {41, 105}, .value = 491.67},    // 0
    {.point = {141, 60}, .value = 1211.67},   // 400
    {.point = {241, 105}, .value = 1931.67},  // 800, stop above
    {.point = {241, 105}, .value = 2111.67},  // 900
};

extern ElementNeedle pointer;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial = static_image({.gauge = &gauge_EGT_Indicator, .bitmap = 2000, .position = {0, 0},                                                                   .flags = kDialFlags,                                     .next = children<&pointer>});
ElementNeedle pointer   = needle({      .gauge = &gauge_EGT_Indicator, .bitmap = 2010, .position = {141, 195}, .pivot = {0, 5}, .source = kExhaustGasTemperature, .table = rankine_table, .flags = kNeedleFlags, .failures = kEngineNeedleFailures, .next = children<&cover>});
ElementStaticImage cover = static_image({.gauge = &gauge_EGT_Indicator, .bitmap = 2020, .position = {0, 0},                                                                  .flags = kCoverFlags});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(nullptr, kHelpExhaustGasTemperature),  // the host's own text
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace egt_indicator

GaugeHeader gauge_EGT_Indicator = crv5::gauge_header(
    crv5::GaugeId::EGT_Indicator, crv5::element_list<&egt_indicator::dial>, egt_indicator::mouse);
