// Spoilers_Position: the speed brake position, from retracted to fully deployed in quarters. The
// needle keeps its value for the tooltip, which names the position in words.
//
// Reads: token 326, speed brake position, 0 retracted to 16384 fully deployed.
// Writes: speed_brake_position. Sends no events.
#include <cmath>
#include <iterator>
#include <limits>

#include "instruments/system_dials.h"
#include "module/gauges.h"
#include "module/records.h"

namespace spoilers_position {
using namespace crv5;

constexpr uint32_t kSpeedBrakePosition = 326;  // 0 to 16384

// Dial point for a position.
NonlinearityEntry position_table[] = {
    {.point = {26, 50}, .value = -1.0},      // stop below retracted
    {.point = {26, 50}, .value = 0.0},       // retracted
    {.point = {49, 36}, .value = 4096.0},    // 1/4
    {.point = {76, 32}, .value = 8192.0},    // 1/2
    {.point = {103, 36}, .value = 12288.0},  // 3/4
    {.point = {127, 50}, .value = 16384.0},  // fully deployed, stop above
    {.point = {127, 50}, .value = 20000.0},
};

extern ElementNeedle pointer;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial  = static_image({.gauge = &gauge_Spoilers_Position, .bitmap = 3340, .position = {0, 0},                                                                                                        .flags = kDialFlags,                                     .next = children<&pointer>});
ElementNeedle pointer    = needle({      .gauge = &gauge_Spoilers_Position, .bitmap = 3350, .position = {76, 101}, .pivot = {28, 6}, .source = kSpeedBrakePosition, .callback = keep_value<speed_brake_position>, .table = position_table, .flags = kNeedleFlags, .failures = kZeroOnFailure20, .next = children<&cover>});
ElementStaticImage cover = static_image({.gauge = &gauge_Spoilers_Position, .bitmap = 3360, .position = {0, 0},                                                                                                        .flags = kCoverFlags});
// clang-format on

// The tooltip's word for a position: the first row whose bound the position does not pass.
struct PositionWord {
  double up_to;      // position, 0 to 16384
  const char* text;
};
constexpr PositionWord kPositionWords[] = {
    {.up_to = 2196, .text = "fully retracted"},
    {.up_to = 6288, .text = "1/4 deployed"},
    {.up_to = 10480, .text = "half deployed"},
    {.up_to = 14672, .text = "3/4 deployed"},
    {.up_to = std::numeric_limits<double>::infinity(), .text = "fully deployed"},
};

const char* CRV5_CALL position_word(CRV5_TOOLTIP_PARAMS) {
  const double v = speed_brake_position;
  if (std::isnan(v)) return "unknown";  // a reading that is no number names no position
  for (const PositionWord& row : kPositionWords)
    if (v <= row.up_to) return row.text;
  return kPositionWords[std::size(kPositionWords) - 1].text;
}

const TooltipArg tooltip_args[] = {tooltip_text(position_word)};
const TooltipText position_tooltip = tooltip("Speed brake position (%1!s!)", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&position_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace spoilers_position

GaugeHeader gauge_Spoilers_Position = crv5::gauge_header(
    crv5::GaugeId::Spoilers_Position, crv5::element_list<&spoilers_position::dial>, spoilers_position::mouse);
