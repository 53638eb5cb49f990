// Drawing panel windows: every gauge of a window at its place, at any scale, redrawing only the
// gauges that changed. Each gauge instance keeps its last display list; a kept window picture is
// painted again only where a gauge's list changed: the window's base there, and over it every
// gauge that reaches into that place, each replayed straight onto the window within its own
// rectangle.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/render/cairo_backend.h"
#include "host/render/display_list.h"
#include "host/render/image_store.h"

namespace gaugehost::render {

struct PlacedGauge {
  const void* key = nullptr;              // the instance, the same from one redraw to the next
  const EvaluatedElement* root = nullptr;  // its element tree as last evaluated
  Rect placement;                          // window pixels
};

// A gauge the module cannot draw: a labelled box.
struct PlaceholderBox {
  Rect box;           // window pixels
  std::string label;  // "module!gauge"
  auto operator<=>(const PlaceholderBox&) const = default;
};

struct WindowView {
  ImageSize size;  // window pixels
  std::filesystem::path background;  // the window's background bitmap (a BMP), or empty
  std::optional<uint32_t> paint;     // the window's colour (0xRRGGBB) under its bitmap
  std::vector<PlaceholderBox> placeholders;  // drawn on the window's base, under the gauges
  std::vector<PlacedGauge> gauges;  // in drawing order
  ImageSize shown;  // the size render_windows draws it at, before its scale (0: `size`)
};

// A window as the screen shows it: its picture stretched over `at` (screen pixels).
struct ScreenWindow {
  const WindowView* view = nullptr;
  Rect at;
};

// The largest picture render_windows makes: cairo's limit a side, and 1 GiB of pixels.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr int64_t kMaxPicturePixels = int64_t(1) << 28;

class PanelRenderer {
 public:
  explicit PanelRenderer(ImageStore& images) : images_(images) {}
  ~PanelRenderer();
  PanelRenderer(const PanelRenderer&) = delete;
  PanelRenderer& operator=(const PanelRenderer&) = delete;

  // Draws `window` with its top-left corner at the context's origin, `scale` device pixels per
  // window pixel.
  void draw_window(cairo_t* cr, const WindowView& window, double scale,
                   const RenderOptions& options);
  // A new surface with `window` drawn at `scale`.
  cairo_surface_t* render_window(const WindowView& window, double scale,
                                 const RenderOptions& options);
  // The kept picture of the window `key` brought up to date: only the places of gauges that
  // changed are painted again (all of it when the size, scale or lighting changed). The surface
  // belongs to the renderer and stays valid until the next call for the same key or forget().
  cairo_surface_t* update_window(const void* key, const WindowView& window, double scale,
                                 const RenderOptions& options);

  // Several windows one below the other, in the order given, on a dark ground. Throws HostError
  // when the picture would be more than kMaxPictureSide pixels a side or kMaxPicturePixels in all.
  cairo_surface_t* render_windows(const std::vector<WindowView>& windows, double scale,
                                  const RenderOptions& options);

  // A screen of `width` x `height` pixels with `windows` on it, in the order given (the later
  // over the earlier).
  cairo_surface_t* render_screen(const std::vector<ScreenWindow>& windows, int width, int height,
                                 const RenderOptions& options);

  // Drops every kept list and window picture: the next draw paints every gauge and window anew.
  // (The window bases are kept, like the bitmaps they are made of.)
  void forget();

  // What the last draw did: gauges whose display list changed, and gauges left as they were.
  struct Counts {
    int redrawn = 0;
    int reused = 0;
  };
  Counts last_counts() const { return counts_; }

 private:
  struct Kept {
    DisplayList list;
    bool drawn = false;  // the list has been replayed at least once
  };
  struct KeptWindow {
    cairo_surface_t* surface = nullptr;
    double scale = 0;
    RenderOptions options;
    std::vector<std::pair<const void*, Rect>> places;  // each gauge's device rectangle
  };
  // A gauge as it is drawn on the window: its display list at its device rectangle.
  struct GaugePicture {
    const void* key;
    const DisplayList* list;
    Rect at;
    bool changed;  // its list differs from the one last drawn
  };
  // The pictures of every gauge of the window: with the kept lists brought up to date, or, when
  // `unkept` is given, with lists held there and every picture taken as changed.
  std::vector<GaugePicture> gauge_pictures(const WindowView& window, double scale,
                                           std::vector<DisplayList>* unkept);
  // The base, then every gauge: all of the window when `damage` is empty, else only within
  // the damaged rectangles (device pixels), with the gauges that reach into them.
  void paint(cairo_t* cr, const std::vector<GaugePicture>& pictures, const WindowView& window,
             double scale, const RenderOptions& options, const std::vector<Rect>& damage);
  // The window without its gauges, opaque: the panel's paint with the background bitmap over
  // it, at the window's device size. Made once for each size and lighting and kept.
  cairo_surface_t* window_base(const WindowView& window, int width, int height, Tint tint);

  ImageStore& images_;
  std::map<const void*, Kept> kept_;
  std::map<const void*, KeptWindow> windows_;
  struct BaseKey {
    std::filesystem::path background;
    std::optional<uint32_t> paint;
    std::vector<PlaceholderBox> placeholders;
    Tint tint;
    int width, height;
    auto operator<=>(const BaseKey&) const = default;
  };
  std::map<BaseKey, cairo_surface_t*> bases_;
  Counts counts_;
};

}  // namespace gaugehost::render
