// Autopilot: the autopilot control box. Five lever switches (master, yaw damper, heading hold,
// navigation hold, altitude hold), heading and course selector knobs with three-digit drums, the
// engaged lamp, and a push button that shows the selected altitude for 60 updates. While the
// master is on and no mode is engaged the box engages the wing leveller; heading and navigation
// hold disengage it after engaging, altitude hold before toggling; the master switched off takes
// the flight director with it. Switches and the altitude button click (WAVE 10); knobs are silent.
//
// Reads: tokens 103 (master), 104 (wing leveller), 105 (navigation hold), 106 (heading hold),
// 108 (altitude hold), 109 (selected altitude, feet), 114 (yaw damper), 792 (flight director),
// 855 (selected heading, degrees), 45 (selected course, degrees).
// Writes: ap_heading_knob_value, ap_course_knob_value, ap_altitude_display_ticks.
// Sends: 0x102f0, 0x1002c (master); 0x10119, 0x100be (altitude hold); 0x10215, 0x10216 (yaw
// damper); 0x1023a, 0x10119, 0x1023b (heading hold); 0x10113, 0x10119, 0x1011b (navigation
// hold); 0x10111 (wing leveller, from the master switch's update); 0x101fa, 0x100b4 (knobs).
// Plays WAVE 10 on switch clicks and on an accepted altitude button press.
#include "autopilot/autopilot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/whole_number.h"
#include "mechanics/drum.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "module/text.h"
#include "sound/sound_player.h"

namespace crv5 {
int32_t ap_heading_knob_value = 0;
double ap_course_knob_value = 0;
int32_t ap_altitude_display_ticks = 0;
}  // namespace crv5

namespace crv5::autopilot {

int32_t knob_step(double current, int32_t step, bool increase) {
  // Every reading of 0 or more steps by the rule as it is (400 up by 1 gives 0); a negative one,
  // which would step to no heading an event can carry, is brought round into the circle first.
  int32_t v = truncate_to_int(current);
  if (v < 0) {
    v = truncate_to_int(std::fmod(current, 360.0));
    if (v < 0) v += 360;
  }
  if (step == 1) {
    if (increase) return v < 359 ? v + 1 : 0;
    return v > 0 ? v - 1 : 359;
  }
  if (increase) return v <= 359 - step ? v + step : v - (360 - step);
  return v >= step ? v - step : v + (360 - step);
}

double drum_position(double degrees, double p, double roll, double top) {
  return drums::drum_position(std::fmod(degrees, 360.0), p, roll, top);
}

void format_altitude(double feet, char* text, size_t chars) {
  const int width = static_cast<int>(chars);
  const double highest = std::pow(10.0, width) - 1;        // 99999
  const double lowest = -(std::pow(10.0, width - 1) - 1);  // -9999
  if (std::isnan(feet)) {
    std::snprintf(text, chars + 1, "%*s", width, "");
    return;
  }
  common::format_whole_number(std::clamp(std::round(feet), lowest, highest), text, chars);
}

}  // namespace crv5::autopilot

