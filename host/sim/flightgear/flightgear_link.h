// The live link to FlightGear: frames of the generic protocol (generic_protocol.h) read from UDP
// datagrams, or from a recording, written to the flight instruments' token variables; the
// navigation receivers work from FlightGear's position with the host's own navigation aids. When
// datagrams stop, arrive malformed or carry a field out of range, the last good values are held
// and the status says so.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/sim/flight/flight_source.h"
#include "host/sim/flightgear/generic_protocol.h"
#include "host/sim/nav/navaids.h"

namespace gaugehost::flightgear {

// Where datagrams come from.
class DatagramInput {
 public:
  virtual ~DatagramInput() = default;
  // The next datagram waiting, or nothing; never blocks.
  virtual std::optional<std::string> receive() = 0;
  virtual std::string describe() const = 0;
  // A new update begins (a recording gives out its next datagram).
  virtual void next_update() {}
};

// A UDP socket bound to `address` (dotted IPv4, 127.0.0.1 by default) and `port` (0: any free
// port). Throws HostError when the socket cannot be had.
class UdpInput : public DatagramInput {
 public:
  explicit UdpInput(uint16_t port, const std::string& address = "127.0.0.1");
  ~UdpInput() override;
  UdpInput(const UdpInput&) = delete;
  UdpInput& operator=(const UdpInput&) = delete;
  std::optional<std::string> receive() override;
  std::string describe() const override;
  uint16_t port() const { return port_; }

 private:
  int socket_ = -1;
  uint16_t port_ = 0;
  std::string address_;
  std::string buffer_;
};

// Recorded datagrams, one given out per call to `advance` of the link (an empty one: none that
// update).
class RecordedInput : public DatagramInput {
 public:
  RecordedInput(std::vector<std::string> datagrams, std::string name);
  std::optional<std::string> receive() override;
  std::string describe() const override { return name_; }
  void next_update() override { given_this_update_ = false; }

 private:
  std::vector<std::string> datagrams_;
  size_t next_ = 0;
  bool given_this_update_ = false;
  std::string name_;
};

// A recording: one datagram a line (an empty line: no datagram that update). Throws HostError.
std::unique_ptr<RecordedInput> recorded_frames(const std::string& path);

inline constexpr double kStaleSeconds = 1.0;  // no good frame for this long: the link is stale
// Each update drains what waits, so that a flood of garbage cannot push real frames out of the
// socket's buffer; the bound holds the work of one update (a full buffer of small datagrams is
// far fewer).
inline constexpr int kMostDatagramsPerUpdate = 16384;

class FlightGearLink : public FlightSource {
 public:
  explicit FlightGearLink(std::unique_ptr<DatagramInput> input);
  FlightGearLink(std::unique_ptr<DatagramInput> input, nav::NavaidDatabase navaids);

  void advance(SimState& sim, double seconds) override;
  std::string status() const override;
  std::optional<double> quantity(std::string_view name) const override;

  uint64_t frames() const { return frames_; }
  uint64_t malformed() const { return malformed_; }
  uint64_t out_of_range() const { return out_of_range_; }
  bool live() const { return frames_ > 0 && since_frame_ < kStaleSeconds; }

 private:
  void take(const Frame& frame);
  void write(SimState& sim);

  std::unique_ptr<DatagramInput> input_;
  std::unique_ptr<nav::NavaidDatabase> navaids_;
  std::array<double, kFieldCount> held_{};  // the last good value of each field
  std::array<bool, kFieldCount> have_{};    // whether a good value came yet
  uint64_t frames_ = 0;
  uint64_t malformed_ = 0;
  uint64_t out_of_range_ = 0;
  std::string last_problem_;
  double since_frame_ = 0;  // seconds since the last good frame
};

}  // namespace gaugehost::flightgear
