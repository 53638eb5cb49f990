// The default cockpit as the benchmarks run it: the real module, panels/corvane/panel.cfg, every
// window shown (so that all 90 gauges are updated and drawn), the aircraft cold and dark on the
// ramp.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "host/panel/session.h"
#include "host/sim/start_state.h"

namespace gaugehost::bench {

// The process's resident memory in MiB.
inline double resident_mib() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

inline std::filesystem::path default_cockpit() {
  return std::filesystem::path(CRV5_SOURCE_DIR) / "panels/corvane/panel.cfg";
}

// Calls `visit(gauge, element)` for every element evaluated in a cycle, over every gauge.
template <class Visit>
void for_each_element(const Session& session, Visit visit) {
  const auto walk = [&](const auto& self, const GaugeInstance& gauge,
                        const EvaluatedElement& e) -> void {
    visit(gauge, e);
    for (const EvaluatedElement& child : e.children) self(self, gauge, child);
  };
  for (const auto& gauge : session.gauges()) walk(walk, *gauge, gauge->root);
}

// A session of the default cockpit with every window shown and one cycle run.
struct Cockpit {
  explicit Cockpit(bool model_on = false) : session(Module::load(default_module_path())) {
    set_ramp_state(session.sim());
    session.set_model(model_on);
    session.load_panel(read_panel_config(default_cockpit()));
    for (size_t i = 0; i < session.windows().size(); ++i)
      session.set_window_visible(*session.find_window(session.windows()[i].ident), true);
    session.update(1);
  }

  int element_count() const {
    int count = 0;
    for_each_element(session, [&](const GaugeInstance&, const EvaluatedElement&) { ++count; });
    return count;
  }

  Session session;
};

}  // namespace gaugehost::bench
