// Engine_Off and Engine_On: the start states they apply on connect, the tank capacities they
// record, and the engine automation they both run on every update.
#include <gtest/gtest.h>

#include <vector>

#include "radios/radio_state.h"
#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"

namespace {

using crv5::testing::find_gauge;
using crv5::testing::KeyEvent;
using crv5::testing::TestHost;

GaugeHeader& engine_off() { return *find_gauge("Engine_Off"); }
GaugeHeader& engine_on() { return *find_gauge("Engine_On"); }

void connect(GaugeHeader& gauge) { TestHost::service(gauge, kServiceConnectToWindow); }

// Every radio head and tone switch set to one value, to see what a start state changes.
void set_all_radio_states(int32_t value) {
  for (int32_t* state : {&crv5::adf_power, &crv5::adf_tone, &crv5::com1_power, &crv5::nav1_power,
                         &crv5::nav1_tone, &crv5::nav2_power, &crv5::nav2_tone, &crv5::iff_power})
    *state = value;
}

struct BoardState {
  int32_t ignition_state, ignition_on, start_ready, valve_state, left_pump, right_pump;
  bool operator==(const BoardState&) const = default;
};

BoardState board_state() {
  return {crv5::ignition_switch_state, crv5::ignition_switch_on, crv5::start_ready,
          crv5::fuel_valve_switch_state, crv5::left_fuel_pump_on, crv5::right_fuel_pump_on};
}

void set_board_state(int32_t value) {
  crv5::ignition_switch_state = crv5::ignition_switch_on = crv5::start_ready = value;
  crv5::fuel_valve_switch_state = crv5::left_fuel_pump_on = crv5::right_fuel_pump_on = value;
}

TEST(StartState, CapacitiesInKilogramsKeepTheOldValueWhereTheTankReadsNothing) {
  TestHost host;
  crv5::tank298_capacity_kg = 7;
  crv5::tank294_capacity_kg = 8;
  crv5::external2_capacity_kg = 9;
  host.set(292, 100);
  host.set(298, 0);
  host.set(294, -5);
  host.set(300, 50);
  host.set_calc("(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)", 10);
  host.set(60, 1);
  connect(engine_on());

  EXPECT_NEAR(crv5::tank292_capacity_kg, 299.4469, 1e-4);
  EXPECT_EQ(crv5::tank298_capacity_kg, 7);
  EXPECT_EQ(crv5::tank294_capacity_kg, 8);
  EXPECT_DOUBLE_EQ(crv5::tank300_capacity_kg, 50 * 6.601563 * 0.4536);
  EXPECT_DOUBLE_EQ(crv5::external1_capacity_kg, 10 * 6.601563 * 0.4536);
  EXPECT_EQ(crv5::external2_capacity_kg, 9);
  EXPECT_EQ(std::vector<uint32_t>(host.lookups.begin(), host.lookups.begin() + 4),
            (std::vector<uint32_t>{292, 298, 294, 300}));
  EXPECT_EQ(host.calculations, (std::vector<std::string>{
                                   "(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)",
                                   "(A:FUEL TANK EXTERNAL2 CAPACITY,gallons)"}));
}

TEST(StartState, EngineOffOnTheGroundShutsEverythingDownInOrder) {
  TestHost host;
  set_all_radio_states(1);
  set_board_state(1);
  host.set(60, 1);
  for (uint32_t on : {895u, 560u, 891u, 364u, 565u, 740u}) host.set(on, 1);
  connect(engine_off());

  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x1011c, 0}, {0x103be, 0}, {0x1017f, 0},
                                                {0x10324, 0}, {0x102c1, 0}, {0x1033b, 0},
                                                {0x102f5, 0}, {0x1012c, 0}, {0x10128, 0},
                                                {0x10129, 0}}));
  EXPECT_EQ(std::vector<uint32_t>(host.lookups.begin() + 4, host.lookups.end()),
            (std::vector<uint32_t>{60, 895, 560, 891, 364, 565, 740}));
  EXPECT_EQ(board_state(), (BoardState{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(crv5::adf_power + crv5::adf_tone + crv5::com1_power + crv5::nav1_power +
                crv5::nav1_tone + crv5::nav2_power + crv5::nav2_tone + crv5::iff_power,
            0);
}

TEST(StartState, EngineOffOnTheGroundSwitchesOffOnlyWhatIsOn) {
  TestHost host;
  host.set(60, 0.5);
  host.set(565, -1);   // any value but 0 counts as on
  host.set(740, 0.5);  // only exactly 1 counts as on
  connect(engine_off());
  EXPECT_EQ(host.event_ids(),
            (std::vector<uint32_t>{0x1011c, 0x1033b, 0x1012c, 0x10128, 0x10129}));
}

TEST(StartState, EngineOffInTheAirStartsTheEngineAndLeavesRadiosAndElectricsAlone) {
  TestHost host;
  set_all_radio_states(1);
  set_board_state(3);
  host.set(60, 0);
  host.set(895, 1);
  host.set(891, 1);
  connect(engine_off());
  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x1017f, 16383}}));
  EXPECT_EQ(board_state(), (BoardState{0, 1, 0, 0, 1, 1}));
  EXPECT_EQ(crv5::nav1_power + crv5::com1_power + crv5::adf_tone + crv5::iff_power, 4);

  host.clear_log();
  host.set(895, 0);
  host.set(891, 0);
  connect(engine_off());
  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x103be, 0}, {0x1017f, 16383}, {0x10324, 0}}));
  EXPECT_EQ(std::vector<uint32_t>(host.lookups.begin() + 4, host.lookups.end()),
            (std::vector<uint32_t>{60, 895, 891}));
}

