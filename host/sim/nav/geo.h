// Positions on the earth (a sphere) and the bearings and distances between them.
#pragma once

namespace gaugehost::nav {

inline constexpr double kEarthRadius = 6371008.8;  // metres, the mean radius

struct LatLon {
  double lat = 0;  // degrees, north positive
  double lon = 0;  // degrees, east positive
};

// The great-circle distance in metres.
double distance_m(LatLon from, LatLon to);
// The initial true bearing from `from` to `to`, degrees in [0, 360).
double bearing_deg(LatLon from, LatLon to);
// The point `metres` away from `from` along the true bearing `bearing`.
LatLon move(LatLon from, double bearing, double metres);

// An angle wrapped into [0, 360) and into (-180, 180].
double wrap360(double degrees);
double wrap180(double degrees);

}  // namespace gaugehost::nav
