#include "host/mouse/tooltip.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "host/loader/module_call.h"

namespace gaugehost {

namespace {

// A printf conversion as a tooltip writes it between the exclamation marks: flags, width,
// precision, an optional length modifier, one conversion letter.
struct Conversion {
  std::string printf_flags;  // flags, width and precision, without "%" and length
  char letter = 0;
};

std::optional<Conversion> parse_conversion(std::string_view fmt) {
  size_t i = 0;
  while (i < fmt.size() && std::string_view("-+ #0").find(fmt[i]) != std::string_view::npos) ++i;
  while (i < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[i]))) ++i;
  if (i < fmt.size() && fmt[i] == '.') {
    ++i;
    while (i < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[i]))) ++i;
  }
  Conversion conversion{std::string(fmt.substr(0, i))};
  while (i < fmt.size() && std::string_view("hlLqjzt").find(fmt[i]) != std::string_view::npos) ++i;
  if (i + 1 != fmt.size() ||
      std::string_view("diuxXcoeEfFgGs").find(fmt[i]) == std::string_view::npos)
    return std::nullopt;
  conversion.letter = fmt[i];
  return conversion;
}

std::string print(const std::string& format, auto value) {
  char buffer[512];
  const int n = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
  if (n < 0) return {};
  return std::string(buffer, std::min<size_t>(size_t(n), sizeof buffer - 1));
}

bool is_integer_conversion(char letter) {
  return std::string_view("diuxXco").find(letter) != std::string_view::npos;
}

// One argument printed with one conversion; nullopt when it cannot be.
std::optional<std::string> format_argument(const TooltipArg& arg, const Conversion& conversion,
                                           GaugeHeader* gauge, const VarReader& read) {
  ModuleVar var = arg.source;
  double number = 0;
  if (var.id != 0) number = read(var);
  const std::string format = "%" + conversion.printf_flags;
  if (conversion.letter == 's') {
    if (arg.text) {
      const char* text =
          call_module("tooltip text callback", arg.text, number, 0u, nullptr, &var, gauge);
      return print(format + "s", text ? text : "");
    }
    return print(format + "g", number);
  }
  if (arg.number)
    number = call_module("tooltip number callback", arg.number, number, 0u, nullptr, &var, gauge);
  else if (arg.scale != 0)
    number *= arg.scale;
  if (!is_integer_conversion(conversion.letter)) return print(format + conversion.letter, number);
  const double whole = std::round(number);  // halves away from zero
  if (!(whole >= -9.2e18 && whole <= 9.2e18)) {
    // Beyond the integer range, NaN or infinite: the whole number as "%.0f" prints it ("nan",
    // "inf", "-inf"), with the conversion's flags and width.
    const std::string flags_and_width =
        format.substr(0, std::min(format.find('.'), format.size()));
    return print(flags_and_width + ".0f", std::isnan(whole) ? std::fabs(whole) : whole);
  }
  if (conversion.letter == 'c')
    return print(format + "c", int(static_cast<long long>(whole) & 0xff));
  return print(format + "ll" + conversion.letter, static_cast<long long>(whole));
}

}  // namespace

std::string format_tooltip(const MouseRect& tooltip, GaugeHeader* gauge, const VarReader& read) {
  std::string out;
  if (!tooltip.tooltip_text) return out;
  const std::string_view text(tooltip.tooltip_text);
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '%') {
      out += text[i++];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    // "%N!fmt!"
    size_t j = i + 1;
    int number = 0;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) && number < 1000)
      number = number * 10 + (text[j++] - '0');
    const size_t open = j;
    const size_t close =
        open < text.size() && text[open] == '!' ? text.find('!', open + 1) : std::string_view::npos;
    std::optional<std::string> filled;
    if (j > i + 1 && close != std::string_view::npos && number >= 1 &&
        uint32_t(number) <= tooltip.tooltip_arg_count && tooltip.tooltip_args) {
      if (auto conversion = parse_conversion(text.substr(open + 1, close - open - 1)))
        filled = format_argument(tooltip.tooltip_args[number - 1], *conversion, gauge, read);
    }
    if (filled) {
      out += *filled;
      i = close + 1;
    } else {
      out += text[i++];  // kept as written
    }
  }
  return out;
}

std::string help_text(int32_t help_id) {
  // The host's own short texts for the help ids the Corvane's gauges name.
  static const std::map<int32_t, std::string_view> kTexts = {
      {12369, "Altimeter"},
      {12372, "Altimeter setting knob"},
      {12432, "Turn coordinator"},
      {12434, "Attitude indicator"},
      {12441, "Vertical speed indicator"},
      {12512, "Exhaust gas temperature"},
      {12656, "ADF radio"},
      {12672, "Transponder"},
      {12704, "Throttle"},
      {12728, "Magnetic compass"},
      {12808, "Radio magnetic indicator"},
      {42060, "Start ready light"},
      {42268, "Accelerometer"},
      {42279, "Accelerometer reset"},
      {43777, "ADF card knob"},
      {43809, "Turbine tachometer (corrected N1)"},
      {43810, "Turbine tachometer (corrected N2)"},
      {43820, "Fuel pressure"},
      {43824, "Landing gear lever"},
      {43825, "Landing gear lights"},
      {43834, "Altimeter setting knob"},
      {43848, "Marker beacon light"},
      {43856, "Marker beacon light"},
      {43857, "Parking brake"},
      {43877, "Starter button"},
      {43910, "Display/Hide the Radio subpanel"},
      {43911, "Display/Hide the GPS"},
      {43912, "Display/Hide the Throttle subpanel"},
      {43913, "Display/Hide the Compass"},
      {43914, "Display/Hide the Fuel subpanel"},
      {43915, "Display/Hide the Collective subpanel"},
      {43919, "Display/Hide the Map"},
      {43923, "Display/Hide the Kneeboard"},
      {43924, "Display/Hide the ATC window"},
      {43927, "Speed brake lever"},
  };
  auto found = kTexts.find(help_id);
  if (found != kTexts.end()) return std::string(found->second);
  return "Help text " + std::to_string(help_id);
}

}  // namespace gaugehost
