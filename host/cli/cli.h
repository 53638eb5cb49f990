// The command line of gaugehost: `gaugehost [OPTIONS] COMMAND ARGS...`. The commands are a fixed
// table of names and handlers (host/cli/commands.h).
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace gaugehost {

struct CliContext {
  std::vector<std::string> args;           // the arguments after the subcommand
  std::filesystem::path module;            // --module PATH, or the default module
  std::ostream& out;
  std::ostream& err;
};

// Runs the command line (argv[0] is the program). Returns the process exit status (0 fine,
// 1 checks failed, 2 could not run).
int run_cli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace gaugehost
