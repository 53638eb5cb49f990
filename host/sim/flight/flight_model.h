// The Corvane's flight: a point-mass model moved on in steps of 1/18 s. The aircraft is a mass
// with a lift, a drag and a thrust; the pilot (or the autopilot) commands rates of pitch and roll,
// and the flight path follows from the forces: lift and stall by angle of attack, drag of the
// gear, flaps, speed brake and parachute, coordinated turns from bank, the take-off run on the
// wheels. Nothing here knows token variables, drawing or input: inputs and outputs are the
// structures below.
#pragma once

#include "host/sim/nav/geo.h"

namespace gaugehost::flight {

// The model's numbers (docs/gaugehost.md has them as a table).
namespace corvane {
inline constexpr double kMassKg = 7200;            // take-off mass, held (fuel burn not felt)
inline constexpr double kWingAreaM2 = 23;
inline constexpr double kDryThrustN = 42000;       // full dry thrust, sea level, static
inline constexpr double kAfterburnerThrustN = 20000;  // what the afterburner adds
inline constexpr double kThrustLapse = 0.7;        // thrust falls as (density ratio)^0.7
inline constexpr double kIdleSpeedPercent = 50;    // turbine speed where thrust begins
inline constexpr double kLiftSlope = 3.6;          // per radian
inline constexpr double kLiftAtZeroAlpha = 0.05;
inline constexpr double kFlapsLift = 0.35;         // added at full flaps
inline constexpr double kSpoilersLift = -0.15;     // at full speed brake
inline constexpr double kStallAlphaDeg = 15;       // clean; flaps lower it
inline constexpr double kFlapsStallDeg = -2;       // at full flaps
inline constexpr double kPostStallLoss = 2.5;      // lift lost per radian beyond the stall
inline constexpr double kZeroLiftDrag = 0.018;     // clean
inline constexpr double kGearDrag = 0.020;         // gear down
inline constexpr double kFlapsDrag = 0.040;        // full flaps
inline constexpr double kSpoilersDrag = 0.045;     // full speed brake
inline constexpr double kChuteDrag = 0.60;         // parachute fully out (on the wing area)
inline constexpr double kInducedDrag = 0.14;       // k of k CL^2 (aspect ratio 2.8, e 0.8)
inline constexpr double kRollingFriction = 0.02;
inline constexpr double kBrakingFriction = 0.65;   // full wheel brakes: they hold full dry thrust
inline constexpr double kPitchRateDeg = 8;         // full elevator, degrees per second
inline constexpr double kRollRateDeg = 90;         // full aileron
inline constexpr double kSteeringRateDeg = 12;     // full rudder on the ground
inline constexpr double kControlSpeedMps = 60;     // full control authority from here
inline constexpr double kStallPitchDownDeg = 6;    // nose drop per second in a stall
inline constexpr double kMaxPitchDeg = 60;         // the model's attitude limits: no aerobatics
inline constexpr double kMaxBankDeg = 80;
inline constexpr double kMaxGroundPitchDeg = 14;   // tail strike
inline constexpr double kLeastFlyingSpeedMps = 20; // the path equations' floor
}  // namespace corvane

// The pilot's controls, each held to its range.
struct Controls {
  double elevator = 0;  // -1 full push (nose down) to 1 full pull (nose up)
  double aileron = 0;   // -1 full left to 1 full right
  double rudder = 0;    // -1 full left to 1 full right (nose-wheel steering on the ground)
  double brakes = 0;    // 0 off to 1 full wheel brakes
};

// What the systems give the flight: engine and surfaces, each 0 to 1 unless said.
struct Configuration {
  double turbine_percent = 0;  // engine speed, percent
  bool afterburner = false;    // burning
  double gear = 1;             // 0 up to 1 down (mean of the legs)
  double flaps = 0;
  double spoilers = 0;
  double chute = 0;
  bool parking_brake = false;
};

struct FlightState {
  nav::LatLon position;
  double altitude_m = 0;          // above sea level
  double ground_m = 0;            // elevation of the ground below
  double true_airspeed = 0;       // m/s (no wind: also the ground speed)
  double pitch = 0;               // degrees, nose up positive
  double bank = 0;                // degrees, right wing down positive
  double heading = 0;             // degrees true
  double path = 0;                // flight-path angle, degrees, climbing positive
  double alpha = 0;               // angle of attack, degrees
  double turn_rate = 0;           // degrees per second, right positive
  double load_factor = 1;         // g
  double slip = 0;                // -1 (ball full left) to 1 (full right)
  bool on_ground = true;
  bool stalled = false;
  double thrust_n = 0;            // as last computed
  double vertical_speed() const;  // m/s
};

// Thrust of the engine at a turbine speed and altitude.
double thrust_newtons(double turbine_percent, bool afterburner, double altitude_m);

// One step of `dt` seconds. Every number of the result is finite and within its range whatever
// the inputs (numbers that are no numbers read as 0 and ranges are held).
FlightState step(FlightState state, Controls controls, Configuration config, double dt);

// The angle of attack (degrees) at which the wing carries the weight at the state's airspeed and
// altitude in this configuration, held to the stall.
double level_flight_alpha(const FlightState& state, const Configuration& config);

// The state held to the model's ranges, each number finite.
FlightState sanitised(FlightState state);

}  // namespace gaugehost::flight
