// A plain HTTP/1.1 client on a loopback socket, for the web server's tests and benchmark: it
// sends text and reads whole answers, server-sent events, or the server's closing.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

namespace gaugehost::tests {

class Client {
 public:
  explicit Client(int port) : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in to{.sin_family = AF_INET, .sin_port = htons(uint16_t(port)),
                   .sin_addr = {.s_addr = htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
    // A safety net only: every wait below is for something the server does.
    const timeval limit{60, 0};
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    connected_ = ::connect(socket_, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
  }
  ~Client() { ::close(socket_); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  bool connected() const { return connected_; }
  // Whether all of `text` went out (not when the server has closed the connection).
  bool send(std::string_view text) {
    while (!text.empty()) {
      const ssize_t sent = ::send(socket_, text.data(), text.size(), MSG_NOSIGNAL);
      if (sent <= 0) return false;
      text.remove_prefix(size_t(sent));
    }
    return true;
  }
  // The next answer's status, its body read by Content-Length; 0 when the connection ends first.
  int answer(std::string* body = nullptr) {
    while (received_.find("\r\n\r\n") == std::string::npos)
      if (!receive()) return 0;
    const size_t end = received_.find("\r\n\r\n") + 4;
    const std::string head = received_.substr(0, end);
    const size_t length_at = head.find("Content-Length: ");
    const size_t length =
        length_at == std::string::npos ? 0 : std::stoul(head.substr(length_at + 16));
    while (received_.size() < end + length)
      if (!receive()) return 0;
    if (body) *body = received_.substr(end, length);
    received_.erase(0, end + length);
    return std::stoi(head.substr(9, 3));
  }
  // Reads until the server closes the connection (true) or the safety net runs out (false).
  bool closed_by_server() {
    char buffer[4096];
    for (;;) {
      const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
      if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) return true;
      if (got < 0 && errno == EAGAIN) return false;
    }
  }
  // Reads until `count` server-sent events have come.
  bool events(int count) {
    for (;;) {
      int seen = 0;
      for (size_t at = 0; (at = received_.find("event: frame", at)) != std::string::npos; ++at)
        ++seen;
      if (seen >= count) return true;
      if (!receive()) return false;
    }
  }

 private:
  bool receive() {
    char buffer[65536];
    const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    received_.append(buffer, size_t(got));
    return true;
  }

  int socket_;
  bool connected_ = false;
  std::string received_;
};

}  // namespace gaugehost::tests
