// What the variable inspector knows of the token variables: a role and a unit by number.
#pragma once

#include <cstdint>
#include <vector>

namespace gaugehost::web {

struct VariableInfo {
  uint32_t id;
  const char* role;  // what the aircraft's gauges read it as
  const char* unit;  // "" when it is a plain number, a flag or a setting
};

// In order of number.
const std::vector<VariableInfo>& variable_catalogue();

}  // namespace gaugehost::web
