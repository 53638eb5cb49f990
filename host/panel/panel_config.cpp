#include "host/panel/panel_config.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>

#include "host/base/host_error.h"
#include "host/base/input_file.h"

namespace gaugehost {

namespace {

struct PanelName {
  std::string_view name;
  int32_t id;
};

// The simulator's panel ids, by the names the panel toggle buttons use too.
constexpr std::array<PanelName, 11> kPanelNames = {{
    {"MAIN_PANEL", 0},
    {"RADIO_STACK_PANEL", 50},
    {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125},
    {"ANNUNCIATOR2_PANEL", 150},
    {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},
    {"MINI_CONTROLS_PANEL", 100},
    {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},
    {"OVERHEAD_PANEL", 250},
}};

// A window without an ident: Window00 is the main panel, WindowNN otherwise gets 10000 + NN.
constexpr int32_t kUnnamedIdentBase = 10000;
// The highest NN of [WindowNN] and gaugeNN, which keeps 10000 + NN clear of other ids.
constexpr int kMaxSectionNumber = 9999;

std::string_view trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string two_digits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

std::string lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return result;
}

bool equal_nocase(std::string_view a, std::string_view b) { return lower(a) == lower(b); }

// Cuts a trailing "//" or ";" comment.
std::string_view strip_comment(std::string_view text) {
  const size_t slashes = text.find("//");
  const size_t semicolon = text.find(';');
  return trim(text.substr(0, std::min(slashes, semicolon)));
}

bool is_comment(std::string_view line) { return line.starts_with("//") || line.starts_with(";"); }

class Reader {
 public:
  Reader(const std::filesystem::path& file) { config_.file = file; }

  void line(std::string_view text, int number) {
    number_ = number;
    text = trim(text);
    if (text.empty() || is_comment(text)) return;
    if (text.front() == '[') return section(text);
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos || trim(text.substr(0, equals)).empty())
      fail("expected a [section] or KEY=VALUE, got " + quote_input(text));
    const std::string key = lower(trim(text.substr(0, equals)));
    const std::string_view value = trim(text.substr(equals + 1));
    switch (section_) {
      case Section::none:
        fail(quote_input(key) + " outside any section");
      case Section::titles:
        return title(key, value);
      case Section::window:
        return window_key(key, value);
      case Section::other:
        return;  // sections this host does not use ([Views], [Color], ...)
    }
  }

  PanelConfig finish() {
    if (config_.windows.empty())
      throw HostError(config_.file.string() +
                      ": no [WindowNN] section, so the panel has no window to show");
    for (WindowConfig& window : config_.windows) {
      auto title = titles_.find(window.number);
      // A window whose title is left empty is called WindowNN, as one without a title.
      const bool titled = title != titles_.end() && !title->second.empty();
      window.title = titled ? title->second : "Window" + two_digits(window.number);
      if (!window.ident_given)
        window.ident = window.number == 0 ? 0 : kUnnamedIdentBase + window.number;
    }
    return std::move(config_);
  }

 private:
  enum class Section { none, titles, window, other };

  [[noreturn]] void fail(const std::string& problem) const { fail_at(number_, problem); }
  [[noreturn]] void fail_at(int line, const std::string& problem) const {
    throw HostError(config_.file.string() + ":" + std::to_string(line) + ": " + problem);
  }

  void section(std::string_view text) {
    const size_t close = text.find(']');
    if (close == std::string_view::npos) fail("section header without \"]\"");
    if (!strip_comment(text.substr(close + 1)).empty())
      fail("unexpected text after the section header");
    const std::string name = lower(trim(text.substr(1, close - 1)));
    if (name == "window titles") {
      section_ = Section::titles;
    } else if (name.starts_with("window")) {
      const int number = window_number(name, text.substr(0, close + 1));
      for (const WindowConfig& window : config_.windows)
        if (window.number == number)
          fail("[Window" + two_digits(number) + "] appears twice (first on line " +
               std::to_string(window.line) + ")");
      section_ = Section::window;
      config_.windows.push_back(WindowConfig{.number = number, .line = number_});
    } else {
      section_ = Section::other;
    }
  }

