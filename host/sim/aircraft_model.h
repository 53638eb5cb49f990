// The seam for the host's aircraft model: what key events do to the simulated aircraft and how it
// moves on with time. With the model off the host calls neither; key events are then only
// recorded (and panel-window events act on the windows).
#pragma once

#include <cstdint>

#include "host/sim/sim_state.h"

namespace gaugehost {

class AircraftModel {
 public:
  virtual ~AircraftModel() = default;
  // A key event sent by a gauge or by a mouse area, acting on the variables.
  virtual void apply_event(SimState& sim, uint32_t event_id, uint32_t value);
  // `seconds` of simulated time pass.
  virtual void advance(SimState& sim, double seconds);
};

}  // namespace gaugehost
