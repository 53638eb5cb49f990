// The check runner's command table (internal to the runner).
#pragma once

#include <map>
#include <string>

#include "host/check/check_runner.h"

namespace gaugehost {

struct CheckCommandEntry {
  std::string usage;
  size_t min_args = 0;
  size_t max_args = 0;
  CheckCommand run;
};

using CheckCommandTable = std::map<std::string, CheckCommandEntry>;

// The commands every check file may use (set-up, acting, expecting).
CheckCommandTable builtin_check_commands();

// The table with the built-in commands and every registered one.
CheckCommandTable& check_command_table();

}  // namespace gaugehost
