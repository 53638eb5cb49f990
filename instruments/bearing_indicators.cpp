// The bearing indicators and the RMI's receiver switch.
//  - RMI: a compass card turned by the gyro heading, a double needle to the ADF station and a
//    single needle to the VOR station of NAV1 or NAV2, as RMI_Switch chooses.
//  - ADF_Indicator: a card the pilot turns by a knob (the host's ADF card events) and a needle to
//    the ADF station; its tooltip spells out the bearing or why there is none.
//  - RMI_Switch: a two-position lever choosing the receiver of the RMI's VOR needle, with click
//    sound WAVE 10.
// A bearing needle parks at 90 (3 o'clock) while its receiver is off or has no usable station.
//
// Reads: tokens 20 (ADF signal strength), 22 (ADF card heading), 39 (ADF relative bearing), 46
// and 55 (NAV1 and NAV2 station flags, whole numbers), 59 and 550 (NAV2 and NAV1 bearings), 84
// (gyro heading); adf_power, nav1_power, nav2_power, rmi_nav1_selected, adf_indicator_bearing.
// Writes: adf_indicator_bearing (ADF indicator needle), rmi_nav1_selected (RMI_Switch clicks).
// Sends: none itself; the card knob's halves name the host's ADF card events 0x1015a and 0x10159.
// Plays WAVE 10 on an RMI_Switch click.
#include <cmath>
#include <cstdio>
#include <iterator>

#include "instruments/navigation_state.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "mechanics/radio_state.h"
#include "sound/sound_player.h"

namespace bearing_needles {
using namespace crv5;

constexpr uint32_t kAdfBearing = 39;  // degrees relative to the nose
constexpr double kParked = 90;        // 3 o'clock

// A bearing needle's value: the bearing while its receiver gives a usable one, else parked. A
// bearing that is no number or infinite counts as no usable station.
double bearing_or_parked(bool usable, double bearing) {
  return usable && std::isfinite(bearing) ? bearing : kParked;
}

// The ADF's bearing as a needle source holds it, parked while the ADF radio is off.
double adf_needle(const ModuleVar& source) { return bearing_or_parked(adf_power != 0, source.value.f); }

}  // namespace bearing_needles

namespace rmi {
using namespace crv5;
using bearing_needles::bearing_or_parked;

constexpr uint32_t kGyroHeading = 84;  // degrees

// The receiver the VOR needle follows, by rmi_nav1_selected: its bearing, its station flags and
// its power state.
struct VorReceiver {
  uint32_t bearing;     // token, degrees relative to the nose
  uint32_t flags;       // token, a whole number; bit 0x80 set: no usable station
  const int32_t* power; // the receiver's main switch
};
constexpr VorReceiver kNav2 = {.bearing = 59, .flags = 55, .power = &nav2_power};
constexpr VorReceiver kNav1 = {.bearing = 550, .flags = 46, .power = &nav1_power};
constexpr uint32_t kNoStation = 0x80;

// Both needles: 0 up, 180 down, carried on beyond both rows over the whole dial.
NonlinearityEntry bearing_table[] = {
    {.point = {169, 70}, .value = 0.0},
    {.point = {169, 270}, .value = 180.0},
};

double CRV5_CALL adf_needle_rule(ElementNeedle* needle);
double CRV5_CALL vor_needle_rule(ElementNeedle* needle);

extern ElementSprite card;
extern ElementNeedle adf_needle;
extern ElementNeedle vor_needle;
extern ElementStaticImage glass;

// clang-format off
ElementStaticImage rmi_case = static_image({.gauge = &gauge_RMI, .bitmap = 2100, .position = {0, 0},                                                                                                       .flags = kDialFlags,                                                                                                 .next = children<&card>});
ElementSprite card          = sprite({      .gauge = &gauge_RMI, .bitmap = 2110, .position = {0, 0}, .texture_center = {169, 170}, .rotation = {.source = kGyroHeading, .scale = 1.0},                  .flags = kNeedleFlags, .failures = failures<FailureRecord{20, kFailFreeze}, FailureRecord{11, kFailNone}>,           .next = children<&adf_needle>});
ElementNeedle adf_needle    = needle({      .gauge = &gauge_RMI, .bitmap = 2130, .position = {169, 170}, .pivot = {114, 19}, .source = bearing_needles::kAdfBearing, .callback = adf_needle_rule, .table = bearing_table, .flags = kNeedleFlags, .failures = failures<FailureRecord{20, kFailFreeze}, FailureRecord{5, kFailNone}, FailureRecord{21, kFailNone}>,  .next = children<&vor_needle>});
ElementNeedle vor_needle    = needle({      .gauge = &gauge_RMI, .bitmap = 2120, .position = {169, 170}, .pivot = {119, 12}, .source = kNav1.bearing, .callback = vor_needle_rule, .table = bearing_table,                .flags = kNeedleFlags, .failures = failures<FailureRecord{20, kFailFreeze}, FailureRecord{14, kFailNone}, FailureRecord{21, kFailNone}>, .next = children<&glass>});
ElementStaticImage glass    = static_image({.gauge = &gauge_RMI, .bitmap = 2140, .position = {0, 0},                                                                                                       .flags = kCoverFlags});
// clang-format on

const TooltipText rmi_tooltip = tooltip("Radio Magnetic Indicator (ADF ==>,VORs -->)");

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&rmi_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

double CRV5_CALL adf_needle_rule(ElementNeedle* needle) {
  needle->source.id = bearing_needles::kAdfBearing;
  return bearing_needles::adf_needle(needle->source);
}

// The receiver is chosen at each update: its bearing becomes the source the host reads next, and
// this update shows the bearing read before the call.
double CRV5_CALL vor_needle_rule(ElementNeedle* needle) {
  const VorReceiver& receiver = rmi_nav1_selected != 0 ? kNav1 : kNav2;
  needle->source.id = receiver.bearing;
  const bool no_station = (read_var_u32(receiver.flags) & kNoStation) != 0;
  return bearing_or_parked(!no_station && *receiver.power != 0, needle->source.value.f);
}

}  // namespace rmi

