// The web cockpit's HTTP server: a thin layer over a Cockpit. It serves the page's compiled-in
// files, the module's bitmaps and the windows' backgrounds (cacheable, by id), the decoded
// clicks, a stream of frames (server-sent events) and the page's requests (JSON).
//
//   GET  /                      the page (and its other files by name)
//   GET  /stream                server-sent events: "frame" events, each what changed since the
//                               page's last frame, and "beat"s while nothing does
//                               (Last-Event-ID or ?from=SESSION/FRAME; see Cockpit)
//   GET  /bitmap/ID?tint=T      a module bitmap as PNG, T none, dim or warm
//   GET  /background/W?tint=T   window W's background bitmap as PNG
//   GET  /sound/N               a decoded click as a WAVE file
//   GET  /api/layout            windows, gauges, mouse areas, failure keys, lighting colours
//   GET  /api/tooltip?gauge=G&x=X&y=Y     the tooltip at a point of a gauge, live
//   GET  /api/vars?ids=A,B,...  token variables with role and unit; /api/catalogue the known ones
//   GET  /api/costs             per-gauge cost of update, evaluation and drawing
//   POST /api/mouse | window | control | sim | var | failure   a JSON object (see Cockpit::act)
//
// Every request must be addressed to the server by its own name and, from a browser, come from
// a page of that very address; beyond loopback it must also carry the pairing token (the page
// opened from the printed address keeps it in a cookie); anything else is refused with 403. More
// than a client's share of requests gets 429, malformed requests 400, unknown paths 404; the
// transport's own limits (http_server.h) come first.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "host/web/cockpit.h"
#include "host/web/http_server.h"
#include "host/web/request_guard.h"

namespace gaugehost::web {

inline constexpr size_t kMaxBodyBytes = 64 * 1024;
inline constexpr int kMaxStreams = 32;
inline constexpr double kRequestsPerSecond = 400;
inline constexpr double kRequestBurst = 1500;  // a page's first load asks for every bitmap

// What the server answers a request with.
struct Answer {
  int status = 200;
  std::string body;
  const char* content_type = "application/json";
};

// The Host, Origin and token checks of every request: 403 with the reason, or nothing when it
// may go on. No guard (the server not bound yet) refuses everything.
std::optional<Answer> refusal(const RequestGuard* guard, std::string_view host_header,
                              std::string_view origin_header, std::string_view cookie_header = {},
                              std::string_view token_param = {});

// Encoded pictures, each made once: by key (kind, id, tint), the bytes or, for a picture that
// does not exist, nothing (not kept, so asking for ids that do not exist cannot grow it).
class PictureCache {
 public:
  using Bytes = std::shared_ptr<const std::string>;
  Bytes get(const std::string& key, const std::function<std::optional<std::string>()>& make);
  size_t size();

 private:
  std::mutex mutex_;
  std::map<std::string, Bytes> pictures_;
};

// A page's POST /api/ACTION: the cockpit's answer, or 400 saying what is wrong with the body.
// Anything else thrown is the server's own fault (500).
Answer answer_action(Cockpit& cockpit, const std::string& action, const std::string& body);

// Who must show the pairing token: clients of a server beyond loopback, or every client.
enum class Pairing { beyond_loopback, always };

class WebServer {
 public:
  WebServer(Cockpit& cockpit, ListenAddress listen, HttpLimits limits = {},
            Pairing pairing = Pairing::beyond_loopback);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // Binds the address and serves; returns the port (the one chosen when 0 was asked for).
  // Throws HostError.
  int bind();
  // Waits until stop().
  void run();
  void stop();

  // Beyond loopback, the pairing token every request must carry ("" on loopback).
  std::string token() const { return guard_ ? guard_->token() : std::string(); }
  size_t pictures_cached() { return pictures_.size(); }
  size_t connections() const { return http_.connections(); }

 private:
  HttpResponse answer(const HttpRequest& request);
  HttpResponse route(const HttpRequest& request);
  HttpResponse picture(const HttpRequest& request, std::string_view kind, std::string_view id);
  HttpResponse stream(const HttpRequest& request);
  void pump();

  Cockpit& cockpit_;
  ListenAddress listen_;
  Pairing pairing_;
  std::unique_ptr<RequestGuard> guard_;
  // The guard once made: the server answers from its start, before bind() knows the port.
  std::atomic<const RequestGuard*> guard_ready_{nullptr};
  RateLimiter limiter_{kRequestsPerSecond, kRequestBurst};
  HttpServer http_;
  PictureCache pictures_;
  std::atomic<int> streams_{0};
  std::mutex stop_mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
  std::thread pump_;  // wakes the streams at every frame of the cockpit
  std::string version_;  // tells this run's bitmaps from an earlier run's in a browser's cache
};

}  // namespace gaugehost::web