namespace autopilot_panel {
using namespace crv5;

constexpr uint32_t kCourse = 45;              // degrees
constexpr uint32_t kMaster = 103;             // on above 0
constexpr uint32_t kWingLeveller = 104;
constexpr uint32_t kNavHold = 105;
constexpr uint32_t kHeadingHold = 106;
constexpr uint32_t kAltitudeHold = 108;
constexpr uint32_t kSelectedAltitude = 109;   // feet
constexpr uint32_t kYawDamper = 114;
constexpr uint32_t kFlightDirector = 792;     // on above 0
constexpr uint32_t kSelectedHeading = 855;    // degrees

constexpr uint32_t kToggleMaster = 0x1002c;
constexpr uint32_t kFlightDirectorOff = 0x102f0;
constexpr uint32_t kWingLevellerOn = 0x10111;
constexpr uint32_t kWingLevellerOff = 0x10119;
constexpr uint32_t kToggleAltitudeHold = 0x100be;
constexpr uint32_t kYawDamperOn = 0x10215;
constexpr uint32_t kYawDamperOff = 0x10216;
constexpr uint32_t kHeadingHoldOn = 0x1023a;
constexpr uint32_t kHeadingHoldOff = 0x1023b;
constexpr uint32_t kNavHoldOn = 0x10113;
constexpr uint32_t kNavHoldOff = 0x1011b;
constexpr uint32_t kSetHeading = 0x101fa;     // value: whole degrees
constexpr uint32_t kSetCourse = 0x100b4;      // value: whole degrees

constexpr int32_t kAltitudeShownUpdates = 60;
constexpr uint16_t kClickWave = 10;

sound::GaugeSound click_sound{.wave_id = kClickWave};

constexpr const FailureRecord* kZeroOnPowerFailure = kZeroOnFailure20;

double CRV5_CALL engaged_lamp_rule(ElementIcon*);
double CRV5_CALL master_mode_default_rule(ElementIcon*);
double CRV5_CALL drum_rule(ElementMovingImage*);
double CRV5_CALL altitude_readout_rule(ElementString*);

// Drum axes: the vertical one rolls over 0..top; the horizontal range carries the drum's place
// value p (minimum) and roll width r (maximum), since no drum moves sideways.
constexpr MovingAxisSpec place(double p, double r) { return {.min = p, .max = r}; }
constexpr MovingAxisSpec roll(uint32_t source, double top) {
  return {.source = source, .callback = drum_rule, .min = 0, .max = top};
}

// Knob angle for heading or course: 12 o'clock at 0, 6 o'clock at 60 (3 degrees of knob a degree).
NonlinearityEntry heading_knob_table[] = {
    {.point = {143, 43}, .value = 0.0},
    {.point = {143, 83}, .value = 60.0},
};
NonlinearityEntry course_knob_table[] = {
    {.point = {248, 43}, .value = 0.0},
    {.point = {248, 83}, .value = 60.0},
};

extern ElementIcon engaged_lamp;
extern ElementMovingImage course_units, course_tens, course_hundreds;
extern ElementMovingImage heading_units, heading_tens, heading_hundreds;
extern ElementNeedle course_knob, heading_knob;
extern ElementIcon nav_hold_switch, heading_hold_switch, yaw_damper_switch, altitude_hold_switch,
    master_switch;
extern ElementString altitude_readout;

// Each element is the child of the one above it.
// clang-format off
ElementStaticImage box             = static_image({.gauge = &gauge_Autopilot, .bitmap = 4160, .position = {0, 0},                                                                                                             .flags = kCoverFlags,                                      .next = children<&engaged_lamp>});
ElementIcon engaged_lamp           = icon({        .gauge = &gauge_Autopilot, .bitmap = 4200, .position = {274, 18},  .source = kMaster, .callback = engaged_lamp_rule,            .images = 1,                            .flags = kLampFlags,     .failures = kZeroOnPowerFailure, .next = children<&course_units>});
ElementMovingImage course_units    = moving_image({.gauge = &gauge_Autopilot, .bitmap = 4190, .position = {237, 19},  .x = place(1, 0.1),  .y = roll(kCourse, 10),                                                          .flags = kNeedleFlags,                                     .next = children<&course_tens>});
ElementMovingImage course_tens     = moving_image({.gauge = &gauge_Autopilot, .bitmap = 4190, .position = {222, 19},  .x = place(10, 1),   .y = roll(kCourse, 100),                                                         .flags = kNeedleFlags,                                     .next = children<&course_hundreds>});
ElementMovingImage course_hundreds = moving_image({.gauge = &gauge_Autopilot, .bitmap = 4190, .position = {207, 19},  .x = place(100, 1),  .y = roll(kCourse, 1000),                                                        .flags = kNeedleFlags,                                     .next = children<&heading_units>});
ElementMovingImage heading_units   = moving_image({.gauge = &gauge_Autopilot, .bitmap = 4190, .position = {169, 19},  .x = place(1, 0.1),  .y = roll(kSelectedHeading, 10),                                                 .flags = kNeedleFlags,                                     .next = children<&heading_tens>});
ElementMovingImage heading_tens    = moving_image({.gauge = &gauge_Autopilot, .bitmap = 4190, .position = {154, 19},  .x = place(10, 1),   .y = roll(kSelectedHeading, 100),                                                .flags = kNeedleFlags,                                     .next = children<&heading_hundreds>});
ElementMovingImage heading_hundreds = moving_image({.gauge = &gauge_Autopilot, .bitmap = 4190, .position = {139, 19}, .x = place(100, 1),  .y = roll(kSelectedHeading, 1000),                                               .flags = kNeedleFlags,                                     .next = children<&course_knob>});
ElementNeedle course_knob          = needle({      .gauge = &gauge_Autopilot, .bitmap = 4180, .position = {248, 63},  .pivot = {16, 16}, .source = kCourse,          .table = course_knob_table,                           .flags = kFilteredFlags,                                   .next = children<&heading_knob>});
ElementNeedle heading_knob         = needle({      .gauge = &gauge_Autopilot, .bitmap = 4180, .position = {143, 63},  .pivot = {16, 16}, .source = kSelectedHeading, .table = heading_knob_table,                          .flags = kFilteredFlags,                                   .next = children<&nav_hold_switch>});
ElementIcon nav_hold_switch        = icon({        .gauge = &gauge_Autopilot, .bitmap = 4170, .position = {157, 118}, .source = kNavHold,                                            .images = 2,                            .flags = kSwitchFlags,                                     .next = children<&heading_hold_switch>});
ElementIcon heading_hold_switch    = icon({        .gauge = &gauge_Autopilot, .bitmap = 4170, .position = {80, 118},  .source = kHeadingHold,                                        .images = 2,                            .flags = kSwitchFlags,   .failures = kZeroOnPowerFailure, .next = children<&yaw_damper_switch>});
ElementIcon yaw_damper_switch      = icon({        .gauge = &gauge_Autopilot, .bitmap = 4170, .position = {38, 118},  .source = kYawDamper,                                          .images = 2,                            .flags = kSwitchFlags,                                     .next = children<&altitude_hold_switch>});
ElementIcon altitude_hold_switch   = icon({        .gauge = &gauge_Autopilot, .bitmap = 4170, .position = {196, 118}, .source = kAltitudeHold,                                       .images = 2,                            .flags = kSwitchFlags,                                     .next = children<&master_switch>});
ElementIcon master_switch          = icon({        .gauge = &gauge_Autopilot, .bitmap = 4170, .position = {249, 98},  .source = kMaster, .callback = master_mode_default_rule,     .images = 2,                            .flags = kSwitchFlags,                                     .next = children<&altitude_readout>});
ElementString altitude_readout     = text_string({ .gauge = &gauge_Autopilot,                 .position = {104, 84},  .sources = {kSelectedAltitude}, .callback = altitude_readout_rule, .box = {60, 20}, .chars = 5,
                                                   .foreground = 0x00FAFA, .background = 0x000000, .highlight = 0x00FFFF, .font = "Arial", .weight = 700, .flags = kLampFlags, .failures = kZeroOnPowerFailure});
// clang-format on

bool above_zero(uint32_t token) { return read_var(token) > 0; }

// --- Element rules ---

double CRV5_CALL engaged_lamp_rule(ElementIcon*) { return above_zero(kMaster) ? 0 : -1; }

// With the master on and no heading, navigation, altitude or wing-leveller mode, the box engages
// the wing leveller, on every update until the simulator reports it engaged.
double CRV5_CALL master_mode_default_rule(ElementIcon* master) {
  if (above_zero(kMaster) && read_var(kAltitudeHold) == 0 && read_var(kHeadingHold) == 0 &&
      read_var(kNavHold) == 0 && read_var(kWingLeveller) == 0)
    send_event(kWingLevellerOn, 0);
  return master->source.value.f;
}

double CRV5_CALL drum_rule(ElementMovingImage* drum) {
  return drums::drum_on_record(*drum, std::fmod(drum->y.source.value.f, 360.0));
}

void set_hidden(ElementHeader& element, bool hidden) {
  if (hidden)
    element.image_flags |= kImageHidden;
  else
    element.image_flags &= ~uint32_t{kImageHidden};
}

// Shown for the updates counted after a press of the altitude button, and only while the master
// and altitude hold are both on; the count holds while either is off.
double CRV5_CALL altitude_readout_rule(ElementString* readout) {
  if (readout->text)
    autopilot::format_altitude(readout->source[0].value.f, readout->text,
                               static_cast<size_t>(readout->char_count));
  bool shown = false;
  if (above_zero(kMaster) && above_zero(kAltitudeHold) && ap_altitude_display_ticks > 0) {
    --ap_altitude_display_ticks;
    shown = true;
  }
  set_hidden(readout->header, !shown);
  return 0;
}

// --- Clicks ---

Bool32 CRV5_CALL master_click(ClickRecord*, uint32_t) {
  if (above_zero(kMaster) && above_zero(kFlightDirector)) send_event(kFlightDirectorOff, 0);
  send_event(kToggleMaster, 0);
  sound::gauge_sound_play(click_sound);
  return false;
}

Bool32 CRV5_CALL altitude_hold_click(ClickRecord*, uint32_t) {
  send_event(kWingLevellerOff, 0);
  send_event(kToggleAltitudeHold, 0);
  sound::gauge_sound_play(click_sound);
  return false;
}

Bool32 CRV5_CALL yaw_damper_click(ClickRecord*, uint32_t) {
  send_event(read_var(kYawDamper) == 0 ? kYawDamperOn : kYawDamperOff, 0);
  sound::gauge_sound_play(click_sound);
  return false;
}

// A lateral mode: engaging it hands the wing leveller's work over to it.
template <uint32_t Mode, uint32_t On, uint32_t Off>
Bool32 CRV5_CALL lateral_mode_click(ClickRecord*, uint32_t) {
  if (read_var(Mode) == 0) {
    send_event(On, 0);
    send_event(kWingLevellerOff, 0);
  } else {
    send_event(Off, 0);
  }
  sound::gauge_sound_play(click_sound);
  return false;
}

// A knob half: a left click steps 1 degree, a right click 10 (left first when both are set).
template <uint32_t Token, uint32_t Event, auto* Kept, bool Increase>
Bool32 CRV5_CALL knob_click(ClickRecord*, uint32_t flags) {
  int32_t step = 0;
  if (flags & kMouseLeftSingle)
    step = 1;
  else if (flags & kMouseRightSingle)
    step = 10;
  if (step == 0) return false;
  const int32_t next = autopilot::knob_step(read_var(Token), step, Increase);
  *Kept = next;
  send_event(Event, static_cast<uint32_t>(next));
  return false;
}

Bool32 CRV5_CALL altitude_button_click(ClickRecord*, uint32_t) {
  if (above_zero(kMaster) && above_zero(kAltitudeHold)) {
    ap_altitude_display_ticks = kAltitudeShownUpdates;
    sound::gauge_sound_play(click_sound);
  }
  return false;
}

// --- Tooltips ---

template <uint32_t Token>
const char* CRV5_CALL on_off(CRV5_TOOLTIP_PARAMS) { return above_zero(Token) ? "on" : "off"; }
double CRV5_CALL heading_knob_value(CRV5_TOOLTIP_PARAMS) { return ap_heading_knob_value; }
double CRV5_CALL course_knob_value(CRV5_TOOLTIP_PARAMS) { return ap_course_knob_value; }

// Shared by all seven tooltips, each naming one.
const TooltipArg tooltip_args[] = {
    tooltip_text(on_off<kMaster>),       tooltip_text(on_off<kAltitudeHold>),
    tooltip_text(on_off<kYawDamper>),    tooltip_text(on_off<kHeadingHold>),
    tooltip_text(on_off<kNavHold>),      tooltip_number(heading_knob_value),
    tooltip_number(course_knob_value),
};
const TooltipText master_tooltip = tooltip("Autopilot main switch (%1!s!)", tooltip_args);
const TooltipText altitude_hold_tooltip = tooltip("Altitude hold switch (%2!s!)", tooltip_args);
const TooltipText yaw_damper_tooltip = tooltip("Yaw damper switch (%3!s!)", tooltip_args);
const TooltipText heading_hold_tooltip = tooltip("Heading hold switch (%4!s!)", tooltip_args);
const TooltipText nav_hold_tooltip = tooltip("Navigation hold switch (%5!s!)", tooltip_args);
const TooltipText heading_knob_tooltip = tooltip("Heading selector knob (%6!d!\xB0)", tooltip_args);
const TooltipText course_knob_tooltip = tooltip("Course selector knob (%7!d!\xB0)", tooltip_args);

constexpr uint32_t kKnobFlags = kLeftOrRight | kMouseRepeat;  // 0xa0200000

// clang-format off
MouseRect mouse[] = {
    mouse_parent(),
    mouse_parent({249, 98, 30, 58}),  mouse_tooltip(&master_tooltip),        mouse_parent_end(),
    mouse_parent({196, 118, 30, 58}), mouse_tooltip(&altitude_hold_tooltip), mouse_parent_end(),
    mouse_parent({38, 118, 30, 58}),  mouse_tooltip(&yaw_damper_tooltip),    mouse_parent_end(),
    mouse_parent({80, 118, 30, 58}),  mouse_tooltip(&heading_hold_tooltip),  mouse_parent_end(),
    mouse_parent({157, 118, 30, 58}), mouse_tooltip(&nav_hold_tooltip),      mouse_parent_end(),
    mouse_parent({127, 47, 32, 32}),  mouse_tooltip(&heading_knob_tooltip),  mouse_parent_end(),
    mouse_parent({232, 47, 32, 32}),  mouse_tooltip(&course_knob_tooltip),   mouse_parent_end(),
    mouse_parent({0, 0, 127, 118}),   mouse_parent_end(),
    mouse_parent({127, 0, 137, 47}),  mouse_parent_end(),
    mouse_parent({264, 0, 61, 98}),   mouse_parent_end(),
    mouse_child({249, 98, 30, 58},  kCursorHand,      kMouseLeftSingle, master_click),
    mouse_child({196, 118, 30, 58}, kCursorHand,      kMouseLeftSingle, altitude_hold_click),
    mouse_child({38, 118, 30, 58},  kCursorHand,      kMouseLeftSingle, yaw_damper_click),
    mouse_child({80, 118, 30, 58},  kCursorHand,      kMouseLeftSingle, (lateral_mode_click<kHeadingHold, kHeadingHoldOn, kHeadingHoldOff>)),
    mouse_child({157, 118, 30, 58}, kCursorHand,      kMouseLeftSingle, (lateral_mode_click<kNavHold, kNavHoldOn, kNavHoldOff>)),
    mouse_child({127, 47, 16, 32},  kCursorDownArrow, kKnobFlags,       (knob_click<kSelectedHeading, kSetHeading, &ap_heading_knob_value, false>)),
    mouse_child({143, 47, 16, 32},  kCursorUpArrow,   kKnobFlags,       (knob_click<kSelectedHeading, kSetHeading, &ap_heading_knob_value, true>)),
    mouse_child({232, 47, 16, 32},  kCursorDownArrow, kKnobFlags,       (knob_click<kCourse, kSetCourse, &ap_course_knob_value, false>)),
    mouse_child({248, 47, 16, 32},  kCursorUpArrow,   kKnobFlags,       (knob_click<kCourse, kSetCourse, &ap_course_knob_value, true>)),
    mouse_child({266, 10, 30, 30},  kCursorHand,      kLeftHeld,        altitude_button_click),
    mouse_parent_end(),
    mouse_end(),
};
// clang-format on

}  // namespace autopilot_panel

GaugeHeader gauge_Autopilot = crv5::gauge_header(
    crv5::GaugeId::Autopilot, crv5::element_list<&autopilot_panel::box>, autopilot_panel::mouse,
    crv5::sound::gauge_sound_callback<&autopilot_panel::click_sound>);
