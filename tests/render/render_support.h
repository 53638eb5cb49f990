// Helpers of the drawing tests: bitmaps of one colour, reading pixels, evaluated elements, and
// comparing with reference images.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/eval/evaluated.h"
#include "host/render/cairo_backend.h"

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

// Compares `actual` with reference `name` (tests/render/reference/NAME.png): channels may differ
// by 12, and 0.2 % of the pixels by more (anti-aliasing may vary between cairo versions). A
// failure writes the actual image into the build folder; CRV5_UPDATE_REFERENCES=1 rewrites the
// references after a deliberate change.
inline void expect_matches_reference(const std::string& name, cairo_surface_t* actual_surface) {
  const Pixels actual(actual_surface);
  const std::string reference =
      std::string(CRV5_SOURCE_DIR) + "/tests/render/reference/" + name + ".png";
  std::string error;
  if (std::getenv("CRV5_UPDATE_REFERENCES")) {
    EXPECT_TRUE(write_png(actual.surface, reference, error)) << error;
    return;
  }
  const Pixels expected(cairo_image_surface_create_from_png(reference.c_str()));
  const bool same_size = expected.width() == actual.width() && expected.height() == actual.height();
  int differing = 0;
  for (int y = 0; same_size && y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      for (int shift = 0; shift < 32; shift += 8) {
        const int a = actual.at(x, y) >> shift & 0xff, e = expected.at(x, y) >> shift & 0xff;
        if (std::abs(a - e) <= 12) continue;
        ++differing;  // a pixel counts once
        break;
      }
  if (same_size && differing * 500 <= actual.width() * actual.height()) return;
  const std::string actual_path = output_path(name + ".actual.png");
  write_png(actual.surface, actual_path, error);
  ADD_FAILURE() << name << ": "
                << (same_size ? std::to_string(differing) + " pixels differ" : "no such reference")
                << "; see " << actual_path;
}

}  // namespace gaugehost::render::testing
