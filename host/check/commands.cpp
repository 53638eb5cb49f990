// The check-file commands: setting up, acting and expecting.
#include "host/check/commands.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cmath>
#include <iostream>
#include <cstdio>
#include <functional>

#include "host/audio/audio.h"
#include "host/mouse/hit_testing.h"
#include "host/panel/session.h"
#include "host/sim/flight/corvane_flight.h"
#include "host/sim/flightgear/flightgear_link.h"

namespace gaugehost {

namespace {

constexpr double kDefaultTolerance = 1e-6;

// --- Reading arguments ---

int64_t whole(std::string_view token, std::string_view what, double min, double max) {
  const double value = parse_check_number(token, what);
  if (value != std::floor(value) || value < min || value > max) {
    char range[96];
    std::snprintf(range, sizeof range, "a whole number from %.0f to %.0f", min, max);
    throw HostError("bad " + std::string(what) + " " + quote_input(token) + ", expected " + range);
  }
  return int64_t(value);
}

uint32_t id_arg(std::string_view token, std::string_view what) {
  return uint32_t(whole(token, what, 0, 4294967295.0));
}

// A 32-bit word: 0 to 4294967295, or a negative number as its two's complement.
uint32_t word_arg(std::string_view token, std::string_view what) {
  return uint32_t(int64_t(whole(token, what, -2147483648.0, 4294967295.0)) & 0xffffffff);
}

bool on_off(std::string_view token) {
  if (token == "on") return true;
  if (token == "off") return false;
  throw HostError("expected on or off, got " + quote_input(token));
}

GaugeInstance& gauge_arg(CheckRun& run, std::string_view name) {
  GaugeInstance* gauge = run.session().find_gauge(name);
  if (!gauge) throw HostError("no gauge " + quote_input(name) + " is placed");
  return *gauge;
}

Window& window_arg(CheckRun& run, std::string_view ident) {
  Window* window = run.session().find_window(ident);
  if (!window) throw HostError("no window " + quote_input(ident));
  return *window;
}

PixPoint point_arg(const CheckLine& line, size_t at) {
  return {int32_t(whole(line.tokens[at], "x", -1e9, 1e9)),
          int32_t(whole(line.tokens[at + 1], "y", -1e9, 1e9))};
}

// An optional "~TOL" at `at`.
double tolerance_arg(const CheckLine& line, size_t at) {
  if (line.tokens.size() <= at) return kDefaultTolerance;
  const std::string& token = line.tokens[at];
  if (!token.starts_with("~")) throw HostError("expected ~TOLERANCE, got " + quote_input(token));
  const double tolerance = parse_check_number(token.substr(1), "tolerance");
  if (tolerance < 0) throw HostError("a tolerance must not be negative");
  return tolerance;
}

// Whether the token at `at` is a "~TOL".
bool has_tolerance(const CheckLine& line, size_t at) {
  return at < line.tokens.size() && line.tokens[at].starts_with("~");
}

// --- Printing what was found ---

std::string number_text(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string event_text(const KeyEvent& event, bool with_value = true) {
  char buffer[64];
  if (event.window_toggle)
    std::snprintf(buffer, sizeof buffer, "window=%" PRIu32, event.id);
  else if (with_value)
    std::snprintf(buffer, sizeof buffer, "0x%" PRIx32 "=%" PRIu32, event.id, event.value);
  else
    std::snprintf(buffer, sizeof buffer, "0x%" PRIx32, event.id);
  return buffer;
}

template <typename T, typename Print>
std::string list_text(const std::vector<T>& items, Print print) {
  if (items.empty()) return "none";
  std::string out;
  for (const T& item : items) out += (out.empty() ? "" : " ") + print(item);
  return out;
}

// --- Setting up ---

// A module comes first: loading one later would silently drop the gauges and state set up so far.
void cmd_module(CheckRun& run, const CheckLine& line) {
  if (run.has_session())
    throw HostError("module must come before every command that uses the module");
  run.load_module(run.resolve(line.tokens[0]));
}

void cmd_panel(CheckRun& run, const CheckLine& line) {
  load_panel_file(run.session(), run.resolve(line.tokens[0]), std::cerr);
}

// Gauges in order, each name followed by its parameter text when that is quoted.
void cmd_gauge(CheckRun& run, const CheckLine& line) {
  for (size_t i = 0; i < line.tokens.size(); ++i) {
    const bool has_parameters = i + 1 < line.tokens.size() && line.quoted[i + 1];
    run.session().place_gauge(line.tokens[i], has_parameters ? line.tokens[i + 1] : "");
    if (has_parameters) ++i;
  }
}

void cmd_connect(CheckRun& run, const CheckLine&) { run.session().connect(); }
void cmd_kill(CheckRun& run, const CheckLine&) { run.session().kill(); }

void cmd_update(CheckRun& run, const CheckLine& line) {
  const int64_t cycles = line.tokens.empty() ? 1 : whole(line.tokens[0], "count", 0, 1000000);
  run.session().update(int(cycles));
}

void cmd_model(CheckRun& run, const CheckLine& line) {
  run.session().set_model(on_off(line.tokens[0]));
}

// The host's own flight model, for the commands that need it.
flight::CorvaneFlight& own_flight(CheckRun& run, std::string_view command) {
  flight::CorvaneFlight* own = run.session().own_flight();
  if (!own)
    throw HostError(std::string(command) + " needs the host's own flight model, not " +
                    run.session().flight().status());
  return *own;
}

void cmd_scenario(CheckRun& run, const CheckLine& line) {
  run.session().apply_scenario(line.tokens[0]);
}

// The pilot's controls: elevator and aileron (-1 to 1), rudder (-1 to 1), brakes (0 to 1).
void cmd_control(CheckRun& run, const CheckLine& line) {
  flight::Controls& controls = own_flight(run, "control").controls();
  const std::string& name = line.tokens[0];
  const bool brakes = name == "brakes";
  const double value = parse_check_number(line.tokens[1], name);
  if (!(value >= (brakes ? 0 : -1) && value <= 1))
    throw HostError("bad " + name + " " + quote_input(line.tokens[1]) +
                    (brakes ? ", expected 0 to 1" : ", expected -1 to 1"));
  if (name == "elevator") controls.elevator = value;
  else if (name == "aileron") controls.aileron = value;
  else if (name == "rudder") controls.rudder = value;
  else if (brakes) controls.brakes = value;
  else throw HostError("unknown control " + quote_input(name) +
                       ", expected elevator, aileron, rudder or brakes");
}

// Recorded FlightGear frames, one per update, in place of the flight model.
void cmd_flightgear_replay(CheckRun& run, const CheckLine& line) {
  run.session().set_flight_source(
      std::make_unique<flightgear::FlightGearLink>(flightgear::recorded_frames(
          run.resolve(line.tokens[0]).string())));
}

// --- Acting ---

// Pairs of id and value, all read before any is set.
void cmd_set_var(CheckRun& run, const CheckLine& line) {
  if (line.tokens.size() % 2 != 0) throw HostError("expected: set var ID VALUE [ID VALUE]...");
  std::vector<std::pair<uint32_t, double>> values;
  for (size_t i = 0; i < line.tokens.size(); i += 2) {
    const uint32_t id = id_arg(line.tokens[i], "variable id");
    values.emplace_back(id, parse_var_value(id, line.tokens[i + 1]));
  }
  for (const auto& [id, value] : values) run.session().sim().set_var(id, value);
}

void cmd_set_calc(CheckRun& run, const CheckLine& line) {
  SimState& sim = run.session().sim();
  if (line.quoted[1])
    sim.set_calc_text(line.tokens[0], line.tokens[1]);
  else
    sim.set_calc_number(line.tokens[0], parse_check_number(line.tokens[1], "value"));
}

void cmd_set_failure(CheckRun& run, const CheckLine& line) {
  if (line.tokens.size() % 2 != 0)
    throw HostError("expected: set failure KEY on|off [KEY on|off]...");
  std::vector<std::pair<int32_t, bool>> failures;
  for (size_t i = 0; i < line.tokens.size(); i += 2)
    failures.emplace_back(int32_t(whole(line.tokens[i], "failure key", 1, 2147483647.0)),
                          on_off(line.tokens[i + 1]));
  for (const auto& [key, on] : failures) run.session().sim().set_failure(key, on);
}

void cmd_set_window(CheckRun& run, const CheckLine& line) {
  Window& window = window_arg(run, line.tokens[0]);
  run.session().set_window_visible(window, on_off(line.tokens[1]));
}

void cmd_click(CheckRun& run, const CheckLine& line) {
  GaugeInstance& gauge = gauge_arg(run, line.tokens[0]);
  const PixPoint point = point_arg(line, 1);
  MouseButton button = MouseButton::left;
  int repeats = 0;
  for (size_t i = 3; i < line.tokens.size(); ++i) {
    const std::string& word = line.tokens[i];
    if (word == "left" || word == "right") {
      button = word == "left" ? MouseButton::left : MouseButton::right;
    } else if (word == "repeat" && i + 1 < line.tokens.size()) {
      repeats = int(whole(line.tokens[++i], "repeat count", 0, 100000));
    } else {
      throw HostError("expected left, right or repeat N after the point, got " +
                      quote_input(word));
    }
  }
  run.session().click(gauge, point, button, repeats);
}

void cmd_drag(CheckRun& run, const CheckLine& line) {
  run.session().drag(gauge_arg(run, line.tokens[0]), point_arg(line, 1));
}

// A key event sent as a gauge sends it: recorded, acting on windows, and on the model when on.
void cmd_key(CheckRun& run, const CheckLine& line) {
  const uint32_t id = id_arg(line.tokens[0], "key event");
  const uint32_t value = line.tokens.size() > 1 ? word_arg(line.tokens[1], "event value") : 0;
  run.session().send_key_event(id, value);
}

// --- Expecting ---

// An expected event: any value unless one is given.
struct ExpectedEvent {
  KeyEvent event;
  bool any_value = true;
  bool matches(const KeyEvent& got) const {
    return got.id == event.id && got.window_toggle == event.window_toggle &&
           (any_value || event.window_toggle || got.value == event.value);
  }
  std::string text() const { return event_text(event, !any_value); }
};

ExpectedEvent expected_event(const std::string& token) {
  const size_t equals = token.find('=');
  if (token.find('*') != std::string::npos)
    throw HostError("bad event " + quote_input(token) + ", expected EVENT[=VALUE][*COUNT]");
  if (token.starts_with("window=")) {
    return {KeyEvent{.id = word_arg(token.substr(7), "panel id"), .window_toggle = true}};
  }
  ExpectedEvent expected{KeyEvent{.id = id_arg(token.substr(0, equals), "event id")}};
  if (equals != std::string::npos) {
    expected.event.value = word_arg(token.substr(equals + 1), "event value");
    expected.any_value = false;
  }
  return expected;
}

void cmd_expect_events(CheckRun& run, const CheckLine& line) {
  std::vector<ExpectedEvent> expected;
  for (const std::string& token : line.tokens) {
    // EVENT*N stands for N of the same event.
    const size_t star = token.rfind('*');
    const int64_t count =
        star == std::string::npos ? 1 : whole(token.substr(star + 1), "event count", 1, 10000);
    const ExpectedEvent event = expected_event(token.substr(0, star));
    expected.insert(expected.end(), size_t(count), event);
  }
  SimState& sim = run.session().sim();
  const uint64_t not_kept = sim.events_not_kept();
  const std::vector<KeyEvent> got = sim.take_events();
  bool passed = not_kept == 0 && got.size() == expected.size();
  for (size_t i = 0; passed && i < got.size(); ++i) passed = expected[i].matches(got[i]);
  // Only the latest events are kept: a long list is shown by its count and its last few.
  constexpr size_t kShown = 20;
  std::string got_text;
  if (got.size() + not_kept > kShown) {
    got_text = std::to_string(got.size() + not_kept) + " events, the last " +
               std::to_string(kShown) + ": ";
    got_text += list_text(std::vector<KeyEvent>(got.end() - kShown, got.end()),
                          [](const KeyEvent& e) { return event_text(e); });
  } else {
    got_text = list_text(got, [](const KeyEvent& e) { return event_text(e); });
  }
  run.check(line, passed,
            "events " + list_text(expected, [](const ExpectedEvent& e) { return e.text(); }),
            got_text);
}

// The gauge's evaluated elements in draw order, with whether each is hidden: by its own flag or
// failure only (neither hides the element's children).
struct FlatElement {
  const EvaluatedElement* element;
  bool hidden;
};

void flatten(const EvaluatedElement& element, std::vector<FlatElement>& out) {
  out.push_back({&element, element.hidden()});
  for (const EvaluatedElement& child : element.children) flatten(child, out);
}

std::string_view kind_name(int32_t kind) {
  static constexpr std::string_view kNames[] = {
      "static image", "needle", "text string", "slider", "icon", "moving image", "sprite"};
  static_assert(std::size(kNames) == kElementSprite + 1);
  return kind >= 0 && kind <= kElementSprite ? kNames[kind] : "element of unknown kind";
}

bool bool_arg(std::string_view token) {
  if (token == "true") return true;
  if (token == "false") return false;
  throw HostError("expected true or false, got " + quote_input(token));
}

void expect_number(CheckRun& run, const CheckLine& line, std::string_view what, double got,
                   double expected, double tolerance, bool circular = false) {
  double difference = std::fabs(got - expected);
  if (circular) difference = std::fabs(std::remainder(got - expected, 360.0));
  const bool passed = difference <= tolerance;  // false for NaN
  run.check(line, passed, std::string(what) + " " + number_text(expected), number_text(got));
}

// An element list: indices and ranges joined by commas ("3", "1-4", "0-2,5"), each index once.
std::vector<size_t> index_list(std::string_view text) {
  const std::string_view written = text;
  std::vector<size_t> indices;
  while (true) {
    const size_t comma = std::min(text.find(','), text.size());
    const std::string_view part = text.substr(0, comma);
    const size_t dash = part.find('-', 1);
    const auto first = size_t(whole(part.substr(0, dash), "element index", 0, 65535));
    const auto last = dash == std::string_view::npos
                          ? first
                          : size_t(whole(part.substr(dash + 1), "element index", 0, 65535));
    if (last < first) throw HostError("bad element range " + quote_input(part));
    for (size_t i = first; i <= last; ++i) indices.push_back(i);
    if (comma == text.size()) break;
    text.remove_prefix(comma + 1);
  }
  std::sort(indices.begin(), indices.end());
  if (std::adjacent_find(indices.begin(), indices.end()) != indices.end())
    throw HostError("an element is named twice in " + quote_input(written));
  return indices;
}

// An index list as written: "0-3,5", "none" when empty.
std::string index_list_text(const std::vector<size_t>& indices) {
  std::string out;
  for (size_t i = 0; i < indices.size();) {
    size_t j = i;
    while (j + 1 < indices.size() && indices[j + 1] == indices[j] + 1) ++j;
    out += (out.empty() ? "" : ",") + std::to_string(indices[i]);
    if (j > i) out += "-" + std::to_string(indices[j]);
    i = j + 1;
  }
  return out.empty() ? "none" : out;
}

// A gauge's updated elements in draw order; throws when an index lies beyond them.
std::vector<FlatElement> gauge_elements(const GaugeInstance& gauge,
                                        const std::vector<size_t>& indices) {
  std::vector<FlatElement> elements;
  flatten(gauge.root, elements);
  for (size_t index : indices)
    if (index >= elements.size())
      throw HostError(gauge.name + " has " + std::to_string(elements.size()) +
                      " elements (0 to " + std::to_string(elements.size() - 1) + ")");
  return elements;
}

// One element's property against the expected value; `label` names the element in a failure
// ("Altimeter#9 ") where the line names several.
void expect_property(CheckRun& run, const CheckLine& line, const std::string& name,
                     const std::string& label, const FlatElement& flat,
                     const std::string& property, const std::string& value, double tolerance) {
  const EvaluatedElement& e = *flat.element;
  auto require_kind = [&](std::initializer_list<int32_t> kinds) {
    for (int32_t kind : kinds)
      if (e.kind == kind) return;
    throw HostError(quote_input(name) + " is a " + std::string(kind_name(e.kind)) +
                    ", which has no " + property);
  };
  const std::string what = label + property;
  if (property == "value") {
    require_kind({kElementNeedle, kElementIcon, kElementString});
    expect_number(run, line, what, e.value, parse_check_number(value, "value"), tolerance);
  } else if (property == "angle") {
    require_kind({kElementNeedle});
    expect_number(run, line, what, e.angle, parse_check_number(value, "angle"), tolerance, true);
  } else if (property == "x" || property == "y" || property == "rotation") {
    require_kind({kElementSlider, kElementMovingImage, kElementSprite});
    if (property == "rotation") require_kind({kElementSprite});
    const double got = property == "x" ? e.x : property == "y" ? e.y : e.rotation;
    expect_number(run, line, what, got, parse_check_number(value, property), tolerance);
  } else if (property == "image") {
    require_kind({kElementIcon});
    const int64_t expected = value == "none" ? -1 : whole(value, "image index", 0, 1e6);
    auto image_text = [](int64_t image) {
      return image < 0 ? std::string("none") : std::to_string(image);
    };
    run.check(line, e.image == expected, what + " " + image_text(expected), image_text(e.image));
  } else if (property == "text") {
    require_kind({kElementString});
    run.check(line, e.text == value, what + " " + quote(value), quote(e.text));
  } else if (property == "hidden" || property == "luminous") {
    const bool expected = bool_arg(value);
    const bool got = property == "hidden" ? flat.hidden : e.luminous();
    run.check(line, got == expected, what + " " + (expected ? "true" : "false"),
              got ? "true" : "false");
  } else if (property == "resource") {
    const int64_t expected = whole(value, "resource id", -2147483648.0, 2147483647.0);
    run.check(line, e.resource_id == expected, what + " " + std::to_string(expected),
              std::to_string(e.resource_id));
  } else {
    throw HostError("unknown element property " + quote_input(property) +
                    ", expected value, image, text, x, y, rotation, angle, hidden, luminous or "
                    "resource");
  }
}

// GAUGE#LIST PROPERTY VALUE: one check for each element of the list; `label_each` names each
// element in a failure.
void expect_elements(CheckRun& run, const CheckLine& line, const std::string& target,
                     const std::string& property, const std::string& value, double tolerance,
                     bool label_each) {
  const size_t hash = target.rfind('#');
  GaugeInstance& gauge = gauge_arg(run, target.substr(0, hash));
  const std::vector<size_t> indices = index_list(std::string_view(target).substr(hash + 1));
  if (!gauge.updated) {
    run.check(line, false, property + " of " + target, "the gauge was never updated");
    return;
  }
  const std::vector<FlatElement> elements = gauge_elements(gauge, indices);
  for (size_t index : indices) {
    const std::string name = target.substr(0, hash + 1) + std::to_string(index);
    const std::string label = label_each || indices.size() > 1 ? name + " " : "";
    expect_property(run, line, name, label, elements[index], property, value, tolerance);
  }
}

bool is_element_target(const CheckLine& line, size_t at) {
  return at < line.tokens.size() && !line.quoted[at] &&
         line.tokens[at].find('#') != std::string::npos;
}

// GAUGE#LIST [GAUGE#LIST]... PROPERTY VALUE [~TOL], once or more on a line: every element
// listed before a property is held to that property's value.
void cmd_expect_element(CheckRun& run, const CheckLine& line) {
  size_t targets = 0;
  for (size_t i = 0; i < line.tokens.size(); ++i) targets += is_element_target(line, i) ? 1 : 0;
  for (size_t i = 0; i < line.tokens.size();) {
    const size_t first = i;
    while (is_element_target(line, i)) ++i;
    if (i == first) throw HostError("expected GAUGE#INDEX, got " + quote_input(line.tokens[i]));
    if (i + 2 > line.tokens.size())
      throw HostError("expected PROPERTY VALUE after " + quote_input(line.tokens[i - 1]));
    const double tolerance = has_tolerance(line, i + 2) ? tolerance_arg(line, i + 2)
                                                         : kDefaultTolerance;
    for (size_t t = first; t < i; ++t)
      expect_elements(run, line, line.tokens[t], line.tokens[i], line.tokens[i + 1], tolerance,
                      targets > 1);
    i += has_tolerance(line, i + 2) ? 3 : 2;
  }
}

// GAUGE [LIST]: exactly the listed elements have the luminous flag. One check.
void expect_luminous(CheckRun& run, const CheckLine& line, std::string_view name,
                     const std::string& list, bool label_each) {
  GaugeInstance& gauge = gauge_arg(run, name);
  const std::vector<size_t> expected = list.empty() ? std::vector<size_t>{} : index_list(list);
  if (!gauge.updated) {
    run.check(line, false, "luminous elements of " + gauge.name, "the gauge was never updated");
    return;
  }
  const std::vector<FlatElement> elements = gauge_elements(gauge, expected);
  std::vector<size_t> got;
  for (size_t i = 0; i < elements.size(); ++i)
    if (elements[i].element->luminous()) got.push_back(i);
  const std::string label = label_each ? std::string(name) + " " : "";
  run.check(line, got == expected, label + "luminous " + index_list_text(expected),
            index_list_text(got));
}

// [all] GAUGE [LIST] [GAUGE [LIST]]...: a token that begins with a digit is the list of the gauge
// before it; after "all", every placed gauge not named has no luminous element.
void cmd_expect_luminous(CheckRun& run, const CheckLine& line) {
  const bool all = line.tokens[0] == "all" && !line.quoted[0];
  const bool label_each = all || line.tokens.size() > 2;
  std::vector<std::string> named;
  for (size_t i = all ? 1 : 0; i < line.tokens.size(); ++i) {
    const bool has_list = i + 1 < line.tokens.size() && std::isdigit(uint8_t(line.tokens[i + 1][0]));
    expect_luminous(run, line, line.tokens[i], has_list ? line.tokens[i + 1] : "", label_each);
    named.push_back(gauge_arg(run, line.tokens[i]).name);
    if (has_list) ++i;
  }
  if (!all) return;
  for (const auto& gauge : run.session().gauges())
    if (std::find(named.begin(), named.end(), gauge->name) == named.end())
      expect_luminous(run, line, gauge->name, "", true);
}

// --- Click areas ---

std::string point_text(PixPoint point) {
  return std::to_string(point.x) + "," + std::to_string(point.y);
}

// The box an area covers on the gauge's bitmap (its last column and row included).
std::string area_box_text(const GaugeInstance& gauge, const MouseRect* area) {
  for (const PlacedArea& placed : place_mouse_areas(gauge.header->mouse_rects, gauge.bitmap_size)) {
    if (placed.rect != area) continue;
    const int32_t left = std::max(placed.box.x, 0);
    const int32_t top = std::max(placed.box.y, 0);
    const int32_t right = std::min(placed.box.x + placed.box.width, gauge.bitmap_size.width) - 1;
    const int32_t bottom = std::min(placed.box.y + placed.box.height, gauge.bitmap_size.height) - 1;
    return "area " + std::to_string(left) + " " + std::to_string(top) + " " +
           std::to_string(right) + " " + std::to_string(bottom);
  }
  return "an area";
}

// GAUGE LEFT TOP RIGHT BOTTOM: one area takes clicks at the box's four corners, and not one pixel
// beyond each of its edges.
void cmd_expect_area(CheckRun& run, const CheckLine& line) {
  const GaugeInstance& gauge = gauge_arg(run, line.tokens[0]);
  const PixPoint top_left = point_arg(line, 1);
  const PixPoint bottom_right = point_arg(line, 3);
  if (bottom_right.x < top_left.x || bottom_right.y < top_left.y)
    throw HostError("an area's right and bottom edges must not lie before its left and top");
  const std::string expected = "area " + line.tokens[1] + " " + line.tokens[2] + " " +
                               line.tokens[3] + " " + line.tokens[4];
  const Session& session = run.session();
  const MouseRect* area = session.area_at(gauge, top_left);
  if (!area) {
    run.check(line, false, expected, "no area at " + point_text(top_left));
    return;
  }
  const int32_t left = top_left.x, top = top_left.y;
  const int32_t right = bottom_right.x, bottom = bottom_right.y;
  const PixPoint inside[] = {{right, top}, {left, bottom}, {right, bottom}};
  const PixPoint outside[] = {{left - 1, top}, {left, top - 1}, {right + 1, bottom},
                              {right, bottom + 1}};
  std::string stray;
  for (const PixPoint point : inside)
    if (stray.empty() && session.area_at(gauge, point) != area)
      stray = ", and " + point_text(point) + " is not in it";
  for (const PixPoint point : outside)
    if (stray.empty() && session.area_at(gauge, point) == area)
      stray = ", and " + point_text(point) + " is in it";
  run.check(line, stray.empty(), expected, area_box_text(gauge, area) + stray);
}

std::string tooltip_text(const Tooltip& tooltip) {
  switch (tooltip.kind) {
    case Tooltip::Kind::none:
      return "none";
    case Tooltip::Kind::help:
      return "help " + std::to_string(tooltip.help_id);
    case Tooltip::Kind::text:
      return quote(tooltip.text);
  }
  return "none";
}

void cmd_expect_tooltip(CheckRun& run, const CheckLine& line) {
  GaugeInstance& gauge = gauge_arg(run, line.tokens[0]);
  const PixPoint point = point_arg(line, 1);
  Tooltip expected;
  if (line.tokens[3] == "help" && !line.quoted[3]) {
    if (line.tokens.size() != 5) throw HostError("expected: help N");
    expected.kind = Tooltip::Kind::help;
    expected.help_id = int32_t(whole(line.tokens[4], "help id", 0, 2147483647.0));
  } else if (line.tokens[3] == "none" && !line.quoted[3]) {
    if (line.tokens.size() != 4) throw HostError("nothing may follow none");
  } else {
    if (line.tokens.size() != 4) throw HostError("expected one quoted text");
    expected.kind = Tooltip::Kind::text;
    expected.text = line.tokens[3];
  }
  const Tooltip got = run.session().tooltip(gauge, point);
  const bool passed = got.kind == expected.kind &&
                      (got.kind != Tooltip::Kind::text || got.text == expected.text) &&
                      (got.kind != Tooltip::Kind::help || got.help_id == expected.help_id);
  run.check(line, passed, "tooltip " + tooltip_text(expected), tooltip_text(got));
}

// ID VALUE [~TOL], repeated: one check each, all read before any is compared.
void cmd_expect_var(CheckRun& run, const CheckLine& line) {
  struct Expected {
    uint32_t id;
    double value, tolerance;
  };
  std::vector<Expected> expected;
  for (size_t i = 0; i < line.tokens.size();) {
    if (i + 1 >= line.tokens.size())
      throw HostError("expected: expect var ID VALUE [~TOL] [ID VALUE [~TOL]]...");
    const bool tolerance = has_tolerance(line, i + 2);
    expected.push_back({id_arg(line.tokens[i], "variable id"),
                        parse_check_number(line.tokens[i + 1], "value"),
                        tolerance ? tolerance_arg(line, i + 2) : kDefaultTolerance});
    i += tolerance ? 3 : 2;
  }
  for (const Expected& e : expected)
    expect_number(run, line, "variable " + std::to_string(e.id), run.session().sim().var(e.id),
                  e.value, e.tolerance);
}

void cmd_expect_flight(CheckRun& run, const CheckLine& line) {
  const std::optional<double> got = run.session().flight().quantity(line.tokens[0]);
  if (!got) throw HostError("the flight has no quantity " + quote_input(line.tokens[0]));
  expect_number(run, line, line.tokens[0], *got, parse_check_number(line.tokens[1], "value"),
                tolerance_arg(line, 2));
}

void cmd_expect_window(CheckRun& run, const CheckLine& line) {
  const Window& window = window_arg(run, line.tokens[0]);
  const std::string& state = line.tokens[1];
  if (state != "visible" && state != "hidden")
    throw HostError("expected visible or hidden, got " + quote_input(state));
  const std::string got = window.visible ? "visible" : "hidden";
  run.check(line, got == state, "window " + line.tokens[0] + " " + state, got);
}

void cmd_expect_sounds(CheckRun& run, const CheckLine& line) {
  std::vector<int32_t> expected;
  for (const std::string& token : line.tokens)
    expected.push_back(int32_t(whole(token, "wave id", -2147483648.0, 2147483647.0)));
  run.session();  // the module is loaded before anything can have played
  const std::vector<int32_t> got = audio::take_played();
  auto print = [](int32_t id) { return std::to_string(id); };
  run.check(line, got == expected, "sounds " + list_text(expected, print), list_text(got, print));
}

constexpr size_t kMany = 100000;

}  // namespace

const CheckCommandTable& check_command_table() {
  static const CheckCommandTable table = {
      {"module", {"module PATH", 1, 1, cmd_module}},
      {"panel", {"panel PATH", 1, 1, cmd_panel}},
      {"gauge", {"gauge NAME [\"PARAMETERS\"] [NAME [\"PARAMETERS\"]]...", 1, kMany, cmd_gauge}},
      {"connect", {"connect", 0, 0, cmd_connect}},
      {"update", {"update [N]", 0, 1, cmd_update}},
      {"kill", {"kill", 0, 0, cmd_kill}},
      {"model", {"model on|off", 1, 1, cmd_model}},
      {"scenario", {"scenario NAME", 1, 1, cmd_scenario}},
      {"control", {"control elevator|aileron|rudder|brakes VALUE", 2, 2, cmd_control}},
      {"flightgear replay", {"flightgear replay FILE", 1, 1, cmd_flightgear_replay}},
      {"set var", {"set var ID VALUE [ID VALUE]...", 2, kMany, cmd_set_var}},
      {"set calc", {"set calc \"EXPRESSION\" VALUE", 2, 2, cmd_set_calc}},
      {"set failure", {"set failure KEY on|off [KEY on|off]...", 2, kMany, cmd_set_failure}},
      {"set window", {"set window IDENT on|off", 2, 2, cmd_set_window}},
      {"click", {"click GAUGE X Y [left|right] [repeat N]", 3, 6, cmd_click}},
      {"drag", {"drag GAUGE X Y", 3, 3, cmd_drag}},
      {"key", {"key EVENT [VALUE]", 1, 2, cmd_key}},
      {"render", {"render PATH", 1, 1, check_render}},
      {"expect events", {"expect events [EVENT[=VALUE][*COUNT]...]", 0, kMany, cmd_expect_events}},
      {"expect element",
       {"expect element GAUGE#INDEX[-LAST][,...]... PROPERTY VALUE [~TOL] [GAUGE#INDEX...]...", 3,
        kMany,
        cmd_expect_element}},
      {"expect luminous",
       {"expect luminous [all] GAUGE [INDEX[-LAST][,...]] [GAUGE [INDEX...]]...", 1, kMany,
        cmd_expect_luminous}},
      {"expect area", {"expect area GAUGE LEFT TOP RIGHT BOTTOM", 5, 5, cmd_expect_area}},
      {"expect tooltip",
       {"expect tooltip GAUGE X Y \"TEXT\"|help N|none", 4, 5, cmd_expect_tooltip}},
      {"expect var", {"expect var ID VALUE [~TOL] [ID VALUE [~TOL]]...", 2, kMany, cmd_expect_var}},
      {"expect flight", {"expect flight NAME VALUE [~TOL]", 2, 3, cmd_expect_flight}},
      {"expect window", {"expect window IDENT visible|hidden", 2, 2, cmd_expect_window}},
      {"expect sounds", {"expect sounds [WAVE...]", 0, kMany, cmd_expect_sounds}},
  };
  return table;
}

}  // namespace gaugehost
