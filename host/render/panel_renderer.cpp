#include "host/render/panel_renderer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "host/base/host_error.h"

namespace gaugehost::render {

namespace {

constexpr uint32_t kPanelColour = 0x3a3f44;   // the panel's paint
constexpr uint32_t kScreenColour = 0x16181a;  // around the windows
constexpr double kWindowGap = 8;              // window pixels between stacked windows

void fill(cairo_t* cr, uint32_t rgb, Tint tint, double width, double height) {
  set_tinted_colour(cr, rgb, tint);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
}

int device_pixels(double window_pixels, double scale) {
  return std::max(1, static_cast<int>(std::lround(window_pixels * scale)));
}

constexpr uint32_t kPlaceholderColour = 0x5a4a3a;  // a gauge the module cannot draw
constexpr uint32_t kPlaceholderInk = 0xf0d8a0;
constexpr double kPlaceholderHatch = 12;           // window pixels between hatch lines
constexpr double kPlaceholderText = 14;            // the label's largest size

}  // namespace

PanelRenderer::~PanelRenderer() {
  forget();
  for (auto& [key, base] : bases_) cairo_surface_destroy(base);
}

void PanelRenderer::forget() {
  kept_.clear();
  for (auto& [key, window] : windows_) cairo_surface_destroy(window.surface);
  windows_.clear();
}

namespace {

// A gauge the module cannot draw: a hatched box with its name, drawn on the window's base.
void draw_placeholder(cairo_t* cr, const PlaceholderBox& placeholder, Tint tint) {
  const Rect& box = placeholder.box;
  cairo_save(cr);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_clip_preserve(cr);
  set_tinted_colour(cr, kPlaceholderColour, tint);
  cairo_fill_preserve(cr);
  set_tinted_colour(cr, kPlaceholderInk, tint);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  for (double d = -box.height; d < box.width; d += kPlaceholderHatch) {
    cairo_move_to(cr, box.x + d, box.y + box.height);
    cairo_line_to(cr, box.x + d + box.height, box.y);
  }
  cairo_set_line_width(cr, 0.5);
  cairo_stroke(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_text_extents_t extents;
  cairo_set_font_size(cr, kPlaceholderText);
  cairo_text_extents(cr, placeholder.label.c_str(), &extents);
  // As large as fits the box's width, up to kPlaceholderText.
  if (extents.x_advance > box.width - 8 && extents.x_advance > 0)
    cairo_set_font_size(cr, std::max(4.0, kPlaceholderText * (box.width - 8) / extents.x_advance));
  cairo_text_extents(cr, placeholder.label.c_str(), &extents);
  cairo_move_to(cr, box.x + (box.width - extents.x_advance) / 2,
                box.y + (box.height + extents.height) / 2);
  cairo_show_text(cr, placeholder.label.c_str());
  cairo_restore(cr);
}

}  // namespace

cairo_surface_t* PanelRenderer::window_base(const WindowView& window, int width, int height,
                                            Tint tint) {
  auto [it, inserted] = bases_.try_emplace(
      {window.background, window.paint, window.placeholders, tint, width, height}, nullptr);
  if (!inserted) return it->second;
  it->second = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(it->second);
  fill(cr, window.paint.value_or(kPanelColour), tint, width, height);
  if (cairo_surface_t* background =
          window.background.empty() ? nullptr : images_.find_file(window.background, tint)) {
    // Stretched over the window, as the simulator fits a window's bitmap to its size.
    cairo_scale(cr, double(width) / cairo_image_surface_get_width(background),
                double(height) / cairo_image_surface_get_height(background));
    cairo_set_source_surface(cr, background, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_paint(cr);
  }
  cairo_identity_matrix(cr);
  cairo_scale(cr, double(width) / window.size.width, double(height) / window.size.height);
  for (const PlaceholderBox& placeholder : window.placeholders)
    draw_placeholder(cr, placeholder, tint);
  cairo_destroy(cr);
  return it->second;
}

std::vector<PanelRenderer::GaugePicture> PanelRenderer::gauge_pictures(
    const WindowView& window, double scale, std::vector<DisplayList>* unkept) {
  std::vector<GaugePicture> pictures;
  pictures.reserve(window.gauges.size());
  if (unkept) unkept->reserve(window.gauges.size());  // the pictures point into it
  for (const PlacedGauge& gauge : window.gauges) {
    if (!gauge.root) continue;
    const Rect at{double(std::lround(gauge.placement.x * scale)),
                  double(std::lround(gauge.placement.y * scale)),
                  double(device_pixels(gauge.placement.width, scale)),
                  double(device_pixels(gauge.placement.height, scale))};
    DisplayList list = build_display_list(*gauge.root, images_.sizes());
    if (unkept) {
      pictures.push_back({gauge.key, &unkept->emplace_back(std::move(list)), at, true});
      continue;
    }
    Kept& kept = kept_[gauge.key];
    const bool changed = !kept.drawn || !(kept.list == list);
    if (changed) kept.list = std::move(list);
    kept.drawn = true;
    pictures.push_back({gauge.key, &kept.list, at, changed});
  }
  return pictures;
}

void PanelRenderer::paint(cairo_t* cr, const std::vector<GaugePicture>& pictures,
                          const WindowView& window, double scale, const RenderOptions& options,
                          const std::vector<Rect>& damage) {
  const int width = device_pixels(window.size.width, scale);
  const int height = device_pixels(window.size.height, scale);
  const auto damaged = [&damage](const Rect& at) {
    return damage.empty() || std::any_of(damage.begin(), damage.end(), [&at](const Rect& d) {
             return at.x < d.x + d.width && d.x < at.x + at.width && at.y < d.y + d.height &&
                    d.y < at.y + at.height;
           });
  };
  if (!damage.empty()) {
    for (const Rect& d : damage) cairo_rectangle(cr, d.x, d.y, d.width, d.height);
    cairo_clip(cr);
  }
  // The base is opaque: copied, not blended (a rectangle, so nothing beyond the window changes).
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, window_base(window, width, height, options.night ? Tint::dim
                                                                                : Tint::none),
                           0, 0);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  counts_ = {};
  for (const GaugePicture& picture : pictures) {
    const Rect& at = picture.at;
    if (!damaged(at)) {
      ++counts_.reused;  // nothing of it is painted again
      continue;
    }
    ++counts_.redrawn;
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rectangle(cr, 0, 0, at.width, at.height);
    cairo_clip(cr);
    const ImageSize size = picture.list->size;
    if (size.width > 0 && size.height > 0)
      cairo_scale(cr, at.width / size.width, at.height / size.height);
    replay(cr, *picture.list, images_, options);
    cairo_restore(cr);
  }
}

void PanelRenderer::draw_window(cairo_t* cr, const WindowView& window, double scale,
                                const RenderOptions& options) {
  std::vector<DisplayList> lists;  // a picture of its own: the kept windows are not touched
  const std::vector<GaugePicture> pictures = gauge_pictures(window, scale, &lists);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, device_pixels(window.size.width, scale),
                  device_pixels(window.size.height, scale));
  cairo_clip(cr);
  paint(cr, pictures, window, scale, options, {});
  cairo_restore(cr);
}

cairo_surface_t* PanelRenderer::update_window(const void* key, const WindowView& window,
                                              double scale, const RenderOptions& options) {
  const std::vector<GaugePicture> pictures = gauge_pictures(window, scale, nullptr);
  std::vector<std::pair<const void*, Rect>> places;
  places.reserve(pictures.size());
  for (const GaugePicture& picture : pictures) places.emplace_back(picture.key, picture.at);
  KeptWindow& kept = windows_[key];
  const int width = device_pixels(window.size.width, scale);
  const int height = device_pixels(window.size.height, scale);
  const bool same_size = kept.surface && cairo_image_surface_get_width(kept.surface) == width &&
                         cairo_image_surface_get_height(kept.surface) == height;
  const bool repaint_all = !same_size || kept.scale != scale || !(kept.options == options) ||
                           kept.places != places;
  if (!same_size) {  // a surface of the right size is painted over whole
    if (kept.surface) cairo_surface_destroy(kept.surface);
    kept.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  }
  cairo_t* cr = cairo_create(kept.surface);
  // Unless all of it is painted: only where a gauge changed, with the gauges that reach there.
  std::vector<Rect> damage;
  if (!repaint_all)
    for (const GaugePicture& picture : pictures)
      if (picture.changed) damage.push_back(picture.at);
  if (repaint_all || !damage.empty()) {
    paint(cr, pictures, window, scale, options, damage);
  } else {
    counts_ = {.redrawn = 0, .reused = int(pictures.size())};
  }
  cairo_destroy(cr);
  kept.scale = scale;
  kept.options = options;
  kept.places = std::move(places);
  return kept.surface;
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
  const auto shown = [](const WindowView& window) {
    return window.shown.width > 0 && window.shown.height > 0 ? window.shown : window.size;
  };
  double width = 0, height = 0;
  for (const WindowView& window : windows) {
    width = std::max(width, double(shown(window).width));
    height += shown(window).height + kWindowGap;
  }
  height = std::max(0.0, height - kWindowGap);
  const double device_width = width * scale, device_height = height * scale;
  if (!(device_width <= kMaxPictureSide && device_height <= kMaxPictureSide &&
        device_width * device_height <= double(kMaxPicturePixels)))
    throw HostError("the picture would be " + std::to_string(std::lround(device_width)) + " x " +
                    std::to_string(std::lround(device_height)) + " pixels, more than " +
                    std::to_string(kMaxPictureSide) + " a side or " +
                    std::to_string(kMaxPicturePixels / 1000000) + " million pixels; draw fewer "
                    "windows or at a smaller scale");
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, device_pixels(width, scale), device_pixels(height, scale));
  cairo_t* cr = cairo_create(surface);
  fill(cr, kScreenColour, Tint::none, device_pixels(width, scale), device_pixels(height, scale));
  double top = 0;
  for (const WindowView& window : windows) {
    cairo_save(cr);
    cairo_translate(cr, 0, std::lround(top * scale));
    const ImageSize size = shown(window);
    if (size == window.size) {
      draw_window(cr, window, scale, options);
    } else {
      cairo_scale(cr, scale * size.width / window.size.width,
                  scale * size.height / window.size.height);
      draw_window(cr, window, 1, options);
    }
    cairo_restore(cr);
    top += size.height + kWindowGap;
  }
  cairo_destroy(cr);
  return surface;
}

cairo_surface_t* PanelRenderer::render_screen(const std::vector<ScreenWindow>& windows, int width,
                                              int height, const RenderOptions& options) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  fill(cr, kScreenColour, Tint::none, width, height);
  for (const ScreenWindow& window : windows) {
    cairo_save(cr);
    cairo_translate(cr, window.at.x, window.at.y);
    cairo_scale(cr, window.at.width / window.view->size.width,
                window.at.height / window.view->size.height);
    draw_window(cr, *window.view, 1, options);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return surface;
}

}  // namespace gaugehost::render
