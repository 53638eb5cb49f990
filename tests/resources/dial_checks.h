// Checks that a dial's artwork agrees with its gauge's records, for every file of dial artwork to
// instantiate with its own scales and needles (the tests are defined in dial_art_test.cpp):
//
//   INSTANTIATE_TEST_SUITE_P(Fuel, Graduations, ::testing::Values(
//       Scale{"Fuel_Quantity", 2030, 2040, 0, 1100, 100, 106, 4}), scale_name);
//   INSTANTIATE_TEST_SUITE_P(Fuel, NeedleReach, ::testing::Values(
//       NeedleBitmap{"Fuel_Quantity", 2040}), needle_name);
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

namespace crv5::testing {

// Marks of one scale: the values that carry a major mark, and a radius crossed by major marks only.
struct Scale {
  const char* gauge;
  int32_t dial;
  int32_t needle;
  double first, last, step;  // values with a major mark
  double probe_radius;
  double miss_degrees;       // an angle off a mark that must fall between marks
  size_t nth = 0;            // which needle drawn from `needle`, in draw order, where several share it
};

// Names the scale in test output rather than dumping its bytes.
inline void PrintTo(const Scale& s, std::ostream* out) { *out << s.gauge << " needle " << s.needle; }
inline std::string scale_name(const ::testing::TestParamInfo<Scale>& info) {
  return std::string(info.param.gauge) + "_" + std::to_string(info.param.needle) +
         (info.param.nth ? "_" + std::to_string(info.param.nth) : "");
}

// Each major mark lies where the needle points for its value, by the gauge's own table and the
// needle rule; beside it, the face is dark.
class Graduations : public ::testing::TestWithParam<Scale> {};

// A needle bitmap of a gauge.
struct NeedleBitmap {
  const char* gauge;
  int32_t bitmap;
};

inline void PrintTo(const NeedleBitmap& n, std::ostream* out) {
  *out << n.gauge << " needle " << n.bitmap;
}
inline std::string needle_name(const ::testing::TestParamInfo<NeedleBitmap>& info) {
  return std::string(info.param.gauge) + "_" + std::to_string(info.param.bitmap);
}

// The needle bitmap, drawn pointing to 3 o'clock from its pivot, reaches the marks of its table's
// points and no further.
class NeedleReach : public ::testing::TestWithParam<NeedleBitmap> {};

}  // namespace crv5::testing
