#include "host/sim/flightgear/flightgear_link.h"

#include <algorithm>
#include <cmath>

#include "host/base/host_error.h"
#include "host/base/input_file.h"
#include "host/sim/flight/flight_tokens.h"
#include "host/sim/nav/radio_receivers.h"

namespace gaugehost::flightgear {

namespace {

namespace token = flight::token;
using enum Field;

constexpr double kFeetPerMetre = 3.280839895;
constexpr double kHpaPerInHg = 33.8639;
}  // namespace

// --- Inputs ---

RecordedInput::RecordedInput(std::vector<std::string> datagrams, std::string name)
    : datagrams_(std::move(datagrams)), name_(std::move(name)) {}

std::optional<std::string> RecordedInput::receive() {
  if (given_this_update_ || next_ >= datagrams_.size()) return std::nullopt;
  given_this_update_ = true;
  std::string datagram = datagrams_[next_++];
  if (datagram.empty()) return std::nullopt;  // a gap in the recording
  return datagram + "\n";
}

std::unique_ptr<RecordedInput> recorded_frames(const std::string& path) {
  const std::string text = read_input_file(path, "FlightGear recording");
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.starts_with("#")) lines.push_back(std::move(line));  // a comment of the recording
    start = end + 1;
  }
  return std::make_unique<RecordedInput>(std::move(lines), path);
}

// --- The link ---

FlightGearLink::FlightGearLink(std::unique_ptr<DatagramInput> input)
    : FlightGearLink(std::move(input), nav::read_navaids(nav::default_navaid_file())) {}

FlightGearLink::FlightGearLink(std::unique_ptr<DatagramInput> input, nav::NavaidDatabase navaids)
    : input_(std::move(input)),
      navaids_(std::make_unique<nav::NavaidDatabase>(std::move(navaids))) {}

void FlightGearLink::take(const Frame& frame) {
  if (frame.status != Frame::Status::ok) {
    ++malformed_;
    last_problem_ = frame.problem;
    return;
  }
  ++frames_;
  since_frame_ = 0;
  for (size_t i = 0; i < kFieldCount; ++i) {
    if (!frame.in_range[i]) {
      ++out_of_range_;
      last_problem_ = std::string(field_table()[i].name) + " out of range";
      continue;  // the field keeps its last good value
    }
    held_[i] = frame.values[i];
    have_[i] = true;
  }
}

void FlightGearLink::advance(SimState& sim, double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) return;
  since_frame_ = std::min(since_frame_ + seconds, 1e9);
  input_->next_update();
  for (int i = 0; i < kMostDatagramsPerUpdate; ++i) {
    const std::optional<std::string> datagram = input_->receive();
    if (!datagram) break;
    take(parse_frame(*datagram));
  }
  if (frames_ > 0) write(sim);
}

void FlightGearLink::write(SimState& sim) {
  auto value = [&](Field f) { return held_[size_t(f)]; };
  auto put = [&](uint32_t id, Field f, double scale, double offset = 0) {
    if (have_[size_t(f)]) sim.set_var(id, value(f) * scale + offset);
  };
  const bool metres = sim.var(token::kUnitsOfMeasure) == 2;
  if (have_[size_t(indicated_airspeed_kt)])
    sim.set_var(token::kIndicatedAirspeed, std::max(0.0, value(indicated_airspeed_kt)));
  put(token::kMach, mach, 20480);
  put(token::kAltitude, indicated_altitude_ft, metres ? 1 / kFeetPerMetre : 1);
  put(token::kBaroSetting, setting_inhg, kHpaPerInHg);
  put(token::kVerticalSpeed, vertical_speed_fps, 256 / kFeetPerMetre);
  put(token::kPitch, pitch_deg, 1);
  put(token::kBank, roll_deg, -1);  // the bank variable is positive to the left
  put(token::kMagneticHeading, heading_magnetic_deg, 1);
  put(token::kGyroHeading, gyro_heading_deg, 1);
  put(token::kStandbyHeading, compass_heading_deg, 1);
  sim.set_var(token::kBall, std::clamp(std::round(value(slip_skid) * 127), -127.0, 127.0));
  put(token::kTurnRate, turn_rate, 4.5 * 256);  // a standard-rate turn on the needle's marks
  put(token::kLoadFactor, load_factor_g, 624);
  put(token::kOnGround, on_ground, 1);
  put(token::kOutsideTemperature, outside_temperature_c, 1);
  for (uint32_t id : {token::kMagneticHeading, token::kGyroHeading, token::kStandbyHeading})
    sim.set_var(id, nav::wrap360(sim.var(id)));
  if (have_[size_t(latitude_deg)] && have_[size_t(longitude_deg)]) {
    const nav::Antenna antenna{{value(latitude_deg), value(longitude_deg)},
                               value(altitude_ft) / kFeetPerMetre,
                               nav::wrap360(value(heading_magnetic_deg))};
    nav::write_receivers(sim, nav::receive_all(*navaids_, sim, antenna));
  }
}

std::string FlightGearLink::status() const {
  std::string line = "FlightGear on " + input_->describe() + ": ";
  if (frames_ == 0)
    line += "waiting for the first frame";
  else if (live())
    line += "live, " + std::to_string(frames_) + " frames";
  else
    line += "no frame for " + std::to_string(int(since_frame_)) +
            " s, the last values held (" + std::to_string(frames_) + " frames)";
  if (malformed_ > 0) line += ", " + std::to_string(malformed_) + " malformed";
  if (out_of_range_ > 0) line += ", " + std::to_string(out_of_range_) + " fields out of range";
  if (!last_problem_.empty()) line += " (last: " + last_problem_ + ")";
  return line;
}

std::optional<double> FlightGearLink::quantity(std::string_view name) const {
  if (name == "frames") return double(frames_);
  if (name == "malformed") return double(malformed_);
  if (name == "out-of-range") return double(out_of_range_);
  if (name == "live") return live() ? 1 : 0;
  if (name == "latitude") return held_[size_t(latitude_deg)];
  if (name == "longitude") return held_[size_t(longitude_deg)];
  return std::nullopt;
}

}  // namespace gaugehost::flightgear
