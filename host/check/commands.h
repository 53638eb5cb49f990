// The check runner's command table (internal to the runner): every command a check file may use.
#pragma once

#include <map>
#include <string>

#include "host/check/check_runner.h"

namespace gaugehost {

using CheckCommand = void (*)(CheckRun& run, const CheckLine& line);

// A command: `name` is one word ("render") or two ("expect var"); the line must have between
// min_args and max_args tokens after the name, or the runner stops the file with
// "expected: USAGE".
struct CheckCommandEntry {
  std::string usage;
  size_t min_args = 0;
  size_t max_args = 0;
  CheckCommand run;
};

using CheckCommandTable = std::map<std::string, CheckCommandEntry>;

// render PATH: draws the visible windows into a PNG file. A command of its own file, so that a
// check runner without drawing (the Windows gaugecheck) brings its own.
void check_render(CheckRun& run, const CheckLine& line);

// The commands (set-up, acting, expecting), by name.
const CheckCommandTable& check_command_table();

// The command a line names, its name taken off the line's tokens so that only its arguments
// remain. Throws HostError for an unknown command or a wrong number of arguments.
const CheckCommandEntry& resolve_check_command(CheckLine& line);

}  // namespace gaugehost
