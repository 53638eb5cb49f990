// Numbers as panel designers write them in panel files, check files and on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gaugehost {

// A decimal number (an optional sign, then a digit or a point), or hexadecimal digits after 0x;
// nothing may follow. Empty when the text is not such a number or not finite.
std::optional<double> parse_number(std::string_view text);

// The same, when the number is whole.
std::optional<int64_t> parse_whole_number(std::string_view text);

}  // namespace gaugehost
