// Ruzi_Compass: the main heading indicator. A compass card turned by the gyro heading in modes
// "GM" and "D" and by the magnetic heading in mode "Cm", a heading bug drawn relative to the gyro
// heading, a heading-bug knob and a three-position function selector. Turning the selector back
// from "Cm" to "D" aligns the gyro with the heading the card showed, at every update of the
// selector until it is moved again.
//
// Whiskey_Compass: the standby magnetic compass, a card strip moved sideways by its heading; only
// records, no code.
//
// Reads: tokens 81 (magnetic heading), 83 (standby compass heading), 84 (gyro heading), 855
// (heading bug), all degrees; compass_mode, previous_compass_mode, heading_to_align.
// Writes: compass_mode, previous_compass_mode (selector clicks), card_heading, heading_to_align
// (card updates).
// Sends: 0x101fa (set the heading bug) from the bug knob; 0x10020 (set the gyro heading) from the
// selector while it has been turned back from "Cm" to "D". No sounds.
#include <cmath>
#include <iterator>

#include "instruments/angle_knob.h"
#include "instruments/navigation_state.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace ruzi_compass {
using namespace crv5;

constexpr uint32_t kMagneticHeading = 81;  // degrees
constexpr uint32_t kGyroHeading = 84;      // degrees
constexpr uint32_t kHeadingBug = 855;      // degrees
constexpr uint32_t kSetHeadingBug = 0x101fa;
constexpr uint32_t kSetGyroHeading = 0x10020;

// The function selector's positions, by image of the selector icon.
enum Mode : int32_t { kGyroMagnetic = 0, kDirectional = 1, kCompass = 2 };
constexpr const char* kModeNames[] = {"GM", "D", "Cm"};
static_assert(std::size(kModeNames) == kCompass + 1, "one name per selector position");

// The bug knob: half a turn per 30 degrees of bug, turning on without end.
NonlinearityEntry bug_knob_table[] = {
    {.point = {40, 249}, .value = 0.0},
    {.point = {40, 289}, .value = 30.0},
};

double CRV5_CALL card_rotation(ElementSprite* card);
double CRV5_CALL bug_angle(ElementNeedle* bug);
double CRV5_CALL selector_rule(ElementIcon* selector);

constexpr const FailureRecord* kCardFailures = failures<FailureRecord{20, kFailFreeze}, FailureRecord{11, kFailFreeze}>;

extern ElementSprite card;
extern ElementNeedle bug;
extern ElementStaticImage bezel;
extern ElementIcon selector;
extern ElementNeedle bug_knob;

// clang-format off
ElementStaticImage compass_case = static_image({.gauge = &gauge_Ruzi_Compass, .bitmap = 390, .position = {0, 0},                                                                                                         .flags = kCoverFlags,                              .next = children<&card>});
ElementSprite card              = sprite({      .gauge = &gauge_Ruzi_Compass, .bitmap = 380, .position = {10, 10}, .texture_center = {150, 151}, .rotation = {.source = kGyroHeading, .callback = card_rotation, .scale = 1.0}, .flags = kNeedleFlags, .failures = kCardFailures, .next = children<&bug>});
ElementNeedle bug               = needle({      .gauge = &gauge_Ruzi_Compass, .bitmap = 370, .position = {150, 151}, .pivot = {20, 128}, .source = kHeadingBug, .callback = bug_angle,                           .flags = kNeedleFlags, .failures = kCardFailures, .next = children<&bezel>});
ElementStaticImage bezel        = static_image({.gauge = &gauge_Ruzi_Compass, .bitmap = 360, .position = {0, 0},                                                                                                         .flags = kFilteredFlags,                           .next = children<&selector>});
ElementIcon selector            = icon({        .gauge = &gauge_Ruzi_Compass, .bitmap = 350, .position = {231, 241}, .callback = selector_rule, .images = 3,                                                  .flags = kCoverFlags,                              .next = children<&bug_knob>});
ElementNeedle bug_knob          = needle({      .gauge = &gauge_Ruzi_Compass, .bitmap = 340, .position = {40, 269}, .pivot = {28, 28}, .source = kHeadingBug, .table = bug_knob_table,                       .flags = kFilteredFlags});
// clang-format on

double CRV5_CALL bug_degrees(CRV5_TOOLTIP_PARAMS) { return whole_degrees_or_zero(read_var(kHeadingBug)); }
const char* CRV5_CALL mode_name(CRV5_TOOLTIP_PARAMS) {
  return compass_mode >= kGyroMagnetic && compass_mode <= kCompass ? kModeNames[compass_mode] : "";
}

// Shared by both tooltips.
const TooltipArg tooltip_args[] = {tooltip_number(bug_degrees), tooltip_text(mode_name)};
const TooltipText bug_knob_tooltip = tooltip("Heading Bug Adjust Knob (%1!d!\xB0)", tooltip_args);
const TooltipText selector_tooltip = tooltip("Function Selector Knob (%2!s!)", tooltip_args);

Bool32 CRV5_CALL mode_up(ClickRecord*, uint32_t);
Bool32 CRV5_CALL mode_down(ClickRecord*, uint32_t);
Bool32 CRV5_CALL bug_decrease(ClickRecord*, uint32_t mouse_flags);
Bool32 CRV5_CALL bug_increase(ClickRecord*, uint32_t mouse_flags);

