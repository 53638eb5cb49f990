// AP_Tester: the autopilot annunciator tester, a sheet headed "AP Variables" that lists the
// simulator's autopilot variables by name. Each mode variable has a bright FS lamp, lit while it
// is above 0; beside it the darker LOC lamps, which never light. Each value variable has a
// six-character read-out, the value rounded to a whole number and right-aligned.
//
// Reads: tokens 87, 103, 114, 792, 106, 105, 112, 111, 113, 108, 119, 104, 110, 115, 819, 117,
// 123, 124 (lamps); 107, 109, 120, 116, 118, 125 (read-outs). Writes nothing module-wide; sends
// no events.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "autopilot/autopilot.h"
#include "common/whole_number.h"
#include "module/gauges.h"
#include "module/records.h"

namespace crv5::autopilot {

bool format_tester_value(double value, char* text, size_t chars) {
  if (!std::isfinite(value) || value < -10000) return false;
  return common::format_whole_number(value, text, chars);
}

}  // namespace crv5::autopilot

namespace ap_tester {
using namespace crv5;

constexpr int32_t kFsColumn = 83;        // x of the FS lamps
constexpr int32_t kLocColumn = 54;       // x of the LOC lamps
constexpr int32_t kReadoutColumn = 34;   // x of the read-outs

struct LampRow {
  int32_t y;       // background pixels
  uint32_t token;  // lit above 0
};
// clang-format off
constexpr LampRow kLampRows[] = {
    {.y = 73,  .token = 87},   // AIRCRAFT_AUTOPILOT_AVAILABLE
    {.y = 101, .token = 103},  // AUTOPILOT_ACTIVE
    {.y = 115, .token = 114},  // AUTOPILOT_YAW_DAMPER
    {.y = 129, .token = 792},  // FLIGHT_DIRECTOR_ACTIVE
    {.y = 157, .token = 106},  // AUTOPILOT_HEADING_LOCK
    {.y = 185, .token = 105},  // AUTOPILOT_NAV1_LOCK
    {.y = 199, .token = 112},  // AUTOPILOT_APROACH_HOLD
    {.y = 213, .token = 111},  // AUTOPILOT_GLIDESLOPE_HOLD
    {.y = 227, .token = 113},  // AUTOPILOT_BACKCOURSE_HOLD
    {.y = 255, .token = 108},  // AUTOPILOT_ALTITUDE_LOCK
    {.y = 283, .token = 119},  // AUTOPILOT_VERTICAL_HOLD
    {.y = 311, .token = 104},  // AUTOPILOT_WING_LEVELER
    {.y = 325, .token = 110},  // AUTOPILOT_ATTITUDE_HOLD
    {.y = 353, .token = 115},  // AUTOPILOT_AIRSPEED_HOLD
    {.y = 367, .token = 819},  // AUTOPILOT_AIRSPEED_HOLD_CURRENT
    {.y = 381, .token = 117},  // AUTOPILOT_MACH_HOLD
    {.y = 409, .token = 123},  // AUTOPILOT_AUTO_THROTTLE_ARM
    {.y = 423, .token = 124},  // AUTOPILOT_TAKEOFF_POWER_ACTIVE
};
constexpr size_t kLampCount = std::size(kLampRows);
constexpr int32_t kAltitudeRowY = 255;

// The LOC column: a lamp beside each lamp row, the altitude row's two (Select, Current) instead
// of one, and the altitude row's Captured lamp further right.
constexpr PixPoint kLocLamps[] = {
    {kLocColumn, 73},  {kLocColumn, 101}, {kLocColumn, 115}, {kLocColumn, 129}, {kLocColumn, 157},
    {kLocColumn, 185}, {kLocColumn, 199}, {kLocColumn, 213}, {kLocColumn, 227},
    {kLocColumn, 248}, {kLocColumn, 262}, {256, kAltitudeRowY},  // altitude: Select, Current, Captured
    {kLocColumn, 283}, {kLocColumn, 311}, {kLocColumn, 325}, {kLocColumn, 353}, {kLocColumn, 367},
    {kLocColumn, 381}, {kLocColumn, 409}, {kLocColumn, 423},
};
constexpr size_t kLocCount = std::size(kLocLamps);
static_assert(kLocCount == kLampCount + 2, "one LOC lamp a row, two more on the altitude row");

struct ReadoutRow {
  int32_t y;       // background pixels
  uint32_t token;
};
constexpr ReadoutRow kReadoutRows[] = {
    {.y = 449, .token = 107},  // AUTOPILOT_HEADING_LOCK_DIR
    {.y = 463, .token = 109},  // AUTOPILOT_ALTITUDE_LOCK_VAR
    {.y = 477, .token = 120},  // AUTOPILOT_VERTICAL_HOLD_VAR
    {.y = 491, .token = 116},  // AUTOPILOT_AIRSPEED_HOLD_VAR
    {.y = 505, .token = 118},  // AUTOPILOT_MACH_HOLD_VAR
    {.y = 519, .token = 125},  // ENGINE_RPM_HOLD
};
// clang-format on
constexpr size_t kReadoutCount = std::size(kReadoutRows);

double CRV5_CALL fs_lamp_rule(ElementIcon* lamp) { return lamp->source.value.f > 0 ? 0 : -1; }
double CRV5_CALL loc_lamp_rule(ElementIcon*) { return -1; }

// Right-aligned in six characters; a value below -10000, or one that cannot be shown, leaves the
// text as the previous update wrote it.
double CRV5_CALL readout_rule(ElementString* readout) {
  const double v = readout->source[0].value.f;
  if (readout->text)
    autopilot::format_tester_value(v, readout->text, static_cast<size_t>(readout->char_count));
  return v;
}

constexpr const FailureRecord* kHiddenOnPowerFailure = kHiddenOnFailure20;

template <size_t... I>
constexpr std::array<ElementIcon, kLampCount> make_fs_lamps(std::index_sequence<I...>) {
  return {icon({.gauge = &gauge_AP_Tester, .bitmap = 7020, .position = {kFsColumn, kLampRows[I].y},
                .source = kLampRows[I].token, .callback = fs_lamp_rule, .images = 1,
                .flags = kLampFlags, .failures = kHiddenOnPowerFailure})...};
}
template <size_t... I>
constexpr std::array<ElementIcon, kLocCount> make_loc_lamps(std::index_sequence<I...>) {
  return {icon({.gauge = &gauge_AP_Tester, .bitmap = 7010, .position = kLocLamps[I],
                .callback = loc_lamp_rule, .images = 1, .flags = kLampFlags,
                .failures = kHiddenOnPowerFailure})...};
}
template <size_t... I>
constexpr std::array<ElementString, kReadoutCount> make_readouts(std::index_sequence<I...>) {
  return {text_string({.gauge = &gauge_AP_Tester, .position = {kReadoutColumn, kReadoutRows[I].y},
                       .sources = {kReadoutRows[I].token}, .callback = readout_rule,
                       .box = {60, 13}, .chars = 6, .foreground = 0x23F905,  // RGB (5,249,35)
                       .background = 0x000000, .highlight = 0x00FFFF, .font = "Quartz",
                       .weight = 400, .flags = kLampFlags, .failures = kHiddenOnPowerFailure})...};
}

constinit std::array<ElementIcon, kLampCount> fs_lamps = make_fs_lamps(std::make_index_sequence<kLampCount>());
constinit std::array<ElementIcon, kLocCount> loc_lamps = make_loc_lamps(std::make_index_sequence<kLocCount>());
constinit std::array<ElementString, kReadoutCount> readouts = make_readouts(std::make_index_sequence<kReadoutCount>());

// The sheet's children in draw order: the FS lamps, the LOC lamps, the read-outs.
template <size_t... F, size_t... L, size_t... R>
constexpr std::array<ElementHeader*, kLampCount + kLocCount + kReadoutCount + 1> make_rows(
    std::index_sequence<F...>, std::index_sequence<L...>, std::index_sequence<R...>) {
  return {&fs_lamps[F].header..., &loc_lamps[L].header..., &readouts[R].header..., nullptr};
}
constinit std::array<ElementHeader*, kLampCount + kLocCount + kReadoutCount + 1> rows =
    make_rows(std::make_index_sequence<kLampCount>(), std::make_index_sequence<kLocCount>(),
              std::make_index_sequence<kReadoutCount>());

constinit ElementStaticImage sheet = static_image({.gauge = &gauge_AP_Tester, .bitmap = 7000, .position = {0, 0},
                                         .flags = kCoverFlags, .next = rows.data()});

const TooltipText sheet_tooltip = tooltip("Autopilot annunciator");

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&sheet_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace ap_tester

GaugeHeader gauge_AP_Tester = crv5::gauge_header(
    crv5::GaugeId::AP_Tester, crv5::element_list<&ap_tester::sheet>, ap_tester::mouse);
