// Small text helpers the host's readers share: ASCII case folding (panel.cfg keys, idents and
// module names, host names are matched without regard to case), trimming blanks and two-digit
// section numbers.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace gaugehost {

inline std::string lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return result;
}

inline bool equal_nocase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// `text` without the spaces, tabs and line ends around it.
inline std::string_view trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// "05" for 5, "12" for 12: the NN of [WindowNN] and gaugeNN.
inline std::string two_digits(int number) {
  return (number < 10 ? "0" : "") + std::to_string(number);
}

}  // namespace gaugehost
