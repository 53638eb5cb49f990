#include "host/web/web_server.h"

#include <charconv>
#include <chrono>
#include <set>

#include <nlohmann/json.hpp>

#include "host/base/host_error.h"
#include "host/web/page_files.h"

namespace gaugehost::web {

namespace {

constexpr const char* kJson = "application/json";
constexpr const char* kText = "text/plain; charset=utf-8";

HttpResponse refuse(int status, const std::string& why) {
  return HttpResponse{.status = status, .body = why + "\n", .content_type = kText};
}

HttpResponse content(std::string body, const char* type = kJson) {
  return HttpResponse{.body = std::move(body), .content_type = type};
}

// The whole number that is all of `text`, with at most `digits` digits.
std::optional<int64_t> id_in(std::string_view text, size_t digits) {
  if (text.empty() || text.size() > digits ||
      text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  int64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::optional<int64_t> whole(const std::string& text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> number(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

Answer refused(int status, const std::string& why) { return Answer{status, why + "\n", kText}; }

HttpResponse send(Answer answer) {
  return HttpResponse{.status = answer.status, .body = std::move(answer.body),
                      .content_type = answer.content_type};
}

HttpLimits with_body_limit(HttpLimits limits) {
  limits.max_body_bytes = std::min(limits.max_body_bytes, kMaxBodyBytes);
  return limits;
}

constexpr const char* kSecurityPolicy =
    "default-src 'self'; img-src 'self' blob: data:; style-src 'self'; script-src 'self'; "
    "connect-src 'self'; media-src 'self' blob:";

}  // namespace

std::optional<Answer> refusal(const RequestGuard* guard, std::string_view host_header,
                              std::string_view origin_header, std::string_view cookie_header,
                              std::string_view token_param) {
  if (!guard || !guard->host_allowed(host_header))
    return refused(403, "this server answers only to its own address");
  if (!guard->origin_allowed(origin_header, host_header))
    return refused(403, "requests from other sites are refused");
  if (!guard->token_allowed(cookie_header, token_param))
    return refused(403, "open the address with the pairing token that gaugehost serve printed");
  return std::nullopt;
}

PictureCache::Bytes PictureCache::get(const std::string& key,
                                      const std::function<std::optional<std::string>()>& make) {
  {
    std::lock_guard lock(mutex_);
    if (auto it = pictures_.find(key); it != pictures_.end()) return it->second;
  }
  std::optional<std::string> made = make();
  if (!made) return nullptr;
  std::lock_guard lock(mutex_);
  // Two requests may have made it at once: the first one kept is the one given out.
  return pictures_.try_emplace(key, std::make_shared<const std::string>(std::move(*made)))
      .first->second;
}

size_t PictureCache::size() {
  std::lock_guard lock(mutex_);
  return pictures_.size();
}

Answer answer_action(Cockpit& cockpit, const std::string& action, const std::string& body) {
  const auto request = nlohmann::json::parse(body, nullptr, false);
  if (request.is_discarded()) return refused(400, "malformed JSON");
  try {
    return Answer{200, cockpit.act(action, request), kJson};
  } catch (const BadRequest& bad) {
    return refused(400, bad.what());
  } catch (const nlohmann::json::exception& bad) {
    return refused(400, std::string("malformed JSON: ") + bad.what());
  }
}

WebServer::WebServer(Cockpit& cockpit, ListenAddress listen, HttpLimits limits, Pairing pairing)
    : cockpit_(cockpit),
      listen_(std::move(listen)),
      pairing_(pairing),
      http_(with_body_limit(limits), [this](const HttpRequest& request) { return answer(request); },
            {{"X-Content-Type-Options", "nosniff"},
             {"Content-Security-Policy", kSecurityPolicy}}),
      version_(std::to_string(
          std::chrono::system_clock::now().time_since_epoch() / std::chrono::milliseconds(1))) {}

WebServer::~WebServer() { stop(); }

int WebServer::bind() {
  const bool beyond_loopback = !is_loopback(listen_.host);
  listen_.port = http_.start(listen_.host, listen_.port, beyond_loopback);
  const bool paired = beyond_loopback || pairing_ == Pairing::always;
  guard_ = std::make_unique<RequestGuard>(listen_, std::nullopt,
                                          paired ? random_token() : std::string());
  guard_ready_ = guard_.get();
  pump_ = std::thread([this] { pump(); });
  return listen_.port;
}

void WebServer::run() {
  std::unique_lock lock(stop_mutex_);
  stopped_.wait(lock, [this] { return stopping_; });
}

void WebServer::stop() {
  {
    std::lock_guard lock(stop_mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  if (pump_.joinable()) pump_.join();
  http_.stop();
}

void WebServer::pump() {
  uint64_t frame = cockpit_.frame();
  for (;;) {
    {
      std::lock_guard lock(stop_mutex_);
      if (stopping_) return;
    }
    frame = cockpit_.wait_for_frame(frame, std::chrono::milliseconds(250));
    http_.wake_streams();
  }
}

HttpResponse WebServer::answer(const HttpRequest& request) {
  const RequestGuard* guard = guard_ready_;
  if (auto refused = refusal(guard, request.header("Host"), request.header("Origin"),
                             request.header("Cookie"), request.query("token").value_or("")))
    return send(std::move(*refused));
  if (!limiter_.allow(request.client, std::chrono::steady_clock::now()))
    return refuse(429, "too many requests");
  // The page opened from the printed address: the token goes into a cookie the page's requests
  // carry, and out of the address bar.
  if (!guard->token().empty() && request.query("token") && request.path == "/") {
    return HttpResponse{.status = 303,
                        .content_type = kText,
                        .headers = {{"Location", "/"},
                                    {"Set-Cookie", guard->cookie_name() + "=" + guard->token() +
                                                       "; Path=/; HttpOnly; SameSite=Strict"}}};
  }
  try {
    return route(request);
  } catch (const BadRequest& bad) {
    return refuse(400, bad.what());
  } catch (const nlohmann::json::exception& bad) {
    return refuse(400, std::string("malformed JSON: ") + bad.what());
  }
}

HttpResponse WebServer::route(const HttpRequest& request) {
  const std::string_view path = request.path;
  if (request.method == "POST") {
    constexpr std::string_view kApi = "/api/";
    static const std::set<std::string_view> kActions = {"mouse", "window", "control",
                                                        "sim",   "var",    "failure"};
    if (!path.starts_with(kApi) || !kActions.contains(path.substr(kApi.size())))
      return refuse(404, "no such page");
    return send(answer_action(cockpit_, std::string(path.substr(kApi.size())), request.body));
  }
  if (request.method != "GET" && request.method != "HEAD") return refuse(405, "not allowed");

  for (const PageFile& file : page_files()) {
    if (path != file.path && !(path == "/" && file.path == "/index.html")) continue;
    return HttpResponse{.body = std::string(file.bytes),
                        .content_type = std::string(file.content_type),
                        .headers = {{"Cache-Control", "no-cache"}}};
  }
  for (const std::string_view kind : {"bitmap", "background", "sound"}) {
    const std::string prefix = "/" + std::string(kind) + "/";
    if (path.starts_with(prefix)) return picture(request, kind, path.substr(prefix.size()));
  }
  if (path == "/stream") return stream(request);
  if (path == "/api/layout") {
    nlohmann::json layout = nlohmann::json::parse(cockpit_.layout_json());
    layout["version"] = version_;
    return content(layout.dump());
  }
  if (path == "/api/tooltip") {
    const auto gauge = whole(request.query("gauge").value_or(""));
    const auto x = number(request.query("x").value_or(""));
    const auto y = number(request.query("y").value_or(""));
    if (!gauge || !x || !y) return refuse(400, "expected gauge, x and y");
    return content(cockpit_.tooltip_json(*gauge, *x, *y));
  }
  if (path == "/api/vars")
    return content(cockpit_.variables_json(variable_ids(request.query("ids").value_or(""))));
  if (path == "/api/catalogue") return content(catalogue_json());
  if (path == "/api/costs") return content(cockpit_.costs_json());
  if (path == "/api/status") return content(cockpit_.status_json());
  return refuse(404, "no such page");
}

// A bitmap, a window's background or a click's sound: immutable for the run, so cached by the
// browser and, pictures, here, encoded once outside the cockpit's lock.
HttpResponse WebServer::picture(const HttpRequest& request, std::string_view kind,
                                std::string_view id_text) {
  const std::string tint = request.query("tint").value_or("none");
  const auto id = id_in(id_text, kind == "background" ? 6 : 9);
  if (!id) return refuse(404, "no such page");
  PictureCache::Bytes bytes;
  const char* type = "image/png";
  if (kind == "sound") {
    type = "audio/wav";
    if (auto wav = cockpit_.sound_wav(*id)) bytes = std::make_shared<const std::string>(*wav);
  } else {
    const std::string key = std::string(kind) + "/" + std::to_string(*id) + "/" + tint;
    bytes = pictures_.get(key, [&]() {
      return kind == "bitmap" ? cockpit_.bitmap_png(int32_t(*id), tint)
                              : cockpit_.background_png(size_t(*id), tint);
    });
  }
  if (!bytes) return refuse(404, "no such picture");
  return HttpResponse{.shared_body = std::move(bytes),
                      .content_type = type,
                      .headers = {{"Cache-Control", "public, max-age=31536000, immutable"}}};
}

HttpResponse WebServer::stream(const HttpRequest& request) {
  if (streams_ >= kMaxStreams) return refuse(503, "too many pages open");
  std::string from = request.header("Last-Event-ID");
  if (from.empty()) from = request.query("from").value_or("");
  ++streams_;
  struct Place {
    uint64_t seen;
    std::chrono::steady_clock::time_point sent;
  };
  auto place = std::make_shared<Place>(
      Place{cockpit_.resume_point(from), std::chrono::steady_clock::now()});
  HttpStream frames{
      .next = [this, place]() -> std::optional<std::string> {
        const auto now = std::chrono::steady_clock::now();
        std::string message = cockpit_.next_message(place->seen, now - place->sent >= kHeartbeat);
        if (!message.empty()) place->sent = now;
        return message;
      },
      .on_close = [this] { --streams_; }};
  return HttpResponse{.content_type = "text/event-stream",
                      .headers = {{"Cache-Control", "no-cache"}},
                      .stream = std::move(frames)};
}

}  // namespace gaugehost::web
