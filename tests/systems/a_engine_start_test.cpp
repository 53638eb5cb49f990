// Engine_Off and Engine_On: the tank capacities and start states applied on connect, and the
// engine automation both run on every update.
#include <gtest/gtest.h>

#include <vector>

#include "radios/radio_state.h"
#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"

namespace {

using crv5::testing::find_gauge;
using crv5::testing::KeyEvent;
using crv5::testing::TestHost;
using Events = std::vector<KeyEvent>;
using Ids = std::vector<uint32_t>;
using States = std::vector<int32_t>;

// Connects a start-state gauge; the token reads after the capacity step's four.
Ids connect(TestHost& host, const char* gauge) {
  host.clear_log();
  TestHost::service(*find_gauge(gauge), kServiceConnectToWindow);
  return Ids(host.lookups.begin() + 4, host.lookups.end());
}

// ADF power and tone, COM1 power, NAV1 power and tone, NAV2 power and tone, IFF power.
int32_t* const kRadios[] = {&crv5::adf_power, &crv5::adf_tone,  &crv5::com1_power,
                            &crv5::nav1_power, &crv5::nav1_tone, &crv5::nav2_power,
                            &crv5::nav2_tone, &crv5::iff_power};
States radios() {
  States states;
  for (int32_t* state : kRadios) states.push_back(*state);
  return states;
}
void set_radios(int32_t value) {
  for (int32_t* state : kRadios) *state = value;
}

// Ignition state, ignition on, start ready, valve state, left pump, right pump.
States board() {
  return {crv5::ignition_switch_state, crv5::ignition_switch_on, crv5::start_ready,
          crv5::fuel_valve_switch_state, crv5::left_fuel_pump_on, crv5::right_fuel_pump_on};
}

TEST(StartState, CapacitiesInKilogramsKeepTheirValueWhereATankReadsNothing) {
  TestHost host;
  crv5::tank298_capacity_kg = 7;
  crv5::tank294_capacity_kg = 8;
  host.set(292, 100);
  host.set(294, -5);
  host.set_calc("(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)", 10);
  connect(host, "Engine_On");
  EXPECT_NEAR(crv5::tank292_capacity_kg, 299.4469, 1e-4);
  EXPECT_EQ(crv5::tank298_capacity_kg, 7);
  EXPECT_EQ(crv5::tank294_capacity_kg, 8);
  EXPECT_NEAR(crv5::external1_capacity_kg, 29.94469, 1e-5);
  EXPECT_EQ(Ids(host.lookups.begin(), host.lookups.begin() + 4), (Ids{292, 298, 294, 300}));
  EXPECT_EQ(host.calculations.size(), 2u);
}

TEST(StartState, EngineOffOnTheGroundShutsDownWhatIsOnInOrder) {
  TestHost host;
  set_radios(1);
  host.set(60, 1);
  for (uint32_t on : {895u, 560u, 891u, 364u, 565u, 740u}) host.set(on, 1);
  EXPECT_EQ(connect(host, "Engine_Off"), (Ids{60, 895, 560, 891, 364, 565, 740}));
  EXPECT_EQ(host.events, (Events{{0x1011c, 0}, {0x103be, 0}, {0x1017f, 0}, {0x10324, 0},
                                 {0x102c1, 0}, {0x1033b, 0}, {0x102f5, 0}, {0x1012c, 0},
                                 {0x10128, 0}, {0x10129, 0}}));
  EXPECT_EQ(board(), States(6, 0));
  EXPECT_EQ(radios(), States(8, 0));

  for (uint32_t off : {895u, 560u, 891u, 364u}) host.set(off, 0);
  host.set(565, -1);   // the generator counts as on unless exactly 0...
  host.set(740, 0.5);  // ...the avionics only at exactly 1
  connect(host, "Engine_Off");
  EXPECT_EQ(host.event_ids(), (Ids{0x1011c, 0x1033b, 0x1012c, 0x10128, 0x10129}));
}

TEST(StartState, EngineOffInTheAirRunsTheEngineAndLeavesRadiosAndElectricsAlone) {
  TestHost host;
  set_radios(1);
  EXPECT_EQ(connect(host, "Engine_Off"), (Ids{60, 895, 891}));
  EXPECT_EQ(host.events, (Events{{0x103be, 0}, {0x1017f, 16383}, {0x10324, 0}}));
  EXPECT_EQ(board(), (States{0, 1, 0, 0, 1, 1}));
  EXPECT_EQ(radios(), States(8, 1));
}

TEST(StartState, EngineOnPowersTheRadiosAndRunsTheEngineWithoutReadingTheGround) {
  TestHost host;
  set_radios(1);
  crv5::com1_power = crv5::iff_power = 0;
  host.set(891, 1);
  EXPECT_EQ(connect(host, "Engine_On"), (Ids{895, 891}));
  EXPECT_EQ(host.events, (Events{{0x1012c, 0}, {0x10128, 0}, {0x10129, 0}, {0x103be, 0},
                                 {0x1017f, 16383}}));
  EXPECT_EQ(board(), (States{1, 1, 0, 1, 1, 1}));
  EXPECT_EQ(radios(), (States{1, 0, 1, 1, 0, 1, 0, 1}));
}

// One update with tokens 620, 625, 558, 632 and 621; the events it sent.
Ids automation(TestHost& host, const char* gauge, std::vector<double> tokens) {
  host.clear_log();
  const uint32_t ids[] = {620, 625, 558, 632, 621};
  for (int i = 0; i < 5; ++i) host.set(ids[i], tokens[i]);
  TestHost::service(*find_gauge(gauge), kServicePreUpdate);
  EXPECT_EQ(host.lookups, (Ids{620, 625, 558, 632, 621}));
  return host.event_ids();
}

TEST(EngineAutomation, ThresholdsAreExactAndTheAfterburnerSwitchLagsOneUpdate) {
  TestHost host;
  //                                     620  625   558  632  621
  EXPECT_EQ(automation(host, "Engine_Off", {0, 45, 0, 0, 0}), (Ids{0x10348}));
  EXPECT_EQ(automation(host, "Engine_Off", {0, 44.9, 0, 0, 0}), (Ids{}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 44.9, 0, 0, 0}), (Ids{0x10348}));
  EXPECT_EQ(automation(host, "Engine_Off", {0.5, 10, 0, 0, 0}), (Ids{}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 85, 1.0, 0, 0}), (Ids{}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 85.1, 0.94, 0, 0}), (Ids{}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 85.1, 0.95, 0, 0}), (Ids{0x10337}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 90, 0.94, 1, 1}), (Ids{0x10337}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 85, 1.0, 1, 1}), (Ids{0x10337}));
  EXPECT_EQ(automation(host, "Engine_Off", {1, 90, 1.0, 0.5, 0}), (Ids{}));
  for (const char* gauge : {"Engine_Off", "Engine_On"}) {  // 621 follows on the next update
    EXPECT_EQ(automation(host, gauge, {1, 90, 1.0, 0, 0}), (Ids{0x10337}));
    EXPECT_EQ(automation(host, gauge, {1, 90, 1.0, 1, 0}), (Ids{0x1034a}));
    EXPECT_EQ(automation(host, gauge, {1, 50, 1.0, 1, 1}), (Ids{0x10337}));
    EXPECT_EQ(automation(host, gauge, {1, 50, 1.0, 0, 1}), (Ids{0x1034a}));
  }
}

}  // namespace
