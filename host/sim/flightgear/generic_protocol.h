// The FlightGear generic-protocol frame the host reads: one line of text per UDP datagram, the
// fields in the order of panels/corvane/flightgear/corvane.xml, separated by commas. Parsing is a
// pure function of the text, so that it can be driven by any input.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace gaugehost::flightgear {

// What a field becomes in the host.
enum class Field {
  indicated_airspeed_kt,
  mach,
  indicated_altitude_ft,
  setting_inhg,
  vertical_speed_fps,
  pitch_deg,
  roll_deg,
  heading_true_deg,
  heading_magnetic_deg,
  gyro_heading_deg,
  compass_heading_deg,
  slip_skid,
  turn_rate,
  load_factor_g,
  latitude_deg,
  longitude_deg,
  altitude_ft,
  on_ground,
  outside_temperature_c,
  count
};
inline constexpr size_t kFieldCount = size_t(Field::count);

struct FieldInfo {
  Field field;
  const char* name;      // the chunk's <name>
  const char* property;  // the chunk's <node>
  const char* type;      // the chunk's <type>
  const char* format;    // the chunk's <format>
  double min;            // a value outside [min, max] is out of range
  double max;
};

// The fields in the order of the frame.
const std::array<FieldInfo, kFieldCount>& field_table();

// The longest line the host reads; a longer one is malformed.
inline constexpr size_t kLongestFrame = 4096;

struct Frame {
  enum class Status { ok, malformed };
  Status status = Status::malformed;
  std::string problem;                    // for a malformed frame
  std::array<double, kFieldCount> values{};  // every one a finite number when ok
  std::array<bool, kFieldCount> in_range{};  // whether each lies within its field's range
};

// One frame's line (its line separator, a newline or CR LF, may still end it). Malformed: empty,
// too long, the wrong number of fields, a field that is not a finite number.
Frame parse_frame(std::string_view line);

}  // namespace gaugehost::flightgear
