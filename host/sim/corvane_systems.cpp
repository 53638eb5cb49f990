#include "host/sim/corvane_systems.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>

#include "host/sim/radio_tuning.h"

namespace gaugehost {

namespace {

constexpr double kTravel = 16384;
// More time than this in one call is not stepped (a minute of simulated time).
constexpr double kMostSteps = 18.0 * 60;

double wrap_degrees(double degrees) {
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

std::string hex(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%" PRIx32, id);
  return text;
}

const char* const kIdentExpressions[] = {calc::kNav1IdentAudio, calc::kNav2IdentAudio,
                                         calc::kAdfIdentAudio};

}  // namespace

CorvaneSystems::CorvaneSystems(Log log)
    : log_(log ? std::move(log)
               : Log([](const std::string& line) { std::cerr << "gaugehost: " << line << "\n"; })),
      written_(variable_table().size(), std::numeric_limits<double>::quiet_NaN()) {}

void CorvaneSystems::note_once(uint32_t event_id, const std::string& why) {
  if (noted_.insert(event_id).second) log_("key event " + hex(event_id) + " " + why);
}

void CorvaneSystems::apply_event(SimState& sim, uint32_t event_id, uint32_t value) {
  const KeyEventInfo* event = find_key_event(event_id);
  if (!event) {
    note_once(event_id, "is not known to the aircraft model: recorded only");
    return;
  }
  ModelVars v = vars(sim);
  const auto target = Token(event->target);
  const double signed_value = double(int32_t(value));
  switch (event->effect) {
    case Effect::panel_window:
      break;  // the session's
    case Effect::toggle:
      v.put(target, v.on(target) ? 0 : 1);
      break;
    case Effect::set_to:
      v.put(target, event->amount);
      break;
    case Effect::set_scaled:
      v.put(target, signed_value * event->amount);
      break;
    case Effect::set_angle:
      v.put(target, wrap_degrees(signed_value));
      break;
    case Effect::step:
      v.put(target, v.get(target) + event->amount);
      break;
    case Effect::step_angle:
      v.put(target, wrap_degrees(v.get(target) + event->amount));
      break;
    case Effect::toggle_lever:
      v.put(target, v.get(target) >= kTravel / 2 ? 0 : kTravel);
      break;
    case Effect::ident_audio:
      v.put_calc(kIdentExpressions[event->target], event->amount);
      break;
    case Effect::starter:
      if (v.get(kMainBusVoltage) <= corvane::kPoweredVolts)
        note_once(event_id, "(" + std::string(event->name) +
                                ") finds no power on the main bus: the starter does not turn");
      else if (!starter_running_)
        start_starter();
      break;
    case Effect::flaps_step:
      adopt_flaps(v);
      flaps_detent_ = std::clamp(flaps_detent_ + int(event->amount), 0, corvane::kFlapsDetents);
      break;
    case Effect::parachute:
      // A chute that is stowed or not yet half out deploys; one at least half out is dropped.
      adopt_chute(v);
      chute_deploying_ = v.get(kParachute) < 0.5;
      break;
    case Effect::not_simulated:
      note_once(event_id, "(" + std::string(event->name) + ") is not simulated: " + event->note);
      break;
    default:
      apply_radio(v, *event, value);
  }
}

void CorvaneSystems::apply_radio(ModelVars& v, const KeyEventInfo& event, uint32_t value) {
  const auto packed = [&](Token id) { return uint32_t(v.get(id)); };
  const auto band = [](uint32_t token) {
    return token == kCom1Packed ? radio::kComBand : radio::kNavBand;
  };
  const auto target = Token(event.target);
  const int amount = int(event.amount);
  switch (event.effect) {
    case Effect::vhf_mhz:
      v.put(target, radio::pack_vhf(radio::step_mhz(
                        radio::decode_vhf(packed(target), band(target)), amount, band(target))));
      break;
    case Effect::vhf_channel:
      v.put(target, radio::pack_vhf(radio::step_channel(
                        radio::decode_vhf(packed(target), band(target)), amount, band(target))));
      break;
    case Effect::code_digit:
      v.put(kTransponderPacked,
            radio::step_code_digit(packed(kTransponderPacked), int(event.target), amount));
      break;
    case Effect::adf_step:
    case Effect::adf_set: {
      int tenths = radio::decode_adf(packed(kAdfPacked), packed(kAdfExtended));
      if (event.effect == Effect::adf_step) {
        tenths = radio::step_adf(tenths, amount);
      } else if (auto set = radio::adf_from_set_value(value)) {
        tenths = *set;
      } else {
        note_once(event.id, "(" + std::string(event.name) + ") with a value whose digits are "
                            "not all decimal digits is ignored");
        return;
      }
      const radio::AdfPacked adf = radio::pack_adf(tenths);
      v.put(kAdfPacked, adf.packed);
      v.put(kAdfExtended, adf.extended);
      break;
    }
    default:
      break;
  }
}

void CorvaneSystems::advance(SimState& sim, double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) return;
  sim.advance_time(seconds);
  pending_seconds_ += seconds;
  const double steps = std::floor(pending_seconds_ / corvane::kStepSeconds + 1e-9);
  pending_seconds_ = std::max(0.0, pending_seconds_ - steps * corvane::kStepSeconds);
  ModelVars v = vars(sim);
  for (double i = 0; i < std::min(steps, kMostSteps); ++i) step(v, corvane::kStepSeconds);
}

void CorvaneSystems::step(ModelVars& v, double dt) {
  v.put(kSimulationTime, v.get(kSimulationTime) + dt);
  step_electrics(v, dt);
  step_starter(v, dt);
  step_engine(v, dt);
  step_fuel_tanks(v, dt);
  step_hydraulics(v, dt);
  step_gear(v, dt);
  step_surfaces(v, dt);
  v.hold_systems_variables();
}

}  // namespace gaugehost
