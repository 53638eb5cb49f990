// gaugehost lint: the problems of a panel configuration that the host would load without
// complaint but that a panel designer would not want: gauges the module lacks, gauges outside
// their window, click areas of two gauges on top of each other, parameter texts a gauge will not
// understand, toggle buttons naming windows the panel lacks, and idents or gauge keys written
// twice.
#pragma once

#include <string>
#include <vector>

#include "host/loader/module.h"
#include "host/panel/panel_config.h"

namespace gaugehost::lint {

struct Finding {
  int line = 0;         // line of the panel file
  std::string problem;  // what is wrong there, one line
  bool operator==(const Finding&) const = default;
};

// The findings of a panel read by parse_panel_config_lines, against `module` (which the lint
// loads the panel into, to lay its gauges out as the host does), in the order of the file.
std::vector<Finding> lint_panel(const PanelConfig& config, std::unique_ptr<Module> module);

// What a gauge of the Corvane module makes of its parameter text: the problems of `parameters`
// for a gauge named `gauge`, with the panel ids its toggle commands name (for the check against
// the panel's windows).
struct ParameterReading {
  std::vector<std::string> problems;
  std::vector<int32_t> panels_named;
};
ParameterReading read_parameters(std::string_view gauge, std::string_view parameters);

}  // namespace gaugehost::lint
