// Whole numbers as a read-out shows them: what printf's "%*.0f" (or "%0*.0f") writes, without
// printf's cost. Several read-outs format their value every update, and printf's general
// floating-point path was a sixth of a whole simulator cycle.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace crv5::common {

// Writes `value` rounded to a whole number (to the nearest, a half to the even one, as "%.0f"),
// right-aligned in `width` characters and padded with `pad` (' ' as "%*.0f"; '0' as "%0*.0f",
// the zeros after the sign), then a terminating zero: `text` holds at least width + 1 bytes.
// A value that is no number, infinite or whose figures do not fit in `width` writes nothing and
// returns false.
inline bool format_whole_number(double value, char* text, size_t width, char pad = ' ') {
  if (!std::isfinite(value)) return false;
  const double rounded = std::nearbyint(value);
  const double magnitude = std::fabs(rounded);
  if (magnitude >= 1e19) return false;  // more figures than any read-out has
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, uint64_t(magnitude)).ptr;
  const size_t figures = size_t(end - digits);
  const bool negative = std::signbit(rounded);  // "-0" for -0.4, as printf
  const size_t length = figures + (negative ? 1 : 0);
  if (length > width) return false;
  char* out = text;
  if (pad != '0') out = static_cast<char*>(std::memset(out, ' ', width - length)) + width - length;
  if (negative) *out++ = '-';
  if (pad == '0') out = static_cast<char*>(std::memset(out, '0', width - length)) + width - length;
  std::memcpy(out, digits, figures);
  out[figures] = '\0';
  return true;
}

}  // namespace crv5::common
