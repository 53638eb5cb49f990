// Starter_Board: its records, the guarded switches, the pump interlock, the start-ready rule and
// the starter button, and the switch tooltips.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
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

GaugeHeader& board() { return *find_gauge("Starter_Board"); }

// Child areas in list order.
enum Area { kIgnition, kFuelValve, kStarter, kLeftPump, kRightPump };
// Elements in draw order.
enum Element { kBoard, kRightPumpIcon, kLeftPumpIcon, kValveIcon, kIgnitionIcon, kLamp, kButton };

void reset_switches() {
  crv5::fuel_valve_switch_state = crv5::ignition_switch_state = crv5::ignition_switch_on = 0;
  crv5::left_fuel_pump_on = crv5::right_fuel_pump_on = crv5::start_ready = 0;
}

TEST(StarterBoard, ElementChainAndMouseList) {
  struct Row { int32_t kind, bitmap, x, y, images; uint32_t source, flags; bool failure_21_zero; };
  const Row rows[] = {
      {kElementStaticImage, 4210, 0, 0, 0, 0, 0x3, false},
      {kElementIcon, 4240, 159, 117, 2, 891, 0x3, true},
      {kElementIcon, 4240, 37, 117, 2, 891, 0x3, true},
      {kElementIcon, 4220, 33, 42, 4, 895, 0x3, false},
      {kElementIcon, 4250, 56, 205, 3, 0, 0x3, false},
      {kElementIcon, 4230, 180, 47, 1, 625, 0x7, true},
      {kElementIcon, 4260, 97, 201, 2, 563, 0x3, true},
  };
  auto chain = element_chain(board());
  ASSERT_EQ(chain.size(), std::size(rows));
  for (size_t i = 0; i < chain.size(); ++i) {
    const Row& r = rows[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(chain[i]->kind, r.kind);
    EXPECT_EQ(chain[i]->resource_id, r.bitmap);
    EXPECT_EQ(chain[i]->position.x, r.x);
    EXPECT_EQ(chain[i]->position.y, r.y);
    EXPECT_EQ(chain[i]->image_flags, r.flags);
    EXPECT_EQ(chain[i]->gauge, &board());
    EXPECT_EQ(chain[i]->failures != nullptr, r.failure_21_zero);
    if (r.failure_21_zero) {
      EXPECT_EQ(chain[i]->failures[0].key, 21);
      EXPECT_EQ(chain[i]->failures[0].action, kFailZero);
      EXPECT_EQ(chain[i]->failures[1].key, 0);
    }
    if (i == 0) continue;
    EXPECT_EQ(icon_at(board(), i).image_count, r.images);
    EXPECT_EQ(icon_at(board(), i).source.id, r.source);
    EXPECT_EQ(icon_at(board(), i).callback == nullptr, i == kButton);
  }

  // Six nested parents, then five hand-cursor children.
  std::vector<int32_t> kinds;
  for (MouseRect* r = board().mouse_rects; r->kind != kMouseEnd; ++r) kinds.push_back(r->kind);
  EXPECT_EQ(kinds, (std::vector<int32_t>{1, 1, 4, 3, 1, 4, 3, 1, 4, 3, 1, 4, 3, 1, 3, 1, 3,
                                         2, 2, 2, 2, 2, 3}));
  EXPECT_EQ(board().mouse_rects[13].help_id, 42060);
  EXPECT_EQ(board().mouse_rects[15].help_id, 43877);
  const uint32_t flags[] = {0xa0000000, 0xa0000000, 0x20200000, 0x20000000, 0x20000000};
  const int32_t xs[] = {56, 33, 97, 37, 159};
  auto areas = child_areas(board());
  for (size_t i = 0; i < areas.size(); ++i) {
    EXPECT_EQ(areas[i]->mouse_flags, flags[i]);
    EXPECT_EQ(areas[i]->box.x, xs[i]);
    EXPECT_EQ(areas[i]->cursor, kCursorHand);
    EXPECT_EQ(areas[i]->event_id, 0u);
  }
}

TEST(StarterBoard, PreInstallShowsTheSimulatorsValveWithTheGuardClosed) {
  TestHost host;
  crv5::fuel_valve_switch_state = 3;
  host.set(895, 1);
  TestHost::service(board(), kServicePreInstall);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 1);
  host.set(895, std::nan(""));
  TestHost::service(board(), kServicePreInstall);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 0);
  TestHost::service(board(), kServicePreUpdate);
  TestHost::service(board(), kServiceConnectToWindow);
  EXPECT_EQ(host.lookups.size(), 2u);
}