  // The NN of "prefixNN", if `key` is the prefix followed by one to four digits.
  static std::optional<int> numbered(std::string_view key, std::string_view prefix) {
    if (!key.starts_with(prefix)) return std::nullopt;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.empty() || digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    int number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
  }

  // The NN of a [WindowNN] header (`name` in lower case, `header` as written).
  int window_number(std::string_view name, std::string_view header) const {
    if (auto number = numbered(name, "window")) return *number;
    fail("bad section " + quote_input(header) +
         ", expected [WindowNN] with NN a number from 0 to " + std::to_string(kMaxSectionNumber) +
         ", or [Window Titles]");
  }

  void title(const std::string& key, std::string_view value) {
    auto number = numbered(key, "window");
    if (!number)
      fail("expected WindowNN=title in [Window Titles] with NN a number from 0 to " +
           std::to_string(kMaxSectionNumber) + ", got " + quote_input(key));
    titles_[*number] = std::string(value);
  }

  int32_t integer(std::string_view text, std::string_view what) const {
    text = trim(text);
    int32_t value = 0;
    auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || rest != text.data() + text.size())
      fail("bad " + std::string(what) + " " + quote_input(text) + ", expected a whole number" +
           (error == std::errc::result_out_of_range ? " that fits 32 bits" : ""));
    return value;
  }

  // A whole number from `low` to `high`.
  int32_t integer_between(std::string_view text, std::string_view what, int32_t low,
                          int32_t high) const {
    const int32_t value = integer(text, what);
    if (value < low || value > high)
      fail("bad " + std::string(what) + " " + quote_input(trim(text)) + ", expected " +
           std::to_string(low) + " to " + std::to_string(high));
    return value;
  }

  // WIDTH,HEIGHT in window pixels, each from 1 to kMaxWindowPixels.
  std::pair<int32_t, int32_t> size(std::string_view text, std::string_view what) const {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
      fail("bad " + std::string(what) + " " + quote_input(text) + ", expected WIDTH,HEIGHT");
    return {integer_between(text.substr(0, comma), what, 1, kMaxWindowPixels),
            integer_between(text.substr(comma + 1), what, 1, kMaxWindowPixels)};
  }

  void window_key(const std::string& key, std::string_view value) {
    WindowConfig& window = config_.windows.back();
    if (key.starts_with("gauge")) {
      const std::optional<int> number = numbered(key, "gauge");
      if (!number)
        fail("bad key " + quote_input(key) + ", expected gaugeNN with NN a number from 0 to " +
             std::to_string(kMaxSectionNumber));
      window.gauges.push_back(gauge_line(value));
      window.gauges.back().number = *number;
      return;
    }
    value = strip_comment(value);
    if (key == "file") {
      window.file = std::string(value);
    } else if (key == "size_mm") {
      window.size_mm = size(value, "size_mm");
    } else if (key == "window_size") {
      window.window_size = size(value, "window_size");
    } else if (key == "position") {
      window.position = integer(value, "position");
    } else if (key == "visible") {
      const int32_t visible = integer(value, "visible");
      if (visible != 0 && visible != 1)
        fail("bad visible " + quote_input(value) + ", expected 0 or 1");
      window.visible = visible == 1;
    } else if (key == "ident") {
      ident(window, value);
    }
    // Other keys of the simulator's dialect (background_color, zorder, ...) do not matter here.
  }

  void ident(WindowConfig& window, std::string_view value) {
    if (value.empty()) fail("ident without a value");
    window.ident_given = true;
    if (auto id = panel_id_for_name(value)) {
      window.ident = *id;
      window.ident_name = std::string(panel_name_for_id(*id));
      return;
    }
    if (std::isdigit(static_cast<unsigned char>(value.front())) || value.front() == '-') {
      window.ident = integer(value, "ident");
      window.ident_name = std::string(panel_name_for_id(window.ident));
      return;
    }
    fail("unknown ident " + quote_input(value) +
         ", expected a panel name such as MAIN_PANEL or a number");
  }

  GaugePlacement gauge_line(std::string_view value) const {
    // The parameter text is everything after the fifth comma; before it, a "//" or ";" ends the
    // line.
    size_t fifth = std::string_view::npos;
    for (size_t at = 0, commas = 0; at < value.size(); ++at)
      if (value[at] == ',' && ++commas == 5) {
        fifth = at;
        break;
      }
    std::string_view head = value.substr(0, fifth);
    GaugePlacement placement{.line = number_};
    const size_t comment = std::min(head.find("//"), head.find(';'));
    if (comment != std::string_view::npos) {
      head = head.substr(0, comment);
    } else if (fifth != std::string_view::npos) {
      placement.parameters = std::string(trim(value.substr(fifth + 1)));
    }

    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
      const size_t comma = head.find(',', start);
      fields.push_back(trim(head.substr(start, comma - start)));
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
    const std::string_view name = fields[0];
    const size_t bang = name.find('!');
    if (bang == std::string_view::npos || bang == 0 || bang + 1 == name.size())
      fail("expected gaugeNN=module!gauge, x, y, width[, height][, parameters], got " +
           quote_input(value));
    placement.module = std::string(trim(name.substr(0, bang)));
    placement.gauge = std::string(trim(name.substr(bang + 1)));
    if (placement.module.empty() || placement.gauge.empty())
      fail("expected gaugeNN=module!gauge, x, y, width[, height][, parameters], got " +
           quote_input(value));
    if (fields.size() < 4)
      fail("gauge " + quote_input(placement.gauge) + " needs x, y and width after its name");
    placement.x = integer_between(fields[1], "x", -kMaxWindowPixels, kMaxWindowPixels);
    placement.y = integer_between(fields[2], "y", -kMaxWindowPixels, kMaxWindowPixels);
    placement.w = integer_between(fields[3], "width", 1, kMaxWindowPixels);
    if (fields.size() > 4 && !fields[4].empty())
      placement.h = integer_between(fields[4], "height", 1, kMaxWindowPixels);
    return placement;
  }

  PanelConfig config_;
  std::map<int, std::string> titles_;
  Section section_ = Section::none;
  int number_ = 0;
};

}  // namespace

