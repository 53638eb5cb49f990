#include "host/web/request_guard.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "host/base/host_error.h"
#include "host/base/numbers.h"

namespace gaugehost::web {

namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return out;
}

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

RequestGuard::RequestGuard(const ListenAddress& listen, std::vector<std::string> extra_names)
    : port_(listen.port) {
  names_.push_back(lower(listen.host));
  if (is_loopback(listen.host) || is_any_address(listen.host)) {
    names_.push_back("localhost");
    names_.push_back("127.0.0.1");
    names_.push_back("::1");
  }
  if (is_any_address(listen.host)) {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0 && name[0]) names_.push_back(lower(name));
  }
  for (const std::string& extra : extra_names) names_.push_back(lower(extra));
}

bool RequestGuard::host_allowed(std::string_view host_header) const {
  auto split = split_host_port(host_header);
  if (!split || split->second != port_) return false;
  const std::string host = lower(split->first);
  if (std::find(names_.begin(), names_.end(), host) != names_.end()) return true;
  // Listening on every address: any address literal of this machine's is its own name too; a
  // rebound name never is a literal.
  const bool literal = !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
  return is_any_address(names_.front()) && literal;
}

bool RequestGuard::origin_allowed(std::string_view origin_header) const {
  if (origin_header.empty()) return true;
  constexpr std::string_view kScheme = "http://";
  if (!origin_header.starts_with(kScheme)) return false;
  return host_allowed(origin_header.substr(kScheme.size()));
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
