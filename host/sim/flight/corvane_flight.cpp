#include "host/sim/flight/corvane_flight.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/base/host_error.h"
#include "host/sim/flight/atmosphere.h"
#include "host/sim/flight/flight_tokens.h"
#include "host/sim/start_state.h"

namespace gaugehost::flight {

namespace {

// The instruments' sign conventions: the attitude indicator and the head-up display turn their
// card by -1 x bank, and sprites turn counter-clockwise, so the bank variable is positive for a
// left bank; the pitch variable is positive nose up.
constexpr double kBankSign = -1;
constexpr double kPitchSign = 1;

constexpr double kTravel = 16384;
constexpr double kStandardSettingHpa = 1013.25;
constexpr double kMostStepsPerAdvance = 18 * 3600;  // an hour at once at most
constexpr double kGForceUnits = 624;
constexpr double kMachUnits = 20480;
constexpr double kVerticalSpeedUnits = 256;
constexpr double kDegPerRad = 180 / std::numbers::pi;
// An aircraft on the ground set "in the air" from outside: this high and at least this fast.
constexpr double kLiftedHeightM = 1000 / kFeetPerMetre;
constexpr double kLiftedSpeedMps = 200 / kKnotsPerMetrePerSecond;

double finite_or(double value, double otherwise) {
  return std::isfinite(value) ? value : otherwise;
}

double share(const SimState& sim, uint32_t id) {
  return std::clamp(finite_or(sim.var(id), 0) / kTravel, 0.0, 1.0);
}

}  // namespace

CorvaneFlight::CorvaneFlight() = default;

CorvaneFlight::CorvaneFlight(nav::NavaidDatabase navaids, ScenarioBook scenarios) {
  use(std::move(navaids), std::move(scenarios));
}

// Until a scenario or a check file says otherwise, the aircraft stands where the ramp puts it.
void CorvaneFlight::use(nav::NavaidDatabase navaids, ScenarioBook scenarios) {
  navaids_ = std::make_unique<nav::NavaidDatabase>(std::move(navaids));
  scenarios_ = std::make_unique<ScenarioBook>(std::move(scenarios));
  const Scenario& ramp = scenarios_->scenarios.front();
  state_.position = *ramp.position;
  state_.ground_m = state_.altitude_m = *ramp.ground_ft / kFeetPerMetre;
  state_.heading = nav::wrap360(*ramp.heading_mag + navaids_->variation);
  standby_heading_ = heading_mag();
}

void CorvaneFlight::load() {
  if (!navaids_ || !scenarios_)
    use(nav::read_navaids(nav::default_navaid_file()), read_scenarios(default_scenario_file()));
}

const ScenarioBook& CorvaneFlight::scenarios() {
  load();
  return *scenarios_;
}

// --- Time ---

void CorvaneFlight::advance(SimState& sim, double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) return;
  load();
  pending_ += seconds;
  const double steps = std::min(std::floor(pending_ / kStepSeconds + 1e-9), kMostStepsPerAdvance);
  pending_ = std::clamp(pending_ - steps * kStepSeconds, 0.0, kStepSeconds);
  for (double i = 0; i < steps; ++i) step(sim, kStepSeconds);
}

void CorvaneFlight::step(SimState& sim, double dt) {
  adopt(sim);
  const Configuration config = configuration(sim);
  const nav::Antenna antenna{state_.position, state_.altitude_m, heading_mag()};
  receivers_ = nav::receive_all(*navaids_, sim, antenna);
  Controls controls = controls_;
  select_altitude_to_hold(sim);
  const AutopilotOutput ap = autopilot_step(autopilot_settings(sim), autopilot_, state_,
                                            heading_mag(), indicated_altitude_m(sim),
                                            receivers_.nav1);
  if (ap.drives_roll) controls.aileron = ap.aileron;
  if (ap.drives_pitch) controls.elevator = ap.elevator;

  const nav::LatLon before = state_.position;
  const bool was_on_ground = state_.on_ground;
  state_ = flight::step(state_, controls, config, dt);
  gyro_error_ = nav::wrap180(gyro_error_ + kGyroDriftDegPerMinute / 60 * dt);
  standby_heading_ = nav::wrap360(
      standby_heading_ +
      nav::wrap180(heading_mag() - standby_heading_) * std::min(1.0, dt / kStandbyCompassLag));
  note_progress(was_on_ground, nav::distance_m(before, state_.position));
  write(sim);
}

