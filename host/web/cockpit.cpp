#include "host/web/cockpit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <map>
#include <random>
#include <set>

#include <nlohmann/json.hpp>

#include "host/mouse/hit_testing.h"
#include "host/render/cairo_backend.h"
#include "host/render/session_render.h"
#include "host/sim/key_events.h"
#include "host/sim/start_state.h"
#include "host/sim/variables.h"
#include "host/sim/flight/corvane_flight.h"
#include "host/sim/flightgear/flightgear_link.h"
#include "host/web/op_codec.h"

namespace gaugehost::web {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

// The throttle lever the keyboard works, as the key event the throttle quadrant sends (0 closed
// to 16384 full); elevator and ailerons go to the flight model's controls (-1 to 1, nose down and
// left wing down negative).
constexpr uint32_t kEventThrottleSet = 0x1011c;
constexpr double kThrottleFull = 16384;

// Kept for pages that fall behind or join late.
constexpr size_t kKeptLogEntries = 500;

constexpr int kMaxRate = 16;
constexpr double kCostSmoothing = 1.0 / kCyclesPerSecond;  // about a second of cycles

double number_field(const json& body, const char* name) {
  auto it = body.find(name);
  if (it == body.end() || !it->is_number()) throw BadRequest(std::string("expected a number \"") + name + "\"");
  const double value = it->get<double>();
  if (!std::isfinite(value)) throw BadRequest(std::string("\"") + name + "\" is not finite");
  return value;
}

// A whole number from `low` to `high`.
int64_t whole_field(const json& body, const char* name, int64_t low, int64_t high) {
  const double value = number_field(body, name);
  if (value != std::floor(value) || value < double(low) || value > double(high))
    throw BadRequest(std::string("\"") + name + "\" must be a whole number from " +
                     std::to_string(low) + " to " + std::to_string(high));
  return int64_t(value);
}

std::string string_field(const json& body, const char* name) {
  auto it = body.find(name);
  if (it == body.end() || !it->is_string()) throw BadRequest(std::string("expected a text \"") + name + "\"");
  return it->get<std::string>();
}

bool bool_field(const json& body, const char* name) {
  auto it = body.find(name);
  if (it == body.end() || !it->is_boolean()) throw BadRequest(std::string("expected true or false \"") + name + "\"");
  return it->get<bool>();
}

std::optional<render::Tint> tint_named(const std::string& name) {
  if (name == "none") return render::Tint::none;
  if (name == "dim") return render::Tint::dim;
  if (name == "warm") return render::Tint::warm;
  return std::nullopt;
}

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

std::optional<std::string> png_of(cairo_surface_t* surface) {
  if (!surface) return std::nullopt;
  std::string bytes;
  if (cairo_surface_write_to_png_stream(surface, append_bytes, &bytes) != CAIRO_STATUS_SUCCESS)
    return std::nullopt;
  return bytes;
}

void put_le(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xff));
}

std::string wav_of(const audio::DecodedSound& sound) {
  const uint32_t data = uint32_t(sound.samples.size() * 2);
  std::string out = "RIFF";
  put_le(out, 36 + data, 4);
  out += "WAVEfmt ";
  put_le(out, 16, 4);
  put_le(out, 1, 2);  // PCM
  put_le(out, uint32_t(sound.channels), 2);
  put_le(out, uint32_t(sound.sample_rate), 4);
  put_le(out, uint32_t(sound.sample_rate * sound.channels * 2), 4);
  put_le(out, uint32_t(sound.channels * 2), 2);
  put_le(out, 16, 2);
  out += "data";
  put_le(out, data, 4);
  for (int16_t s : sound.samples) put_le(out, uint16_t(s), 2);
  return out;
}

// Every failure key named by an element of the module's gauges.
void collect_failures(ElementHeader* header, std::set<int32_t>& keys) {
  if (!header) return;
  for (const FailureRecord* f = header->failures; f && f->key != 0; ++f) keys.insert(f->key);
  for (ElementHeader* const* child = header->next; child && *child; ++child)
    collect_failures(*child, keys);
}

