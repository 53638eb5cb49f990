// The module's 90 gauges in Linkage order: name, width in millimetres, and whether the gauge has a
// gauge callback. This table is the one place these are written: every gauge header takes its
// name and width from it (gauge_header(GaugeId::...)), and the tests read it. A row whose gauge
// defines no header does not link.
//
// Each gauge's header is the variable gauge_<name>; GaugeId::<name> is its position in the table.
#pragma once

#include <cstddef>
#include <iterator>

#include "module/gauge.h"

// clang-format off
#define CRV5_GAUGE_TABLE(X)                 \
  X(Registration,             150, true)    \
  X(Engine_Off,                30, true)    \
  X(Engine_On,                 30, true)    \
  X(ATC_Toggle,                19, false)   \
  X(Kneeboard_Toggle,          19, false)   \
  X(Map_Toggle,                19, false)   \
  X(Compass_Toggle,            19, true)    \
  X(Close_Subpanel,            19, true)    \
  X(GPS_Toggle,                19, true)    \
  X(IFR_Panel_Toggle,          19, true)    \
  X(VFR_Panel_Toggle,          19, true)    \
  X(Landing_View_Toggle,       19, true)    \
  X(Radios_Toggle,             19, true)    \
  X(Throttle_Toggle,           19, true)    \
  X(Invisible_Toggle,          19, true)    \
  X(Electricity_Toggle,        19, true)    \
  X(Starter_Toggle,            19, true)    \
  X(Autopilot_Toggle,          19, true)    \
  X(Radio_ADF,                100, true)    \
  X(Radio_COM1,               100, true)    \
  X(Radio_IFF_XPDR,           100, true)    \
  X(Radio_NAV1,               100, true)    \
  X(Radio_NAV2,               100, true)    \
  X(Autopilot,                100, true)    \
  X(Ruzi_Compass,             120, false)   \
  X(ADF_Indicator,            100, false)   \
  X(Turn_Coordinator,         100, false)   \
  X(Vertical_Speed,           100, false)   \
  X(Altimeter,                100, false)   \
  X(Attitude,                 100, false)   \
  X(Airspeed_Machmeter,       100, false)   \
  X(VOR1_Indicator,           100, false)   \
  X(VOR2_Indicator,           100, false)   \
  X(RMI,                      100, false)   \
  X(Head_Up_Display,          100, false)   \
  X(Engine_RPM,               100, false)   \
  X(Fuel_Pressure,            100, false)   \
  X(EGT_Indicator,            100, false)   \
  X(Fuel_Quantity,            100, false)   \
  X(Fuel_Flow,                100, false)   \
  X(Throttle_Quadrant,        150, false)   \
  X(Hydraulic_Pressure,       100, false)   \
  X(Starter_Board,             30, true)    \
  X(Accelerometer,            100, false)   \
  X(Cabin_Altitude,           100, false)   \
  X(Triple_Indicator,         100, false)   \
  X(Spoilers_Position,        100, false)   \
  X(Whiskey_Compass,          100, false)   \
  X(Voltmeter,                100, false)   \
  X(RMI_Switch,                30, true)    \
  X(NAV_GPS_Switch,            30, true)    \
  X(Parking_Brake,             80, true)    \
  X(Gear_Lever,                40, false)   \
  X(Battery_Switch,            30, true)    \
  X(Generator_Switch,          30, true)    \
  X(Spoilers_Lever,            33, false)   \
  X(HUD_Switch,                30, true)    \
  X(Flaps_Switch,              40, false)   \
  X(Stop_Blinking_Fuel_Knob,   80, true)    \
  X(Fuel_Lamps_Test_Knob,      80, true)    \
  X(Fuel_Qty_Switch,           40, true)    \
  X(Landing_Light_Switch,      30, true)    \
  X(Navigation_Light_Switch,   30, true)    \
  X(Beacon_Light_Switch,       30, true)    \
  X(Taxi_Light_Switch,         30, true)    \
  X(Strobe_Light_Switch,       30, true)    \
  X(Avionics_Switch,           30, true)    \
  X(Pitot_Heat_Switch,         30, true)    \
  X(Panel_Light_Switch,        30, true)    \
  X(Parachute,                 80, true)    \
  X(Speed_Brake_Light,         80, false)   \
  X(Gear_Light_Green,          80, false)   \
  X(Flaps_Light,               80, false)   \
  X(Gear_Warning_Light,        80, false)   \
  X(OMI_Light,                 80, false)   \
  X(Battery_Light,             30, false)   \
  X(Generator_Light,           30, false)   \
  X(Afterburner_Light,         80, false)   \
  X(Ten_Minutes_Flight_Light,  80, false)   \
  X(Gear_Lamps,                40, false)   \
  X(Low_Fuel_Press_Light,      32, false)   \
  X(Fire_Light,                40, false)   \
  X(Hydr_Press_Light_Main,     32, false)   \
  X(Hydr_Press_Light_Aux,      32, false)   \
  X(Pitot_Heat_Light,          32, false)   \
  X(Low_Fuel_Level_Light,      80, false)   \
  X(Parachute_Light,           80, false)   \
  X(Engine_Corrected_N1,      100, true)    \
  X(Engine_Corrected_N2,      100, true)    \
  X(AP_Tester,                100, false)
