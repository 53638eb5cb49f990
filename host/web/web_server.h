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
// its own origin; anything else is refused with 403. Bodies above 64 KiB get 413, more than a
// client's share of requests 429, malformed requests 400, unknown paths 404.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/web/cockpit.h"
#include "host/web/request_guard.h"

namespace httplib {
class Server;
}

namespace gaugehost::web {

inline constexpr size_t kMaxBodyBytes = 64 * 1024;
inline constexpr int kMaxStreams = 32;
inline constexpr double kRequestsPerSecond = 400;
inline constexpr double kRequestBurst = 1500;  // a page's first load asks for every bitmap

// What the server answers a request with, as httplib will send it.
struct Answer {
  int status = 200;
  std::string body;
  const char* content_type = "application/json";
};

// The Host and Origin checks of every request: 403 with the reason, or nothing when it may go on.
// No guard (the server not bound yet) refuses everything.
std::optional<Answer> refusal(const RequestGuard* guard, std::string_view host_header,
                              std::string_view origin_header);

// A page's POST /api/ACTION: the cockpit's answer, or 400 saying what is wrong with the body.
// Anything else thrown is the server's own fault (500).
Answer answer_action(Cockpit& cockpit, const std::string& action, const std::string& body);

class WebServer {
 public:
  WebServer(Cockpit& cockpit, ListenAddress listen);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // Binds the address; returns the port (the one chosen when 0 was asked for). Throws HostError.
  int bind();
  // Serves until stop().
  void run();
  void stop();

 private:
  void routes();

  Cockpit& cockpit_;
  ListenAddress listen_;
  std::unique_ptr<RequestGuard> guard_;
  RateLimiter limiter_{kRequestsPerSecond, kRequestBurst};
  std::unique_ptr<httplib::Server> server_;
  std::atomic<int> streams_{0};
  std::atomic<bool> stopping_{false};
  std::string version_;  // tells this run's bitmaps from an earlier run's in a browser's cache
};

}  // namespace gaugehost::web