json areas_json(const GaugeInstance& gauge) {
  json areas = json::array();
  for (const PlacedArea& area :
       place_mouse_areas(gauge.header->mouse_rects, gauge.bitmap_size)) {
    const MouseRect& r = *area.rect;
    json a = {{"kind", r.kind == kMouseParent ? "parent" : "child"},
              {"box", {area.box.x, area.box.y, area.box.width, area.box.height}},
              {"cursor", r.cursor},
              {"help", r.help_id},
              {"depth", area.depth},
              {"flags", r.mouse_flags}};
    if (r.event_id) a["event"] = r.event_id;
    areas.push_back(std::move(a));
  }
  return areas;
}

std::string hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

// A run's own id: a page that saw another run's frames starts again.
std::string new_session_id() {
  std::random_device device;
  const uint64_t bits = (uint64_t(device()) << 32) ^ device() ^
                        uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
  return hex(bits).substr(2);
}

// The gauges whose elements name each failure key, for the designer's list.
json failure_users(const std::vector<std::unique_ptr<GaugeInstance>>& gauges) {
  std::map<int32_t, std::set<std::string>> users;
  for (const auto& gauge : gauges) {
    if (!gauge->header->elements) continue;
    std::set<int32_t> keys;
    collect_failures(gauge->header->elements[0], keys);
    for (int32_t key : keys) users[key].insert(gauge->name);
  }
  json out = json::object();
  for (const auto& [key, names] : users) out[std::to_string(key)] = names;
  return out;
}

}  // namespace

Cockpit::Cockpit(const CockpitOptions& options)
    : session_id_(new_session_id()), started_(Clock::now()) {
  session_ = std::make_unique<Session>(Module::load(options.module));
  session_->set_gauge_timing(true);  // the designer's per-gauge costs
  // The ramp before the panel connects (the start-state gauge reads the tank capacities then),
  // the scenario after it, with the model on to answer the scenario's clicks.
  set_ramp_state(session_->sim());
  load_panel_file(*session_, options.panel, std::cerr);
  session_->set_model(true);
  session_->apply_scenario(options.scenario);
  if (options.flightgear) fly_with_flightgear(*options.flightgear);
  session_->set_event_observer(
      [this](const KeyEvent& event, const GaugeInstance* sender) { log_event(event, sender); });
  images_ = std::make_unique<render::ImageStore>(
      render::ImageStore::for_module(session_->module_handle()));
  tracks_.resize(session_->gauges().size());
  costs_.resize(session_->gauges().size());
  window_visible_.assign(session_->windows().size(), false);
  window_changed_.assign(session_->windows().size(), 0);
  std::set<int32_t> keys;
  for (const auto& gauge : session_->gauges())
    if (gauge->header->elements) collect_failures(gauge->header->elements[0], keys);
  failure_keys_.assign(keys.begin(), keys.end());
  panel_failure_keys_ = failure_keys_.size();
  std::lock_guard lock(mutex_);
  cycle_locked();
}

Cockpit::~Cockpit() { stop(); }

// FlightGear flies from the scenario's systems on; the host's systems model keeps running.
void Cockpit::fly_with_flightgear(const FlightGearOptions& options) {
  auto link = std::make_unique<flightgear::FlightGearLink>(
      std::make_unique<flightgear::UdpInput>(options.listen_port),
      std::make_unique<flightgear::UdpOutput>(options.send_address, options.send_port));
  flightgear_ = link.get();
  session_->set_flight_source(std::move(link));
}

void Cockpit::start() {
  std::lock_guard lock(mutex_);
  if (thread_.joinable()) return;
  stopping_ = false;
  thread_ = std::thread([this] { run(); });
}

void Cockpit::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void Cockpit::run() {
  const auto period = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(1.0 / kCyclesPerSecond));
  auto next = Clock::now() + period;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (changed_.wait_until(lock, next, [this] { return stopping_; })) break;
    cycle_locked();
    next += period;
    // A host that fell far behind (a stopped process, a slow machine) carries on from now.
    if (Clock::now() - next > 10 * period) next = Clock::now() + period;
    lock.unlock();
    changed_.notify_all();
    lock.lock();
  }
}

void Cockpit::cycle() {
  {
    std::lock_guard lock(mutex_);
    cycle_locked();
  }
  changed_.notify_all();
}

void Cockpit::cycle_locked() {
  if (!paused_) session_->update(rate_);
  publish(false);
}

