#include "common/needle_rule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "module/gauge.h"

namespace crv5::common {
namespace {

// The gauge interface's tables, as the module hands them to the rule.
constexpr PixPoint kCentre{100, 100};
constexpr PixPoint kUp{100, 0}, kRight{200, 100}, kDown{100, 200}, kLeft{0, 100};

double angle(std::vector<NonlinearityEntry> table, double value) {
  return needle_angle(table.data(), int(table.size()), kCentre, value);
}

// (Points at 12, 3, 6 and 9 o'clock are 0, 90, 180 and 270 degrees in the tables below.)
TEST(NeedleAngle, PointsAreClockwiseFromTwelveBitmapsWithoutATableFromThreeInOneTurn) {
  EXPECT_NEAR(point_angle(kCentre, PixPoint{0, 0}), 315, 1e-9);
  // Without a table the value turns the bitmap, drawn pointing to 3 o'clock, by as many degrees.
  EXPECT_DOUBLE_EQ(needle_angle<NonlinearityEntry>(nullptr, 0, kCentre, 0), 90);
  EXPECT_DOUBLE_EQ(needle_angle<NonlinearityEntry>(nullptr, 0, kCentre, 45), 135);
  // Angles are reduced to one turn.
  EXPECT_DOUBLE_EQ(normalize_degrees(-90), 270);
  EXPECT_DOUBLE_EQ(normalize_degrees(720), 0);
  EXPECT_DOUBLE_EQ(normalize_degrees(-1e-17), 0);  // not 360
}

TEST(NeedleAngle, WindsPastAFullTurnStopsAndRunsDescendingTablesTheSameWay) {
  using Table = std::vector<NonlinearityEntry>;
  // Every entry is the previous one plus the clockwise turn to it: the table goes on past 360.
  const Table winding = {{kUp, 0}, {kDown, 2}, {kLeft, 3}, {kRight, 5}};
  // Two entries on one point make a stop.
  const Table stops = {{kLeft, -10}, {kLeft, 0}, {kRight, 100}, {kRight, 110}};
  // Values fall along the table, as in a mirrored dial.
  const Table descending = {{kRight, 100}, {kDown, 50}, {kLeft, 0}};
  const Table single = {{kDown, 5}};  // the needle stands at its point whatever the value
  const struct {
    const Table& table;
    double value, angle;
  } cases[] = {
      {winding, 4, 360},    {winding, 6, 540},
      {stops, -50, 270},    {stops, -5, 270},  // held below the first pair
      {stops, 50, 360},     {stops, 105, 450},  {stops, 1000, 450},  // held beyond the last pair
      {descending, 100, 90}, {descending, 75, 135},
      {descending, -50, 360}, {descending, 150, 0},  // beyond the last entry, on at its rate
      {single, 0, 180},     {single, 1e9, 180},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(angle(c.table, c.value), c.angle) << &c - cases;
  EXPECT_DOUBLE_EQ(normalize_degrees(angle(winding, 5.5)), 135);
}

TEST(NeedleAngle, LongTables) {
  // More entries than the rule keeps on its stack: a full turn in 100 steps of 3.6 degrees.
  std::vector<NonlinearityEntry> table;
  for (int i = 0; i <= 100; ++i) {
    const double a = i * 3.6 * M_PI / 180;
    table.push_back({{int32_t(std::lround(100 + 1000 * std::sin(a))),
                      int32_t(std::lround(100 - 1000 * std::cos(a)))}, double(i)});
  }
  EXPECT_NEAR(angle(table, 50), 180, 0.1);
  EXPECT_NEAR(angle(table, 99), 356.4, 0.1);
  EXPECT_NEAR(angle(table, 100), 360, 0.1);  // the last entry is back at 12 o'clock, unwound
}

}  // namespace
}  // namespace crv5::common