GaugeHeader gauge_RMI = crv5::gauge_header(crv5::GaugeId::RMI, crv5::element_list<&rmi::rmi_case>, rmi::mouse);

namespace adf_indicator {
using namespace crv5;

constexpr uint32_t kAdfSignal = 20;       // below kUsableSignal: no signal
constexpr double kUsableSignal = 255;
constexpr uint32_t kAdfCardHeading = 22;  // degrees
constexpr uint32_t kAdfCardLeft = 0x1015a;
constexpr uint32_t kAdfCardRight = 0x10159;

// 0 up, 180 down, carried on beyond both rows as on the RMI.
NonlinearityEntry bearing_table[] = {
    {.point = {150, 100}, .value = 0.0},
    {.point = {150, 200}, .value = 180.0},
};
// Half a turn of the knob per 20 degrees of card, turning on without end.
NonlinearityEntry knob_table[] = {
    {.point = {39, 241}, .value = 0.0},
    {.point = {39, 297}, .value = 20.0},
};

double CRV5_CALL needle_rule(ElementNeedle* needle);

extern ElementSprite card;
extern ElementNeedle bearing_needle;
extern ElementStaticImage glass;
extern ElementNeedle card_knob;

// clang-format off
ElementStaticImage adf_case  = static_image({.gauge = &gauge_ADF_Indicator, .bitmap = 410, .position = {0, 0},                                                                                                                         .flags = kDialFlags,     .failures = failures<FailureRecord{5, kFailNone}>,                              .next = children<&card>});
ElementSprite card           = sprite({      .gauge = &gauge_ADF_Indicator, .bitmap = 440, .position = {0, 0}, .texture_center = {150, 150}, .rotation = {.source = kAdfCardHeading, .scale = 1.0},                                 .flags = kNeedleFlags,                                                                                  .next = children<&bearing_needle>});
ElementNeedle bearing_needle = needle({      .gauge = &gauge_ADF_Indicator, .bitmap = 430, .position = {150, 150}, .pivot = {123, 20}, .source = bearing_needles::kAdfBearing, .callback = needle_rule, .table = bearing_table,   .flags = kNeedleFlags,   .failures = failures<FailureRecord{21, kFailZero}, FailureRecord{20, kFailFreeze}>, .next = children<&glass>});
ElementStaticImage glass     = static_image({.gauge = &gauge_ADF_Indicator, .bitmap = 450, .position = {0, 0},                                                                                                                         .flags = kCoverFlags,                                                                                    .next = children<&card_knob>});
ElementNeedle card_knob      = needle({      .gauge = &gauge_ADF_Indicator, .bitmap = 420, .position = {39, 269}, .pivot = {28, 28}, .source = kAdfCardHeading, .table = knob_table,                                              .flags = kFilteredFlags});
// clang-format on

// The text of the dial's tooltip, built at each request.
char tooltip_buffer[64];

// The bearing in whole degrees the way the tooltip writes it: the digits of its whole number and a
// point after them (1, 2 or 3 significant digits), or "0" below 1.
void write_bearing(char* out, size_t size, double d) {
  const long whole = static_cast<long>(d);  // d lies in [0, 1000): see bearing_text
  if (whole < 1)
    std::snprintf(out, size, "ADF position (0\xB0)");
  else
    std::snprintf(out, size, "ADF position (%ld.\xB0)", whole);
}

const char* CRV5_CALL bearing_text(CRV5_TOOLTIP_PARAMS) {
  if (adf_power == 0) return "ADF position (None : ADF radio off)";
  if (read_var(kAdfSignal) < kUsableSignal) return "ADF position (None : No ADF signal)";
  const double b = adf_indicator_bearing;
  double d = std::trunc(b);
  if (b < -360)
    d = b + 720;
  else if (b < 0)
    d = b + 360;
  // Bearings the rule above leaves outside [0, 1000) are written brought round into [0, 360).
  if (d < 0 || d >= 1000) d -= 360 * std::floor(d / 360);
  write_bearing(tooltip_buffer, sizeof tooltip_buffer, d);
  return tooltip_buffer;
}

const TooltipArg tooltip_args[] = {tooltip_text(bearing_text)};
const TooltipText dial_tooltip = tooltip("%1!s!", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_parent({0, 0, 300, 241}),  // dial
    mouse_tooltip(&dial_tooltip),
    mouse_parent_end(),
    mouse_parent({11, 241, 56, 56}, 43777),  // card knob
    mouse_parent_end(),
    mouse_key_child({11, 241, 28, 56}, kCursorDownArrow, kLeftHeld, kAdfCardLeft),
    mouse_key_child({39, 241, 28, 56}, kCursorUpArrow, kLeftHeld, kAdfCardRight),
    mouse_parent_end(),
    mouse_end(),
};

// Keeps the bearing for the tooltip (a bearing that is no number keeps the one before).
double CRV5_CALL needle_rule(ElementNeedle* needle) {
  if (std::isfinite(needle->source.value.f)) adf_indicator_bearing = needle->source.value.f;
  return bearing_needles::adf_needle(needle->source);
}

}  // namespace adf_indicator

