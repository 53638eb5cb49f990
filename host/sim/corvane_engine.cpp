// The engine and what it drives: electrical system, starter, turbine, fuel.
#include <algorithm>
#include <cmath>

#include "host/sim/corvane_systems.h"

namespace gaugehost {

namespace {

using namespace corvane;

constexpr double kPsfPerBar = 2087.91;
constexpr double kLevelFull = 8388608;

// A first-order lag: `value` moves toward `target` with time constant `lag`.
double approach(double value, double target, double lag, double dt) {
  return target + (value - target) * std::exp(-dt / lag);
}

double rankine(double celsius) { return (celsius + 273.15) * 1.8; }
double celsius(double rankine) { return rankine / 1.8 - 273.15; }

// Where the engine stands between idle (0) and full dry throttle (1).
double above_idle(double speed) {
  return std::clamp((speed - kIdleSpeed) / (kFullSpeed - kIdleSpeed), 0.0, 1.0);
}

struct Tank {
  Token level;
  Token capacity;
};
constexpr Tank kInternalTanks[] = {{kLeftTank1Level, kLeftTank1Capacity},
                                   {kLeftTank2Level, kLeftTank2Capacity},
                                   {kRightTank1Level, kRightTank1Capacity},
                                   {kRightTank2Level, kRightTank2Capacity}};
struct ExternalTank {
  const char* level;  // percent
  const char* capacity;
};
constexpr ExternalTank kExternalTanks[] = {{calc::kExternal1Level, calc::kExternal1Capacity},
                                           {calc::kExternal2Level, calc::kExternal2Capacity}};

double gallons(const ModelVars& v, const Tank& tank) {
  return v.get(tank.capacity) * v.get(tank.level) / kLevelFull;
}
double gallons(const ModelVars& v, const ExternalTank& tank) {
  return std::max(0.0, v.calc(tank.capacity)) * std::clamp(v.calc(tank.level), 0.0, 100.0) / 100;
}

}  // namespace

// --- Electrical system ---

// The battery feeds the battery bus through its switch; the generator, excited from 40 percent
// and regulated from 50, feeds the main bus through its switch and charges the battery. The main
// bus (and the instruments' supply) takes the higher of the two.
void CorvaneSystems::step_electrics(ModelVars& v, double dt) {
  const double speed = v.get(kTurbineSpeed);
  const double excitation =
      std::clamp((speed - kGeneratorCutIn) / (kGeneratorOnline - kGeneratorCutIn), 0.0, 1.0);
  const double generator = v.on(kGeneratorSwitch) ? kGeneratorVolts * excitation : 0.0;
  const double battery_emf = kBatteryVolts - (starter_running_ ? kCrankingSag : 0.0);
  const double battery = v.on(kBatterySwitch) ? std::max(battery_emf, generator) : 0.0;
  const double bus = std::max(battery, generator);
  v.put(kGeneratorVoltage, approach(v.get(kGeneratorVoltage), generator, kVoltageLag, dt));
  v.put(kBatteryBusVoltage, approach(v.get(kBatteryBusVoltage), battery, kVoltageLag, dt));
  v.put(kMainBusVoltage, approach(v.get(kMainBusVoltage), bus, kVoltageLag, dt));
  v.put(kInstrumentVoltage, v.get(kMainBusVoltage));
}

// --- Starter ---

// Once engaged the starter runs by itself: it cuts out when the engine is self-sustaining, and
// the start is aborted when the main bus loses its power or the start takes too long.
void CorvaneSystems::step_starter(ModelVars& v, double dt) {
  if (starter_running_) {
    starter_seconds_ += dt;
    const bool self_sustaining = burning_ && v.get(kTurbineSpeed) >= kSelfSustainingSpeed;
    if (self_sustaining || v.get(kMainBusVoltage) <= kPoweredVolts ||
        starter_seconds_ > kStarterLimit)
      starter_running_ = false;
  }
  v.put(kStarterEngaged, starter_running_ ? 1 : 0);
}

// --- Turbine ---

bool CorvaneSystems::fuel_at_engine(const ModelVars& v) const {
  const bool boost_pump = v.on(kFuelPump) && v.get(kMainBusVoltage) > kPoweredVolts;
  const bool engine_pump = v.get(kTurbineSpeed) >= kSelfSustainingSpeed;
  return v.on(kFuelValve) && v.on(kFuelLever) && (boost_pump || engine_pump) &&
         total_fuel_gallons(v) > 0;
}

void CorvaneSystems::step_engine(ModelVars& v, double dt) {
  double speed = v.get(kTurbineSpeed);
  const bool fuel = fuel_at_engine(v);
  // Light-off needs fuel and the igniters, which run with the starter; a running engine set from
  // outside (a check's `set var`) burns on; without fuel the fire goes out.
  if (fuel && starter_running_ && speed >= kLightOffSpeed) burning_ = true;
  if (fuel && speed >= kSelfSustainingSpeed) burning_ = true;
  if (!fuel || (!starter_running_ && speed < kFlameOutSpeed)) burning_ = false;

  const double throttle = v.get(kThrottle);
  const double commanded = kIdleSpeed + (kFullSpeed - kIdleSpeed) * throttle;
  if (burning_ && (starter_running_ || speed >= kSelfSustainingSpeed))
    speed = approach(speed, commanded, speed < kIdleSpeed - 1 ? kStartLag : kThrottleLag, dt);
  else if (starter_running_)
    speed = approach(speed, std::max(speed, kMotoringSpeed), kStarterLag, dt);
  else
    speed = approach(speed, 0.0, kRundownLag, dt);
  if (speed < 0.01) speed = 0;
  v.put(kTurbineSpeed, speed);

  // Corrected speeds at the outside temperature; the low-pressure spool lags below full speed.
  const double outside = v.get(kOutsideTemperature);
  const double correction = std::sqrt(288.15 / (outside + 273.15));
  v.put(kCorrectedN2, speed * correction);
  v.put(kCorrectedN1, (0.9 * speed + 0.1 * speed * speed / 100) * correction);

  const bool afterburner = burning_ && v.on(kAfterburner) && speed > kAfterburnerSpeed;
  const double x = above_idle(speed);
  double flow = 0;
  double egt = outside;
  if (burning_) {
    flow = speed < kIdleSpeed ? kIdleFuelFlow * speed / kIdleSpeed
                              : kIdleFuelFlow + (kFullFuelFlow - kIdleFuelFlow) * std::pow(x, 1.5);
    egt = speed < kIdleSpeed ? kIdleEgt + (kLightOffEgt - kIdleEgt) * (1 - speed / kIdleSpeed)
                             : kIdleEgt + (kFullEgt - kIdleEgt) * x;
  }
  if (afterburner) {
    // The afterburner burns more the further the throttle is in its range, from half its flow.
    const double in_range = std::clamp((throttle - 0.94) / 0.06, 0.0, 1.0);
    flow += kAfterburnerFuelFlow * (0.5 + 0.5 * in_range);
    egt += kAfterburnerEgt;
  }
  v.put(kFuelFlow, flow);
  const double egt_now = celsius(v.get(kExhaustTemp));
  v.put(kExhaustTemp,
        rankine(approach(egt_now, egt, burning_ ? kEgtHeatLag : kEgtCoolLag, dt)));

  const double turning = std::min(speed / kIdleSpeed, 1.0);
  const double oil = turning * turning * kIdleOilBar + (kFullOilBar - kIdleOilBar) * x;
  v.put(kOilPressure, approach(v.get(kOilPressure) / kPsfPerBar, oil, kOilLag, dt) * kPsfPerBar);

  const bool boost_pump = v.on(kFuelPump) && v.get(kMainBusVoltage) > kPoweredVolts;
  const double fuel_bar = (boost_pump ? kBoostPumpBar : 0.0) +
                          (v.on(kFuelValve) ? kEnginePumpBar * speed / kFullSpeed : 0.0);
  v.put(kFuelPressure,
        approach(v.get(kFuelPressure) / kPsfPerBar, fuel_bar, kFuelPressureLag, dt) * kPsfPerBar);

  const double hydraulic_c = outside + (kHydraulicWarmC - outside) * turning;
  v.put(kHydraulicTemp, rankine(approach(celsius(v.get(kHydraulicTemp)), hydraulic_c,
                                         kHydraulicTempLag, dt)));
}

// --- Fuel tanks ---

double CorvaneSystems::total_fuel_gallons(const ModelVars& v) const {
  double total = 0;
  for (const Tank& tank : kInternalTanks) total += gallons(v, tank);
  for (const ExternalTank& tank : kExternalTanks) total += gallons(v, tank);
  return total;
}

// The engine burns the external tanks first, both alike, then the internal tanks, each in
// proportion to what it holds, so that the sides stay balanced.
void CorvaneSystems::step_fuel_tanks(ModelVars& v, double dt) {
  double burn = v.get(kFuelFlow) * dt / 3600 / kFuelPoundsPerGallon;  // gallons
  double external = 0;
  for (const ExternalTank& tank : kExternalTanks) external += gallons(v, tank);
  if (external > 0 && burn > 0) {
    const double taken = std::min(burn, external);
    for (const ExternalTank& tank : kExternalTanks) {
      const double capacity = std::max(0.0, v.calc(tank.capacity));
      if (capacity <= 0) continue;
      const double left = gallons(v, tank) * (1 - taken / external);
      v.put_calc(tank.level, 100 * left / capacity);
    }
    burn -= taken;
  }
  double internal = 0;
  for (const Tank& tank : kInternalTanks) internal += gallons(v, tank);
  if (internal <= 0 || burn <= 0) return;
  const double share = 1 - std::min(burn, internal) / internal;
  for (const Tank& tank : kInternalTanks) v.put(tank.level, v.get(tank.level) * share);
}

}  // namespace gaugehost
