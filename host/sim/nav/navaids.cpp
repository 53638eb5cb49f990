#include "host/sim/nav/navaids.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <numbers>

#include "host/base/host_error.h"
#include "host/base/input_file.h"
#include "host/sim/data_file.h"

namespace gaugehost::nav {

namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kFeetPerMetre = 3.280839895;
constexpr double kMetresPerNm = 1852.0;
constexpr double kVhfTolerance = 0.005;  // MHz: a NAV receiver's channel
constexpr double kAdfTolerance = 1.0;    // kHz: the ADF's pass band
constexpr double kSmallestMarkerFan = 100;  // metres: a marker's fan at its narrowest

// --- Reading the file ---

struct KindName {
  const char* name;
  NavaidKind kind;
  size_t fields;  // fields of the line, the kind included
  const char* usage;
};
constexpr KindName kKinds[] = {
    {"VOR", NavaidKind::vor, 7, "VOR IDENT MHZ LAT LON ELEV_FT RANGE_NM [dme]"},
    {"LOC", NavaidKind::localiser, 9, "LOC IDENT MHZ LAT LON ELEV_FT RANGE_NM COURSE WIDTH"},
    {"GS", NavaidKind::glide_slope, 8, "GS IDENT MHZ LAT LON ELEV_FT RANGE_NM ANGLE"},
    {"DME", NavaidKind::dme, 7, "DME IDENT MHZ LAT LON ELEV_FT RANGE_NM"},
    {"NDB", NavaidKind::ndb, 7, "NDB IDENT KHZ LAT LON ELEV_FT RANGE_NM"},
    {"MARKER", NavaidKind::marker, 5, "MARKER outer|middle|inner LAT LON ELEV_FT"},
};
static_assert(std::size(kKinds) == size_t(NavaidKind::marker) + 1, "one row per kind");

const KindName* find_kind(const std::string& name) {
  for (const KindName& kind : kKinds)
    if (name == kind.name) return &kind;
  return nullptr;
}

MarkerKind marker_kind(const DataLine& line) {
  const std::string& name = line.text_field(1, "marker kind");
  if (name == "outer") return MarkerKind::outer;
  if (name == "middle") return MarkerKind::middle;
  if (name == "inner") return MarkerKind::inner;
  line.fail("bad marker kind " + name + ", expected outer, middle or inner");
}

// Latitude, longitude and elevation from field `at` on.
void read_place(const DataLine& line, size_t at, Navaid& station) {
  station.position.lat = line.number_field(at, "latitude", -89.9, 89.9);
  station.position.lon = line.number_field(at + 1, "longitude", -180, 180);
  station.elevation_m = line.number_field(at + 2, "elevation", -1500, 30000) / kFeetPerMetre;
}

Navaid read_station(const DataLine& line, const KindName& kind) {
  Navaid station;
  station.kind = kind.kind;
  const size_t extra = kind.kind == NavaidKind::vor ? 1 : 0;
  line.expect_fields(kind.fields, kind.fields + extra, kind.usage);
  if (kind.kind == NavaidKind::marker) {
    station.marker = marker_kind(line);
    station.ident = line.fields[1];
    read_place(line, 2, station);
    return station;
  }
  station.ident = line.fields[1];
  station.frequency = kind.kind == NavaidKind::ndb
                          ? line.number_field(2, "frequency in kHz", 190, 1750)
                          : line.number_field(2, "frequency in MHz", 108, 117.95);
  read_place(line, 3, station);
  station.range_m = line.number_field(6, "range in nautical miles", 0.1, 500) * kMetresPerNm;
  if (kind.kind == NavaidKind::vor && line.fields.size() == 8) {
    if (line.fields[7] != "dme") line.fail("expected dme or nothing after the range");
    station.has_dme = true;
  }
  if (kind.kind == NavaidKind::localiser) {
    station.course = line.number_field(7, "course", 0, 360);
    station.width = line.number_field(8, "course width", 1, 10);
  }
  if (kind.kind == NavaidKind::glide_slope)
    station.angle = line.number_field(7, "glide-slope angle", 1, 10);
  return station;
}

// --- Geometry ---

double horizontal_m(const Navaid& station, const Antenna& aircraft) {
  return distance_m(station.position, aircraft.position);
}

double slant_m(const Navaid& station, const Antenna& aircraft) {
  const double ground = horizontal_m(station, aircraft);
  const double height = aircraft.altitude_m - station.elevation_m;
  return std::hypot(ground, height);
}

bool in_range(const Navaid& station, const Antenna& aircraft) {
  return slant_m(station, aircraft) <= station.range_m;
}

bool on_frequency(const Navaid& station, double frequency, double tolerance) {
  return std::abs(station.frequency - frequency) <= tolerance;
}

// The nearest station in range of one of the kinds, on the frequency.
template <size_t N>
const Navaid* nearest(const NavaidDatabase& db, std::array<NavaidKind, N> kinds, double frequency,
                      double tolerance, const Antenna& aircraft) {
  const Navaid* best = nullptr;
  double best_m = 0;
  for (const Navaid& station : db.stations) {
    if (std::find(kinds.begin(), kinds.end(), station.kind) == kinds.end()) continue;
    if (!on_frequency(station, frequency, tolerance) || !in_range(station, aircraft)) continue;
    const double m = slant_m(station, aircraft);
    if (!best || m < best_m) best = &station, best_m = m;
  }
  return best;
}

// Radial of the aircraft from a station, degrees magnetic.
double radial_from(const NavaidDatabase& db, const Navaid& station, const Antenna& aircraft) {
  return wrap360(bearing_deg(station.position, aircraft.position) - db.variation);
}

double relative_bearing_to(const NavaidDatabase& db, const Navaid& station,
                           const Antenna& aircraft) {
  return wrap360(bearing_deg(aircraft.position, station.position) - db.variation -
                 aircraft.heading_mag);
}

double scaled(double value, double full_scale_in, double full_scale_out) {
  return std::clamp(value / full_scale_in * full_scale_out, -full_scale_out, full_scale_out);
}

void receive_vor(const NavaidDatabase& db, const Navaid& vor, double course,
                 const Antenna& aircraft, NavReception& r) {
  r.radial = radial_from(db, vor, aircraft);
  const double height = aircraft.altitude_m - vor.elevation_m;
  if (height > 0 && horizontal_m(vor, aircraft) < height * std::tan(kConeOfConfusion * kRad)) {
    r.to_from = 0;  // over the station: neither TO nor FROM, the flag shows
    return;
  }
  const double off = wrap180(r.radial - course);
  if (std::abs(off) <= 90) {
    r.to_from = 2;
    r.deviation = scaled(-off, kVorFullScale, 127);
  } else {
    r.to_from = 1;
    r.deviation = scaled(wrap180(r.radial - course - 180), kVorFullScale, 127);
  }
}

// Off the localiser's front course, degrees: positive when the aircraft is left of it as seen
// on the approach. Beyond 90 the aircraft is on the back course.
double localiser_offset(const NavaidDatabase& db, const Navaid& loc, const Antenna& aircraft) {
  return wrap180(radial_from(db, loc, aircraft) - loc.course - 180);
}

void receive_localiser(const NavaidDatabase& db, const Navaid& loc, const Antenna& aircraft,
                       NavReception& r) {
  r.localiser = true;
  r.localiser_course = loc.course;
  r.to_from = 1;
  r.radial = radial_from(db, loc, aircraft);
  const double off = localiser_offset(db, loc, aircraft);
  const double half_width = loc.width / 2;
  // On the back course the needle senses the other way, as on a real localiser.
  r.deviation = std::abs(off) <= 90 ? scaled(off, half_width, 127)
                                    : scaled(-wrap180(off - 180), half_width, 127);
}

void receive_glide_slope(const NavaidDatabase& db, const Navaid& loc, double frequency,
                         const Antenna& aircraft, NavReception& r) {
  const Navaid* gs =
      nearest(db, std::array{NavaidKind::glide_slope}, frequency, kVhfTolerance, aircraft);
  if (!gs || std::abs(localiser_offset(db, loc, aircraft)) > kGlideSlopeSector) return;
  const double ground = std::max(horizontal_m(*gs, aircraft), 1.0);
  const double angle = std::atan2(aircraft.altitude_m - gs->elevation_m, ground) / kRad;
  r.glide_slope = true;
  r.glide_slope_angle = gs->angle;
  r.glide_slope_dev = scaled(angle - gs->angle, kGlideSlopeFullScale, 119);
}

void receive_dme(const NavaidDatabase& db, const Navaid& station, double frequency,
                 const Antenna& aircraft, NavReception& r) {
  const Navaid* dme =
      station.has_dme ? &station
                      : nearest(db, std::array{NavaidKind::dme}, frequency, kVhfTolerance, aircraft);
  if (!dme) return;
  r.dme = true;
  r.dme_nm = slant_m(*dme, aircraft) / kMetresPerNm;
}

}  // namespace

