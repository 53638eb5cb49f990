// Radio_NAV1 and Radio_NAV2: the two navigation receivers' heads, one gauge bound to either
// receiver's numbers. A lit drum read-out of the frequency (the hundreds digit a fixed 1, the
// decimal point on the face), a megahertz knob and a decimals knob each with a click area either
// side, a main switch with its lamp, a tone switch for the station's ident audio, and tooltips.
// The knobs act only while the head is on; switching the head off silences the ident and the tone.
//
// Reads: token 24 (NAV1) or 27 (NAV2), the frequency packed as 113.45 MHz = 0x1345; the head's
// power, tone, whole megahertz and decimals.
// Writes: nav1_power, nav1_tone, nav1_whole_mhz, nav1_fraction (NAV2: nav2_...).
// Sends (NAV1 / NAV2), each with value 0: 0x10068 / 0x1006c and 0x10069 / 0x1006d (megahertz
// down / up), 0x1006a / 0x1006e and 0x1006b / 0x1006f (one channel down / up), 0x10128 / 0x10129
// (ident audio off; also when installed), 0x1012d / 0x1012e (ident audio on); plays WAVE 10 on the
// main and tone switches.
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "radios/radio_head.h"

namespace nav {
using namespace crv5;
using namespace crv5::radio;

// One receiver's numbers; everything else of the two heads is the same.
struct NavHead {
  GaugeHeader* gauge;
  int32_t face;               // face bitmap
  uint32_t frequency;         // token, packed decimal
  int32_t* power;             // main switch
  int32_t* tone;              // tone switch
  double* whole_mhz;          // decoded whole megahertz
  double* fraction;           // decoded decimals, 0 to 99
  uint32_t mhz_down, mhz_up;  // key events
  uint32_t channel_down, channel_up;
  uint32_t ident_off, ident_on;
  const char* frequency_tooltip;
  const char* switch_tooltip;
};

// clang-format off
constexpr NavHead kNav1 = {.gauge = &gauge_Radio_NAV1, .face = 3000, .frequency = 24, .power = &nav1_power, .tone = &nav1_tone, .whole_mhz = &nav1_whole_mhz, .fraction = &nav1_fraction,
                           .mhz_down = 0x10068, .mhz_up = 0x10069, .channel_down = 0x1006a, .channel_up = 0x1006b, .ident_off = 0x10128, .ident_on = 0x1012d,
                           .frequency_tooltip = "Navigation Radio NAV1 - %1!07.3f! MHz", .switch_tooltip = "NAV1 main switch (%3!s!)"};
constexpr NavHead kNav2 = {.gauge = &gauge_Radio_NAV2, .face = 3100, .frequency = 27, .power = &nav2_power, .tone = &nav2_tone, .whole_mhz = &nav2_whole_mhz, .fraction = &nav2_fraction,
                           .mhz_down = 0x1006c, .mhz_up = 0x1006d, .channel_down = 0x1006e, .channel_up = 0x1006f, .ident_off = 0x10129, .ident_on = 0x1012e,
                           .frequency_tooltip = "Navigation Radio NAV2 - %1!07.3f! MHz", .switch_tooltip = "NAV2 main switch (%3!s!)"};
// clang-format on

constexpr double kLowestMhz = 108;   // the megahertz knob's stops
constexpr double kHighestMhz = 117;

constexpr const FailureRecord* kReadoutFailures =
    failures<FailureRecord{21, kFailNoDraw}, FailureRecord{14, kFailNone}>;

template <const NavHead& H>
struct Nav {
  static inline sound::GaugeSound click{.wave_id = 10};

  static void decode_whole_mhz() { *H.whole_mhz = nav_whole_mhz(read_var_u32(H.frequency)); }
  static void decode_fraction() { *H.fraction = frequency_fraction(read_var_u32(H.frequency)); }
  static void decode_frequency() {
    decode_whole_mhz();
    decode_fraction();
  }
  // The ident audio starts off, as the tone switch does.
  static void install() { send_event(H.ident_off, 0); }

  // --- Read-out: each drum lit with the power -------------------------------------------------

