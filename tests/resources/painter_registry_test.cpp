// The painters each file of artwork registers for itself: one for every drawn bitmap, none for a
// bitmap the script does not draw, and two for one bitmap reported with both files.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "resources/art/painters.h"
#include "resources/resource_script.h"

namespace {

using crv5::art::Painters;
using crv5::art::RegisteredPainter;
using crv5::resources::Art;

TEST(PainterRegistry, EveryDrawnBitmapHasOnePainterFromItsFile) {
  const Painters painters = crv5::art::all_painters();  // throws on a bitmap painted twice
  std::set<int32_t> drawn;
  for (const auto& b : crv5::resources::kBitmaps)
    if (b.art == Art::kDrawn) drawn.insert(b.id);
  for (int32_t id : drawn) EXPECT_TRUE(painters.count(id)) << "no painter for bitmap " << id;
  for (const RegisteredPainter& r : crv5::art::registered_painters()) {
    EXPECT_TRUE(drawn.count(r.bitmap)) << r.file << " paints bitmap " << r.bitmap
                                       << ", which the script does not list as drawn";
    EXPECT_NE(r.file.find("_art.cpp"), std::string::npos) << r.file;
  }
}

TEST(PainterRegistry, ABitmapPaintedTwiceNamesBothFiles) {
  auto nothing = [](cairo_t*, crv5::art::Size) {};
  const std::vector<RegisteredPainter> registered = {
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
