#include "host/lint/panel_lint.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <map>

#include "common/parameter_text.h"
#include "host/base/text.h"
#include "host/mouse/hit_testing.h"
#include "host/panel/session.h"
#include "module/gauges.h"

namespace gaugehost::lint {

namespace {

// --- Parameter texts, read by the readers the Corvane's gauges read them with ---

namespace text = crv5::parameter_text;
using crv5::GaugeId;

enum class Reader { buttons, engine_dial, placard };
struct ReadingGauge {
  GaugeId gauge;
  Reader reader;
};
// The gauges that read a parameter text, and which reader they read it with.
constexpr ReadingGauge kReadingGauges[] = {
    {GaugeId::Autopilot_Toggle, Reader::buttons},    {GaugeId::Close_Subpanel, Reader::buttons},
    {GaugeId::Compass_Toggle, Reader::buttons},      {GaugeId::Electricity_Toggle, Reader::buttons},
    {GaugeId::GPS_Toggle, Reader::buttons},          {GaugeId::IFR_Panel_Toggle, Reader::buttons},
    {GaugeId::Invisible_Toggle, Reader::buttons},    {GaugeId::Radios_Toggle, Reader::buttons},
    {GaugeId::Starter_Toggle, Reader::buttons},      {GaugeId::Throttle_Toggle, Reader::buttons},
    {GaugeId::Landing_View_Toggle, Reader::buttons}, {GaugeId::VFR_Panel_Toggle, Reader::buttons},
    {GaugeId::Engine_Corrected_N1, Reader::engine_dial},
    {GaugeId::Engine_Corrected_N2, Reader::engine_dial},
    {GaugeId::Registration, Reader::placard},
};

const ReadingGauge* reading_gauge(std::string_view name) {
  for (const ReadingGauge& gauge : kReadingGauges)
    if (crv5::row_of(gauge.gauge).name == name) return &gauge;
  return nullptr;
}

constexpr std::string_view kCommentCharacters = "/#'";

// The start of `text` as a message quotes it: up to the first blank.
std::string word_at(const char* text) {
  std::string_view rest(text);
  return std::string(rest.substr(0, std::min(rest.find(' '), rest.size())));
}

std::string letter_text(char letter) { return std::string("\"") + letter + "\""; }

// Commands that stand after the first comment character, where the gauge never reads them: a
// command letter at the start of a word, followed by a number or an upper-case name.
void commands_after_comment(const std::string& text, std::string_view letters,
                            std::vector<std::string>& problems) {
  const size_t comment = text.find_first_of(kCommentCharacters);
  if (comment == std::string::npos) return;
  for (size_t at = comment + 1; at + 1 < text.size(); ++at) {
    const bool word_start = text[at - 1] == ' ' || text[at - 1] == '\t' ||
                            kCommentCharacters.find(text[at - 1]) != std::string_view::npos;
    const char next = text[at + 1];
    const bool value = crv5::starts_with_number(&text[at + 1]) ||
                       std::isupper(static_cast<unsigned char>(next));
    if (word_start && value && letters.find(text[at]) != std::string_view::npos)
      problems.push_back("command \"" + word_at(&text[at]) + "\" stands after the comment that \"" +
                         text[comment] + "\" begins, so the gauge never reads it");
  }
}

// A panel as a button command names it; -1 for none.
int32_t panel_named(const char* value, char letter, std::vector<std::string>& problems) {
  const text::PanelNamed panel = text::read_panel(value);
  if (panel.id < 0)
    problems.push_back("command " + letter_text(letter) + " ends the text and names no panel");
  else if (!panel.by_name && !panel.by_number)
    problems.push_back("command " + letter_text(letter) + " names \"" + word_at(value) +
                       "\", which is no panel name; the button reads it as panel " +
                       std::to_string(panel.id));
  return panel.id;
}

void read_button(const std::string& text, ParameterReading& reading) {
  const char* parameters = text.c_str();
  auto& problems = reading.problems;
  const auto note_panel = [&](char letter) {
    return [&, letter](const char* found) {
      const int32_t panel = panel_named(found + 1, letter, problems);
      if (panel >= 0) reading.panels_named.push_back(panel);
    };
  };
  for (char letter : {'o', 'c', 't'}) crv5::for_each_command(parameters, letter, note_panel(letter));
  if (const char* a = crv5::find_command(parameters, 'a')) note_panel('a')(a);
  if (const text::PanelSteps steps = text::panel_steps(parameters); steps.given && !steps.has_number)
    problems.push_back("command \"p\" has no number; the button reads it as 0");
  const text::ButtonPicture picture = text::button_picture(parameters);
  if (picture.given && !picture.valid)
    problems.push_back("command \"b\" names bitmap " + std::to_string(picture.bitmap) +
                       ", not one of the button pictures (100 to 190, a multiple of 10); the "
                       "button keeps its picture and its help text");
  const char* h = !picture.given || picture.valid ? crv5::find_command(parameters, 'h') : nullptr;
  if (h && text::read_help_id(h + 1) == 0)
    problems.push_back("command \"h\" names \"" + word_at(h + 1) +
                       "\", neither a window name nor a help id from 40960; the button shows "
                       "no help text");
  commands_after_comment(text, "octapbh", problems);
}

void read_engine_dial(const std::string& text, ParameterReading& reading) {
  const unsigned named = text::engines_named(text.c_str());
  std::string engines;  // the engine digits the text holds before any comment
  for (int engine = 1; engine <= 4; ++engine)
    if (named & (1u << (engine - 1)))
      engines += (engines.empty() ? "" : ", ") + std::to_string(engine);
  if (engines.empty())
    reading.problems.push_back("parameter text names no engine (1 to 4) before any comment; the "
                               "dial shows engine 1");
  else if (engines.size() > 1)
    reading.problems.push_back("parameter text names engines " + engines +
                               "; the dial shows engine " +
                               std::to_string(text::engine_number(text.c_str())));
}

void read_placard(const std::string& text, ParameterReading& reading) {
  const char* parameters = text.c_str();
  auto& problems = reading.problems;
  if (const char* font = text::placard_font(parameters);
      font && std::strlen(font) > text::kLongestPlacardFont)
    problems.push_back("font name \"" + std::string(font) + "\" is longer than " +
                       std::to_string(text::kLongestPlacardFont) + " characters; it is cut");
  if (const char* t = text::placard_command(parameters, 't'); t && t != parameters)
    problems.push_back("command \"t\" counts only as the very first character; the placard "
                       "shows the ATC identifier");
  for (char letter : {'r', 'g', 'b'}) {
    const char* found = text::placard_command(parameters, letter);
    if (found && !crv5::starts_with_number(found + 1))
      problems.push_back("the " + letter_text(letter) + " of \"" + word_at(found) +
                         "\" is read as a colour command without a number, giving 0");
  }
  commands_after_comment(text, "rgbf", problems);
}

// --- The panel ---

struct Box {
  double x0, y0, x1, y1;  // window pixels
  bool overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// The click areas of a placed gauge in window pixels: the areas that take a button.
std::vector<Box> click_boxes(const GaugeInstance& gauge) {
  std::vector<Box> boxes;
  const double sx = double(gauge.placement.width) / gauge.bitmap_size.width;
  const double sy = double(gauge.placement.height) / gauge.bitmap_size.height;
  for (const PlacedArea& area : place_mouse_areas(gauge.header->mouse_rects, gauge.bitmap_size)) {
    if (area.rect->kind != kMouseChild ||
        !(area.rect->mouse_flags & (kMouseLeftSingle | kMouseRightSingle)))
      continue;
    // Only the part on the background bitmap takes clicks.
    const double x0 = std::max(0, area.box.x), y0 = std::max(0, area.box.y);
    const double x1 = std::min(gauge.bitmap_size.width, area.box.x + area.box.width);
    const double y1 = std::min(gauge.bitmap_size.height, area.box.y + area.box.height);
    if (x1 <= x0 || y1 <= y0) continue;
    boxes.push_back({gauge.placement.x + x0 * sx, gauge.placement.y + y0 * sy,
                     gauge.placement.x + x1 * sx, gauge.placement.y + y1 * sy});
  }
  return boxes;
}

class Linter {
 public:
  Linter(const PanelConfig& config, const LintOptions& options)
      : config_(config), options_(options) {
    all_windows_ = config.windows;
    all_windows_.insert(all_windows_.end(), config.vcockpits.begin(), config.vcockpits.end());
  }

