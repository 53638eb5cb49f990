// The live cockpit behind the web page: one host session (the module, the panel, the aircraft
// with its model on) run at the simulator's 18 cycles a second on a thread of its own, and what
// the pages may ask of it. Every page sees the one state: each cycle's drawing is kept per gauge
// as encoded display-list operations with the frame in which each last changed, so a page is sent
// only what changed since the frame it last saw, and a still cockpit sends nothing but a
// heartbeat. Clicks act at once and the panel is drawn again straight away, as the simulator
// redraws after a click, without waiting for the next cycle. A page times a held button itself and
// asks for each repeat, so a page that falls behind can never turn a click into a hold.
//
// Each run of the cockpit has a session id of its own; the stream's event ids carry it, so a page
// that reconnects to a new run (the server restarted) is sent the whole panel afresh and told the
// new session, and fetches the layout again.
//
// Thread-safe: every public method may be called from any thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "host/audio/audio.h"
#include "host/panel/session.h"
#include "host/render/image_store.h"
#include "host/web/gauge_track.h"

namespace gaugehost::flightgear {
class FlightGearLink;
}

namespace gaugehost::web {

// A request that cannot be carried out as asked: the server answers it with 400 and the text.
class BadRequest : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// FlightGear flying the cockpit: its frames on UDP 127.0.0.1:listen_port, the panel's frames
// sent to send_address:send_port.
struct FlightGearOptions {
  uint16_t listen_port = 0;
  std::string send_address = "127.0.0.1";
  uint16_t send_port = 0;
};

struct CockpitOptions {
  std::filesystem::path module;
  std::filesystem::path panel;
  std::string scenario = "ramp";
  std::optional<FlightGearOptions> flightgear;
};

// How a page repeats a held button's call (it tells the page in the layout): the first repeat
// after kRepeatDelay of the page's own clock, then one every kRepeatInterval, each a request.
inline constexpr std::chrono::milliseconds kRepeatDelay{300};
inline constexpr std::chrono::milliseconds kRepeatInterval{100};
// A page may set at most this many failure keys beyond those the panel's gauges name: what a
// page sends cannot grow the cockpit without bound.
// A page asks for at most this many variables at once (more are refused, not dropped).
inline constexpr size_t kMaxVariablesAsked = 256;
inline constexpr size_t kMaxExtraFailureKeys = 64;
inline constexpr double kCyclesPerSecond = 18;
// A stream with nothing to tell says so this often, with the frame it has come to.
inline constexpr std::chrono::milliseconds kHeartbeat{1000};

// The variable ids of a request, written "A,B,...": each a whole number from 0 to 4294967295, at
// most kMaxVariablesAsked of them. Throws BadRequest saying what is wrong.
std::vector<uint32_t> variable_ids(std::string_view list);
// Every token variable the host knows, as [{"id", "role", "unit"}, ...] in order of number.
std::string catalogue_json();

class Cockpit {
 public:
  // Loads the module and the panel, puts the aircraft into the scenario and turns its model on;
  // throws HostError when one of them cannot be.
  explicit Cockpit(const CockpitOptions& options);
  ~Cockpit();
  Cockpit(const Cockpit&) = delete;
  Cockpit& operator=(const Cockpit&) = delete;

  // Runs the cycles on a thread of the cockpit's own until stop() or destruction.
  void start();
  void stop();
  // One cycle now, on the caller's thread (tests and benchmarks drive the cockpit this way).
  void cycle();

  // The panel as it stands still: windows, gauges with their places and mouse areas, failure
  // keys, the colours of night lighting, the repeat timing.
  std::string layout_json();

  // Waits up to `wait` for a change after frame `since` and returns what changed after `since`
  // as a JSON object, setting `frame` to the frame it brings the page up to; "" when nothing
  // changed (`frame` is then the frame the cockpit has come to, all of it known to the page).
  std::string frame_since(uint64_t since, uint64_t& frame, std::chrono::milliseconds wait);
  uint64_t frame();
  std::string session_id() const { return session_id_; }
  // Waits up to `wait` for a frame after `since`; the frame there is then.
  uint64_t wait_for_frame(uint64_t since, std::chrono::milliseconds wait);

