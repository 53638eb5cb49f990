// The exported records: what the simulator reads when it loads the module.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "module/gauge.h"
#include "module/services.h"
#include "tests/support/test_host.h"

extern "C" GaugeLinkage Linkage;

namespace {

struct Expected {
  const char* name;
  double width_mm;
  bool has_callback;
};

// The gauge table as panel configurations know it.
const Expected kTable[] = {
    {"Registration", 150, true},        {"Engine_Off", 30, true},
    {"Engine_On", 30, true},            {"ATC_Toggle", 19, false},
    {"Kneeboard_Toggle", 19, false},    {"Map_Toggle", 19, false},
    {"Compass_Toggle", 19, true},       {"Close_Subpanel", 19, true},
    {"GPS_Toggle", 19, true},           {"IFR_Panel_Toggle", 19, true},
    {"VFR_Panel_Toggle", 19, true},     {"Landing_View_Toggle", 19, true},
    {"Radios_Toggle", 19, true},        {"Throttle_Toggle", 19, true},
    {"Invisible_Toggle", 19, true},     {"Electricity_Toggle", 19, true},
    {"Starter_Toggle", 19, true},       {"Autopilot_Toggle", 19, true},
    {"Radio_ADF", 100, true},           {"Radio_COM1", 100, true},
    {"Radio_IFF_XPDR", 100, true},      {"Radio_NAV1", 100, true},
    {"Radio_NAV2", 100, true},          {"Autopilot", 100, true},
    {"Ruzi_Compass", 120, false},       {"ADF_Indicator", 100, false},
    {"Turn_Coordinator", 100, false},   {"Vertical_Speed", 100, false},
    {"Altimeter", 100, false},          {"Attitude", 100, false},
    {"Airspeed_Machmeter", 100, false}, {"VOR1_Indicator", 100, false},
    {"VOR2_Indicator", 100, false},     {"RMI", 100, false},
    {"Head_Up_Display", 100, false},    {"Engine_RPM", 100, false},
    {"Fuel_Pressure", 100, false},      {"EGT_Indicator", 100, false},
    {"Fuel_Quantity", 100, false},      {"Fuel_Flow", 100, false},
    {"Throttle_Quadrant", 150, false},  {"Hydraulic_Pressure", 100, false},
    {"Starter_Board", 30, true},        {"Accelerometer", 100, false},
    {"Cabin_Altitude", 100, false},     {"Triple_Indicator", 100, false},
    {"Spoilers_Position", 100, false},  {"Whiskey_Compass", 100, false},
    {"Voltmeter", 100, false},          {"RMI_Switch", 30, true},
    {"NAV_GPS_Switch", 30, true},       {"Parking_Brake", 80, true},
    {"Gear_Lever", 40, false},          {"Battery_Switch", 30, true},
    {"Generator_Switch", 30, true},     {"Spoilers_Lever", 33, false},
    {"HUD_Switch", 30, true},           {"Flaps_Switch", 40, false},
    {"Stop_Blinking_Fuel_Knob", 80, true}, {"Fuel_Lamps_Test_Knob", 80, true},
    {"Fuel_Qty_Switch", 40, true},      {"Landing_Light_Switch", 30, true},
    {"Navigation_Light_Switch", 30, true}, {"Beacon_Light_Switch", 30, true},
    {"Taxi_Light_Switch", 30, true},    {"Strobe_Light_Switch", 30, true},
    {"Avionics_Switch", 30, true},      {"Pitot_Heat_Switch", 30, true},
    {"Panel_Light_Switch", 30, true},   {"Parachute", 80, true},
    {"Speed_Brake_Light", 80, false},   {"Gear_Light_Green", 80, false},
    {"Flaps_Light", 80, false},         {"Gear_Warning_Light", 80, false},
    {"OMI_Light", 80, false},           {"Battery_Light", 30, false},
    {"Generator_Light", 30, false},     {"Afterburner_Light", 80, false},
    {"Ten_Minutes_Flight_Light", 80, false}, {"Gear_Lamps", 40, false},
    {"Low_Fuel_Press_Light", 32, false}, {"Fire_Light", 40, false},
    {"Hydr_Press_Light_Main", 32, false}, {"Hydr_Press_Light_Aux", 32, false},
    {"Pitot_Heat_Light", 32, false},    {"Low_Fuel_Level_Light", 80, false},
    {"Parachute_Light", 80, false},     {"Engine_Corrected_N1", 100, true},
    {"Engine_Corrected_N2", 100, true}, {"AP_Tester", 100, false},
};
static_assert(std::size(kTable) == 90);

TEST(Linkage, IdentifiesTheModule) {
  EXPECT_EQ(Linkage.module_id, 0x13u);
  EXPECT_EQ(Linkage.version, 0x900u);
  EXPECT_EQ(Linkage.flags, 0u);
  EXPECT_EQ(Linkage.priority, 0u);
  ASSERT_NE(Linkage.module_init, nullptr);
  ASSERT_NE(Linkage.module_deinit, nullptr);
  Linkage.module_init();
  Linkage.module_deinit();
}

TEST(Linkage, ListsTheNinetyGaugesInOrderThenNull) {
  for (size_t i = 0; i < std::size(kTable); ++i) {
    const GaugeHeader* gauge = Linkage.gauges[i];
    ASSERT_NE(gauge, nullptr) << "entry " << i;
    EXPECT_STREQ(gauge->name, kTable[i].name) << "entry " << i;
    EXPECT_EQ(gauge->width_mm, kTable[i].width_mm) << gauge->name;
    EXPECT_EQ(gauge->callback != nullptr, kTable[i].has_callback) << gauge->name;
    EXPECT_EQ(gauge->version, 800u) << gauge->name;
  }
  EXPECT_EQ(Linkage.gauges[90], nullptr);
}

TEST(Linkage, TheTwoCorrectedDialsShareOneCallback) {
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

TEST(ImportTable, ShipsAnEmptyServiceEntryForTheHostToFill) {
  EXPECT_EQ(ImportTable.services.id, 0x0Fu);
  EXPECT_EQ(ImportTable.end.id, 0u);
  EXPECT_EQ(ImportTable.end.pointer, nullptr);
}

TEST(GaugeCallbacks, IgnoreServiceIdsTheyDoNotUse) {
  for (int32_t service : {0, 1, 3, 4, 5, 7, 8, 9, 10, 11, 13, 15, 16, 99, -1}) {
    crv5::testing::TestHost host;
    for (int i = 0; i < 90; ++i) crv5::testing::TestHost::service(*Linkage.gauges[i], service);
    EXPECT_TRUE(host.lookups.empty()) << "service " << service;
    EXPECT_TRUE(host.events.empty()) << "service " << service;
    EXPECT_TRUE(host.window_toggles.empty()) << "service " << service;
    EXPECT_TRUE(host.calculations.empty()) << "service " << service;
  }
}

}  // namespace
