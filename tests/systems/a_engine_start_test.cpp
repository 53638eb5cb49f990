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

void connect(const char* gauge) { TestHost::service(*find_gauge(gauge), kServiceConnectToWindow); }

// ADF power and tone, COM1 power, NAV1 power and tone, NAV2 power and tone, IFF power.
int32_t* const kRadioStates[] = {&crv5::adf_power, &crv5::adf_tone, &crv5::com1_power,
                                 &crv5::nav1_power, &crv5::nav1_tone, &crv5::nav2_power,
                                 &crv5::nav2_tone, &crv5::iff_power};
void set_radios(int32_t value) {
  for (int32_t* state : kRadioStates) *state = value;
}
std::vector<int32_t> radios() {
  std::vector<int32_t> states;
  for (int32_t* state : kRadioStates) states.push_back(*state);
  return states;
}

// ignition state, ignition on, start ready, valve state, left pump, right pump.
std::vector<int32_t> board() {
  return {crv5::ignition_switch_state, crv5::ignition_switch_on, crv5::start_ready,
          crv5::fuel_valve_switch_state, crv5::left_fuel_pump_on, crv5::right_fuel_pump_on};
}

// Token reads after the capacity step's four.
Ids start_state_reads(const TestHost& host) {
  return Ids(host.lookups.begin() + 4, host.lookups.end());
}

TEST(StartState, CapacitiesInKilogramsKeepTheirValueWhereATankReadsNothing) {
  TestHost host;
  crv5::tank298_capacity_kg = 7;
  crv5::tank294_capacity_kg = 8;
  crv5::external2_capacity_kg = 9;
  host.set(292, 100);
  host.set(294, -5);
  host.set_calc("(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)", 10);
  connect("Engine_On");
  EXPECT_NEAR(crv5::tank292_capacity_kg, 299.4469, 1e-4);
  EXPECT_EQ(crv5::tank298_capacity_kg, 7);
  EXPECT_EQ(crv5::tank294_capacity_kg, 8);
  EXPECT_NEAR(crv5::external1_capacity_kg, 29.94469, 1e-5);
  EXPECT_EQ(crv5::external2_capacity_kg, 9);
  EXPECT_EQ(Ids(host.lookups.begin(), host.lookups.begin() + 4), (Ids{292, 298, 294, 300}));
  EXPECT_EQ(host.calculations.size(), 2u);
}

TEST(StartState, EngineOffOnTheGroundShutsDownWhatIsOnInOrder) {
  TestHost host;
  set_radios(1);
  host.set(60, 1);
  for (uint32_t on : {895u, 560u, 891u, 364u, 565u, 740u}) host.set(on, 1);
  connect("Engine_Off");
  EXPECT_EQ(host.events, (Events{{0x1011c, 0}, {0x103be, 0}, {0x1017f, 0}, {0x10324, 0},
                                 {0x102c1, 0}, {0x1033b, 0}, {0x102f5, 0}, {0x1012c, 0},
                                 {0x10128, 0}, {0x10129, 0}}));
  EXPECT_EQ(start_state_reads(host), (Ids{60, 895, 560, 891, 364, 565, 740}));
  EXPECT_EQ(board(), std::vector<int32_t>(6, 0));
  EXPECT_EQ(radios(), std::vector<int32_t>(8, 0));

  host.clear_log();
  for (uint32_t off : {895u, 560u, 891u, 364u}) host.set(off, 0);
  host.set(565, -1);   // the generator counts as on unless exactly 0...
  host.set(740, 0.5);  // ...the avionics only at exactly 1
  connect("Engine_Off");
  EXPECT_EQ(host.event_ids(), (Ids{0x1011c, 0x1033b, 0x1012c, 0x10128, 0x10129}));
}

TEST(StartState, EngineOffInTheAirRunsTheEngineAndLeavesRadiosAndElectricsAlone) {
  TestHost host;
  set_radios(1);
  host.set(895, 1);
  host.set(891, 1);
  connect("Engine_Off");
  EXPECT_EQ(host.events, (Events{{0x1017f, 16383}}));
  EXPECT_EQ(board(), (std::vector<int32_t>{0, 1, 0, 0, 1, 1}));
  EXPECT_EQ(radios(), std::vector<int32_t>(8, 1));

  host.clear_log();
  host.set(895, 0);
  host.set(891, 0);
  connect("Engine_Off");
  EXPECT_EQ(host.events, (Events{{0x103be, 0}, {0x1017f, 16383}, {0x10324, 0}}));
  EXPECT_EQ(start_state_reads(host), (Ids{60, 895, 891}));
}

TEST(StartState, EngineOnPowersTheRadiosAndRunsTheEngineWithoutReadingTheGround) {
  TestHost host;
  set_radios(1);
  crv5::com1_power = crv5::iff_power = 0;
  connect("Engine_On");
  EXPECT_EQ(host.events, (Events{{0x1012c, 0}, {0x10128, 0}, {0x10129, 0}, {0x103be, 0},
                                 {0x1017f, 16383}, {0x10324, 0}}));
  EXPECT_EQ(start_state_reads(host), (Ids{895, 891}));
  EXPECT_EQ(board(), (std::vector<int32_t>{1, 1, 0, 1, 1, 1}));
  EXPECT_EQ(radios(), (std::vector<int32_t>{1, 0, 1, 1, 0, 1, 0, 1}));

  host.clear_log();
  for (int32_t service : {2, 12, 0, 7}) TestHost::service(*find_gauge("Engine_On"), service);
  EXPECT_TRUE(host.lookups.empty() && host.events.empty() && host.calculations.empty());
}

// One update of the automation with tokens 620, 625, 558, 632 and 621; the events it sent.
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
  //                                 620  625   558  632  621
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
  // Both gauges: lighting the afterburner, then 621 follows on the next update.
  for (const char* gauge : {"Engine_Off", "Engine_On"}) {
    EXPECT_EQ(automation(host, gauge, {1, 90, 1.0, 0, 0}), (Ids{0x10337}));
    EXPECT_EQ(automation(host, gauge, {1, 90, 1.0, 1, 0}), (Ids{0x1034a}));
    EXPECT_EQ(automation(host, gauge, {1, 50, 1.0, 1, 1}), (Ids{0x10337}));
    EXPECT_EQ(automation(host, gauge, {1, 50, 1.0, 0, 1}), (Ids{0x1034a}));
  }
}

}  // namespace
