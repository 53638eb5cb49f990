// The fuel panel's three click controls. Each is a base image with a two-state icon over it, a
// tooltip, one click area and click sound WAVE 10.
//  - Fuel_Qty_Switch: makes the fuel gauge count all tanks or only the internal ones.
//  - Stop_Blinking_Fuel_Knob: cuts the ten-minute lamp's blinking out and back in.
//  - Fuel_Lamps_Test_Knob: lights the three fuel lamps for 35 updates of the knob.
//
// Reads: fuel_gauge_all_tanks, fuel_blink_enabled, fuel_lamp_test_ticks; no tokens.
// Writes: fuel_gauge_all_tanks, fuel_blink_enabled (clicks), fuel_lamp_test_ticks (click and
// update of the test knob), fuel_lamp_test (update of the test knob).
// Sends no events; plays WAVE 10 on every click.
#include "module/gauges.h"
#include "module/records.h"
#include "sound/sound_player.h"
#include "systems/aircraft_state.h"

namespace fuel_knobs {
using namespace crv5;

constexpr uint16_t kClickWave = 10;
constexpr int32_t kLampTestUpdates = 36;  // the 36th update of the knob ends the test

sound::GaugeSound selector_sound{.wave_id = kClickWave};
sound::GaugeSound blink_knob_sound{.wave_id = kClickWave};
sound::GaugeSound test_knob_sound{.wave_id = kClickWave};

double CRV5_CALL selector_rule(ElementIcon*);
double CRV5_CALL blink_knob_rule(ElementIcon*);
double CRV5_CALL lamp_test_rule(ElementIcon*);

extern ElementIcon selector, blink_knob, test_knob;

// No source variable (token 0): each icon's rule reads module-wide state.
// clang-format off
ElementStaticImage selector_base   = static_image({.gauge = &gauge_Fuel_Qty_Switch,         .bitmap = 4070, .position = {0, 0},                                                         .flags = kCoverFlags,                                  .next = children<&selector>});
ElementIcon selector               = icon({        .gauge = &gauge_Fuel_Qty_Switch,         .bitmap = 4080, .position = {0, 0}, .callback = selector_rule,   .images = 2, .flags = kSwitchFlags});  // 4080 internal, 4081 all
ElementStaticImage blink_knob_base = static_image({.gauge = &gauge_Stop_Blinking_Fuel_Knob, .bitmap = 3490, .position = {0, 0},                                                         .flags = kCoverFlags,                                  .next = children<&blink_knob>});
ElementIcon blink_knob             = icon({        .gauge = &gauge_Stop_Blinking_Fuel_Knob, .bitmap = 3490, .position = {0, 0}, .callback = blink_knob_rule, .images = 2, .flags = kSwitchFlags, .failures = kHiddenOnFailure21});
ElementStaticImage test_knob_base  = static_image({.gauge = &gauge_Fuel_Lamps_Test_Knob,    .bitmap = 4000, .position = {0, 0},                                                         .flags = kCoverFlags,                                  .next = children<&test_knob>});
ElementIcon test_knob              = icon({        .gauge = &gauge_Fuel_Lamps_Test_Knob,    .bitmap = 4000, .position = {0, 0}, .callback = lamp_test_rule,  .images = 2, .flags = kSwitchFlags, .failures = kHiddenOnFailure21});
// clang-format on

const char* CRV5_CALL tanks_word(CRV5_TOOLTIP_PARAMS) { return fuel_gauge_all_tanks != 0 ? "all" : "internal"; }
const char* CRV5_CALL blinking_word(CRV5_TOOLTIP_PARAMS) { return fuel_blink_enabled != 0 ? "blinking" : "not blinking"; }

const TooltipArg selector_args[] = {tooltip_text(tanks_word)};
const TooltipArg blink_knob_args[] = {tooltip_text(blinking_word)};
const TooltipText selector_tooltip = tooltip("Fuel quantity gauge switch (%1!s! tanks)", selector_args);
const TooltipText blink_knob_tooltip = tooltip("Blinking light stopping button (%1!s!)", blink_knob_args);
const TooltipText test_knob_tooltip = tooltip("Fuel lamps test knob");

template <int32_t* OnOff, sound::GaugeSound* Sound>
Bool32 CRV5_CALL turn_over_click(ClickRecord*, uint32_t);
Bool32 CRV5_CALL test_knob_click(ClickRecord*, uint32_t);

MouseRect selector_mouse[] = {
    mouse_parent(),
    mouse_tooltip(&selector_tooltip),
    mouse_child({10, 2, 100, 40}, kCursorHand, kMouseLeftSingle, (turn_over_click<&fuel_gauge_all_tanks, &selector_sound>)),
    mouse_parent_end(),
    mouse_end(),
};
MouseRect blink_knob_mouse[] = {
    mouse_parent(),
    mouse_tooltip(&blink_knob_tooltip),
    mouse_child({0, 0, 33, 33}, kCursorHand, kMouseLeftSingle, (turn_over_click<&fuel_blink_enabled, &blink_knob_sound>)),
    mouse_parent_end(),
    mouse_end(),
};
MouseRect test_knob_mouse[] = {
    mouse_parent(),
    mouse_tooltip(&test_knob_tooltip),
    mouse_child({0, 0, 30, 25}, kCursorHand, kMouseLeftSingle, test_knob_click),
    mouse_parent_end(),
    mouse_end(),
};

double CRV5_CALL selector_rule(ElementIcon*) { return fuel_gauge_all_tanks != 0 ? 1 : 0; }
double CRV5_CALL blink_knob_rule(ElementIcon*) { return fuel_blink_enabled != 0 ? 1 : 0; }

// Holds the lamp test on while updates are left; the update that uses the last one ends it.
double CRV5_CALL lamp_test_rule(ElementIcon*) {
  if (fuel_lamp_test_ticks > 0) {
    --fuel_lamp_test_ticks;
    fuel_lamp_test = 1;
  }
  if (fuel_lamp_test_ticks <= 0) fuel_lamp_test = 0;
  return fuel_lamp_test != 0 ? 1 : 0;
}

// A click that turns a module-wide on/off state over, then plays the gauge's click.
template <int32_t* OnOff, sound::GaugeSound* Sound>
Bool32 CRV5_CALL turn_over_click(ClickRecord*, uint32_t) {
  *OnOff = *OnOff == 0 ? 1 : 0;
  sound::gauge_sound_play(*Sound);
  return false;
}

Bool32 CRV5_CALL test_knob_click(ClickRecord*, uint32_t) {
  fuel_lamp_test_ticks = kLampTestUpdates;
  sound::gauge_sound_play(test_knob_sound);
  return false;
}

}  // namespace fuel_knobs

GaugeHeader gauge_Fuel_Qty_Switch =
    crv5::gauge_header(crv5::GaugeId::Fuel_Qty_Switch, crv5::element_list<&fuel_knobs::selector_base>,
                       fuel_knobs::selector_mouse, crv5::sound::gauge_sound_callback<&fuel_knobs::selector_sound>);
GaugeHeader gauge_Stop_Blinking_Fuel_Knob =
    crv5::gauge_header(crv5::GaugeId::Stop_Blinking_Fuel_Knob, crv5::element_list<&fuel_knobs::blink_knob_base>,
                       fuel_knobs::blink_knob_mouse, crv5::sound::gauge_sound_callback<&fuel_knobs::blink_knob_sound>);
GaugeHeader gauge_Fuel_Lamps_Test_Knob =
    crv5::gauge_header(crv5::GaugeId::Fuel_Lamps_Test_Knob, crv5::element_list<&fuel_knobs::test_knob_base>,
                       fuel_knobs::test_knob_mouse, crv5::sound::gauge_sound_callback<&fuel_knobs::test_knob_sound>);
