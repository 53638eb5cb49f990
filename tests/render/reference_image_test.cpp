// Reference images: small gauges made of bitmaps drawn here (so that the module's artwork may
// change freely), rendered through display lists and the cairo backend and compared with
// tests/render/reference/*.png within a small tolerance. A failure writes the actual image and a
// diff (differing pixels red) into the build folder; CRV5_UPDATE_REFERENCES=1 rewrites the
// references after a deliberate change.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/render/cairo_backend.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

namespace fs = std::filesystem;
using testing::evaluated;
using testing::Pixels;
using testing::solid;

// A 120 x 120 dial: dark face, a white mark every 30 degrees, a red one at 12 o'clock.
cairo_surface_t* dial_face() {
  cairo_surface_t* s = solid(120, 120, 0, 0, 0, 0);
  cairo_t* cr = cairo_create(s);
  cairo_arc(cr, 60, 60, 58, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
  cairo_fill(cr);
  cairo_set_line_width(cr, 3);
  for (int mark = 0; mark < 12; ++mark) {
    const double a = mark * M_PI / 6;
    cairo_move_to(cr, 60 + 44 * std::sin(a), 60 - 44 * std::cos(a));
    cairo_line_to(cr, 60 + 56 * std::sin(a), 60 - 56 * std::cos(a));
    cairo_set_source_rgb(cr, 0.95, mark ? 0.95 : 0.1, mark ? 0.95 : 0.1);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return s;
}

// A 56 x 8 needle pointing to 3 o'clock from its pivot (6, 4), white with a yellow tip.
cairo_surface_t* needle_bar() {
  cairo_surface_t* s = solid(56, 8, 1, 1, 1);
  cairo_t* cr = cairo_create(s);
  cairo_rectangle(cr, 44, 0, 12, 8);
  cairo_set_source_rgb(cr, 1, 0.85, 0);
  cairo_fill(cr);
  cairo_destroy(cr);
  return s;
}

// A 20 x 200 drum strip of ten coloured 20-pixel bands, band n carrying n white dots.
cairo_surface_t* drum_strip() {
  cairo_surface_t* s = solid(20, 200, 0, 0, 0);
  cairo_t* cr = cairo_create(s);
  for (int band = 0; band < 10; ++band) {
    cairo_set_source_rgb(cr, band / 9.0, 0.3, 1 - band / 9.0);
    cairo_rectangle(cr, 0, band * 20, 20, 20);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    for (int dot = 0; dot < band; ++dot)
      cairo_rectangle(cr, 2 + (dot % 5) * 3.5, band * 20 + 5 + (dot / 5) * 6, 2, 2);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return s;
}

fs::path output_path(const std::string& name) {
  const fs::path folder = fs::path(CRV5_BUILD_DIR) / "render-test-output";
  fs::create_directories(folder);
  return folder / name;
}

// Compares `actual` with reference `name`: channels may differ by 12, and 0.2 % of the pixels
// by more (anti-aliasing may vary between cairo versions).
void expect_matches_reference(const std::string& name, cairo_surface_t* actual_surface) {
  const Pixels actual(actual_surface);
  const std::string reference =
      (fs::path(CRV5_SOURCE_DIR) / "tests/render/reference" / (name + ".png")).string();
  std::string error;
  if (std::getenv("CRV5_UPDATE_REFERENCES")) {
    EXPECT_TRUE(write_png(actual.surface, reference, error)) << error;
    return;
  }
  const Pixels expected(cairo_image_surface_create_from_png(reference.c_str()));
  const bool same_size = cairo_surface_status(expected.surface) == CAIRO_STATUS_SUCCESS &&
                         expected.width() == actual.width() && expected.height() == actual.height();
  int differing = 0;
  const Pixels diff(solid(actual.width(), actual.height(), 0.2, 0.2, 0.2));
  for (int y = 0; same_size && y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const uint32_t a = actual.at(x, y), e = expected.at(x, y);
      int worst = 0;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xff) - int((e >> shift) & 0xff)));
      if (worst <= 12) continue;
      ++differing;
      const_cast<uint32_t*>(diff.row(y))[x] = 0xffff0000u;
    }
  }
  cairo_surface_mark_dirty(diff.surface);
  if (same_size && differing * 500 <= actual.width() * actual.height()) return;
  write_png(actual.surface, output_path(name + ".actual.png").string(), error);
  write_png(diff.surface, output_path(name + ".diff.png").string(), error);
  ADD_FAILURE() << name << ": " << (same_size ? std::to_string(differing) + " pixels differ"
                                              : std::string("no reference of that size"))
                << "; see " << output_path(name + ".actual.png");
}

