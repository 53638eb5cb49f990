// A session of the host: one loaded module, the simulated aircraft, the panel windows and the
// gauge instances placed in them, with the gauge lifecycle (install 2, connect 14, update 6 with
// element evaluation, kill 12), key events, panel-window requests and the mouse.
//
// Drawing and checks read a session; they do not change it except through its methods. One
// session is active at a time: the module's service calls go to the active session.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/eval/evaluate.h"
#include "host/eval/evaluated.h"
#include "host/loader/module.h"
#include "host/mouse/tooltip.h"
#include "host/panel/panel_config.h"
#include "host/sim/aircraft_model.h"
#include "host/sim/flight/flight_source.h"
#include "host/sim/sim_state.h"

namespace gaugehost {

namespace flight {
class CorvaneFlight;
}

// A gauge the loaded module cannot place (of another module, or a name the module lacks): drawn
// as a labelled box at its place, without mouse areas.
struct Placeholder {
  std::string label;  // "module!gauge"
  PixBox box{};       // window units
  int line = 0;       // of the panel file
};

// Where a window lies on the screen, as fractions of the screen's width and height.
struct ScreenRect {
  double x = 0, y = 0, w = 0, h = 0;
};

struct Window {
  int number = 0;               // NN of [WindowNN]; -1 for a window made by place_gauge
  bool vcockpit = false;        // a [VcockpitNN] texture, not a window of the 2D panel
  std::string title;
  int32_t ident = 0;            // panel id that key events and panel_window_toggle name
  std::string ident_name;       // e.g. "MAIN_PANEL", or ""
  bool visible = true;
  int32_t position = 0;         // panel.cfg's screen position code
  // The window's coordinate space (size_mm), in which its gauges are placed; drawn at one
  // pixel a unit.
  PixSize window_size{};
  PixSize texture_size{};       // a virtual cockpit's texture pixels (its pixel_size, else its
                                // coordinate space)
  ScreenRect screen{};          // where the simulator shows it (0 for a virtual cockpit)
  std::string file;             // background bitmap chosen for the screen, or ""
  std::filesystem::path background;  // where that bitmap is read from (see background_path)
  std::optional<Rgb> paint;     // background_color: the window's colour without a bitmap
  std::vector<Placeholder> placeholders;
};

// How a panel is loaded: for which screen, and which of its windows.
struct PanelLoad {
  ScreenSize screen{};
  // The [VcockpitNN] textures instead of the 2D windows (a panel without 2D windows loads its
  // virtual cockpits anyway).
  bool vcockpits = false;
};

// Where a window's `file=` bitmap is read from: beside the panel configuration; for a panel of
// this project's panels/ folder whose bitmap is not there, the one the build draws for it
// (build/panels/...). Empty for an empty name.
std::filesystem::path background_path(const std::filesystem::path& panel_file,
                                      const std::string& name);

enum class MouseButton { left, right };

struct GaugeInstance {
  GaugeHeader* header = nullptr;   // the module's header (shared by instances of one gauge)
  std::string name;                // "Engine_RPM", or "Engine_RPM:2" for the second instance
  size_t window = 0;               // index into Session::windows()
  PixBox placement{};              // window pixels: x, y, w, h
  PixSize bitmap_size{};           // size of the background bitmap (click and tooltip pixels)
  std::string parameters;          // parameter text ("" for none)
  EvaluatedElement root;           // the element tree as of the last update
  bool updated = false;            // evaluated at least once

  // The user-data word: the module keeps it in the gauge header, shared by the gauge's instances.
  uintptr_t user_data() const { return header ? header->user_data : 0; }

  // Host-owned per-instance state.
  EvaluationCache evaluation_cache;  // string buffers and what spares repeated work
  const MouseRect* last_click_area = nullptr;
  MouseButton last_click_button = MouseButton::left;

  // What the last cycle cost this instance, in seconds of the host's time: its update call (6)
  // and the evaluation of its elements (kept while the session's gauge timing is on).
  double update_seconds = 0;
  double evaluate_seconds = 0;
};

// Told of every key event and panel-window toggle as it is sent, with the gauge instance whose
// call sent it (null when none did, as for `key` lines of a check file).
using EventObserver = std::function<void(const KeyEvent& event, const GaugeInstance* sender)>;

// The gauges of `windows` that `module` cannot place, one problem per module the panel names
// other than the module itself (with their count, at the first one's line) and one per gauge name
// the module lacks; modules named in `assumed` are taken as present.
std::vector<PanelProblem> foreign_gauges(const std::vector<WindowConfig>& windows,
                                         const Module& module,
                                         const std::vector<std::string>& assumed = {});

// Whether a placement names a gauge of `module`.
bool of_module(const GaugePlacement& placement, const Module& module);

class Session {
 public:
  // Takes a freshly loaded module, attaches the host's services to it and makes this session the
  // active one. Audio records are reset.
  explicit Session(std::unique_ptr<Module> module);
  // Sends pre-kill to the gauges unless `kill()` already did.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const Module& module() const { return *module_; }
  uintptr_t module_handle() const { return module_->handle(); }
  SimState& sim() { return sim_; }
  const SimState& sim() const { return sim_; }

  const std::vector<Window>& windows() const { return windows_; }
  const std::vector<std::unique_ptr<GaugeInstance>>& gauges() const { return gauges_; }

