#include "host/eval/needle_angle.h"

#include <cmath>
#include <vector>

namespace gaugehost {

double normalize_degrees(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

double point_angle(PixPoint centre, PixPoint point) {
  const double dx = point.x - centre.x;
  const double dy = point.y - centre.y;  // screen y grows downwards
  return normalize_degrees(std::atan2(dx, -dy) * 180.0 / M_PI);
}

namespace {

// Angle at which entry b lies after entry a on a clockwise walk.
double along(const NonlinearityEntry& a, const NonlinearityEntry& b, PixPoint centre, double from) {
  const double turn = normalize_degrees(point_angle(centre, b.point) - point_angle(centre, a.point));
  return from + turn;
}

// Linear through (v0, a0) and (v1, a1), carried on beyond either end; a segment without a value
// span holds its first angle.
double on_segment(double v0, double a0, double v1, double a1, double value) {
  if (v1 == v0) return a0;
  return a0 + (value - v0) * (a1 - a0) / (v1 - v0);
}

}  // namespace

double needle_angle(const NonlinearityEntry* table, int count, PixPoint centre, double value) {
  if (!table || count <= 0) return 90.0 + value;
  if (count == 1) return point_angle(centre, table[0].point);

  // Unwound angles of the entries, in table order.
  double angles[64];
  std::vector<double> spill;
  double* a = angles;
  if (count > 64) {
    spill.resize(count);
    a = spill.data();
  }
  a[0] = point_angle(centre, table[0].point);
  for (int i = 1; i < count; ++i) a[i] = along(table[i - 1], table[i], centre, a[i - 1]);

  const bool ascending = table[count - 1].value >= table[0].value;
  auto before = [&](double x, double y) { return ascending ? x < y : x > y; };

  if (!before(table[0].value, value) || count == 1)  // at or beyond the first entry
    return on_segment(table[0].value, a[0], table[1].value, a[1], value);
  for (int i = 1; i < count; ++i) {
    if (!before(table[i].value, value))
      return on_segment(table[i - 1].value, a[i - 1], table[i].value, a[i], value);
  }
  return on_segment(table[count - 2].value, a[count - 2], table[count - 1].value, a[count - 1],
                    value);
}

}  // namespace gaugehost