TEST(StarterBoard, FuelValveGuardAndSwitch) {
  TestHost host;
  reset_switches();
  host.set(895, 1);                       // the simulator's valve is open
  click(board(), kFuelValve, kMouseLeftSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 0);  // guard closed: nothing
  EXPECT_TRUE(host.events.empty());

  EXPECT_FALSE(click(board(), kFuelValve, kMouseRightSingle));
  EXPECT_EQ(crv5::fuel_valve_switch_state, 3);  // opened, showing the simulator's "on"
  click(board(), kFuelValve, kMouseLeftSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 2);
  host.set(895, 0);
  click(board(), kFuelValve, kMouseLeftSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 3);
  EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x103be, 0x103be}));
  click(board(), kFuelValve, kMouseRightSingle);
  EXPECT_EQ(crv5::fuel_valve_switch_state, 0);  // closed, showing the simulator's "off"
  EXPECT_EQ(evaluate(icon_at(board(), kValveIcon)), 0);
}

TEST(StarterBoard, IgnitionGuardKeepsTheSwitchPosition) {
  TestHost host;
  reset_switches();
  click(board(), kIgnition, kMouseLeftSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 0);
  EXPECT_TRUE(host.events.empty());

  click(board(), kIgnition, kMouseRightSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 1);
  click(board(), kIgnition, kMouseLeftSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 2);
  EXPECT_EQ(crv5::ignition_switch_on, 1);
  click(board(), kIgnition, kMouseRightSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 0);
  EXPECT_EQ(evaluate(icon_at(board(), kIgnitionIcon)), 0);
  click(board(), kIgnition, kMouseRightSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 2);     // reopened, still on
  click(board(), kIgnition, kMouseLeftSingle);
  EXPECT_EQ(crv5::ignition_switch_state, 1);
  EXPECT_EQ(crv5::ignition_switch_on, 0);
  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x1017f, 16383}, {0x1017f, 0}}));
}

TEST(StarterBoard, SimulatorPumpRunsOnlyWithBothSwitchesOn) {
  TestHost host;
  reset_switches();
  click(board(), kLeftPump);
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(evaluate(icon_at(board(), kLeftPumpIcon)), 1);
  EXPECT_EQ(evaluate(icon_at(board(), kRightPumpIcon)), 0);
  click(board(), kRightPump);
  EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x10324}));

  host.clear_log();
  host.set(891, 1);
  click(board(), kRightPump);   // either switch off stops it
  EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x10324}));
  host.clear_log();
  host.set(891, 0.5);           // neither exactly 0 nor 1: no toggle
  click(board(), kLeftPump);
  click(board(), kLeftPump);
  click(board(), kRightPump);
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(host.lookups, (std::vector<uint32_t>{891, 891, 891}));
}

// The valve open, ignition on, both pumps on, throttle 0.2, 24 volts.
void ready_to_start(TestHost& host) {
  reset_switches();
  crv5::ignition_switch_on = 1;
  crv5::left_fuel_pump_on = crv5::right_fuel_pump_on = 1;
  host.set(895, 1);
  host.set(558, 0.2);
  host.set(759, 24);
}

double lamp_at(TestHost& host, double turbine) {
  host.set(625, turbine);
  return evaluate(icon_at(board(), kLamp));
}

int starter_events_while_held(TestHost& host, int repeats) {
  host.clear_log();
  click(board(), kStarter, kMouseLeftSingle);
  for (int i = 0; i < repeats; ++i) click(board(), kStarter, kMouseLeftSingle | kMouseRepeat);
  for (const KeyEvent& e : host.events) EXPECT_EQ(e, (KeyEvent{0x102fc, 0}));
  return static_cast<int>(host.events.size());
}

