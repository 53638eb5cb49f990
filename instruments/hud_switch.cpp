// HUD_Switch: the head-up display's four-position mode switch (OFF, BRT, DIM, STBY). A click on
// its left half turns it one position down, on its right half one up; at either end nothing
// happens and no click plays.
//
// Reads and writes: hud_mode. Sends no events; plays WAVE 10 on every change.
#include "instruments/hud_mode.h"
#include "module/gauges.h"
#include "module/records.h"
#include "sound/sound_player.h"

uint32_t hud_mode = crv5::hud::kOff;

namespace hud_switch {
using namespace crv5;

sound::GaugeSound click_sound{.wave_id = 10};

double CRV5_CALL knob_position(ElementIcon*);
Bool32 CRV5_CALL mode_down(ClickRecord*, uint32_t);
Bool32 CRV5_CALL mode_up(ClickRecord*, uint32_t);

extern ElementIcon knob;

// clang-format off
ElementStaticImage panel = static_image({.gauge = &gauge_HUD_Switch, .bitmap = 5200, .position = {0, 0},                                                .flags = kCoverFlags,  .next = children<&knob>});
ElementIcon knob         = icon({        .gauge = &gauge_HUD_Switch, .bitmap = 5210, .position = {26, 26}, .callback = knob_position, .images = 4, .flags = kSwitchFlags});  // 5210 OFF to 5213 STBY
// clang-format on

const TooltipText switch_tooltip = tooltip("HUD switch");

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&switch_tooltip),
    mouse_child({18, 17, 39, 71}, kCursorDownArrow, kMouseLeftSingle, mode_down),
    mouse_child({57, 17, 39, 71}, kCursorUpArrow, kMouseLeftSingle, mode_up),
    mouse_parent_end(),
    mouse_end(),
};

double CRV5_CALL knob_position(ElementIcon*) { return hud_mode; }

Bool32 CRV5_CALL mode_down(ClickRecord*, uint32_t) {
  if (hud_mode > hud::kOff) {
    --hud_mode;
    sound::gauge_sound_play(click_sound);
  }
  return false;
}

Bool32 CRV5_CALL mode_up(ClickRecord*, uint32_t) {
  if (hud_mode < hud::kStandby) {
    ++hud_mode;
    sound::gauge_sound_play(click_sound);
  }
  return false;
}

}  // namespace hud_switch

GaugeHeader gauge_HUD_Switch =
    crv5::gauge_header(crv5::GaugeId::HUD_Switch, crv5::element_list<&hud_switch::panel>, hud_switch::mouse,
                       crv5::sound::gauge_sound_callback<&hud_switch::click_sound>);
