#include "host/sim/flight/flight_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/sim/flight/atmosphere.h"

namespace gaugehost::flight {

using namespace corvane;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

double finite_or(double value, double otherwise) {
  return std::isfinite(value) ? value : otherwise;
}
double unit(double value, double low, double high) {
  return std::clamp(finite_or(value, 0), low, high);
}

Controls held(Controls c) {
  return {unit(c.elevator, -1, 1), unit(c.aileron, -1, 1), unit(c.rudder, -1, 1),
          unit(c.brakes, 0, 1)};
}

Configuration held(Configuration c) {
  c.turbine_percent = unit(c.turbine_percent, 0, 120);
  c.gear = unit(c.gear, 0, 1);
  c.flaps = unit(c.flaps, 0, 1);
  c.spoilers = unit(c.spoilers, 0, 1);
  c.chute = unit(c.chute, 0, 1);
  return c;
}

// Angle of attack (degrees) at which the wing stalls in this configuration.
double stall_alpha(const Configuration& config) {
  return kStallAlphaDeg + kFlapsStallDeg * config.flaps;
}

double lift_coefficient(double alpha_deg, const Configuration& config, bool* stalled) {
  const double base = kLiftAtZeroAlpha + kFlapsLift * config.flaps + kSpoilersLift * config.spoilers;
  const double stall = stall_alpha(config);
  const double a = alpha_deg * kRad;
  double cl = base + kLiftSlope * a;
  *stalled = alpha_deg > stall || alpha_deg < -stall;
  if (alpha_deg > stall) {
    const double peak = base + kLiftSlope * stall * kRad;
    cl = std::max(peak - kPostStallLoss * (a - stall * kRad), 0.5 * peak);
  } else if (alpha_deg < -stall) {
    const double trough = base - kLiftSlope * stall * kRad;
    cl = std::min(trough - kPostStallLoss * (a + stall * kRad), 0.5 * trough);
  }
  return cl;
}

double drag_coefficient(double cl, const Configuration& config) {
  return kZeroLiftDrag + kGearDrag * config.gear + kFlapsDrag * config.flaps +
         kSpoilersDrag * config.spoilers + kChuteDrag * config.chute + kInducedDrag * cl * cl;
}

// Share of full control authority at this airspeed.
double authority(double speed) { return std::clamp(speed / kControlSpeedMps, 0.0, 1.0); }

struct Forces {
  double lift;
  double drag;
  double weight;
};

Forces forces(FlightState& s, const Configuration& config, double density) {
  const double q = 0.5 * density * s.true_airspeed * s.true_airspeed;
  const double cl = lift_coefficient(s.alpha, config, &s.stalled);
  return {q * kWingAreaM2 * cl, q * kWingAreaM2 * drag_coefficient(cl, config),
          kMassKg * kGravity};
}

void move_position(FlightState& s, double dt) {
  const double ground_speed = s.true_airspeed * std::cos(s.path * kRad);
  s.position = nav::move(s.position, s.heading, ground_speed * dt);
  s.altitude_m += s.true_airspeed * std::sin(s.path * kRad) * dt;
}

void step_on_ground(FlightState& s, const Controls& c, const Configuration& config,
                    double density, double dt) {
  // Rotation: the elevator raises the nose once the tail has the authority.
  const double rate = c.elevator * kPitchRateDeg * authority(s.true_airspeed - 20);
  s.pitch = std::clamp(s.pitch + rate * dt, 0.0, kMaxGroundPitchDeg);
  if (c.elevator <= 0) s.pitch = std::max(0.0, s.pitch - 3 * dt);  // the nose wheel settles
  s.alpha = s.pitch;
  s.bank = 0;
  s.path = 0;
  const Forces f = forces(s, config, density);
  const double on_wheels = std::max(0.0, f.weight - f.lift);
  const double brakes = config.parking_brake ? 1.0 : c.brakes;
  const double friction = (kRollingFriction + kBrakingFriction * brakes) * on_wheels;
  const double push = s.thrust_n - f.drag;
  double accel = (push - friction) / kMassKg;
  // Standing still: friction holds as long as the push does not overcome it.
  if (s.true_airspeed <= 0 && push <= friction) accel = 0;
  s.true_airspeed = std::max(0.0, s.true_airspeed + accel * dt);
  s.turn_rate = c.rudder * kSteeringRateDeg * std::clamp(s.true_airspeed / 10, 0.0, 1.0);
  s.heading = nav::wrap360(s.heading + s.turn_rate * dt);
  s.load_factor = 1;
  s.slip = 0;
  move_position(s, dt);
  s.altitude_m = s.ground_m;
  if (f.lift > f.weight) s.on_ground = false;  // lift-off
}

void step_in_air(FlightState& s, const Controls& c, const Configuration& config, double density,
                 double dt) {
  const double control = authority(s.true_airspeed);
  double pitch_rate = c.elevator * kPitchRateDeg * control;
  // In a stall the elevator can only push: the nose drops whatever the pilot pulls.
  if (s.stalled) pitch_rate = std::min(pitch_rate, 0.0) - kStallPitchDownDeg;
  s.pitch = std::clamp(s.pitch + pitch_rate * dt, -kMaxPitchDeg, kMaxPitchDeg);
  s.bank = std::clamp(s.bank + c.aileron * kRollRateDeg * control * dt, -kMaxBankDeg, kMaxBankDeg);
  const double cos_bank = std::cos(s.bank * kRad);
  s.alpha = (s.pitch - s.path) / cos_bank;

  const Forces f = forces(s, config, density);
  const double v = std::max(s.true_airspeed, kLeastFlyingSpeedMps);
  const double path = s.path * kRad;
  const double accel = (s.thrust_n * std::cos(s.alpha * kRad) - f.drag) / kMassKg -
                       kGravity * std::sin(path);
  const double path_rate = (f.lift * cos_bank - f.weight * std::cos(path)) / (kMassKg * v);
  const double turn_rate = f.lift * std::sin(s.bank * kRad) / (kMassKg * v * std::cos(path));
  s.true_airspeed = std::max(0.0, s.true_airspeed + accel * dt);
  s.path = std::clamp(s.path + path_rate / kRad * dt, -89.0, 89.0);
  s.turn_rate = turn_rate / kRad;
  s.heading = nav::wrap360(s.heading + s.turn_rate * dt);
  s.load_factor = f.lift / f.weight;
  // Rudder alone skids the aircraft: the ball goes the other way.
  s.slip = std::clamp(-c.rudder, -1.0, 1.0);
  move_position(s, dt);
  if (s.altitude_m <= s.ground_m) {  // touch-down
    s.altitude_m = s.ground_m;
    s.on_ground = true;
    s.path = 0;
    s.bank = 0;
    s.pitch = std::max(0.0, s.pitch);
  }
}

}  // namespace

