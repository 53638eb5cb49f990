// Lamps in the artwork agree with their records: every bright one-image icon (a lamp's lit
// picture) lies over a dark picture of the same colour in its gauge's background, and is brighter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/gauge.h"
#include "tests/resources/decoded_png.h"

extern "C" GaugeLinkage Linkage;

namespace {

using crv5::testing::decode_png;
using crv5::testing::find_resource;
using crv5::testing::Surface;

struct Colour {
  double r = 0, g = 0, b = 0;
  double brightness() const { return std::max({r, g, b}); }
  int dominant() const { return r >= g && r >= b ? 0 : g >= b ? 1 : 2; }
};

// The mean colour (premultiplied) over the middle half of a w x h box at (x, y) of a surface.
Colour mean_colour(cairo_surface_t* s, int x, int y, int w, int h) {
  Colour c;
  int n = 0;
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int j = y + h / 4; j < y + h - h / 4; ++j)
    for (int i = x + w / 4; i < x + w - w / 4; ++i, ++n) {
      const unsigned char* p = data + j * stride + 4 * i;  // B, G, R, A in memory
      c.b += p[0], c.g += p[1], c.r += p[2];
    }
  if (n) c.r /= n, c.g /= n, c.b /= n;
  return c;
}

struct Lamp {
  std::string gauge;
  const ElementHeader* icon;
};

void collect(const char* gauge, ElementHeader* const* list, std::vector<Lamp>& out) {
  for (; list && *list; ++list) {
    const ElementHeader* e = *list;
    if (e->kind == kElementIcon && (e->image_flags & kImageBright) &&
        reinterpret_cast<const ElementIcon*>(e)->image_count == 1)
      out.push_back({gauge, e});
    collect(gauge, e->next, out);
  }
}

TEST(LampArt, LitPictureLiesOverADarkOneOfItsColour) {
  std::vector<Lamp> lamps;
  for (GaugeHeader* const* g = Linkage.gauges; *g; ++g) collect((*g)->name, (*g)->elements, lamps);
  int checked = 0;
  for (const Lamp& lamp : lamps) {
    const ResourceEntry* lit_entry = find_resource("BITMAP", lamp.icon->resource_id);
    const GaugeHeader* gauge = lamp.icon->gauge;
    if (!lit_entry || !gauge || !gauge->elements[0]) continue;  // artwork still to come
    const ResourceEntry* dark_entry = find_resource("BITMAP", gauge->elements[0]->resource_id);
    if (!dark_entry) continue;
    SCOPED_TRACE(lamp.gauge + ", lamp " + std::to_string(lamp.icon->resource_id));
    Surface lit = decode_png(*lit_entry);
    Surface dark = decode_png(*dark_entry);
    const int w = cairo_image_surface_get_width(lit.get());
    const int h = cairo_image_surface_get_height(lit.get());
    const PixPoint at = lamp.icon->position;
    ASSERT_LE(at.x + w, cairo_image_surface_get_width(dark.get()));
    ASSERT_LE(at.y + h, cairo_image_surface_get_height(dark.get()));
    const Colour on = mean_colour(lit.get(), 0, 0, w, h);
    const Colour off = mean_colour(dark.get(), at.x, at.y, w, h);
    EXPECT_EQ(on.dominant(), off.dominant()) << "lit and dark pictures differ in colour";
    EXPECT_GT(on.brightness(), off.brightness() + 60) << "the lit picture is not brighter";
    ++checked;
  }
  EXPECT_GE(checked, 10);  // the six lamp gauges, the gear indicator's seven, the start-ready lamp
}

}  // namespace
