// Where the web cockpit (and any other part of the host) puts the aircraft into a named
// scenario. The scenarios belong to the aircraft model; until it provides them, the host knows
// only the ramp: cold and dark, every variable at 0.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gaugehost {

class Session;

namespace web {

// Puts the session's aircraft into scenario `name`; throws HostError for a name it does not know,
// listing the names it does.
using ScenarioHook = std::function<void(Session& session, std::string_view name)>;

// The hook in use: the aircraft model installs its own here (null restores the ramp-only one).
void set_scenario_hook(ScenarioHook hook);
void apply_scenario(Session& session, std::string_view name);

}  // namespace web
}  // namespace gaugehost