std::optional<int32_t> panel_id_for_name(std::string_view name) {
  for (const PanelName& entry : kPanelNames)
    if (equal_nocase(entry.name, name)) return entry.id;
  return std::nullopt;
}

std::string_view panel_name_for_id(int32_t id) {
  for (const PanelName& entry : kPanelNames)
    if (entry.id == id) return entry.name;
  return {};
}

std::optional<PanelNameMatch> panel_name_at_start(std::string_view text) {
  for (const PanelName& entry : kPanelNames)
    if (text.starts_with(entry.name)) return PanelNameMatch{entry.id, entry.name.size()};
  return std::nullopt;
}

std::vector<PanelProblem> shared_idents(const PanelConfig& config) {
  std::vector<PanelProblem> problems;
  for (size_t i = 0; i < config.windows.size(); ++i)
    for (size_t j = 0; j < i; ++j)
      if (config.windows[i].ident == config.windows[j].ident) {
        problems.push_back({config.windows[i].line,
                            "[Window" + two_digits(config.windows[i].number) + "] has ident " +
                                std::to_string(config.windows[i].ident) +
                                ", already used by [Window" +
                                two_digits(config.windows[j].number) + "]"});
        break;
      }
  return problems;
}

PanelConfig parse_panel_config(std::string_view text, const std::filesystem::path& file) {
  PanelConfig config = parse_panel_config_lines(text, file);
  const std::vector<PanelProblem> problems = shared_idents(config);
  if (!problems.empty())
    throw HostError(file.string() + ":" + std::to_string(problems[0].line) + ": " +
                    problems[0].problem);
  return config;
}

PanelConfig parse_panel_config_lines(std::string_view text, const std::filesystem::path& file) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark
  Reader reader(file);
  int number = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    reader.line(text.substr(start, end - start), ++number);
    start = end + 1;
  }
  return reader.finish();
}

PanelConfig read_panel_config(const std::filesystem::path& file) {
  return parse_panel_config(read_input_file(file, "panel configuration"), file);
}

}  // namespace gaugehost
