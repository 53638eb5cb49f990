#include "module/text.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace crv5 {

const char* find_command(const char* text, char letter) {
  if (!text) return nullptr;
  const char* found = std::strchr(text, letter);
  if (!found) return nullptr;
  for (char comment : {'/', '#', '\''}) {
    const char* start = std::strchr(text, comment);
    if (start && start <= found) return nullptr;
  }
  return found;
}

int32_t read_int(const char* text) {
  if (!text) return 0;
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  int64_t magnitude = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

int32_t truncate_to_int(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483649.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace crv5
