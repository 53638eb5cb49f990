// The host's own flight: the point-mass model, the autopilot and the radio receivers, bound to
// the token variables. Each step of 1/18 s it
//  1. adopts what was set from outside since its last step (a check file's `set var` of altitude,
//     airspeed, heading, pitch, bank, on-ground, or the gyro's set event),
//  2. reads the engine, gear, flaps, speed brake, parachute and brakes from their variables,
//  3. lets the autopilot (if engaged) drive elevator and aileron, else the pilot's controls,
//  4. moves the aircraft on and writes the flight instruments' and receivers' variables.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "host/sim/flight/autopilot.h"
#include "host/sim/flight/flight_model.h"
#include "host/sim/flight/flight_source.h"
#include "host/sim/flight/scenarios.h"
#include "host/sim/nav/navaids.h"
#include "host/sim/nav/radio_receivers.h"

namespace gaugehost::flight {

// The numbers of the instruments' side.
inline constexpr double kStepSeconds = 1.0 / 18.0;
inline constexpr double kGyroDriftDegPerMinute = 0.5;  // the gyro heading creeps right of magnetic
inline constexpr double kStandbyCompassLag = 1.5;      // seconds, the wet compass's swing
inline constexpr double kTurnNeedlePerDegPerSec = 1.5 * 256;  // standard rate (3 deg/s) at 4.5 units

class CorvaneFlight : public FlightSource {
 public:
  // The navigation aids and scenarios of panels/corvane/, read on first use.
  CorvaneFlight();
  CorvaneFlight(nav::NavaidDatabase navaids, ScenarioBook scenarios);

  void advance(SimState& sim, double seconds) override;
  std::string status() const override { return "own flight model"; }
  std::optional<double> quantity(std::string_view name) const override;

  // Puts the aircraft into a scenario: the ramp's settings, then the scenario's own, the
  // variables written at once. Throws HostError for a name the book does not have.
  void apply_scenario(SimState& sim, std::string_view name);
  const ScenarioBook& scenarios();

  // The pilot's controls, held until changed.
  Controls& controls() { return controls_; }
  const FlightState& state() const { return state_; }
  const nav::Receivers& receivers() const { return receivers_; }

 private:
  void load();
  void use(nav::NavaidDatabase navaids, ScenarioBook scenarios);
  void step(SimState& sim, double dt);
  void adopt(SimState& sim);
  // Altitude hold engaged in flight with no altitude selected holds the altitude it finds.
  void select_altitude_to_hold(SimState& sim) const;
  bool set_from_outside(const SimState& sim, uint32_t id) const;
  Configuration configuration(const SimState& sim) const;
  AutopilotSettings autopilot_settings(const SimState& sim) const;
  void write(SimState& sim);
  void put(SimState& sim, uint32_t id, double value);
  void note_progress(bool was_on_ground, double moved_m);
  void apply_settings(SimState& sim, const Scenario& s);
  double setting_level_m(const SimState& sim) const;
  double indicated_altitude_m(const SimState& sim) const;
  double heading_mag() const;

  std::unique_ptr<nav::NavaidDatabase> navaids_;
  std::unique_ptr<ScenarioBook> scenarios_;
  FlightState state_;
  Controls controls_;
  AutopilotState autopilot_;
  nav::Receivers receivers_;
  double gyro_error_ = 0;    // gyro heading - magnetic heading
  double standby_heading_ = 0;
  double pending_ = 0;       // simulated time not yet stepped
  std::map<uint32_t, double> written_;  // what this model last wrote, per variable
  // Progress, for check files: ground distance, lift-off, the markers passed in order.
  double distance_m_ = 0;
  double liftoff_m_ = -1;
  double markers_passed_ = 0;  // the markers' numbers as decimal digits: 123 outer, middle, inner
  nav::MarkerKind last_marker_ = nav::MarkerKind::none;
};

}  // namespace gaugehost::flight
