// What the web server lets in: requests addressed to the server by one of its own names (so that a
// page of another site that rebinds its own name to this machine's address is refused), from a
// page of exactly the address it addressed (its own origin), at a bounded rate per client; and,
// when it listens beyond loopback, only requests that carry the pairing token the server printed.
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

// The addresses of this machine's network interfaces.
std::vector<std::string> machine_addresses();

// A fresh random pairing token: 32 hexadecimal digits from the system's random source.
std::string random_token();

class RequestGuard {
 public:
  // The names a request may be addressed to: the address listened on, and, on loopback,
  // "localhost"; on every address ("0.0.0.0", "::") also the machine's name and the addresses of
  // its interfaces (`addresses`, by default machine_addresses()). A `token` (given beyond
  // loopback) must come with every request.
  RequestGuard(const ListenAddress& listen, std::optional<std::vector<std::string>> addresses = {},
               std::string token = {});

  // The Host header names this server (with the right port).
  bool host_allowed(std::string_view host_header) const;
  // No Origin header (not a browser's cross-site request), or exactly "http://" and the Host the
  // request is addressed to: a page may talk only to the address it was served from.
  bool origin_allowed(std::string_view origin_header, std::string_view host_header) const;
  // No token asked for, or the token in the request's cookie (cookie_name()) or in `token_param`.
  bool token_allowed(std::string_view cookie_header, std::string_view token_param) const;

  const std::string& token() const { return token_; }
  // The cookie that keeps the token in the page's browser, one per port (a browser keeps cookies
  // by host, whatever the port).
  std::string cookie_name() const;

 private:
  std::vector<std::string> names_;  // lower case, without port
  int port_;
  std::string token_;
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
