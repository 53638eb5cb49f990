// Engine_Off and Engine_On: the start-state gauges. Neither shows an instrument (one static image,
// no mouse areas); a panel places one of them to choose how the aircraft starts. Each time the
// gauge is connected to its window it records the fuel-tank capacities and applies its start
// state: Engine_Off shuts everything down on the ground and sets the engine running in the air,
// Engine_On sets the engine running with the radios on. On every update both run the same engine
// automation, which keeps switches 620 and 621 and the afterburner in step with the turbine speed
// and the throttle.
//
// Reads: tokens 60 (on ground, above 0), 292/294/298/300 (internal tank capacities, gallons),
// 364 (battery master), 558 (throttle, 0 to 1), 560 (fuel lever), 565 (generator), 620 and 621
// (engine switches), 625 (turbine speed, percent), 632 (afterburner, 0/1), 740 (avionics master),
// 891 (fuel pump), 895 (fuel valve); the external tank capacities by calculator expression.
// Writes: the six tank capacities, the starter-board states (ignition_switch_state,
// ignition_switch_on, start_ready, fuel_valve_switch_state, left_fuel_pump_on,
// right_fuel_pump_on) and the radio power and tone states, on connect.
// Sends: 0x1011c, 0x103be, 0x1017f, 0x10324, 0x102c1, 0x1033b, 0x102f5 and the ident-off events
// 0x1012c, 0x10128, 0x10129 on connect; 0x10348, 0x10337, 0x1034a from the engine automation.
#include <iterator>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "mechanics/radio_state.h"
#include "systems/aircraft_state.h"
#include "systems/engine_controls.h"

namespace engine_start {
using namespace crv5;
using namespace crv5::engine;

// Token variables.
constexpr uint32_t kBatteryMaster = 364;
constexpr uint32_t kFuelLever = 560;
constexpr uint32_t kGenerator = 565;
constexpr uint32_t kTurbineSwitch = 620;      // kept on from 45 percent turbine speed
constexpr uint32_t kAfterburnerSwitch = 621;  // kept equal to the afterburner state
constexpr uint32_t kAfterburner = 632;        // 0 or 1
constexpr uint32_t kAvionicsMaster = 740;

// Key events.
constexpr uint32_t kSetThrottle = 0x1011c;
constexpr uint32_t kToggleBattery = 0x102c1;
constexpr uint32_t kToggleGenerator = 0x1033b;
constexpr uint32_t kToggleAvionics = 0x102f5;
constexpr uint32_t kAdfIdentOff = 0x1012c;
constexpr uint32_t kNav1IdentOff = 0x10128;
constexpr uint32_t kNav2IdentOff = 0x10129;
constexpr uint32_t kToggleTurbineSwitch = 0x10348;
constexpr uint32_t kToggleAfterburner = 0x10337;
constexpr uint32_t kToggleAfterburnerSwitch = 0x1034a;

// Gallons to pounds to kilograms, multiplied in that order.
constexpr double kPoundsPerGallon = 6.601563;
constexpr double kKilogramsPerPound = 0.4536;

// The records of one start-state gauge; each gauge has its own, naming its header.
template <GaugeHeader* Gauge>
struct StartStateRecords {
  static inline ElementStaticImage plate = static_image({.gauge = Gauge, .bitmap = 60, .position = {0, 0}, .flags = kCoverFlags});

