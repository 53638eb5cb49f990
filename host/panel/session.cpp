#include "host/panel/session.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>

#include "common/latin1.h"
#include "host/audio/audio.h"
#include "host/eval/evaluate.h"
#include "host/loader/module_call.h"
#include "host/mouse/hit_testing.h"
#include "host/panel/numbers.h"
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

bool equal_nocase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// "FILE:LINE: " of a panel configuration, for messages.
std::string where(const PanelConfig& config, int line) {
  return config.file.string() + ":" + std::to_string(line) + ": ";
}

// A gauge placed without a height keeps the proportions of its background bitmap.
int32_t scaled_height(const PanelConfig& config, const GaugePlacement& placement,
                      const GaugeInstance& gauge) {
  const PixSize bitmap = gauge.bitmap_size;  // never 0 wide
  const double height = std::floor(double(placement.w) * bitmap.height / bitmap.width + 0.5);
  if (!(height >= 1 && height <= kMaxWindowPixels))
    throw HostError(where(config, placement.line) + "gauge " + quote_input(placement.gauge) +
                    " at width " + std::to_string(placement.w) + " would be " + std::to_string(int64_t(std::min(height, 1e15))) +
                    " pixels high, expected 1 to " + std::to_string(kMaxWindowPixels) +
                    "; give its height");
  return int32_t(height);
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

void Session::load_panel(const PanelConfig& config) {
  // Every placement is checked before any gauge is installed.
  std::vector<std::vector<GaugeHeader*>> headers;
  for (const WindowConfig& window : config.windows) {
    if (find_window(window.ident))
      throw HostError(where(config, window.line) + "a window with ident " +
                      std::to_string(window.ident) + " is already open");
    auto& window_headers = headers.emplace_back();
    for (const GaugePlacement& placement : window.gauges) {
      if (!equal_nocase(placement.module, module_->name()))
        throw HostError(where(config, placement.line) + "unknown module " +
                        quote_input(placement.module) + " (the loaded module is " +
                        module_->name() + ")");
      GaugeHeader* header = module_->find_gauge(placement.gauge);
      if (!header)
        throw HostError(where(config, placement.line) + "unknown gauge " +
                        quote_input(placement.gauge) + " in module " + module_->name());
      window_headers.push_back(header);
    }
  }

  const size_t first_window = windows_.size();
  const size_t first_new = gauges_.size();
  try {
    add_windows(config, headers);
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
}

void Session::add_windows(const PanelConfig& config,
                          const std::vector<std::vector<GaugeHeader*>>& headers) {
  for (size_t w = 0; w < config.windows.size(); ++w) {
    const WindowConfig& cfg = config.windows[w];
    Window window{.number = cfg.number,
                  .title = cfg.title,
                  .ident = cfg.ident,
                  .ident_name = cfg.ident_name,
                  .visible = cfg.visible,
                  .position = cfg.position.value_or(0),
                  .file = cfg.file,
                  .background = background_path(config.file, cfg.file)};
    if (cfg.size_mm) window.size_mm = {cfg.size_mm->first, cfg.size_mm->second};
    windows_.push_back(window);
    const size_t index = windows_.size() - 1;
    PixSize extent{};
    for (size_t g = 0; g < cfg.gauges.size(); ++g) {
      const GaugePlacement& placement = cfg.gauges[g];
      GaugeInstance& gauge = add_instance(headers[w][g], index, placement.parameters);
      const int32_t height = placement.h ? *placement.h : scaled_height(config, placement, gauge);
      gauge.placement = {placement.x, placement.y, placement.w, height};
      // Each term is within kMaxWindowPixels of 0, so the sums cannot overflow.
      extent.width = std::max(extent.width, placement.x + placement.w);
      extent.height = std::max(extent.height, placement.y + height);
    }
    Window& made = windows_[index];
    if (cfg.window_size)
      made.window_size = {cfg.window_size->first, cfg.window_size->second};
    else if (cfg.size_mm)
      made.window_size = made.size_mm;
    else
      made.window_size = extent;
    if (made.window_size.width > kMaxWindowPixels || made.window_size.height > kMaxWindowPixels)
      throw HostError(where(config, cfg.line) + "[Window" + (cfg.number < 10 ? "0" : "") +
                      std::to_string(cfg.number) + "] needs " +
                      std::to_string(extent.width) + " x " + std::to_string(extent.height) +
                      " pixels for its gauges, more than " + std::to_string(kMaxWindowPixels) +
                      " x " + std::to_string(kMaxWindowPixels) + "; give it a window_size");
  }
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
  const MouseRect* area =
      on_gauge(gauge, point) ? hit_child(gauge.header->mouse_rects, point) : nullptr;
  const uint32_t single = button_flag(button);
  if (!area || !area_takes(*area, single)) return nullptr;
  gauge.last_click_area = area;
  gauge.last_click_button = button;
  fire(*this, gauge, *area, point, single);
  for (int i = 0; i < repeats && area_takes(*area, single | kMouseRepeat); ++i)
    fire(*this, gauge, *area, point, single | kMouseRepeat);
  return area;
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

}  // namespace gaugehost