void Cockpit::publish(bool between_cycles) {
  ++frame_;
  const auto& gauges = session_->gauges();
  const auto sizes = images_->sizes();
  for (size_t i = 0; i < gauges.size(); ++i) {
    GaugeInstance& gauge = *gauges[i];
    if (!session_->windows()[gauge.window].visible) continue;
    const auto start = Clock::now();
    render::DisplayList list;
    if (between_cycles) {
      EvaluatedElement fresh;
      session_->evaluate_between_cycles(gauge, fresh);
      list = render::build_display_list(fresh, sizes);
    } else {
      if (!gauge.updated) continue;
      list = render::build_display_list(gauge.root, sizes);
    }
    if (tracks_[i].update(list, frame_)) last_change_ = frame_;
    const double draw = std::chrono::duration<double>(Clock::now() - start).count();
    if (!between_cycles) {
      Cost& cost = costs_[i];
      cost.update += (gauge.update_seconds - cost.update) * kCostSmoothing;
      cost.evaluate += (gauge.evaluate_seconds - cost.evaluate) * kCostSmoothing;
      cost.draw += (draw - cost.draw) * kCostSmoothing;
    }
  }
  for (size_t w = 0; w < session_->windows().size(); ++w) {
    const bool visible = session_->windows()[w].visible;
    if (visible != window_visible_[w] || frame_ == 1) {
      window_visible_[w] = visible;
      window_changed_[w] = frame_;
      last_change_ = frame_;
    }
  }
  note_panel_lights();
  take_sounds();
  session_->sim().take_events();  // the log keeps them; the session's own record stays small
  audio::take_played();
}

// The panel-light switch lights the page's panel as the simulator's night lighting.
void Cockpit::note_panel_lights() {
  const double lights = session_->sim().var(kPanelLights);
  if (lights == panel_lights_ && frame_ > 1) return;
  panel_lights_ = lights;
  sim_changed_ = last_change_ = frame_;
}

void Cockpit::take_sounds() {
  for (const audio::StartedSound& started : audio::take_started()) {
    if (!started.sound || started.sound->frames() == 0) continue;
    auto found = std::find(sound_files_.begin(), sound_files_.end(), started.sound);
    if (found == sound_files_.end()) {
      // A buffer filled again with the same samples is the same click.
      found = std::find_if(sound_files_.begin(), sound_files_.end(), [&](const auto& known) {
        return known->samples == started.sound->samples &&
               known->sample_rate == started.sound->sample_rate &&
               known->channels == started.sound->channels;
      });
      if (found == sound_files_.end()) {
        sound_files_.push_back(started.sound);
        found = sound_files_.end() - 1;
      }
    }
    const json entry = {{"sound", found - sound_files_.begin()},
                        {"wave", started.wave_id},
                        {"from", double(started.first_frame) / started.sound->sample_rate}};
    sounds_.push_back({frame_, entry.dump()});
    last_change_ = frame_;
    if (sounds_.size() > kKeptLogEntries) sounds_.pop_front();
  }
}

void Cockpit::log_event(const KeyEvent& event, const GaugeInstance* sender) {
  const double wall = std::chrono::duration<double>(Clock::now() - started_).count();
  const KeyEventInfo* known = event.window_toggle ? nullptr : find_key_event(event.id);
  json entry = {{"n", ++event_count_},
                {"event", event.window_toggle ? "window" : hex(event.id)},
                {"name", event.window_toggle ? "panel window" : known ? known->name : "unknown"},
                {"value", event.window_toggle ? event.id : event.value},
                {"signed", int32_t(event.window_toggle ? event.id : event.value)},
                {"gauge", sender ? json(sender->name) : json(nullptr)},
                {"by", acting_},
                {"sim_time", session_->sim().seconds()},
                {"time", wall}};
  // Sent with the frame that follows: the one that shows what the event did.
  events_.push_back({frame_ + 1, entry.dump()});
  last_change_ = frame_ + 1;
  if (events_.size() > kKeptLogEntries) events_.pop_front();
}

uint64_t Cockpit::frame() {
  std::lock_guard lock(mutex_);
  return frame_;
}

uint64_t Cockpit::resume_point(std::string_view last_event_id) {
  const size_t slash = last_event_id.find('/');
  if (slash == std::string_view::npos || last_event_id.substr(0, slash) != session_id_) return 0;
  uint64_t seen = 0;
  const std::string_view number = last_event_id.substr(slash + 1);
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), seen);
  if (error != std::errc() || end != number.data() + number.size()) return 0;
  std::lock_guard lock(mutex_);
  return seen <= frame_ ? seen : 0;
}

