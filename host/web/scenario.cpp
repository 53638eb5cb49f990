#include "host/web/scenario.h"

#include "host/base/host_error.h"

namespace gaugehost::web {

namespace {

// Cold and dark at the ramp is where every variable starts: nothing to set.
void ramp_only(Session&, std::string_view name) {
  if (name != "ramp")
    throw HostError("unknown scenario " + quote_input(name) + ", expected ramp");
}

ScenarioHook& hook() {
  static ScenarioHook installed = ramp_only;
  return installed;
}

}  // namespace

void set_scenario_hook(ScenarioHook installed) {
  hook() = installed ? std::move(installed) : ScenarioHook(ramp_only);
}

void apply_scenario(Session& session, std::string_view name) { hook()(session, name); }

}  // namespace gaugehost::web
