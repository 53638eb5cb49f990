// Helpers of the drawing tests: bitmaps of one colour, reading pixels, evaluated elements.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
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

// `surface` with `draw` run on it.
template <typename Draw>
cairo_surface_t* painted(cairo_surface_t* surface, Draw draw) {
  cairo_t* cr = cairo_create(surface);
  draw(cr);
  cairo_destroy(cr);
  return surface;
}

// Pixels of an image surface as premultiplied 0xAARRGGBB; owns the surface.
struct Pixels {
  explicit Pixels(cairo_surface_t* s) : surface(s) { cairo_surface_flush(s); }
  ~Pixels() { cairo_surface_destroy(surface); }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;
  int width() const { return cairo_image_surface_get_width(surface); }
  int height() const { return cairo_image_surface_get_height(surface); }
  uint32_t* row(int y) const {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
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

// A file in the drawing tests' output folder (in the build folder), removed if a run left it.
inline std::string output_path(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(CRV5_BUILD_DIR) / "render-test-output";
  std::filesystem::create_directories(folder);
  std::filesystem::remove_all(folder / name);
  return (folder / name).string();
}

// An element as evaluation leaves it, before any value is set.
inline EvaluatedElement evaluated(ElementHeader& record,
                                  std::vector<EvaluatedElement> children = {}) {
  return {.record = &record, .kind = record.kind, .resource_id = record.resource_id,
          .flags = record.image_flags, .evaluated = true, .children = std::move(children)};
}

}  // namespace gaugehost::render::testing
