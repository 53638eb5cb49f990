// gaugehost lint PANEL...: the problems of panel configurations, one line each.
#include <algorithm>
#include <ostream>

#include "host/base/input_file.h"
#include "host/cli/commands.h"
#include "host/lint/panel_lint.h"

namespace gaugehost::cli {

const char* const kLintUsage = "gaugehost lint PANEL...     check panel configurations";

namespace {

// 0 when the panel is clean, 1 when it has problems, 2 when it cannot be read.
int lint_file(const std::filesystem::path& file, const std::filesystem::path& module,
              std::ostream& out, std::ostream& err) {
  std::string text;
  try {
    text = read_input_file(file, "panel configuration");
  } catch (const HostError& error) {
    err << "gaugehost lint: " << error.what() << "\n";
    return 2;
  }
  PanelConfig config;
  try {
    config = parse_panel_config_lines(text, file);
  } catch (const HostError& error) {
    out << error.what() << "\n";  // already FILE:LINE: problem
    return 1;
  }
  const std::vector<lint::Finding> findings = lint::lint_panel(config, Module::load(module));
  for (const lint::Finding& finding : findings)
    out << file.string() << ":" << finding.line << ": " << finding.problem << "\n";
  return findings.empty() ? 0 : 1;
}

}  // namespace

int lint(CliContext& context) {
  if (context.args.empty()) {
    context.err << "gaugehost lint: name at least one panel configuration\n";
    return 2;
  }
  int status = 0;
  for (const std::string& file : context.args)
    status = std::max(status, lint_file(file, context.module, context.out, context.err));
  return status;
}

}  // namespace gaugehost::cli
