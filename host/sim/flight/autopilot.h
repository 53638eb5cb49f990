// The Corvane's autopilot: its modes turned into elevator and aileron. The modes are the token
// variables the autopilot panel sets (master, wing leveller, heading hold, NAV hold, altitude
// hold); the approach is NAV hold on a localiser, which arms the glide slope and captures it when
// its needle comes near the middle. Pure: settings and the aircraft in, controls out.
#pragma once

#include "host/sim/flight/flight_model.h"
#include "host/sim/nav/navaids.h"

namespace gaugehost::flight {

struct AutopilotSettings {
  bool master = false;
  bool wing_leveler = false;
  bool heading_hold = false;
  bool nav_hold = false;
  bool altitude_hold = false;
  double selected_altitude_m = 0;  // against the altimeter's setting
  double heading_bug = 0;          // degrees magnetic
  double course = 0;               // NAV1's selected course, degrees magnetic
};

// The autopilot's numbers.
namespace autopilot {
inline constexpr double kMaxBankDeg = 25;
inline constexpr double kBankPerHeadingDeg = 2.0;   // bank commanded per degree of heading error
inline constexpr double kAileronPerBankDeg = 0.05;
inline constexpr double kVorInterceptDeg = 90;      // intercept angle per full-scale deviation
inline constexpr double kLocaliserInterceptDeg = 45;
inline constexpr double kMaxInterceptDeg = 45;
inline constexpr double kClimbPerMetre = 0.1;       // vertical speed (m/s) per metre off altitude
inline constexpr double kMaxVerticalSpeed = 12;     // m/s (2360 feet per minute)
inline constexpr double kPitchRatePerPathDeg = 0.5; // degrees per second per degree of path error
inline constexpr double kCaptureShare = 0.25;       // glide slope captured within this share of full scale
inline constexpr double kGlideSlopeGain = 4;        // path degrees per degree above the glide path
}  // namespace autopilot

// What the autopilot has engaged besides the panel's modes.
struct AutopilotState {
  bool glide_slope_captured = false;
};

struct AutopilotOutput {
  bool drives_roll = false;   // aileron comes from the autopilot
  bool drives_pitch = false;  // elevator comes from the autopilot
  double aileron = 0;
  double elevator = 0;
};

// One step: the controls the autopilot commands. `indicated_altitude_m` is what the altimeter
// shows; `heading_mag` the aircraft's magnetic heading; `nav1` NAV1's reception.
AutopilotOutput autopilot_step(const AutopilotSettings& settings, AutopilotState& state,
                               const FlightState& aircraft, double heading_mag,
                               double indicated_altitude_m, const nav::NavReception& nav1);

}  // namespace gaugehost::flight
