#include "host/sim/flight/autopilot.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gaugehost::flight {

using namespace autopilot;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

double aileron_for_bank(double bank_wanted, double bank) {
  return std::clamp((bank_wanted - bank) * kAileronPerBankDeg, -1.0, 1.0);
}

double bank_for_heading(double heading_wanted, double heading) {
  return std::clamp(kBankPerHeadingDeg * nav::wrap180(heading_wanted - heading), -kMaxBankDeg,
                    kMaxBankDeg);
}

// The heading that brings the aircraft onto the course: the course, turned toward the course
// line by an angle that grows with the deviation (positive: the line lies to the right).
double heading_onto_course(const nav::NavReception& nav1, double course) {
  const double share = nav1.deviation / 127.0;
  const double per_share = nav1.localiser ? kLocaliserInterceptDeg : kVorInterceptDeg;
  return course + std::clamp(share * per_share, -kMaxInterceptDeg, kMaxInterceptDeg);
}

double elevator_for_path(double path_wanted, const FlightState& aircraft) {
  const double rate = kPitchRatePerPathDeg * (path_wanted - aircraft.path);
  return std::clamp(rate / corvane::kPitchRateDeg, -1.0, 1.0);
}

double path_for_vertical_speed(double vertical_speed, double airspeed) {
  const double v = std::max(airspeed, corvane::kLeastFlyingSpeedMps);
  return std::asin(std::clamp(vertical_speed / v, -0.5, 0.5)) / kRad;
}

bool usable_nav(const nav::NavReception& nav1) { return nav1.received && nav1.to_from != 0; }

void update_glide_slope(const AutopilotSettings& settings, AutopilotState& state,
                        const nav::NavReception& nav1) {
  const bool armed = settings.nav_hold && nav1.localiser && nav1.glide_slope;
  if (!armed) {
    state.glide_slope_captured = false;
    return;
  }
  if (std::abs(nav1.glide_slope_dev) <= kCaptureShare * 119) state.glide_slope_captured = true;
}

}  // namespace

AutopilotOutput autopilot_step(const AutopilotSettings& settings, AutopilotState& state,
                               const FlightState& aircraft, double heading_mag,
                               double indicated_altitude_m, const nav::NavReception& nav1) {
  AutopilotOutput out;
  if (!settings.master || aircraft.on_ground) {
    state.glide_slope_captured = false;
    return out;
  }
  update_glide_slope(settings, state, nav1);

  // Roll: NAV before heading before the wing leveller.
  if (settings.nav_hold && usable_nav(nav1)) {
    const double course = nav1.localiser ? nav1.localiser_course : settings.course;
    out.drives_roll = true;
    out.aileron = aileron_for_bank(bank_for_heading(heading_onto_course(nav1, course), heading_mag),
                                   aircraft.bank);
  } else if (settings.heading_hold) {
    out.drives_roll = true;
    out.aileron =
        aileron_for_bank(bank_for_heading(settings.heading_bug, heading_mag), aircraft.bank);
  } else if (settings.wing_leveler || settings.nav_hold) {
    out.drives_roll = true;  // NAV hold without a station keeps the wings level
    out.aileron = aileron_for_bank(0, aircraft.bank);
  }

  // Pitch: the glide slope once captured, else altitude hold.
  if (state.glide_slope_captured) {
    const double above_deg = nav1.glide_slope_dev / 119.0 * nav::kGlideSlopeFullScale;
    out.drives_pitch = true;
    out.elevator = elevator_for_path(-nav1.glide_slope_angle - kGlideSlopeGain * above_deg,
                                     aircraft);
  } else if (settings.altitude_hold) {
    const double climb =
        std::clamp(kClimbPerMetre * (settings.selected_altitude_m - indicated_altitude_m),
                   -kMaxVerticalSpeed, kMaxVerticalSpeed);
    out.drives_pitch = true;
    out.elevator =
        elevator_for_path(path_for_vertical_speed(climb, aircraft.true_airspeed), aircraft);
  }
  return out;
}

}  // namespace gaugehost::flight
