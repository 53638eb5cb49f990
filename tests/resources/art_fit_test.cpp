// The artwork fits the records that place it: in every gauge whose background is drawn, each
// drawn element lies inside the background, an icon's images share one size, a needle's pivot lies
// inside its bitmap, and every mouse box starts inside the background. And a bitmap painted twice
// is reported with both files (that every drawn bitmap has one painter, and no other bitmap has,
// the artwork generator checks while building).
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

#include "module/gauge.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/resource_script.h"

extern "C" GaugeLinkage Linkage;

namespace {

using crv5::resources::Art;

struct Size {
  int w, h;
};

// Sizes of the drawn bitmaps, by id.
const std::map<int32_t, Size>& drawn() {
  static const std::map<int32_t, Size> sizes = [] {
    std::map<int32_t, Size> m;
    for (const auto& b : crv5::resources::kBitmaps)
      if (b.art == Art::kDrawn) m[b.id] = {b.width, b.height};
    return m;
  }();
  return sizes;
}

void check_elements(ElementHeader* const* list, Size background) {
  for (; list && *list; ++list) {
    const ElementHeader& e = **list;
    SCOPED_TRACE("element of bitmap " + std::to_string(e.resource_id));
    const int images = e.kind == kElementIcon ? reinterpret_cast<const ElementIcon&>(e).image_count : 1;
    const auto first = drawn().find(e.resource_id);
    for (int i = 0; i < images && first != drawn().end(); ++i) {
      const auto image = drawn().find(e.resource_id + i);
      ASSERT_NE(image, drawn().end()) << "image " << i << " of a drawn icon is not drawn";
      EXPECT_EQ(image->second.w, first->second.w) << "icon image " << i;
      EXPECT_EQ(image->second.h, first->second.h) << "icon image " << i;
      if (e.kind == kElementNeedle) {
        // A needle may begin a little way out from its pivot (the VOR indicators' course
        // deviation needle, 7 pixels), but the pivot lies on the needle's line.
        EXPECT_TRUE(e.pivot.x >= -10 && e.pivot.x <= image->second.w && e.pivot.y >= 0 &&
                    e.pivot.y <= image->second.h) << "pivot off the needle";
      } else if (e.kind == kElementStaticImage || e.kind == kElementIcon) {
        EXPECT_LE(e.position.x + image->second.w, background.w);
        EXPECT_LE(e.position.y + image->second.h, background.h);
      }
    }
    check_elements(e.next, background);
  }
}

TEST(ArtFit, DrawnGaugesFitTheirBackgrounds) {
  int gauges = 0;
  for (GaugeHeader* const* g = Linkage.gauges; *g; ++g) {
    const GaugeHeader& gauge = **g;
    if (!gauge.elements || !gauge.elements[0]) continue;
    const auto background = drawn().find(gauge.elements[0]->resource_id);
    if (background == drawn().end()) continue;  // artwork still to come
    SCOPED_TRACE(gauge.name);
    ++gauges;
    check_elements(gauge.elements, background->second);
    for (const MouseRect* m = gauge.mouse_rects; m && m->kind != kMouseEnd; ++m) {
      if (m->kind != kMouseParent && m->kind != kMouseChild) continue;
      // A box may run past the picture's edge (the simple switches' boxes do), but not start there.
      EXPECT_LT(m->box.x, background->second.w) << "mouse box";
      EXPECT_LT(m->box.y, background->second.h) << "mouse box";
    }
  }
  EXPECT_GE(gauges, 20);  // the three turbine dials and the aircraft systems' seventeen gauges
}

TEST(GaugeRecords, PlaceElementsAndClickAreasAsTheRecordsDo) {
  using crv5::art::click_box;
  using crv5::art::element_box;
  // The two pump switches share one bitmap; the second in draw order is the left one.
  const auto right = element_box("Starter_Board", 4240, 0);
  const auto left = element_box("Starter_Board", 4240, 1);
  EXPECT_EQ(right.x, 159);
  EXPECT_EQ(left.x, 37);
  EXPECT_EQ(left.w, 75);
  EXPECT_EQ(left.h, 39);
  const auto well = click_box("Parachute");
  EXPECT_EQ(well.centre().x, 67);
  EXPECT_EQ(well.centre().y, 25.5);
  EXPECT_THROW(element_box("Starter_Board", 4240, 2), std::runtime_error);
  EXPECT_THROW(click_box("Engine_RPM"), std::runtime_error);
  EXPECT_THROW(crv5::art::find_gauge("No_Such_Gauge"), std::runtime_error);
}

TEST(PainterRegistry, ABitmapPaintedTwiceNamesBothFiles) {
  auto nothing = [](cairo_t*, crv5::art::Size) {};
  const std::vector<crv5::art::RegisteredPainter> registered = {
      {460, nothing, "turbine_art.cpp"}, {470, nothing, "turbine_art.cpp"},
      {460, nothing, "tachometer_art.cpp"}};
  try {
    crv5::art::painters_by_bitmap(registered);
    FAIL() << "no error for bitmap 460 painted twice";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "bitmap 460 has two painters, in turbine_art.cpp and tachometer_art.cpp");
  }
  EXPECT_EQ(crv5::art::painters_by_bitmap({registered[0], registered[1]}).size(), 2u);
}

}  // namespace
