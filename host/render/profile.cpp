#include "host/render/profile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>

#include <nlohmann/json.hpp>

#include "host/panel/session.h"

namespace gaugehost::render {

namespace {

using Clock = std::chrono::steady_clock;

double nanoseconds_since(Clock::time_point start) {
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

double median(std::vector<double>& samples) {
  if (samples.empty()) return 0;
  const auto middle = samples.begin() + std::ptrdiff_t(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  return *middle;
}

int count_elements(const EvaluatedElement& e) {
  int count = 1;
  for (const EvaluatedElement& child : e.children) count += count_elements(child);
  return count;
}

int device_pixels(double window_pixels, double scale) {
  return std::max(1, int(std::lround(window_pixels * scale)));
}

// One drawing anew of a gauge: its display list built, then replayed at its size on the panel
// (onto a cleared surface of its own; the panel renderer replays it onto the window).
void draw_gauge(const GaugeInstance& gauge, cairo_surface_t* surface, ImageStore& images,
                const RenderOptions& options) {
  const DisplayList list = build_display_list(gauge.root, images.sizes());
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  if (list.size.width > 0 && list.size.height > 0)
    cairo_scale(cr, cairo_image_surface_get_width(surface) / double(list.size.width),
                cairo_image_surface_get_height(surface) / double(list.size.height));
  replay(cr, list, images, options);
  cairo_destroy(cr);
}

double draw_cost(const GaugeInstance& gauge, ImageStore& images, const ProfileOptions& options) {
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, device_pixels(gauge.placement.width, options.scale),
      device_pixels(gauge.placement.height, options.scale));
  draw_gauge(gauge, surface, images, options.render);  // bitmaps decoded and scaled once
  std::vector<double> samples;
  for (int i = 0; i < options.draws; ++i) {
    const Clock::time_point start = Clock::now();
    draw_gauge(gauge, surface, images, options.render);
    samples.push_back(nanoseconds_since(start));
  }
  cairo_surface_destroy(surface);
  return median(samples);
}

}  // namespace

Profile profile_session(Session& session, ImageStore& images, const ProfileOptions& options) {
  std::vector<GaugeInstance*> profiled;
  for (const auto& gauge : session.gauges())
    if (options.hidden_windows || session.windows()[gauge->window].visible)
      profiled.push_back(gauge.get());

  std::vector<std::vector<double>> updates(profiled.size());
  std::vector<double> model_steps;
  for (int cycle = 0; cycle < options.cycles; ++cycle) {
    for (size_t i = 0; i < profiled.size(); ++i) {
      const Clock::time_point start = Clock::now();
      session.update_gauge(*profiled[i]);
      updates[i].push_back(nanoseconds_since(start));
    }
    const Clock::time_point start = Clock::now();
    session.advance_model();
    model_steps.push_back(nanoseconds_since(start));
  }

  Profile profile;
  profile.model_ns = session.model_on() ? median(model_steps) : 0;
  for (size_t i = 0; i < profiled.size(); ++i) {
    const GaugeInstance& gauge = *profiled[i];
    profile.gauges.push_back(GaugeCost{.name = gauge.name,
                                       .window = session.windows()[gauge.window].title,
                                       .elements = count_elements(gauge.root),
                                       .update_ns = median(updates[i]),
                                       .draw_ns = draw_cost(gauge, images, options)});
  }
  return profile;
}

void print_profile(std::ostream& out, const Profile& profile) {
  char line[160];
  std::snprintf(line, sizeof line, "%-32s %-24s %8s %12s %12s\n", "gauge", "window", "elements",
                "update us", "draw us");
  out << line;
  double update = 0, draw = 0;
  int elements = 0;
  for (const GaugeCost& cost : profile.gauges) {
    std::snprintf(line, sizeof line, "%-32s %-24.24s %8d %12.3f %12.1f\n", cost.name.c_str(),
                  cost.window.c_str(), cost.elements, cost.update_ns / 1000, cost.draw_ns / 1000);
    out << line;
    update += cost.update_ns;
    draw += cost.draw_ns;
    elements += cost.elements;
  }
  std::snprintf(line, sizeof line, "%-32s %-24s %8d %12.3f %12.1f\n", "all gauges", "", elements,
                update / 1000, draw / 1000);
  out << line;
  std::snprintf(line, sizeof line, "%-32s %-24s %8s %12.3f\n", "aircraft model step", "", "",
                profile.model_ns / 1000);
  out << line;
}

void to_json(nlohmann::json& json, const GaugeCost& cost) {
  json = {{"name", cost.name},           {"window", cost.window},
          {"elements", cost.elements},   {"update_ns", cost.update_ns},
          {"draw_ns", cost.draw_ns}};
}

void to_json(nlohmann::json& json, const Profile& profile) {
  json = {{"gauges", profile.gauges}, {"model_ns", profile.model_ns}};
}

}  // namespace gaugehost::render
