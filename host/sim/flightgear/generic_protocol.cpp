#include "host/sim/flightgear/generic_protocol.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "host/base/text.h"

namespace gaugehost::flightgear {

namespace {

constexpr Owner fg = Owner::flightgear;
constexpr Owner panel = Owner::panel;

// clang-format off
constexpr LinkValue kTable[] = {
  // owner  name                          property                                                  type     format  min     max
  {fg, "indicated airspeed, kt",     "/instrumentation/airspeed-indicator/indicated-speed-kt",    "float", "%.2f", -50,    1000},
  {fg, "Mach",                       "/velocities/mach",                                          "float", "%.4f", 0,      3},
  {fg, "indicated altitude, ft",     "/instrumentation/altimeter/indicated-altitude-ft",          "float", "%.1f", -2000,  100000},
  {fg, "vertical speed, ft/s",       "/velocities/vertical-speed-fps",                            "float", "%.2f", -1000,  1000},
  {fg, "pitch, deg",                 "/orientation/pitch-deg",                                    "float", "%.2f", -90,    90},
  {fg, "roll, deg",                  "/orientation/roll-deg",                                     "float", "%.2f", -180,   180},
  {fg, "true heading, deg",          "/orientation/heading-deg",                                  "float", "%.2f", -360,   720},
  {fg, "magnetic heading, deg",      "/orientation/heading-magnetic-deg",                         "float", "%.2f", -360,   720},
  {fg, "heading indicator, deg",     "/instrumentation/heading-indicator/indicated-heading-deg",  "float", "%.2f", -360,   720},
  {fg, "magnetic compass, deg",      "/instrumentation/magnetic-compass/indicated-heading-deg",   "float", "%.2f", -360,   720},
  {fg, "slip-skid ball",             "/instrumentation/slip-skid-ball/indicated-slip-skid",       "float", "%.3f", -10,    10},
  {fg, "turn rate, standard rates",  "/instrumentation/turn-indicator/indicated-turn-rate",       "float", "%.3f", -10,    10},
  {fg, "load factor, g",             "/accelerations/pilot-g",                                    "float", "%.3f", -15,    15},
  {fg, "latitude, deg",              "/position/latitude-deg",                                    "double", "%.6f", -90,   90},
  {fg, "longitude, deg",             "/position/longitude-deg",                                   "double", "%.6f", -180,  180},
  {fg, "altitude, ft",               "/position/altitude-ft",                                     "float", "%.1f", -2000,  150000},
  {fg, "on the ground",              "/gear/gear/wow",                                            "bool",  "%d",   0,      1},
  {fg, "outside air temperature, C", "/environment/temperature-degc",                             "float", "%.1f", -100,   70},
  {fg, "NAV1 in range",              "/instrumentation/nav/in-range",                             "bool",  "%d",   0,      1},
  {fg, "NAV1 localiser",             "/instrumentation/nav/nav-loc",                              "bool",  "%d",   0,      1},
  {fg, "NAV1 needle, -1 to 1",       "/instrumentation/nav/heading-needle-deflection-norm",       "float", "%.3f", -2,     2},
  {fg, "NAV1 TO",                    "/instrumentation/nav/to-flag",                              "bool",  "%d",   0,      1},
  {fg, "NAV1 FROM",                  "/instrumentation/nav/from-flag",                            "bool",  "%d",   0,      1},
  {fg, "NAV1 glide slope",           "/instrumentation/nav/has-gs",                               "bool",  "%d",   0,      1},
  {fg, "NAV1 glide slope, -1 to 1",  "/instrumentation/nav/gs-needle-deflection-norm",            "float", "%.3f", -2,     2},
  {fg, "NAV1 bearing to, deg",       "/instrumentation/nav/radials/reciprocal-radial-deg",        "float", "%.2f", -360,   720},
  {fg, "NAV2 in range",              "/instrumentation/nav[1]/in-range",                          "bool",  "%d",   0,      1},
  {fg, "NAV2 localiser",             "/instrumentation/nav[1]/nav-loc",                           "bool",  "%d",   0,      1},
  {fg, "NAV2 needle, -1 to 1",       "/instrumentation/nav[1]/heading-needle-deflection-norm",    "float", "%.3f", -2,     2},
  {fg, "NAV2 TO",                    "/instrumentation/nav[1]/to-flag",                           "bool",  "%d",   0,      1},
  {fg, "NAV2 FROM",                  "/instrumentation/nav[1]/from-flag",                         "bool",  "%d",   0,      1},
  {fg, "NAV2 glide slope",           "/instrumentation/nav[1]/has-gs",                            "bool",  "%d",   0,      1},
  {fg, "NAV2 glide slope, -1 to 1",  "/instrumentation/nav[1]/gs-needle-deflection-norm",         "float", "%.3f", -2,     2},
  {fg, "NAV2 bearing to, deg",       "/instrumentation/nav[1]/radials/reciprocal-radial-deg",     "float", "%.2f", -360,   720},
  {fg, "DME in range",               "/instrumentation/dme/in-range",                             "bool",  "%d",   0,      1},
  {fg, "DME distance, nm",           "/instrumentation/dme/indicated-distance-nm",                "float", "%.2f", -1,     1000},
  {fg, "ADF in range",               "/instrumentation/adf/in-range",                             "bool",  "%d",   0,      1},
  {fg, "ADF bearing, deg",           "/instrumentation/adf/indicated-bearing-deg",                "float", "%.2f", -360,   720},
  {fg, "outer marker",               "/instrumentation/marker-beacon/outer",                      "bool",  "%d",   0,      1},
  {fg, "middle marker",              "/instrumentation/marker-beacon/middle",                     "bool",  "%d",   0,      1},
  {fg, "inner marker",               "/instrumentation/marker-beacon/inner",                      "bool",  "%d",   0,      1},
  // The panel's rows (their range: what it can send).
  {panel, "throttle, 0 to 1",        "/controls/engines/engine/throttle",                         "float", "%.3f", 0,      1},
  // The c172p copies its lever to the engine's throttle every frame.
  {panel, "throttle lever, 0 to 1",  "/controls/engines/current-engine/throttle",                 "float", "%.3f", 0,      1},
  {panel, "gear down",               "/controls/gear/gear-down",                                  "bool",  "%d",   0,      1},
  {panel, "flaps, 0 to 1",           "/controls/flight/flaps",                                    "float", "%.3f", 0,      1},
  {panel, "speed brake, 0 to 1",     "/controls/flight/speedbrake",                               "float", "%.3f", 0,      1},
  {panel, "parking brake",           "/controls/gear/brake-parking",                              "int",   "%d",   0,      1},
  // The c172p sets the brake from its handle every frame.
  {panel, "parking brake handle",    "/sim/model/c172p/brake-parking",                            "int",   "%d",   0,      1},
  {panel, "COM1, MHz",               "/instrumentation/comm/frequencies/selected-mhz",            "float", "%.3f", 100,    200},
  {panel, "NAV1, MHz",               "/instrumentation/nav/frequencies/selected-mhz",             "float", "%.2f", 100,    200},
  {panel, "NAV2, MHz",               "/instrumentation/nav[1]/frequencies/selected-mhz",          "float", "%.2f", 100,    200},
  {panel, "ADF, kHz",                "/instrumentation/adf/frequencies/selected-khz",             "float", "%.1f", 0,      2000},
  {panel, "transponder code",        "/instrumentation/transponder/id-code",                      "int",   "%d",   0,      7777},
  {panel, "NAV1 course, deg",        "/instrumentation/nav/radials/selected-deg",                 "float", "%.1f", 0,      360},
  {panel, "NAV2 course, deg",        "/instrumentation/nav[1]/radials/selected-deg",              "float", "%.1f", 0,      360},
  {panel, "heading bug, deg",        "/autopilot/settings/heading-bug-deg",                       "float", "%.1f", 0,      360},
  {panel, "altimeter setting, inHg", "/instrumentation/altimeter/setting-inhg",                   "float", "%.4f", 25,     35},
  {panel, "battery switch",          "/controls/switches/master-bat",                             "bool",  "%d",   0,      1},
  {panel, "avionics switch",         "/controls/switches/master-avionics",                        "bool",  "%d",   0,      1},
};
// clang-format on
static_assert(std::size(kTable) == kFieldCount + kPanelValueCount);

constexpr bool owners_in_order() {
  for (size_t i = 0; i < std::size(kTable); ++i)
    if ((kTable[i].owner == fg) != (i < kFieldCount)) return false;
  return true;
}
static_assert(owners_in_order(), "FlightGear's rows come first, then the panel's");

// A property is written without "[0]" ("/a/b/c", not "/a/b[0]/c": FlightGear reads both as one),
// so that two rows naming one property read the same.
constexpr bool each_property_once() {
  for (size_t i = 0; i < std::size(kTable); ++i) {
    if (std::string_view(kTable[i].property).find("[0]") != std::string_view::npos) return false;
    for (size_t j = i + 1; j < std::size(kTable); ++j)
      if (std::string_view(kTable[i].property) == kTable[j].property) return false;
  }
  return true;
}
static_assert(each_property_once(), "no property is written by both sides");

Frame malformed(std::string problem) {
  Frame frame;
  frame.problem = std::move(problem);
  return frame;
}

}  // namespace

std::span<const LinkValue> ownership_table() { return kTable; }
std::span<const LinkValue, kFieldCount> field_table() {
  return std::span(kTable).first<kFieldCount>();
}
std::span<const LinkValue, kPanelValueCount> panel_table() {
  return std::span(kTable).last<kPanelValueCount>();
}

Frame parse_frame(std::string_view line) {
  if (line.size() > kLongestFrame) return malformed("a frame longer than 4096 bytes");
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.find_first_of("\n\r") != std::string_view::npos)
    return malformed("a line break inside the frame");
  if (trim(line).empty()) return malformed("an empty frame");
  Frame frame;
  size_t index = 0;
  while (true) {
    const size_t comma = line.find(',');
    const std::string_view text = trim(line.substr(0, comma));
    if (index >= kFieldCount)
      return malformed("more than " + std::to_string(kFieldCount) + " fields");
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
      return malformed("field " + std::to_string(index + 1) + " (" + kTable[index].name +
                       ") is not a number");
    frame.values[index] = value;
    frame.in_range[index] = value >= kTable[index].min && value <= kTable[index].max;
    ++index;
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  if (index != kFieldCount)
    return malformed(std::to_string(index) + " fields, expected " + std::to_string(kFieldCount));
  frame.status = Frame::Status::ok;
  return frame;
}

std::string encode_panel_frame(const std::array<double, kPanelValueCount>& values) {
  std::string line;
  for (size_t i = 0; i < kPanelValueCount; ++i) {
    const LinkValue& row = panel_table()[i];
    const double value = std::isfinite(values[i]) ? std::clamp(values[i], row.min, row.max) : 0;
    char text[32];
    if (std::string_view(row.format) == "%d")
      std::snprintf(text, sizeof text, "%d", int(std::lround(value)));
    else
      std::snprintf(text, sizeof text, row.format, value);
    if (i > 0) line += ',';
    line += text;
  }
  return line + "\n";
}

}  // namespace gaugehost::flightgear
