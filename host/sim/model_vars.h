// The systems model's view of the token variables: every value it reads is a finite number
// within the variable's range, whatever was set, and every value it writes is held to the range.
// It also remembers what it wrote last, to tell a value set from outside (a check file's
// `set var`) from its own.
#pragma once

#include <vector>

#include "host/sim/sim_state.h"
#include "host/sim/variables.h"

namespace gaugehost {

class ModelVars {
 public:
  explicit ModelVars(SimState& sim, std::vector<double>& written) : sim_(sim), written_(written) {}

  // The variable as a finite number within its range: NaN reads as the value the model wrote
  // last (or the value nearest 0 in the range), an infinity or a number beyond the range as the
  // nearer end.
  double get(Token id) const;
  bool on(Token id) const { return get(id) != 0; }
  // Writes the value held to the range; a NaN is not written.
  void put(Token id, double value);
  // Whether the variable holds something else than the model wrote last (or was never written).
  bool set_from_outside(Token id) const;

  // A calculator result as a finite number (NaN and infinities read as 0), and its writing.
  double calc(const char* expression) const;
  void put_calc(const char* expression, double value) { sim_.set_calc_number(expression, value); }

  // Rewrites every variable of the systems model held to its range.
  void hold_systems_variables();

  SimState& sim() { return sim_; }

 private:
  SimState& sim_;
  std::vector<double>& written_;  // per entry of the variable table; NaN: never written
};

}  // namespace gaugehost