class ReferenceImages : public ::testing::Test {
 protected:
  ReferenceImages() {
    images.add(100, dial_face());
    images.add(110, needle_bar());
    images.add(200, solid(60, 60, 0.25, 0.27, 0.3));
    images.add(210, drum_strip());
    images.add(211, solid(20, 40, 0, 0, 0));  // the drum's window
    images.add(300, solid(40, 40, 0.25, 0.1, 0.1));  // lamp, dark
    images.add(310, solid(30, 30, 1, 0.2, 0.1));     // lamp, lit, smaller than the dark one
  }
  cairo_surface_t* render(const EvaluatedElement& root, double scale = 1, bool night = false) {
    return render_display_list(build_display_list(root, images.sizes()), images,
                               RenderOptions{.night = night}, scale);
  }
  EvaluatedElement needle_at(double angle) {
    EvaluatedElement pointer = evaluated(needle.header);
    pointer.angle = angle;
    return evaluated(dial.header, {pointer});
  }

  ImageStore images;
  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 100,
                           .image_flags = kImageLuminous}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 110,
                                  .position = {60, 60}, .pivot = {6, 4},
                                  .image_flags = kImageBilinear}};
  ElementStaticImage drum_plate{{.kind = kElementStaticImage, .resource_id = 200}};
  ElementMovingImage drum{.header = {.kind = kElementMovingImage, .resource_id = 210,
                                     .position = {20, 10}},
                          .y = {.source = {.id = 1}, .min = 0, .max = 8}};
  ElementStaticImage dark_lamp{{.kind = kElementStaticImage, .resource_id = 300}};
  ElementIcon lit_lamp{.header = {.kind = kElementIcon, .resource_id = 310,
                                  .image_flags = kImageBright},
                       .image_count = 1};
  ElementStaticImage unknown{{.kind = kElementStaticImage, .resource_id = 999,
                              .position = {10, 10}}};
};

TEST_F(ReferenceImages, NeedleAtSeveralAnglesAndAtTwiceTheSize) {
  for (int angle : {0, 100, 225})
    expect_matches_reference("needle_" + std::to_string(angle), render(needle_at(angle)));
  expect_matches_reference("needle_100_2x", render(needle_at(100), 2));
}

TEST_F(ReferenceImages, DrumShowsTheBandsOfItsValueInsideItsWindow) {
  // 160 px of travel over 0..8: 20 px, one band, per unit.
  for (double value : {0.0, 3.5, 8.0}) {
    EvaluatedElement moving = evaluated(drum.header);
    moving.y = value;
    expect_matches_reference("drum_" + std::to_string(int(value * 10)),
                             render(evaluated(drum_plate.header, {moving})));
  }
}

TEST_F(ReferenceImages, LampDarkAndLitByDayAndAtNight) {
  for (int image : {-1, 0}) {
    EvaluatedElement icon = evaluated(lit_lamp.header);
    icon.image = image;
    const EvaluatedElement root = evaluated(dark_lamp.header, {icon});
    const std::string name = image < 0 ? "lamp_dark" : "lamp_lit";
    expect_matches_reference(name, render(root));
    expect_matches_reference(name + "_night", render(root, 1, true));
  }
}

TEST_F(ReferenceImages, HiddenNeedleLeavesTheBareDialAndAMissingBitmapIsAMagentaBox) {
  EvaluatedElement root = needle_at(100);
  root.children[0].flags |= kImageHidden;
  root.children.push_back(evaluated(unknown.header));
  expect_matches_reference("needle_hidden", render(root));
}

}  // namespace
}  // namespace gaugehost::render