GaugeHeader gauge_ADF_Indicator = crv5::gauge_header(
    crv5::GaugeId::ADF_Indicator, crv5::element_list<&adf_indicator::adf_case>, adf_indicator::mouse);

namespace rmi_switch {
using namespace crv5;

constexpr uint16_t kClickWave = 10;

sound::GaugeSound click_sound{.wave_id = kClickWave};

// 0 (2160) lever up, NAV 1; 1 (2161) lever down, NAV 2.
double CRV5_CALL lever_rule(ElementIcon*) { return rmi_nav1_selected != 0 ? 0 : 1; }

extern ElementIcon lever;

// clang-format off
ElementStaticImage base = static_image({.gauge = &gauge_RMI_Switch, .bitmap = 2150, .position = {0, 0},                                       .flags = kCoverFlags,  .next = children<&lever>});
ElementIcon lever       = icon({        .gauge = &gauge_RMI_Switch, .bitmap = 2160, .position = {0, 0}, .callback = lever_rule, .images = 2, .flags = kSwitchFlags});
// clang-format on

const char* CRV5_CALL receiver_name(CRV5_TOOLTIP_PARAMS) { return rmi_nav1_selected != 0 ? "NAV 1" : "NAV 2"; }

const TooltipArg tooltip_args[] = {tooltip_text(receiver_name)};
const TooltipText switch_tooltip = tooltip("RMI switch for the VOR needle (%1!s!)", tooltip_args);

// The RMI's VOR needle follows the other receiver from its next update.
Bool32 CRV5_CALL lever_click(ClickRecord*, uint32_t) {
  rmi_nav1_selected = rmi_nav1_selected == 0 ? 1 : 0;
  sound::gauge_sound_play(click_sound);
  return false;
}

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&switch_tooltip),
    mouse_child({0, 11, 30, 60}, kCursorHand, kMouseLeftSingle, lever_click),
    mouse_parent_end(),
    mouse_end(),
};

}  // namespace rmi_switch

GaugeHeader gauge_RMI_Switch =
    crv5::gauge_header(crv5::GaugeId::RMI_Switch, crv5::element_list<&rmi_switch::base>, rmi_switch::mouse,
                       crv5::sound::gauge_sound_callback<&rmi_switch::click_sound>);
