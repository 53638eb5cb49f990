#include "host/panel/session.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <fstream>
#include <ostream>

#include "common/bmp.h"
#include "host/base/text.h"
#include "common/latin1.h"
#include "host/audio/audio.h"
#include "host/eval/evaluate.h"
#include "host/loader/module_call.h"
#include "host/mouse/hit_testing.h"
#include "host/base/numbers.h"
#include "host/sim/flight/corvane_flight.h"
#include "host/sim/corvane_systems.h"
#include "host/sim/key_events.h"

namespace gaugehost {

namespace {

// Panel ids of the windows made for single gauges, beyond those of panel configurations.
constexpr int32_t kOwnWindowIdentBase = 20000;

constexpr double kSecondsPerUpdate = corvane::kStepSeconds;

// The module's calls go to the active session.
Session* active_session = nullptr;

Bool32 CRV5_CALL service_panel_window_toggle(uint32_t panel_id) {
  if (!active_session) return false;
  active_session->toggle_panel_window(panel_id);
  return true;
}
uint32_t CRV5_CALL service_trigger_key_event(uint32_t id, uint32_t value) {
  if (active_session) active_session->send_key_event(id, value);
  return 0;
}
void CRV5_CALL service_lookup_var(ModuleVar* var) {
  if (active_session && var) active_session->lookup(*var);
}
Bool32 CRV5_CALL service_execute_calculator_code(const char* code, double* number, int32_t*,
                                                 const char** text) {
  if (!active_session || !code) return false;
  active_session->sim().calculate(code, number, text);
  return true;
}

// "FILE:LINE: " of a panel configuration, for messages.
std::string where(const PanelConfig& config, int line) { return panel_where(config.file, line); }

// The side of a placeholder's box that its placement leaves open.
constexpr int32_t kPlaceholderSide = 100;

// A gauge placed without a width takes its own: the width its header gives, in units of the
// window's coordinate space.
int32_t natural_width(const GaugeHeader& header) {
  const uint32_t width = header.size_x_mm;
  return width >= 1 && width <= uint32_t(kMaxWindowPixels) ? int32_t(width) : kPlaceholderSide;
}

// A gauge placed without a height keeps the proportions of its background bitmap.
int32_t scaled_height(const PanelConfig& config, const GaugePlacement& placement, int32_t width,
                      const GaugeInstance& gauge) {
  const PixSize bitmap = gauge.bitmap_size;  // never 0 wide
  const double height = std::floor(double(width) * bitmap.height / bitmap.width + 0.5);
  if (!(height >= 1 && height <= kMaxWindowPixels))
    throw HostError(where(config, placement.line) + "gauge " + quote_input(placement.gauge) +
                    " at width " + std::to_string(width) + " would be " +
                    std::to_string(int64_t(std::min(height, 1e15))) +
                    " pixels high, expected 1 to " + std::to_string(kMaxWindowPixels) +
                    "; give its height");
  return int32_t(height);
}

// The size of a window's background bitmap, when it can be read.
std::optional<PixSize> bitmap_size(const std::filesystem::path& file) {
  if (file.empty()) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  crv5::common::RgbaImage image;
  std::string error;
  if (bytes.empty() || !crv5::common::read_bmp(bytes, image, error)) return std::nullopt;
  return PixSize{image.width, image.height};
}

// The window's coordinate space: size_mm, a missing height (or all of it) from the background
// bitmap's proportions, else (a virtual cockpit) its texture, else what its gauges need.
PixSize coordinate_space(const PanelConfig& config, const WindowConfig& cfg, const Window& window,
                         PixSize extent, std::vector<PanelProblem>& problems) {
  const std::optional<PixSize> bitmap = bitmap_size(window.background);
  if (!window.file.empty() && !bitmap)
    problems.push_back({cfg.line,
                        section_name(cfg) + ": its bitmap " + quote_input(window.file) +
                            " is not beside the panel or cannot be read",
                        PanelTopic::sizes});
  if (cfg.size_mm_width && cfg.size_mm_height) return {*cfg.size_mm_width, *cfg.size_mm_height};
  if (cfg.size_mm_width && bitmap)
    return {*cfg.size_mm_width,
            std::clamp(int32_t(std::lround(double(*cfg.size_mm_width) * bitmap->height /
                                           bitmap->width)),
                       1, kMaxWindowPixels)};
  if (bitmap) return *bitmap;
  if (cfg.pixel_size) return {cfg.pixel_size->first, cfg.pixel_size->second};
  const PixSize fallback{cfg.size_mm_width.value_or(extent.width), extent.height};
  problems.push_back(
      {cfg.line,
       section_name(cfg) + " has no usable size: " +
           (cfg.size_mm_width ? "size_mm gives no height" : "no size_mm") +
           " and no background bitmap to take it from; gaugehost makes it " +
           std::to_string(fallback.width) + " x " + std::to_string(fallback.height) +
           " for its gauges",
       PanelTopic::sizes});
  if (fallback.width > kMaxWindowPixels || fallback.height > kMaxWindowPixels)
    throw HostError(where(config, cfg.line) + section_name(cfg) + " needs " +
                    std::to_string(fallback.width) + " x " + std::to_string(fallback.height) +
                    " pixels for its gauges, more than " + std::to_string(kMaxWindowPixels) +
                    " x " + std::to_string(kMaxWindowPixels) + "; give it a size_mm");
  return {std::max(1, fallback.width), std::max(1, fallback.height)};
}

// Where the simulator shows a window: window_size in fractions of the screen (a missing height
// keeping the proportions of the coordinate space on the screen); without it, at the scale that
// makes the main window (ident 0, else the first) as wide as the screen. Then window_pos, else the
// position code: 0 top left, 1 top centre, ... 8 bottom right.
ScreenRect screen_rect(const WindowConfig& cfg, PixSize space, int32_t main_width,
                       ScreenSize screen) {
  ScreenRect rect;
  const double aspect = double(space.height) / space.width * screen.width / screen.height;
  if (cfg.window_width) {
    rect.w = *cfg.window_width;
    rect.h = cfg.window_height.value_or(rect.w * aspect);
  } else {
    rect.w = double(space.width) / main_width;
    rect.h = rect.w * aspect;
  }
  if (cfg.window_pos) {
    rect.x = cfg.window_pos->first;
    rect.y = cfg.window_pos->second;
  } else {
    const int32_t position = cfg.position.value_or(0);
    rect.x = (position % 3) * (1 - rect.w) / 2;
    rect.y = (position / 3) * (1 - rect.h) / 2;
  }
  return rect;
}

// The module reads an instance's parameter text from the shared header during its calls.
void bind_parameters(const GaugeInstance& gauge) {
  gauge.header->parameters = gauge.parameters.empty() ? nullptr : gauge.parameters.c_str();
}

// Names the instance whose call is under way for as long as it lasts (calls may nest: a click
// that opens a window sends events while the clicked gauge's function runs).
class Calling {
 public:
  Calling(const GaugeInstance*& slot, const GaugeInstance& gauge)
      : slot_(slot), previous_(slot) { slot_ = &gauge; }
  ~Calling() { slot_ = previous_; }
  Calling(const Calling&) = delete;
  Calling& operator=(const Calling&) = delete;