double FlightState::vertical_speed() const {
  return true_airspeed * std::sin(path * kRad);
}

double thrust_newtons(double turbine_percent, bool afterburner, double altitude_m) {
  const double n = std::clamp(finite_or(turbine_percent, 0), 0.0, 110.0);
  const double share = std::pow(
      std::clamp((n - kIdleSpeedPercent) / (100 - kIdleSpeedPercent), 0.0, 1.1), 2.0);
  const double sigma = standard_atmosphere(altitude_m).density / kSeaLevelDensity;
  const double burner = afterburner && n > 80 ? kAfterburnerThrustN : 0;
  return (kDryThrustN * share + burner) * std::pow(sigma, kThrustLapse);
}

double level_flight_alpha(const FlightState& s, const Configuration& config) {
  const Configuration c = held(config);
  const double q = 0.5 * standard_atmosphere(s.altitude_m).density *
                   std::max(s.true_airspeed, kLeastFlyingSpeedMps) * s.true_airspeed;
  const double needed = q > 0 ? kMassKg * kGravity / (q * kWingAreaM2) : 10;
  const double base = kLiftAtZeroAlpha + kFlapsLift * c.flaps + kSpoilersLift * c.spoilers;
  return std::clamp((needed - base) / kLiftSlope / kRad, -stall_alpha(c), stall_alpha(c));
}

FlightState sanitised(FlightState s) {
  s.position.lat = std::clamp(finite_or(s.position.lat, 0), -89.9, 89.9);
  s.position.lon = nav::wrap180(finite_or(s.position.lon, 0));
  s.ground_m = std::clamp(finite_or(s.ground_m, 0), -400.0, 9000.0);
  s.altitude_m = std::clamp(finite_or(s.altitude_m, s.ground_m), s.ground_m, kHighestAltitude);
  s.true_airspeed = std::clamp(finite_or(s.true_airspeed, 0), 0.0, 700.0);
  s.pitch = std::clamp(finite_or(s.pitch, 0), -kMaxPitchDeg, kMaxPitchDeg);
  s.bank = std::clamp(finite_or(s.bank, 0), -kMaxBankDeg, kMaxBankDeg);
  s.heading = nav::wrap360(finite_or(s.heading, 0));
  s.path = std::clamp(finite_or(s.path, 0), -89.0, 89.0);
  s.alpha = std::clamp(finite_or(s.alpha, 0), -90.0, 90.0);
  s.turn_rate = std::clamp(finite_or(s.turn_rate, 0), -60.0, 60.0);
  s.load_factor = std::clamp(finite_or(s.load_factor, 1), -10.0, 15.0);
  s.slip = std::clamp(finite_or(s.slip, 0), -1.0, 1.0);
  s.thrust_n = std::clamp(finite_or(s.thrust_n, 0), 0.0, 1e6);
  return s;
}

FlightState step(FlightState state, Controls controls, Configuration config, double dt) {
  FlightState s = sanitised(state);
  const Controls c = held(controls);
  config = held(config);
  dt = std::clamp(finite_or(dt, 0), 0.0, 1.0);
  s.thrust_n = thrust_newtons(config.turbine_percent, config.afterburner, s.altitude_m);
  const double density = standard_atmosphere(s.altitude_m).density;
  if (s.on_ground)
    step_on_ground(s, c, config, density, dt);
  else
    step_in_air(s, c, config, density, dt);
  return sanitised(s);
}

}  // namespace gaugehost::flight
