// The fuel gauge and its selector, the three fuel lamps, the blink cut-out and the lamp test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "systems/aircraft_state.h"
#include "tests/support/test_host.h"
#include "tests/systems/b_gauge_access.h"

namespace {

using namespace crv5::testing::systems_b;
using crv5::testing::evaluate;
using crv5::testing::TestHost;

const std::string kExternal1 = "(A:FUEL TANK EXTERNAL1 LEVEL,percent)";
const std::string kExternal2 = "(A:FUEL TANK EXTERNAL2 LEVEL,percent)";

GaugeHeader& fuel_gauge() { return gauge("Fuel_Quantity"); }
double evaluate_pointer(int index) { return evaluate(element_at<ElementNeedle>(fuel_gauge(), index)); }
double icon_value(const char* name) { return evaluate(element_at(gauge(name), 1)); }

// Internal tanks of 400 + 100 kg a side, external tanks of 300 kg; fuel switches as at load.
void set_tanks(double left_kg = 0, double right_kg = 0) {
  crv5::tank292_capacity_kg = crv5::tank298_capacity_kg = 400;
  crv5::tank294_capacity_kg = crv5::tank300_capacity_kg = 100;
  crv5::external1_capacity_kg = crv5::external2_capacity_kg = 300;
  crv5::fuel_gauge_all_tanks = crv5::fuel_lamp_test = crv5::fuel_lamp_test_ticks = 0;
  crv5::fuel_blink_enabled = 1;
  crv5::fuel_left_kg = left_kg;
  crv5::fuel_right_kg = right_kg;
}

TEST(FuelQuantity, SidesCountTheirExternalTankOnlyWhenTheSelectorSaysAll) {
  TestHost host;
  set_tanks();
  host.set(291, 8388608);  // full
  host.set(293, 8388608);
  host.set(297, 4194304);  // half
  host.set_calc(kExternal1, 50);
  host.set_calc(kExternal2, 100);
  EXPECT_DOUBLE_EQ(evaluate_pointer(2), 500);  // left
  EXPECT_DOUBLE_EQ(evaluate_pointer(1), 200);  // right
  EXPECT_EQ(host.lookups, (std::vector<uint32_t>{291, 293, 297, 299}));
  EXPECT_TRUE(host.calculations.empty());

  EXPECT_FALSE(click(gauge("Fuel_Qty_Switch")));
  EXPECT_DOUBLE_EQ(evaluate_pointer(2), 650);
  EXPECT_DOUBLE_EQ(evaluate_pointer(1), 500);
  EXPECT_EQ(host.calculations, (std::vector<std::string>{kExternal1, kExternal2}));
  EXPECT_EQ(tooltip(fuel_gauge(), 0), "Fuel quantity left with external tanks (650 kg)");
  EXPECT_EQ(tooltip(fuel_gauge(), 1), "Fuel quantity right with external tanks (500 kg)");

  host.calculations.clear();
  crv5::external1_capacity_kg = 0;  // no external tank on the left: its level is not asked for
  EXPECT_DOUBLE_EQ(evaluate_pointer(2), 500);
  EXPECT_TRUE(host.calculations.empty());

  click(gauge("Fuel_Qty_Switch"));
  EXPECT_EQ(tooltip(fuel_gauge(), 0), "Fuel quantity left without external tanks (500 kg)");
}

TEST(FuelLamps, LowLevelAndLowPressureThresholds) {
  TestHost host;
  set_tanks(50, 49);  // 9.9 percent of the 1000 kg inside
  EXPECT_EQ(icon_value("Low_Fuel_Level_Light"), 0);
  set_tanks(50, 50);
  EXPECT_EQ(icon_value("Low_Fuel_Level_Light"), -1);
  crv5::tank292_capacity_kg = crv5::tank294_capacity_kg = 0;  // capacities not known yet
  crv5::tank298_capacity_kg = crv5::tank300_capacity_kg = 0;
  crv5::fuel_left_kg = crv5::fuel_right_kg = 0;
  EXPECT_EQ(icon_value("Low_Fuel_Level_Light"), 0);

  host.set(899, 2402);  // 1.1504 bar
  EXPECT_EQ(icon_value("Low_Fuel_Press_Light"), -1);
  host.set(899, 2400);  // 1.1495 bar
  EXPECT_EQ(icon_value("Low_Fuel_Press_Light"), 0);
}

TEST(FuelLamps, TenMinuteLampBlinksAtTenMinutesOrLessUnlessCutOut) {
  TestHost host;
  const struct {
    double fuel_kg, flow_pph;
    bool blinks;
  } cases[] = {
      {75.6, 1000, true},     // exactly 10 minutes at 453.6 kg/h
      {76.356, 1000, false},  // 10.1 minutes
      {0, 0, true},           // no fuel and no flow
      {100, 0, false},        // fuel and no flow
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fuel_kg);
    set_tanks(c.fuel_kg, 0);
    host.set(638, c.flow_pph);
    host.set(604, 100.3);  // lit half of the half second
    EXPECT_EQ(icon_value("Ten_Minutes_Flight_Light"), c.blinks ? 0 : -1);
    host.set(604, 100.25);
    EXPECT_EQ(icon_value("Ten_Minutes_Flight_Light"), -1);
  }

  set_tanks(0, 0);
  host.set(604, 100.3);
  EXPECT_FALSE(click(gauge("Stop_Blinking_Fuel_Knob")));
  EXPECT_EQ(icon_value("Ten_Minutes_Flight_Light"), -1);
  EXPECT_EQ(tooltip(gauge("Stop_Blinking_Fuel_Knob")), "Blinking light stopping button (not blinking)");
  click(gauge("Stop_Blinking_Fuel_Knob"));
  EXPECT_EQ(tooltip(gauge("Stop_Blinking_Fuel_Knob")), "Blinking light stopping button (blinking)");
}

TEST(FuelLamps, LampTestHoldsAllThreeLitFor35KnobUpdates) {
  TestHost host;
  set_tanks(500, 500);  // plenty of fuel, good pressure, blinking cut out, dark blink phase
  crv5::fuel_blink_enabled = 0;
  host.set(899, 5000);
  host.set(638, 1000);
  host.set(604, 0.1);
  auto lamps_lit = [] {
    return (icon_value("Low_Fuel_Level_Light") == 0) + (icon_value("Low_Fuel_Press_Light") == 0) +
           (icon_value("Ten_Minutes_Flight_Light") == 0);
  };
  auto knob = [] { return icon_value("Fuel_Lamps_Test_Knob"); };
  EXPECT_EQ(lamps_lit(), 0);

  click(gauge("Fuel_Lamps_Test_Knob"));
  for (int update = 1; update <= 20; ++update) ASSERT_EQ(knob(), 1) << update;
  EXPECT_EQ(lamps_lit(), 3);
  click(gauge("Fuel_Lamps_Test_Knob"));  // restarts the count
  for (int update = 1; update <= 35; ++update) ASSERT_EQ(knob(), 1) << update;
  EXPECT_EQ(lamps_lit(), 3);
  EXPECT_EQ(knob(), 0);
  EXPECT_EQ(lamps_lit(), 0);
  EXPECT_EQ(knob(), 0);
}

}  // namespace
