#include "host/sim/flightgear/generic_protocol.h"

#include <charconv>
#include <cmath>

namespace gaugehost::flightgear {

namespace {

using enum Field;

// clang-format off
constexpr std::array<FieldInfo, kFieldCount> kFields = {{
  // field                  name                          property                                                  type     format  min     max
  {indicated_airspeed_kt, "indicated airspeed, kt",     "/instrumentation/airspeed-indicator/indicated-speed-kt",   "float", "%.2f", -50,    1000},
  {mach,                  "Mach",                       "/velocities/mach",                                         "float", "%.4f", 0,      3},
  {indicated_altitude_ft, "indicated altitude, ft",     "/instrumentation/altimeter/indicated-altitude-ft",         "float", "%.1f", -2000,  100000},
  {setting_inhg,          "altimeter setting, inHg",    "/instrumentation/altimeter/setting-inhg",                  "float", "%.3f", 25,     35},
  {vertical_speed_fps,    "vertical speed, ft/s",       "/velocities/vertical-speed-fps",                           "float", "%.2f", -1000,  1000},
  {pitch_deg,             "pitch, deg",                 "/orientation/pitch-deg",                                   "float", "%.2f", -90,    90},
  {roll_deg,              "roll, deg",                  "/orientation/roll-deg",                                    "float", "%.2f", -180,   180},
  {heading_true_deg,      "true heading, deg",          "/orientation/heading-deg",                                 "float", "%.2f", -360,   720},
  {heading_magnetic_deg,  "magnetic heading, deg",      "/orientation/heading-magnetic-deg",                        "float", "%.2f", -360,   720},
  {gyro_heading_deg,      "heading indicator, deg",     "/instrumentation/heading-indicator/indicated-heading-deg", "float", "%.2f", -360,   720},
  {compass_heading_deg,   "magnetic compass, deg",      "/instrumentation/magnetic-compass/indicated-heading-deg",  "float", "%.2f", -360,   720},
  {slip_skid,             "slip-skid ball",             "/instrumentation/slip-skid-ball/indicated-slip-skid",      "float", "%.3f", -10,    10},
  {turn_rate,             "turn rate, standard rates",  "/instrumentation/turn-indicator/indicated-turn-rate",      "float", "%.3f", -10,    10},
  {load_factor_g,         "load factor, g",             "/accelerations/pilot-g",                                   "float", "%.3f", -15,    15},
  {latitude_deg,          "latitude, deg",              "/position/latitude-deg",                                   "double", "%.6f", -90,   90},
  {longitude_deg,         "longitude, deg",             "/position/longitude-deg",                                  "double", "%.6f", -180,  180},
  {altitude_ft,           "altitude, ft",               "/position/altitude-ft",                                    "float", "%.1f", -2000,  150000},
  {on_ground,             "on the ground",              "/gear/gear/wow",                                           "bool",  "%d",   0,      1},
  {outside_temperature_c, "outside air temperature, C", "/environment/temperature-degc",                            "float", "%.1f", -100,   70},
}};
// clang-format on

constexpr bool in_field_order() {
  for (size_t i = 0; i < kFields.size(); ++i)
    if (size_t(kFields[i].field) != i) return false;
  return true;
}
static_assert(in_field_order(), "the table lists every field once, in the order of Field");

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

Frame malformed(std::string problem) {
  Frame frame;
  frame.problem = std::move(problem);
  return frame;
}

}  // namespace

const std::array<FieldInfo, kFieldCount>& field_table() { return kFields; }

Frame parse_frame(std::string_view line) {
  if (line.size() > kLongestFrame) return malformed("a frame longer than 4096 bytes");
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.find_first_of("\n\r") != std::string_view::npos)
    return malformed("a line break inside the frame");
  if (trimmed(line).empty()) return malformed("an empty frame");
  Frame frame;
  size_t index = 0;
  while (true) {
    const size_t comma = line.find(',');
    const std::string_view text = trimmed(line.substr(0, comma));
    if (index >= kFieldCount)
      return malformed("more than " + std::to_string(kFieldCount) + " fields");
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
      return malformed("field " + std::to_string(index + 1) + " (" + kFields[index].name +
                       ") is not a number");
    frame.values[index] = value;
    frame.in_range[index] = value >= kFields[index].min && value <= kFields[index].max;
    ++index;
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  if (index != kFieldCount)
    return malformed(std::to_string(index) + " fields, expected " + std::to_string(kFieldCount));
  frame.status = Frame::Status::ok;
  return frame;
}

}  // namespace gaugehost::flightgear
