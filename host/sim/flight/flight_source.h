// Where the flight variables come from while the host's model runs: the host's own flight model
// (host/sim/flight/corvane_flight.h) or a live FlightGear (host/sim/flightgear/). The session asks
// its source to move on after the systems model each cycle.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/sim/sim_state.h"

namespace gaugehost {

class FlightSource {
 public:
  virtual ~FlightSource() = default;
  // `seconds` of simulated time pass: the source writes the flight and navigation variables.
  virtual void advance(SimState& sim, double seconds) = 0;
  // One line saying how the source stands ("own flight model", "FlightGear: live ...").
  virtual std::string status() const = 0;
  // A quantity of the source by name (position, true airspeed, DME...), for check files; empty
  // for a name the source does not know.
  virtual std::optional<double> quantity(std::string_view name) const = 0;
};

}  // namespace gaugehost
