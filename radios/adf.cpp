// Radio_ADF: the automatic direction finder's head. A three-band tuner (200-410, 410-850 and
// 850-1750 kHz) picked by a band selector; a tuning knob steps the frequency by 0.5 kHz (left
// click) or 5 kHz (right click) inside the band, whose ends are stops. The frequency shows on a
// six-character read-out and on a dial turning with the frequency's place in the band, beside a
// band card turning a quarter turn per band. A main switch with its lamp and a tone switch; the
// ident audio is re-sent on every update so that it is on exactly while head and tone are on.
//
// Reads: tokens 16 (hundreds, tens, units of kHz, packed) and 18 (0x100 from 1000 kHz, plus the
// tenths digit); adf_power, adf_tone, adf_band, adf_frequency_khz, adf_dial_angle,
// adf_tuning_knob.
// Writes: adf_power, adf_tone (switches), adf_band (selector and install), adf_frequency_khz (dial
// and read-out, every update; install), adf_dial_angle, adf_tuning_knob.
// Sends, each with value 0 but the last: 0x103ee / 0x103ef (1 kHz up / down), 0x1039e / 0x1039d
// (0.1 kHz up / down), 0x10131 / 0x1012c (ident audio on / off, every update), 0x1024a (set the
// frequency, its four digits packed: 0x4100 or 0x8500, on a band change); plays WAVE 30 on the
// switches and the band selector.
#include <cstdio>
#include <iterator>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "module/text.h"
#include "radios/radio_head.h"

