// Reference images: small gauges made of bitmaps drawn here (so the module's artwork can change
// freely) rendered through display lists and the cairo backend, and compared with the PNGs in
// tests/render/reference/ within a small tolerance. A failure writes the actual image and a diff
// (differing pixels in red) into the build folder. CRV5_UPDATE_REFERENCES=1 rewrites the
// references after a deliberate change.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/render/cairo_backend.h"
#include "host/render/display_list.h"
#include "host/render/image_store.h"

namespace gaugehost::render {
namespace {

namespace fs = std::filesystem;

// ----- Bitmaps -----

cairo_surface_t* canvas(int width, int height, cairo_t** cr) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  *cr = cairo_create(surface);
  return surface;
}

// A 120 x 120 dial: dark face, a white mark every 30 degrees, a red one at 12 o'clock.
cairo_surface_t* dial_face() {
  cairo_t* cr;
  cairo_surface_t* s = canvas(120, 120, &cr);
  cairo_arc(cr, 60, 60, 58, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
  cairo_fill(cr);
  cairo_set_line_width(cr, 3);
  for (int mark = 0; mark < 12; ++mark) {
    const double a = mark * M_PI / 6;
    cairo_move_to(cr, 60 + 44 * std::sin(a), 60 - 44 * std::cos(a));
    cairo_line_to(cr, 60 + 56 * std::sin(a), 60 - 56 * std::cos(a));
    if (mark == 0) cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
    else cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return s;
}

// A 56 x 8 needle pointing to 3 o'clock from its pivot (6, 4), with a yellow tip.
cairo_surface_t* needle_bar() {
  cairo_t* cr;
  cairo_surface_t* s = canvas(56, 8, &cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, 0, 2, 46, 4);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 1, 0.85, 0);
  cairo_move_to(cr, 46, 1);
  cairo_line_to(cr, 56, 4);
  cairo_line_to(cr, 46, 7);
  cairo_fill(cr);
  cairo_arc(cr, 6, 4, 4, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
  cairo_fill(cr);
  cairo_destroy(cr);
  return s;
}

// A 20 x 200 drum strip of ten coloured 20-pixel bands, each with a number of white dots.
cairo_surface_t* drum_strip() {
  cairo_t* cr;
  cairo_surface_t* s = canvas(20, 200, &cr);
  for (int band = 0; band < 10; ++band) {
    cairo_set_source_rgb(cr, band / 9.0, 0.3, 1 - band / 9.0);
    cairo_rectangle(cr, 0, band * 20, 20, 20);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    for (int dot = 0; dot < band; ++dot) {
      cairo_rectangle(cr, 2 + (dot % 5) * 3.5, band * 20 + 5 + (dot / 5) * 6, 2, 2);
      cairo_fill(cr);
    }
  }
  cairo_destroy(cr);
  return s;
}

// A window bitmap: opaque where the strip shows.
cairo_surface_t* opaque_box(int width, int height) {
  cairo_t* cr;
  cairo_surface_t* s = canvas(width, height, &cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return s;
}

cairo_surface_t* plate(int width, int height, double r, double g, double b) {
  cairo_t* cr;
  cairo_surface_t* s = canvas(width, height, &cr);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_paint(cr);
  cairo_destroy(cr);
  return s;
}

cairo_surface_t* lamp(double r, double g, double b) {
  cairo_t* cr;
  cairo_surface_t* s = canvas(40, 40, &cr);
  cairo_arc(cr, 20, 20, 16, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_destroy(cr);
  return s;
}

// ----- Comparison -----

struct Comparison {
  int differing = 0;
  int total = 0;
  bool same_size = true;
};

// Pixels whose channels differ by more than `channel_tolerance`; marks them red in `diff`.
Comparison compare(cairo_surface_t* actual, cairo_surface_t* expected, cairo_surface_t** diff,
                   int channel_tolerance) {
  Comparison result;
  const int w = cairo_image_surface_get_width(actual), h = cairo_image_surface_get_height(actual);
  if (w != cairo_image_surface_get_width(expected) || h != cairo_image_surface_get_height(expected)) {
    result.same_size = false;
    return result;
  }
  cairo_surface_flush(actual);
  cairo_surface_flush(expected);
  *diff = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  const auto pixel = [](cairo_surface_t* s, int x, int y) {
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                             y * cairo_image_surface_get_stride(s))[x];
  };
  auto* out = cairo_image_surface_get_data(*diff);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t a = pixel(actual, x, y), e = pixel(expected, x, y);
      int worst = 0;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xff) - int((e >> shift) & 0xff)));
      const bool differs = worst > channel_tolerance;
      result.differing += differs;
      const uint32_t grey = ((e >> 8) & 0xff) / 3;
      reinterpret_cast<uint32_t*>(out + y * cairo_image_surface_get_stride(*diff))[x] =
          differs ? 0xffff0000u : (0xff000000u | grey << 16 | grey << 8 | grey);
    }
  }
  cairo_surface_mark_dirty(*diff);
  result.total = w * h;
  return result;
}

fs::path reference_path(const std::string& name) {
  return fs::path(CRV5_SOURCE_DIR) / "tests/render/reference" / (name + ".png");
}

fs::path output_path(const std::string& name, const char* suffix) {
  const fs::path folder = fs::path(CRV5_BUILD_DIR) / "render-test-output";
  fs::create_directories(folder);
  return folder / (name + suffix);
}

