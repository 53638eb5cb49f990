// Replays display lists onto cairo surfaces. The caller's transform on the cairo context maps the
// gauge's bitmap pixels to the target (a scale and an offset), so one list draws at any size.
#pragma once

#include <cairo.h>

#include <string>

#include "host/render/display_list.h"
#include "host/render/image_store.h"

namespace gaugehost::render {

struct RenderOptions {
  bool night = false;  // a dimmed panel: luminous parts lit warmly, bright parts at full strength
  bool operator==(const RenderOptions&) const = default;
};

// How an operation is coloured under the options.
Tint tint_for(Lighting lighting, const RenderOptions& options);

// A colour, 0xRRGGBB, as the cairo source, tinted.
void set_tinted_colour(cairo_t* cr, uint32_t rgb, Tint tint);

// Draws every operation of `list` in order. A bitmap the module lacks is drawn as a
// magenta-outlined box of the operation's size.
void replay(cairo_t* cr, const DisplayList& list, ImageStore& images, const RenderOptions& options);

// A new ARGB surface of `list` drawn at `scale` (pixels per gauge pixel).
cairo_surface_t* render_display_list(const DisplayList& list, ImageStore& images,
                                     const RenderOptions& options, double scale);

// `text` if it is valid UTF-8; otherwise its bytes read as Latin-1 (cairo refuses invalid UTF-8
// and would stop drawing altogether).
std::string displayable_utf8(const std::string& text);

// Writes `surface` as a PNG file; false with a reason in `error` when it cannot.
bool write_png(cairo_surface_t* surface, const std::string& path, std::string& error);

}  // namespace gaugehost::render
