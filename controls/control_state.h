// Module-wide state of the cockpit's levers and lamps. Each variable starts at its load value (0)
// when the module loads and is never reset; only the gauge named reads or writes it.
#pragma once

#include <cstdint>

namespace crv5 {

// Flaps_Switch: the spring-loaded lever's picture follows the flaps' movement.
extern double flaps_lever_prev_value;   // token 328 at the previous update
extern int32_t flaps_lever_up_ticks;    // updates left showing the lever pushed up; rests at -1
extern int32_t flaps_lever_down_ticks;  // updates left showing the lever pushed down; rests at -1

// Spoilers_Lever: the notch, 0 to 4, that the lever last commanded.
extern uint32_t spoilers_lever_notch;

// Flaps_Light: the lamp's state at its last update, -1 dark to 2, for its tooltip.
extern int32_t flaps_light_state;

}  // namespace crv5