std::string Cockpit::next_message(uint64_t& since, bool beat_due) {
  uint64_t frame = since;
  // A page that starts afresh is told to come back within a second when the stream breaks.
  const std::string retry = since == 0 ? "retry: 1000\n" : "";
  const std::string data = frame_since(since, frame, {});
  std::lock_guard lock(mutex_);
  if (stopping_ || (data.empty() && !beat_due)) return {};
  const std::string id = "id: " + session_id_ + "/" + std::to_string(frame) + "\n";
  since = frame;
  if (!data.empty()) return retry + id + "event: frame\ndata: " + data + "\n\n";
  const std::string beat = "{\"frame\":" + std::to_string(frame) + ",\"time\":" +
                           short_number(session_->sim().seconds(), 3) + ",\"session\":\"" +
                           session_id_ + "\"}";
  frame_bytes_ += beat.size();
  return id + "event: beat\ndata: " + beat + "\n\n";
}

uint64_t Cockpit::wait_for_frame(uint64_t since, std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, wait, [&] { return frame_ > since || stopping_; });
  return frame_;
}

std::string Cockpit::frame_since(uint64_t since, uint64_t& frame, std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  const auto news = [&] {
    return stopping_ || since == 0 ||
           std::min(std::max({last_change_, sim_changed_, failures_changed_}), frame_) > since;
  };
  const bool told = changed_.wait_for(lock, wait, news);
  frame = std::max(frame_, since);
  if (!told || stopping_) return {};
  std::string out = "{\"frame\":" + std::to_string(frame_) +
                    ",\"time\":" + short_number(session_->sim().seconds(), 3);
  if (since == 0) out += ",\"session\":\"" + session_id_ + "\"";
  if (sim_changed_ > since || since == 0) {
    out += ",\"sim\":" + json{{"paused", paused_},
                              {"rate", rate_},
                              {"elevator", elevator_},
                              {"aileron", aileron_},
                              {"throttle", throttle_},
                              {"panel_lights", panel_lights_ != 0}}
                             .dump();
  }
  std::string windows;
  for (size_t w = 0; w < window_changed_.size(); ++w) {
    if (window_changed_[w] <= since) continue;
    if (!windows.empty()) windows += ",";
    windows += "[" + std::to_string(w) + "," + (window_visible_[w] ? "true" : "false") + "]";
  }
  if (!windows.empty()) out += ",\"windows\":[" + windows + "]";
  std::string gauges;
  for (size_t i = 0; i < tracks_.size(); ++i) {
    std::string changes = tracks_[i].changes_since(since, i);
    if (changes.empty()) continue;
    if (!gauges.empty()) gauges += ",";
    gauges += changes;
  }
  if (!gauges.empty()) out += ",\"gauges\":[" + gauges + "]";
  const auto log = [&](const char* name, const std::deque<LoggedEvent>& entries) {
    std::string items;
    for (const LoggedEvent& e : entries) {
      if (e.frame <= since || e.frame > frame_) continue;
      if (!items.empty()) items += ",";
      items += e.json;
    }
    if (!items.empty()) out += std::string(",\"") + name + "\":[" + items + "]";
  };
  if (since > 0) log("sounds", sounds_);  // a page that joins now hears only what comes next
  log("events", events_);
  if (failures_changed_ > since || since == 0) {
    json active = json::array();
    for (int32_t key : failure_keys_)
      if (session_->sim().failure_active(key)) active.push_back(key);
    out += ",\"failures\":" + active.dump();
  }
  out += "}";
  frame_bytes_ += out.size();
  return out;
}