namespace adf {
using namespace crv5;
using namespace crv5::radio;

// Token variables.
constexpr uint32_t kDigits = 16;  // hundreds, tens, units of kHz
constexpr uint32_t kExtra = 18;   // 0x100 from 1000 kHz, plus tenths
constexpr uint32_t kToneToken = 880;  // the tone switch's record names it; unused

// Key events.
constexpr uint32_t kKhzUp = 0x103ee;
constexpr uint32_t kKhzDown = 0x103ef;
constexpr uint32_t kTenthUp = 0x1039e;
constexpr uint32_t kTenthDown = 0x1039d;
constexpr uint32_t kIdentOn = 0x10131;
constexpr uint32_t kIdentOff = 0x1012c;
constexpr uint32_t kSetFrequency = 0x1024a;  // value: hundreds, tens, units, tenths packed

struct Band {
  double low_khz, high_khz;    // its range; both ends are stops
  double dial_tenths_per_khz;  // the dial turns this many tenths of a degree per kHz
  const char* text;            // as the band selector's tooltip names it
};
// clang-format off
constexpr Band kBands[] = {
    {.low_khz = 200, .high_khz = 410,  .dial_tenths_per_khz = 5, .text = "200-410"},
    {.low_khz = 410, .high_khz = 850,  .dial_tenths_per_khz = 4, .text = "410-850"},
    {.low_khz = 850, .high_khz = 1750, .dial_tenths_per_khz = 3, .text = "850-1750"},
};
// clang-format on
constexpr int32_t kBandCount = static_cast<int32_t>(std::size(kBands));
static_assert(kBandCount == 3, "the tuner has three bands");

constexpr double kCoarseKhz = 5;    // a right click
constexpr double kFineKhz = 0.5;    // a left click
constexpr int32_t kStepEvents = 5;  // events per click

sound::GaugeSound click{.wave_id = 30};

// The row of the current band; adf_band is 1 to 3, anything else is held there.
const Band& current_band() {
  const int32_t band = truncate_to_int(adf_band);
  return kBands[band < 1 ? 0 : band > kBandCount ? kBandCount - 1 : band - 1];
}

double decode_frequency() {
  adf_frequency_khz = adf_khz(read_var_u32(kDigits), read_var_u32(kExtra));
  return adf_frequency_khz;
}

// The dial's angle for f in `band`: (f - low) x tenths per kHz / 10.
double dial_angle(const Band& band, double khz) {
  return (khz - band.low_khz) * band.dial_tenths_per_khz / 10;
}

// Install: the band from the tuned frequency (an edge frequency belongs to the lower band) and the
// dial set to it.
void pick_band() {
  const double khz = decode_frequency();
  adf_band = khz <= kBands[0].high_khz ? 1 : khz <= kBands[1].high_khz ? 2 : 3;
  adf_dial_angle = dial_angle(current_band(), khz);
}

// --- Element callbacks ------------------------------------------------------------------------

// Follows the frequency while the head is on; frozen while it is off.
double CRV5_CALL dial_value(ElementNeedle* e) {
  const double khz = decode_frequency();
  if (is_on(adf_power)) adf_dial_angle = dial_angle(current_band(), khz);
  light_with_power(e->header, adf_power);
  return adf_dial_angle;
}

double CRV5_CALL band_card_turn(ElementSprite* e) {
  light_with_power(e->header, adf_power);
  return (1 - adf_band) * 90;
}

// "0345.5" below 1000 kHz, "1234.5" above; six blanks while the head is off. Never written past
// the element's character count.
double CRV5_CALL readout_text(ElementString* e) {
  const double khz = decode_frequency();
  const size_t room = static_cast<size_t>(e->char_count) + 1;
  if (!is_on(adf_power)) {
    std::snprintf(e->text, room, "%s", "      ");
  } else if (khz < 1000) {
    std::snprintf(e->text, room, "0%4.1f", khz);
  } else {
    std::snprintf(e->text, room, "%4.1f", khz);
  }
  return 0;
}

double CRV5_CALL tuning_knob_value(ElementNeedle*) { return adf_tuning_knob; }
double CRV5_CALL band_selector_value(ElementNeedle*) { return adf_band; }

// The switch pictures re-send the ident audio's state on every update.
double CRV5_CALL main_switch_picture(ElementIcon*) {
  if (!is_on(adf_power)) {
    send_event(kIdentOff, 0);
    return 0;
  }
  if (is_on(adf_tone)) send_event(kIdentOn, 0);
  return 1;
}
double CRV5_CALL tone_switch_picture(ElementIcon*) {
  if (!is_on(adf_tone)) {
    send_event(kIdentOff, 0);
    return 0;
  }
  if (is_on(adf_power)) send_event(kIdentOn, 0);
  return 1;
}

// --- Elements, each the child of the one before it --------------------------------------------

constexpr const FailureRecord* kReadoutFailures =
    failures<FailureRecord{20, kFailNoDraw}, FailureRecord{21, kFailNoDraw}, FailureRecord{5, kFailNone}>;
constexpr const FailureRecord* kLampFailures =
    failures<FailureRecord{20, kFailNoDraw}, FailureRecord{21, kFailNoDraw}>;

NonlinearityEntry dial_table[] = {{{168, 52}, 0}, {{168, 248}, 180}};       // degrees
NonlinearityEntry tuning_table[] = {{{166, 222}, 0}, {{166, 282}, 60}};     // knob turn
NonlinearityEntry selector_table[] = {{{164, 123}, 0}, {{164, 199}, 1}};    // band

extern ElementNeedle dial, tuning_knob, band_selector;
extern ElementStaticImage cover;
extern ElementString readout;
extern ElementSprite band_card;
extern ElementIcon tone_switch, lamp, main_switch;

constexpr GaugeHeader* kHead = &gauge_Radio_ADF;
constexpr uint32_t kGrey = 0x868686;     // RGB (134,134,134) as 0x00BBGGRR
constexpr uint32_t kYellow = 0x00ffff;   // RGB (255,255,0)
// clang-format off
ElementStaticImage face    = static_image({.gauge = kHead, .bitmap = 3170, .position = {0, 0},                                                                                                    .flags = kCoverFlags,                                 .next = children<&dial>});
ElementNeedle dial         = needle({      .gauge = kHead, .bitmap = 3250, .position = {168, 150}, .pivot = {98, 98}, .callback = dial_value,          .table = dial_table,                        .flags = kNeedleFlags,                                .next = children<&cover>});
ElementStaticImage cover   = static_image({.gauge = kHead, .bitmap = 3260, .position = {0, 0},                                                                                                    .flags = kCoverFlags,                                 .next = children<&readout>});
ElementString readout      = text_string({ .gauge = kHead,                 .position = {190, 14}, .sources = {kDigits}, .callback = readout_text, .box = {60, 20}, .chars = 6,
                                           .foreground = kGrey, .background = 0, .highlight = kYellow, .font = "Quartz", .weight = 400,                                                 .flags = kLampFlags,     .failures = kReadoutFailures, .next = children<&tuning_knob>});
ElementNeedle tuning_knob  = needle({      .gauge = kHead, .bitmap = 3190, .position = {166, 252}, .pivot = {24, 21}, .callback = tuning_knob_value,   .table = tuning_table,                      .flags = kFilteredFlags,                              .next = children<&band_selector>});
ElementNeedle band_selector = needle({     .gauge = kHead, .bitmap = 3180, .position = {164, 161}, .pivot = {38, 38}, .callback = band_selector_value, .table = selector_table,                    .flags = kFilteredFlags,                              .next = children<&band_card>});
ElementSprite band_card    = sprite({      .gauge = kHead, .bitmap = 3240, .position = {91, 54}, .texture_center = {168, 150}, .x = {.scale = 1.0}, .y = {.scale = 1.0},
                                           .rotation = {.callback = band_card_turn, .scale = 1.0},                                                                                      .flags = kNeedleFlags,                                .next = children<&tone_switch>});
ElementIcon tone_switch    = icon({        .gauge = kHead, .bitmap = 3220, .position = {25, 183}, .source = kToneToken, .callback = tone_switch_picture, .images = 2,                      .flags = kSwitchFlags,                                .next = children<&lamp>});
ElementIcon lamp           = icon({        .gauge = kHead, .bitmap = 3210, .position = {290, 6},  .callback = power_lamp<&adf_power>,                    .images = 1,                      .flags = kLampFlags,     .failures = kLampFailures,    .next = children<&main_switch>});
ElementIcon main_switch    = icon({        .gauge = kHead, .bitmap = 3200, .position = {237, 215}, .callback = main_switch_picture,                      .images = 2,                      .flags = kSwitchFlags});
// clang-format on

// --- Tooltips -----------------------------------------------------------------------------------

const char* CRV5_CALL band_text(CRV5_TOOLTIP_PARAMS) { return current_band().text; }

const TooltipArg tooltip_args[] = {
    tooltip_text(band_text),               // %1
    tooltip_text(state_word<&adf_tone>),   // %2
    tooltip_text(state_word<&adf_power>),  // %3
};
const TooltipText band_tooltip = tooltip("Band selector (%1!s! KHz)", tooltip_args);
const TooltipText tone_tooltip = tooltip("Tone switch (%2!s!)", tooltip_args);
const TooltipText switch_tooltip = tooltip("ADF main switch (%3!s!)", tooltip_args);

// --- Clicks -------------------------------------------------------------------------------------

// The tone switch works powered or not.
Bool32 CRV5_CALL tone_switch_click(ClickRecord*, uint32_t) {
  adf_tone = toggled(adf_tone);
  sound::gauge_sound_play(click);
  return false;
}

// One click of the tuning knob: 5 kHz on a right click (tested first), 0.5 kHz on a left one, as
// five events; the band's ends are stops, tested on the frequency as last decoded.
template <int Direction>
Bool32 CRV5_CALL tuning_click(ClickRecord*, uint32_t mouse_flags) {
  if (!is_on(adf_power)) return false;
  const Band& band = current_band();
  const bool coarse = (mouse_flags & kMouseRightSingle) != 0;
  const double khz = coarse ? kCoarseKhz : kFineKhz;
  const Step step = Direction > 0
      ? Step{coarse ? kKhzUp : kTenthUp, kStepEvents, Stop::kAtMost, band.high_khz - khz}
      : Step{coarse ? kKhzDown : kTenthDown, kStepEvents, Stop::kAtLeast, band.low_khz + khz};
  if (take_step(step, adf_frequency_khz)) adf_tuning_knob += Direction * (coarse ? 5 : 1);
  return false;
}

// The set event's value for `khz`: its hundreds, tens, units and tenths as packed digits.
uint32_t packed_khz(double khz) { return reexpress(static_cast<uint32_t>(truncate_to_int(khz * 10)), 10, 16); }

// A band change moves the frequency to the edge the two bands share and presets the dial to the
// new band's reading of it.
template <int Direction>
Bool32 CRV5_CALL band_click(ClickRecord*, uint32_t) {
  if (!is_on(adf_power)) return false;
  if (Direction > 0 ? adf_band >= kBandCount : adf_band <= 1) return false;
  adf_band += Direction;
  sound::gauge_sound_play(click);
  const Band& band = current_band();
  const double edge = Direction > 0 ? band.low_khz : band.high_khz;
  adf_dial_angle = dial_angle(band, edge);
  send_event(kSetFrequency, packed_khz(edge));
  return false;
}

constexpr uint32_t kKnobFlags = kLeftOrRight | kMouseRepeat;  // 0xa0200000

// clang-format off
MouseRect mouse[] = {
    mouse_parent(),
    //            box (x, y, w, h)
    mouse_parent({0, 0, 360, 122}),    mouse_tooltip(nullptr, 12656),  mouse_parent_end(),
    mouse_parent({122, 209, 90, 90}),  mouse_tooltip(nullptr, 12656),  mouse_parent_end(),
    mouse_parent({126, 123, 90, 90}),  mouse_tooltip(&band_tooltip),   mouse_parent_end(),
    mouse_parent({25, 183, 74, 74}),   mouse_tooltip(&tone_tooltip),   mouse_parent_end(),
    mouse_parent({237, 215, 78, 78}),  mouse_tooltip(&switch_tooltip), mouse_parent_end(),
    //           box (x, y, w, h)    cursor            flags             function
    mouse_child({237, 215, 78, 78},  kCursorHand,      kMouseLeftSingle, (main_switch_click<&adf_power, &click>)),
    mouse_child({25, 183, 74, 74},   kCursorHand,      kMouseLeftSingle, tone_switch_click),
    mouse_child({126, 123, 76, 76},  kCursorDownArrow, kLeftHeld,        band_click<-1>),
    mouse_child({164, 123, 76, 76},  kCursorUpArrow,   kLeftHeld,        band_click<+1>),
    mouse_child({122, 209, 45, 90},  kCursorDownArrow, kKnobFlags,       tuning_click<-1>),
    mouse_child({167, 209, 45, 90},  kCursorUpArrow,   kKnobFlags,       tuning_click<+1>),
    mouse_parent_end(),
    mouse_end(),
};
// clang-format on

}  // namespace adf

GaugeHeader gauge_Radio_ADF =
    crv5::gauge_header(crv5::GaugeId::Radio_ADF, crv5::element_list<&adf::face>, adf::mouse,
                       crv5::radio::head_service<&adf::click, adf::pick_band>);
