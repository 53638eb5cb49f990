// The cockpit's two-position switches, members of the switch family. Each lever picture is the
// simulator's own switch (its token is the image index: 0 down, 1 up), so a change made by the
// keyboard or the engine logic shows at once.
//  - The ten on/off switches of the electrical and lights panel: a click is turned into the
//    switch's toggle event by the host itself; no library code runs and no sound plays. Their
//    gauge callbacks do nothing.
//  - NAV_GPS_Switch: a click sends the NAV/GPS toggle and plays WAVE 10; its gauge callback sets
//    up and releases the click.
//
// Reads: tokens 740 (avionics), 364 (battery), 368 (beacon), 565 (generator), 14 (landing
// lights), 619 (navigation lights), 10 (panel lights), 13 (pitot heat), 11 (strobes), 369 (taxi
// lights), 848 (GPS drives the navigation instruments), each as its switch's picture and tooltip.
// Writes: nothing module-wide.
// Sends: 0x102f5, 0x102c1, 0x102bf, 0x1033b, 0x100d7, 0x1034b, 0x100d6, 0x10142, 0x10018,
// 0x102c0 (the toggles, by the host on a click); 0x10347 (NAV/GPS toggle, value 0), then plays
// WAVE 10.
#include <iterator>

#include "mechanics/switches.h"

namespace cockpit_switches {

// Tokens: the simulator's switches.
constexpr uint32_t kAvionics = 740;
constexpr uint32_t kBattery = 364;
constexpr uint32_t kBeaconLights = 368;
constexpr uint32_t kGenerator = 565;
constexpr uint32_t kLandingLights = 14;
constexpr uint32_t kNavigationLights = 619;
constexpr uint32_t kPanelLights = 10;
constexpr uint32_t kPitotHeat = 13;
constexpr uint32_t kStrobeLights = 11;
constexpr uint32_t kTaxiLights = 369;
constexpr uint32_t kGpsDrivesNav = 848;

// Key events: the toggle of each switch.
constexpr uint32_t kToggleAvionics = 0x102f5;
constexpr uint32_t kToggleBattery = 0x102c1;
constexpr uint32_t kToggleBeaconLights = 0x102bf;
constexpr uint32_t kToggleGenerator = 0x1033b;
constexpr uint32_t kToggleLandingLights = 0x100d7;
constexpr uint32_t kToggleNavigationLights = 0x1034b;
constexpr uint32_t kTogglePanelLights = 0x100d6;
constexpr uint32_t kTogglePitotHeat = 0x10142;
constexpr uint32_t kToggleStrobeLights = 0x10018;
constexpr uint32_t kToggleTaxiLights = 0x102c0;
constexpr uint32_t kToggleNavGps = 0x10347;

constexpr uint16_t kClickWave = 10;

// The switches' bitmaps: the round base with its lever down (off) and up (on); the panel lights'
// ring with its button out and in; the NAV/GPS strip with its lever up (NAV) and down (GPS).
constexpr int32_t kSwitchBase = 2400, kSwitchLever = 2410;
constexpr int32_t kButtonRing = 4110, kButton = 4120;
constexpr int32_t kNavGpsStrip = 2170, kNavGpsLever = 2180;

// Click boxes (x, y, width, height): the battery and generator switches' is shorter.
constexpr PixBox kLongLever = {0, 11, 30, 58};
constexpr PixBox kShortLever = {0, 4, 30, 50};
constexpr PixBox kWholeButton = {0, 0, 52, 52};
constexpr PixBox kNavGpsLeverBox = {0, 11, 30, 60};

struct GpsNav {
  static constexpr const char* set = "GPS";
  static constexpr const char* clear = "NAV";
};

}  // namespace cockpit_switches

namespace crv5::switches {
using namespace cockpit_switches;

// clang-format off
constexpr family::Member kCockpitSwitches[] = {
    {.gauge = GaugeId::Avionics_Switch,         .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kAvionics,         .click = kLongLever,      .event = kToggleAvionics,                             .tooltip = "Avionics switch (%1!s!)",           .tooltip_args = state_word_args<kAvionics>},
    {.gauge = GaugeId::Battery_Switch,          .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kBattery,          .click = kShortLever,     .event = kToggleBattery,                              .tooltip = "Battery switch (%1!s!)",            .tooltip_args = state_word_args<kBattery>},
    {.gauge = GaugeId::Beacon_Light_Switch,     .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kBeaconLights,     .click = kLongLever,      .event = kToggleBeaconLights,                         .tooltip = "Beacon lights switch (%1!s!)",      .tooltip_args = state_word_args<kBeaconLights>},
    {.gauge = GaugeId::Generator_Switch,        .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kGenerator,        .click = kShortLever,     .event = kToggleGenerator,                            .tooltip = "Generator switch (%1!s!)",          .tooltip_args = state_word_args<kGenerator>},
    {.gauge = GaugeId::Landing_Light_Switch,    .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kLandingLights,    .click = kLongLever,      .event = kToggleLandingLights,                        .tooltip = "Landing lights switch (%1!s!)",     .tooltip_args = state_word_args<kLandingLights>},
    {.gauge = GaugeId::Navigation_Light_Switch, .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kNavigationLights, .click = kLongLever,      .event = kToggleNavigationLights,                     .tooltip = "Navigation lights switch (%1!s!)",  .tooltip_args = state_word_args<kNavigationLights>},
    {.gauge = GaugeId::Panel_Light_Switch,      .base = kButtonRing,  .picture = kButton,      .pictures = 2, .token = kPanelLights,      .click = kWholeButton,    .event = kTogglePanelLights,                          .tooltip = "Panel lights switch (%1!s!)",       .tooltip_args = state_word_args<kPanelLights>},
    {.gauge = GaugeId::Pitot_Heat_Switch,       .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kPitotHeat,        .click = kLongLever,      .event = kTogglePitotHeat,                            .tooltip = "Pitot_Heat switch (%1!s!)",         .tooltip_args = state_word_args<kPitotHeat>},
    {.gauge = GaugeId::Strobe_Light_Switch,     .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kStrobeLights,     .click = kLongLever,      .event = kToggleStrobeLights,                         .tooltip = "Strobe lights switch (%1!s!)",      .tooltip_args = state_word_args<kStrobeLights>},
    {.gauge = GaugeId::Taxi_Light_Switch,       .base = kSwitchBase,  .picture = kSwitchLever, .pictures = 2, .token = kTaxiLights,       .click = kLongLever,      .event = kToggleTaxiLights,                           .tooltip = "Taxi lights switch (%1!s!)",        .tooltip_args = state_word_args<kTaxiLights>},
    {.gauge = GaugeId::NAV_GPS_Switch,          .base = kNavGpsStrip, .picture = kNavGpsLever, .pictures = 2, .token = kGpsDrivesNav,     .click = kNavGpsLeverBox, .event = kToggleNavGps,     .wave = kClickWave, .tooltip = "NAV/GPS switch (%1!s! active)", .tooltip_args = state_word_args<kGpsDrivesNav, GpsNav>},
};
// clang-format on

}  // namespace crv5::switches

using crv5::switches::Switch;
using crv5::switches::kCockpitSwitches;
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Avionics_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Battery_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Beacon_Light_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Generator_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Landing_Light_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Navigation_Light_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Panel_Light_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Pitot_Heat_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Strobe_Light_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, Taxi_Light_Switch);
CRV5_FAMILY_MEMBER(Switch, kCockpitSwitches, NAV_GPS_Switch);
