// The flaps and airbrake levers beside the throttle, members of the switch family.
//  - Flaps_Switch: a three-position spring-loaded lever. Its halves step the flaps up or down
//    (the host sends the events itself, again and again while the button is held); its picture
//    follows the flaps' movement: pushed the way they move while they move and for 9 updates
//    after, then back to the centre.
//  - Spoilers_Lever: a five-notch airbrake lever. The library steps it a notch a click, from its
//    own memory of the last notch commanded; the marker on its scale shows the simulator's
//    spoilers handle.
// Neither has a gauge callback or a sound.
//
// Reads: tokens 328 (flaps, rising as they go down), 325 (spoilers handle, 0 to 16384);
// flaps_lever_prev_value, flaps_lever_up_ticks, flaps_lever_down_ticks, spoilers_lever_notch.
// Writes: flaps_lever_prev_value, flaps_lever_up_ticks, flaps_lever_down_ticks,
// spoilers_lever_notch.
// Sends: 0x100df (flaps one step up), 0x100de (one step down), by the host on a click;
// 0x100fa (set the spoilers) with the notch × 4096.
#include <iterator>

#include "controls/control_state.h"
#include "mechanics/switches.h"
#include "module/services.h"

namespace crv5 {
double flaps_lever_prev_value = 0;
int32_t flaps_lever_up_ticks = 0;
int32_t flaps_lever_down_ticks = 0;
uint32_t spoilers_lever_notch = 0;
}  // namespace crv5

namespace levers {
using namespace crv5;

constexpr uint32_t kFlaps = 328;
constexpr uint32_t kSpoilersHandle = 325;

constexpr uint32_t kFlapsUp = 0x100df;
constexpr uint32_t kFlapsDown = 0x100de;
constexpr uint32_t kSetSpoilers = 0x100fa;

// --- Flaps_Switch -------------------------------------------------------------------------------

// Lever pictures: 3480 centred, 3481 pushed up, 3482 pushed down.
constexpr double kLeverCentred = 0, kLeverUp = 1, kLeverDown = 2;
constexpr int32_t kPushedUpdates = 9;  // the update that saw the change and 8 more

// The lever-motion rule; the element's source is the flaps value.
double CRV5_CALL flaps_lever_rule(ElementIcon* lever) {
  const double flaps = lever->source.value.f;
  if (flaps_lever_up_ticks >= 0) --flaps_lever_up_ticks;
  if (flaps_lever_down_ticks >= 0) --flaps_lever_down_ticks;
  if (flaps_lever_prev_value > flaps) {
    flaps_lever_up_ticks = kPushedUpdates;
    flaps_lever_down_ticks = 0;
  }
  if (flaps_lever_prev_value < flaps) {
    flaps_lever_down_ticks = kPushedUpdates;
    flaps_lever_up_ticks = 0;
  }
  flaps_lever_prev_value = flaps;
  if (flaps_lever_up_ticks > 0) return kLeverUp;
  if (flaps_lever_down_ticks > 0) return kLeverDown;
  return kLeverCentred;
}

// The lower half of the lever; the upper half is the row's own click.
constexpr family::ClickArea kFlapsLowerHalf[] = {
    {.box = {7, 64, 60, 50}, .cursor = kCursorUpArrow, .mouse_flags = kLeftHeld, .event = kFlapsDown},
};

// --- Spoilers_Lever -----------------------------------------------------------------------------

constexpr uint32_t kLastNotch = 4;
constexpr uint32_t kHandlePerNotch = 4096;    // the last notch sends 16384, full travel
constexpr double kMarkerPixelsPerUnit = 13.0 / 4096;  // 52 pixels down the scale for 16384

void command_notch() { send_event(kSetSpoilers, spoilers_lever_notch * kHandlePerNotch); }

Bool32 CRV5_CALL retract_notch(ClickRecord*, uint32_t) {
  if (spoilers_lever_notch > 0) {
    --spoilers_lever_notch;
    command_notch();
  }
  return false;
}

Bool32 CRV5_CALL extend_notch(ClickRecord*, uint32_t) {
  if (spoilers_lever_notch < kLastNotch) {
    ++spoilers_lever_notch;
    command_notch();
  }
  return false;
}

constexpr family::ClickArea kSpoilersLowerHalf[] = {
    {.box = {10, 42, 32, 32}, .cursor = kCursorUpArrow, .on_click = extend_notch},
};

}  // namespace levers

namespace crv5::switches {
using namespace levers;

// clang-format off
constexpr family::Member kLevers[] = {
    {.gauge = GaugeId::Flaps_Switch,   .base = 3470, .picture = 3480, .pictures = 3, .position = {7, 22},  .token = kFlaps,                                        .rule = flaps_lever_rule, .click = {7, 14, 60, 50},   .cursor = kCursorDownArrow, .mouse_flags = kLeftHeld, .event = kFlapsUp,                                  .more_clicks = kFlapsLowerHalf,    .tooltip = "Flaps switch lever"},
    {.gauge = GaugeId::Spoilers_Lever, .base = 3370, .picture = 3380,                 .position = {17, 14}, .token = kSpoilersHandle, .slide = kMarkerPixelsPerUnit,                           .click = {10, 10, 32, 32}, .cursor = kCursorDownArrow,                                             .on_click = retract_notch, .more_clicks = kSpoilersLowerHalf, .help_id = 43927},
};
// clang-format on

}  // namespace crv5::switches

using crv5::switches::Switch;
using crv5::switches::kLevers;
CRV5_FAMILY_MEMBER(Switch, kLevers, Flaps_Switch);
CRV5_FAMILY_MEMBER(Switch, kLevers, Spoilers_Lever);