  template <int Place, bool Whole>
  static double CRV5_CALL drum(ElementMovingImage* e) {
    light_with_power(e->header, *H.power);
    return digit_at(Whole ? *H.whole_mhz : *H.fraction, Place);
  }
  static double CRV5_CALL tenths_drum(ElementMovingImage* e) {
    light_with_power(e->header, *H.power);
    return digits_from(*H.fraction, 10);
  }
  static double CRV5_CALL hundreds_digit(ElementIcon* e) {
    light_with_power(e->header, *H.power);
    return 0;
  }
  static double CRV5_CALL mhz_knob(ElementNeedle*) { return *H.whole_mhz; }
  static double CRV5_CALL decimals_knob(ElementNeedle*) { return *H.fraction; }

  // --- Elements, each the child of the one before it (declared from the last) -----------------

  static inline NonlinearityEntry decimals_table[] = {{{195, 11}, 50}, {{195, 79}, 0}};
  static inline NonlinearityEntry mhz_table[] = {{{79, 11}, 108}, {{79, 79}, 112}};

  // clang-format off
  static inline ElementIcon lamp              = icon({        .gauge = H.gauge, .bitmap = 3070, .position = {272, 44}, .callback = power_lamp<H.power>,     .images = 1,               .flags = kLampFlags,     .failures = kReadoutFailures});
  static inline ElementIcon main_switch       = icon({        .gauge = H.gauge, .bitmap = 3050, .position = {25, 32},  .callback = switch_picture<H.power>, .images = 2,               .flags = kSwitchFlags,                                .next = children<&lamp>});
  static inline ElementIcon tone_switch       = icon({        .gauge = H.gauge, .bitmap = 3060, .position = {225, 47}, .callback = switch_picture<H.tone>,  .images = 2,               .flags = kSwitchFlags,   .failures = kReadoutFailures, .next = children<&main_switch>});
  static inline ElementNeedle mhz_needle      = needle({      .gauge = H.gauge, .bitmap = 3010, .position = {79, 45},  .pivot = {17, 17}, .callback = mhz_knob,      .table = mhz_table,      .flags = kFilteredFlags,                              .next = children<&tone_switch>});
  static inline ElementNeedle decimals_needle = needle({      .gauge = H.gauge, .bitmap = 3010, .position = {195, 45}, .pivot = {17, 17}, .callback = decimals_knob, .table = decimals_table, .flags = kFilteredFlags,                              .next = children<&mhz_needle>});
  static inline ElementIcon hundreds          = icon({        .gauge = H.gauge, .bitmap = 3040, .position = {102, 36}, .callback = hundreds_digit,          .images = 1, .scale = 0.0, .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&decimals_needle>});
  static inline ElementMovingImage tens       = moving_image({.gauge = H.gauge, .bitmap = 3030, .position = {115, 36}, .y = {.callback = drum<10, true>, .min = 0, .max = 1},  .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&hundreds>});
  static inline ElementMovingImage units      = moving_image({.gauge = H.gauge, .bitmap = 3020, .position = {128, 36}, .y = {.callback = drum<1, true>, .min = 0, .max = 10},  .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&tens>});
  static inline ElementMovingImage tenths     = moving_image({.gauge = H.gauge, .bitmap = 3020, .position = {146, 36}, .y = {.callback = tenths_drum,   .min = 0, .max = 10},  .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&units>});
  static inline ElementMovingImage hundredths = moving_image({.gauge = H.gauge, .bitmap = 3020, .position = {159, 36}, .y = {.callback = drum<1, false>, .min = 0, .max = 10}, .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&tenths>});
  static inline ElementStaticImage face       = static_image({.gauge = H.gauge, .bitmap = H.face, .position = {0, 0},                                                                 .flags = kCoverFlags,                                 .next = children<&hundredths>});
  // clang-format on

  // --- Tooltips ------------------------------------------------------------------------------

