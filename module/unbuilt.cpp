// Gauges not built yet: each has its name, width and (where it will have one) a gauge callback
// that does nothing, no elements, and only the outer mouse parent. A gauge leaves this list when
// its own source is written.
#include "module/records.h"

namespace {

void no_service(GaugeHeader*, int32_t, uintptr_t) {}

}  // namespace

#define UNBUILT_GAUGE(name, width, has_callback)                                                \
  namespace unbuilt_##name {                                                                    \
  MouseRect mouse[] = {crv5::mouse_parent(), crv5::mouse_parent_end(), crv5::mouse_end()};       \
  }                                                                                             \
  GaugeHeader gauge_##name =                                                                    \
      crv5::gauge_header(#name, width, nullptr, unbuilt_##name::mouse,                          \
                         has_callback ? no_service : nullptr);

UNBUILT_GAUGE(Registration, 150, true)
UNBUILT_GAUGE(ATC_Toggle, 19, false)
UNBUILT_GAUGE(Kneeboard_Toggle, 19, false)
UNBUILT_GAUGE(Map_Toggle, 19, false)
UNBUILT_GAUGE(Compass_Toggle, 19, true)
UNBUILT_GAUGE(Close_Subpanel, 19, true)
UNBUILT_GAUGE(GPS_Toggle, 19, true)
UNBUILT_GAUGE(IFR_Panel_Toggle, 19, true)
UNBUILT_GAUGE(VFR_Panel_Toggle, 19, true)
UNBUILT_GAUGE(Landing_View_Toggle, 19, true)
UNBUILT_GAUGE(Radios_Toggle, 19, true)
UNBUILT_GAUGE(Throttle_Toggle, 19, true)
UNBUILT_GAUGE(Invisible_Toggle, 19, true)
UNBUILT_GAUGE(Electricity_Toggle, 19, true)
UNBUILT_GAUGE(Starter_Toggle, 19, true)
UNBUILT_GAUGE(Autopilot_Toggle, 19, true)
UNBUILT_GAUGE(Radio_ADF, 100, true)
UNBUILT_GAUGE(Radio_COM1, 100, true)
UNBUILT_GAUGE(Radio_IFF_XPDR, 100, true)
UNBUILT_GAUGE(Radio_NAV1, 100, true)
UNBUILT_GAUGE(Radio_NAV2, 100, true)
UNBUILT_GAUGE(Autopilot, 100, true)
UNBUILT_GAUGE(Ruzi_Compass, 120, false)
UNBUILT_GAUGE(ADF_Indicator, 100, false)
UNBUILT_GAUGE(Turn_Coordinator, 100, false)
UNBUILT_GAUGE(Vertical_Speed, 100, false)
UNBUILT_GAUGE(Altimeter, 100, false)
UNBUILT_GAUGE(Attitude, 100, false)
UNBUILT_GAUGE(Airspeed_Machmeter, 100, false)
UNBUILT_GAUGE(VOR1_Indicator, 100, false)
UNBUILT_GAUGE(VOR2_Indicator, 100, false)
UNBUILT_GAUGE(RMI, 100, false)
UNBUILT_GAUGE(Head_Up_Display, 100, false)
UNBUILT_GAUGE(Fuel_Pressure, 100, false)
UNBUILT_GAUGE(EGT_Indicator, 100, false)
UNBUILT_GAUGE(Fuel_Flow, 100, false)
UNBUILT_GAUGE(Throttle_Quadrant, 150, false)
UNBUILT_GAUGE(Hydraulic_Pressure, 100, false)
UNBUILT_GAUGE(Accelerometer, 100, false)
UNBUILT_GAUGE(Cabin_Altitude, 100, false)
UNBUILT_GAUGE(Triple_Indicator, 100, false)
UNBUILT_GAUGE(Spoilers_Position, 100, false)
UNBUILT_GAUGE(Whiskey_Compass, 100, false)
UNBUILT_GAUGE(Voltmeter, 100, false)
UNBUILT_GAUGE(RMI_Switch, 30, true)
UNBUILT_GAUGE(NAV_GPS_Switch, 30, true)
UNBUILT_GAUGE(Battery_Switch, 30, true)
UNBUILT_GAUGE(Generator_Switch, 30, true)
UNBUILT_GAUGE(Spoilers_Lever, 33, false)
UNBUILT_GAUGE(HUD_Switch, 30, true)
UNBUILT_GAUGE(Flaps_Switch, 40, false)
UNBUILT_GAUGE(Landing_Light_Switch, 30, true)
UNBUILT_GAUGE(Navigation_Light_Switch, 30, true)
UNBUILT_GAUGE(Beacon_Light_Switch, 30, true)
UNBUILT_GAUGE(Taxi_Light_Switch, 30, true)
UNBUILT_GAUGE(Strobe_Light_Switch, 30, true)
UNBUILT_GAUGE(Avionics_Switch, 30, true)
UNBUILT_GAUGE(Pitot_Heat_Switch, 30, true)
UNBUILT_GAUGE(Panel_Light_Switch, 30, true)
UNBUILT_GAUGE(Speed_Brake_Light, 80, false)
UNBUILT_GAUGE(Flaps_Light, 80, false)
UNBUILT_GAUGE(OMI_Light, 80, false)
UNBUILT_GAUGE(Battery_Light, 30, false)
UNBUILT_GAUGE(Generator_Light, 30, false)
UNBUILT_GAUGE(Afterburner_Light, 80, false)
UNBUILT_GAUGE(Fire_Light, 40, false)
UNBUILT_GAUGE(Hydr_Press_Light_Main, 32, false)
UNBUILT_GAUGE(Hydr_Press_Light_Aux, 32, false)
UNBUILT_GAUGE(Pitot_Heat_Light, 32, false)
UNBUILT_GAUGE(AP_Tester, 100, false)
