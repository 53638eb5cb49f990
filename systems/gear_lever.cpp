// Gear_Lever: the landing gear lever, a member of the switch family. The picture follows the
// simulator's lever; a click is turned into the gear toggle event by the host itself.
//
// Reads: token 331, the gear lever position, larger when down.
// Writes: nothing module-wide. Sends: 0x10022 (toggle the gear lever), by the host on a click.
#include <iterator>

#include "mechanics/switches.h"

namespace gear_lever {

constexpr uint32_t kLeverPosition = 331;
constexpr double kLeverDown = 8000;         // from this position on the lever shows down
constexpr uint32_t kToggleGear = 0x10022;   // sent by the host on a click

// State 0 (2310) lever up, 1 (2311) lever down; the element's source is the lever position.
double CRV5_CALL lever_rule(ElementIcon* lever) { return lever->source.value.f < kLeverDown ? 0 : 1; }

}  // namespace gear_lever

namespace crv5::switches {
using namespace gear_lever;

// clang-format off
constexpr family::Member kGearLever[] = {
    {.gauge = GaugeId::Gear_Lever, .base = 2300, .picture = 2310, .pictures = 2, .position = {0, 38}, .token = kLeverPosition, .rule = lever_rule, .click = {0, 0, 125, 135}, .event = kToggleGear, .help_id = 43824},
};
// clang-format on

}  // namespace crv5::switches

CRV5_FAMILY_MEMBER(crv5::switches::Switch, crv5::switches::kGearLever, Gear_Lever);
