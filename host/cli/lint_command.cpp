// gaugehost lint [--assume-module NAME ...] PANEL...: every problem of panel configurations, one
// line each.
#include <algorithm>
#include <ostream>

#include "host/base/input_file.h"
#include "host/cli/commands.h"
#include "host/cli/options.h"
#include "host/lint/panel_lint.h"

namespace gaugehost::cli {

const char* const kLintUsage =
    "gaugehost lint [--assume-module NAME ...] PANEL...\n"
    "                              every problem of panel configurations, grouped; a module\n"
    "                              assumed is taken as present (its gauges are not reported)";

namespace {

// 0 when the panel is clean, 1 when it has problems, 2 when it cannot be read or has no window.
int lint_file(const std::filesystem::path& file, const std::filesystem::path& module,
              const lint::LintOptions& options, std::ostream& out, std::ostream& err) {
  PanelConfig config;
  try {
    config = read_panel_config(file);
  } catch (const HostError& error) {
    err << "gaugehost lint: " << error.what() << "\n";
    return 2;
  }
  const std::vector<lint::Finding> findings =
      lint::lint_panel(config, Module::load(module), options);
  for (const lint::Finding& finding : findings)
    out << panel_where(file, finding.line) << finding.problem << "\n";
  return findings.empty() ? 0 : 1;
}

}  // namespace

int lint(CliContext& context) {
  lint::LintOptions options;
  std::vector<std::string> files;
  for (size_t i = 0; i < context.args.size(); ++i) {
    if (context.args[i] == "--assume-module")
      options.assumed_modules.push_back(option_value(context.args, i));
    else
      files.push_back(context.args[i]);
  }
  if (files.empty()) {
    context.err << "gaugehost lint: name at least one panel configuration\n";
    return 2;
  }
  int status = 0;
  for (const std::string& file : files)
    status = std::max(status, lint_file(file, context.module, options, context.out, context.err));
  return status;
}

}  // namespace gaugehost::cli
