// What each gauge of a session costs: its update (service 6 and the evaluation of every element)
// and its drawing (display list built and replayed at its size on the panel), as medians over
// many runs so that a busy machine shows less. For `gaugehost profile` and the web cockpit's
// per-gauge costs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "host/render/cairo_backend.h"
#include "host/render/image_store.h"

namespace gaugehost {
class Session;
}  // namespace gaugehost

namespace gaugehost::render {

struct GaugeCost {
  std::string name;    // the instance's name ("Engine_RPM", "Engine_RPM:2")
  std::string window;  // the title of its window
  int elements = 0;    // elements evaluated per update
  double update_ns = 0;  // median of one update: service 6, then every element evaluated
  double draw_ns = 0;    // median of one drawing anew: display list built and replayed
};

struct ProfileOptions {
  int cycles = 200;          // cycles run and timed (each updates every profiled gauge once)
  int draws = 20;            // drawings of each gauge timed
  double scale = 1;          // device pixels per window pixel
  RenderOptions render;      // lighting
  bool hidden_windows = false;  // also the gauges of hidden windows (as if shown)
};

struct Profile {
  std::vector<GaugeCost> gauges;  // in placement order
  double model_ns = 0;  // median of the aircraft model's step per cycle (0 with the model off)
};

// Runs `options.cycles` cycles of the session (the gauges of visible windows, or of every window,
// updated in placement order and the model advanced, as Session::update does), timing each gauge,
// then draws each profiled gauge `options.draws` times after one untimed drawing (which decodes
// its bitmaps). The session goes on from where the cycles leave it.
Profile profile_session(Session& session, ImageStore& images, const ProfileOptions& options);

// A table of the costs, one gauge a line, with the totals of a cycle and of a full redraw.
void print_profile(std::ostream& out, const Profile& profile);

void to_json(nlohmann::json& json, const GaugeCost& cost);
void to_json(nlohmann::json& json, const Profile& profile);

}  // namespace gaugehost::render