std::string Cockpit::layout_json() {
  std::lock_guard lock(mutex_);
  json windows = json::array();
  for (size_t w = 0; w < session_->windows().size(); ++w) {
    const Window& window = session_->windows()[w];
    json entry = {{"index", w},
                  {"title", window.title},
                  {"ident", window.ident},
                  {"ident_name", window.ident_name},
                  {"size", {window.window_size.width, window.window_size.height}},
                  {"position", window.position},
                  {"background", !window.background.empty() &&
                                     images_->find_file(window.background) != nullptr}};
    // background_color, as 0xRRGGBB, and the gauges of other modules drawn as labelled boxes.
    if (window.paint)
      entry["paint"] = window.paint->red << 16 | window.paint->green << 8 | window.paint->blue;
    json placeholders = json::array();
    for (const Placeholder& p : window.placeholders)
      placeholders.push_back({{"label", p.label},
                              {"box", {p.box.x, p.box.y, p.box.width, p.box.height}}});
    if (!placeholders.empty()) entry["placeholders"] = std::move(placeholders);
    // Where the simulator shows the window, in fractions of the screen (the page).
    if (window.screen.w > 0)
      entry["screen"] = {{"x", window.screen.x}, {"y", window.screen.y},
                         {"w", window.screen.w}, {"h", window.screen.h}};
    windows.push_back(std::move(entry));
  }
  json gauges = json::array();
  for (size_t i = 0; i < session_->gauges().size(); ++i) {
    const GaugeInstance& gauge = *session_->gauges()[i];
    const PixBox& at = gauge.placement;
    gauges.push_back({{"index", i},
                      {"name", gauge.name},
                      {"window", gauge.window},
                      {"placement", {at.x, at.y, at.width, at.height}},
                      {"bitmap", {gauge.bitmap_size.width, gauge.bitmap_size.height}},
                      {"parameters", gauge.parameters},
                      {"areas", areas_json(gauge)}});
  }
  const auto tint = [](render::Tint t) {
    const render::TintColour k = render::tint_colour(t);
    return json{k.red, k.green, k.blue};
  };
  const json layout = {
      {"module", session_->module().name()},
      {"windows", windows},
      {"gauges", gauges},
      {"failure_keys", failure_keys_},
      {"failure_users", failure_users(session_->gauges())},
      {"session", session_id_},
      {"tints", {{"dim", tint(render::Tint::dim)}, {"warm", tint(render::Tint::warm)}}},
      {"cycles_per_second", kCyclesPerSecond},
      {"flightgear", flightgear_ != nullptr},
      {"repeat", {{"delay_ms", kRepeatDelay.count()}, {"interval_ms", kRepeatInterval.count()}}}};
  return layout.dump(-1, ' ', false, json::error_handler_t::replace);
}

GaugeInstance& Cockpit::gauge_at(const json& body) {
  const auto& gauges = session_->gauges();
  const int64_t index = whole_field(body, "gauge", 0, int64_t(gauges.size()) - 1);
  return *gauges[size_t(index)];
}

std::string Cockpit::act(const std::string& action, const json& body) {
  if (!body.is_object()) throw BadRequest("expected a JSON object");
  std::string answer;
  {
    std::lock_guard lock(mutex_);
    struct BackToCycle {
      const char*& acting;
      ~BackToCycle() { acting = "cycle"; }
    } back{acting_};
    acting_ = action == "control" ? "keyboard" : "page";
    if (action == "mouse") answer = act_mouse(body);
    else if (action == "window") answer = act_window(body);
    else if (action == "control") answer = act_control(body);
    else if (action == "sim") answer = act_sim(body);
    else if (action == "var") answer = act_var(body);
    else if (action == "failure") answer = act_failure(body);
    else throw BadRequest("unknown action");
    acting_ = "cycle";  // what the redraw's element callbacks send
    publish(true);
  }
  changed_.notify_all();
  return answer;
}

std::string Cockpit::act_mouse(const json& body) {
  GaugeInstance& gauge = gauge_at(body);
  const std::string action = string_field(body, "action");
  const auto coordinate = [&](const char* name) {
    return int32_t(std::lround(std::clamp(number_field(body, name), -1e6, 1e6)));
  };
  if (action != "down" && action != "repeat" && action != "drag")
    throw BadRequest("\"action\" is down, repeat or drag");
  const PixPoint point{coordinate("x"), coordinate("y")};
  struct BackToCycle {
    const char*& acting;
    ~BackToCycle() { acting = "cycle"; }
  } back{acting_};
  if (action == "down") {
    const std::string button = string_field(body, "button");
    if (button != "left" && button != "right") throw BadRequest("\"button\" is left or right");
    const MouseButton which = button == "left" ? MouseButton::left : MouseButton::right;
    acting_ = "click";
    const MouseRect* area = session_->click(gauge, point, which, 0);
    const uint32_t single = which == MouseButton::left ? kMouseLeftSingle : kMouseRightSingle;
    const bool repeats = area && area_takes(*area, single | kMouseRepeat);
    return json{{"area", area != nullptr}, {"repeats", repeats}, {"frame", frame_ + 1}}.dump();
  }
  acting_ = action == "repeat" ? "repeat" : "drag";
  const MouseRect* area =
      action == "repeat" ? session_->repeat(gauge, point) : session_->drag(gauge, point);
  return json{{"area", area != nullptr}, {"frame", frame_ + 1}}.dump();
}