  std::vector<Finding> run(std::unique_ptr<Module> module) {
    for (const PanelProblem& problem : config_.warnings)
      add(problem.line, problem.problem, problem.topic);
    titles();
    idents();
    gauge_keys();
    for (const PanelProblem& problem : foreign_gauges(all_windows_, *module, options_.assumed_modules))
      add(problem.line, problem.problem, problem.topic);
    parameter_texts(*module);
    forward_view();
    layout(std::move(module));
    std::vector<Finding> findings;
    for (auto& [at, problem] : findings_) findings.push_back({at.second, std::move(problem)});
    return findings;
  }

 private:
  void add(int line, std::string problem, PanelTopic topic) {
    findings_.emplace(std::make_pair(topic, line), std::move(problem));
  }

  void titles() {
    if (!config_.titled && !config_.windows.empty())
      add(0, "no [Window Titles] section: the simulator loads no window of this panel "
             "(gaugehost loads every [WindowNN])",
          PanelTopic::titles);
  }

  void idents() {
    for (const WindowConfig& window : config_.windows)
      if (window.ident_unknown)
        add(window.line, section_name(window) + ": ident " + quote_input(window.ident_name) +
                             " is none of the simulator's panel names; gaugehost gives it id " +
                             std::to_string(window.ident),
            PanelTopic::idents);
  }

