// The FlightGear link's two generic-protocol frames, and the one table of who owns each value.
//
// FlightGear owns the flight and its radio receivers: it sends them, one line of text per UDP
// datagram, the fields in the order of panels/corvane/flightgear/corvane.xml, separated by commas.
// The panel owns its levers, switches and radio settings: the host sends them back, in the order
// of panels/corvane/flightgear/corvane-in.xml. No property is written by both sides: each row of
// the table names one property and its one owner. Parsing is a pure function of the text, so that
// it can be driven by any input.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace gaugehost::flightgear {

enum class Owner { flightgear, panel };

// The values FlightGear sends, in the order of its frame.
enum class Field {
  indicated_airspeed_kt,
  mach,
  indicated_altitude_ft,
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
  // NAV1, then NAV2, each in the same order.
  nav1_in_range, nav1_localiser, nav1_deflection, nav1_to, nav1_from, nav1_has_gs,
  nav1_gs_deflection, nav1_bearing_to,
  nav2_in_range, nav2_localiser, nav2_deflection, nav2_to, nav2_from, nav2_has_gs,
  nav2_gs_deflection, nav2_bearing_to,
  dme_in_range,
  dme_distance_nm,
  adf_in_range,
  adf_bearing_deg,
  marker_outer,
  marker_middle,
  marker_inner,
  count
};
inline constexpr size_t kFieldCount = size_t(Field::count);

// The values the panel sends, in the order of its frame.
enum class PanelValue {
  throttle,
  throttle_lever,  // the same, where the c172p keeps its lever
  gear_down,
  flaps,
  speed_brake,
  parking_brake,
  parking_brake_handle,  // the same, where the c172p keeps its handle
  com1_mhz,
  nav1_mhz,
  nav2_mhz,
  adf_khz,
  transponder_code,
  nav1_course,
  nav2_course,
  heading_bug,
  altimeter_setting_inhg,
  battery,
  avionics,
  count
};
inline constexpr size_t kPanelValueCount = size_t(PanelValue::count);

// A row of the ownership table: one property, its owner, its chunk in the owner's protocol file.
struct LinkValue {
  Owner owner;
  const char* name;      // the chunk's <name>
  const char* property;  // the chunk's <node>
  const char* type;      // the chunk's <type>
  const char* format;    // the chunk's <format>
  double min;            // a value FlightGear sends outside [min, max] is out of range
  double max;
};

// The whole table: FlightGear's rows in the order of Field, then the panel's in the order of
// PanelValue.
std::span<const LinkValue> ownership_table();
std::span<const LinkValue, kFieldCount> field_table();
std::span<const LinkValue, kPanelValueCount> panel_table();

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

// The panel's frame: each value by its row's format, separated by commas, ended by a newline.
std::string encode_panel_frame(const std::array<double, kPanelValueCount>& values);

}  // namespace gaugehost::flightgear
