// The needle rule: where a needle points for a value, by its nonlinearity table. The host turns
// its needles by it and the artwork places every graduation by it, so that a needle always meets
// the mark of its value.
//
// Angles are degrees clockwise from 12 o'clock, screen y growing downwards. A table's entries run
// clockwise in table order: each entry's angle is the previous one plus the clockwise turn to its
// point (0 up to but excluding 360), so a table may wind past 360 and two entries on one point
// make a stop. Values between entries are interpolated linearly; values beyond the ends carry on
// along the end segment at its rate. Without a table the value is the angle itself, measured from
// the needle bitmap's own direction (3 o'clock): 90 + value.
//
// The rule reads any table whose entries have `.point.x`, `.point.y` (pixels) and `.value`, about
// a centre with `.x` and `.y`: the gauge interface's NonlinearityEntry and PixPoint among them.
#pragma once

#include <cstddef>
#include <vector>

namespace crv5::common {

// An angle reduced to [0, 360).
double normalize_degrees(double degrees);

// The angle of the point (x, y) seen from (cx, cy).
double point_angle(double cx, double cy, double x, double y);

template <class Centre, class Point>
double point_angle(const Centre& centre, const Point& point) {
  return point_angle(double(centre.x), double(centre.y), double(point.x), double(point.y));
}

// One entry of a table as the rule sees it: its value and its unwound angle.
struct NeedleMark {
  double value;
  double degrees;
};

// The entries of a table (at least one) unwound into marks, in table order: each entry's angle is
// the previous one plus the clockwise turn to its point. A host that turns the same needle cycle
// after cycle unwinds its table once and keeps the marks.
template <class Entry, class Centre>
void unwind_table(const Entry* table, int count, const Centre& centre, NeedleMark* marks) {
  double previous = point_angle(centre, table[0].point);
  marks[0] = {double(table[0].value), previous};
  double unwound = previous;
  for (int i = 1; i < count; ++i) {
    const double here = point_angle(centre, table[i].point);
    // Two entries on one point make a stop: no turn at all, whatever precision the floating-point
    // unit keeps the two angles in (the x87 of a 32-bit build may hold one of them wider and
    // leave a hair's difference that would read as a whole turn).
    const bool same_point = table[i].point.x == table[i - 1].point.x &&
                            table[i].point.y == table[i - 1].point.y;
    unwound += same_point ? 0.0 : normalize_degrees(here - previous);
    marks[i] = {double(table[i].value), unwound};
    previous = here;
  }
}

// The rule over a table's marks (at least one).
double angle_between_marks(const NeedleMark* marks, int count, double value);

template <class Entry, class Centre>
double needle_angle(const Entry* table, int count, const Centre& centre, double value) {
  if (!table || count <= 0) return 90.0 + value;
  NeedleMark local[64];
  std::vector<NeedleMark> spill;
  NeedleMark* marks = local;
  if (count > 64) {
    spill.resize(std::size_t(count));
    marks = spill.data();
  }
  unwind_table(table, count, centre, marks);
  return angle_between_marks(marks, count, value);
}

}  // namespace crv5::common