// Checks `actual` (taken over) against the reference image `name`.
void expect_matches_reference(const std::string& name, cairo_surface_t* actual) {
  std::string error;
  if (std::getenv("CRV5_UPDATE_REFERENCES")) {
    ASSERT_TRUE(write_png(actual, reference_path(name), error)) << error;
    cairo_surface_destroy(actual);
    return;
  }
  cairo_surface_t* expected = cairo_image_surface_create_from_png(reference_path(name).c_str());
  cairo_surface_t* diff = nullptr;
  Comparison result;
  if (cairo_surface_status(expected) == CAIRO_STATUS_SUCCESS) result = compare(actual, expected, &diff, 12);
  else result.same_size = false;
  // A few pixels of anti-aliasing may differ between cairo versions.
  const bool passed = result.same_size && result.differing * 1000 <= result.total * 2;
  if (!passed) {
    write_png(actual, output_path(name, ".actual.png"), error);
    if (diff) write_png(diff, output_path(name, ".diff.png"), error);
    ADD_FAILURE() << name << ": " << (result.same_size ? std::to_string(result.differing) + " of " +
                                                             std::to_string(result.total) +
                                                             " pixels differ"
                                                       : std::string("missing or of another size"))
                  << "; see " << output_path(name, ".actual.png");
  }
  if (diff) cairo_surface_destroy(diff);
  cairo_surface_destroy(expected);
  cairo_surface_destroy(actual);
}

// ----- Gauges -----

EvaluatedElement evaluated(ElementHeader& record) {
  EvaluatedElement e;
  e.record = &record;
  e.kind = record.kind;
  e.resource_id = record.resource_id;
  e.flags = record.image_flags;
  e.evaluated = true;
  return e;
}

class ReferenceImages : public ::testing::Test {
 protected:
  ReferenceImages() {
    images.add(100, dial_face());
    images.add(110, needle_bar());
    images.add(200, plate(60, 60, 0.25, 0.27, 0.3));
    images.add(210, drum_strip());
    images.add(211, opaque_box(20, 40));
    images.add(300, lamp(0.25, 0.1, 0.1));
    images.add(310, lamp(1, 0.2, 0.1));
  }

  cairo_surface_t* render(const EvaluatedElement& root, double scale = 1,
                          RenderOptions options = {}) {
    return render_display_list(build_display_list(root, images.sizes()), images, options, scale);
  }

  ImageStore images;
  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 100,
                           .image_flags = kImageTransparent | kImageLuminous}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 110,
                                  .position = {60, 60}, .pivot = {6, 4},
                                  .image_flags = kImageTransparent | kImageBilinear}};
  ElementStaticImage drum_plate{{.kind = kElementStaticImage, .resource_id = 200}};
  ElementMovingImage drum{.header = {.kind = kElementMovingImage, .resource_id = 210,
                                     .position = {20, 10}},
                          .y = {.source = {.id = 1}, .min = 0, .max = 8}};
  ElementStaticImage dark_lamp{{.kind = kElementStaticImage, .resource_id = 300}};
  ElementIcon lit_lamp{.header = {.kind = kElementIcon, .resource_id = 310,
                                  .image_flags = kImageTransparent | kImageBright},
                       .image_count = 1};
};

TEST_F(ReferenceImages, NeedleAtSeveralAnglesAndAtTwiceTheSize) {
  for (double angle : {0.0, 100.0, 225.0}) {
    EvaluatedElement root = evaluated(dial.header);
    EvaluatedElement pointer = evaluated(needle.header);
    pointer.angle = angle;
    root.children.push_back(pointer);
    const std::string name = "needle_" + std::to_string(int(angle));
    expect_matches_reference(name, render(root));
    if (angle == 100.0) expect_matches_reference(name + "_2x", render(root, 2));
  }
}

TEST_F(ReferenceImages, DrumShowsTheBandOfItsValueInsideItsWindow) {
  // Strip 200 high under a 40-pixel window: 160 px of travel over 0..8, 20 px per unit.
  for (double value : {0.0, 3.5, 8.0}) {
    EvaluatedElement root = evaluated(drum_plate.header);
    EvaluatedElement moving = evaluated(drum.header);
    moving.y = value;
    root.children.push_back(moving);
    expect_matches_reference("drum_" + std::to_string(int(value * 10)), render(root));
  }
}

TEST_F(ReferenceImages, LampDarkLitAndLitAtNight) {
  for (int image : {-1, 0}) {
    EvaluatedElement root = evaluated(dark_lamp.header);
    EvaluatedElement icon = evaluated(lit_lamp.header);
    icon.image = image;
    root.children.push_back(icon);
    const std::string name = image < 0 ? "lamp_dark" : "lamp_lit";
    expect_matches_reference(name, render(root));
    expect_matches_reference(name + "_night", render(root, 1, RenderOptions{.night = true}));
  }
}

TEST_F(ReferenceImages, HiddenNeedleLeavesTheBareDial) {
  EvaluatedElement root = evaluated(dial.header);
  EvaluatedElement pointer = evaluated(needle.header);
  pointer.angle = 100;
  pointer.flags |= kImageHidden;
  root.children.push_back(pointer);
  expect_matches_reference("needle_hidden", render(root));
}

TEST_F(ReferenceImages, MissingBitmapIsAMagentaBox) {
  ElementStaticImage unknown{{.kind = kElementStaticImage, .resource_id = 999,
                              .position = {10, 10}}};
  EvaluatedElement root = evaluated(drum_plate.header);
  root.children.push_back(evaluated(unknown.header));
  cairo_surface_t* surface = render(root);
  cairo_surface_flush(surface);
  // The box's outline, 24 x 24 from (10, 10), is magenta; the plate around it is not.
  const auto at = [&](int x, int y) {
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface) +
                                             y * cairo_image_surface_get_stride(surface))[x];
  };
  EXPECT_EQ(at(20, 11), 0xffff00ffu);
  EXPECT_NE(at(5, 5), 0xffff00ffu);
  cairo_surface_destroy(surface);
}

}  // namespace
}  // namespace gaugehost::render
