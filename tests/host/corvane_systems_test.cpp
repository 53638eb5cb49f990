// The host's systems model, driven by the key events the gauges send. Its rules run as check files
// (tests/checks/model: systems_rules.check among them); here what no check file sees: the notes
// it logs, the calculator flags, its event table, and every variable held finite and in range.
#include "host/sim/corvane_systems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/sim/start_state.h"

namespace gaugehost {
namespace {

using namespace corvane;

// The aircraft on the ramp, cold and dark, with its model and the notes it logs.
struct Aircraft {
  SimState sim;
  std::vector<std::string> notes;
  CorvaneSystems model{[this](const std::string& line) { notes.push_back(line); }};

  Aircraft() { set_ramp_state(sim); }
  void key(uint32_t id, uint32_t value = 0) { model.apply_event(sim, id, value); }
  void run(double seconds) {
    for (int i = 0; i < int(std::lround(seconds * 18)); ++i) model.advance(sim, kStepSeconds);
  }
  double var(Token id) const { return sim.var(id); }
};

TEST(KeyEvents, IdentAudioIsTheReceiversCalculatorFlag) {
  Aircraft aircraft;
  const auto flag = [&](const char* expression) {
    double value = -1;
    aircraft.sim.calculate(expression, &value, nullptr);
    return value;
  };
  aircraft.key(0x1012d);
  aircraft.key(0x10131);
  EXPECT_EQ(flag(calc::kNav1IdentAudio), 1);
  EXPECT_EQ(flag(calc::kAdfIdentAudio), 1);
  EXPECT_EQ(flag(calc::kNav2IdentAudio), 0);
  aircraft.key(0x10128);
  EXPECT_EQ(flag(calc::kNav1IdentAudio), 0);
}

TEST(KeyEvents, AnEventTheModelDoesNotSimulateIsLoggedOnceWithItsReason) {
  Aircraft aircraft;
  for (uint32_t id : {0x10999, 0x10999, 0x1001c, 0x1001c}) aircraft.key(id);
  aircraft.key(0x1024a, 0xABCD);
  aircraft.key(0x103cb, 50);  // a panel window: the session's, nothing to note
  aircraft.key(0x102fc);      // no battery: the starter does not turn, and says why
  ASSERT_EQ(aircraft.notes.size(), 4u);
  EXPECT_EQ(aircraft.notes[0], "key event 0x10999 is not known to the aircraft model: recorded only");
  EXPECT_NE(aircraft.notes[1].find("0x1001c (ATC window) is not simulated"), std::string::npos);
  EXPECT_NE(aircraft.notes[2].find("0x1024a"), std::string::npos);
  EXPECT_NE(aircraft.notes[3].find("no power"), std::string::npos);
  aircraft.run(1);
  EXPECT_EQ(aircraft.var(kStarterEngaged), 0);
}

TEST(KeyEvents, EveryEventOfTheTableActsOnAVariableOfTheModelOrSaysWhyNot) {
  const Effect on_a_variable[] = {Effect::toggle,     Effect::set_to,       Effect::set_scaled,
                                  Effect::set_angle,  Effect::step,         Effect::step_angle,
                                  Effect::toggle_lever, Effect::vhf_mhz,    Effect::vhf_channel};
  for (const KeyEventInfo& event : key_event_table()) {
    SCOPED_TRACE(event.name);
    if (event.effect == Effect::not_simulated) {
      EXPECT_NE(event.note, nullptr);
    }
    if (std::ranges::find(on_a_variable, event.effect) == std::end(on_a_variable)) continue;
    const VariableInfo* info = find_variable(event.target);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->owner, VarOwner::systems);
  }
}

TEST(BadInput, NoValueSetMakesTheModelProduceNaNOrDiverge) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {nan, inf, -inf, 1e308, -1e308}) {
    SCOPED_TRACE(bad);
    Aircraft aircraft;  // battery, generator, fuel pump and valve on, the lever open, starting
    for (uint32_t id : {0x102c1, 0x1033b, 0x10324, 0x103be}) aircraft.key(id);
    aircraft.key(0x1017f, 16383);
    aircraft.key(0x102fc);
    for (const VariableInfo& info : variable_table())
      if (!info.integer) aircraft.sim.set_var(info.id, bad);
    aircraft.sim.set_calc_number(calc::kExternal1Level, bad);
    aircraft.sim.set_calc_number(calc::kExternal1Capacity, bad);
    aircraft.key(0x1011c, 0x7FFFFFFF);
    aircraft.key(0x10065);
    aircraft.model.advance(aircraft.sim, bad);
    aircraft.run(60);
    for (const VariableInfo& info : variable_table()) {
      if (info.owner != VarOwner::systems) continue;
      SCOPED_TRACE(info.name);
      EXPECT_TRUE(std::isfinite(aircraft.var(info.id)));
      EXPECT_GE(aircraft.var(info.id), info.min);
      EXPECT_LE(aircraft.var(info.id), info.max);
    }
  }
}

}  // namespace
}  // namespace gaugehost
