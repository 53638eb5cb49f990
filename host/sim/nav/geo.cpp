#include "host/sim/nav/geo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gaugehost::nav {

namespace {
constexpr double kRad = std::numbers::pi / 180.0;
}

double distance_m(LatLon from, LatLon to) {
  const double p1 = from.lat * kRad, p2 = to.lat * kRad;
  const double dp = p2 - p1, dl = (to.lon - from.lon) * kRad;
  const double a = std::sin(dp / 2) * std::sin(dp / 2) +
                   std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
  return 2 * kEarthRadius * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

double bearing_deg(LatLon from, LatLon to) {
  const double p1 = from.lat * kRad, p2 = to.lat * kRad;
  const double dl = (to.lon - from.lon) * kRad;
  const double y = std::sin(dl) * std::cos(p2);
  const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
  return wrap360(std::atan2(y, x) / kRad);
}

LatLon move(LatLon from, double bearing, double metres) {
  const double d = metres / kEarthRadius, b = bearing * kRad;
  const double p1 = from.lat * kRad, l1 = from.lon * kRad;
  const double p2 = std::asin(std::clamp(
      std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(b), -1.0, 1.0));
  const double l2 = l1 + std::atan2(std::sin(b) * std::sin(d) * std::cos(p1),
                                    std::cos(d) - std::sin(p1) * std::sin(p2));
  return {p2 / kRad, wrap180(l2 / kRad)};
}

double wrap360(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360.0 : (wrapped >= 360.0 ? 0.0 : wrapped);
}

double wrap180(double degrees) {
  const double wrapped = wrap360(degrees);
  return wrapped > 180.0 ? wrapped - 360.0 : wrapped;
}

}  // namespace gaugehost::nav
