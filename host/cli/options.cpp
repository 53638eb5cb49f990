#include "host/cli/options.h"

#include "host/base/host_error.h"
#include "host/check/check_runner.h"

namespace gaugehost::cli {

const std::string& option_value(const std::vector<std::string>& args, size_t& i) {
  if (i + 1 >= args.size()) throw HostError(args[i] + " needs a value");
  return args[++i];
}

double number_between(const std::string& text, const std::string& what, double low, double high) {
  const double value = parse_check_number(text, what);
  if (!(value >= low && value <= high))
    throw HostError(what + " " + quote_input(text) + " is out of range, expected " +
                    std::to_string(low) + " to " + std::to_string(high));
  return value;
}

bool model_switch(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  throw HostError("--model takes on or off, not " + quote_input(text));
}

}  // namespace gaugehost::cli
