// gaugehost render: a panel's visible windows (or one window) drawn into a PNG file.
#include <chrono>
#include <cmath>
#include <thread>
#include <optional>
#include <ostream>

#include "host/check/check_runner.h"
#include "host/cli/commands.h"
#include "host/cli/options.h"
#include "host/panel/session.h"
#include "host/render/session_render.h"
#include "host/sim/flight/corvane_flight.h"
#include "host/sim/flightgear/flightgear_link.h"
#include "host/sim/start_state.h"

namespace gaugehost::cli {

const char* const kRenderUsage =
    "gaugehost render --panel FILE --out FILE.png [--window IDENT] [--scale S] [--updates N] "
    "[--set ID=VALUE ...] [--night] [--model on|off]\n"
    "                [--scenario NAME] [--flightgear PORT [--seconds S]] [--screen WxH] "
    "[--vcockpit]\n"
    "                              draw a panel's visible windows (or one window) into a PNG,\n"
    "                              one below the other, or with --screen where the simulator\n"
    "                              shows them on a screen of W x H pixels (1024x768 picks the\n"
    "                              bitmaps otherwise); --vcockpit draws the virtual cockpit's\n"
    "                              textures instead;\n"
    "                              the aircraft starts cold and dark on the ramp, or in the\n"
    "                              scenario named, and its model runs during the updates unless\n"
    "                              --model off; --flightgear listens for FlightGear on\n"
    "                              127.0.0.1:PORT for S seconds (2 if not given) of real time";

namespace {

struct RenderArgs {
  std::filesystem::path panel;
  std::filesystem::path out;
  std::optional<std::string> window;
  double scale = 1;
  int updates = 1;
  std::vector<std::pair<uint32_t, double>> sets;
  bool night = false;
  std::optional<std::string> scenario;
  std::optional<uint16_t> flightgear_port;
  double seconds = 2;
  bool model = true;
  ScreenSize screen;
  bool draw_screen = false;
  bool vcockpit = false;
};

// WxH, as 1024x768.
ScreenSize screen_size(const std::string& text) {
  const size_t x = text.find('x');
  if (x == std::string::npos) throw HostError("--screen " + quote_input(text) + ": expected WxH");
  return {int(number_between(text.substr(0, x), "screen width", 64, kMaxWindowPixels)),
          int(number_between(text.substr(x + 1), "screen height", 64, kMaxWindowPixels))};
}

std::pair<uint32_t, double> variable_setting(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos)
    throw HostError("--set " + quote_input(text) + ": expected ID=VALUE");
  const double id = number_between(text.substr(0, equals), "variable id", 0, 4294967295.0);
  if (id != std::floor(id))
    throw HostError("--set " + quote_input(text) + ": the id must be a whole number");
  return {uint32_t(id), parse_var_value(uint32_t(id), text.substr(equals + 1))};
}

RenderArgs parse_render_args(const std::vector<std::string>& args) {
  RenderArgs parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--panel") parsed.panel = option_value(args, i);
    else if (arg == "--out") parsed.out = option_value(args, i);
    else if (arg == "--window") parsed.window = option_value(args, i);
    else if (arg == "--scale")
      parsed.scale = number_between(option_value(args, i), "scale", 0.1, 8);
    else if (arg == "--updates")
      parsed.updates = int(number_between(option_value(args, i), "updates", 0, 100000));
    else if (arg == "--set") parsed.sets.push_back(variable_setting(option_value(args, i)));
    else if (arg == "--night") parsed.night = true;
    else if (arg == "--scenario") parsed.scenario = option_value(args, i);
    else if (arg == "--flightgear")
      parsed.flightgear_port = uint16_t(number_between(option_value(args, i), "port", 1, 65535));
    else if (arg == "--seconds")
      parsed.seconds = number_between(option_value(args, i), "seconds", 0, 3600);
    else if (arg == "--model") parsed.model = model_switch(option_value(args, i));
    else if (arg == "--screen") {
      parsed.screen = screen_size(option_value(args, i));
      parsed.draw_screen = true;
    } else if (arg == "--vcockpit") parsed.vcockpit = true;
    else throw HostError("render: unknown option " + quote_input(arg));
  }
  if (parsed.panel.empty()) throw HostError("render: --panel FILE is required");
  if (parsed.out.empty()) throw HostError("render: --out FILE.png is required");
  return parsed;
}

// Runs the panel in real time for `seconds`, its flight variables from FlightGear, and prints
// the link's status.
void listen_to_flightgear(Session& session, uint16_t port, double seconds, std::ostream& out) {
  auto link = std::make_unique<flightgear::FlightGearLink>(
      std::make_unique<flightgear::UdpInput>(port));
  const flightgear::FlightGearLink& watched = *link;
  session.set_flight_source(std::move(link));
  session.set_model(true);
  const auto period = std::chrono::microseconds(1000000 / 18);
  auto next = std::chrono::steady_clock::now();
  for (double t = 0; t < seconds; t += 1.0 / 18) {
    session.update(1);
    next += period;
    std::this_thread::sleep_until(next);
  }
  out << watched.status() << "\n";
}

}  // namespace

int render(CliContext& context) {
  const RenderArgs args = parse_render_args(context.args);
  Session session(Module::load(context.module));
  set_ramp_state(session.sim());
  session.set_model(args.model);
  // The ramp (set above) and the --set values are there before the panel loads, so that the
  // gauges find them when they are installed and connected (the start-state gauges read the tank
  // capacities then). A scenario comes after the connect, so that its variables win over the
  // start-state gauge's shut-down; the --set values are made again after it.
  for (const auto& [id, value] : args.sets) session.sim().set_var(id, value);
  load_panel_file(session, args.panel, context.err,
                  PanelLoad{.screen = args.screen, .vcockpits = args.vcockpit});
  if (args.scenario) {
    session.apply_scenario(*args.scenario);
    for (const auto& [id, value] : args.sets) session.sim().set_var(id, value);
  }
  if (args.flightgear_port) listen_to_flightgear(session, *args.flightgear_port, args.seconds,
                                                 context.out);

  std::optional<size_t> only;
  if (args.window) {
    Window* window = session.find_window(*args.window);
    if (!window) throw HostError("render: the panel has no window " + quote_input(*args.window));
    session.set_window_visible(*window, true);  // drawn, so updated too
    only = size_t(window - session.windows().data());
  }
  session.update(args.updates);
  const render::RenderOptions options{.night = args.night};
  if (args.draw_screen && !only && !session.windows().front().vcockpit) {
    render::write_screen_png(session, args.screen, args.out, options);
    context.out << args.out.string() << "\n";
    return 0;
  }
  const std::vector<render::WindowView> windows =
      only ? std::vector<render::WindowView>{render::window_view(session, *only)}
           : render::visible_window_views(session);
  render::write_windows_png(session, windows, args.out, args.scale, options);
  context.out << args.out.string() << "\n";
  return 0;
}

}  // namespace gaugehost::cli
