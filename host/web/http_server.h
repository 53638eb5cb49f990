// The web cockpit's HTTP transport, over GNU libmicrohttpd: a few polling threads (epoll) carry
// every connection, so an idle or slow client costs no worker, and every request is held to the
// limits below whatever its framing (a body is counted as it arrives, chunked or not). The routes
// live above it (web_server.h); this layer knows nothing of the cockpit.
//
// Limits, each answered rather than left hanging:
// - a request's header within the connection's memory, `connection_memory` (431 or 414 from the
//   library), and at most `max_headers` lines (431);
// - a body of at most `max_body_bytes` (413), refused from its Content-Length at once, else when
//   the bytes received pass the limit (the rest is read and dropped; the connection then closes);
// - the whole header within `header_deadline` of the connection's start (or of the previous
//   request's end on a kept connection), the whole body within `body_deadline` of its header: a
//   connection past its deadline is closed, however steadily it trickles;
// - at most `max_connections` open connections served: up to twice as many more are
//   answered 503 at once; past those a new connection waits in the system's queue until the
//   deadlines above free a place; `per_client` from one address beyond loopback;
// - an idle connection closes after `idle_timeout`.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct MHD_Daemon;
struct MHD_Connection;

namespace gaugehost::web {

struct HttpLimits {
  size_t max_body_bytes = 64 * 1024;
  size_t connection_memory = 32 * 1024;  // a connection's buffers: its header must fit
  int max_headers = 64;
  std::chrono::milliseconds header_deadline{10000};
  std::chrono::milliseconds body_deadline{10000};
  std::chrono::seconds idle_timeout{30};
  int max_connections = 256;
  int per_client = 64;  // beyond loopback only: a loopback server's clients share one address
  int threads = 4;
};

struct HttpRequest {
  std::string method;
  std::string path;  // without the query
  std::string client;  // the peer's address
  std::string body;
  MHD_Connection* connection = nullptr;

  // A header's value ("" when absent); a query parameter's value (nullopt when absent).
  std::string header(const char* name) const;
  std::optional<std::string> query(const char* name) const;
};

// A response sent piece by piece for as long as the client stays: next() gives the next piece,
// "" when there is none yet (the connection then waits, costing no thread, until wake_streams()),
// nullopt to end the response. on_close runs once when the connection is done with it.
struct HttpStream {
  std::function<std::optional<std::string>()> next;
  std::function<void()> on_close;
};

struct HttpResponse {
  int status = 200;
  std::string body;
  std::shared_ptr<const std::string> shared_body;  // when set, sent instead of `body`, not copied
  std::string content_type = "application/json";
  std::vector<std::pair<std::string, std::string>> headers;
  std::optional<HttpStream> stream;  // when set, the body is the stream's pieces
};

class HttpServer {
 public:
  using Handler = std::function<HttpResponse(const HttpRequest&)>;
  // Headers every response carries.
  HttpServer(HttpLimits limits, Handler handler,
             std::vector<std::pair<std::string, std::string>> common_headers);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Listens on `host` (an IPv4 or IPv6 address) and `port` (0: any free one) and serves at once;
  // returns the port. Throws HostError when the address cannot be had.
  int start(const std::string& host, int port, bool beyond_loopback);
  // Ends every stream and closes every connection.
  void stop();
  // Every waiting stream asks its next() again.
  void wake_streams();

  // Connections open now.
  size_t connections() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace gaugehost::web
