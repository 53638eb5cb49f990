// gaugehost serve: the live cockpit in a browser.
#include <pthread.h>
#include <signal.h>

#include <ostream>
#include <thread>
#include <vector>

#include "host/cli/commands.h"
#include "host/cli/options.h"
#include "host/web/cockpit.h"
#include "host/web/web_server.h"

namespace gaugehost::cli {

const char* const kServeUsage =
    "gaugehost serve [--panel FILE] [--scenario NAME] [--listen ADDR:PORT] [--pair]\n"
    "                [--flightgear PORT [--flightgear-send ADDR:PORT]]\n"
    "                              fly and inspect a panel in a web browser (default: the Corvane\n"
    "                              cockpit, cold and dark at the ramp, on 127.0.0.1:8080); beyond\n"
    "                              loopback, and on loopback with --pair, only a browser that opened\n"
    "                              the printed address with its token may see or operate it;\n"
    "                              --flightgear: FlightGear flies it, its frames read on UDP\n"
    "                              127.0.0.1:PORT and the panel's levers, switches and radios sent\n"
    "                              to 127.0.0.1:PORT+1 (or ADDR:PORT), from the systems of the\n"
    "                              scenario cruise unless --scenario names another";

namespace {

struct ServeArgs {
  std::filesystem::path panel = std::filesystem::path(CRV5_SOURCE_DIR) / "panels" / "corvane" /
                                "panel.cfg";
  std::optional<std::string> scenario;
  std::string listen = "127.0.0.1:8080";
  bool pair = false;  // the token asked for on loopback too (a machine shared with other users)
  std::optional<web::FlightGearOptions> flightgear;
  std::optional<std::string> flightgear_send;
};

// ADDR:PORT (an empty ADDR: 127.0.0.1) where the panel's frames go.
void set_flightgear_send(web::FlightGearOptions& options, const std::string& text) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos)
    throw HostError("--flightgear-send " + quote_input(text) + ": expected ADDRESS:PORT");
  if (colon > 0) options.send_address = text.substr(0, colon);
  options.send_port = uint16_t(number_between(text.substr(colon + 1), "port", 1, 65535));
}

ServeArgs parse_serve_args(const std::vector<std::string>& args) {
  ServeArgs parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--panel") parsed.panel = option_value(args, i);
    else if (arg == "--scenario") parsed.scenario = option_value(args, i);
    else if (arg == "--listen") parsed.listen = option_value(args, i);
    else if (arg == "--pair") parsed.pair = true;
    else if (arg == "--flightgear") {
      const auto port = uint16_t(number_between(option_value(args, i), "port", 1, 65534));
      parsed.flightgear = web::FlightGearOptions{.listen_port = port, .send_port = uint16_t(port + 1)};
    } else if (arg == "--flightgear-send") parsed.flightgear_send = option_value(args, i);
    else throw HostError("serve: unknown option " + quote_input(arg));
  }
  if (parsed.flightgear_send) {
    if (!parsed.flightgear) throw HostError("--flightgear-send needs --flightgear PORT");
    set_flightgear_send(*parsed.flightgear, *parsed.flightgear_send);
  }
  return parsed;
}

}  // namespace

int serve(CliContext& context) {
  const ServeArgs args = parse_serve_args(context.args);
  const web::ListenAddress listen = web::parse_listen_address(args.listen);

  // Ctrl-C and the other ending signals are taken here, by this thread, to stop in order.
  sigset_t ending;
  sigemptyset(&ending);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signal);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);

  // FlightGear's aircraft is flying: the panel starts from a scenario with its systems running.
  const std::string scenario = args.scenario.value_or(args.flightgear ? "cruise" : "ramp");
  web::Cockpit cockpit(
      web::CockpitOptions{context.module, args.panel, scenario, args.flightgear});
  web::WebServer server(cockpit, listen, {},
                        args.pair ? web::Pairing::always : web::Pairing::beyond_loopback);
  const int port = server.bind();
  const std::string host = listen.host.find(':') != std::string::npos ? "[" + listen.host + "]"
                                                                       : listen.host;
  if (server.token().empty()) {
    context.out << "The cockpit is at http://" << host << ":" << port << "/ (Ctrl-C stops it)"
                << std::endl;
  } else {
    // Only a browser that opened the address with the token may see and operate the cockpit;
    // beyond loopback the token travels unencrypted, so the network must be one the user trusts.
    const std::string query = "/?token=" + server.token();
    const bool every = listen.host == "0.0.0.0" || listen.host == "::";
    std::vector<std::string> addresses;
    for (const std::string& address : every ? web::machine_addresses() : std::vector{host})
      if (!web::is_loopback(address) && address.find(':') == std::string::npos)
        addresses.push_back(address);
    if (addresses.empty()) addresses.push_back(host);
    context.out << "The cockpit is at http://" << addresses.front() << ":" << port << query
                << " (Ctrl-C stops it)" << std::endl;
    for (size_t i = 1; i < addresses.size(); ++i)
      context.out << "  also at http://" << addresses[i] << ":" << port << query << std::endl;
    if (!web::is_loopback(listen.host))
      context.err << "gaugehost: serving beyond this machine: whoever has this address with its "
                     "token can see and operate the cockpit, and anyone on the network path "
                     "can read it (no encryption)" << std::endl;
  }

  if (args.flightgear)
    context.out << "FlightGear: its frames on UDP 127.0.0.1:" << args.flightgear->listen_port
                << ", the panel's to UDP " << args.flightgear->send_address << ":"
                << args.flightgear->send_port << std::endl;
  cockpit.start();
  std::thread serving([&server] { server.run(); });
  int signal = 0;
  sigwait(&ending, &signal);
  server.stop();
  cockpit.stop();
  serving.join();
  context.out << "Stopped." << std::endl;
  return 0;
}

}  // namespace gaugehost::cli
