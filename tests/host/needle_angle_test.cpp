#include "host/eval/needle_angle.h"

#include <gtest/gtest.h>

namespace gaugehost {
namespace {

constexpr PixPoint kCentre{100, 100};
constexpr PixPoint kUp{100, 0}, kRight{200, 100}, kDown{100, 200}, kLeft{0, 100};

double angle(std::vector<NonlinearityEntry> table, double value) {
  return needle_angle(table.data(), int(table.size()), kCentre, value);
}

TEST(NeedleAngle, PointsAreClockwiseFromTwelveAndBitmapsWithoutATableFromThree) {
  EXPECT_DOUBLE_EQ(point_angle(kCentre, kUp), 0);
  EXPECT_DOUBLE_EQ(point_angle(kCentre, kRight), 90);
  EXPECT_DOUBLE_EQ(point_angle(kCentre, kDown), 180);
  EXPECT_DOUBLE_EQ(point_angle(kCentre, kLeft), 270);
  EXPECT_NEAR(point_angle(kCentre, {0, 0}), 315, 1e-9);
  // Without a table the value turns the bitmap, drawn pointing to 3 o'clock, by as many degrees.
  EXPECT_DOUBLE_EQ(needle_angle(nullptr, 0, kCentre, 0), 90);
  EXPECT_DOUBLE_EQ(needle_angle(nullptr, 0, kCentre, 45), 135);
}

TEST(NeedleAngle, WindsPastAFullTurn) {
  // Every entry is the previous one plus the clockwise turn to it, so the table goes on past 360.
  const std::vector<NonlinearityEntry> table = {{kUp, 0}, {kDown, 2}, {kLeft, 3}, {kRight, 5}};
  EXPECT_DOUBLE_EQ(angle(table, 4), 360);
  EXPECT_DOUBLE_EQ(angle(table, 6), 540);
  EXPECT_DOUBLE_EQ(normalize_degrees(angle(table, 5.5)), 135);
}

TEST(NeedleAngle, TwoEntriesOnOnePointMakeAStop) {
  const std::vector<NonlinearityEntry> table = {
      {kLeft, -10}, {kLeft, 0}, {kRight, 100}, {kRight, 110}};
  EXPECT_DOUBLE_EQ(angle(table, -50), 270);  // held below the first pair
  EXPECT_DOUBLE_EQ(angle(table, -5), 270);
  EXPECT_DOUBLE_EQ(angle(table, 50), 360);   // through 12 o'clock
  EXPECT_DOUBLE_EQ(angle(table, 105), 450);
  EXPECT_DOUBLE_EQ(angle(table, 1000), 450);  // held beyond the last pair
}

TEST(NeedleAngle, DescendingTablesRunTheSameWay) {
  // Values fall along the table, as in a mirrored dial.
  const std::vector<NonlinearityEntry> table = {{kRight, 100}, {kDown, 50}, {kLeft, 0}};
  EXPECT_DOUBLE_EQ(angle(table, 100), 90);
  EXPECT_DOUBLE_EQ(angle(table, 75), 135);
  EXPECT_DOUBLE_EQ(angle(table, -50), 360);  // beyond the last entry, on at its rate
  EXPECT_DOUBLE_EQ(angle(table, 150), 0);
}

}  // namespace
}  // namespace gaugehost
