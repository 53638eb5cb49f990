// The command line of gaugehost: `gaugehost COMMAND ARGS...`. Subcommands are a table of names
// and handlers; a part of the host that adds one (drawing adds "render") registers it with
// add_cli_command, e.g. from a static initialiser in its own source.
#pragma once

#include <filesystem>
#include <functional>
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

// Returns the process exit status (0 fine, 1 checks failed, 2 could not run).
using CliCommand = std::function<int(CliContext& context)>;

// Adds or replaces a subcommand; `usage` is its line in the help text.
void add_cli_command(std::string name, std::string usage, CliCommand command);

// Runs the command line (argv[0] is the program).
int run_cli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace gaugehost