 private:
  const GaugeInstance*& slot_;
  const GaugeInstance* previous_;
};

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

std::filesystem::path background_path(const std::filesystem::path& panel_file,
                                      const std::string& name) {
  namespace fs = std::filesystem;
  if (name.empty()) return {};
  std::error_code code;
  const fs::path folder = fs::weakly_canonical(fs::absolute(panel_file, code).parent_path(), code);
  const fs::path beside = folder / name;
  if (fs::exists(beside, code)) return beside;
  const fs::path panels = fs::weakly_canonical(fs::path(CRV5_SOURCE_DIR) / "panels", code);
  const fs::path inside = folder.lexically_relative(panels);
  if (!inside.empty() && *inside.begin() != "..") {
    const fs::path drawn = fs::path(CRV5_BUILD_DIR) / "panels" / inside / name;
    if (fs::exists(drawn, code)) return drawn;
  }
  return beside;
}

Session::Session(std::unique_ptr<Module> module)
    : module_(std::move(module)),
      model_(std::make_unique<CorvaneSystems>()),
      flight_(std::make_unique<flight::CorvaneFlight>()) {
  services_.panel_window_toggle = service_panel_window_toggle;
  services_.trigger_key_event = service_trigger_key_event;
  services_.lookup_var = service_lookup_var;
  services_.execute_calculator_code = service_execute_calculator_code;
  module_->attach(&services_);
  active_session = this;
  audio::reset();
}

Session::~Session() {
  if (!killed_ && !gauges_.empty()) kill();
  if (active_session == this) active_session = nullptr;
}

void Session::set_aircraft_model(std::unique_ptr<AircraftModel> model) {
  model_ = model ? std::move(model) : std::make_unique<AircraftModel>();
}

// --- Setting up ---

bool of_module(const GaugePlacement& placement, const Module& module) {
  return equal_nocase(placement.module, module.name());
}

std::vector<PanelProblem> foreign_gauges(const std::vector<WindowConfig>& windows,
                                         const Module& module,
                                         const std::vector<std::string>& assumed) {
  struct Foreign {
    int first_line = 0;
    int count = 0;
  };
  std::map<std::string, Foreign> modules;  // by name in lower case, as first written
  std::map<std::string, std::string> written;
  std::vector<PanelProblem> problems;
  for (const WindowConfig& window : windows)
    for (const GaugePlacement& placement : window.gauges) {
      if (of_module(placement, module)) {
        if (!module.find_gauge(placement.gauge))
          problems.push_back({placement.line,
                              "unknown gauge " + quote_input(display_text(placement.gauge)) +
                                  " in module " +
                                  module.name() + "; drawn as a placeholder",
                              PanelTopic::modules});
        continue;
      }
      if (std::any_of(assumed.begin(), assumed.end(),
                      [&](const std::string& name) { return equal_nocase(name, placement.module); }))
        continue;
      const std::string key = lower(placement.module);
      Foreign& foreign = modules[key];
      if (foreign.count++ == 0) {
        foreign.first_line = placement.line;
        written[key] = placement.module;
      }
    }
  for (const auto& [key, foreign] : modules)
    problems.push_back(
        {foreign.first_line,
         "module " + quote_input(display_text(written[key])) + " is not loaded (the module is " +
             module.name() + "): its " +
             (foreign.count == 1 ? "gauge here is drawn as a placeholder"
                                 : std::to_string(foreign.count) +
                                       " gauges are drawn as placeholders, this the first"),
         PanelTopic::modules});
  sort_by_line(problems);
  return problems;
}

std::vector<PanelProblem> Session::load_panel(const PanelConfig& config, const PanelLoad& how) {
  const bool vcockpits = how.vcockpits || config.windows.empty();
  const std::vector<WindowConfig>& windows = vcockpits ? config.vcockpits : config.windows;
  std::vector<PanelProblem> problems = foreign_gauges(windows, *module_);
  // Every placement is checked before any gauge is installed.
  std::vector<std::vector<GaugeHeader*>> headers;
  for (const WindowConfig& window : windows) {
    if (find_window(window.ident))
      throw HostError(where(config, window.line) + "a window with ident " +
                      std::to_string(window.ident) + " is already open");
    auto& window_headers = headers.emplace_back();
    for (const GaugePlacement& placement : window.gauges)
      window_headers.push_back(of_module(placement, *module_) ? module_->find_gauge(placement.gauge)
                                                               : nullptr);
  }

  const size_t first_window = windows_.size();
  const size_t first_new = gauges_.size();
  try {
    add_windows(config, windows, headers, how, problems);
  } catch (...) {
    // Nothing of a panel that cannot be laid out stays.
    windows_.erase(windows_.begin() + std::ptrdiff_t(first_window), windows_.end());
    gauges_.erase(gauges_.begin() + std::ptrdiff_t(first_new), gauges_.end());
    throw;
  }

  killed_ = false;
  for (size_t i = first_new; i < gauges_.size(); ++i)
    call_gauge(*gauges_[i], kServicePreInstall, module_handle());
  for (size_t i = first_new; i < gauges_.size(); ++i)
    call_gauge(*gauges_[i], kServiceConnectToWindow);
  return problems;
}

void Session::add_windows(const PanelConfig& config, const std::vector<WindowConfig>& windows,
                          const std::vector<std::vector<GaugeHeader*>>& headers,
                          const PanelLoad& how, std::vector<PanelProblem>& problems) {
  const size_t first = windows_.size();
  for (size_t w = 0; w < windows.size(); ++w) {
    const WindowConfig& cfg = windows[w];
    const std::string file = background_file(cfg, how.screen.width);
    windows_.push_back(Window{.number = cfg.number,
                              .vcockpit = cfg.vcockpit,
                              .title = cfg.title,
                              .ident = cfg.ident,
                              .ident_name = cfg.ident_name,
                              .visible = cfg.vcockpit || cfg.visible,
                              .position = cfg.position.value_or(0),
                              .file = file,
                              .background = background_path(config.file, file),
                              .paint = cfg.background_color});
    const size_t index = windows_.size() - 1;
    PixSize extent{};
    for (size_t g = 0; g < cfg.gauges.size(); ++g) {
      const GaugePlacement& placement = cfg.gauges[g];
      PixBox box{placement.x, placement.y, placement.w.value_or(kPlaceholderSide), 0};
      if (GaugeHeader* header = headers[w][g]) {
        GaugeInstance& gauge = add_instance(header, index, placement.parameters);
        box.width = placement.w.value_or(natural_width(*header));
        box.height = placement.h ? *placement.h : scaled_height(config, placement, box.width, gauge);
        gauge.placement = box;
      } else {
        box.height = placement.h.value_or(placement.w.value_or(kPlaceholderSide));
        windows_[index].placeholders.push_back(
            {display_text(placement.module + "!" + placement.gauge), box, placement.line});
      }
      // Each term is within kMaxWindowPixels of 0, so the sums cannot overflow.
      extent.width = std::max(extent.width, box.x + box.width);
      extent.height = std::max(extent.height, box.y + box.height);
    }
    Window& made = windows_[index];
    made.window_size = coordinate_space(config, cfg, made, extent, problems);
    made.texture_size = cfg.pixel_size ? PixSize{cfg.pixel_size->first, cfg.pixel_size->second}
                                       : made.window_size;
  }
  // The main window sets the scale of the windows without a window_size.
  int32_t main_width = 0;
  for (size_t i = first; i < windows_.size(); ++i)
    if (windows_[i].ident == 0 || main_width == 0) {
      main_width = windows_[i].window_size.width;
      if (windows_[i].ident == 0) break;
    }
  for (size_t i = first; i < windows_.size(); ++i)
    if (!windows_[i].vcockpit)
      windows_[i].screen = screen_rect(windows[i - first], windows_[i].window_size, main_width,
                                       how.screen);
}

GaugeInstance& Session::place_gauge(std::string_view gauge_name, std::string parameters) {
  GaugeHeader* header = module_->find_gauge(gauge_name);
  if (!header)
    throw HostError("unknown gauge " + quote_input(gauge_name) + " in module " + module_->name());
  int32_t own_windows = 0;
  for (const Window& window : windows_) own_windows += window.number < 0;
  windows_.push_back(Window{.number = -1, .ident = kOwnWindowIdentBase + own_windows});
  GaugeInstance& gauge = add_instance(header, windows_.size() - 1, std::move(parameters));
  Window& window = windows_.back();
  window.title = gauge.name;
  window.window_size = gauge.bitmap_size;
  gauge.placement = {0, 0, gauge.bitmap_size.width, gauge.bitmap_size.height};
  killed_ = false;
  call_gauge(gauge, kServicePreInstall, module_handle());
  return gauge;
}

GaugeInstance& Session::add_instance(GaugeHeader* header, size_t window, std::string parameters) {
  int same = 0;
  for (const auto& gauge : gauges_) same += gauge->header == header;
  auto gauge = std::make_unique<GaugeInstance>();
  gauge->header = header;
  gauge->name = std::string(header->name) + (same ? ":" + std::to_string(same + 1) : "");
  gauge->window = window;
  gauge->parameters = std::move(parameters);
  const ElementHeader* root = header->elements ? header->elements[0] : nullptr;
  gauge->bitmap_size =
      root ? module_->bitmap_size(root->resource_id).value_or(PixSize{}) : PixSize{};
  if (gauge->bitmap_size.width <= 0 || gauge->bitmap_size.height <= 0)
    gauge->bitmap_size = {100, 100};  // no background bitmap: a square of its own
  gauges_.push_back(std::move(gauge));
  return *gauges_.back();
}

void Session::call_gauge(GaugeInstance& gauge, int32_t service_id, uintptr_t extra) {
  const Calling calling(calling_, gauge);
  bind_parameters(gauge);
  if (gauge.header->callback)
    call_module("gauge callback", gauge.header->callback, gauge.header, service_id, extra);
}

void Session::set_flight_source(std::unique_ptr<FlightSource> source) {
  flight_ = source ? std::move(source) : std::make_unique<flight::CorvaneFlight>();
}

void Session::connect() {
  for (auto& gauge : gauges_) call_gauge(*gauge, kServiceConnectToWindow);
}

void Session::update(int cycles) {
  for (int cycle = 0; cycle < cycles; ++cycle) {
    for (auto& gauge : gauges_)
      if (windows_[gauge->window].visible) update_gauge(*gauge);
    advance_model();
  }
}

void Session::update_gauge(GaugeInstance& gauge) {
  if (!timing_) {
    call_gauge(gauge, kServicePreUpdate);
    evaluate(gauge);
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  call_gauge(gauge, kServicePreUpdate);
  const auto updated = std::chrono::steady_clock::now();
  evaluate(gauge);
  gauge.update_seconds = std::chrono::duration<double>(updated - start).count();
  gauge.evaluate_seconds = seconds_since(updated);
}

void Session::advance_model() {
  if (!model_on_) return;
  model_->advance(sim_, kSecondsPerUpdate);
  flight_->advance(sim_, kSecondsPerUpdate);
}

void Session::evaluate(GaugeInstance& gauge) {
  evaluate_tree(gauge, gauge.root);
  gauge.updated = true;
}

void Session::evaluate_between_cycles(GaugeInstance& gauge, EvaluatedElement& into) {
  into = gauge.root;
  evaluate_tree(gauge, into);
}

void Session::evaluate_tree(GaugeInstance& gauge, EvaluatedElement& into) {
  const Calling calling(calling_, gauge);
  bind_parameters(gauge);
  try {
    evaluate_elements(gauge.header->elements, into, sim_, gauge.evaluation_cache);
  } catch (const HostError& error) {
    throw HostError("gauge " + quote_input(gauge.name) + ": " + error.what());
  }
}

flight::CorvaneFlight* Session::own_flight() {
  return dynamic_cast<flight::CorvaneFlight*>(flight_.get());
}

void Session::apply_scenario(std::string_view name) {
  flight::CorvaneFlight* own = own_flight();
  if (!own) throw HostError("a scenario needs the host's own flight model, not " + flight_->status());
  own->apply_scenario(sim_, name);
  // The ramp's clicks, then the scenario's own, on the gauges this panel places; the model answers
  // their events as it answers any click. The settings are made again after them, so that the
  // scenario's variables hold whatever a click toggled.
  const flight::ScenarioBook& book = own->scenarios();
  std::vector<const flight::Scenario*> layers{&book.scenarios.front()};
  if (const flight::Scenario* chosen = book.find(name); chosen != layers.front())
    layers.push_back(chosen);
  bool clicked = false;
  for (const flight::Scenario* layer : layers)
    for (const flight::ScenarioClick& at : layer->clicks)
      if (GaugeInstance* gauge = find_gauge(at.gauge)) {
        click(*gauge, PixPoint{at.x, at.y}, MouseButton::left);
        clicked = true;
      }
  if (!clicked) return;
  for (const flight::Scenario* layer : layers)
    for (const auto& [id, value] : layer->vars) sim_.set_var(id, value);
}

void Session::kill() {
  for (auto& gauge : gauges_) call_gauge(*gauge, kServicePreKill);
  killed_ = true;
}

// --- Finding ---

GaugeInstance* Session::find_gauge(std::string_view name) {
  int wanted = 1;
  const size_t colon = name.rfind(':');
  if (colon != std::string_view::npos) {
    auto number = parse_whole_number(name.substr(colon + 1));
    if (!number || *number < 1) return nullptr;
    wanted = int(*number);
    name = name.substr(0, colon);
  }
  for (auto& gauge : gauges_)
    if (name == gauge->header->name && --wanted == 0) return gauge.get();
  return nullptr;
}

Window* Session::find_window(int32_t panel_id) {
  for (Window& window : windows_)
    if (window.ident == panel_id) return &window;
  return nullptr;
}

Window* Session::find_window(std::string_view ident) {
  if (auto number = parse_whole_number(ident)) return find_window(int32_t(*number));
  for (Window& window : windows_)
    if (!window.ident_name.empty() && equal_nocase(window.ident_name, ident)) return &window;
  for (Window& window : windows_)
    if (equal_nocase(window.title, ident)) return &window;
  return nullptr;
}

// --- Acting ---

void Session::set_window_visible(Window& window, bool visible) { window.visible = visible; }

void Session::send_key_event(uint32_t id, uint32_t value) {
  sim_.record_event(KeyEvent{id, value});
  if (observer_) observer_(KeyEvent{id, value}, calling_);
  if (const std::optional<WindowAction> action = panel_window_action(id)) {
    if (Window* window = find_window(int32_t(value)))
      set_window_visible(*window, *action == WindowAction::open     ? true
                                  : *action == WindowAction::close ? false
                                                                    : !window->visible);
  }
  if (model_on_) model_->apply_event(sim_, id, value);
}

void Session::toggle_panel_window(uint32_t panel_id) {
  sim_.record_event(KeyEvent{panel_id, 0, true});
  if (observer_) observer_(KeyEvent{panel_id, 0, true}, calling_);
  if (Window* window = find_window(int32_t(panel_id)))
    set_window_visible(*window, !window->visible);
}

namespace {

void fire(Session& session, GaugeInstance& gauge, const MouseRect& area, PixPoint point,
          uint32_t flags) {
  if (area.event_id != 0) {
    session.send_key_event(area.event_id, 0);
  } else if (area.function) {
    ClickRecord click{point, gauge.header, const_cast<MouseRect*>(&area)};
    call_module("mouse function", area.function, &click, flags);
  }
}

// Whether a point lies on the gauge's background bitmap: the mouse reaches a gauge only there.
bool on_gauge(const GaugeInstance& gauge, PixPoint point) {
  return point.x >= 0 && point.y >= 0 && point.x < gauge.bitmap_size.width &&
         point.y < gauge.bitmap_size.height;
}

uint32_t button_flag(MouseButton button) {
  return button == MouseButton::left ? kMouseLeftSingle : kMouseRightSingle;
}

}  // namespace

const MouseRect* Session::click(GaugeInstance& gauge, PixPoint point, MouseButton button,
                                int repeats) {
  const Calling calling(calling_, gauge);
  bind_parameters(gauge);
  const MouseRect* area = area_at(gauge, point);
  const uint32_t single = button_flag(button);
  if (!area || !area_takes(*area, single)) return nullptr;
  gauge.last_click_area = area;
  gauge.last_click_button = button;
  fire(*this, gauge, *area, point, single);
  for (int i = 0; i < repeats && area_takes(*area, single | kMouseRepeat); ++i)
    fire(*this, gauge, *area, point, single | kMouseRepeat);
  return area;
}

const MouseRect* Session::area_at(const GaugeInstance& gauge, PixPoint point) const {
  return on_gauge(gauge, point) ? hit_child(gauge.header->mouse_rects, point) : nullptr;
}

const MouseRect* Session::repeat(GaugeInstance& gauge, PixPoint point) {
  const MouseRect* area = gauge.last_click_area;
  const uint32_t flags = button_flag(gauge.last_click_button) | kMouseRepeat;
  if (!area || !area_takes(*area, flags)) return nullptr;
  const Calling calling(calling_, gauge);
  bind_parameters(gauge);
  fire(*this, gauge, *area, point, flags);
  return area;
}

const MouseRect* Session::drag(GaugeInstance& gauge, PixPoint point) {
  const MouseRect* area = gauge.last_click_area;
  const uint32_t flags = kMouseLeftSingle | kMouseLeftDrag;
  if (!area || !area_takes(*area, flags)) return nullptr;
  const Calling calling(calling_, gauge);
  bind_parameters(gauge);
  fire(*this, gauge, *area, point, flags);
  return area;
}

Tooltip Session::tooltip(const GaugeInstance& gauge, PixPoint point) const {
  if (!on_gauge(gauge, point)) return {};
  const MouseRect* record = nullptr;
  const MouseRect* parent = tooltip_parent(gauge.header->mouse_rects, point, &record);
  if (!parent) return {};
  if (record && record->tooltip_text) {
    bind_parameters(gauge);
    const auto read = [this](ModuleVar& var) {
      sim_.fill(var);
      return source_value(var);
    };
    return {Tooltip::Kind::text,
            crv5::common::latin1_to_utf8(format_tooltip(*record, gauge.header, read))};
  }
  const int32_t help_id = record && record->help_id ? record->help_id : parent->help_id;
  if (help_id == 0) return {};
  return {Tooltip::Kind::help, help_text(help_id), help_id};
}

void load_panel_file(Session& session, const std::filesystem::path& file, std::ostream& warnings,
                     const PanelLoad& how) {
  const PanelConfig config = read_panel_config(file);
  std::vector<PanelProblem> problems = config.warnings;
  const std::vector<PanelProblem> loaded = session.load_panel(config, how);
  problems.insert(problems.end(), loaded.begin(), loaded.end());
  sort_by_line(problems);
  for (const PanelProblem& problem : problems)
    warnings << panel_where(file, problem.line) << "warning: " << problem.problem << "\n";
}

}  // namespace gaugehost
