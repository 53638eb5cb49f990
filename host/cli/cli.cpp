#include "host/cli/cli.h"

#include <optional>
#include <ostream>
#include <string_view>

#include "host/audio/audio.h"
#include "host/cli/commands.h"
#include "host/loader/module.h"

namespace gaugehost {

namespace {

struct CliEntry {
  const char* name;
  const char* usage;
  int (*run)(CliContext& context);
};

const CliEntry kCommands[] = {
    {"check", cli::kCheckUsage, cli::check},
    {"lint", cli::kLintUsage, cli::lint},
    {"list", cli::kListUsage, cli::list},
    {"profile", cli::kProfileUsage, cli::profile},
    {"render", cli::kRenderUsage, cli::render},
    {"serve", cli::kServeUsage, cli::serve},
};

const CliEntry* find_command(std::string_view name) {
  for (const CliEntry& entry : kCommands)
    if (name == entry.name) return &entry;
  return nullptr;
}

void usage(std::ostream& out) {
  out << "usage: gaugehost [--module PATH] [--sound recording|silent|none] COMMAND [ARGS...]\n";
  for (const CliEntry& entry : kCommands) out << "  " << entry.usage << "\n";
  out << "The module is CRV5_Instr.gau beside gaugehost unless --module names another.\n"
         "--sound: recording (the default) keeps each click for checks and playback; silent plays\n"
         "nothing; none offers no sound device, as on a machine without one.\n";
}

// The audio backend named by a --sound value.
std::optional<audio::Backend> sound_backend(const std::string& name) {
  if (name == "recording") return audio::Backend::recording;
  if (name == "silent") return audio::Backend::silent;
  if (name == "none") return audio::Backend::no_device;
  return std::nullopt;
}

}  // namespace

int run_cli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::filesystem::path module = default_module_path();
  while (!args.empty() && (args[0] == "--module" || args[0] == "--sound")) {
    if (args.size() < 2) {
      err << "gaugehost: " << args[0] << " needs a value\n";
      return 2;
    }
    if (args[0] == "--module") {
      module = args[1];
    } else if (auto backend = sound_backend(args[1])) {
      audio::set_backend(*backend);
    } else {
      err << "gaugehost: --sound takes recording, silent or none, not " << quote_input(args[1])
          << "\n";
      return 2;
    }
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    usage(args.empty() ? err : out);
    return args.empty() ? 2 : 0;
  }
  const CliEntry* entry = find_command(args[0]);
  if (!entry) {
    err << "gaugehost: unknown command " << quote_input(args[0]) << "\n";
    usage(err);
    return 2;
  }
  CliContext context{{args.begin() + 1, args.end()}, module, out, err};
  try {
    return entry->run(context);
  } catch (const std::exception& error) {
    err << "gaugehost: " << error.what() << "\n";
    return 2;
  }
}

}  // namespace gaugehost