TEST(StarterBoard, StartReadyArmsBelow25AndHoldsUpTo45) {
  TestHost host;
  ready_to_start(host);
  EXPECT_EQ(starter_events_while_held(host, 2), 0);  // not armed before the lamp is updated
  EXPECT_EQ(lamp_at(host, 10), 0);
  EXPECT_EQ(starter_events_while_held(host, 2), 3);
  EXPECT_EQ(lamp_at(host, 30), -1);
  EXPECT_EQ(starter_events_while_held(host, 0), 1);   // dark but still armed
  EXPECT_EQ(lamp_at(host, 45), -1);
  EXPECT_EQ(crv5::start_ready, 1);
  EXPECT_EQ(lamp_at(host, 46), -1);
  EXPECT_EQ(starter_events_while_held(host, 2), 0);

  ready_to_start(host);
  EXPECT_EQ(lamp_at(host, 25), 0);
  host.set(759, 20);
  EXPECT_EQ(starter_events_while_held(host, 0), 0);   // the button wants above 20 volts too
  host.set(895, 0);
  EXPECT_EQ(lamp_at(host, 10), -1);                   // the valve shut disarms
  EXPECT_EQ(crv5::start_ready, 0);
}

TEST(StarterBoard, StartConditionsAtTheirLimits) {
  TestHost host;
  struct Case { double throttle, voltage; int32_t right_pump, ignition_on; double lamp; };
  const Case cases[] = {
      {0.3, 24, 1, 1, 0},  {0.0, 24, 1, 1, 0},   {0.31, 24, 1, 1, -1}, {-0.01, 24, 1, 1, -1},
      {0.2, 20, 1, 1, -1}, {0.2, 20.1, 1, 1, 0}, {0.2, 24, 0, 1, -1},  {0.2, 24, 1, 0, -1},
  };
  for (const Case& c : cases) {
    ready_to_start(host);
    host.set(558, c.throttle);
    host.set(759, c.voltage);
    crv5::right_fuel_pump_on = c.right_pump;
    crv5::ignition_switch_on = c.ignition_on;
    EXPECT_EQ(lamp_at(host, 20), c.lamp) << c.throttle << " " << c.voltage;
    EXPECT_EQ(crv5::start_ready, c.lamp == 0 ? 1 : 0);
  }
  host.clear_log();
  lamp_at(host, 20);
  EXPECT_EQ(host.lookups, (std::vector<uint32_t>{625, 759, 895, 558}));
}

TEST(StarterBoard, TooltipsNameEachSwitchPosition) {
  auto tips = tooltips(board());
  ASSERT_EQ(tips.size(), 4u);
  EXPECT_STREQ(tips[0]->text, "Ignition switch (%1!s!)");
  EXPECT_STREQ(tips[1]->text, "Left fuel pump switch (%2!s!)");
  EXPECT_STREQ(tips[2]->text, "Right fuel pump switch (%3!s!)");
  EXPECT_STREQ(tips[3]->text, "Fuel valve switch (%4!s!)");
  for (const TooltipText* tip : tips) EXPECT_EQ(tip->arg_count, 4);

  const std::pair<int32_t, const char*> ignition[] = {
      {0, "protected and off"}, {1, "off"}, {2, "on"}, {7, "protected"}};
  for (auto [state, text] : ignition) {
    crv5::ignition_switch_state = state;
    crv5::ignition_switch_on = 0;
    EXPECT_EQ(tooltip_text_arg(*tips[0], 1), text);
  }
  crv5::ignition_switch_state = 0;
  crv5::ignition_switch_on = 1;
  EXPECT_EQ(tooltip_text_arg(*tips[0], 1), "protected and on");

  const char* valve[] = {"protected and off", "protected and on", "off", "on", "protected"};
  for (int32_t state = 0; state < 5; ++state) {
    crv5::fuel_valve_switch_state = state;
    EXPECT_EQ(tooltip_text_arg(*tips[3], 4), valve[state]);
  }
  crv5::left_fuel_pump_on = 2;
  crv5::right_fuel_pump_on = 0;
  EXPECT_EQ(tooltip_text_arg(*tips[1], 2), "on");
  EXPECT_EQ(tooltip_text_arg(*tips[2], 3), "off");
}

}  // namespace