  // --- Setting up ---
  // Creates the windows and instances of a panel configuration, installs (2) every gauge of every
  // window in configuration order, then connects (14) them. A gauge of another module, or one
  // the module lacks, becomes a placeholder. Returns what the simulator would go on with (the
  // placeholders, a window without a usable size); throws HostError (naming the file and line)
  // for a window or gauge too big to lay out, or an ident of a window loaded before.
  std::vector<PanelProblem> load_panel(const PanelConfig& config, const PanelLoad& how = {});
  // Places one gauge in a visible window of its own and installs it.
  GaugeInstance& place_gauge(std::string_view gauge_name, std::string parameters = {});
  void connect();          // 14 to every placed gauge, in placement order
  void update(int cycles = 1);  // per cycle, for gauges of visible windows: 6, then evaluation
  // The parts of a cycle, for those who time them: one gauge's 6 and evaluation, whatever its
  // window; the aircraft model's 1/18 s (nothing with the model off).
  void update_gauge(GaugeInstance& gauge);
  void advance_model();
  // Whether each cycle records what each gauge's update and evaluation cost (off by default:
  // reading the clock twice a gauge would cost more than most gauges' work).
  void set_gauge_timing(bool on) { timing_ = on; }
  void kill();             // 12 to every placed gauge

  // --- Finding ---
  // "NAME" (the first instance) or "NAME:N" (the N-th, from 1); null when there is none.
  GaugeInstance* find_gauge(std::string_view name);
  // A window by its panel id (a number), its ident name or its title; null when there is none.
  Window* find_window(std::string_view ident);
  Window* find_window(int32_t panel_id);

  // --- Acting ---
  void set_window_visible(Window& window, bool visible);
  void set_model(bool on) { model_on_ = on; }
  bool model_on() const { return model_on_; }
  // Replaces the aircraft model (the default does nothing).
  void set_aircraft_model(std::unique_ptr<AircraftModel> model);
  // Where the flight variables come from while the model runs, after the aircraft model each
  // cycle: the host's own flight model (the default) or a FlightGear link.
  FlightSource& flight() { return *flight_; }
  // The host's own flight model, or null while another source (FlightGear) gives the flight.
  flight::CorvaneFlight* own_flight();
  // Puts the aircraft into the named scenario of the host's own flight model and makes the
  // scenario's clicks on the gauges of the loaded panel (after load_panel, so that its variables
  // win over what the start-state gauge set on connect); throws HostError for an unknown name or
  // when another source gives the flight.
  void apply_scenario(std::string_view name);
  void set_flight_source(std::unique_ptr<FlightSource> source);

  // A single click at `point` (background-bitmap pixels), then `repeats` calls as if the button
  // were held. Returns the area that took the click, or null (also for a point off the bitmap).
  const MouseRect* click(GaugeInstance& gauge, PixPoint point, MouseButton button, int repeats = 0);
  // The child area a click at `point` reaches, whatever button it takes; null off the bitmap.
  const MouseRect* area_at(const GaugeInstance& gauge, PixPoint point) const;
  // A repeated call (the button still held) at `point` to the area of the gauge's last click, if
  // it takes repeats. Returns that area or null.
  const MouseRect* repeat(GaugeInstance& gauge, PixPoint point);
  // A left-drag call at `point` to the area of the gauge's last click. Returns that area or null.
  const MouseRect* drag(GaugeInstance& gauge, PixPoint point);
  Tooltip tooltip(const GaugeInstance& gauge, PixPoint point) const;

  // Evaluates the gauge's elements into `into` for a picture drawn between two cycles (after a
  // click, as the simulator redraws its panel at once): the element callbacks run, but the gauge's
  // own tree, from which the next cycle limits a needle's turn, stays as the last cycle left it.
  void evaluate_between_cycles(GaugeInstance& gauge, EvaluatedElement& into);

  // Key events and window toggles are reported to `observer` as they are sent (one observer).
  void set_event_observer(EventObserver observer) { observer_ = std::move(observer); }

  // --- The host services (what the module's calls do) ---
  void send_key_event(uint32_t id, uint32_t value);
  void toggle_panel_window(uint32_t panel_id);
  void lookup(ModuleVar& var) const { sim_.fill(var); }

 private:
  void call_gauge(GaugeInstance& gauge, int32_t service_id, uintptr_t extra = 0);
  GaugeInstance& add_instance(GaugeHeader* header, size_t window, std::string parameters);
  void evaluate(GaugeInstance& gauge);
  // Evaluates the gauge's elements into `into`; an error names the gauge.
  void evaluate_tree(GaugeInstance& gauge, EvaluatedElement& into);
  // The windows and gauge instances of a checked panel, laid out; throws HostError (naming the
  // file and line) for a window or gauge too big.
  void add_windows(const PanelConfig& config, const std::vector<WindowConfig>& windows,
                   const std::vector<std::vector<GaugeHeader*>>& headers, const PanelLoad& how,
                   std::vector<PanelProblem>& problems);

  std::unique_ptr<Module> module_;
  HostServices services_{};
  SimState sim_;
  std::vector<Window> windows_;
  std::vector<std::unique_ptr<GaugeInstance>> gauges_;
  std::unique_ptr<AircraftModel> model_;
  std::unique_ptr<FlightSource> flight_;
  EventObserver observer_;
  const GaugeInstance* calling_ = nullptr;  // the instance whose call is under way
  bool model_on_ = false;
  bool timing_ = false;
  bool killed_ = false;
};

// Reads a panel file and loads it into `session`; what the reader and the load read over is
// printed to `warnings`, one "FILE:LINE: warning: problem" line each.
void load_panel_file(Session& session, const std::filesystem::path& file, std::ostream& warnings,
                     const PanelLoad& how = {});

}  // namespace gaugehost
