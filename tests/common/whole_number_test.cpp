#include "common/whole_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

using crv5::common::format_whole_number;

// What printf writes for the value, or "" where format_whole_number must refuse it.
std::string printf_text(double value, size_t width, char pad) {
  char text[64];
  std::snprintf(text, sizeof text, pad == '0' ? "%0*.0f" : "%*.0f", int(width), value);
  return std::isfinite(value) && std::string(text).size() <= width ? text : "";
}

std::string whole_text(double value, size_t width, char pad) {
  char text[32];
  std::memset(text, 'x', sizeof text);
  if (!format_whole_number(value, text, width, pad)) {
    EXPECT_EQ(text[0], 'x') << "a refused value writes nothing";
    return "";
  }
  return text;
}

TEST(WholeNumber, WritesWhatPrintfWrites) {
  const double kCases[] = {
      0, -0.0, 0.4, -0.4, 0.5, -0.5, 1.5, 2.5, -2.5, 3.5, 0.49999999999999994,  // ties to even
      999.5, 12345.6, -9999.4, 99999.5, 123456, -10000, 1234567, 4503599627370495.5,
      1e15, 1e17, 1e18, 1e300, -1e300, DBL_MIN, std::numeric_limits<double>::denorm_min(),
      std::nan(""), std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity()};
  for (const char pad : {' ', '0'})
    for (const size_t width : {3u, 5u, 6u, 20u})
      for (const double value : kCases)
        EXPECT_EQ(whole_text(value, width, pad), printf_text(value, width, pad))
            << value << " in " << width << " padded with '" << pad << "'";
}

}  // namespace