void CorvaneFlight::note_progress(bool was_on_ground, double moved_m) {
  distance_m_ += std::isfinite(moved_m) ? moved_m : 0;
  if (was_on_ground && !state_.on_ground && liftoff_m_ < 0) liftoff_m_ = distance_m_;
  const nav::MarkerKind marker = receivers_.marker;
  if (marker != last_marker_ && marker != nav::MarkerKind::none && markers_passed_ < 1e8)
    markers_passed_ = markers_passed_ * 10 + double(marker);
  last_marker_ = marker;
}

// The autopilot panel's read-out shows the selected altitude, so the altitude held is the one
// shown.
void CorvaneFlight::select_altitude_to_hold(SimState& sim) const {
  if (state_.on_ground || !(sim.var(token::kApMaster) > 0) ||
      sim.var(token::kApAltitudeHold) == 0 || finite_or(sim.var(token::kApAltitudeSelected), 0) != 0)
    return;
  sim.set_var(token::kApAltitudeSelected,
              std::max(1.0, std::round(indicated_altitude_m(sim) * kFeetPerMetre)));
}

// --- Reading the variables ---

bool CorvaneFlight::set_from_outside(const SimState& sim, uint32_t id) const {
  const double value = sim.var(id);
  if (!std::isfinite(value)) return false;
  auto found = written_.find(id);
  return found == written_.end() ? value != 0 : found->second != value;
}

double CorvaneFlight::setting_level_m(const SimState& sim) const {
  double setting = finite_or(sim.var(token::kBaroSetting), 0);
  if (setting < 800 || setting > 1100) setting = kStandardSettingHpa;
  return pressure_altitude(setting * 100);
}

double CorvaneFlight::indicated_altitude_m(const SimState& sim) const {
  return state_.altitude_m - setting_level_m(sim);
}

double CorvaneFlight::heading_mag() const {
  return nav::wrap360(state_.heading - (navaids_ ? navaids_->variation : 0));
}

// Values a check file (or an event) set since the last step become the aircraft's.
void CorvaneFlight::adopt(SimState& sim) {
  const double variation = navaids_->variation;
  // The first step takes the on-ground flag as it stands, 0 (in the air) included.
  if (set_from_outside(sim, token::kOnGround) || !written_.contains(token::kOnGround)) {
    state_.on_ground = sim.var(token::kOnGround) != 0;
    if (state_.on_ground) {
      state_.altitude_m = state_.ground_m;
    } else if (state_.altitude_m <= state_.ground_m) {
      // Only "in the air" was said: climbing away from the field, not falling back onto it.
      state_.altitude_m = state_.ground_m + kLiftedHeightM;
      state_.true_airspeed = std::max(state_.true_airspeed, kLiftedSpeedMps);
      state_.path = 0;
      state_.pitch = level_flight_alpha(state_, configuration(sim));
    }
  }
  if (set_from_outside(sim, token::kAltitude)) {
    const double metres_per_unit =
        sim.var(token::kUnitsOfMeasure) == 2 ? 1.0 : 1.0 / kFeetPerMetre;
    state_.altitude_m = sim.var(token::kAltitude) * metres_per_unit + setting_level_m(sim);
    state_.on_ground = state_.altitude_m <= state_.ground_m;
  }
  if (set_from_outside(sim, token::kIndicatedAirspeed)) {
    const double indicated = std::max(0.0, sim.var(token::kIndicatedAirspeed)) / kKnotsPerMetrePerSecond;
    state_.true_airspeed =
        true_from_indicated(indicated, standard_atmosphere(state_.altitude_m));
  }
  if (set_from_outside(sim, token::kMagneticHeading))
    state_.heading = nav::wrap360(sim.var(token::kMagneticHeading) + variation);
  if (set_from_outside(sim, token::kPitch)) state_.pitch = kPitchSign * sim.var(token::kPitch);
  if (set_from_outside(sim, token::kBank)) state_.bank = kBankSign * sim.var(token::kBank);
  if (set_from_outside(sim, token::kGyroHeading))
    gyro_error_ = nav::wrap180(sim.var(token::kGyroHeading) - heading_mag());
  state_ = sanitised(state_);
}

