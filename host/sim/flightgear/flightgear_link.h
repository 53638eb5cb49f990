// The live link to FlightGear, both ways. FlightGear's frames of the generic protocol
// (generic_protocol.h), read from UDP datagrams or from a recording, are written to the flight
// instruments' and the radio receivers' token variables. When datagrams stop, arrive malformed
// or carry a field out of range, the last good values are held and the status says so. What the
// panel owns (levers, switches, radio settings) goes back to FlightGear as a frame of its own
// whenever it changes and at a low steady rate otherwise; a FlightGear that is gone only counts
// as datagrams that could not be sent.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sim/flight/flight_source.h"
#include "host/sim/flightgear/generic_protocol.h"

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

// Where the panel's frames go; never blocks.
class DatagramOutput {
 public:
  virtual ~DatagramOutput() = default;
  // Whether the datagram went out.
  virtual bool send(std::string_view datagram) = 0;
  virtual std::string describe() const = 0;
};

// A non-blocking UDP socket sending to `address`:`port` (dotted IPv4). Throws HostError when the
// socket cannot be had or the address is not one.
class UdpOutput : public DatagramOutput {
 public:
  UdpOutput(const std::string& address, uint16_t port);
  ~UdpOutput() override;
  UdpOutput(const UdpOutput&) = delete;
  UdpOutput& operator=(const UdpOutput&) = delete;
  bool send(std::string_view datagram) override;
  std::string describe() const override;

 private:
  int socket_ = -1;
  std::string address_;
  uint16_t port_ = 0;
};

// The panel-owned values as the panel's frame sends them (the rows of panel_table()).
std::array<double, kPanelValueCount> panel_values(const SimState& sim);

inline constexpr double kStaleSeconds = 1.0;  // no good frame for this long: the link is stale
// Each update drains what waits, so that a flood of garbage cannot push real frames out of the
// socket's buffer; the bound holds the work of one update (a full buffer of small datagrams is
// far fewer).
inline constexpr int kMostDatagramsPerUpdate = 16384;
// An unchanged panel frame is sent again this often (FlightGear may have started since).
inline constexpr double kResendSeconds = 0.5;

class FlightGearLink : public FlightSource {
 public:
  // Without an output the link only listens (a recording, `render`).
  explicit FlightGearLink(std::unique_ptr<DatagramInput> input,
                          std::unique_ptr<DatagramOutput> output = nullptr);

  void advance(SimState& sim, double seconds) override;
  std::string status() const override;
  std::optional<double> quantity(std::string_view name) const override;

  uint64_t frames() const { return frames_; }
  uint64_t malformed() const { return malformed_; }
  uint64_t out_of_range() const { return out_of_range_; }
  uint64_t sent() const { return sent_; }
  uint64_t send_failures() const { return send_failures_; }
  bool live() const { return frames_ > 0 && since_frame_ < kStaleSeconds; }

 private:
  void take(const Frame& frame);
  void write(SimState& sim);
  void write_receivers(SimState& sim);
  void send_panel(const SimState& sim, double seconds);

  std::unique_ptr<DatagramInput> input_;
  std::unique_ptr<DatagramOutput> output_;
  std::array<double, kFieldCount> held_{};  // the last good value of each field
  std::array<bool, kFieldCount> have_{};    // whether a good value came yet
  uint64_t frames_ = 0;
  uint64_t malformed_ = 0;
  uint64_t out_of_range_ = 0;
  std::string last_problem_;
  double since_frame_ = 0;  // seconds since the last good frame
  std::string last_sent_;   // the panel's last frame
  double since_sent_ = 0;   // seconds since it went
  uint64_t sent_ = 0;
  uint64_t send_failures_ = 0;
};

}  // namespace gaugehost::flightgear
