#include "host/sim/nav/radio_receivers.h"

#include <cmath>

#include "host/sim/flight/flight_tokens.h"
#include "host/sim/radio_tuning.h"

namespace gaugehost::nav {

namespace token = flight::token;

namespace {

// A course variable as degrees in [0, 360), 0 when no number.
double course_var(const SimState& sim, uint32_t id) { return wrap360(sim.var(id)); }

uint32_t station_flags(const NavReception& r) {
  uint32_t flags = 0;
  if (!r.received || r.localiser) flags |= token::kFlagNoBearing;
  if (r.glide_slope) flags |= token::kFlagGlideSlope;
  if (r.dme) flags |= token::kFlagDme;
  return flags;
}

struct NavTokens {
  uint32_t deviation, glide_slope, to_from, glide_slope_flag, flags, bearing;
};
constexpr NavTokens kNav1Tokens = {token::kNav1Deviation, token::kNav1GlideSlope,
                                   token::kNav1ToFrom,    token::kNav1GlideSlopeFlag,
                                   token::kNav1Flags,     token::kNav1Bearing};
constexpr NavTokens kNav2Tokens = {token::kNav2Deviation, token::kNav2GlideSlope,
                                   token::kNav2ToFrom,    token::kNav2GlideSlopeFlag,
                                   token::kNav2Flags,     token::kNav2Bearing};

void write_nav(SimState& sim, const NavReception& r, const NavTokens& t) {
  sim.set_var(t.deviation, r.received ? r.deviation : 0);
  sim.set_var(t.glide_slope, r.glide_slope ? r.glide_slope_dev : 0);
  sim.set_var(t.to_from, r.received ? r.to_from : 0);
  sim.set_var(t.glide_slope_flag, r.glide_slope ? 1 : 0);
  sim.set_var(t.flags, station_flags(r));
  // Without a station the bearing holds where it was: the RMI parks its needle by the flags.
  if (r.received) sim.set_var(t.bearing, r.relative_bearing);
}

}  // namespace

uint32_t packed_var(const SimState& sim, uint32_t id) {
  const double value = sim.var(id);
  return std::isfinite(value) && value >= 0 && value <= 4294967295.0 ? uint32_t(value) : 0;
}

double vhf_frequency_mhz(uint32_t packed, const radio::Band& band) {
  const radio::Frequency frequency = radio::decode_vhf(packed, band);
  return frequency.mhz + frequency.khz / 1000.0;
}

double adf_frequency_khz(uint32_t packed, uint32_t extended) {
  return radio::decode_adf(packed, extended) / 10.0;
}

Receivers receive_all(const NavaidDatabase& db, const SimState& sim, const Antenna& aircraft) {
  Receivers r;
  r.nav1 = receive_nav(db, vhf_frequency_mhz(packed_var(sim, token::kNav1Packed), radio::kNavBand),
                       course_var(sim, token::kNav1Course), aircraft);
  r.nav2 = receive_nav(db, vhf_frequency_mhz(packed_var(sim, token::kNav2Packed), radio::kNavBand),
                       course_var(sim, token::kNav2Course), aircraft);
  r.adf = receive_adf(db,
                      adf_frequency_khz(packed_var(sim, token::kAdfPacked),
                                        packed_var(sim, token::kAdfExtended)),
                      aircraft);
  r.marker = receive_marker(db, aircraft);
  return r;
}

void write_receivers(SimState& sim, const Receivers& r) {
  write_nav(sim, r.nav1, kNav1Tokens);
  write_nav(sim, r.nav2, kNav2Tokens);
  sim.set_var(token::kAdfSignal, r.adf.signal);
  if (r.adf.received) sim.set_var(token::kAdfBearing, r.adf.relative_bearing);
  sim.set_var(token::kMarkerBeacon, double(r.marker));
}

}  // namespace gaugehost::nav