constexpr uint32_t kKnobFlags = kLeftOrRight | kMouseRepeat;  // 0xa0200000

MouseRect mouse[] = {
    mouse_parent(),
    mouse_parent({0, 0, 300, 241}),  // dial
    mouse_tooltip(nullptr, 12808),  // the host's own text
    mouse_parent_end(),
    mouse_parent({12, 241, 56, 56}),  // bug knob
    mouse_tooltip(&bug_knob_tooltip),
    mouse_parent_end(),
    mouse_parent({231, 241, 56, 56}),  // selector
    mouse_tooltip(&selector_tooltip),
    mouse_parent_end(),
    mouse_child({231, 241, 28, 56}, kCursorDownArrow, kMouseLeftSingle, mode_up),
    mouse_child({259, 241, 28, 56}, kCursorUpArrow, kMouseLeftSingle, mode_down),
    mouse_child({12, 241, 28, 56}, kCursorDownArrow, kKnobFlags, bug_decrease),
    mouse_child({40, 241, 28, 56}, kCursorUpArrow, kKnobFlags, bug_increase),
    mouse_parent_end(),
    mouse_end(),
};

// The card follows the gyro in "GM" and "D" and the magnetic heading in "Cm". The source chosen
// here is the one the host reads next; this update shows the value it read before the call. A
// heading that is no number leaves the card where it was.
double CRV5_CALL card_rotation(ElementSprite* card) {
  card->rotation.source.id = compass_mode == kCompass ? kMagneticHeading : kGyroHeading;
  const double heading = card->rotation.source.value.f;
  if (std::isfinite(heading)) card_heading = heading;
  heading_to_align = card_heading;
  return card_heading;
}

// The bug is drawn relative to the gyro heading in every mode: degrees clockwise from the lubber
// line. A difference that is no number leaves the bug where it was.
double CRV5_CALL bug_angle(ElementNeedle* bug) {
  static double last = 0;
  const double angle = bug->source.value.f - read_var(kGyroHeading);
  if (std::isfinite(angle)) last = angle;
  return last;
}

// While the selector has just been turned back from "Cm" to "D", the gyro is set to the heading
// the card showed last.
double CRV5_CALL selector_rule(ElementIcon*) {
  if (previous_compass_mode == kCompass && compass_mode == kDirectional) {
    if (const auto heading = whole_degrees(heading_to_align))
      send_event(kSetGyroHeading, static_cast<uint32_t>(*heading));
  }
  return compass_mode;
}

// The selector stops at its ends: there a click changes nothing, not even the previous mode.
Bool32 CRV5_CALL mode_up(ClickRecord*, uint32_t) {
  if (compass_mode < kCompass) {
    previous_compass_mode = compass_mode;
    compass_mode = compass_mode + 1;
  }
  return false;
}

Bool32 CRV5_CALL mode_down(ClickRecord*, uint32_t) {
  if (compass_mode > kGyroMagnetic) {
    previous_compass_mode = compass_mode;
    compass_mode = compass_mode - 1;
  }
  return false;
}

// A left click on the increase half goes on from 359 to 360, and from 360 to 1.
constexpr KnobWrap kBugWrap = {.top = 360, .wraps_to = 1};

Bool32 CRV5_CALL bug_decrease(ClickRecord*, uint32_t mouse_flags) {
  knob_click(kHeadingBug, kSetHeadingBug, false, mouse_flags, kBugWrap);
  return false;
}

Bool32 CRV5_CALL bug_increase(ClickRecord*, uint32_t mouse_flags) {
  knob_click(kHeadingBug, kSetHeadingBug, true, mouse_flags, kBugWrap);
  return false;
}

}  // namespace ruzi_compass

GaugeHeader gauge_Ruzi_Compass = crv5::gauge_header(
    crv5::GaugeId::Ruzi_Compass, crv5::element_list<&ruzi_compass::compass_case>, ruzi_compass::mouse);

namespace whiskey_compass {
using namespace crv5;

constexpr uint32_t kStandbyHeading = 83;  // degrees

extern ElementMovingImage card_strip;

// The strip is at its right end at 0 degrees and at its left end at 360; y stays at its start.
// clang-format off
ElementStaticImage compass_case = static_image({.gauge = &gauge_Whiskey_Compass, .bitmap = 3450, .position = {0, 0},                                                                                          .flags = kCoverFlags,                                          .next = children<&card_strip>});
ElementMovingImage card_strip   = moving_image({.gauge = &gauge_Whiskey_Compass, .bitmap = 3460, .position = {20, 50}, .x = {.source = kStandbyHeading, .min = 360, .max = 0}, .y = {.min = 360, .max = 360}, .flags = kNeedleFlags, .failures = failures<FailureRecord{12, kFailNone}>});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(nullptr, 12728),  // the host's own text; no click
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace whiskey_compass

GaugeHeader gauge_Whiskey_Compass = crv5::gauge_header(
    crv5::GaugeId::Whiskey_Compass, crv5::element_list<&whiskey_compass::compass_case>, whiskey_compass::mouse);
