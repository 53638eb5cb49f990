// The FlightGear link's UDP sockets (POSIX): gaugehost's; the Windows check runner replays
// recordings only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/base/host_error.h"
#include "host/sim/flightgear/flightgear_link.h"

namespace gaugehost::flightgear {

namespace {

constexpr size_t kDatagramBuffer = 65536;
// Room for a burst between two updates (the system may grant less): a flood of garbage then
// leaves the real frames room to wait until the next update drains the socket.
constexpr int kReceiveBuffer = 4 << 20;

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

sockaddr_in ipv4_address(const std::string& address, uint16_t port) {
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &where.sin_addr) != 1)
    throw HostError("FlightGear link: bad address " + quote_input(address) +
                    ", expected a dotted IPv4 address");
  return where;
}

int udp_socket() {
  const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (socket < 0) throw HostError(system_error("FlightGear link: no UDP socket"));
  return socket;
}

}  // namespace

UdpInput::UdpInput(uint16_t port, const std::string& address) : address_(address) {
  sockaddr_in where = ipv4_address(address, port);
  socket_ = udp_socket();
  setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &kReceiveBuffer, sizeof kReceiveBuffer);
  if (::bind(socket_, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
    const std::string message = system_error("FlightGear link: cannot listen on " + address +
                                             ":" + std::to_string(port));
    ::close(socket_);
    throw HostError(message);
  }
  socklen_t size = sizeof where;
  ::getsockname(socket_, reinterpret_cast<sockaddr*>(&where), &size);
  port_ = ntohs(where.sin_port);
}

UdpInput::~UdpInput() {
  if (socket_ >= 0) ::close(socket_);
}

std::optional<std::string> UdpInput::receive() {
  buffer_.resize(kDatagramBuffer);
  const ssize_t got = ::recv(socket_, buffer_.data(), buffer_.size(), MSG_TRUNC);
  if (got < 0) return std::nullopt;  // nothing waiting (or an error: the same to the link)
  // A datagram longer than the buffer is cut: keep more than a frame may have, so it is refused.
  return buffer_.substr(0, std::min(size_t(got), buffer_.size()));
}

std::string UdpInput::describe() const {
  return "UDP " + address_ + ":" + std::to_string(port_);
}

// Connected, so that the system fills in the destination once; a FlightGear not listening shows
// as a failed send (ECONNREFUSED) and a full buffer as EAGAIN, both counted by the link.
UdpOutput::UdpOutput(const std::string& address, uint16_t port)
    : address_(address), port_(port) {
  const sockaddr_in where = ipv4_address(address, port);
  socket_ = udp_socket();
  if (::connect(socket_, reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0) {
    const std::string message = system_error("FlightGear link: cannot send to " + describe());
    ::close(socket_);
    throw HostError(message);
  }
}

UdpOutput::~UdpOutput() {
  if (socket_ >= 0) ::close(socket_);
}

bool UdpOutput::send(std::string_view datagram) {
  return ::send(socket_, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL) ==
         ssize_t(datagram.size());
}

std::string UdpOutput::describe() const {
  return "UDP " + address_ + ":" + std::to_string(port_);
}

}  // namespace gaugehost::flightgear
