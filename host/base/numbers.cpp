#include "host/base/numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace gaugehost {

std::optional<double> parse_number(std::string_view text) {
  bool negative = false;
  if (text.starts_with("-") || text.starts_with("+")) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const char* end = text.data() + text.size();
  double value = 0;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    uint64_t digits = 0;
    auto [rest, error] = std::from_chars(text.data(), end, digits, 16);
    if (text.empty() || error != std::errc() || rest != end) return std::nullopt;
    value = double(digits);
  } else {
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
      return std::nullopt;
    auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end || !std::isfinite(value)) return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<int64_t> parse_whole_number(std::string_view text) {
  const std::optional<double> value = parse_number(text);
  if (!value || *value != std::trunc(*value) || std::fabs(*value) > 9.0e18) return std::nullopt;
  return int64_t(*value);
}

}  // namespace gaugehost
