// Tooltips: the texts of the module's tooltip records with their "%N!fmt!" placeholders filled,
// and the host's own short texts for the help ids the module names.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "module/gauge.h"

namespace gaugehost {

struct Tooltip {
  enum class Kind { none, text, help };
  Kind kind = Kind::none;
  std::string text;     // UTF-8: the formatted text, or the host's text for the help id
  int32_t help_id = 0;  // for Kind::help

  bool operator==(const Tooltip&) const = default;
};

// Reads a tooltip argument's source variable (the host's lookup): fills the record and returns
// its value as a number.
using VarReader = std::function<double(ModuleVar&)>;

// Fills the placeholders of a tooltip record's text (kind 4) with its arguments: "%N!fmt!" takes argument N (from 1) and
// prints it with the printf conversion fmt; "d" (and i, u, x, X, o, c) round the number to the
// nearest whole number first, halves away from zero, and print a number beyond the 64-bit range,
// NaN or an infinity as "%.0f" does (the whole number, "nan", "inf", "-inf"); "s" takes the text
// callback's result.
// "%%" is a percent sign. A placeholder that cannot be filled (bad number, bad conversion) is
// kept as written. The result is the library's Windows Latin-1 bytes, not yet converted.
std::string format_tooltip(const MouseRect& tooltip, GaugeHeader* gauge, const VarReader& read);

// The host's own text for a help id; a generic text naming the id for ids it does not know.
std::string help_text(int32_t help_id);

}  // namespace gaugehost
