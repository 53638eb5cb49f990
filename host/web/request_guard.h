// What the web server lets in: requests addressed to the server by one of its own names (so that a
// page of another site that rebinds its own name to this machine's address is refused), from a
// page of the server's own origin, at a bounded rate per client.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gaugehost::web {

struct ListenAddress {
  std::string host;  // "127.0.0.1", "::1", "0.0.0.0", ...
  int port = 0;
};

// "ADDR:PORT", "[IPV6]:PORT" or ":PORT"; throws HostError naming what is wrong.
ListenAddress parse_listen_address(std::string_view text);
bool is_loopback(std::string_view host);

class RequestGuard {
 public:
  // The names a request may be addressed to: the address listened on, and, on loopback,
  // "localhost"; on every address ("0.0.0.0", "::") also the machine's name and its addresses.
  RequestGuard(const ListenAddress& listen, std::vector<std::string> extra_names = {});

  // The Host header names this server (with the right port).
  bool host_allowed(std::string_view host_header) const;
  // No Origin header (not a browser's cross-site request), or "http://" and an allowed host.
  bool origin_allowed(std::string_view origin_header) const;

 private:
  std::vector<std::string> names_;  // lower case, without port
  int port_;
};

// At most `per_second` requests a second per client on average, `burst` at once.
class RateLimiter {
 public:
  RateLimiter(double per_second, double burst) : per_second_(per_second), burst_(burst) {}
  bool allow(const std::string& client, std::chrono::steady_clock::time_point now);

 private:
  struct Bucket {
    double tokens;
    std::chrono::steady_clock::time_point last;
  };
  std::mutex mutex_;
  std::map<std::string, Bucket> buckets_;
  double per_second_;
  double burst_;
};

}  // namespace gaugehost::web
