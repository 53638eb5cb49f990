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

// A receiver's fields, in the frame's order from its first.
enum NavOffset { in_range, localiser, deflection, to, from, has_gs, gs_deflection, bearing_to };

}  // namespace

std::array<double, kPanelValueCount> panel_values(const SimState& sim) {
  using enum PanelValue;
  const auto packed = [&](uint32_t id) { return nav::packed_var(sim, id); };
  const auto on = [&](uint32_t id) { return sim.var(id) >= 0.5 ? 1.0 : 0.0; };
  const auto lever = [&](uint32_t id) { return sim.var(id) >= 8192 ? 1.0 : 0.0; };
  std::array<double, kPanelValueCount> values{};
  const auto set = [&](PanelValue value, double number) { values[size_t(value)] = number; };
  set(throttle, sim.var(kThrottle));
  set(throttle_lever, sim.var(kThrottle));
  set(gear_down, lever(kGearLever));
  set(flaps, sim.var(kFlapsPercent) / 100);
  set(speed_brake, sim.var(kSpoilersHandle) / 16384);
  set(parking_brake, lever(kParkingBrake));
  set(parking_brake_handle, lever(kParkingBrake));
  set(com1_mhz, nav::vhf_frequency_mhz(packed(kCom1Packed), radio::kComBand));
  set(nav1_mhz, nav::vhf_frequency_mhz(packed(kNav1Packed), radio::kNavBand));
  set(nav2_mhz, nav::vhf_frequency_mhz(packed(kNav2Packed), radio::kNavBand));
  set(adf_khz, nav::adf_frequency_khz(packed(kAdfPacked), packed(kAdfExtended)));
  set(transponder_code, radio::from_packed_decimal(packed(kTransponderPacked)).value_or(0));
  set(nav1_course, nav::wrap360(sim.var(kNav1Course)));
  set(nav2_course, nav::wrap360(sim.var(kNav2Course)));
  set(heading_bug, nav::wrap360(sim.var(kHeadingBug)));
  set(altimeter_setting_inhg, sim.var(kBaroSetting) / kHpaPerInHg);
  set(battery, on(kBatterySwitch));
  set(avionics, on(kAvionicsSwitch));
  return values;
}

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

FlightGearLink::FlightGearLink(std::unique_ptr<DatagramInput> input,
                               std::unique_ptr<DatagramOutput> output)
    : input_(std::move(input)), output_(std::move(output)) {}

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
  send_panel(sim, seconds);
}

void FlightGearLink::send_panel(const SimState& sim, double seconds) {
  if (!output_) return;
  since_sent_ = std::min(since_sent_ + seconds, 1e9);
  std::string frame = encode_panel_frame(panel_values(sim));
  if (frame == last_sent_ && since_sent_ < kResendSeconds) return;
  if (output_->send(frame))
    ++sent_;
  else
    ++send_failures_;
  last_sent_ = std::move(frame);
  since_sent_ = 0;
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
  write_receivers(sim);
}

// FlightGear's own receivers, tuned by the panel's frame, in place of the host's navigation aids.
void FlightGearLink::write_receivers(SimState& sim) {
  const auto value = [&](Field f, int offset = 0) { return held_[size_t(f) + offset]; };
  const auto flag = [&](Field f, int offset = 0) { return value(f, offset) >= 0.5; };
  const double heading = value(heading_magnetic_deg);
  const auto receiver = [&](Field first) {
    nav::NavReception r;
    r.received = flag(first, in_range);
    r.localiser = flag(first, localiser);
    r.deviation = std::clamp(value(first, deflection), -1.0, 1.0) * 127;
    r.to_from = flag(first, to) ? 1 : flag(first, from) ? 2 : 0;
    r.glide_slope = r.received && flag(first, has_gs);
    // FlightGear's needle is up (positive) below the path, the host's is negative.
    r.glide_slope_dev = -std::clamp(value(first, gs_deflection), -1.0, 1.0) * 119;
    r.radial = nav::wrap360(value(first, bearing_to) + 180);
    r.relative_bearing = nav::wrap360(value(first, bearing_to) - heading);
    return r;
  };
  nav::Receivers receivers;
  receivers.nav1 = receiver(nav1_in_range);
  receivers.nav2 = receiver(nav2_in_range);
  // FlightGear's DME follows NAV1 unless its aircraft says otherwise.
  receivers.nav1.dme = flag(dme_in_range);
  receivers.nav1.dme_nm = value(dme_distance_nm);
  receivers.adf.received = flag(adf_in_range);
  receivers.adf.signal = receivers.adf.received ? 255 : 0;
  receivers.adf.relative_bearing = nav::wrap360(value(adf_bearing_deg));
  receivers.marker = flag(marker_inner)    ? nav::MarkerKind::inner
                     : flag(marker_middle) ? nav::MarkerKind::middle
                     : flag(marker_outer)  ? nav::MarkerKind::outer
                                           : nav::MarkerKind::none;
  nav::write_receivers(sim, receivers);
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
  if (output_) {
    line += "; to " + output_->describe() + ": " + std::to_string(sent_) + " sent";
    if (send_failures_ > 0) line += ", " + std::to_string(send_failures_) + " not sent";
  }
  return line;
}

std::optional<double> FlightGearLink::quantity(std::string_view name) const {
  if (name == "frames") return double(frames_);
  if (name == "malformed") return double(malformed_);
  if (name == "out-of-range") return double(out_of_range_);
  if (name == "live") return live() ? 1 : 0;
  if (name == "sent") return double(sent_);
  if (name == "not-sent") return double(send_failures_);
  if (name == "latitude") return held_[size_t(latitude_deg)];
  if (name == "longitude") return held_[size_t(longitude_deg)];
  return std::nullopt;
}

}  // namespace gaugehost::flightgear
