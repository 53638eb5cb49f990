#include "host/sim/key_events.h"

#include <algorithm>
#include <array>

#include "host/sim/variables.h"

namespace gaugehost {

namespace {

constexpr double kWindowOpen = 1, kWindowClose = 0, kWindowToggle = -1;
constexpr const char* kViews =
    "the simulator's views; gaugehost shows the panel windows only and has no view to change";

using enum Effect;

// clang-format off
constexpr std::array kKeyEvents = std::to_array<KeyEventInfo>({
  // id     name                         effect          target               amount        note
  {0x10018, "strobe lights toggle",      toggle,         kStrobeLights,       0,            nullptr},
  {0x1001c, "ATC window",                not_simulated,  0,                   0,            "the simulator's ATC window; gaugehost has no air traffic control"},
  {0x10020, "gyro heading set",          set_angle,      kGyroHeading,        0,            nullptr},
  {0x10022, "gear lever toggle",         toggle_lever,   kGearLever,          0,            nullptr},
  {0x1002c, "autopilot master toggle",   toggle,         kApMaster,           0,            nullptr},
  {0x10064, "COM1 MHz down",             vhf_mhz,        kCom1Packed,         -1,           nullptr},
  {0x10065, "COM1 MHz up",               vhf_mhz,        kCom1Packed,         +1,           nullptr},
  {0x10066, "COM1 channel down",         vhf_channel,    kCom1Packed,         -1,           nullptr},
  {0x10067, "COM1 channel up",           vhf_channel,    kCom1Packed,         +1,           nullptr},
  {0x10068, "NAV1 MHz down",             vhf_mhz,        kNav1Packed,         -1,           nullptr},
  {0x10069, "NAV1 MHz up",               vhf_mhz,        kNav1Packed,         +1,           nullptr},
  {0x1006a, "NAV1 channel down",         vhf_channel,    kNav1Packed,         -1,           nullptr},
  {0x1006b, "NAV1 channel up",           vhf_channel,    kNav1Packed,         +1,           nullptr},
  {0x1006c, "NAV2 MHz down",             vhf_mhz,        kNav2Packed,         -1,           nullptr},
  {0x1006d, "NAV2 MHz up",               vhf_mhz,        kNav2Packed,         +1,           nullptr},
  {0x1006e, "NAV2 channel down",         vhf_channel,    kNav2Packed,         -1,           nullptr},
  {0x1006f, "NAV2 channel up",           vhf_channel,    kNav2Packed,         +1,           nullptr},
  {0x10073, "transponder thousands up",  code_digit,     3,                   +1,           nullptr},
  {0x10074, "transponder hundreds up",   code_digit,     2,                   +1,           nullptr},
  {0x10075, "transponder tens up",       code_digit,     1,                   +1,           nullptr},
  {0x10076, "transponder units up",      code_digit,     0,                   +1,           nullptr},
  {0x100b4, "NAV1 course set",           set_angle,      kNav1Course,         0,            nullptr},
  {0x100b5, "NAV2 course set",           set_angle,      kNav2Course,         0,            nullptr},
  {0x100be, "altitude hold toggle",      toggle,         kApAltitudeHold,     0,            nullptr},
  {0x100c6, "next view",                 not_simulated,  0,                   0,            kViews},
  {0x100c7, "previous view",             not_simulated,  0,                   0,            kViews},
  {0x100d6, "panel lights toggle",       toggle,         kPanelLights,        0,            nullptr},
  {0x100d7, "landing lights toggle",     toggle,         kLandingLights,      0,            nullptr},
  {0x100d8, "parking brake toggle",      toggle_lever,   kParkingBrake,       0,            nullptr},
  {0x100de, "flaps one step down",       flaps_step,     0,                   +1,           nullptr},
  {0x100df, "flaps one step up",         flaps_step,     0,                   -1,           nullptr},
  {0x100fa, "speed brake handle set",    set_scaled,     kSpoilersHandle,     1,            nullptr},
  {0x10111, "wing leveler on",           set_to,         kApWingLeveler,      1,            nullptr},
  {0x10113, "NAV1 hold on",              set_to,         kApNavHold,          1,            nullptr},
  {0x10119, "wing leveler off",          set_to,         kApWingLeveler,      0,            nullptr},
  {0x1011b, "NAV1 hold off",             set_to,         kApNavHold,          0,            nullptr},
  {0x1011c, "throttle set",              set_scaled,     kThrottle,           1.0 / 16384,  nullptr},
  {0x10128, "NAV1 ident off",            ident_audio,    kIdentNav1,          0,            nullptr},
  {0x10129, "NAV2 ident off",            ident_audio,    kIdentNav2,          0,            nullptr},
  {0x1012c, "ADF ident off",             ident_audio,    kIdentAdf,           0,            nullptr},
  {0x1012d, "NAV1 ident on",             ident_audio,    kIdentNav1,          1,            nullptr},
  {0x1012e, "NAV2 ident on",             ident_audio,    kIdentNav2,          1,            nullptr},
  {0x10131, "ADF ident on",              ident_audio,    kIdentAdf,           1,            nullptr},
  {0x10142, "pitot heat toggle",         toggle,         kPitotHeat,          0,            nullptr},
  {0x10153, "view reset",                not_simulated,  0,                   0,            kViews},
  {0x10154, "kneeboard window",          not_simulated,  0,                   0,            "the simulator's kneeboard; gaugehost has none"},
  {0x10159, "ADF card right",            step_angle,     kAdfCard,            +1,           nullptr},
  {0x1015a, "ADF card left",             step_angle,     kAdfCard,            -1,           nullptr},
  {0x1015b, "barometric setting up",     step,           kBaroSetting,        +1,           nullptr},
  {0x1015c, "barometric setting down",   step,           kBaroSetting,        -1,           nullptr},
  {0x1017f, "fuel lever set",            set_scaled,     kFuelLever,          1.0 / 16383,  nullptr},
  {0x101fa, "heading bug set",           set_angle,      kHeadingBug,         0,            nullptr},
  {0x10215, "yaw damper on",             set_to,         kApYawDamper,        1,            nullptr},
  {0x10216, "yaw damper off",            set_to,         kApYawDamper,        0,            nullptr},
  {0x1023a, "heading hold on",           set_to,         kApHeadingHold,      1,            nullptr},
  {0x1023b, "heading hold off",          set_to,         kApHeadingHold,      0,            nullptr},
  {0x1024a, "ADF frequency set",         adf_set,        0,                   0,            nullptr},
  {0x102bf, "beacon lights toggle",      toggle,         kBeaconLights,       0,            nullptr},
  {0x102c0, "taxi lights toggle",        toggle,         kTaxiLights,         0,            nullptr},
  {0x102c1, "battery master toggle",     toggle,         kBatterySwitch,      0,            nullptr},
  {0x102f0, "flight director off",       set_to,         kFlightDirector,     0,            nullptr},
  {0x102f5, "avionics master toggle",    toggle,         kAvionicsSwitch,     0,            nullptr},
  {0x102fa, "drag chute setting up",     step,           kChuteDrag,          +1,           nullptr},
  {0x102fb, "drag chute setting down",   step,           kChuteDrag,          -1,           nullptr},
  {0x102fc, "starter engage",            starter,        0,                   0,            nullptr},
  {0x1030e, "attitude symbol up",        step,           kAttitudeSymbol,     +5,           nullptr},
  {0x1030f, "attitude symbol down",      step,           kAttitudeSymbol,     -5,           nullptr},
  {0x10324, "fuel pump toggle",          toggle,         kFuelPump,           0,            nullptr},
  {0x10337, "afterburner toggle",        toggle,         kAfterburner,        0,            nullptr},
  {0x1033b, "generator toggle",          toggle,         kGeneratorSwitch,    0,            nullptr},
  {0x10347, "NAV/GPS toggle",            toggle,         kNavGpsSwitch,       0,            nullptr},
  {0x10348, "engine run switch toggle",  toggle,         kEngineRunSwitch,    0,            nullptr},
  {0x1034a, "afterburner switch toggle", toggle,         kAfterburnerSwitch,  0,            nullptr},
  {0x1034b, "navigation lights toggle",  toggle,         kNavigationLights,   0,            nullptr},
  {0x10356, "drag chute toggle",         parachute,      0,                   0,            nullptr},
  {0x10380, "map window",                not_simulated,  0,                   0,            "the simulator's map; gaugehost has none"},
  {0x10397, "transponder thousands down",code_digit,     3,                   -1,           nullptr},
  {0x10398, "transponder hundreds down", code_digit,     2,                   -1,           nullptr},
  {0x10399, "transponder tens down",     code_digit,     1,                   -1,           nullptr},
  {0x1039a, "transponder units down",    code_digit,     0,                   -1,           nullptr},
  {0x1039d, "ADF 0.1 kHz down",          adf_step,       0,                   -1,           nullptr},
  {0x1039e, "ADF 0.1 kHz up",            adf_step,       0,                   +1,           nullptr},
  {0x103be, "fuel valve toggle",         toggle,         kFuelValve,          0,            nullptr},
  {0x103ca, "panel window toggle",       panel_window,   0,                   kWindowToggle, nullptr},
  {0x103cb, "panel window open",         panel_window,   0,                   kWindowOpen,  nullptr},
  {0x103cc, "panel window close",        panel_window,   0,                   kWindowClose, nullptr},
  {0x103ee, "ADF 1 kHz up",              adf_step,       0,                   +10,          nullptr},
  {0x103ef, "ADF 1 kHz down",            adf_step,       0,                   -10,          nullptr},
});
// clang-format on

constexpr bool ascending() {
  for (size_t i = 1; i < kKeyEvents.size(); ++i)
    if (kKeyEvents[i - 1].id >= kKeyEvents[i].id) return false;
  return true;
}
static_assert(ascending(), "the event table runs in ascending order of id, each once");

}  // namespace

std::span<const KeyEventInfo> key_event_table() { return kKeyEvents; }

const KeyEventInfo* find_key_event(uint32_t id) {
  auto found = std::lower_bound(
      kKeyEvents.begin(), kKeyEvents.end(), id,
      [](const KeyEventInfo& info, uint32_t wanted) { return info.id < wanted; });
  return found != kKeyEvents.end() && found->id == id ? &*found : nullptr;
}

std::optional<WindowAction> panel_window_action(uint32_t id) {
  const KeyEventInfo* info = find_key_event(id);
  if (!info || info->effect != Effect::panel_window) return std::nullopt;
  if (info->amount == kWindowOpen) return WindowAction::open;
  if (info->amount == kWindowClose) return WindowAction::close;
  return WindowAction::toggle;
}

}  // namespace gaugehost
