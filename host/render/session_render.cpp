#include "host/render/session_render.h"

#include "host/panel/session.h"

namespace gaugehost::render {

WindowView window_view(const Session& session, size_t window_index) {
  const Window& window = session.windows().at(window_index);
  WindowView view{.size = {window.window_size.width, window.window_size.height},
                  .background = window.background};
  for (const auto& gauge : session.gauges()) {
    if (gauge->window != window_index) continue;
    const PixBox& at = gauge->placement;
    view.gauges.push_back(PlacedGauge{
        .key = gauge.get(),
        .root = &gauge->root,
        .placement = {double(at.x), double(at.y), double(at.width), double(at.height)}});
  }
  return view;
}

std::vector<WindowView> visible_window_views(const Session& session) {
  std::vector<WindowView> views;
  for (size_t i = 0; i < session.windows().size(); ++i)
    if (session.windows()[i].visible) views.push_back(window_view(session, i));
  return views;
}

void write_windows_png(const Session& session, const std::vector<WindowView>& windows,
                       const std::filesystem::path& out, double scale,
                       const RenderOptions& options) {
  if (windows.empty()) throw HostError("render: no window of the panel is visible");
  ImageStore images = ImageStore::for_module(session.module_handle());
  PanelRenderer renderer(images);
  cairo_surface_t* surface = renderer.render_windows(windows, scale, options);
  std::string error;
  const bool written = write_png(surface, out.string(), error);
  cairo_surface_destroy(surface);
  if (!written) throw HostError(error);
}

}  // namespace gaugehost::render