TEST(StartState, EngineOnSwitchesTheRadiosOnAndStartsTheEngineWherever) {
  TestHost host;
  set_all_radio_states(0);
  crv5::adf_tone = crv5::nav1_tone = crv5::nav2_tone = 1;
  set_board_state(2);
  host.set(364, 1);
  connect(engine_on());

  EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x1012c, 0}, {0x10128, 0}, {0x10129, 0},
                                                {0x103be, 0}, {0x1017f, 16383}, {0x10324, 0}}));
  EXPECT_EQ(std::vector<uint32_t>(host.lookups.begin() + 4, host.lookups.end()),
            (std::vector<uint32_t>{895, 891}));  // neither the ground flag nor the electrics
  EXPECT_EQ(board_state(), (BoardState{1, 1, 0, 1, 1, 1}));
  EXPECT_EQ(crv5::adf_power + crv5::com1_power + crv5::nav1_power + crv5::nav2_power +
                crv5::iff_power,
            5);
  EXPECT_EQ(crv5::adf_tone + crv5::nav1_tone + crv5::nav2_tone, 0);
}

TEST(StartState, OtherServicesDoNothing) {
  TestHost host;
  for (int32_t service : {2, 12, 0, 7}) {
    TestHost::service(engine_off(), service);
    TestHost::service(engine_on(), service);
  }
  EXPECT_TRUE(host.lookups.empty());
  EXPECT_TRUE(host.events.empty());
  EXPECT_TRUE(host.calculations.empty());
}

struct AutomationCase {
  double turbine_switch, turbine, throttle, afterburner, afterburner_switch;
  std::vector<uint32_t> events;
};

void run_automation(GaugeHeader& gauge, const AutomationCase& c, TestHost& host) {
  host.clear_log();
  host.set(620, c.turbine_switch);
  host.set(625, c.turbine);
  host.set(558, c.throttle);
  host.set(632, c.afterburner);
  host.set(621, c.afterburner_switch);
  TestHost::service(gauge, kServicePreUpdate);
}

TEST(EngineAutomation, ThresholdsAndExactComparisons) {
  TestHost host;
  const AutomationCase cases[] = {
      {0, 45, 0, 0, 0, {0x10348}},         // switch on at exactly 45 percent
      {0, 44.9, 0, 0, 0, {}},
      {1, 44.9, 0, 0, 0, {0x10348}},       // and off below
      {1, 45, 0, 0, 0, {}},
      {0.5, 10, 0, 0, 0, {}},              // neither 0 nor 1: no toggle either way
      {1, 85, 1.0, 0, 0, {}},              // afterburner needs above 85 percent...
      {1, 85.1, 0.94, 0, 0, {}},           // ...and a throttle above 0.94
      {1, 85.1, 0.95, 0, 0, {0x10337}},
      {1, 90, 0.94, 1, 1, {0x10337}},      // lit: throttle 0.94 puts it out
      {1, 85, 1.0, 1, 1, {0x10337}},       // as does turbine 85
      {1, 90, 1.0, 1, 1, {}},
      {1, 90, 1.0, 0.5, 0, {}},            // an afterburner of 0.5 triggers nothing
      {1, 90, 1.0, 0, 1, {0x10337, 0x1034a}},
  };
  for (const AutomationCase& c : cases) {
    run_automation(engine_off(), c, host);
    EXPECT_EQ(host.event_ids(), c.events)
        << c.turbine_switch << " " << c.turbine << " " << c.throttle << " " << c.afterburner
        << " " << c.afterburner_switch;
  }
  EXPECT_EQ(host.lookups, (std::vector<uint32_t>{620, 625, 558, 632, 621}));  // once each
}

TEST(EngineAutomation, SwitchFollowsTheAfterburnerOneUpdateLaterInBothGauges) {
  TestHost host;
  for (GaugeHeader* gauge : {&engine_off(), &engine_on()}) {
    run_automation(*gauge, {1, 90, 1.0, 0, 0, {}}, host);
    EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x10337}));  // lights the afterburner
    run_automation(*gauge, {1, 90, 1.0, 1, 0, {}}, host);
    EXPECT_EQ(host.event_ids(), (std::vector<uint32_t>{0x1034a}));  // then 621 follows
  }
}

}  // namespace
