// Parachute and Parachute_Light: the drag parachute's lever and its warning lamp. The parachute is
// the simulator's token 866, from 0 (stowed) to 1 (fully deployed), toggled by event 0x10356. The
// lever works only on the ground and plays WAVE 20; the parachute is dropped once the aircraft
// has slowed below 40 knots on the ground. The lever picture follows the direction in which token
// 866 last moved, sampled every fourth update.
// Parachute_Light is a member of the lamp family.
//
// Reads: tokens 60 (on ground, above 0), 61 (indicated airspeed, knots), 743, 866 (parachute);
// chute_lever_pulled, chute_last_value, chute_trend, chute_sample_countdown.
// Writes: chute_lever_pulled, chute_last_value, chute_trend, chute_sample_countdown.
// Sends: 0x10356 (toggle the parachute), 0x102fa, 0x102fb; plays WAVE 20.
#include <iterator>

#include "mechanics/lamps.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "sound/sound_player.h"
#include "systems/aircraft_state.h"
#include "systems/engine_controls.h"

namespace parachute {
using namespace crv5;
using engine::kOnGround;

// Token variables.
constexpr uint32_t kAirspeed = 61;  // knots
constexpr uint32_t kToken743 = 743;
constexpr uint32_t kParachute = 866;  // 0 stowed to 1 deployed

// Key events.
constexpr uint32_t kToggleParachute = 0x10356;
constexpr uint32_t kDeployedAboveDropSpeed = 0x102fa;
constexpr uint32_t kStowedBelowDropSpeed = 0x102fb;

constexpr double kDropSpeed = 40;  // knots

// The lever picture: samples of token 866 every kSampleInterval updates, and the ends of travel.
constexpr int32_t kSampleInterval = 4;
constexpr double kNearlyDeployed = 0.95;
constexpr double kNearlyStowed = 0.05;

sound::GaugeSound lever_sound{.wave_id = 20};

double CRV5_CALL lever_picture(ElementIcon*);
double CRV5_CALL lamp_rule(ElementIcon*);

extern ElementIcon lever;

// --- Parachute ----------------------------------------------------------------------------------

// clang-format off
ElementStaticImage lever_panel = static_image({.gauge = &gauge_Parachute, .bitmap = 2280, .position = {0, 0},                                                                  .flags = kCoverFlags,  .next = children<&lever>});
ElementIcon lever              = icon({        .gauge = &gauge_Parachute, .bitmap = 2290, .position = {0, 0}, .source = kParachute, .callback = lever_picture, .images = 2, .flags = kSwitchFlags});  // 2290 pushed, 2291 pulled
// clang-format on

const char* CRV5_CALL deployment_text(CRV5_TOOLTIP_PARAMS) {
  return read_var(kParachute) == 1.0 ? "deployed" : "not deployed";
}

const TooltipArg lever_args[] = {tooltip_text(deployment_text)};
const TooltipText lever_tooltip = tooltip("Parachute brake lever (parachute %1!s!)", lever_args);

Bool32 CRV5_CALL lever_click(ClickRecord*, uint32_t mouse_flags);

MouseRect lever_mouse[] = {
    mouse_parent(),
    mouse_tooltip(&lever_tooltip),
    //           box (x, y, w, h)  cursor       flags             function
    mouse_child({27, 7, 80, 37},   kCursorHand, kMouseLeftSingle, lever_click),
    mouse_parent_end(),
    mouse_end(),
};

// --- Callbacks ----------------------------------------------------------------------------------

// Lit when the parachute is deployed (1 - 1 = image 0), dark when stowed (0 - 1 = no image).
double CRV5_CALL lamp_rule(ElementIcon* icon) { return icon->source.value.f - 1; }

// Compares token 866 with the last sample: a rise shows the lever pulled, a fall pushed.
void take_lever_sample(double deployment) {
  if (deployment == chute_last_value) {
    chute_trend = 0;
  } else if (deployment > chute_last_value) {
    chute_lever_pulled = 1;
    chute_trend = +1;
  } else if (deployment < chute_last_value) {
    chute_lever_pulled = 0;
    chute_trend = -1;
  } else {
    return;  // not a number: no sample
  }
  chute_last_value = deployment;
}

// Between samples a click shows its lever position at once; at the ends of travel the lever is
// put back to match the parachute's last movement.
double CRV5_CALL lever_picture(ElementIcon* icon) {
  if (chute_sample_countdown > 0) {
    --chute_sample_countdown;
    if (chute_sample_countdown == 0) {
      chute_sample_countdown = kSampleInterval;
      take_lever_sample(icon->source.value.f);
    }
  }
  if (chute_last_value >= kNearlyDeployed && chute_trend > 0) chute_lever_pulled = 1;
  if (chute_last_value <= kNearlyStowed && chute_trend < 0) chute_lever_pulled = 0;
  return chute_lever_pulled;
}

// Works only on the ground.
Bool32 CRV5_CALL lever_click(ClickRecord*, uint32_t) {
  if (read_var(kOnGround) > 0) {
    chute_lever_pulled = chute_lever_pulled == 1 ? 0 : 1;
    send_event(kToggleParachute);
    sound::gauge_sound_play(lever_sound);
  }
  return false;
}

// Each token read once; at exactly 40 knots none of the rules applies.
void apply_parachute_rules() {
  const double on_ground = read_var(kOnGround);
  const double airspeed = read_var(kAirspeed);
  const double token743 = read_var(kToken743);
  const double deployment = read_var(kParachute);
  const bool ground = on_ground > 0;

  if (airspeed < kDropSpeed && ground && deployment == 1.0) send_event(kToggleParachute);
  if (airspeed > kDropSpeed && ground && token743 < 5 && deployment == 1.0) {
    send_event(kDeployedAboveDropSpeed);
  }
  if (ground && airspeed < kDropSpeed && token743 > 0 && deployment == 0.0) {
    send_event(kStowedBelowDropSpeed);
  }
}

void CRV5_CALL lever_service(GaugeHeader*, int32_t service_id, uintptr_t extra_data) {
  if (service_id == kServicePreUpdate) apply_parachute_rules();
  sound::gauge_sound_service(lever_sound, service_id, extra_data);
}

}  // namespace parachute

namespace crv5::lamps {

// clang-format off
constexpr family::Member kParachuteLamps[] = {
    {.gauge = GaugeId::Parachute_Light, .base = 290, .picture = 300, .pictures = 1, .token = parachute::kParachute, .rule = parachute::lamp_rule, .failures = kZeroOnFailure20, .tooltip = "Warning light: Parachute deployed"},
};
// clang-format on

}  // namespace crv5::lamps

GaugeHeader gauge_Parachute = crv5::gauge_header(
    crv5::GaugeId::Parachute, crv5::element_list<&parachute::lever_panel>, parachute::lever_mouse,
    parachute::lever_service);
CRV5_FAMILY_MEMBER(crv5::lamps::Lamp, crv5::lamps::kParachuteLamps, Parachute_Light);
