#include "common/needle_rule.h"

#include <cmath>
#include <numbers>

namespace crv5::common {

double normalize_degrees(double degrees) {
  if (degrees >= 0 && degrees < 360.0) return degrees;  // the usual case, without a division
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

double point_angle(double cx, double cy, double x, double y) {
  return normalize_degrees(std::atan2(x - cx, -(y - cy)) * 180.0 / std::numbers::pi);
}

namespace {

// Linear through a and b, carried on beyond either end; a segment without a value span holds its
// first angle.
double on_segment(const NeedleMark& a, const NeedleMark& b, double value) {
  if (b.value == a.value) return a.degrees;
  return a.degrees + (value - a.value) * (b.degrees - a.degrees) / (b.value - a.value);
}

}  // namespace

double angle_between_marks(const NeedleMark* marks, int count, double value) {
  if (count == 1) return marks[0].degrees;
  const bool ascending = marks[count - 1].value >= marks[0].value;
  auto before = [&](double x, double y) { return ascending ? x < y : x > y; };
  if (!before(marks[0].value, value))  // at or beyond the first entry
    return on_segment(marks[0], marks[1], value);
  for (int i = 1; i < count; ++i)
    if (!before(marks[i].value, value)) return on_segment(marks[i - 1], marks[i], value);
  return on_segment(marks[count - 2], marks[count - 1], value);
}

}  // namespace crv5::common
