// The module's embedded resources against the resource script: every bitmap drawn is there once,
// decodes, and has the script's size; the waves are RIFF files; nothing unlisted is embedded.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "resources/resource_script.h"
#include "tests/resources/decoded_png.h"

namespace {

using crv5::resources::Art;
using crv5::resources::kBitmaps;
using crv5::testing::decode_png;
using crv5::testing::find_resource;

TEST(ResourceDirectory, HoldsEveryDrawnBitmapOfTheScriptOnceDecodedAtItsSize) {
  std::set<int32_t> ids;
  for (const auto& b : kBitmaps) {
    SCOPED_TRACE("bitmap " + std::to_string(b.id));
    EXPECT_TRUE(ids.insert(b.id).second) << "listed twice";
    if (b.art != Art::kDrawn) continue;
    const ResourceEntry* e = find_resource("BITMAP", b.id);
    ASSERT_NE(e, nullptr);
    auto png = decode_png(*e);
    ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png.get()), b.width);
    EXPECT_EQ(cairo_image_surface_get_height(png.get()), b.height);
  }
}

TEST(ResourceDirectory, EmbedsOnlyListedResourcesEachOnceAndTheWavesAsRiffFiles) {
  std::map<int32_t, const crv5::resources::BitmapResource*> script;
  for (const auto& b : kBitmaps) script[b.id] = &b;
  std::set<std::pair<std::string, int32_t>> seen;
  for (const ResourceEntry* e = ResourceDirectory; e->type; ++e) {
    SCOPED_TRACE(std::string(e->type) + " " + std::to_string(e->id));
    EXPECT_TRUE(seen.insert({e->type, e->id}).second) << "embedded twice";
    ASSERT_NE(e->data, nullptr);
    ASSERT_GT(e->size, 12u);
    const std::string bytes(reinterpret_cast<const char*>(e->data), 12);
    if (std::string(e->type) == "BITMAP") {
      ASSERT_TRUE(script.count(e->id)) << "not in the resource script";
      EXPECT_EQ(script[e->id]->art, Art::kDrawn);
    } else {
      EXPECT_EQ(std::string(e->type), "WAVE");
      EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8), "RIFFWAVE");
    }
  }
#ifdef CRV5_HAS_WAVES
  for (const auto& w : crv5::resources::kWaves)
    EXPECT_NE(find_resource("WAVE", w.id), nullptr) << "wave " << w.id;
#endif
}

}  // namespace