  // gaugeNN keys written twice, and gaps in the numbers: the simulator reads gauge00, gauge01, ...
  // and stops at the first number missing.
  void gauge_keys() {
    for (const WindowConfig& window : all_windows_) {
      std::map<int, int> first_line;
      for (const GaugePlacement& gauge : window.gauges) {
        auto [at, fresh] = first_line.emplace(gauge.number, gauge.line);
        if (!fresh)
          add(gauge.line, "gauge" + two_digits(gauge.number) + " appears twice in " +
                              section_name(window) + " (first on line " +
                              std::to_string(at->second) + ")",
              PanelTopic::placement);
      }
      int expected = 0;
      for (const auto& [number, line] : first_line) {
        if (number != expected) {
          add(line, section_name(window) + ": gauge" + two_digits(number) + " follows " +
                        (expected == 0 ? "no gauge00" : "gauge" + two_digits(expected - 1)) +
                        "; the simulator places gauges up to the first missing number, so none "
                        "from here on",
              PanelTopic::placement);
          break;
        }
        ++expected;
      }
    }
  }

  void parameter_texts(const Module& module) {
    for (const WindowConfig& window : all_windows_)
      for (const GaugePlacement& gauge : window.gauges) {
        if (!of_module(gauge, module) || !module.find_gauge(gauge.gauge)) continue;
        const ParameterReading reading = read_parameters(gauge.gauge, gauge.parameters);
        for (const std::string& problem : reading.problems)
          add(gauge.line, gauge.gauge + ": " + problem, PanelTopic::parameters);
        for (int32_t panel : reading.panels_named)
          if (std::none_of(config_.windows.begin(), config_.windows.end(),
                           [&](const WindowConfig& w) { return w.ident == panel; }))
            add(gauge.line,
                gauge.gauge + " names panel " + std::to_string(panel) +
                    (panel_name_for_id(panel).empty()
                         ? ""
                         : " (" + std::string(panel_name_for_id(panel)) + ")") +
                    ", but no window of the panel has that ident",
                PanelTopic::parameters);
      }
  }

  // The idents VIEW_FORWARD_WINDOWS names: a panel name, a number, or a name of the panel's own.
  void forward_view() {
    for (const ViewWindow& view : config_.forward_windows) {
      const std::optional<int32_t> id = panel_id_for_name(view.ident);
      const bool found = std::any_of(
          config_.windows.begin(), config_.windows.end(), [&](const WindowConfig& w) {
            return id ? w.ident == *id
                      : equal_nocase(w.ident_name, view.ident) ||
                            std::to_string(w.ident) == view.ident;
          });
      if (!found)
        add(view.line, "VIEW_FORWARD_WINDOWS names " + quote_input(view.ident) +
                           ", but no window of the panel has that ident",
            PanelTopic::views);
    }
  }

