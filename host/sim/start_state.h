// The state the host's aircraft starts from when nothing else is said: cold and dark on the ramp.
#pragma once

#include "host/sim/sim_state.h"

namespace gaugehost {

// Cold and dark on the ramp: on the ground at 15 degrees Celsius and 1013 millibars, the engine
// stopped, every switch off, the tanks full, the gear down, the parking brake set, the radios on
// their lowest channels and the transponder on 1200.
void set_ramp_state(SimState& sim);

}  // namespace gaugehost
