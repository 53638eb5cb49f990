// The FlightGear datagram reader on any text, one datagram a line: the frame parser gives every
// field as a finite number with its range flag, or calls the frame malformed and says why; the
// link counts each datagram once, holds the last good value of a field that arrives malformed or
// out of range, and writes only finite values to the instruments. No socket: the datagrams come
// from a recording.
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/sim/flightgear/flightgear_link.h"
#include "host/sim/flightgear/generic_protocol.h"
#include "host/sim/sim_state.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using namespace gaugehost;
using namespace gaugehost::flightgear;

// The token variables the link writes lie below this number.
constexpr uint32_t kWrittenVars = 1024;

void check_frame(const Frame& frame) {
  if (frame.status != Frame::Status::ok) {
    if (frame.problem.empty()) __builtin_trap();  // a malformed frame says why
    return;
  }
  for (size_t i = 0; i < kFieldCount; ++i) {
    const double value = frame.values[i];
    if (!std::isfinite(value)) __builtin_trap();
    const LinkValue& field = field_table()[i];
    if (frame.in_range[i] != (value >= field.min && value <= field.max)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  check_frame(parse_frame(text));  // the whole input as one datagram, line breaks and all

  std::vector<std::string> datagrams;
  uint64_t given = 0;
  std::istringstream lines{std::string(text)};
  for (std::string datagram; std::getline(lines, datagram); given += !datagram.empty()) {
    check_frame(parse_frame(datagram));
    datagrams.push_back(datagram);
  }

  FlightGearLink link(std::make_unique<RecordedInput>(datagrams, "fuzz"));
  SimState sim;
  for (size_t i = 0; i < datagrams.size(); ++i) link.advance(sim, 1.0 / 18);
  if (link.frames() + link.malformed() != given) __builtin_trap();  // each datagram counted once
  for (const char* held : {"latitude", "longitude"})
    if (!std::isfinite(*link.quantity(held))) __builtin_trap();
  if (std::abs(*link.quantity("latitude")) > 90 || std::abs(*link.quantity("longitude")) > 180)
    __builtin_trap();  // an out-of-range position is never taken
  for (uint32_t id = 0; id < kWrittenVars; ++id)
    if (!std::isfinite(sim.var(id))) __builtin_trap();
  (void)link.status();
  return 0;
}
