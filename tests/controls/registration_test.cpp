// The registration placard: the options of its parameter text (fixed text, font, colour held to
// 255) and the text rule: first word, at most seven characters, underscores as blanks, a missing
// identifier as an empty text. The placard asking afresh every update is its check file's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/registration.h"
#include "module/gauges.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

constexpr const char* kAtcId = "(A:ATC ID,string)";

GaugeHeader& placard() { return *find_gauge("Registration"); }
ElementString& text_element() {
  return reinterpret_cast<ElementString&>(*elements_in_draw_order(placard()).at(1));
}

// Installs the placard with `parameters` on fresh records, updates it once with the host's
// identifier `atc_id` (null: the host gives none), and returns the text shown.
std::string show(const char* parameters, const char* atc_id) {
  ElementString& text = text_element();
  text.foreground = 0xFFFFFF;
  std::strcpy(text.font, "Arial");
  TestHost host;
  if (atc_id) host.set_calc_text(kAtcId, atc_id);
  placard().parameters = parameters;
  TestHost::service(placard(), kServicePreInstall);
  TestHost::service(placard(), kServicePreUpdate);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  text.text = buffer;
  text.callback(&text);
  placard().parameters = nullptr;
  EXPECT_EQ(buffer[7] == '\0' || std::strlen(buffer) < 8, true) << "terminated within 8 bytes";
  return buffer;
}

TEST(RegistrationText, ParameterTextsAndIdentifiers) {
  struct Case {
    const char* parameters;
    const char* atc_id;
    const char* text;
    uint32_t colour;  // 0x00BBGGRR
    const char* font;
  } cases[] = {
      {nullptr, "ABCDEFGHIJ", "ABCDEFG", 0xFFFFFF, "Arial"},
      {nullptr, "AB/C D", "AB/C D", 0xFFFFFF, "Arial"},  // a "/" hides the blank after it
      {nullptr, nullptr, "", 0xFFFFFF, "Arial"},
      {"r0 g255 tAB-123", "F-ABCD", "F-ABCD", 0xFFFF00, "Arial"},
      {"tAB-123 r300 fTimes New Roman", nullptr, "AB-123", 0xFFFFFF, "Times New Roman"},
      {"tAB-123 #r0", nullptr, "AB-123", 0xFFFFFF, "Arial"},
      {"r-5 g17", "X", "X", 0xFF11FF, "Arial"},
      {"tXY fArial Narrow r0", nullptr, "XY", 0xFFFFFF, "Arial Narrow r0"},
      {"tAB fC", nullptr, "AB", 0xFFFFFF, "C"},
      {"t", "N1", "", 0xFFFFFF, "Arial"},
      {"f0123456789012345678901234567890123456789", "N1", "N1", 0xFFFFFF,
       "0123456789012345678901234567890"},
  };
  for (const Case& c : cases) {
    const std::string label = c.parameters ? c.parameters : "(none)";
    EXPECT_EQ(show(c.parameters, c.atc_id), c.text) << label;
    EXPECT_EQ(text_element().foreground, c.colour) << label;
    EXPECT_STREQ(text_element().font, c.font) << label;
  }
}

TEST(RegistrationText, KeepsANullAnswerAndUnderscoresInTheFixedText) {
  TestHost host;
  TestHost::service(placard(), kServicePreUpdate);
  EXPECT_EQ(crv5::registration_atc_id, nullptr);
  char buffer[8];
  crv5::registration::placard_text(nullptr, nullptr, buffer, 7);
  EXPECT_STREQ(buffer, "");
  crv5::registration::placard_text("t_A_B_", nullptr, buffer, 7);
  EXPECT_STREQ(buffer, " A B ");
}

}  // namespace
