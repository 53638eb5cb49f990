// The autopilot annunciator tester: every lamp and read-out at its row, the FS lamps lit above 0,
// the LOC lamps never, and the read-outs right-aligned in six characters across every band.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "autopilot/autopilot.h"
#include "module/gauges.h"
#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;
using crv5::autopilot::format_tester_value;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Row { int32_t y; uint32_t token; };
const Row kLampRows[] = {{73, 87},   {101, 103}, {115, 114}, {129, 792}, {157, 106}, {185, 105},
                         {199, 112}, {213, 111}, {227, 113}, {255, 108}, {283, 119}, {311, 104},
                         {325, 110}, {353, 115}, {367, 819}, {381, 117}, {409, 123}, {423, 124}};
const PixPoint kLocLamps[] = {{54, 73},  {54, 101}, {54, 115}, {54, 129}, {54, 157},
                              {54, 185}, {54, 199}, {54, 213}, {54, 227}, {54, 248},
                              {54, 262}, {256, 255}, {54, 283}, {54, 311}, {54, 325},
                              {54, 353}, {54, 367}, {54, 381}, {54, 409}, {54, 423}};
const Row kReadoutRows[] = {{449, 107}, {463, 109}, {477, 120}, {491, 116}, {505, 118}, {519, 125}};

std::vector<ElementHeader*> elements() { return elements_in_draw_order(*find_gauge("AP_Tester")); }

TEST(ApTesterRecords, EveryLampAndReadoutAtItsRow) {
  const std::vector<Failure> power = {{20, 3}};
  std::vector<ElementRow> rows = {{.kind = kElementStaticImage, .bitmap = 7000, .position = {0, 0}, .flags = 0x3}};
  for (const Row& r : kLampRows)
    rows.push_back({.kind = kElementIcon, .bitmap = 7020, .position = {83, r.y}, .flags = 0x7,
                    .failures = power, .source = r.token, .images = 1});
  for (PixPoint p : kLocLamps)
    rows.push_back({.kind = kElementIcon, .bitmap = 7010, .position = p, .flags = 0x7,
                    .failures = power, .images = 1});
  for (const Row& r : kReadoutRows)
    rows.push_back({.kind = kElementString, .bitmap = -1, .position = {34, r.y}, .flags = 0x7,
                    .failures = power, .source = r.token});
  expect_elements("AP_Tester", rows);
  for (size_t i = 1 + std::size(kLampRows) + std::size(kLocLamps); i < rows.size(); ++i)
    expect_text("AP_Tester", i, {.box = {60, 13}, .chars = 6, .foreground = 0x23F905, .background = 0, .highlight = 0x00FFFF, .font = "Quartz", .weight = 400});
  expect_mouse("AP_Tester", {parent(), tooltip_area("Autopilot annunciator"), parent_end(), list_end()});
  EXPECT_EQ(find_gauge("AP_Tester")->callback, nullptr);
}

TEST(ApTesterLamps, FsLitAboveZeroLocNever) {
  TestHost host;
  const struct {
    double value;
    double fs;
  } cases[] = {{0.5, 0}, {1, 0}, {0, -1}, {-1, -1}, {kNaN, -1}};
  for (const auto& c : cases) {
    for (const Row& r : kLampRows) host.set(r.token, c.value);
    for (ElementHeader* e : elements()) {
      if (e->kind != kElementIcon) continue;
      const double expected = e->resource_id == 7020 ? c.fs : -1;
      EXPECT_EQ(evaluate(reinterpret_cast<ElementIcon&>(*e)), expected)
          << "bitmap " << e->resource_id << " at y " << e->position.y << ", value " << c.value;
    }
  }
}

TEST(ApTesterReadouts, SixCharactersRightAlignedAcrossEveryBand) {
  struct Case {
    const char* band;
    double value;
    const char* text;  // null: nothing written
  } cases[] = {
      {"v >= 100000", 100000, "100000"},
      {"v >= 100000, rounds", 999999.4, "999999"},
      {"v >= 100000, cannot fit", 999999.5, nullptr},
      {"10000..100000", 35000, " 35000"},
      {"10000..100000, top", 99999.6, "100000"},
      {"10000", 10000, " 10000"},
      {"1000..10000", 1000, "  1000"},
      {"1000..10000, top", 9999.7, " 10000"},
      {"0..1000", 500, "   500"},
      {"0", 0, "     0"},
      {"0..1000, 999.6 rounds to four digits", 999.6, "  1000"},
      {"-1000..0", -500, "  -500"},
      {"-1000..0, -0.4 prints as printf does", -0.4, "    -0"},
      {"-1000..0, -999.7 rounds to five characters", -999.7, " -1000"},
      {"-10000..-1000", -5000, " -5000"},
      {"-1000", -1000, " -1000"},
      {"-10000", -10000, "-10000"},
      {"below -10000", -10000.1, nullptr},
      {"NaN", kNaN, nullptr},
      {"infinity", kInf, nullptr},
      {"minus infinity", -kInf, nullptr},
  };
  for (const Case& c : cases) {
    char text[10];
    std::memset(text, 'x', sizeof text);
    std::strcpy(text, "before");
    const bool written = format_tester_value(c.value, text, 6);
    EXPECT_EQ(written, c.text != nullptr) << c.band;
    EXPECT_STREQ(text, c.text ? c.text : "before") << c.band;
    EXPECT_EQ(text[7], 'x') << c.band << ": nothing past the seventh byte";
  }
}

TEST(ApTesterReadouts, AFallBelowMinus10000KeepsThePreviousText) {
  TestHost host;
  auto& readout = reinterpret_cast<ElementString&>(*elements().at(1 + 18 + 20 + 1));  // 109
  ASSERT_EQ(readout.source[0].id, 109u);
  char text[7] = "";
  readout.text = text;
  for (double v : {-5000.0, -20000.0}) {
    readout.source[0].value.f = v;
    EXPECT_EQ(readout.callback(&readout), v);
  }
  EXPECT_STREQ(text, " -5000");
}

}  // namespace
