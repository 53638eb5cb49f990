#include "host/sim/model_vars.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace gaugehost {

namespace {

size_t table_index(const VariableInfo& info) { return size_t(&info - variable_table().data()); }

const VariableInfo& info_of(Token id) { return *find_variable(id); }

}  // namespace

double ModelVars::get(Token id) const {
  const VariableInfo& info = info_of(id);
  double value = sim_.var(id);
  if (std::isnan(value)) {
    const double last = written_[table_index(info)];
    value = std::isnan(last) ? 0.0 : last;
  }
  return std::clamp(value, info.min, info.max);
}

void ModelVars::put(Token id, double value) {
  if (std::isnan(value)) return;
  const VariableInfo& info = info_of(id);
  value = std::clamp(value, info.min, info.max);
  if (info.integer) value = std::floor(value);
  sim_.set_var(id, value);
  written_[table_index(info)] = sim_.var(id);
}

bool ModelVars::set_from_outside(Token id) const {
  const double last = written_[table_index(info_of(id))];
  return std::isnan(last) || sim_.var(id) != last;
}

double ModelVars::calc(const char* expression) const {
  double value = 0;
  sim_.calculate(expression, &value, nullptr);
  return std::isfinite(value) ? value : 0.0;
}

void ModelVars::hold_systems_variables() {
  for (const VariableInfo& info : variable_table())
    if (info.owner == VarOwner::systems && !info.integer) put(info.id, get(info.id));
}

}  // namespace gaugehost
