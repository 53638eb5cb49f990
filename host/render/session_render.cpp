#include "host/render/session_render.h"

#include "host/panel/session.h"

namespace gaugehost::render {

WindowView window_view(const Session& session, size_t window_index) {
  const Window& window = session.windows().at(window_index);
  WindowView view{.size = {window.window_size.width, window.window_size.height},
                  .background = window.background};
  if (window.vcockpit) view.shown = {window.texture_size.width, window.texture_size.height};
  if (window.paint)
    view.paint = uint32_t(window.paint->red) << 16 | uint32_t(window.paint->green) << 8 |
                 window.paint->blue;
  for (const Placeholder& placeholder : window.placeholders) {
    const PixBox& at = placeholder.box;
    view.placeholders.push_back(
        {{double(at.x), double(at.y), double(at.width), double(at.height)}, placeholder.label});
  }
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

namespace {

void write_surface(cairo_surface_t* surface, const std::filesystem::path& out) {
  std::string error;
  const bool written = write_png(surface, out.string(), error);
  cairo_surface_destroy(surface);
  if (!written) throw HostError(error);
}

}  // namespace

void write_screen_png(const Session& session, ScreenSize screen,
                      const std::filesystem::path& out, const RenderOptions& options) {
  std::vector<WindowView> views;
  std::vector<const Window*> shown;
  for (size_t i = 0; i < session.windows().size(); ++i)
    if (session.windows()[i].visible && !session.windows()[i].vcockpit) {
      views.push_back(window_view(session, i));
      shown.push_back(&session.windows()[i]);
    }
  if (views.empty()) throw HostError("render: no window of the panel is visible");
  std::vector<ScreenWindow> placed;
  for (size_t i = 0; i < views.size(); ++i) {
    const ScreenRect& at = shown[i]->screen;
    placed.push_back({&views[i], {at.x * screen.width, at.y * screen.height,
                                  at.w * screen.width, at.h * screen.height}});
  }
  ImageStore images = ImageStore::for_module(session.module_handle());
  PanelRenderer renderer(images);
  write_surface(renderer.render_screen(placed, screen.width, screen.height, options), out);
}

void write_windows_png(const Session& session, const std::vector<WindowView>& windows,
                       const std::filesystem::path& out, double scale,
                       const RenderOptions& options) {
  if (windows.empty()) throw HostError("render: no window of the panel is visible");
  ImageStore images = ImageStore::for_module(session.module_handle());
  PanelRenderer renderer(images);
  write_surface(renderer.render_windows(windows, scale, options), out);
}

}  // namespace gaugehost::render
