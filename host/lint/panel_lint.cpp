#include "host/lint/panel_lint.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <map>

#include "common/parameter_text.h"
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

std::string window_name(const WindowConfig& window) {
  return "[Window" + std::string(window.number < 10 ? "0" : "") + std::to_string(window.number) +
         "]";
}

class Linter {
 public:
  Linter(const PanelConfig& config) : config_(config) {}

  std::vector<Finding> run(std::unique_ptr<Module> module) {
    for (const PanelProblem& problem : shared_idents(config_)) add(problem.line, problem.problem);
    gauge_keys();
    PanelConfig known = known_gauges(*module);
    parameter_texts(known);
    layout(known, std::move(module));
    std::vector<Finding> findings;
    for (auto& [line, problem] : findings_) findings.push_back({line, std::move(problem)});
    return findings;
  }

 private:
  void add(int line, std::string problem) { findings_.emplace(line, std::move(problem)); }

  void gauge_keys() {
    for (const WindowConfig& window : config_.windows) {
      std::map<int, int> first_line;
      for (const GaugePlacement& gauge : window.gauges) {
        auto [at, fresh] = first_line.emplace(gauge.number, gauge.line);
        if (!fresh)
          add(gauge.line, "gauge" + std::string(gauge.number < 10 ? "0" : "") +
                              std::to_string(gauge.number) + " appears twice in " +
                              window_name(window) + " (first on line " +
                              std::to_string(at->second) + ")");
      }
    }
  }

  // The panel without the gauges the module does not have, each of which is a finding.
  PanelConfig known_gauges(const Module& module) {
    PanelConfig known = config_;
    const std::string name = module.name();
    for (WindowConfig& window : known.windows)
      std::erase_if(window.gauges, [&](const GaugePlacement& gauge) {
        if (!std::equal(gauge.module.begin(), gauge.module.end(), name.begin(), name.end(),
                        [](unsigned char a, unsigned char b) {
                          return std::tolower(a) == std::tolower(b);
                        })) {
          add(gauge.line, "unknown module " + quote_input(gauge.module) + " (the module is " +
                              module.name() + ")");
          return true;
        }
        if (!module.find_gauge(gauge.gauge)) {
          add(gauge.line, "unknown gauge " + quote_input(gauge.gauge) + " in module " +
                              module.name());
          return true;
        }
        return false;
      });
    return known;
  }

  void parameter_texts(const PanelConfig& known) {
    for (const WindowConfig& window : known.windows)
      for (const GaugePlacement& gauge : window.gauges) {
        const ParameterReading reading = read_parameters(gauge.gauge, gauge.parameters);
        for (const std::string& problem : reading.problems)
          add(gauge.line, gauge.gauge + ": " + problem);
        for (int32_t panel : reading.panels_named)
          if (std::none_of(known.windows.begin(), known.windows.end(),
                           [&](const WindowConfig& w) { return w.ident == panel; }))
            add(gauge.line, gauge.gauge + " names panel " + std::to_string(panel) +
                                (panel_name_for_id(panel).empty()
                                     ? ""
                                     : " (" + std::string(panel_name_for_id(panel)) + ")") +
                                ", but no window of the panel has that ident");
      }
  }

  // Lays the panel out as the host does and checks where each gauge and its click areas lie.
  void layout(const PanelConfig& known, std::unique_ptr<Module> module) {
    Session session(std::move(module));
    try {
      session.load_panel(known);
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
      add(line, message);
      return;
    }
    size_t next = 0;
    for (size_t w = 0; w < known.windows.size(); ++w) {
      const WindowConfig& config = known.windows[w];
      const PixSize size = session.windows()[w].window_size;
      std::vector<std::pair<const GaugePlacement*, std::vector<Box>>> placed;
      for (const GaugePlacement& placement : config.gauges) {
        const GaugeInstance& gauge = *session.gauges()[next++];
        outside_window(config, size, placement, gauge.placement);
        const std::vector<Box> boxes = click_boxes(gauge);
        for (const auto& [earlier, earlier_boxes] : placed)
          if (overlapping(boxes, earlier_boxes)) {
            add(placement.line, "the click areas of " + placement.gauge + " overlap those of " +
                                    earlier->gauge + " (line " + std::to_string(earlier->line) +
                                    ")");
            break;
          }
        placed.emplace_back(&placement, boxes);
      }
    }
  }

  void outside_window(const WindowConfig& window, PixSize size, const GaugePlacement& placement,
                      const PixBox& box) {
    if (box.x >= 0 && box.y >= 0 && box.x + box.width <= size.width &&
        box.y + box.height <= size.height)
      return;
    add(placement.line, placement.gauge + " at " + std::to_string(box.x) + ", " +
                            std::to_string(box.y) + " (" + std::to_string(box.width) + " x " +
                            std::to_string(box.height) + " pixels) reaches outside " +
                            window_name(window) + ", " + std::to_string(size.width) + " x " +
                            std::to_string(size.height) + " pixels");
  }

  static bool overlapping(const std::vector<Box>& a, const std::vector<Box>& b) {
    for (const Box& one : a)
      for (const Box& other : b)
        if (one.overlaps(other)) return true;
    return false;
  }

  const PanelConfig& config_;
  std::multimap<int, std::string> findings_;  // by line; those of one line in the order found
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

std::vector<Finding> lint_panel(const PanelConfig& config, std::unique_ptr<Module> module) {
  return Linter(config).run(std::move(module));
}

}  // namespace gaugehost::lint
