// Helpers of the drawing tests: bitmaps of one colour, reading pixels, evaluated elements.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "host/eval/evaluated.h"

namespace gaugehost::render::testing {

inline cairo_surface_t* solid(int width, int height, double r, double g, double b, double a = 1) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgba(cr, r, g, b, a);
  cairo_paint(cr);
  cairo_destroy(cr);
  return s;
}

// Pixels of an image surface as premultiplied 0xAARRGGBB; owns the surface.
struct Pixels {
  explicit Pixels(cairo_surface_t* s) : surface(s) { cairo_surface_flush(s); }
  ~Pixels() { cairo_surface_destroy(surface); }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;
  int width() const { return cairo_image_surface_get_width(surface); }
  int height() const { return cairo_image_surface_get_height(surface); }
  const uint32_t* row(int y) const {
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface) +
                                             y * cairo_image_surface_get_stride(surface));
  }
  uint32_t at(int x, int y) const { return row(y)[x]; }
  bool operator==(const Pixels& other) const {
    if (width() != other.width() || height() != other.height()) return false;
    for (int y = 0; y < height(); ++y)
      if (std::memcmp(row(y), other.row(y), width() * 4)) return false;
    return true;
  }
  cairo_surface_t* surface;
};

// An element as evaluation leaves it, before any value is set.
inline EvaluatedElement evaluated(ElementHeader& record, std::vector<EvaluatedElement> children = {}) {
  EvaluatedElement e;
  e.record = &record;
  e.kind = record.kind;
  e.resource_id = record.resource_id;
  e.flags = record.image_flags;
  e.evaluated = true;
  e.children = std::move(children);
  return e;
}

}  // namespace gaugehost::render::testing
