// gaugehost lint: every problem of a panel configuration in one run: the lines the reader reads
// over, the windows the titles leave out, idents, windows without a usable size, gauges of other
// modules (per module, with a count) and gauges the module lacks, gauges outside their window,
// click areas of two gauges on top of each other, gauge keys written twice or numbered with a
// gap, parameter texts a gauge will not understand, toggle buttons and the forward view naming
// windows the panel lacks.
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

struct LintOptions {
  std::vector<std::string> assumed_modules;  // modules taken as present beside `module`
};

// The findings of a panel, against `module` (which the lint loads the panel into, to lay its
// gauges out as the host does), grouped by what they are about (PanelTopic), each group in the
// order of the file.
std::vector<Finding> lint_panel(const PanelConfig& config, std::unique_ptr<Module> module,
                                const LintOptions& options = {});

// What a gauge of the Corvane module makes of its parameter text: the problems of `parameters`
// for a gauge named `gauge`, with the panel ids its toggle commands name (for the check against
// the panel's windows).
struct ParameterReading {
  std::vector<std::string> problems;
  std::vector<int32_t> panels_named;
};
ParameterReading read_parameters(std::string_view gauge, std::string_view parameters);

}  // namespace gaugehost::lint
