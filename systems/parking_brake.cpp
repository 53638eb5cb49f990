// Parking_Brake: the parking (emergency) brake handle. The picture follows the simulator's
// brake; a click toggles the brake and plays WAVE 20.
//
// Input: token 323, the parking brake position, larger when applied.
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "sound/sound_player.h"
#include "systems/aircraft_state.h"
#include "systems/lamps.h"

namespace parking_brake {
using namespace crv5;
using namespace crv5::lamps;

constexpr uint32_t kBrakePosition = 323;
constexpr double kBrakeLocked = 16300;         // above: locked
constexpr uint32_t kToggleParkingBrake = 0x100d8;

sound::GaugeSound brake_sound{.wave_id = 20};

// State 1 (2201) handle turned, locked; 0 (2200) handle level, released. The element's source is
// the brake position.
double brake_rule(ElementIcon* handle) {
  parking_brake_locked = handle->source.value.f > kBrakeLocked ? 1 : 0;
  return parking_brake_locked;
}

extern ElementIcon handle;

//                         helper          gauge                 bitmap  position  source          rule        failures
ElementStaticImage base = base_image(    &gauge_Parking_Brake, 2190,   children<&handle>);
ElementIcon handle      = two_state_icon(&gauge_Parking_Brake, 2200,   {0, 0},   kBrakePosition, brake_rule, nullptr);

const char* brake_word(CRV5_TOOLTIP_PARAMS) { return parking_brake_locked != 0 ? "locked" : "released"; }

const TooltipArg tooltip_args[] = {tooltip_text(brake_word)};
const TooltipText tooltip = {"Parking brake (%1!s!)", tooltip_args, 1};

bool handle_click(ClickRecord*, uint32_t) {
  send_event(kToggleParkingBrake, 0);
  sound::gauge_sound_play(brake_sound);
  return false;
}

MouseRect mouse[] = {
    mouse_parent({}, 43857),
    mouse_tooltip(&tooltip),
    mouse_child({36, 26, 75, 50}, kCursorHand, kMouseLeftSingle, handle_click),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace parking_brake

GaugeHeader gauge_Parking_Brake =
    crv5::gauge_header("Parking_Brake", 80, crv5::element_list<&parking_brake::base>,
                       parking_brake::mouse,
                       crv5::sound::gauge_sound_callback<&parking_brake::brake_sound>);