std::string Cockpit::act_window(const json& body) {
  const int64_t index = whole_field(body, "window", 0, int64_t(session_->windows().size()) - 1);
  Window& window = *session_->find_window(session_->windows()[size_t(index)].ident);
  const bool visible = body.contains("visible") ? bool_field(body, "visible") : !window.visible;
  session_->set_window_visible(window, visible);
  return json{{"visible", visible}}.dump();
}

void Cockpit::send_controls() {
  flight::CorvaneFlight* own = session_->own_flight();
  if (!own) return;  // FlightGear flies: the keyboard's stick does nothing
  own->controls().elevator = std::clamp(elevator_, -1.0, 1.0);
  own->controls().aileron = std::clamp(aileron_, -1.0, 1.0);
}

std::string Cockpit::act_control(const json& body) {
  const std::string control = string_field(body, "control");
  const double step = std::clamp(number_field(body, "step"), -1.0, 1.0);
  const auto moved = [&](double position, double low) {
    return std::clamp(step == 0 ? 0.0 : position + step, low, 1.0);
  };
  if (control == "elevator") {
    elevator_ = moved(elevator_, -1);
    send_controls();
  } else if (control == "aileron") {
    aileron_ = moved(aileron_, -1);
    send_controls();
  } else if (control == "throttle") {
    // From where the lever stands (a scenario or the throttle panel may have moved it).
    const double lever = session_->sim().var(kThrottle);
    throttle_ = std::clamp((std::isfinite(lever) ? lever : 0) + step, 0.0, 1.0);
    session_->send_key_event(kEventThrottleSet, uint32_t(std::lround(throttle_ * kThrottleFull)));
  } else {
    throw BadRequest("\"control\" is elevator, aileron or throttle");
  }
  sim_changed_ = frame_ + 1;
  return json{{"elevator", elevator_}, {"aileron", aileron_}, {"throttle", throttle_}}.dump();
}

std::string Cockpit::act_sim(const json& body) {
  if (body.contains("paused")) paused_ = bool_field(body, "paused");
  if (body.contains("rate")) rate_ = int(whole_field(body, "rate", 1, kMaxRate));
  sim_changed_ = frame_ + 1;
  return json{{"paused", paused_}, {"rate", rate_}}.dump();
}

std::string Cockpit::act_var(const json& body) {
  const uint32_t id = uint32_t(whole_field(body, "id", 0, 4294967295LL));
  auto it = body.find("value");
  if (it == body.end() || !it->is_number()) throw BadRequest("expected a number \"value\"");
  const double value = it->get<double>();
  if (!find_variable(id)) throw BadRequest(unknown_variable(id));
  if (SimState::is_integer_var(id) &&
      !(value == std::floor(value) && value >= 0 && value <= 4294967295.0))
    throw BadRequest("variable " + std::to_string(id) +
                     " takes a whole number from 0 to 4294967295");
  session_->sim().set_var(id, value);
  return json{{"id", id}, {"value", session_->sim().var(id)}}.dump();
}

std::string Cockpit::act_failure(const json& body) {
  const int32_t key = int32_t(whole_field(body, "key", 1, 0x7fffffff));
  const bool on = bool_field(body, "on");
  if (std::find(failure_keys_.begin(), failure_keys_.end(), key) == failure_keys_.end()) {
    if (failure_keys_.size() >= panel_failure_keys_ + kMaxExtraFailureKeys)
      throw BadRequest("at most " + std::to_string(kMaxExtraFailureKeys) +
                       " failure keys beyond the panel's own can be set");
    failure_keys_.push_back(key);
    std::sort(failure_keys_.begin(), failure_keys_.end());
  }
  session_->sim().set_failure(key, on);
  failures_changed_ = frame_ + 1;
  return json{{"key", key}, {"on", session_->sim().failure_active(key)}}.dump();
}