Configuration CorvaneFlight::configuration(const SimState& sim) const {
  Configuration c;
  c.turbine_percent = finite_or(sim.var(token::kTurbineSpeed), 0);
  c.afterburner = sim.var(token::kAfterburner) > 0;
  c.gear = (share(sim, token::kGearNose) + share(sim, token::kGearLeft) +
            share(sim, token::kGearRight)) / 3;
  c.flaps = share(sim, token::kFlapsPosition);
  c.spoilers = share(sim, token::kSpoilersPosition);
  c.chute = std::clamp(finite_or(sim.var(token::kParachute), 0), 0.0, 1.0);
  c.parking_brake = sim.var(token::kParkingBrake) > kTravel / 2;
  return c;
}

AutopilotSettings CorvaneFlight::autopilot_settings(const SimState& sim) const {
  AutopilotSettings s;
  s.master = sim.var(token::kApMaster) > 0;
  s.wing_leveler = sim.var(token::kApWingLeveler) != 0;
  s.heading_hold = sim.var(token::kApHeadingHold) != 0;
  s.nav_hold = sim.var(token::kApNavHold) != 0;
  s.altitude_hold = sim.var(token::kApAltitudeHold) != 0;
  s.selected_altitude_m = finite_or(sim.var(token::kApAltitudeSelected), 0) / kFeetPerMetre;
  s.heading_bug = nav::wrap360(sim.var(token::kHeadingBug));
  s.course = nav::wrap360(sim.var(token::kNav1Course));
  return s;
}

// --- Writing the variables ---

void CorvaneFlight::put(SimState& sim, uint32_t id, double value) {
  sim.set_var(id, value);
  written_[id] = sim.var(id);
}

void CorvaneFlight::write(SimState& sim) {
  const Atmosphere air = standard_atmosphere(state_.altitude_m);
  const double indicated_kt =
      indicated_from_true(state_.true_airspeed, air) * kKnotsPerMetrePerSecond;
  const double altitude_m = indicated_altitude_m(sim);
  const bool metres = sim.var(token::kUnitsOfMeasure) == 2;
  put(sim, token::kOnGround, state_.on_ground ? 1 : 0);
  put(sim, token::kIndicatedAirspeed, indicated_kt);
  put(sim, token::kMach, state_.true_airspeed / air.speed_of_sound * kMachUnits);
  put(sim, token::kVerticalSpeed, state_.vertical_speed() * kVerticalSpeedUnits);
  put(sim, token::kBall, std::round(state_.slip * 127));
  put(sim, token::kTurnRate, state_.turn_rate * kTurnNeedlePerDegPerSec);
  put(sim, token::kAltitude, metres ? altitude_m : altitude_m * kFeetPerMetre);
  put(sim, token::kPitch, kPitchSign * state_.pitch);
  put(sim, token::kBank, kBankSign * state_.bank);
  put(sim, token::kMagneticHeading, heading_mag());
  put(sim, token::kStandbyHeading, standby_heading_);
  put(sim, token::kGyroHeading, nav::wrap360(heading_mag() + gyro_error_));
  put(sim, token::kOutsideTemperature, air.temperature_k - 273.15);
  put(sim, token::kLoadFactor, state_.load_factor * kGForceUnits);
  const nav::Antenna antenna{state_.position, state_.altitude_m, heading_mag()};
  receivers_ = nav::receive_all(*navaids_, sim, antenna);
  nav::write_receivers(sim, receivers_);
}