  static inline const TooltipArg tooltip_args[] = {
      tooltip_number(frequency_mhz<H.whole_mhz, H.fraction>),  // %1 MHz
      tooltip_text(state_word<H.tone>),                        // %2
      tooltip_text(state_word<H.power>),                       // %3
  };
  static inline const TooltipText frequency_tooltip = tooltip(H.frequency_tooltip, tooltip_args);
  static inline const TooltipText tone_tooltip = tooltip("Tone switch (%2!s!)", tooltip_args);
  static inline const TooltipText switch_tooltip = tooltip(H.switch_tooltip, tooltip_args);

  // --- Clicks --------------------------------------------------------------------------------

  // Switching off silences the ident and the tone; switching on therefore starts with the tone off.
  static Bool32 CRV5_CALL main_switch_click(ClickRecord*, uint32_t) {
    if (is_on(*H.power)) {
      send_event(H.ident_off, 0);
      *H.tone = 0;
    }
    *H.power = toggled(*H.power);
    sound::gauge_sound_play(click);
    return false;
  }

  // Works only while the head is on.
  static Bool32 CRV5_CALL tone_switch_click(ClickRecord*, uint32_t) {
    if (!is_on(*H.power)) return false;
    send_event(is_on(*H.tone) ? H.ident_off : H.ident_on, 0);
    *H.tone = toggled(*H.tone);
    sound::gauge_sound_play(click);
    return false;
  }

  // clang-format off
  //                                         decodes first     power    value tested  event           times stop          limit
  static constexpr KnobHalf kMhzDown      = {decode_whole_mhz, H.power, H.whole_mhz, {H.mhz_down,     1, Stop::kAbove, kLowestMhz}};
  static constexpr KnobHalf kMhzUp        = {decode_whole_mhz, H.power, H.whole_mhz, {H.mhz_up,       1, Stop::kBelow, kHighestMhz}};
  static constexpr KnobHalf kChannelDown  = {decode_fraction,  H.power, H.fraction,  {H.channel_down, 1}};
  static constexpr KnobHalf kChannelUp    = {decode_fraction,  H.power, H.fraction,  {H.channel_up,   1}};

  static inline MouseRect mouse[] = {
      mouse_parent(),
      //            box (x, y, w, h)
      mouse_parent({55, 0, 167, 95}),   mouse_tooltip(&frequency_tooltip), mouse_parent_end(),
      mouse_parent({225, 47, 34, 34}),  mouse_tooltip(&tone_tooltip),      mouse_parent_end(),
      mouse_parent({25, 32, 28, 53}),   mouse_tooltip(&switch_tooltip),    mouse_parent_end(),
      //           box (x, y, w, h)   cursor            flags             function
      mouse_child({62, 28, 17, 34},   kCursorDownArrow, kLeftHeld,        knob_click<kMhzDown>),
      mouse_child({79, 28, 17, 34},   kCursorUpArrow,   kLeftHeld,        knob_click<kMhzUp>),
      mouse_child({178, 28, 17, 34},  kCursorDownArrow, kLeftHeld,        knob_click<kChannelDown>),
      mouse_child({195, 28, 17, 34},  kCursorUpArrow,   kLeftHeld,        knob_click<kChannelUp>),
      mouse_child({25, 32, 28, 53},   kCursorHand,      kMouseLeftSingle, main_switch_click),
      mouse_child({225, 47, 34, 34},  kCursorHand,      kMouseLeftSingle, tone_switch_click),
      mouse_parent_end(),
      mouse_end(),
  };
  // clang-format on

  static constexpr GaugeCallback callback = head_service<&click, install, decode_frequency>;
};

}  // namespace nav

GaugeHeader gauge_Radio_NAV1 =
    crv5::gauge_header(crv5::GaugeId::Radio_NAV1, crv5::element_list<&nav::Nav<nav::kNav1>::face>,
                       nav::Nav<nav::kNav1>::mouse, nav::Nav<nav::kNav1>::callback);
GaugeHeader gauge_Radio_NAV2 =
    crv5::gauge_header(crv5::GaugeId::Radio_NAV2, crv5::element_list<&nav::Nav<nav::kNav2>::face>,
                       nav::Nav<nav::kNav2>::mouse, nav::Nav<nav::kNav2>::callback);
