#include "host/render/panel_renderer.h"

#include <algorithm>
#include <cmath>

namespace gaugehost::render {

namespace {

constexpr uint32_t kPanelColour = 0x3a3f44;   // the panel's paint
constexpr uint32_t kScreenColour = 0x16181a;  // around the windows
constexpr double kWindowGap = 8;              // window pixels between stacked windows

void fill(cairo_t* cr, uint32_t rgb, Tint tint, double width, double height) {
  const TintColour k = tint_colour(tint);
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0 * k.red,
                       ((rgb >> 8) & 0xff) / 255.0 * k.green, (rgb & 0xff) / 255.0 * k.blue);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
}

int device_pixels(double window_pixels, double scale) {
  return std::max(1, static_cast<int>(std::lround(window_pixels * scale)));
}

}  // namespace

PanelRenderer::~PanelRenderer() { forget(); }

void PanelRenderer::forget() {
  for (auto& [key, kept] : kept_) cairo_surface_destroy(kept.surface);
  kept_.clear();
}

cairo_surface_t* PanelRenderer::gauge_surface(const PlacedGauge& gauge, int width, int height,
                                              const RenderOptions& options) {
  DisplayList list = build_display_list(*gauge.root, images_.sizes());
  Kept& kept = kept_[gauge.key];
  if (kept.surface && kept.width == width && kept.height == height && kept.options == options &&
      kept.list == list) {
    ++counts_.reused;
    return kept.surface;
  }
  ++counts_.redrawn;
  if (!kept.surface || kept.width != width || kept.height != height) {
    if (kept.surface) cairo_surface_destroy(kept.surface);
    kept.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  }
  cairo_t* cr = cairo_create(kept.surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  if (list.size.width > 0 && list.size.height > 0)
    cairo_scale(cr, double(width) / list.size.width, double(height) / list.size.height);
  replay(cr, list, images_, options);
  cairo_destroy(cr);
  kept.width = width;
  kept.height = height;
  kept.options = options;
  kept.list = std::move(list);
  return kept.surface;
}

void PanelRenderer::draw_window(cairo_t* cr, const WindowView& window, double scale,
                                const RenderOptions& options) {
  counts_ = {};
  cairo_save(cr);
  fill(cr, kPanelColour, options.night ? Tint::dim : Tint::none,
       device_pixels(window.size.width, scale), device_pixels(window.size.height, scale));
  for (const PlacedGauge& gauge : window.gauges) {
    if (!gauge.root) continue;
    const int width = device_pixels(gauge.placement.width, scale);
    const int height = device_pixels(gauge.placement.height, scale);
    cairo_surface_t* surface = gauge_surface(gauge, width, height, options);
    cairo_set_source_surface(cr, surface, std::lround(gauge.placement.x * scale),
                             std::lround(gauge.placement.y * scale));
    cairo_paint(cr);
  }
  cairo_restore(cr);
}

cairo_surface_t* PanelRenderer::render_window(const WindowView& window, double scale,
                                              const RenderOptions& options) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, device_pixels(window.size.width, scale),
                                 device_pixels(window.size.height, scale));
  cairo_t* cr = cairo_create(surface);
  draw_window(cr, window, scale, options);
  cairo_destroy(cr);
  return surface;
}

cairo_surface_t* PanelRenderer::render_windows(const std::vector<WindowView>& windows,
                                               double scale, const RenderOptions& options) {
  double width = 0, height = 0;
  for (const WindowView& window : windows) {
    width = std::max(width, double(window.size.width));
    height += window.size.height + kWindowGap;
  }
  height = std::max(0.0, height - kWindowGap);
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, device_pixels(width, scale), device_pixels(height, scale));
  cairo_t* cr = cairo_create(surface);
  fill(cr, kScreenColour, Tint::none, device_pixels(width, scale), device_pixels(height, scale));
  double top = 0;
  for (const WindowView& window : windows) {
    cairo_save(cr);
    cairo_translate(cr, 0, std::lround(top * scale));
    draw_window(cr, window, scale, options);
    cairo_restore(cr);
    top += window.size.height + kWindowGap;
  }
  cairo_destroy(cr);
  return surface;
}

}  // namespace gaugehost::render