// clang-format on

#define CRV5_DECLARE_GAUGE(name, width, has_callback) extern GaugeHeader gauge_##name;
CRV5_GAUGE_TABLE(CRV5_DECLARE_GAUGE)
#undef CRV5_DECLARE_GAUGE

namespace crv5 {

// A gauge's position in the table, named as the gauge.
enum class GaugeId : int {
#define CRV5_GAUGE_ID(name, width, has_callback) name,
  CRV5_GAUGE_TABLE(CRV5_GAUGE_ID)
#undef CRV5_GAUGE_ID
};

struct GaugeRow {
  const char* name;   // the name a panel configuration places the gauge by
  uint32_t width_mm;  // millimetres
  bool has_callback;  // whether the gauge has a gauge callback
};

inline constexpr GaugeRow kGaugeTable[] = {
#define CRV5_GAUGE_ROW(name, width, has_callback) {#name, width, has_callback},
    CRV5_GAUGE_TABLE(CRV5_GAUGE_ROW)
#undef CRV5_GAUGE_ROW
};
static_assert(std::size(kGaugeTable) == kMaxGauges, "the table holds the module's 90 gauges");

// Every gauge's header, in table order.
inline constexpr GaugeHeader* kGaugeHeaders[] = {
#define CRV5_GAUGE_HEADER(name, width, has_callback) &gauge_##name,
    CRV5_GAUGE_TABLE(CRV5_GAUGE_HEADER)
#undef CRV5_GAUGE_HEADER
};
static_assert(std::size(kGaugeHeaders) == kMaxGauges);

constexpr const GaugeRow& row_of(GaugeId id) { return kGaugeTable[static_cast<size_t>(id)]; }
constexpr GaugeHeader* header_of(GaugeId id) { return kGaugeHeaders[static_cast<size_t>(id)]; }

// A gauge header with the fields a module fills, its name and width from the table. Evaluated
// while compiling: a callback that disagrees with the table's column does not compile.
consteval GaugeHeader gauge_header(GaugeId id, ElementHeader* const* elements,
                                   MouseRect* mouse_rects, GaugeCallback callback = nullptr) {
  const GaugeRow& row = row_of(id);
  if (row.has_callback != (callback != nullptr)) throw "the gauge callback disagrees with the table";
  return GaugeHeader{.version = kGaugeHeaderVersion, .name = row.name, .elements = elements,
                     .size_x_mm = row.width_mm, .mouse_rects = mouse_rects, .callback = callback};
}

}  // namespace crv5
