// gaugehost profile: what each gauge of a panel costs to update and to draw.
#include <ostream>

#include <nlohmann/json.hpp>

#include "host/cli/commands.h"
#include "host/cli/options.h"
#include "host/panel/session.h"
#include "host/render/profile.h"
#include "host/sim/start_state.h"

namespace gaugehost::cli {

const char* const kProfileUsage =
    "gaugehost profile --panel FILE [--cycles N] [--draws N] [--scale S] [--all-windows]\n"
    "                  [--model on|off] [--night] [--json]\n"
    "                              each gauge's update (6 and its elements) and drawing, median\n"
    "                              microseconds over N cycles and N drawings; the aircraft cold\n"
    "                              and dark on the ramp, its model running unless --model off";

namespace {

struct ProfileArgs {
  std::filesystem::path panel;
  render::ProfileOptions options;
  bool model = true;
  bool json = false;
};

ProfileArgs parse_profile_args(const std::vector<std::string>& args) {
  ProfileArgs parsed;
  render::ProfileOptions& options = parsed.options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--panel") parsed.panel = option_value(args, i);
    else if (arg == "--cycles")
      options.cycles = int(number_between(option_value(args, i), "cycles", 1, 1000000));
    else if (arg == "--draws")
      options.draws = int(number_between(option_value(args, i), "draws", 1, 100000));
    else if (arg == "--scale")
      options.scale = number_between(option_value(args, i), "scale", 0.1, 8);
    else if (arg == "--all-windows") options.hidden_windows = true;
    else if (arg == "--model") parsed.model = model_switch(option_value(args, i));
    else if (arg == "--night") options.render.night = true;
    else if (arg == "--json") parsed.json = true;
    else throw HostError("profile: unknown option " + quote_input(arg));
  }
  if (parsed.panel.empty()) throw HostError("profile: --panel FILE is required");
  return parsed;
}

}  // namespace

int profile(CliContext& context) {
  const ProfileArgs args = parse_profile_args(context.args);
  Session session(Module::load(context.module));
  set_ramp_state(session.sim());
  session.set_model(args.model);
  load_panel_file(session, args.panel, context.err);
  render::ImageStore images = render::ImageStore::for_module(session.module_handle());
  const render::Profile profile = render::profile_session(session, images, args.options);
  if (args.json)
    context.out << nlohmann::json(profile).dump(1) << "\n";
  else
    render::print_profile(context.out, profile);
  return 0;
}

}  // namespace gaugehost::cli
