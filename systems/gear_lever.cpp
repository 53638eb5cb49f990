// Gear_Lever: the landing gear lever. The picture follows the simulator's lever; a click is
// turned into the gear toggle event by the host itself.
//
// Input: token 331, the gear lever position, larger when down.
#include "module/gauges.h"
#include "module/records.h"
#include "systems/lamps.h"

namespace gear_lever {
using namespace crv5;
using namespace crv5::lamps;

constexpr uint32_t kLeverPosition = 331;
constexpr double kLeverDown = 8000;         // from this position on the lever shows down
constexpr uint32_t kToggleGear = 0x10022;   // sent by the host on a click

// State 0 (2310) lever up, 1 (2311) lever down; the element's source is the lever position.
double lever_rule(ElementIcon* lever) { return lever->source.value.f < kLeverDown ? 0 : 1; }

extern ElementIcon lever;

//                        helper          gauge              bitmap  position  source          rule        failures
ElementStaticImage slot = base_image(    &gauge_Gear_Lever, 2300,   children<&lever>);
ElementIcon lever       = two_state_icon(&gauge_Gear_Lever, 2310,   {0, 38},  kLeverPosition, lever_rule, nullptr);

MouseRect mouse[] = {
    mouse_parent({}, 43824),
    mouse_key_child({0, 0, 125, 135}, kCursorHand, kMouseLeftSingle, kToggleGear),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace gear_lever

GaugeHeader gauge_Gear_Lever =
    crv5::gauge_header("Gear_Lever", 40, crv5::element_list<&gear_lever::slot>, gear_lever::mouse);
