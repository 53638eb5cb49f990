// The simulated aircraft as the gauges see it: token variables, the key events sent, calculator
// expressions, failure keys and simulated time. It knows nothing of panels, windows or drawing.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "module/gauge.h"

namespace gaugehost {

// A key event sent to the simulator, or a panel-window toggle request (service 35).
struct KeyEvent {
  uint32_t id = 0;
  uint32_t value = 0;
  bool window_toggle = false;  // panel_window_toggle(id); value unused
  bool operator==(const KeyEvent&) const = default;
};

class SimState {
 public:
  // The variables that hold a 32-bit unsigned integer in the low half of their value: the radios'
  // packed-decimal frequencies and codes, and a few bit sets.
  static bool is_integer_var(uint32_t id);

  // Token variables; every one reads 0 until set. Only the variables of the host's table
  // (host/sim/variables.h) are kept: setting another one changes nothing, and what a user sets
  // is refused before it gets here (unknown_variable). An integer variable keeps the whole
  // number (the caller makes sure it is one, 0 to 4294967295).
  void set_var(uint32_t id, double value);
  double var(uint32_t id) const { return var_at(id).number; }
  // What lookup_var writes into the record's current value.
  VarValue var_value(uint32_t id) const { return var_at(id).value; }
  void fill(ModuleVar& record) const { record.value = var_value(record.id); }
  // fill(), returning the variable's value as a number (an integer variable's whole number).
  double read(ModuleVar& record) const {
    const Var& var = var_at(record.id);
    record.value = var.value;
    return var.number;
  }

  // Key events and window toggles in the order they were sent: the latest kKeptEvents since the
  // last take are kept, older ones only counted, so that a long run without a take stays small.
  static constexpr size_t kKeptEvents = 10000;
  void record_event(const KeyEvent& event);
  // The kept events since the last take, and how many before them were not kept.
  std::vector<KeyEvent> take_events();
  uint64_t events_not_kept() const { return events_not_kept_; }

  // Calculator expressions: a number or a text result each; an expression not set gives 0 or "".
  void set_calc_number(const std::string& expression, double value);
  void set_calc_text(const std::string& expression, const std::string& text);
  // Fills whichever results are asked for; the text stays valid for the life of this state.
  void calculate(const std::string& expression, double* number, const char** text) const;

  // Host failure keys.
  void set_failure(int32_t key, bool active);
  bool failure_active(int32_t key) const { return failures_.count(key) != 0; }
  bool any_failure_active() const { return !failures_.empty(); }

  // Simulated time in seconds since the start.
  double seconds() const { return seconds_; }
  void advance_time(double seconds) { seconds_ += seconds; }

 private:
  // A variable as a number and as lookup_var hands it over (the float, or the integer in the low
  // half of a zeroed word).
  struct Var {
    double number = 0;
    VarValue value{.raw = 0};
  };
  // The variables live in a flat table by number, as they are read several times per element
  // and cycle; those the host does not know are never set there, and those numbered beyond it
  // read its last slot, which is never set either.
  static constexpr uint32_t kFlatVars = 1024;  // kVariableIdLimit
  const Var& var_at(uint32_t id) const { return flat_[std::min(id, kFlatVars)]; }
  std::array<Var, kFlatVars + 1> flat_{};
  std::deque<KeyEvent> events_;  // since the last take
  uint64_t events_not_kept_ = 0;
  std::map<std::string, double> calc_numbers_;
  std::map<std::string, const std::string*> calc_texts_;
  std::deque<std::string> text_store_;  // every text result ever given, so pointers stay valid
  std::set<int32_t> failures_;
  double seconds_ = 0;
};

}  // namespace gaugehost
