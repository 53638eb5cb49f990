#include "host/sim/sim_state.h"

#include <cmath>

#include "host/sim/variables.h"

namespace gaugehost {

bool SimState::is_integer_var(uint32_t id) {
  const VariableInfo* info = find_variable(id);
  return info && info->integer;
}

static_assert(kVariableIdLimit <= 1024, "the flat table holds every variable of the host's table");

void SimState::set_var(uint32_t id, double value) {
  if (!find_variable(id)) return;
  Var var;
  if (is_integer_var(id)) {
    const uint32_t whole =
        std::isfinite(value) && value >= 0 && value <= 4294967295.0 ? uint32_t(value) : 0;
    var.number = whole;
    var.value.u32 = whole;
  } else {
    var.number = value;
    var.value.f = value;
  }
  flat_[id] = var;
}

void SimState::record_event(const KeyEvent& event) {
  if (events_.size() == kKeptEvents) {
    events_.pop_front();
    ++events_not_kept_;
  }
  events_.push_back(event);
}

std::vector<KeyEvent> SimState::take_events() {
  std::vector<KeyEvent> taken(events_.begin(), events_.end());
  events_.clear();
  events_not_kept_ = 0;
  return taken;
}

void SimState::set_calc_number(const std::string& expression, double value) {
  calc_numbers_[expression] = value;
}

void SimState::set_calc_text(const std::string& expression, const std::string& text) {
  text_store_.push_back(text);
  calc_texts_[expression] = &text_store_.back();
}

void SimState::calculate(const std::string& expression, double* number,
                         const char** text) const {
  if (number) {
    auto found = calc_numbers_.find(expression);
    *number = found == calc_numbers_.end() ? 0.0 : found->second;
  }
  if (text) {
    static const char kEmpty[] = "";
    auto found = calc_texts_.find(expression);
    *text = found == calc_texts_.end() ? kEmpty : found->second->c_str();
  }
}

void SimState::set_failure(int32_t key, bool active) {
  if (active)
    failures_.insert(key);
  else
    failures_.erase(key);
}

}  // namespace gaugehost
