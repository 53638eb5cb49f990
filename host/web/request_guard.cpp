#include "host/web/request_guard.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "host/base/host_error.h"
#include "host/base/numbers.h"
#include "host/base/text.h"

namespace gaugehost::web {

namespace {

// Splits "name:port" or "[v6]:port"; nullopt when the port is not a number from 1 to 65535.
std::optional<std::pair<std::string, int>> split_host_port(std::string_view text) {
  std::string_view host, port;
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':')
      return std::nullopt;
    host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else {
    const size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (host.find(':') != std::string_view::npos) return std::nullopt;
  }
  const auto number = parse_whole_number(port);
  if (!number || *number < 1 || *number > 65535) return std::nullopt;
  return std::pair{std::string(host), int(*number)};
}

bool is_any_address(std::string_view host) { return host == "0.0.0.0" || host == "::"; }

// Compares in a time that does not tell how much of a guess was right.
bool same_secret(std::string_view a, std::string_view b) {
  unsigned char differ = a.size() != b.size();
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) differ |= a[i] ^ b[i];
  return differ == 0;
}

// The value of cookie `name` in a Cookie header ("a=1; b=2").
std::string_view cookie_value(std::string_view header, std::string_view name) {
  while (!header.empty()) {
    const size_t end = std::min(header.find(';'), header.size());
    std::string_view pair = header.substr(0, end);
    header.remove_prefix(std::min(end + 1, header.size()));
    while (pair.starts_with(' ')) pair.remove_prefix(1);
    if (pair.size() > name.size() && pair.starts_with(name) && pair[name.size()] == '=')
      return pair.substr(name.size() + 1);
  }
  return {};
}

}  // namespace

bool is_loopback(std::string_view host) {
  return host == "::1" || host == "localhost" || host.starts_with("127.");
}

ListenAddress parse_listen_address(std::string_view text) {
  auto split = split_host_port(text);
  if (!split)
    throw HostError("--listen " + quote_input(text) + ": expected ADDRESS:PORT, the port 1 to "
                    "65535, e.g. 127.0.0.1:8080");
  ListenAddress address{split->first, split->second};
  if (address.host.empty()) address.host = "127.0.0.1";
  if (address.host == "localhost") address.host = "127.0.0.1";
  return address;
}

std::vector<std::string> machine_addresses() {
  std::vector<std::string> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return addresses;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr) continue;
    char text[INET6_ADDRSTRLEN] = {};
    if (entry->ifa_addr->sa_family == AF_INET)
      inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr, text,
                sizeof text);
    else if (entry->ifa_addr->sa_family == AF_INET6)
      inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(entry->ifa_addr)->sin6_addr,
                text, sizeof text);
    if (text[0]) addresses.push_back(text);
  }
  freeifaddrs(list);
  return addresses;
}

std::string random_token() {
  unsigned char bytes[16];
  size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
    if (n <= 0) throw HostError("no random numbers from the system for the pairing token");
    got += size_t(n);
  }
  std::string token;
  for (unsigned char byte : bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    token += digits;
  }
  return token;
}

RequestGuard::RequestGuard(const ListenAddress& listen,
                           std::optional<std::vector<std::string>> addresses, std::string token)
    : port_(listen.port), token_(std::move(token)) {
  names_.push_back(lower(listen.host));
  if (is_loopback(listen.host) || is_any_address(listen.host)) {
    names_.push_back("localhost");
    names_.push_back("127.0.0.1");
    names_.push_back("::1");
  }
  if (is_any_address(listen.host)) {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0 && name[0]) names_.push_back(lower(name));
    for (const std::string& address : addresses ? *addresses : machine_addresses())
      names_.push_back(lower(address));
  }
}

bool RequestGuard::host_allowed(std::string_view host_header) const {
  auto split = split_host_port(host_header);
  if (!split || split->second != port_) return false;
  const std::string host = lower(split->first);
  return std::find(names_.begin(), names_.end(), host) != names_.end();
}

bool RequestGuard::origin_allowed(std::string_view origin_header,
                                  std::string_view host_header) const {
  if (origin_header.empty()) return true;
  constexpr std::string_view kScheme = "http://";
  return origin_header.starts_with(kScheme) &&
         lower(origin_header.substr(kScheme.size())) == lower(host_header) &&
         host_allowed(host_header);
}

bool RequestGuard::token_allowed(std::string_view cookie_header,
                                 std::string_view token_param) const {
  if (token_.empty()) return true;
  return same_secret(cookie_value(cookie_header, cookie_name()), token_) ||
         same_secret(token_param, token_);
}

std::string RequestGuard::cookie_name() const {
  return "gaugehost_token_" + std::to_string(port_);
}

bool RateLimiter::allow(const std::string& client, std::chrono::steady_clock::time_point now) {
  std::lock_guard lock(mutex_);
  auto [it, fresh] = buckets_.try_emplace(client, Bucket{burst_, now});
  Bucket& bucket = it->second;
  const double elapsed = std::chrono::duration<double>(now - bucket.last).count();
  bucket.tokens = std::min(burst_, bucket.tokens + elapsed * per_second_);
  bucket.last = now;
  if (buckets_.size() > 4096) {
    // Forget clients that have been quiet long enough to be full again.
    for (auto i = buckets_.begin(); i != buckets_.end();)
      i = (i != it && now - i->second.last > std::chrono::seconds(60)) ? buckets_.erase(i) : ++i;
  }
  if (bucket.tokens < 1) return false;
  bucket.tokens -= 1;
  return true;
}

}  // namespace gaugehost::web