  // The stream of server-sent events, as the page reads it. resume_point() is the frame a page
  // that last saw event id `last_event_id` ("SESSION/FRAME", or "" for a new page) goes on from:
  // 0 (everything) unless it saw this session. next_message() does not wait: it returns what came
  // after frame `since` as one whole event, a "frame", or a "beat" ({"frame","time","session"})
  // when nothing changed and `beat_due` (the stream has been still for kHeartbeat), advancing
  // `since`; "" when there is nothing to send yet or the cockpit stops.
  uint64_t resume_point(std::string_view last_event_id);
  std::string next_message(uint64_t& since, bool beat_due);

  // A request of a page (action names: mouse, window, control, sim, var, failure), its body a
  // JSON object; the answer is a JSON object. Throws BadRequest. Mouse actions: "down" (a click
  // with "button" left or right at "x", "y"), "repeat" (the button still held: one more call at
  // the point given), "drag".
  std::string act(const std::string& action, const nlohmann::json& body);
  // The tooltip at a point of a gauge, as {"text":...} or {"text":null}.
  std::string tooltip_json(int64_t gauge, double x, double y);
  // Current values of token variables, with their role and unit where known; at most
  // kMaxVariablesAsked of them (more throw BadRequest).
  std::string variables_json(const std::vector<uint32_t>& ids);
  // What each gauge cost in the last second of cycles.
  std::string costs_json();
  // Where the flight comes from: {"flight": the source's status line, "flightgear": null or
  // {"frames", "malformed", "out_of_range", "live", "stale", "sent", "not_sent"}}.
  std::string status_json();

  // A module bitmap as PNG bytes, tinted for night lighting ("none", "dim" or "warm").
  std::optional<std::string> bitmap_png(int32_t id, const std::string& tint);
  // A window's background bitmap as PNG bytes, tinted.
  std::optional<std::string> background_png(size_t window, const std::string& tint);
  // A decoded click, as a 16-bit PCM WAVE file, by the number frames give it.
  std::optional<std::string> sound_wav(int64_t number);

  // Bytes of frames handed out, for the benchmark's figures.
  uint64_t frame_bytes() const { return frame_bytes_; }

 private:
  struct LoggedEvent {
    uint64_t frame;
    std::string json;
  };
  struct Cost {
    double update = 0, evaluate = 0, draw = 0;  // seconds, averaged over about a second
  };

  void run();
  void cycle_locked();
  void fly_with_flightgear(const FlightGearOptions& options);
  // Draws every gauge of the visible windows into the tracks as a new frame; between cycles the
  // elements are evaluated afresh without disturbing the cycle's own evaluation.
  void publish(bool between_cycles);
  void take_sounds();
  void note_panel_lights();
  void log_event(const KeyEvent& event, const GaugeInstance* sender);

  std::string act_mouse(const nlohmann::json& body);
  std::string act_window(const nlohmann::json& body);
  std::string act_control(const nlohmann::json& body);
  std::string act_sim(const nlohmann::json& body);
  std::string act_var(const nlohmann::json& body);
  std::string act_failure(const nlohmann::json& body);
  GaugeInstance& gauge_at(const nlohmann::json& body);
  void send_controls();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<Session> session_;
  const flightgear::FlightGearLink* flightgear_ = nullptr;  // owned by the session, when it flies
  std::unique_ptr<render::ImageStore> images_;
  std::vector<GaugeTrack> tracks_;
  std::vector<Cost> costs_;
  std::vector<bool> window_visible_;
  std::vector<uint64_t> window_changed_;
  std::vector<int32_t> failure_keys_;
  size_t panel_failure_keys_ = 0;  // how many of them the panel's gauges name
  uint64_t failures_changed_ = 0;
  uint64_t sim_changed_ = 0;
  uint64_t frame_ = 0;
  uint64_t last_change_ = 0;  // the last frame that brings the pages anything
  double panel_lights_ = 0;
  std::string session_id_;
  std::deque<LoggedEvent> events_;
  std::deque<LoggedEvent> sounds_;
  uint64_t event_count_ = 0;
  std::vector<std::shared_ptr<const audio::DecodedSound>> sound_files_;
  const char* acting_ = "cycle";  // what the events sent now answer: cycle, click, repeat, drag, ...
  bool paused_ = false;
  int rate_ = 1;  // cycles per tick
  double elevator_ = 0, aileron_ = 0, throttle_ = 0;
  std::chrono::steady_clock::time_point started_;
  std::atomic<uint64_t> frame_bytes_{0};

  std::thread thread_;
  bool stopping_ = false;
};

}  // namespace gaugehost::web
