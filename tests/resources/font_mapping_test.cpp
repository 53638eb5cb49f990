// The faces the records name resolve, through our fontconfig mapping, to the installed faces.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string matched_family(FcConfig* config, const char* family) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  std::string name;
  FcChar8* value = nullptr;
  if (match && FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
    name = reinterpret_cast<const char*>(value);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return name;
}

TEST(FontMapping, MapsTheRecordsFacesToSevenSegmentAndSans) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  ASSERT_TRUE(FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(CRV5_FONTS_CONF), FcTrue));
  EXPECT_EQ(matched_family(config, "Quartz"), "DSEG7 Classic");
  EXPECT_EQ(matched_family(config, "Arial"), "Liberation Sans");
  EXPECT_EQ(matched_family(config, "Arial Narrow"), "Liberation Sans Narrow");
  FcConfigDestroy(config);
}

}  // namespace
