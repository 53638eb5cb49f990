#include "host/sim/flight/atmosphere.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace gaugehost::flight {

namespace {

constexpr double kGasConstant = 287.05287;  // J/(kg K), dry air
constexpr double kGamma = 1.4;

// The layers of the table: base altitude (m), base temperature (K), lapse rate (K/m), base
// pressure (Pa).
struct Layer {
  double base_m;
  double base_k;
  double lapse;
  double base_pa;
};
constexpr Layer kLayers[] = {
    {0, 288.15, -0.0065, 101325.0},   // troposphere
    {11000, 216.65, 0, 22632.06},      // tropopause
    {20000, 216.65, 0.001, 5474.889},  // lower stratosphere
};
static_assert(std::size(kLayers) == 3, "troposphere, tropopause, stratosphere to 32 km");

double layer_pressure(const Layer& layer, double altitude_m) {
  const double dh = altitude_m - layer.base_m;
  if (layer.lapse == 0)
    return layer.base_pa * std::exp(-kGravity * dh / (kGasConstant * layer.base_k));
  const double t = layer.base_k + layer.lapse * dh;
  return layer.base_pa * std::pow(t / layer.base_k, -kGravity / (kGasConstant * layer.lapse));
}

const Layer& layer_at(double altitude_m) {
  if (altitude_m >= kLayers[2].base_m) return kLayers[2];
  if (altitude_m >= kLayers[1].base_m) return kLayers[1];
  return kLayers[0];
}

// Impact pressure of a flow at Mach m over static pressure p (Rayleigh pitot above Mach 1).
double impact_pressure(double mach, double p) {
  if (mach <= 1)
    return p * (std::pow(1 + 0.2 * mach * mach, 3.5) - 1);
  const double m2 = mach * mach;
  return p * (166.92158 * std::pow(mach, 7) / std::pow(7 * m2 - 1, 2.5) - 1);
}

// Mach number for an impact pressure over static pressure p: the inverse of impact_pressure,
// by bisection (the function rises with Mach).
double mach_from_impact(double qc, double p) {
  double low = 0, high = 10;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (low + high);
    (impact_pressure(mid, p) < qc ? low : high) = mid;
  }
  return 0.5 * (low + high);
}

}  // namespace

Atmosphere standard_atmosphere(double altitude_m) {
  const double h = std::isfinite(altitude_m)
                       ? std::clamp(altitude_m, kLowestAltitude, kHighestAltitude)
                       : 0.0;
  const Layer& layer = layer_at(h);
  Atmosphere air{};
  air.temperature_k = layer.base_k + layer.lapse * (h - layer.base_m);
  air.pressure_pa = layer_pressure(layer, h);
  air.density = air.pressure_pa / (kGasConstant * air.temperature_k);
  air.speed_of_sound = std::sqrt(kGamma * kGasConstant * air.temperature_k);
  return air;
}

double pressure_altitude(double pressure_pa) {
  // The pressure falls with altitude: bisection over the table's range.
  double low = kLowestAltitude, high = kHighestAltitude;
  if (!(pressure_pa > 0)) return high;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (low + high);
    (standard_atmosphere(mid).pressure_pa > pressure_pa ? low : high) = mid;
  }
  return 0.5 * (low + high);
}

double indicated_altitude(double altitude_m, double setting_hpa) {
  const double setting_level = pressure_altitude(setting_hpa * 100.0);
  const double pressure_level = pressure_altitude(standard_atmosphere(altitude_m).pressure_pa);
  return pressure_level - setting_level;
}

double indicated_from_true(double true_mps, const Atmosphere& air) {
  if (!(true_mps > 0)) return 0;
  const double qc = impact_pressure(true_mps / air.speed_of_sound, air.pressure_pa);
  return kSeaLevelSpeedOfSound * mach_from_impact(qc, kSeaLevelPressure);
}

double true_from_indicated(double indicated_mps, const Atmosphere& air) {
  if (!(indicated_mps > 0)) return 0;
  const double qc = impact_pressure(indicated_mps / kSeaLevelSpeedOfSound, kSeaLevelPressure);
  return air.speed_of_sound * mach_from_impact(qc, air.pressure_pa);
}

}  // namespace gaugehost::flight
