// The records of the five radio heads, written out from the heads' tables: elements in draw order
// with their bitmaps, positions, pivots, flags, failure lists, sources and image counts; the drums'
// axes, the knobs' and dials' tables, the ADF read-out's text attributes and band card; every mouse
// record with its box, cursor, flags, help id and tooltip text.
#include <gtest/gtest.h>

#include "tests/support/record_checks.h"

namespace {

using namespace crv5::testing;

constexpr int32_t kUp = 1, kDown = 2, kHand = 5;  // cursors

// A drum's strip moves along y only, from `min` to `max`, driven by its callback; `source` is the
// token its y axis names (0 for none).
void expect_drum(const char* gauge, size_t index, uint32_t source, double max) {
  SCOPED_TRACE(std::string(gauge) + " drum " + std::to_string(index));
  const auto& drum = element_at<ElementMovingImage>(gauge, index);
  EXPECT_EQ(drum.x.source.id, 0u);
  EXPECT_EQ(drum.x.callback, nullptr);
  EXPECT_EQ(drum.y.source.id, source);
  EXPECT_NE(drum.y.callback, nullptr);
  EXPECT_EQ(drum.y.min, 0.0);
  EXPECT_EQ(drum.y.max, max);
}

TEST(RadioRecords, Com1) {
  const std::vector<Failure> failed21 = {{21, 3}, {9, 0}};
  expect_elements("Radio_COM1", {
      {.kind = kStatic, .bitmap = 3110, .position = {0, 0}, .flags = 0x3},
      {.kind = kIcon, .bitmap = 3150, .position = {147, 8}, .flags = 0x83, .images = 10, .scale = 0.0},
      {.kind = kIcon, .bitmap = 3150, .position = {94, 8}, .flags = 0x83, .failures = failed21, .images = 10, .scale = 0.0},
      {.kind = kIcon, .bitmap = 3150, .position = {41, 8}, .flags = 0x83, .images = 10, .scale = 0.0},
      {.kind = kIcon, .bitmap = 3160, .position = {194, 8}, .flags = 0x83, .images = 4, .scale = 0.0},
      {.kind = kIcon, .bitmap = 3140, .position = {23, 143}, .flags = 0x3, .images = 2},
      {.kind = kIcon, .bitmap = 3130, .position = {27, 118}, .flags = 0x7, .failures = failed21, .images = 1},
  });
  const char* frequency = "Communications Radio COM1 - %1!07.3f! MHz";
  expect_mouse("Radio_COM1", {
      parent(),
      parent({0, 0, 240, 143}), tooltip_area(frequency), parent_end(),
      parent({73, 143, 167, 57}), tooltip_area(frequency), parent_end(),
      parent({23, 143, 50, 52}), tooltip_area("COM1 main switch (%2!s!)"), parent_end(),
      click_area({41, 8, 26, 52}, kDown, kLeftHeld),  click_area({67, 8, 26, 52}, kUp, kLeftHeld),
      click_area({94, 8, 26, 52}, kDown, kLeftHeld),  click_area({120, 8, 26, 52}, kUp, kLeftHeld),
      click_area({147, 8, 26, 52}, kDown, kLeftHeld), click_area({173, 8, 26, 52}, kUp, kLeftHeld),
      click_area({200, 8, 20, 52}, kDown, kLeftHeld), click_area({214, 8, 20, 52}, kUp, kLeftHeld),
      click_area({23, 143, 50, 52}, kHand, kLeft),
      parent_end(), list_end(),
  });
  EXPECT_NE(find_gauge("Radio_COM1")->callback, nullptr);
}

TEST(RadioRecords, NavHeads) {
  struct Head {
    const char* gauge;
    int32_t face;
    const char* frequency_tooltip;
    const char* switch_tooltip;
  };
  const Head heads[] = {
      {"Radio_NAV1", 3000, "Navigation Radio NAV1 - %1!07.3f! MHz", "NAV1 main switch (%3!s!)"},
      {"Radio_NAV2", 3100, "Navigation Radio NAV2 - %1!07.3f! MHz", "NAV2 main switch (%3!s!)"},
  };
  const std::vector<Failure> readout = {{21, 3}, {14, 0}};
  for (const Head& h : heads) {
    SCOPED_TRACE(h.gauge);
    expect_elements(h.gauge, {
        {.kind = kStatic, .bitmap = h.face, .position = {0, 0}, .flags = 0x3},
        {.kind = kMoving, .bitmap = 3020, .position = {159, 36}, .flags = 0x83, .failures = readout},
        {.kind = kMoving, .bitmap = 3020, .position = {146, 36}, .flags = 0x83, .failures = readout},
        {.kind = kMoving, .bitmap = 3020, .position = {128, 36}, .flags = 0x83, .failures = readout},
        {.kind = kMoving, .bitmap = 3030, .position = {115, 36}, .flags = 0x83, .failures = readout},
        {.kind = kIcon, .bitmap = 3040, .position = {102, 36}, .flags = 0x83, .failures = readout, .images = 1, .scale = 0.0},
        {.kind = kNeedle, .bitmap = 3010, .position = {195, 45}, .flags = 0x83, .pivot = {17, 17}},
        {.kind = kNeedle, .bitmap = 3010, .position = {79, 45}, .flags = 0x83, .pivot = {17, 17}},
        {.kind = kIcon, .bitmap = 3060, .position = {225, 47}, .flags = 0x3, .failures = readout, .images = 2},
        {.kind = kIcon, .bitmap = 3050, .position = {25, 32}, .flags = 0x3, .images = 2},
        {.kind = kIcon, .bitmap = 3070, .position = {272, 44}, .flags = 0x7, .failures = readout, .images = 1},
    });
    for (size_t drum : {1u, 2u, 3u}) expect_drum(h.gauge, drum, 0, 10);
    expect_drum(h.gauge, 4, 0, 1);
    expect_needle_table(h.gauge, 6, {{{195, 11}, 50}, {{195, 79}, 0}});
    expect_needle_table(h.gauge, 7, {{{79, 11}, 108}, {{79, 79}, 112}});
    expect_mouse(h.gauge, {
        parent(),
        parent({55, 0, 167, 95}), tooltip_area(h.frequency_tooltip), parent_end(),
        parent({225, 47, 34, 34}), tooltip_area("Tone switch (%2!s!)"), parent_end(),
        parent({25, 32, 28, 53}), tooltip_area(h.switch_tooltip), parent_end(),
        click_area({62, 28, 17, 34}, kDown, kLeftHeld),  click_area({79, 28, 17, 34}, kUp, kLeftHeld),
        click_area({178, 28, 17, 34}, kDown, kLeftHeld), click_area({195, 28, 17, 34}, kUp, kLeftHeld),
        click_area({25, 32, 28, 53}, kHand, kLeft),
        click_area({225, 47, 34, 34}, kHand, kLeft),
        parent_end(), list_end(),
    });
    EXPECT_NE(find_gauge(h.gauge)->callback, nullptr);
  }
}

TEST(RadioRecords, Adf) {
  expect_elements("Radio_ADF", {
      {.kind = kStatic, .bitmap = 3170, .position = {0, 0}, .flags = 0x3},
      {.kind = kNeedle, .bitmap = 3250, .position = {168, 150}, .flags = 0x4083, .pivot = {98, 98}},
      {.kind = kStatic, .bitmap = 3260, .position = {0, 0}, .flags = 0x3},
      {.kind = kString, .bitmap = -1, .position = {190, 14}, .flags = 0x7, .failures = {{20, 3}, {21, 3}, {5, 0}}, .source = 16},
      {.kind = kNeedle, .bitmap = 3190, .position = {166, 252}, .flags = 0x83, .pivot = {24, 21}},
      {.kind = kNeedle, .bitmap = 3180, .position = {164, 161}, .flags = 0x83, .pivot = {38, 38}},
      {.kind = kSprite, .bitmap = 3240, .position = {91, 54}, .flags = 0x4083, .pivot = {168, 150}},
      {.kind = kIcon, .bitmap = 3220, .position = {25, 183}, .flags = 0x3, .source = 880, .images = 2},
      {.kind = kIcon, .bitmap = 3210, .position = {290, 6}, .flags = 0x7, .failures = {{20, 3}, {21, 3}}, .images = 1},
      {.kind = kIcon, .bitmap = 3200, .position = {237, 215}, .flags = 0x3, .images = 2},
  });
  expect_needle_table("Radio_ADF", 1, {{{168, 52}, 0}, {{168, 248}, 180}});
  expect_needle_table("Radio_ADF", 4, {{{166, 222}, 0}, {{166, 282}, 60}});
  expect_needle_table("Radio_ADF", 5, {{{164, 123}, 0}, {{164, 199}, 1}});
  expect_text("Radio_ADF", 3, {.box = {60, 20}, .chars = 6, .foreground = 0x868686, .background = 0, .highlight = 0x00ffff, .font = "Quartz", .weight = 400});
  expect_card("Radio_ADF", 6, {168, 150}, 0);
  EXPECT_NE(element_at<ElementSprite>("Radio_ADF", 6).rotation.callback, nullptr);
  expect_mouse("Radio_ADF", {
      parent(),
      parent({0, 0, 360, 122}), help_only_tooltip(12656), parent_end(),
      parent({122, 209, 90, 90}), help_only_tooltip(12656), parent_end(),
      parent({126, 123, 90, 90}), tooltip_area("Band selector (%1!s! KHz)"), parent_end(),
      parent({25, 183, 74, 74}), tooltip_area("Tone switch (%2!s!)"), parent_end(),
      parent({237, 215, 78, 78}), tooltip_area("ADF main switch (%3!s!)"), parent_end(),
      click_area({237, 215, 78, 78}, kHand, kLeft),
      click_area({25, 183, 74, 74}, kHand, kLeft),
      click_area({126, 123, 76, 76}, kDown, kLeftHeld), click_area({164, 123, 76, 76}, kUp, kLeftHeld),
      click_area({122, 209, 45, 90}, kDown, kLeftOrRightHeld), click_area({167, 209, 45, 90}, kUp, kLeftOrRightHeld),
      parent_end(), list_end(),
  });
  EXPECT_NE(find_gauge("Radio_ADF")->callback, nullptr);
}

TEST(RadioRecords, Transponder) {
  const std::vector<Failure> failed = {{20, 3}, {21, 3}, {17, 0}};
  expect_elements("Radio_IFF_XPDR", {
      {.kind = kStatic, .bitmap = 3270, .position = {0, 0}, .flags = 0x3},
      {.kind = kMoving, .bitmap = 3280, .position = {184, 57}, .flags = 0x83, .failures = failed},
      {.kind = kMoving, .bitmap = 3280, .position = {161, 57}, .flags = 0x83, .failures = failed},
      {.kind = kMoving, .bitmap = 3280, .position = {138, 57}, .flags = 0x83, .failures = failed},
      {.kind = kMoving, .bitmap = 3280, .position = {115, 57}, .flags = 0x83, .failures = failed},
      {.kind = kIcon, .bitmap = 3310, .position = {208, 31}, .flags = 0x3, .failures = failed, .images = 2},
      {.kind = kIcon, .bitmap = 3300, .position = {53, 79}, .flags = 0x7, .failures = failed, .images = 1},
      {.kind = kIcon, .bitmap = 3290, .position = {27, 8}, .flags = 0x3, .images = 2},
  });
  const uint32_t drum_sources[] = {38, 0, 38, 38};  // units, tens, hundreds, thousands
  for (size_t i = 0; i < 4; ++i) expect_drum("Radio_IFF_XPDR", 1 + i, drum_sources[i], 10);
  EXPECT_EQ(element_at<ElementIcon>("Radio_IFF_XPDR", 5).callback, nullptr);  // the ident button
  expect_mouse("Radio_IFF_XPDR", {
      parent(),
      parent({61, 0, 200, 99}), help_only_tooltip(12672), parent_end(),
      parent({29, 12, 24, 60}), tooltip_area("Transponder (IFF) main switch (%1!s!)"), parent_end(),
      click_area({29, 12, 24, 60}, kHand, kLeft),
      click_area({111, 76, 23, 15}, kDown, kLeftHeld), click_area({111, 44, 23, 15}, kUp, kLeftHeld),
      click_area({134, 76, 23, 15}, kDown, kLeftHeld), click_area({134, 44, 23, 15}, kUp, kLeftHeld),
      click_area({157, 76, 23, 15}, kDown, kLeftHeld), click_area({157, 44, 23, 15}, kUp, kLeftHeld),
      click_area({180, 76, 23, 15}, kDown, kLeftHeld), click_area({180, 44, 23, 15}, kUp, kLeftHeld),
      click_area({208, 31, 24, 32}, kHand, kLeft),
      parent_end(), list_end(),
  });
  EXPECT_NE(find_gauge("Radio_IFF_XPDR")->callback, nullptr);
}

}  // namespace
