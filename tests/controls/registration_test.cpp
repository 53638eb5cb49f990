// The registration placard: the text rule (first word, at most seven characters, underscores as
// blanks, a missing identifier as an empty text) and the options of its parameter text (fixed
// text, font, colour held to 255). The placard asking afresh every update is its check file's.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/registration.h"
#include "tests/support/test_host.h"

namespace {

using namespace crv5::testing;

TEST(RegistrationText, FixedTextsAndIdentifiers) {
  const struct { const char* parameters; const char* atc_id; const char* text; } cases[] = {
      {nullptr, "ABCDEFGHIJ", "ABCDEFG"},
      {nullptr, "AB/C D", "AB/C D"},  // a "/" hides the blank after it
      {nullptr, nullptr, ""},
      {"r0 g255 tAB-123", "F-ABCD", "F-ABCD"},  // "t" only as the very first character
      {"tAB-123 r300 fTimes New Roman", nullptr, "AB-123"},
      {"tXY fArial Narrow r0", nullptr, "XY"},
      {"t", "N1", ""},
      {"t_A_B_", nullptr, " A B "},
  };
  for (const auto& c : cases) {
    char text[9] = "xxxxxxxx";
    crv5::registration::placard_text(c.parameters, c.atc_id, text, 7);
    EXPECT_STREQ(text, c.text) << (c.parameters ? c.parameters : "(none)");
  }
}

// Installation sets the colour and font the text gives; an update that gets no identifier from
// the host keeps none.
TEST(RegistrationText, InstallationSetsColourAndFont) {
  const struct { const char* parameters; uint32_t colour; const char* font; } cases[] = {
      {nullptr, 0xFFFFFF, "Arial"},  // colours are 0x00BBGGRR
      {"r0 g255 tAB-123", 0xFFFF00, "Arial"},
      {"tAB-123 r300 fTimes New Roman", 0xFFFFFF, "Times New Roman"},
      {"tAB-123 #r0", 0xFFFFFF, "Arial"},
      {"r-5 g256 b17", 0x11FFFF, "Arial"},
      {"tXY fArial Narrow r0", 0xFFFFFF, "Arial Narrow r0"},
      {"f0123456789012345678901234567890123456789", 0xFFFFFF, "0123456789012345678901234567890"},
  };
  GaugeHeader& placard = *find_gauge("Registration");
  ElementString& text = element<ElementString>("Registration", 1);
  TestHost host;
  for (const auto& c : cases) {
    text.foreground = 0xFFFFFF;
    std::strcpy(text.font, "Arial");
    placard.parameters = c.parameters;
    TestHost::service(placard, kServicePreInstall);
    EXPECT_EQ(text.foreground, c.colour) << (c.parameters ? c.parameters : "(none)");
    EXPECT_STREQ(text.font, c.font) << (c.parameters ? c.parameters : "(none)");
  }
  placard.parameters = nullptr;
  TestHost::service(placard, kServicePreUpdate);
  EXPECT_EQ(crv5::registration_atc_id, nullptr);
  text.foreground = 0xFFFFFF;  // as loaded
  std::strcpy(text.font, "Arial");
}

}  // namespace
