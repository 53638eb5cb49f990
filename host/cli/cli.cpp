#include "host/cli/cli.h"

#include <cstdio>
#include <map>
#include <optional>
#include <ostream>

#include "host/audio/audio.h"
#include "host/check/check_runner.h"
#include "host/loader/module.h"
#include "host/render/session_render.h"

namespace gaugehost {

namespace {

struct CliEntry {
  std::string usage;
  CliCommand run;
};

int count_children(const MouseRect* list) {
  int children = 0;
  for (const MouseRect* rect = list; rect && rect->kind != kMouseEnd; ++rect)
    children += rect->kind == kMouseChild;
  return children;
}

int count_elements(const ElementHeader* element) {
  if (!element) return 0;
  int count = 1;
  for (ElementHeader* const* child = element->next; child && *child; ++child)
    count += count_elements(*child);
  return count;
}

// One line per gauge in table order: name, width in millimetres, elements, click areas, callback.
int cmd_list(CliContext& context) {
  const auto module = Module::load(context.module);
  for (const GaugeHeader* gauge : module->gauges()) {
    char line[160];
    std::snprintf(line, sizeof line, "%-26s %5g mm  %3d elements  %2d click areas  %s", gauge->name,
                  gauge->width_mm, count_elements(gauge->elements ? gauge->elements[0] : nullptr),
                  count_children(gauge->mouse_rects),
                  gauge->callback ? "gauge callback" : "no gauge callback");
    context.out << line << "\n";
  }
  return 0;
}

int cmd_check(CliContext& context) {
  if (context.args.empty()) {
    context.err << "gaugehost check: name at least one check file\n";
    return 2;
  }
  std::vector<std::filesystem::path> files(context.args.begin(), context.args.end());
  return run_check_files(files, context.module, context.out).exit_status();
}

std::map<std::string, CliEntry>& cli_table() {
  static std::map<std::string, CliEntry> table = {
      {"list",
       {"gaugehost list              the module's gauges: name, width in mm, ...", cmd_list}},
      {"check", {"gaugehost check FILE...     run check files", cmd_check}},
      {"render", {render::kCliRenderUsage, render::cli_render}},
  };
  return table;
}

void usage(std::ostream& out) {
  out << "usage: gaugehost [--module PATH] [--sound recording|silent|none] COMMAND [ARGS...]\n";
  for (const auto& [name, entry] : cli_table()) out << "  " << entry.usage << "\n";
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

void add_cli_command(std::string name, std::string usage, CliCommand command) {
  cli_table()[std::move(name)] = CliEntry{std::move(usage), std::move(command)};
}

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
      err << "gaugehost: --sound takes recording, silent or none, not \"" << args[1] << "\"\n";
      return 2;
    }
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    usage(args.empty() ? err : out);
    return args.empty() ? 2 : 0;
  }
  auto entry = cli_table().find(args[0]);
  if (entry == cli_table().end()) {
    err << "gaugehost: unknown command \"" << args[0] << "\"\n";
    usage(err);
    return 2;
  }
  CliContext context{{args.begin() + 1, args.end()}, module, out, err};
  try {
    return entry->second.run(context);
  } catch (const std::exception& error) {
    err << "gaugehost: " << error.what() << "\n";
    return 2;
  }
}

}  // namespace gaugehost