std::string Cockpit::tooltip_json(int64_t index, double x, double y) {
  std::lock_guard lock(mutex_);
  if (index < 0 || size_t(index) >= session_->gauges().size() || !std::isfinite(x) ||
      !std::isfinite(y))
    throw BadRequest("no such gauge or point");
  const GaugeInstance& gauge = *session_->gauges()[size_t(index)];
  const Tooltip tip = session_->tooltip(
      gauge, {int32_t(std::lround(std::clamp(x, -1e6, 1e6))),
              int32_t(std::lround(std::clamp(y, -1e6, 1e6)))});
  if (tip.kind == Tooltip::Kind::none) return R"({"text":null})";
  return json{{"text", tip.text}, {"help", tip.help_id}}.dump(-1, ' ', false,
                                                              json::error_handler_t::replace);
}

std::vector<uint32_t> variable_ids(std::string_view list) {
  std::vector<uint32_t> ids;
  for (size_t start = 0; start < list.size();) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view text = list.substr(start, comma - start);
    uint32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
      throw BadRequest("bad variable id \"" + std::string(text.substr(0, 20)) +
                       "\", expected a whole number from 0 to 4294967295");
    if (ids.size() == kMaxVariablesAsked)
      throw BadRequest("more than " + std::to_string(kMaxVariablesAsked) +
                       " variable ids; ask for at most that many at a time");
    ids.push_back(id);
    start = comma + 1;
  }
  return ids;
}

std::string Cockpit::variables_json(const std::vector<uint32_t>& ids) {
  if (ids.size() > kMaxVariablesAsked)
    throw BadRequest("more than " + std::to_string(kMaxVariablesAsked) + " variable ids");
  std::lock_guard lock(mutex_);
  json out = json::array();
  for (uint32_t id : ids) {
    json v = {{"id", id}};
    const double value = session_->sim().var(id);
    v["value"] = std::isfinite(value) ? json(value) : json(std::to_string(value));
    v["integer"] = SimState::is_integer_var(id);
    if (const VariableInfo* known = find_variable(id)) {
      v["role"] = known->name;
      v["unit"] = known->unit;
    }
    out.push_back(std::move(v));
  }
  return out.dump();
}

std::string catalogue_json() {
  json out = json::array();
  for (const VariableInfo& v : variable_table())
    out.push_back({{"id", v.id}, {"role", v.name}, {"unit", v.unit}});
  return out.dump();
}

std::string Cockpit::status_json() {
  std::lock_guard lock(mutex_);
  json status = {{"flight", session_->flight().status()}, {"flightgear", nullptr}};
  if (const flightgear::FlightGearLink* link = flightgear_) {
    status["flightgear"] = {{"frames", link->frames()},
                            {"malformed", link->malformed()},
                            {"out_of_range", link->out_of_range()},
                            {"live", link->live()},
                            {"stale", link->frames() > 0 && !link->live()},
                            {"sent", link->sent()},
                            {"not_sent", link->send_failures()}};
  }
  return status.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string Cockpit::costs_json() {
  std::lock_guard lock(mutex_);
  json out = json::array();
  for (size_t i = 0; i < costs_.size(); ++i) {
    const GaugeInstance& gauge = *session_->gauges()[i];
    if (!session_->windows()[gauge.window].visible) continue;
    out.push_back({{"gauge", gauge.name},
                   {"update_us", costs_[i].update * 1e6},
                   {"evaluate_us", costs_[i].evaluate * 1e6},
                   {"draw_us", costs_[i].draw * 1e6}});
  }
  return out.dump();
}

std::optional<std::string> Cockpit::bitmap_png(int32_t id, const std::string& tint) {
  const auto which = tint_named(tint);
  if (!which) return std::nullopt;
  std::lock_guard lock(mutex_);
  return png_of(images_->find(id, *which));
}

std::optional<std::string> Cockpit::background_png(size_t window, const std::string& tint) {
  const auto which = tint_named(tint);
  if (!which) return std::nullopt;
  std::lock_guard lock(mutex_);
  if (window >= session_->windows().size() || session_->windows()[window].background.empty())
    return std::nullopt;
  return png_of(images_->find_file(session_->windows()[window].background, *which));
}

std::optional<std::string> Cockpit::sound_wav(int64_t number) {
  std::lock_guard lock(mutex_);
  if (number < 0 || size_t(number) >= sound_files_.size()) return std::nullopt;
  return wav_of(*sound_files_[size_t(number)]);
}

}  // namespace gaugehost::web