// --- Scenarios ---

void CorvaneFlight::apply_settings(SimState& sim, const Scenario& s) {
  const double variation = navaids_->variation;
  for (const auto& [id, value] : s.vars) sim.set_var(id, value);
  if (s.position) state_.position = *s.position;
  if (s.ground_ft) state_.ground_m = *s.ground_ft / kFeetPerMetre;
  if (s.on_ground) {
    state_.on_ground = true;
    state_.altitude_m = state_.ground_m;
  }
  if (s.altitude_ft) {
    state_.on_ground = false;
    state_.altitude_m = *s.altitude_ft / kFeetPerMetre;
  }
  if (s.heading_mag) state_.heading = nav::wrap360(*s.heading_mag + variation);
  if (s.airspeed_kt)
    state_.true_airspeed = true_from_indicated(*s.airspeed_kt / kKnotsPerMetrePerSecond,
                                               standard_atmosphere(state_.altitude_m));
  if (s.pitch) state_.pitch = *s.pitch;
  if (s.bank) state_.bank = *s.bank;
  if (!state_.on_ground && !s.pitch) state_.pitch = level_flight_alpha(state_, Configuration{});
  if (s.climb_fpm && state_.true_airspeed > 1)
    state_.path = std::asin(std::clamp(*s.climb_fpm / kFeetPerMetre / 60 / state_.true_airspeed,
                                       -1.0, 1.0)) * kDegPerRad;
}

void CorvaneFlight::apply_scenario(SimState& sim, std::string_view name) {
  load();
  const Scenario* scenario = scenarios_->find(name);
  if (!scenario)
    throw HostError("unknown scenario " + quote_input(name) + ", expected one of: " +
                    scenarios_->names());
  state_ = FlightState{};
  controls_ = Controls{};
  autopilot_ = AutopilotState{};
  gyro_error_ = 0;
  set_ramp_state(sim);  // the systems cold and dark; the ramp scenario places the aircraft
  apply_settings(sim, scenarios_->scenarios.front());
  if (scenario != &scenarios_->scenarios.front()) apply_settings(sim, *scenario);
  state_.alpha = state_.on_ground ? state_.pitch : state_.pitch - state_.path;
  state_ = sanitised(state_);
  standby_heading_ = heading_mag();
  distance_m_ = 0;
  liftoff_m_ = -1;
  markers_passed_ = 0;
  last_marker_ = nav::MarkerKind::none;
  pending_ = 0;
  write(sim);
}

std::optional<double> CorvaneFlight::quantity(std::string_view name) const {
  const auto& r = receivers_;
  if (name == "latitude") return state_.position.lat;
  if (name == "longitude") return state_.position.lon;
  if (name == "altitude") return state_.altitude_m * kFeetPerMetre;  // feet above sea level
  if (name == "height") return (state_.altitude_m - state_.ground_m) * kFeetPerMetre;
  if (name == "true-airspeed") return state_.true_airspeed * kKnotsPerMetrePerSecond;
  if (name == "heading") return state_.heading;  // true
  if (name == "path") return state_.path;
  if (name == "alpha") return state_.alpha;
  if (name == "thrust") return state_.thrust_n;
  if (name == "stalled") return state_.stalled ? 1 : 0;
  if (name == "distance") return distance_m_;   // metres along the ground
  if (name == "liftoff") return liftoff_m_;     // metres rolled before lift-off, -1 before
  if (name == "markers") return markers_passed_;
  if (name == "glide-slope-captured") return autopilot_.glide_slope_captured ? 1 : 0;
  if (name == "nav1-radial") return r.nav1.received ? r.nav1.radial : -1;
  if (name == "nav2-radial") return r.nav2.received ? r.nav2.radial : -1;
  if (name == "dme1") return r.nav1.dme ? r.nav1.dme_nm : -1;
  if (name == "dme2") return r.nav2.dme ? r.nav2.dme_nm : -1;
  return std::nullopt;
}

}  // namespace gaugehost::flight
