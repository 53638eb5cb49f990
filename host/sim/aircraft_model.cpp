#include "host/sim/aircraft_model.h"

namespace gaugehost {

// The aircraft model is not written yet: events change nothing and time changes only the clock.
void AircraftModel::apply_event(SimState&, uint32_t, uint32_t) {}

void AircraftModel::advance(SimState& sim, double seconds) { sim.advance_time(seconds); }

}  // namespace gaugehost
