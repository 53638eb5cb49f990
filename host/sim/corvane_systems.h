// The Corvane's systems as gaugehost simulates them: every key event of the library answered by
// the event table (host/sim/key_events.h), and the engine, fuel, electrical and hydraulic
// systems, landing gear, flaps, speed brake and drag chute moved on in steps of 1/18 s. The model
// keeps its state in the token variables (host/sim/variables.h), so a check file's `set var` is
// a state it goes on from; only what no variable shows (whether the engine burns, the starter's
// run, the flaps handle's detent) is its own.
//
// A flight model, navaids and scenarios can sit beside it: it reads the flight variables (on the
// ground, outside temperature) and writes only variables of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "host/sim/aircraft_model.h"
#include "host/sim/key_events.h"
#include "host/sim/model_vars.h"

namespace gaugehost {

// The model's numbers (docs/gaugehost.md has them as a table). Times are seconds; a time
// constant is that of a first-order lag (63 % of the way in one constant).
namespace corvane {
inline constexpr double kStepSeconds = 1.0 / 18.0;

// Engine (a single-spool turbojet with afterburner).
inline constexpr double kMotoringSpeed = 25;       // percent the starter alone turns the engine to
inline constexpr double kLightOffSpeed = 12;       // percent from which fuel and sparks light it
inline constexpr double kSelfSustainingSpeed = 45; // percent where the starter cuts out
inline constexpr double kFlameOutSpeed = 10;       // a fire without the starter dies below this
inline constexpr double kIdleSpeed = 62;           // percent at throttle 0
inline constexpr double kFullSpeed = 100;          // percent at throttle 1
inline constexpr double kStarterLag = 3.0;         // starter spin-up toward motoring speed
inline constexpr double kStartLag = 4.0;           // acceleration from light-off to idle
inline constexpr double kThrottleLag = 1.5;        // response to the throttle above idle
inline constexpr double kRundownLag = 6.0;         // spool-down without fire
inline constexpr double kStarterLimit = 45;        // seconds; a start not self-sustaining by then is aborted
inline constexpr double kIdleFuelFlow = 660;       // pounds per hour at idle (300 kg/h)
inline constexpr double kFullFuelFlow = 2650;      // pounds per hour at full dry throttle (1200 kg/h)
inline constexpr double kAfterburnerFuelFlow = 1150; // pounds per hour the afterburner adds
inline constexpr double kAfterburnerSpeed = 85;    // percent above which a selected afterburner burns
inline constexpr double kIdleEgt = 450;            // degrees Celsius
inline constexpr double kFullEgt = 630;
inline constexpr double kLightOffEgt = 570;        // at light-off, falling to idle EGT at idle
inline constexpr double kAfterburnerEgt = 70;      // added while the afterburner burns
inline constexpr double kEgtHeatLag = 1.5;         // while the engine burns
inline constexpr double kEgtCoolLag = 20;          // after it has stopped
inline constexpr double kIdleOilBar = 10;
inline constexpr double kFullOilBar = 16;
inline constexpr double kOilLag = 0.5;
inline constexpr double kBoostPumpBar = 1.6;       // fuel pressure the electric pump gives
inline constexpr double kEnginePumpBar = 2.4;      // engine-driven pump at 100 percent (valve open)
inline constexpr double kFuelPressureLag = 0.3;
inline constexpr double kHydraulicWarmC = 60;      // hydraulic fluid temperature with the engine at idle
inline constexpr double kHydraulicTempLag = 120;
inline constexpr double kFuelPoundsPerGallon = 6.601563;

// Electrical system (28 V DC).
inline constexpr double kBatteryVolts = 24.0;      // the battery on the bus
inline constexpr double kCrankingSag = 2.5;        // volts the battery loses while cranking
inline constexpr double kGeneratorVolts = 28.5;
inline constexpr double kGeneratorCutIn = 40;      // percent: the generator's voltage rises from here
inline constexpr double kGeneratorOnline = 50;     // percent: and is regulated from here
inline constexpr double kPoweredVolts = 20;        // above this a consumer works
inline constexpr double kVoltageLag = 0.1;

// Hydraulics (two engine-driven circuits).
inline constexpr double kHydraulicBar = 210;
inline constexpr double kHydraulicFullSpeed = 40;  // percent from which the pumps give full pressure
inline constexpr double kHydraulicRiseLag = 0.8;
inline constexpr double kHydraulicDecayLag = 4;
inline constexpr double kHydraulicWorkingBar = 100; // below this, surfaces and gear move slower

// Landing gear, flaps, speed brake, drag chute (full travel times at working pressure).
inline constexpr double kNoseGearSeconds = 5.0;
inline constexpr double kLeftGearSeconds = 6.0;
inline constexpr double kRightGearSeconds = 6.5;
inline constexpr int kFlapsDetents = 3;            // up, take-off, approach, landing: 0 to 3
inline constexpr double kFlapsSeconds = 9.0;       // up to landing
inline constexpr double kSpeedBrakeSeconds = 2.0;
inline constexpr double kChuteDeploySeconds = 1.5;
inline constexpr double kChuteDropSeconds = 0.5;
}  // namespace corvane

class CorvaneSystems : public AircraftModel {
 public:
  using Log = std::function<void(const std::string& line)>;
  // `log` takes the model's notes (an event it does not simulate, once each); by default they go
  // to standard error.
  explicit CorvaneSystems(Log log = {});

  void apply_event(SimState& sim, uint32_t event_id, uint32_t value) override;
  void advance(SimState& sim, double seconds) override;

  // What no variable shows.
  bool engine_burning() const { return burning_; }
  bool starter_running() const { return starter_running_; }
  int flaps_detent() const { return flaps_detent_; }

 private:
  ModelVars vars(SimState& sim) { return ModelVars(sim, written_); }
  void note_once(uint32_t event_id, const std::string& why);
  void apply_radio(ModelVars& v, const KeyEventInfo& event, uint32_t value);

  void step(ModelVars& v, double dt);
  // Per system, in the order of a step (host/sim/corvane_engine.cpp, corvane_airframe.cpp).
  void step_electrics(ModelVars& v, double dt);
  void step_starter(ModelVars& v, double dt);
  void step_engine(ModelVars& v, double dt);
  void step_fuel_tanks(ModelVars& v, double dt);
  void step_hydraulics(ModelVars& v, double dt);
  void step_gear(ModelVars& v, double dt);
  void step_surfaces(ModelVars& v, double dt);
  // Flaps or a chute set from outside: the handle's detent or the chute's way taken from them.
  void adopt_flaps(ModelVars& v);
  void adopt_chute(ModelVars& v);
  bool fuel_at_engine(const ModelVars& v) const;
  void start_starter() {
    starter_running_ = true;
    starter_seconds_ = 0;
  }
  double total_fuel_gallons(const ModelVars& v) const;

  Log log_;
  std::set<uint32_t> noted_;    // events already logged
  std::vector<double> written_;  // what the model last wrote, per variable of the table
  bool burning_ = false;
  bool starter_running_ = false;
  double starter_seconds_ = 0;
  int flaps_detent_ = 0;
  bool chute_deploying_ = false;
  double pending_seconds_ = 0;  // time not yet stepped (less than one step)
};

}  // namespace gaugehost
