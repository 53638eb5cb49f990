// Starter_Board: the guarded switches, the pump interlock, and the start-ready rule with the
// starter button.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"
#include "tests/systems/a_gauge_access.h"

namespace {

using namespace crv5::testing::systems_a;
using crv5::testing::evaluate;
using crv5::testing::find_gauge;
using crv5::testing::KeyEvent;
using crv5::testing::TestHost;
using Ids = std::vector<uint32_t>;

GaugeHeader& board() { return *find_gauge("Starter_Board"); }
enum Area { kIgnition, kFuelValve, kStarter, kLeftPump, kRightPump };  // clickable areas
constexpr int kLampElement = 5;

void reset_switches() {
  crv5::fuel_valve_switch_state = crv5::ignition_switch_state = crv5::ignition_switch_on = 0;
  crv5::left_fuel_pump_on = crv5::right_fuel_pump_on = crv5::start_ready = 0;
}

TEST(StarterBoard, GuardedSwitchesMoveOnlyWithTheGuardOpen) {
  TestHost host;
  reset_switches();
  host.set(895, std::nan(""));
  TestHost::service(board(), kServicePreInstall);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 0);
  click(board(), kFuelValve, kMouseLeftSingle);
  click(board(), kIgnition, kMouseLeftSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state + crv5::ignition_switch_state, 0);
  EXPECT_TRUE(host.events.empty());

  host.set(895, 1);  // the guard opens on the simulator's valve, whatever was shown
  click(board(), kFuelValve, kMouseRightSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 3);
  click(board(), kFuelValve, kMouseLeftSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 2);
  host.set(895, 0);
  click(board(), kFuelValve, kMouseRightSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 0);

  click(board(), kIgnition, kMouseRightSingle);
  click(board(), kIgnition, kMouseLeftSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 2);
  click(board(), kIgnition, kMouseRightSingle);
  click(board(), kIgnition, kMouseRightSingle);  // reopened: still on
  EXPECT_EQ(crv5::ignition_switch_state, 2);
  click(board(), kIgnition, kMouseLeftSingle);
  EXPECT_EQ(crv5::ignition_switch_on, 0);
  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x103be, 0}, {0x1017f, 16383}, {0x1017f, 0}}));
}

TEST(StarterBoard, SimulatorPumpRunsOnlyWithBothSwitchesOn) {
  TestHost host;
  reset_switches();
  click(board(), kLeftPump);
  EXPECT_TRUE(host.events.empty());
  click(board(), kRightPump);
  EXPECT_EQ(host.event_ids(), (Ids{0x10324}));
  host.set(891, 1);
  click(board(), kLeftPump);  // either off stops it
  EXPECT_EQ(host.event_ids(), (Ids{0x10324, 0x10324}));
}

// Valve open, ignition on, both pumps on, throttle 0.2, 24 volts.
void ready_to_start(TestHost& host) {
  reset_switches();
  crv5::ignition_switch_on = crv5::left_fuel_pump_on = crv5::right_fuel_pump_on = 1;
  host.set(895, 1);
  host.set(558, 0.2);
  host.set(759, 24);
}

double lamp_at(TestHost& host, double turbine) {
  host.set(625, turbine);
  return evaluate(icon_at(board(), kLampElement));
}

// Starter events from a click held for two repeats.
size_t starter_events(TestHost& host) {
  host.clear_log();
  click(board(), kStarter, kMouseLeftSingle);
  for (int i = 0; i < 2; ++i) click(board(), kStarter, kMouseLeftSingle | kMouseRepeat);
  for (const KeyEvent& e : host.events) EXPECT_EQ(e, (KeyEvent{0x102fc, 0}));
  return host.events.size();
}

TEST(StarterBoard, LampArmsTheStarterBelow25AndAStartStaysArmedUpTo45) {
  TestHost host;
  ready_to_start(host);
  EXPECT_EQ(starter_events(host), 0u);  // armed only by the lamp's update
  EXPECT_EQ(lamp_at(host, 10), 0);
  EXPECT_EQ(starter_events(host), 3u);
  EXPECT_EQ(lamp_at(host, 30), -1);
  EXPECT_EQ(lamp_at(host, 45), -1);
  EXPECT_EQ(starter_events(host), 3u);  // dark but armed
  EXPECT_EQ(lamp_at(host, 46), -1);
  EXPECT_EQ(starter_events(host), 0u);

  EXPECT_EQ(lamp_at(host, 25), 0);
  host.set(759, 20);
  EXPECT_EQ(starter_events(host), 0u);  // the button too wants above 20 volts
  host.set(895, 0);
  EXPECT_EQ(lamp_at(host, 10), -1);
  EXPECT_EQ(crv5::start_ready, 0);
}

TEST(StarterBoard, StartConditionsAtTheirLimits) {
  TestHost host;
  struct Case { double throttle, volts; int32_t right_pump, ignition_on; double lamp; };
  const Case cases[] = {
      {0.3, 24, 1, 1, 0},  {0.0, 24, 1, 1, 0},   {0.31, 24, 1, 1, -1}, {-0.01, 24, 1, 1, -1},
      {0.2, 20, 1, 1, -1}, {0.2, 20.1, 1, 1, 0}, {0.2, 24, 0, 1, -1},  {0.2, 24, 1, 0, -1},
  };
  for (const Case& c : cases) {
    ready_to_start(host);
    host.set(558, c.throttle);
    host.set(759, c.volts);
    crv5::right_fuel_pump_on = c.right_pump;
    crv5::ignition_switch_on = c.ignition_on;
    host.clear_log();
    EXPECT_EQ(lamp_at(host, 20), c.lamp) << c.throttle << " " << c.volts;
    EXPECT_EQ(crv5::start_ready, c.lamp == 0 ? 1 : 0);
    EXPECT_EQ(host.lookups, (Ids{625, 759, 895, 558}));
  }
}

}  // namespace