NavaidDatabase parse_navaids(std::string_view text, const std::string& name) {
  NavaidDatabase db;
  for (const DataLine& line : split_data_text(text, name)) {
    const std::string& head = line.fields[0];
    if (head == "variation") {
      line.expect_fields(2, 2, "variation DEGREES_EAST");
      db.variation = line.number_field(1, "variation", -90, 90);
      continue;
    }
    const KindName* kind = find_kind(head);
    if (!kind)
      line.fail("unknown record " + quote_input(head) +
                ", expected variation, VOR, LOC, GS, DME, NDB or MARKER");
    db.stations.push_back(read_station(line, *kind));
  }
  if (db.stations.empty()) throw HostError(name + ": no stations");
  return db;
}

NavaidDatabase read_navaids(const std::filesystem::path& path) {
  return parse_navaids(read_input_file(path, "navaid file"), path.string());
}

std::filesystem::path default_navaid_file() {
  return std::filesystem::path(CRV5_SOURCE_DIR) / "panels" / "corvane" / "navaids.txt";
}

NavReception receive_nav(const NavaidDatabase& db, double frequency_mhz, double course_mag,
                         const Antenna& aircraft) {
  NavReception r;
  const Navaid* station = nearest(db, std::array{NavaidKind::vor, NavaidKind::localiser},
                                  frequency_mhz, kVhfTolerance, aircraft);
  if (!station) return r;
  r.received = true;
  r.ident = station->ident;
  r.relative_bearing = relative_bearing_to(db, *station, aircraft);
  if (station->kind == NavaidKind::vor) {
    receive_vor(db, *station, course_mag, aircraft, r);
  } else {
    receive_localiser(db, *station, aircraft, r);
    receive_glide_slope(db, *station, frequency_mhz, aircraft, r);
  }
  receive_dme(db, *station, frequency_mhz, aircraft, r);
  return r;
}

AdfReception receive_adf(const NavaidDatabase& db, double frequency_khz, const Antenna& aircraft) {
  AdfReception r;
  const Navaid* ndb =
      nearest(db, std::array{NavaidKind::ndb}, frequency_khz, kAdfTolerance, aircraft);
  if (!ndb) return r;
  r.received = true;
  r.ident = ndb->ident;
  r.signal = 255;
  r.relative_bearing = relative_bearing_to(db, *ndb, aircraft);
  return r;
}

MarkerKind receive_marker(const NavaidDatabase& db, const Antenna& aircraft) {
  for (const Navaid& station : db.stations) {
    if (station.kind != NavaidKind::marker) continue;
    const double height = aircraft.altitude_m - station.elevation_m;
    if (height <= 0) continue;
    const double fan = std::max(height * std::tan(kMarkerCone * kRad), kSmallestMarkerFan);
    if (horizontal_m(station, aircraft) <= fan) return station.marker;
  }
  return MarkerKind::none;
}

}  // namespace gaugehost::nav
