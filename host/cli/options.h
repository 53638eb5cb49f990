// Reading the options of a subcommand: `--name VALUE` pairs, numbers within a range, on|off.
// Each throws HostError naming the option and what was expected.
#pragma once

#include <string>
#include <vector>

namespace gaugehost::cli {

// The value after the option at `i` (which then points to the value).
const std::string& option_value(const std::vector<std::string>& args, size_t& i);

// A number from `low` to `high`; `what` names it in the message.
double number_between(const std::string& text, const std::string& what, double low, double high);

// --model on|off.
bool model_switch(const std::string& text);

}  // namespace gaugehost::cli
