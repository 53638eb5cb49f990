// Parking_Brake: the parking (emergency) brake handle, a member of the switch family. The
// picture follows the simulator's brake; a click toggles the brake and plays WAVE 20.
//
// Reads: token 323, the parking brake position, larger when applied.
// Writes: parking_brake_locked (on every update of the handle).
// Sends: 0x100d8 (toggle the parking brake) on a click; plays WAVE 20.
#include <iterator>

#include "mechanics/switches.h"
#include "systems/aircraft_state.h"

namespace parking_brake {
using namespace crv5;

constexpr uint32_t kBrakePosition = 323;
constexpr double kBrakeLocked = 16300;         // above: locked
constexpr uint32_t kToggleParkingBrake = 0x100d8;

// State 1 (2201) handle turned, locked; 0 (2200) handle level, released. The element's source is
// the brake position.
double CRV5_CALL brake_rule(ElementIcon* handle) {
  parking_brake_locked = handle->source.value.f > kBrakeLocked ? 1 : 0;
  return parking_brake_locked;
}

const char* CRV5_CALL brake_word(CRV5_TOOLTIP_PARAMS) { return parking_brake_locked != 0 ? "locked" : "released"; }

const TooltipArg tooltip_args[] = {tooltip_text(brake_word)};

}  // namespace parking_brake

namespace crv5::switches {
using namespace parking_brake;

// clang-format off
constexpr family::Member kParkingBrake[] = {
    {.gauge = GaugeId::Parking_Brake, .base = 2190, .picture = 2200, .pictures = 2, .token = kBrakePosition, .rule = brake_rule, .click = {36, 26, 75, 50}, .event = kToggleParkingBrake, .wave = 20, .tooltip = "Parking brake (%1!s!)", .tooltip_args = tooltip_args, .help_id = 43857},
};
// clang-format on

}  // namespace crv5::switches

CRV5_FAMILY_MEMBER(crv5::switches::Switch, crv5::switches::kParkingBrake, Parking_Brake);
