// RMI, ADF_Indicator and RMI_Switch: the bearing needles' parking, the switch's effect on the
// tooltip at once and on the needle at its next update, and the ADF indicator's tooltip text.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "instruments/navigation_state.h"
#include "mechanics/radio_state.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ElementNeedle& rmi_adf_needle() { return element<ElementNeedle>("RMI", 2); }
ElementNeedle& rmi_vor_needle() { return element<ElementNeedle>("RMI", 3); }
ElementNeedle& adf_indicator_needle() { return element<ElementNeedle>("ADF_Indicator", 2); }
ElementIcon& rmi_lever() { return element<ElementIcon>("RMI_Switch", 1); }

class BearingIndicators : public ::testing::Test {
 protected:
  void SetUp() override {
    crv5::adf_power = crv5::nav1_power = crv5::nav2_power = 0;
    crv5::rmi_nav1_selected = 1;
    crv5::adf_indicator_bearing = 0;
    rmi_vor_needle().source.id = 550;
  }
  void TearDown() override { SetUp(); }
  TestHost host;
};

TEST_F(BearingIndicators, AdfNeedlesParkWhileTheAdfRadioIsOff) {
  host.set(39, 135);
  EXPECT_EQ(update(rmi_adf_needle()), 90);
  EXPECT_EQ(update(adf_indicator_needle()), 90);
  EXPECT_EQ(crv5::adf_indicator_bearing, 135);  // kept for the tooltip all the same
  crv5::adf_power = 1;
  EXPECT_EQ(update(rmi_adf_needle()), 135);
  EXPECT_EQ(update(adf_indicator_needle()), 135);
  host.set(39, kNaN);  // no number: parked, the tooltip keeps the last bearing
  EXPECT_EQ(update(rmi_adf_needle()), 90);
  EXPECT_EQ(update(adf_indicator_needle()), 90);
  EXPECT_EQ(crv5::adf_indicator_bearing, 135);
}

TEST_F(BearingIndicators, VorNeedleFollowsTheChosenReceiverOrParks) {
  host.set(550, 30);  // NAV1 bearing
  host.set(59, 300);  // NAV2 bearing
  struct Case {
    int selected, nav1, nav2;
    uint32_t flags46, flags55;
    uint32_t source;
    double value;
  };
  const Case cases[] = {
      {1, 1, 0, 0, 0x80, 550, 30},
      {1, 0, 1, 0, 0, 550, 90},      // NAV1 off
      {1, 1, 1, 0x80, 0, 550, 90},   // NAV1 has no usable station
      {1, 1, 1, 0x7f, 0, 550, 30},   // other bits do not count
      {0, 0, 1, 0x80, 0, 59, 300},
      {0, 1, 0, 0, 0, 59, 90},       // NAV2 off
      {0, 1, 1, 0, 0x81, 59, 90},    // NAV2 has no usable station
  };
  for (const Case& c : cases) {
    crv5::rmi_nav1_selected = c.selected;
    crv5::nav1_power = c.nav1;
    crv5::nav2_power = c.nav2;
    host.set_u32(46, c.flags46);
    host.set_u32(55, c.flags55);
    update(rmi_vor_needle());  // settles the source
    EXPECT_EQ(rmi_vor_needle().source.id, c.source);
    EXPECT_EQ(update(rmi_vor_needle()), c.value) << "selected " << c.selected << " nav1 " << c.nav1 << " nav2 " << c.nav2;
  }
}

TEST_F(BearingIndicators, SwitchChangesTheTooltipAtOnceAndTheNeedleAtItsNextUpdate) {
  crv5::nav1_power = crv5::nav2_power = 1;
  host.set(550, 30);
  host.set(59, 300);
  EXPECT_EQ(update(rmi_vor_needle()), 30);
  EXPECT_EQ(tooltip_text("RMI_Switch", 0), "RMI switch for the VOR needle (NAV 1)");
  EXPECT_EQ(update(rmi_lever()), 0);

  click("RMI_Switch", 0, kLeft);
  EXPECT_EQ(crv5::rmi_nav1_selected, 0);
  EXPECT_EQ(tooltip_text("RMI_Switch", 0), "RMI switch for the VOR needle (NAV 2)");
  EXPECT_EQ(update(rmi_lever()), 1);
  EXPECT_EQ(rmi_vor_needle().source.id, 550u);      // not yet
  EXPECT_EQ(update(rmi_vor_needle()), 30);          // the value read before the switch's rule ran
  EXPECT_EQ(rmi_vor_needle().source.id, 59u);
  EXPECT_EQ(update(rmi_vor_needle()), 300);

  click("RMI_Switch", 0, kLeft);
  EXPECT_EQ(crv5::rmi_nav1_selected, 1);
  crv5::rmi_nav1_selected = 5;  // any other value than 0 is NAV 1, and a click makes it 0
  EXPECT_EQ(tooltip_text("RMI_Switch", 0), "RMI switch for the VOR needle (NAV 1)");
  click("RMI_Switch", 0, kLeft);
  EXPECT_EQ(crv5::rmi_nav1_selected, 0);
}

TEST_F(BearingIndicators, AdfIndicatorTooltipSpellsOutTheBearing) {
  crv5::adf_power = 1;
  host.set(20, 255);
  struct Case { double bearing; const char* shown; };
  const Case cases[] = {
      {123, "123."},   {123.9, "123."}, {45.9, "45."},  {5, "5."},    {1, "1."},
      {0.4, "0"},      {0, "0"},        {-90, "270."},  {-0.5, "359."},
      {-400.5, "319."}, {359.9, "359."}, {400, "400."},
      {-1000, "80."},  // left below 0 by the rule: brought round
      {1500, "60."},   // past three figures: brought round
  };
  for (const Case& c : cases) {
    crv5::adf_indicator_bearing = c.bearing;
    EXPECT_EQ(tooltip_text("ADF_Indicator", 0), std::string("ADF position (") + c.shown + "\xB0)") << c.bearing;
  }
  host.set(20, 254);
  EXPECT_EQ(tooltip_text("ADF_Indicator", 0), "ADF position (None : No ADF signal)");
  crv5::adf_power = 0;
  host.set(20, 255);
  EXPECT_EQ(tooltip_text("ADF_Indicator", 0), "ADF position (None : ADF radio off)");
}

}  // namespace
