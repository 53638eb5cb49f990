// gaugehost check FILE...: runs check files through the check runner.
#include <ostream>

#include "host/check/check_runner.h"
#include "host/cli/commands.h"

namespace gaugehost::cli {

const char* const kCheckUsage = "gaugehost check FILE...     run check files";

int check(CliContext& context) {
  if (context.args.empty()) {
    context.err << "gaugehost check: name at least one check file\n";
    return 2;
  }
  std::vector<std::filesystem::path> files(context.args.begin(), context.args.end());
  return run_check_files(files, context.module, context.out).exit_status();
}

}  // namespace gaugehost::cli