  static inline MouseRect mouse[] = {
      mouse_parent(),
      mouse_parent_end(),
      mouse_end(),
  };
};

using EngineOffRecords = StartStateRecords<&gauge_Engine_Off>;
using EngineOnRecords = StartStateRecords<&gauge_Engine_On>;

// --- Capacities ---------------------------------------------------------------------------------

// Stores the capacities in kilograms; a capacity of 0 or below leaves its variable as it was.
void record_capacities() {
  double gallons[6] = {};
  gallons[0] = read_var(292);
  gallons[1] = read_var(298);
  gallons[2] = read_var(294);
  gallons[3] = read_var(300);
  calculate("(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)", &gallons[4]);
  calculate("(A:FUEL TANK EXTERNAL2 CAPACITY,gallons)", &gallons[5]);

  double* const kilograms[] = {&tank292_capacity_kg, &tank298_capacity_kg, &tank294_capacity_kg,
                               &tank300_capacity_kg, &external1_capacity_kg, &external2_capacity_kg};
  static_assert(std::size(kilograms) == std::size(gallons));
  for (size_t i = 0; i < std::size(gallons); ++i) {
    if (gallons[i] > 0) *kilograms[i] = gallons[i] * kPoundsPerGallon * kKilogramsPerPound;
  }
}

// --- Start states -------------------------------------------------------------------------------

// The starter board's switches as a start state leaves them; the starter is always disarmed.
struct StarterBoardSetting {
  int32_t ignition_state;
  int32_t ignition_on;
  int32_t fuel_valve_state;
  int32_t pumps_on;
};

void set_starter_board(const StarterBoardSetting& setting) {
  ignition_switch_state = setting.ignition_state;
  ignition_switch_on = setting.ignition_on;
  start_ready = 0;
  fuel_valve_switch_state = setting.fuel_valve_state;
  left_fuel_pump_on = setting.pumps_on;
  right_fuel_pump_on = setting.pumps_on;
}

// Every radio head on or off, every tone off, every receiver's ident audio off.
void set_radios(int32_t power) {
  adf_power = power;
  adf_tone = 0;
  send_event(kAdfIdentOff);
  com1_power = power;
  nav1_power = power;
  nav1_tone = 0;
  send_event(kNav1IdentOff);
  nav2_power = power;
  nav2_tone = 0;
  send_event(kNav2IdentOff);
  iff_power = power;
}

// Opens the fuel valve and the pump where they are closed, and the fuel lever.
void open_fuel_supply() {
  if (read_var(kFuelValve) == 0.0) send_event(kToggleFuelValve);
  send_event(kSetFuelLever, kFuelLeverOpen);
  if (read_var(kFuelPump) == 0.0) send_event(kToggleFuelPump);
}

// Cold and dark: throttle closed, fuel shut off, electrics and radios off.
void shut_down_on_ground() {
  send_event(kSetThrottle, 0);
  if (read_var(kFuelValve) > 0) send_event(kToggleFuelValve);
  if (read_var(kFuelLever) > 0) send_event(kSetFuelLever, kFuelLeverCutOff);
  if (read_var(kFuelPump) > 0) send_event(kToggleFuelPump);
  set_starter_board({.ignition_state = 0, .ignition_on = 0, .fuel_valve_state = 0, .pumps_on = 0});
  if (read_var(kBatteryMaster) > 0) send_event(kToggleBattery);
  if (read_var(kGenerator) != 0.0) send_event(kToggleGenerator);
  if (read_var(kAvionicsMaster) == 1.0) send_event(kToggleAvionics);
  set_radios(0);
}

// Engine_Off: cold and dark on the ground; in the air the engine runs and the radios, battery,
// generator and avionics are left as they are.
void apply_engine_off_state() {
  if (read_var(kOnGround) > 0) {
    shut_down_on_ground();
    return;
  }
  open_fuel_supply();
  set_starter_board({.ignition_state = 0, .ignition_on = 1, .fuel_valve_state = 0, .pumps_on = 1});
}

// Engine_On: radios on and the engine running, wherever the aircraft is; battery, generator and
// avionics are left as they are.
void apply_engine_on_state() {
  set_radios(1);
  open_fuel_supply();
  set_starter_board({.ignition_state = 1, .ignition_on = 1, .fuel_valve_state = 1, .pumps_on = 1});
}

// --- Engine automation --------------------------------------------------------------------------

// Each token is read once; every test uses the values read at the start, so switch 621 follows a
// change of the afterburner one update later.
void run_engine_automation() {
  const double turbine_switch = read_var(kTurbineSwitch);
  const double turbine = read_var(kTurbineSpeed);
  const double throttle = read_var(kThrottle);
  const double afterburner = read_var(kAfterburner);
  const double afterburner_switch = read_var(kAfterburnerSwitch);

  if (turbine_switch == 0.0 && turbine >= 45) send_event(kToggleTurbineSwitch);
  if (turbine_switch == 1.0 && turbine < 45) send_event(kToggleTurbineSwitch);
  if (afterburner == 0.0 && turbine > 85 && throttle > 0.94) send_event(kToggleAfterburner);
  if (afterburner == 1.0 && (turbine <= 85 || throttle <= 0.94)) send_event(kToggleAfterburner);
  if (afterburner == 1.0 && afterburner_switch == 0.0) send_event(kToggleAfterburnerSwitch);
  if (afterburner == 0.0 && afterburner_switch == 1.0) send_event(kToggleAfterburnerSwitch);
}

// --- Gauge callbacks ----------------------------------------------------------------------------

// Shared by both gauges: the start state on connect, the automation on every update.
template <void (*ApplyStartState)()>
void CRV5_CALL start_state_service(GaugeHeader*, int32_t service_id, uintptr_t) {
  if (service_id == kServiceConnectToWindow) {
    record_capacities();
    ApplyStartState();
  } else if (service_id == kServicePreUpdate) {
    run_engine_automation();
  }
}

}  // namespace engine_start

GaugeHeader gauge_Engine_Off = crv5::gauge_header(
    crv5::GaugeId::Engine_Off, crv5::element_list<&engine_start::EngineOffRecords::plate>,
    engine_start::EngineOffRecords::mouse,
    engine_start::start_state_service<engine_start::apply_engine_off_state>);
GaugeHeader gauge_Engine_On = crv5::gauge_header(
    crv5::GaugeId::Engine_On, crv5::element_list<&engine_start::EngineOnRecords::plate>,
    engine_start::EngineOnRecords::mouse,
    engine_start::start_state_service<engine_start::apply_engine_on_state>);