  // Lays the panel out as the host does and checks where each gauge and its click areas lie.
  void layout(std::unique_ptr<Module> module) {
    Session session(std::move(module));
    try {
      load(session, PanelLoad{});
      if (!config_.windows.empty() && !config_.vcockpits.empty())
        load(session, PanelLoad{.vcockpits = true});
    } catch (const HostError& error) {
      const std::string prefix = config_.file.string() + ":";
      std::string message = error.what();
      int line = 0;
      if (message.starts_with(prefix)) {
        message.erase(0, prefix.size());
        const size_t colon = message.find(": ");
        line = std::atoi(message.substr(0, colon).c_str());
        if (colon != std::string::npos) message.erase(0, colon + 2);
      }
      add(line, message, PanelTopic::sizes);
      return;
    }
    size_t next = 0;
    for (size_t w = 0; w < session.windows().size(); ++w) {
      const Window& window = session.windows()[w];
      const WindowConfig& config = *std::find_if(
          all_windows_.begin(), all_windows_.end(), [&](const WindowConfig& c) {
            return c.vcockpit == window.vcockpit && c.number == window.number;
          });
      std::vector<std::pair<const GaugePlacement*, std::vector<Box>>> placed;
      size_t placeholder = 0;
      for (const GaugePlacement& placement : config.gauges) {
        if (placeholder < window.placeholders.size() &&
            window.placeholders[placeholder].line == placement.line) {
          ++placeholder;
          foreign_outside(config, window.window_size, placement);
          continue;
        }
        const GaugeInstance& gauge = *session.gauges()[next++];
        outside_window(config, window.window_size, placement.gauge, placement.line,
                       gauge.placement);
        const std::vector<Box> boxes = click_boxes(gauge);
        for (const auto& [earlier, earlier_boxes] : placed)
          if (overlapping(boxes, earlier_boxes)) {
            add(placement.line,
                "the click areas of " + placement.gauge + " overlap those of " + earlier->gauge +
                    " (line " + std::to_string(earlier->line) + ")",
                PanelTopic::placement);
            break;
          }
        placed.emplace_back(&placement, boxes);
      }
    }
  }

  void load(Session& session, const PanelLoad& how) {
    for (const PanelProblem& problem : session.load_panel(config_, how))
      if (problem.topic != PanelTopic::modules) add(problem.line, problem.problem, problem.topic);
  }

  // A gauge of another module: its box where the line gives its size, else its corner.
  void foreign_outside(const WindowConfig& window, PixSize size, const GaugePlacement& placement) {
    outside_window(window, size, placement.module + "!" + placement.gauge, placement.line,
                   PixBox{placement.x, placement.y, placement.w.value_or(0),
                          placement.h.value_or(0)});
  }

  void outside_window(const WindowConfig& window, PixSize size, const std::string& gauge,
                      int line, const PixBox& box) {
    if (box.x >= 0 && box.y >= 0 && box.x + box.width <= size.width &&
        box.y + box.height <= size.height)
      return;
    add(line,
        gauge + " at " + std::to_string(box.x) + ", " + std::to_string(box.y) +
            (box.width > 0 && box.height > 0 ? " (" + std::to_string(box.width) + " x " +
                                                   std::to_string(box.height) + " pixels)"
                                             : "") +
            " reaches outside " + section_name(window) + ", " + std::to_string(size.width) +
            " x " + std::to_string(size.height) + " pixels",
        PanelTopic::placement);
  }

  static bool overlapping(const std::vector<Box>& a, const std::vector<Box>& b) {
    for (const Box& one : a)
      for (const Box& other : b)
        if (one.overlaps(other)) return true;
    return false;
  }

  const PanelConfig& config_;
  const LintOptions& options_;
  std::vector<WindowConfig> all_windows_;  // the windows, then the virtual cockpits
  // By topic, then line; those of one line in the order found.
  std::multimap<std::pair<PanelTopic, int>, std::string> findings_;
};

}  // namespace

ParameterReading read_parameters(std::string_view gauge, std::string_view parameters) {
  ParameterReading reading;
  if (parameters.empty()) return reading;
  const std::string text(parameters);
  const ReadingGauge* reader = reading_gauge(gauge);
  if (!reader) {
    reading.problems.push_back("the gauge reads no parameter text; " + quote_input(parameters) +
                               " is ignored");
    return reading;
  }
  switch (reader->reader) {
    case Reader::buttons: read_button(text, reading); break;
    case Reader::engine_dial: read_engine_dial(text, reading); break;
    case Reader::placard: read_placard(text, reading); break;
  }
  return reading;
}

std::vector<Finding> lint_panel(const PanelConfig& config, std::unique_ptr<Module> module,
                                const LintOptions& options) {
  return Linter(config, options).run(std::move(module));
}

}  // namespace gaugehost::lint
