// Radio_COM1: the communications receiver's head. Four clickable digit wheels show the frequency
// to 25 kHz (the hundreds digit 1 is printed on the face); each wheel's left half steps down and
// its right half up. A main switch sets com1_power and its lamp only: the wheels, read-out and
// tooltips work whatever its position.
//
// Reads: token 23 (COM1 frequency, packed decimal: 118.25 MHz is 0x1825); com1_power,
// com1_whole_mhz, com1_fraction.
// Writes: com1_power (main switch), com1_whole_mhz and com1_fraction (every update and knob click).
// Sends: 0x10064 / 0x10065 (whole megahertz down / up), 0x10066 / 0x10067 (one channel down /
// up), each with value 0; plays WAVE 30 on the main switch.
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "radios/radio_head.h"

namespace com1 {
using namespace crv5;
using namespace crv5::radio;

constexpr uint32_t kFrequency = 23;  // packed decimal

// Key events.
constexpr uint32_t kMhzDown = 0x10064;
constexpr uint32_t kMhzUp = 0x10065;
constexpr uint32_t kChannelDown = 0x10066;
constexpr uint32_t kChannelUp = 0x10067;

sound::GaugeSound click{.wave_id = 30};

void decode_whole_mhz() { com1_whole_mhz = com_whole_mhz(read_var_u32(kFrequency)); }
void decode_fraction() { com1_fraction = frequency_fraction(read_var_u32(kFrequency)); }
void decode_frequency() {
  decode_whole_mhz();
  decode_fraction();
}

// --- Read-out -----------------------------------------------------------------------------------

double CRV5_CALL first_decimal(ElementIcon*) { return digits_from(com1_fraction, 10); }
double CRV5_CALL mhz_units(ElementIcon*) { return digit_at(com1_whole_mhz, 1); }
double CRV5_CALL mhz_tens(ElementIcon*) { return digit_at(com1_whole_mhz, 10); }

// The channel wheel's image from the last digit of the decimals: 0, 2, 5, 7 show the endings 00,
// 25, 50, 75; any other digit shows 00.
double CRV5_CALL channel_ending(ElementIcon*) {
  const double last = digit_at(com1_fraction, 1);
  if (last == 2) return 1;
  if (last == 5) return 2;
  if (last == 7) return 3;
  return 0;
}

constexpr const FailureRecord* kHiddenOnFailure21Com =
    failures<FailureRecord{21, kFailNoDraw}, FailureRecord{9, kFailNone}>;

extern ElementIcon first_decimal_wheel, units_wheel, tens_wheel, channel_wheel, main_switch, lamp;

// Each element is the child of the one before it. The wheels' callbacks give the image index
// itself (scale 0).
constexpr GaugeHeader* kHead = &gauge_Radio_COM1;
// clang-format off
ElementStaticImage face         = static_image({.gauge = kHead, .bitmap = 3110, .position = {0, 0},                                                                                  .flags = kCoverFlags,                                         .next = children<&first_decimal_wheel>});
ElementIcon first_decimal_wheel = icon({        .gauge = kHead, .bitmap = 3150, .position = {147, 8},  .callback = first_decimal,                   .images = 10, .scale = 0.0, .flags = kFilteredFlags,                                      .next = children<&units_wheel>});
ElementIcon units_wheel         = icon({        .gauge = kHead, .bitmap = 3150, .position = {94, 8},   .callback = mhz_units,                       .images = 10, .scale = 0.0, .flags = kFilteredFlags, .failures = kHiddenOnFailure21Com, .next = children<&tens_wheel>});
ElementIcon tens_wheel          = icon({        .gauge = kHead, .bitmap = 3150, .position = {41, 8},   .callback = mhz_tens,                        .images = 10, .scale = 0.0, .flags = kFilteredFlags,                                      .next = children<&channel_wheel>});
ElementIcon channel_wheel       = icon({        .gauge = kHead, .bitmap = 3160, .position = {194, 8},  .callback = channel_ending,                  .images = 4,  .scale = 0.0, .flags = kFilteredFlags,                                      .next = children<&main_switch>});
ElementIcon main_switch         = icon({        .gauge = kHead, .bitmap = 3140, .position = {23, 143}, .callback = switch_picture<&com1_power>, .images = 2,                .flags = kSwitchFlags,                                        .next = children<&lamp>});
ElementIcon lamp                = icon({        .gauge = kHead, .bitmap = 3130, .position = {27, 118}, .callback = power_lamp<&com1_power>,     .images = 1,                .flags = kLampFlags,     .failures = kHiddenOnFailure21Com});
// clang-format on

// --- Tooltips -----------------------------------------------------------------------------------

// The frequency to the channel: a decimals ending in 2 or 7 stands for .x25 or .x75, so half a
// hundredth is added to a copy (the channel wheel keeps reading the decoded value).
double CRV5_CALL channel_mhz(CRV5_TOOLTIP_PARAMS) {
  double f = com1_fraction;
  const double last = digit_at(f, 1);
  if (last == 2 || last == 7) f += 0.5;
  return com1_whole_mhz + f / 100;
}

const TooltipArg tooltip_args[] = {
    tooltip_number(channel_mhz),            // %1 MHz
    tooltip_text(state_word<&com1_power>),  // %2
};
const TooltipText frequency_tooltip = tooltip("Communications Radio COM1 - %1!07.3f! MHz", tooltip_args);
const TooltipText switch_tooltip = tooltip("COM1 main switch (%2!s!)", tooltip_args);

// --- Knobs --------------------------------------------------------------------------------------
// The megahertz halves decode the whole megahertz first; the decimals halves decode the decimals
// and test the whole megahertz as last decoded. None needs the power.

// clang-format off
//                                          decodes first      power    value tested     event         times stop           limit
constexpr KnobHalf kTensDown          = {decode_whole_mhz, nullptr, &com1_whole_mhz, {kMhzDown,     10, Stop::kAtLeast, 128}};
constexpr KnobHalf kTensUp            = {decode_whole_mhz, nullptr, &com1_whole_mhz, {kMhzUp,       10, Stop::kAtMost,  125}};
constexpr KnobHalf kUnitsDown         = {decode_whole_mhz, nullptr, &com1_whole_mhz, {kMhzDown,      1, Stop::kAbove,   118}};
constexpr KnobHalf kUnitsUp           = {decode_whole_mhz, nullptr, &com1_whole_mhz, {kMhzUp,        1, Stop::kBelow,   135}};
constexpr KnobHalf kFourChannelsDown  = {decode_fraction,  nullptr, &com1_whole_mhz, {kChannelDown,  4, Stop::kAtLeast, 118}};
constexpr KnobHalf kFourChannelsUp    = {decode_fraction,  nullptr, &com1_whole_mhz, {kChannelUp,    4, Stop::kAtMost,  135}};
constexpr KnobHalf kOneChannelDown    = {decode_fraction,  nullptr, &com1_whole_mhz, {kChannelDown,  1, Stop::kAtLeast, 118}};
constexpr KnobHalf kOneChannelUp      = {decode_fraction,  nullptr, &com1_whole_mhz, {kChannelUp,    1, Stop::kAtMost,  135}};

MouseRect mouse[] = {
    mouse_parent(),
    //            box (x, y, w, h)
    mouse_parent({0, 0, 240, 143}),   mouse_tooltip(&frequency_tooltip), mouse_parent_end(),
    mouse_parent({73, 143, 167, 57}), mouse_tooltip(&frequency_tooltip), mouse_parent_end(),
    mouse_parent({23, 143, 50, 52}),  mouse_tooltip(&switch_tooltip),    mouse_parent_end(),
    //           box (x, y, w, h)   cursor            flags      function
    mouse_child({41, 8, 26, 52},    kCursorDownArrow, kLeftHeld, knob_click<kTensDown>),
    mouse_child({67, 8, 26, 52},    kCursorUpArrow,   kLeftHeld, knob_click<kTensUp>),
    mouse_child({94, 8, 26, 52},    kCursorDownArrow, kLeftHeld, knob_click<kUnitsDown>),
    mouse_child({120, 8, 26, 52},   kCursorUpArrow,   kLeftHeld, knob_click<kUnitsUp>),
    mouse_child({147, 8, 26, 52},   kCursorDownArrow, kLeftHeld, knob_click<kFourChannelsDown>),
    mouse_child({173, 8, 26, 52},   kCursorUpArrow,   kLeftHeld, knob_click<kFourChannelsUp>),
    mouse_child({200, 8, 20, 52},   kCursorDownArrow, kLeftHeld, knob_click<kOneChannelDown>),
    mouse_child({214, 8, 20, 52},   kCursorUpArrow,   kLeftHeld, knob_click<kOneChannelUp>),
    mouse_child({23, 143, 50, 52},  kCursorHand,      kMouseLeftSingle, (main_switch_click<&com1_power, &click>)),
    mouse_parent_end(),
    mouse_end(),
};
// clang-format on

}  // namespace com1

GaugeHeader gauge_Radio_COM1 =
    crv5::gauge_header(crv5::GaugeId::Radio_COM1, crv5::element_list<&com1::face>, com1::mouse,
                       crv5::radio::head_service<&com1::click, nullptr, com1::decode_frequency>);
