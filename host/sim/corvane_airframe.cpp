// What the hydraulics move: landing gear, flaps and speed brake; and the drag chute.
#include <algorithm>
#include <cmath>

#include "host/sim/corvane_systems.h"

namespace gaugehost {

namespace {

using namespace corvane;

constexpr double kPsfPerBar = 2087.91;
constexpr double kTravel = 16384;
constexpr double kGearLeverDown = 8000;  // the lever counts as down from here, as its picture does

double approach(double value, double target, double lag, double dt) {
  return target + (value - target) * std::exp(-dt / lag);
}

// `value` moved toward `target` by at most `rate` x dt.
double travel(double value, double target, double rate, double dt) {
  return value < target ? std::min(target, value + rate * dt) : std::max(target, value - rate * dt);
}

// How fast a hydraulic actuator moves at `bar`: full speed from the working pressure down.
double hydraulic_rate(double bar) { return std::clamp(bar / kHydraulicWorkingBar, 0.0, 1.0); }

struct GearLeg {
  Token position;
  double seconds;  // full travel at working pressure
};
constexpr GearLeg kGearLegs[] = {{kGearNose, kNoseGearSeconds},
                                 {kGearLeft, kLeftGearSeconds},
                                 {kGearRight, kRightGearSeconds}};

}  // namespace

// Both circuits' pumps are driven by the engine: full pressure from 40 percent, rising fast and
// decaying slowly (the accumulators) when the engine stops.
void CorvaneSystems::step_hydraulics(ModelVars& v, double dt) {
  const double speed = v.get(kTurbineSpeed);
  const double target = kHydraulicBar * std::clamp((speed - 5) / (kHydraulicFullSpeed - 5), 0.0, 1.0);
  for (Token circuit : {kHydraulicLeft, kHydraulicRight}) {
    const double bar = v.get(circuit) / kPsfPerBar;
    const double lag = target > bar ? kHydraulicRiseLag : kHydraulicDecayLag;
    v.put(circuit, approach(bar, target, lag, dt) * kPsfPerBar);
  }
}

void CorvaneSystems::adopt_flaps(ModelVars& v) {
  if (v.set_from_outside(kFlapsPercent))
    flaps_detent_ = int(std::lround(v.get(kFlapsPercent) / (100.0 / kFlapsDetents)));
  v.put(kFlapsPercent, v.get(kFlapsPercent));
}

void CorvaneSystems::adopt_chute(ModelVars& v) {
  if (v.set_from_outside(kParachute)) chute_deploying_ = v.get(kParachute) >= 0.5;
  v.put(kParachute, v.get(kParachute));
}

// The legs follow the lever, each at its own pace; on the ground the squat switch keeps them
// down whatever the lever says.
void CorvaneSystems::step_gear(ModelVars& v, double dt) {
  const bool down = v.get(kGearLever) >= kGearLeverDown || v.get(kOnGround) > 0;
  const double rate = hydraulic_rate(v.get(kHydraulicRight) / kPsfPerBar);
  for (const GearLeg& leg : kGearLegs)
    v.put(leg.position,
          travel(v.get(leg.position), down ? kTravel : 0, rate * kTravel / leg.seconds, dt));
}

void CorvaneSystems::step_surfaces(ModelVars& v, double dt) {
  const double rate = hydraulic_rate(v.get(kHydraulicLeft) / kPsfPerBar);

  // Flaps: the handle's detents are 0 (up), 1 (take-off), 2 (approach) and 3 (landing); flaps set
  // from outside put the handle at their nearest detent.
  const double detent_percent = 100.0 / kFlapsDetents;
  adopt_flaps(v);
  const double flaps = travel(v.get(kFlapsPercent), flaps_detent_ * detent_percent,
                              rate * 100 / kFlapsSeconds, dt);
  v.put(kFlapsPercent, flaps);
  v.put(kFlapsPosition, flaps / 100 * kTravel);

  // Speed brake: follows its handle.
  v.put(kSpoilersPosition, travel(v.get(kSpoilersPosition), v.get(kSpoilersHandle),
                                  rate * kTravel / kSpeedBrakeSeconds, dt));

  // Drag chute: springs out, or is dropped; set from outside, it goes on the way it points.
  adopt_chute(v);
  const double chute = v.get(kParachute);
  v.put(kParachute, chute_deploying_ ? std::min(1.0, chute + dt / kChuteDeploySeconds)
                                     : std::max(0.0, chute - dt / kChuteDropSeconds));
}

}  // namespace gaugehost
