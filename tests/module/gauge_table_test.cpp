// The exported records: what the simulator reads when it loads the module.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <tuple>

#include "module/gauges.h"
#include "module/services.h"
#include "tests/support/test_host.h"

extern "C" GaugeLinkage Linkage;

namespace {

using crv5::kGaugeTable;

// A few rows pinned as panel configurations know them; the table itself is module/gauges.h.
TEST(GaugeTable, HoldsTheNinetyGaugesFromRegistrationToTheTester) {
  static_assert(std::size(kGaugeTable) == 90);
  EXPECT_STREQ(kGaugeTable[0].name, "Registration");
  EXPECT_STREQ(kGaugeTable[42].name, "Starter_Board");
  EXPECT_EQ(kGaugeTable[42].width_mm, 30);
  EXPECT_STREQ(kGaugeTable[89].name, "AP_Tester");
  EXPECT_EQ(crv5::header_of(crv5::GaugeId::Parachute), &gauge_Parachute);
}

// The linkage, and an empty service entry in the import table for the host to fill.
TEST(Linkage, IdentifiesTheModule) {
  EXPECT_EQ(std::tie(Linkage.module_id, Linkage.version, Linkage.flags, Linkage.priority),
            std::make_tuple(0x13u, 0x900u, 0u, 0u));
  ASSERT_NE(Linkage.module_init, nullptr);
  ASSERT_NE(Linkage.module_deinit, nullptr);
  Linkage.module_init();
  Linkage.module_deinit();
  EXPECT_EQ(ImportTable.services.id, 0x0Fu);
  EXPECT_EQ(ImportTable.end.id, 0u);
  EXPECT_EQ(ImportTable.end.pointer, nullptr);
}

TEST(Linkage, ListsTheNinetyGaugesInOrderThenNull) {
  for (size_t i = 0; i < std::size(kGaugeTable); ++i) {
    const GaugeHeader* gauge = Linkage.gauges[i];
    ASSERT_NE(gauge, nullptr) << "entry " << i;
    EXPECT_EQ(gauge, crv5::kGaugeHeaders[i]) << "entry " << i;
    EXPECT_STREQ(gauge->name, kGaugeTable[i].name) << "entry " << i;
    EXPECT_EQ(gauge->size_x_mm, kGaugeTable[i].width_mm) << gauge->name;
    EXPECT_EQ(gauge->callback != nullptr, kGaugeTable[i].has_callback) << gauge->name;
    EXPECT_EQ(gauge->version, 800u) << gauge->name;
  }
  EXPECT_EQ(Linkage.gauges[90], nullptr);
  EXPECT_EQ(crv5::testing::find_gauge("Engine_Corrected_N1")->callback,
            crv5::testing::find_gauge("Engine_Corrected_N2")->callback);
}

TEST(Linkage, EveryMouseListOpensWithTheWholeGaugeAndCloses) {
  for (int i = 0; i < 90; ++i) {
    const GaugeHeader* gauge = Linkage.gauges[i];
    const MouseRect* rect = gauge->mouse_rects;
    ASSERT_NE(rect, nullptr) << gauge->name;
    EXPECT_EQ(rect[0].kind, kMouseParent) << gauge->name;
    EXPECT_EQ(rect[0].box.width, 0) << gauge->name;
    int depth = 0;
    int n = 0;
    for (; rect[n].kind != kMouseEnd; ++n) {
      if (rect[n].kind == kMouseParent) ++depth;
      if (rect[n].kind == kMouseParentEnd) --depth;
      ASSERT_GE(depth, 0) << gauge->name;
      if (rect[n].kind == kMouseChild) {
        EXPECT_FALSE(rect[n].event_id != 0 && rect[n].function != nullptr) << gauge->name;
      }
    }
    EXPECT_EQ(depth, 0) << gauge->name;
    EXPECT_EQ(rect[n - 1].kind, kMouseParentEnd) << gauge->name;
  }
}

TEST(GaugeCallbacks, IgnoreServiceIdsTheyDoNotUse) {
  for (int32_t service : {0, 1, 3, 5, 7, 9, 11, 13, 15, 99, -1}) {
    crv5::testing::TestHost host;
    for (int i = 0; i < 90; ++i) crv5::testing::TestHost::service(*Linkage.gauges[i], service);
    EXPECT_TRUE(host.lookups.empty() && host.events.empty() && host.window_toggles.empty() &&
                host.calculations.empty())
        << "service " << service;
  }
}

// A mouse function handed no click record acts as for a gauge without a parameter text: a
// programmable panel button toggles the main panel (0). One handed a record without an area, or an
// area without a height to measure a position by, sets no lever (the throttle: 0x1011c).
TEST(GaugeCallbacks, MouseFunctionsTakeAClickWithoutARecordAreaOrHeight) {
  crv5::testing::TestHost host;
  for (int i = 0; i < 90; ++i)
    for (MouseRect* rect = Linkage.gauges[i]->mouse_rects; rect->kind != kMouseEnd; ++rect) {
      if (rect->kind != kMouseChild || !rect->function) continue;
      rect->function(nullptr, kMouseLeftSingle);
      MouseRect flat = *rect;
      for (int32_t y : {-1, 0, 1, 100}) {
        ClickRecord click{{110, y}, Linkage.gauges[i], nullptr};
        rect->function(&click, kMouseLeftSingle);
        click.rect = &flat;
        for (int32_t height : {0, -375}) {
          flat.box.height = height;
          rect->function(&click, kMouseLeftSingle | kMouseLeftDrag);
        }
      }
    }
  EXPECT_EQ(host.window_toggles, std::vector<uint32_t>(12 * 13, 0)) << "12 buttons, 13 clicks each";
  for (const crv5::testing::KeyEvent& event : host.events) EXPECT_NE(event.id, 0x1011cu);
}

}  // namespace
