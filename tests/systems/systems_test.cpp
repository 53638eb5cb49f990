// The logic behind the systems gauges that the check files cannot reach: Engine_Off and Engine_On
// (tank capacities and start states on connect) and the fuel lamps' thresholds and blink phase.
// What each gauge shows, says and plays when clicked, the engine automation, the starter board's
// start-ready rule, the parachute's rules and lever and the gear lamps are driven end to end by
// tests/checks/systems.
#include <gtest/gtest.h>

#include <vector>

#include "mechanics/radio_state.h"
#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"

namespace {

using namespace crv5::testing;
using Events = std::vector<KeyEvent>;
using States = std::vector<int32_t>;

// Connects a start-state gauge.
void connect(TestHost& host, const char* name) {
  host.clear_log();
  TestHost::service(*find_gauge(name), kServiceConnectToWindow);
}

// ADF power and tone, COM1 power, NAV1 power and tone, NAV2 power and tone, IFF power; each set
// to `value` first unless it is -1.
States radios(int32_t value = -1) {
  States states;
  for (int32_t* state : {&crv5::adf_power, &crv5::adf_tone, &crv5::com1_power, &crv5::nav1_power,
                         &crv5::nav1_tone, &crv5::nav2_power, &crv5::nav2_tone, &crv5::iff_power}) {
    if (value != -1) *state = value;
    states.push_back(*state);
  }
  return states;
}

// Ignition state, ignition on, start ready, valve state, left pump, right pump.
States board() {
  return {crv5::ignition_switch_state, crv5::ignition_switch_on, crv5::start_ready,
          crv5::fuel_valve_switch_state, crv5::left_fuel_pump_on, crv5::right_fuel_pump_on};
}

TEST(StartState, EngineOnRecordsCapacitiesPowersTheRadiosAndRunsTheEngine) {
  TestHost host;
  crv5::tank298_capacity_kg = 7;
  crv5::tank294_capacity_kg = 8;
  host.set(292, 100);
  host.set(294, -5);
  host.set_calc("(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)", 10);
  radios(1);
  crv5::com1_power = crv5::iff_power = 0;
  connect(host, "Engine_On");  // on the ground as in the air
  EXPECT_NEAR(crv5::tank292_capacity_kg, 299.4469, 1e-4);
  EXPECT_EQ(crv5::tank298_capacity_kg, 7);  // a tank reading 0 or less keeps its capacity
  EXPECT_EQ(crv5::tank294_capacity_kg, 8);
  EXPECT_NEAR(crv5::external1_capacity_kg, 29.94469, 1e-5);
  EXPECT_EQ(board(), (States{1, 1, 0, 1, 1, 1}));
  EXPECT_EQ(radios(), (States{1, 0, 1, 1, 0, 1, 0, 1}));
}

TEST(StartState, EngineOffShutsDownOnTheGroundInOrderAndRunsTheEngineInTheAir) {
  TestHost host;
  radios(1);
  host.set(60, 1);
  for (uint32_t on : {895u, 560u, 891u, 364u, 565u, 740u}) host.set(on, 1);
  connect(host, "Engine_Off");
  EXPECT_EQ(host.events, (Events{{0x1011c, 0}, {0x103be, 0}, {0x1017f, 0}, {0x10324, 0},
                                 {0x102c1, 0}, {0x1033b, 0}, {0x102f5, 0}, {0x1012c, 0},
                                 {0x10128, 0}, {0x10129, 0}}));
  EXPECT_EQ(board(), States(6, 0));
  EXPECT_EQ(radios(), States(8, 0));

  for (uint32_t off : {895u, 560u, 891u, 364u}) host.set(off, 0);
  host.set(565, -1);   // the generator counts as on unless exactly 0...
  host.set(740, 0.5);  // ...the avionics only at exactly 1
  connect(host, "Engine_Off");
  EXPECT_EQ(host.events, (Events{{0x1011c, 0}, {0x1033b, 0}, {0x1012c, 0}, {0x10128, 0}, {0x10129, 0}}));

  radios(1);  // in the air: radios and electrics left alone, valve and pump opened if closed
  host.set(60, 0);
  connect(host, "Engine_Off");
  EXPECT_EQ(host.events, (Events{{0x103be, 0}, {0x1017f, 16383}, {0x10324, 0}}));
  EXPECT_EQ(board(), (States{0, 1, 0, 0, 1, 1}));
  EXPECT_EQ(radios(), States(8, 1));
}

// Internal tanks of 400 + 100 kg a side, external tanks of 300 kg; fuel switches as at load.
void set_tanks(double left_kg = 0, double right_kg = 0) {
  crv5::tank292_capacity_kg = crv5::tank298_capacity_kg = 400;
  crv5::tank294_capacity_kg = crv5::tank300_capacity_kg = 100;
  crv5::external1_capacity_kg = crv5::external2_capacity_kg = 300;
  crv5::fuel_gauge_all_tanks = crv5::fuel_lamp_test = crv5::fuel_lamp_test_ticks = 0;
  crv5::fuel_blink_enabled = 1;
  crv5::fuel_left_kg = left_kg;
  crv5::fuel_right_kg = right_kg;
}

TEST(FuelLamps, ThresholdsAndBlinkPhase) {
  TestHost host;
  // Fuel left and right (of 1000 kg inside), pressure 899, flow 638 (pph), clock 604; 0 lit.
  const struct { const char* lamp; double left, right, pressure, flow, clock, lit; } cases[] = {
      {"Low_Fuel_Level_Light", 50, 49, 0, 0, 0, 0},        // 9.9 percent
      {"Low_Fuel_Level_Light", 50, 50, 0, 0, 0, -1},       // 10 percent
      {"Low_Fuel_Press_Light", 0, 0, 2402, 0, 0, -1},      // 1.1504 bar
      {"Low_Fuel_Press_Light", 0, 0, 2400, 0, 0, 0},       // 1.1495 bar
      {"Ten_Minutes_Flight_Light", 75.6, 0, 0, 1000, 100.3, 0},     // exactly 10 minutes
      {"Ten_Minutes_Flight_Light", 75.6, 0, 0, 1000, 100.25, -1},   // exactly half the period
      {"Ten_Minutes_Flight_Light", 76.356, 0, 0, 1000, 100.3, -1},  // 10.1 minutes
      {"Ten_Minutes_Flight_Light", 0, 0, 0, 0, 100.3, 0},           // no fuel and no flow
      {"Ten_Minutes_Flight_Light", 0, 0, 0, 0, 100.25, -1},
      {"Ten_Minutes_Flight_Light", 100, 0, 0, 0, 100.3, -1},        // fuel and no flow
  };
  for (const auto& c : cases) {
    set_tanks(c.left, c.right);
    host.set(899, c.pressure);
    host.set(638, c.flow);
    host.set(604, c.clock);
    EXPECT_EQ(icon(c.lamp), c.lit) << "row " << &c - cases;
  }
}

}  // namespace
