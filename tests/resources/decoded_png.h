// Decoding the module's embedded PNGs for the resource tests.
#pragma once

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "module/resources.h"

namespace crv5::testing {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// The directory's entry of that type and id, or null.
inline const ResourceEntry* find_resource(const char* type, int32_t id) {
  for (const ResourceEntry* e = ResourceDirectory; e->type; ++e)
    if (std::strcmp(e->type, type) == 0 && e->id == id) return e;
  return nullptr;
}

// The PNG bytes of an entry decoded; the surface's status tells whether they decoded.
inline Surface decode_png(const ResourceEntry& e) {
  struct Reader {
    const unsigned char* data;
    uint32_t left;
  } reader{e.data, e.size};
  auto read = [](void* closure, unsigned char* out, unsigned int length) {
    auto* r = static_cast<Reader*>(closure);
    if (length > r->left) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data, length);
    r->data += length;
    r->left -= length;
    return CAIRO_STATUS_SUCCESS;
  };
  return Surface(cairo_image_surface_create_from_png_stream(read, &reader), cairo_surface_destroy);
}

// A pixel of an ARGB32 surface (premultiplied), 0 to 255: alpha, the brightest colour channel, and
// the dimmest one (high only for white and near-white).
struct Pixel {
  int alpha;
  int brightness;
  int whiteness;
};
inline Pixel pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  uint32_t argb;
  std::memcpy(&argb, row + 4 * x, 4);
  const int r = (argb >> 16) & 0xff, g = (argb >> 8) & 0xff, b = argb & 0xff;
  return {int(argb >> 24), std::max({r, g, b}), std::min({r, g, b})};
}

}  // namespace crv5::testing
