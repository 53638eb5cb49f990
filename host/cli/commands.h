// The subcommands of the command line. Each returns the process exit status and reports a problem
// by throwing HostError (the command line prints it on one line and exits with status 2).
#pragma once

#include "host/cli/cli.h"

namespace gaugehost::cli {

// gaugehost list: one line per gauge of the module.
int list(CliContext& context);
extern const char* const kListUsage;

// gaugehost check FILE...: runs check files.
int check(CliContext& context);
extern const char* const kCheckUsage;

// gaugehost render --panel FILE --out FILE.png [--window IDENT] [--scale S] [--updates N]
//                  [--set ID=VALUE ...] [--night]
int render(CliContext& context);
extern const char* const kRenderUsage;

// gaugehost serve [--panel FILE] [--scenario NAME] [--listen ADDR:PORT]
int serve(CliContext& context);
extern const char* const kServeUsage;

// gaugehost profile --panel FILE [--cycles N] [--draws N] [--scale S] [--all-windows]
//                   [--model on|off] [--night] [--json]
int profile(CliContext& context);
extern const char* const kProfileUsage;

// gaugehost lint PANEL...: the problems of panel configurations, one "FILE:LINE: problem" each;
// 0 when clean, 1 when there are problems, 2 when a file cannot be read.
int lint(CliContext& context);
extern const char* const kLintUsage;

}  // namespace gaugehost::cli
