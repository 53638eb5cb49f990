#include "host/panel/panel_config.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <tuple>

#include "common/latin1.h"
#include "common/parameter_text.h"
#include "host/base/host_error.h"
#include "host/base/input_file.h"
#include "host/base/text.h"

namespace gaugehost {

namespace {

using crv5::parameter_text::kPanelNames;
using crv5::parameter_text::PanelName;

// A window without an ident: Window00 is the main panel, WindowNN otherwise gets 10000 + NN.
constexpr int32_t kUnnamedIdentBase = 10000;
// Idents of names the table lacks: 30000 for the first such name, 30001 for the next, ...
constexpr int32_t kUnknownNameIdentBase = 30000;
// Virtual cockpits: 40000 + NN.
constexpr int32_t kVcockpitIdentBase = 40000;
// The highest NN of [WindowNN], [VcockpitNN] and gaugeNN, which keeps the ids above apart.
constexpr int kMaxSectionNumber = 9999;
// window_size and window_pos: fractions of the screen.
constexpr double kMaxWindowFraction = 4;

bool valid_utf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const size_t length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3
                                          : (byte >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return false;
    for (size_t i = 1; i < length; ++i)
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    at += length;
  }
  return true;
}

std::string quote_text(std::string_view text) { return quote_input(display_text(text)); }

// A file saved as UTF-16 (little-endian, with its byte-order mark) as 8-bit text: characters
// beyond Latin-1 become "?".
std::string from_utf16(std::string_view text) {
  std::string out;
  for (size_t at = 2; at + 1 < text.size(); at += 2) {
    const unsigned code = static_cast<unsigned char>(text[at]) |
                          static_cast<unsigned char>(text[at + 1]) << 8;
    out += code < 0x100 ? char(code) : '?';
  }
  return out;
}

// Cuts a trailing "//" or ";" comment.
std::string_view strip_comment(std::string_view text) {
  const size_t slashes = text.find("//");
  const size_t semicolon = text.find(';');
  return trim(text.substr(0, std::min(slashes, semicolon)));
}

bool is_comment(std::string_view line) { return line.starts_with("//") || line.starts_with(";"); }

// The comma-separated fields of `text`, trimmed.
std::vector<std::string_view> fields_of(std::string_view text) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(trim(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// A number of the file: all of `text`, finite.
std::optional<double> number(std::string_view text) {
  double value = 0;
  auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || rest != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

// A whole number of the file: all of `text`.
std::optional<int64_t> whole(std::string_view text) {
  int64_t value = 0;
  auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || rest != text.data() + text.size())
    return std::nullopt;
  return value;
}

// The NN of "prefixNN", if `key` is the prefix followed by one to four digits.
std::optional<int> numbered(std::string_view key, std::string_view prefix) {
  if (!key.starts_with(prefix)) return std::nullopt;
  const std::string_view digits = key.substr(prefix.size());
  if (digits.empty() || digits.size() > 4 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return int(*whole(digits));
}

// Thrown inside the reader for a line it reads over; caught for every line.
struct Unusable {
  std::string problem;
  PanelTopic topic = PanelTopic::lines;
};

class Reader {
 public:
  explicit Reader(const std::filesystem::path& file) { config_.file = file; }

  void line(std::string_view text, int number) {
    number_ = number;
    text = trim(text);
    if (text.empty() || is_comment(text)) return;
    try {
      if (text.front() == '[') return section(text);
      const size_t equals = text.find('=');
      if (equals == std::string_view::npos || trim(text.substr(0, equals)).empty())
        throw Unusable{"neither a [section] nor KEY=VALUE: " + quote_text(text) + " is read over"};
      const std::string key = lower(trim(text.substr(0, equals)));
      const std::string_view value = trim(text.substr(equals + 1));
      switch (section_) {
        case Section::none:
          throw Unusable{quote_text(key) + " outside any section is read over"};
        case Section::titles:
          return title(key, value);
        case Section::window:
          return window_key(key, value);
        case Section::views:
          return view_key(key, value);
        case Section::other:
          return;  // sections this host does not use ([Color], [Default View], ...)
      }
    } catch (const Unusable& unusable) {
      warn(number_, unusable.problem, unusable.topic);
    }
  }

  PanelConfig finish() {
    choose_windows();
    for (WindowConfig& window : config_.vcockpits) {
      window.title = "Vcockpit" + two_digits(window.number);
      window.ident = kVcockpitIdentBase + window.number;
    }
    shared_idents();
    sort_by_line(config_.warnings);
    if (config_.windows.empty() && config_.vcockpits.empty())
      throw HostError(config_.file.string() + ": " + no_window_reason());
    return std::move(config_);
  }

 private:
  enum class Section { none, titles, window, views, other };
  struct Title {
    std::string text;
    int line;
  };

  void warn(int line, std::string problem, PanelTopic topic = PanelTopic::lines) {
    config_.warnings.push_back({line, std::move(problem), topic});
  }

  void section(std::string_view text) {
    section_ = Section::other;
    keys_.clear();
    const size_t close = text.find(']');
    if (close == std::string_view::npos)
      throw Unusable{"section header without \"]\"; its lines are read over"};
    if (!strip_comment(text.substr(close + 1)).empty())
      warn(number_, "text after the section header is read over");
    const std::string name = lower(trim(text.substr(1, close - 1)));
    if (name == "window titles") {
      section_ = Section::titles;
      config_.titled = true;
    } else if (name == "views") {
      section_ = Section::views;
    } else if (name.starts_with("window") || name.starts_with("vcockpit")) {
      panel_section(name, text.substr(0, close + 1));
    }
  }

  void panel_section(std::string_view name, std::string_view header) {
    const bool vcockpit = name.starts_with("vcockpit");
    const std::optional<int> number = numbered(name, vcockpit ? "vcockpit" : "window");
    if (!number)
      throw Unusable{"bad section " + quote_text(header) + ", expected [WindowNN] or [VcockpitNN] " +
                     "with NN a number from 0 to " + std::to_string(kMaxSectionNumber) +
                     "; its lines are read over"};
    std::vector<WindowConfig>& list = vcockpit ? config_.vcockpits : sections_;
    for (const WindowConfig& window : list)
      if (window.number == *number)
        throw Unusable{section_name(window) + " appears twice (first on line " +
                       std::to_string(window.line) + "); the simulator reads the first, so " +
                       "these lines are read over"};
    section_ = Section::window;
    list.push_back(WindowConfig{.number = *number, .vcockpit = vcockpit, .line = number_});
    window_ = &list.back();
  }

  void title(const std::string& key, std::string_view value) {
    const std::optional<int> number = numbered(key, "window");
    if (!number)
      throw Unusable{"expected WindowNN=title in [Window Titles] with NN a number from 0 to " +
                         std::to_string(kMaxSectionNumber) + ", got " + quote_text(key),
                     PanelTopic::titles};
    if (auto [at, fresh] = titles_.try_emplace(*number, Title{display_text(value), number_}); !fresh)
      throw Unusable{"Window" + two_digits(*number) + " has a title already (line " +
                         std::to_string(at->second.line) + "); this one is read over",
                     PanelTopic::titles};
  }

  void view_key(const std::string& key, std::string_view value) {
    if (key != "view_forward_windows") return;
    for (std::string_view ident : fields_of(strip_comment(value)))
      if (!ident.empty()) config_.forward_windows.push_back({std::string(ident), number_});
  }

  // --- Window keys ---

  void window_key(const std::string& key, std::string_view value) {
    WindowConfig& window = *window_;
    if (key.starts_with("gauge")) {
      const std::optional<int> number = numbered(key, "gauge");
      if (!number)
        throw Unusable{"bad key " + quote_text(key) + ", expected gaugeNN with NN a number from 0 " +
                       "to " + std::to_string(kMaxSectionNumber) + "; the gauge is not placed"};
      window.gauges.push_back(gauge_line(value));
      window.gauges.back().number = *number;
      return;
    }
    // Of a key written twice, the simulator reads the first.
    if (auto [at, fresh] = keys_.try_emplace(key, number_); !fresh)
      throw Unusable{quote_text(key) + " is given already on line " + std::to_string(at->second) +
                     ", which counts"};
    value = strip_comment(value);
    if (key == "file" || key.starts_with("file_")) {
      file_key(window, key, value);
    } else if (key == "size_mm") {
      size_mm(window, value);
    } else if (key == "window_size") {
      window_size(window, value);
    } else if (key == "window_pos") {
      const auto [x, y] = fractions(value, "window_pos", -kMaxWindowFraction, true);
      window.window_pos = {x, *y};
    } else if (key == "position") {
      window.position = int32_t(whole_between(value, "position", 0, 8));
    } else if (key == "visible") {
      window.visible = whole_between(value, "visible", 0, 1) == 1;
    } else if (key == "ident") {
      ident(window, value);
    } else if (key == "background_color") {
      background_color(window, value);
    } else if (key == "texture") {
      window.texture = std::string(value);
    } else if (key == "pixel_size") {
      window.pixel_size = size_pair(value, "pixel_size");
    }
    // Other keys of the simulator's dialect (zorder, nomenu, sizeable, ...) do not matter here.
  }

  static void file_key(WindowConfig& window, const std::string& key, std::string_view value) {
    int width = 0;
    if (key != "file") {
      const std::optional<int64_t> number = whole(std::string_view(key).substr(5));
      if (!number || *number < 1 || *number > 100000)
        throw Unusable{"bad key " + quote_text(key) + ", expected file= or file_NNNN= with NNNN a " +
                       "screen width"};
      width = int(*number);
    }
    window.files[width] = std::string(value);
  }

  int64_t whole_between(std::string_view text, std::string_view what, int64_t low,
                        int64_t high) const {
    const std::optional<int64_t> value = whole(trim(text));
    if (!value || *value < low || *value > high)
      throw Unusable{"bad " + std::string(what) + " " + quote_text(trim(text)) + ", expected a " +
                     "whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                     "; the line is read over"};
    return *value;
  }

  // A size of the coordinate space: a number from 1 to kMaxWindowPixels, rounded.
  int32_t space_units(std::string_view text, std::string_view what) const {
    const std::optional<double> value = number(text);
    if (!value || !(*value >= 0.5 && *value < kMaxWindowPixels + 0.5))
      throw Unusable{"bad " + std::string(what) + " " + quote_text(text) + ", expected a number " +
                         "from 1 to " + std::to_string(kMaxWindowPixels) +
                         "; the line is read over",
                     PanelTopic::sizes};
    return int32_t(std::lround(*value));
  }

  std::pair<int32_t, int32_t> size_pair(std::string_view text, std::string_view what) const {
    const std::vector<std::string_view> fields = fields_of(text);
    if (fields.size() != 2)
      throw Unusable{"bad " + std::string(what) + " " + quote_text(text) + ", expected WIDTH,HEIGHT",
                     PanelTopic::sizes};
    return {space_units(fields[0], what), space_units(fields[1], what)};
  }

  void size_mm(WindowConfig& window, std::string_view value) const {
    const std::vector<std::string_view> fields = fields_of(value);
    if (fields.size() > 2 || fields[0].empty())
      throw Unusable{"bad size_mm " + quote_text(value) + ", expected WIDTH[,HEIGHT]",
                     PanelTopic::sizes};
    window.size_mm_width = space_units(fields[0], "size_mm");
    if (fields.size() == 2 && !fields[1].empty())
      window.size_mm_height = space_units(fields[1], "size_mm");
  }

  // X[,Y] as fractions of the screen, each above `low` (at or above it when `low` is below 0) and
  // at most kMaxWindowFraction; `both` when Y is needed.
  std::pair<double, std::optional<double>> fractions(std::string_view value, std::string_view what,
                                                     double low, bool both) const {
    const std::vector<std::string_view> fields = fields_of(value);
    std::vector<double> numbers;
    for (std::string_view field : fields)
      if (const std::optional<double> read = number(field);
          read && (*read > low || (low < 0 && *read == low)) && *read <= kMaxWindowFraction)
        numbers.push_back(*read);
    if (numbers.size() != fields.size() || numbers.size() > 2 || (both && numbers.size() != 2))
      throw Unusable{"bad " + std::string(what) + " " + quote_text(value) + ", expected " +
                         (both ? "X,Y" : "WIDTH[,HEIGHT]") + " as fractions of the screen (" +
                         "1.0 is all of it); the line is read over",
                     PanelTopic::sizes};
    return {numbers[0], numbers.size() == 2 ? std::optional<double>(numbers[1]) : std::nullopt};
  }

  void window_size(WindowConfig& window, std::string_view value) const {
    const auto [width, height] = fractions(value, "window_size", 0, false);
    window.window_width = width;
    window.window_height = height;
  }

  void background_color(WindowConfig& window, std::string_view value) const {
    const std::vector<std::string_view> fields = fields_of(value);
    if (fields.size() != 3)
      throw Unusable{"bad background_color " + quote_text(value) + ", expected RED,GREEN,BLUE"};
    window.background_color =
        Rgb{uint8_t(whole_between(fields[0], "red", 0, 255)),
            uint8_t(whole_between(fields[1], "green", 0, 255)),
            uint8_t(whole_between(fields[2], "blue", 0, 255))};
  }

  void ident(WindowConfig& window, std::string_view value) {
    if (value.empty()) throw Unusable{"ident without a value; the window keeps its own"};
    window.ident_given = true;
    if (auto id = panel_id_for_name(value)) {
      window.ident = *id;
      window.ident_name = std::string(panel_name_for_id(*id));
    } else if (auto id = whole(value); id && *id >= INT32_MIN && *id <= INT32_MAX) {
      window.ident = int32_t(*id);
      window.ident_name = std::string(panel_name_for_id(window.ident));
    } else {
      // A name of the panel's own: the same name, the same id.
      auto [at, fresh] = unknown_names_.try_emplace(
          lower(value), kUnknownNameIdentBase + int32_t(unknown_names_.size()));
      window.ident = at->second;
      window.ident_name = display_text(value);
      window.ident_unknown = true;
    }
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

    const std::vector<std::string_view> fields = fields_of(head);
    const std::string_view name = fields[0];
    const size_t bang = name.find('!');
    const std::string_view module = trim(name.substr(0, bang));
    const std::string_view gauge = bang == name.npos ? "" : trim(name.substr(bang + 1));
    if (module.empty() || gauge.empty())
      throw Unusable{"expected gaugeNN=module!gauge, x, y[, width[, height]][, parameters], got " +
                         quote_text(value) + "; the gauge is not placed",
                     PanelTopic::placement};
    placement.module = std::string(module);
    placement.gauge = std::string(gauge);
    if (fields.size() < 3)
      throw Unusable{"gauge " + quote_text(gauge) + " needs x and y after its name; it is not placed",
                     PanelTopic::placement};
    placement.x = int32_t(coordinate(fields[1], "x", -kMaxWindowPixels, gauge));
    placement.y = int32_t(coordinate(fields[2], "y", -kMaxWindowPixels, gauge));
    if (fields.size() > 3 && !fields[3].empty())
      placement.w = int32_t(coordinate(fields[3], "width", 1, gauge));
    if (fields.size() > 4 && !fields[4].empty())
      placement.h = int32_t(coordinate(fields[4], "height", 1, gauge));
    return placement;
  }

  int64_t coordinate(std::string_view text, std::string_view what, int64_t low,
                     std::string_view gauge) const {
    const std::optional<double> value = number(text);
    if (!value || std::lround(*value) < low || std::lround(*value) > kMaxWindowPixels)
      throw Unusable{"bad " + std::string(what) + " " + quote_text(text) + " of gauge " +
                         quote_text(gauge) + ", expected a number from " + std::to_string(low) +
                         " to " + std::to_string(kMaxWindowPixels) + "; the gauge is not placed",
                     PanelTopic::placement};
    return std::lround(*value);
  }

  // --- The panel as a whole ---

  // The simulator loads the windows that [Window Titles] names, from Window00 to the first gap.
  // Without a [Window Titles] section, every [WindowNN] is loaded.
  void choose_windows() {
    if (!config_.titled) {
      config_.windows = std::move(sections_);
      for (WindowConfig& window : config_.windows) finish_window(window, "");
      return;
    }
    int run = 0;  // Window00 .. Window(run - 1) are titled
    while (titles_.contains(run)) ++run;
    for (const auto& [number, title] : titles_) {
      if (number < run) continue;
      warn(title.line,
           "Window" + two_digits(number) + " comes after the gap in [Window Titles] at Window" +
               two_digits(run) + ", where the simulator stops: its window is not loaded",
           PanelTopic::titles);
      break;
    }
    for (int number = 0; number < run; ++number) {
      auto section = std::find_if(sections_.begin(), sections_.end(),
                                  [&](const WindowConfig& w) { return w.number == number; });
      if (section == sections_.end()) {
        warn(titles_[number].line,
             "Window" + two_digits(number) + " has a title but no [Window" + two_digits(number) +
                 "] section",
             PanelTopic::titles);
        continue;
      }
      config_.windows.push_back(std::move(*section));
      finish_window(config_.windows.back(), titles_[number].text);
    }
    for (const WindowConfig& window : sections_)
      if (window.number >= run)
        warn(window.line,
             section_name(window) + " is not loaded: [Window Titles] has " +
                 (titles_.contains(window.number) ? "a gap before its title" : "no title for it"),
             PanelTopic::titles);
  }

  static void finish_window(WindowConfig& window, const std::string& title) {
    // A window whose title is left empty is called WindowNN, as one without a title.
    window.title = title.empty() ? "Window" + two_digits(window.number) : title;
    if (!window.ident_given)
      window.ident = window.number == 0 ? 0 : kUnnamedIdentBase + window.number;
  }

  // Windows with an ident that an earlier window has already: toggling it reaches the first.
  void shared_idents() {
    const auto& windows = config_.windows;
    for (size_t i = 0; i < windows.size(); ++i)
      for (size_t j = 0; j < i; ++j)
        if (windows[i].ident == windows[j].ident) {
          const std::string name = windows[i].ident_name.empty()
                                       ? std::to_string(windows[i].ident)
                                       : windows[i].ident_name;
          warn(windows[i].line,
               section_name(windows[i]) + " has ident " + name + ", as " +
                   section_name(windows[j]) + " (line " + std::to_string(windows[j].line) +
                   ") has; opening or closing " + name + " reaches only " +
                   section_name(windows[j]),
               PanelTopic::idents);
          break;
        }
  }

  std::string no_window_reason() const {
    if (!config_.titled)
      return "no [WindowNN] or [VcockpitNN] section, so the panel has no window to show";
    if (!titles_.contains(0))
      return "[Window Titles] has no Window00, and the simulator loads the titled windows from "
             "Window00 to the first gap, so the panel has no window to show";
    return "no [WindowNN] section for the titles of [Window Titles], so the panel has no window "
           "to show";
  }

  PanelConfig config_;
  std::vector<WindowConfig> sections_;  // [WindowNN] in the order of the file
  WindowConfig* window_ = nullptr;      // the section being read
  std::map<int, Title> titles_;
  std::map<std::string, int> keys_;     // keys of the section being read: their first line
  std::map<std::string, int32_t> unknown_names_;
  Section section_ = Section::none;
  int number_ = 0;
};

}  // namespace

std::string background_file(const WindowConfig& window, int screen_width) {
  if (window.files.empty()) return {};
  // The largest width not above the screen's (file= counts as width 0) ...
  auto above = window.files.upper_bound(screen_width);
  if (above != window.files.begin()) return std::prev(above)->second;
  // ... else the smallest.
  return window.files.begin()->second;
}

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
    if (text.starts_with(entry.name))
      return PanelNameMatch{entry.id, std::string_view(entry.name).size()};
  return std::nullopt;
}

void sort_by_line(std::vector<PanelProblem>& problems) {
  std::vector<size_t> order(problems.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return std::tie(problems[a].line, a) < std::tie(problems[b].line, b);
  });
  std::vector<PanelProblem> sorted;
  sorted.reserve(problems.size());
  for (size_t i : order) sorted.push_back(std::move(problems[i]));
  problems = std::move(sorted);
}

std::string display_text(std::string_view text) {
  return valid_utf8(text) ? std::string(text) : crv5::common::latin1_to_utf8(text);
}

std::string section_name(const WindowConfig& window) {
  return std::string(window.vcockpit ? "[Vcockpit" : "[Window") + two_digits(window.number) + "]";
}

std::string panel_where(const std::filesystem::path& file, int line) {
  return file.string() + (line > 0 ? ":" + std::to_string(line) : "") + ": ";
}

PanelConfig parse_panel_config(std::string_view text, const std::filesystem::path& file) {
  std::string converted;
  if (text.starts_with("\xFF\xFE")) {  // UTF-16, little-endian
    converted = from_utf16(text);
    text = converted;
  }
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
