// Reference images: small gauges made of bitmaps drawn here (so that the module's artwork may
// change freely), rendered through display lists and the cairo backend and compared with
// tests/render/reference/*.png within a small tolerance. A failure writes the actual image and a
// diff (differing pixels red) into the build folder; CRV5_UPDATE_REFERENCES=1 rewrites the
// references after a deliberate change.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "host/render/cairo_backend.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using testing::evaluated;
using testing::output_path;
using testing::painted;
using testing::Pixels;
using testing::solid;

// A 120 x 120 dial: dark face, a white mark every 30 degrees, a red one at 12 o'clock.
cairo_surface_t* dial_face() {
  return painted(solid(120, 120, 0, 0, 0, 0), [](cairo_t* cr) {
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
  });
}

// A 20 x 200 drum strip of ten coloured 20-pixel bands, band n carrying n white dots.
cairo_surface_t* drum_strip() {
  return painted(solid(20, 200, 0, 0, 0), [](cairo_t* cr) {
    for (int band = 0; band < 10; ++band) {
      cairo_set_source_rgb(cr, band / 9.0, 0.3, 1 - band / 9.0);
      cairo_rectangle(cr, 0, band * 20, 20, 20);
      cairo_fill(cr);
      cairo_set_source_rgb(cr, 1, 1, 1);
      for (int dot = 0; dot < band; ++dot)
        cairo_rectangle(cr, 2 + (dot % 5) * 3.5, band * 20 + 5 + (dot / 5) * 6, 2, 2);
      cairo_fill(cr);
    }
  });
}

// Compares `actual` with reference `name`: channels may differ by 12, and 0.2 % of the pixels
// by more (anti-aliasing may vary between cairo versions).
void expect_matches_reference(const std::string& name, cairo_surface_t* actual_surface) {
  const Pixels actual(actual_surface);
  const std::string reference =
      std::string(CRV5_SOURCE_DIR) + "/tests/render/reference/" + name + ".png";
  std::string error;
  if (std::getenv("CRV5_UPDATE_REFERENCES")) {
    EXPECT_TRUE(write_png(actual.surface, reference, error)) << error;
    return;
  }
  const Pixels expected(cairo_image_surface_create_from_png(reference.c_str()));
  const Pixels diff(solid(actual.width(), actual.height(), 0.2, 0.2, 0.2));
  const bool same_size = expected.width() == actual.width() && expected.height() == actual.height();
  int differing = 0;
  for (int y = 0; same_size && y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      for (int shift = 0; shift < 32; shift += 8) {
        const int a = actual.at(x, y) >> shift & 0xff, e = expected.at(x, y) >> shift & 0xff;
        if (std::abs(a - e) <= 12) continue;
        ++differing;
        diff.row(y)[x] = 0xffff0000u;  // differing pixels red
        break;
      }
  if (same_size && differing * 500 <= actual.width() * actual.height()) return;
  cairo_surface_mark_dirty(diff.surface);
  const std::string actual_path = output_path(name + ".actual.png");
  write_png(actual.surface, actual_path, error);
  write_png(diff.surface, output_path(name + ".diff.png"), error);
  ADD_FAILURE() << name << ": "
                << (same_size ? std::to_string(differing) + " pixels differ" : "no such reference")
                << "; see " << actual_path;
}

TEST(ReferenceImages, MatchTheirReferences) {
  ImageStore images;
  images.add(100, dial_face());
  // A 56 x 8 needle pointing to 3 o'clock from its pivot (6, 4), white with a yellow tip.
  images.add(110, painted(solid(56, 8, 1, 1, 1), [](cairo_t* cr) {
               cairo_rectangle(cr, 44, 0, 12, 8);
               cairo_set_source_rgb(cr, 1, 0.85, 0);
               cairo_fill(cr);
             }));
  images.add(200, solid(60, 60, 0.25, 0.27, 0.3));
  images.add(210, drum_strip());
  images.add(211, solid(20, 40, 0, 0, 0));         // the drum's window
  images.add(300, solid(40, 40, 0.25, 0.1, 0.1));  // lamp, dark
  images.add(310, solid(30, 30, 1, 0.2, 0.1));     // lamp, lit, smaller than the dark one

  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 100,
                           .image_flags = kImageLuminous}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 110,
                                  .position = {60, 60}, .pivot = {6, 4},
                                  .image_flags = kImageBilinear}};
  ElementStaticImage drum_plate{{.kind = kElementStaticImage, .resource_id = 200}};
  ElementMovingImage drum{.header = {.kind = kElementMovingImage, .resource_id = 210,
                                     .position = {20, 10}},
                          .x = {},  // no source: stays at its start
                          .y = {.source = {.id = 1}, .min = 0, .max = 8}};
  ElementStaticImage dark_lamp{{.kind = kElementStaticImage, .resource_id = 300}};
  ElementIcon lit_lamp{.header = {.kind = kElementIcon, .resource_id = 310,
                                  .image_flags = kImageBright},
                       .image_count = 1};
  ElementStaticImage unknown{{.kind = kElementStaticImage, .resource_id = 999,
                              .position = {10, 10}}};

  const auto needle_at = [&](double angle) {
    EvaluatedElement pointer = evaluated(needle.header);
    pointer.angle = angle;
    return evaluated(dial.header, {pointer});
  };
  const auto drum_at = [&](double value) {
    EvaluatedElement moving = evaluated(drum.header);
    moving.x = 7;
    moving.y = value;
    return evaluated(drum_plate.header, {moving});
  };
  const auto lamp = [&](int image) {
    EvaluatedElement icon = evaluated(lit_lamp.header);
    icon.image = image;
    return evaluated(dark_lamp.header, {icon});
  };
  EvaluatedElement hidden = needle_at(100);  // the bare dial, and a missing bitmap's magenta box
  hidden.children[0].flags |= kImageHidden;
  hidden.children.push_back(evaluated(unknown.header));

  // The drum has 160 px of travel over 0..8: one 20 px band per unit, held at its ends.
  const struct {
    const char* name;
    EvaluatedElement root;
    double scale = 1;
    bool night = false;
  } cases[] = {
      {"needle_0", needle_at(0)},       {"needle_0", needle_at(std::nan(""))},
      {"needle_100", needle_at(100)},   {"needle_225", needle_at(225)},
      {"needle_100_2x", needle_at(100), 2},
      {"needle_100_night", needle_at(100), 1, true},  // a luminous dial, a dimmed needle
      {"drum_0", drum_at(0)},           {"drum_0", drum_at(-3)},
      {"drum_0", drum_at(std::nan(""))}, {"drum_35", drum_at(3.5)},
      {"drum_80", drum_at(8)},          {"drum_80", drum_at(12)},
      {"lamp_dark", lamp(-1)},          {"lamp_dark_night", lamp(-1), 1, true},
      {"lamp_lit", lamp(0)},            {"lamp_lit_night", lamp(0), 1, true},
      {"needle_hidden", hidden},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    expect_matches_reference(c.name, render_display_list(build_display_list(c.root, images.sizes()),
                                                         images, {.night = c.night}, c.scale));
  }
}

}  // namespace
}  // namespace gaugehost::render
