// The radio navigation aids around the home airfield, read from a data file (panels/corvane/
// navaids.txt), and what each receiver makes of them from the aircraft's position: the NAV
// receivers' radial, course deviation, TO/FROM, glide slope, bearing and DME; the ADF's relative
// bearing and signal; the marker lamps. Pure geometry: no token variables here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/sim/nav/geo.h"

namespace gaugehost::nav {

enum class NavaidKind { vor, localiser, glide_slope, dme, ndb, marker };
enum class MarkerKind { none = 0, outer = 1, middle = 2, inner = 3 };

struct Navaid {
  NavaidKind kind = NavaidKind::vor;
  std::string ident;
  double frequency = 0;   // MHz (VHF), kHz (NDB); 0 for a marker
  LatLon position;
  double elevation_m = 0;
  double range_m = 0;     // beyond this (slant range), no signal
  bool has_dme = false;   // a VOR with a co-located DME
  double course = 0;      // localiser: its front course, degrees magnetic
  double width = 5;       // localiser: the full width of its course sector, degrees
  double angle = 3;       // glide slope: its angle above the horizon, degrees
  MarkerKind marker = MarkerKind::none;
};

struct NavaidDatabase {
  double variation = 0;  // magnetic variation of the area, degrees east positive
  std::vector<Navaid> stations;
};

// The standard file: `variation DEG`, then one station a line:
//   VOR IDENT MHZ LAT LON ELEV_FT RANGE_NM [dme]
//   LOC IDENT MHZ LAT LON ELEV_FT RANGE_NM COURSE_MAG WIDTH_DEG
//   GS  IDENT MHZ LAT LON ELEV_FT RANGE_NM ANGLE_DEG
//   DME IDENT MHZ LAT LON ELEV_FT RANGE_NM
//   NDB IDENT KHZ LAT LON ELEV_FT RANGE_NM
//   MARKER outer|middle|inner LAT LON ELEV_FT
// Throws HostError "FILE:LINE: problem" for a line that cannot be read.
NavaidDatabase read_navaids(const std::filesystem::path& path);
NavaidDatabase parse_navaids(std::string_view text, const std::string& name);
// panels/corvane/navaids.txt of the source tree.
std::filesystem::path default_navaid_file();

// The aircraft as the receivers see it.
struct Antenna {
  LatLon position;
  double altitude_m = 0;      // above sea level
  double heading_mag = 0;     // degrees magnetic
};

// What a NAV receiver gives.
struct NavReception {
  bool received = false;       // a station on the frequency, in range
  bool localiser = false;      // the station is a localiser (no bearing to give)
  int to_from = 0;             // 0 no usable station (or over it), 1 TO, 2 FROM
  double deviation = 0;        // -127 (course far left) to 127 (far right)
  bool glide_slope = false;    // a glide slope received
  double glide_slope_dev = 0;  // -119 (path far above: fly up) to 119 (far below: fly down)
  double radial = 0;           // degrees magnetic from the station (VOR)
  double localiser_course = 0; // degrees magnetic (localiser)
  double glide_slope_angle = 0;  // degrees (glide slope)
  double relative_bearing = 0; // degrees from the nose to the station, 0 to 360
  bool dme = false;            // a DME received
  double dme_nm = 0;           // slant range, nautical miles
  std::string ident;
};

// Full-scale deflections of the course deviation indicator.
inline constexpr double kVorFullScale = 10;          // degrees either side
inline constexpr double kGlideSlopeFullScale = 0.7;  // degrees either side
inline constexpr double kConeOfConfusion = 40;       // degrees from the vertical over a VOR
inline constexpr double kGlideSlopeSector = 8;       // degrees either side of the localiser course
inline constexpr double kMarkerCone = 40;            // degrees from the vertical: a marker's fan

NavReception receive_nav(const NavaidDatabase& db, double frequency_mhz, double course_mag,
                         const Antenna& aircraft);

struct AdfReception {
  bool received = false;
  double relative_bearing = 0;  // degrees from the nose, 0 to 360
  double signal = 0;            // 0 to 255; 255 a usable signal
  std::string ident;
};
AdfReception receive_adf(const NavaidDatabase& db, double frequency_khz, const Antenna& aircraft);

// The marker whose fan the aircraft is in, or none.
MarkerKind receive_marker(const NavaidDatabase& db, const Antenna& aircraft);

}  // namespace gaugehost::nav
