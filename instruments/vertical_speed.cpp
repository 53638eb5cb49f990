// Vertical_Speed: the variometer, graduated in thousands of feet per minute; records only. Zero
// is at 9 o'clock, climb turns the needle clockwise over the top, descent anticlockwise under the
// bottom, and both ends stop near 3 o'clock; the needle turns at most 20 degrees per update.
//
// Reads: token 65 (vertical speed, metres per second x 256). Writes nothing; sends no events.
#include <iterator>

#include "module/gauges.h"
#include "module/records.h"

namespace vertical_speed {
using namespace crv5;

constexpr uint32_t kVerticalSpeed = 65;  // metres per second x 256
constexpr int32_t kVerticalSpeedHelp = 12441;

// Each value is a dial mark in feet per minute in the variable's units: fpm x 256 / 60 / 3.28084.
NonlinearityEntry needle_table[] = {
    {.point = {261, 170}, .value = -11054.07964626945},   // -8500 ft/min
    {.point = {261, 170}, .value = -10403.83966707713},   // -8000
    {.point = {187, 251}, .value = -5201.919833538565},   // -4000
    {.point = {151, 265}, .value = -3901.4398751539243},  // -3000
    {.point = {105, 260}, .value = -2600.9599167692827},  // -2000
    {.point = {60, 221}, .value = -1300.4799583846413},   // -1000
    {.point = {38, 194}, .value = -650.2399791923207},    // -500
    {.point = {30, 151}, .value = 0},                     // 0
    {.point = {38, 108}, .value = 650.2399791923207},     // 500
    {.point = {57, 78}, .value = 1300.4799583846413},     // 1000
    {.point = {105, 43}, .value = 2600.9599167692827},    // 2000
    {.point = {151, 37}, .value = 3901.4398751539243},    // 3000
    {.point = {189, 45}, .value = 5201.919833538565},     // 4000
    {.point = {267, 130}, .value = 10403.83966707713},    // 8000
    {.point = {267, 130}, .value = 11054.07964626945},    // 8500
};
static_assert(std::size(needle_table) == 15);

extern ElementNeedle vsi_needle;
extern ElementStaticImage glass;

// clang-format off
ElementStaticImage dial  = static_image({.gauge = &gauge_Vertical_Speed, .bitmap = 310, .position = {0, 0},                                                                                             .flags = kDialFlags,                                                                           .next = children<&vsi_needle>});
ElementNeedle vsi_needle = needle({      .gauge = &gauge_Vertical_Speed, .bitmap = 320, .position = {151, 151}, .pivot = {7, 7}, .source = kVerticalSpeed, .table = needle_table, .max_turn = 20, .flags = kNeedleFlags, .failures = failures<FailureRecord{19, kFailFreeze}, FailureRecord{3, kFailZero}>, .next = children<&glass>});
ElementStaticImage glass = static_image({.gauge = &gauge_Vertical_Speed, .bitmap = 330, .position = {0, 0},                                                                                             .flags = kCoverFlags});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(nullptr, kVerticalSpeedHelp),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace vertical_speed

GaugeHeader gauge_Vertical_Speed =
    crv5::gauge_header(crv5::GaugeId::Vertical_Speed, crv5::element_list<&vertical_speed::dial>, vertical_speed::mouse);
