// Radio_IFF_XPDR: the transponder's head. Four lit code drums, each with a click area above it
// (digit up) and below it (digit down), a main switch with its lamp, and an ident push-button
// that does nothing. The head is on when the module loads; switched off, its drums go dark, its
// lamp out and its digit areas idle, while the host keeps the code.
//
// Reads: token 38 (the code, four packed digits: 7700 is 0x7700); iff_power, xpdr_code.
// Writes: iff_power (main switch), xpdr_code (every update and every drum).
// Sends, each with value 0 while powered: 0x10073 to 0x10076 (thousands, hundreds, tens, units
// digit up), 0x10397 to 0x1039a (the same digits down); plays WAVE 30 on the main switch.
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "radios/radio_head.h"

namespace transponder {
using namespace crv5;
using namespace crv5::radio;

constexpr uint32_t kCode = 38;  // packed decimal

sound::GaugeSound click{.wave_id = 30};

void decode_code() { xpdr_code = transponder_code(read_var_u32(kCode)); }

// A drum decodes the code, lights with the power and shows its digit.
template <int Place>
double CRV5_CALL code_drum(ElementMovingImage* e) {
  decode_code();
  light_with_power(e->header, iff_power);
  return Place == 1000 ? digits_from(xpdr_code, Place) : digit_at(xpdr_code, Place);
}

constexpr const FailureRecord* kReadoutFailures =
    failures<FailureRecord{20, kFailNoDraw}, FailureRecord{21, kFailNoDraw}, FailureRecord{17, kFailNone}>;

extern ElementMovingImage units, tens, hundreds, thousands;
extern ElementIcon ident_button, lamp, main_switch;

// Each element is the child of the one before it. The drums roll over 0 to 10; the tens drum
// names no source.
constexpr GaugeHeader* kHead = &gauge_Radio_IFF_XPDR;
// clang-format off
ElementStaticImage face      = static_image({.gauge = kHead, .bitmap = 3270, .position = {0, 0},                                                                                  .flags = kCoverFlags,                                 .next = children<&units>});
ElementMovingImage units     = moving_image({.gauge = kHead, .bitmap = 3280, .position = {184, 57}, .y = {.source = kCode, .callback = code_drum<1>,    .min = 0, .max = 10}, .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&tens>});
ElementMovingImage tens      = moving_image({.gauge = kHead, .bitmap = 3280, .position = {161, 57}, .y = {                 .callback = code_drum<10>,   .min = 0, .max = 10}, .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&hundreds>});
ElementMovingImage hundreds  = moving_image({.gauge = kHead, .bitmap = 3280, .position = {138, 57}, .y = {.source = kCode, .callback = code_drum<100>,  .min = 0, .max = 10}, .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&thousands>});
ElementMovingImage thousands = moving_image({.gauge = kHead, .bitmap = 3280, .position = {115, 57}, .y = {.source = kCode, .callback = code_drum<1000>, .min = 0, .max = 10}, .flags = kFilteredFlags, .failures = kReadoutFailures, .next = children<&ident_button>});
ElementIcon ident_button     = icon({        .gauge = kHead, .bitmap = 3310, .position = {208, 31},                                                  .images = 2,                .flags = kSwitchFlags,   .failures = kReadoutFailures, .next = children<&lamp>});
ElementIcon lamp             = icon({        .gauge = kHead, .bitmap = 3300, .position = {53, 79},  .callback = power_lamp<&iff_power>,             .images = 1,                .flags = kLampFlags,     .failures = kReadoutFailures, .next = children<&main_switch>});
ElementIcon main_switch      = icon({        .gauge = kHead, .bitmap = 3290, .position = {27, 8},   .callback = switch_picture<&iff_power>,          .images = 2,                .flags = kSwitchFlags});
// clang-format on

const TooltipArg tooltip_args[] = {tooltip_text(state_word<&iff_power>)};
const TooltipText switch_tooltip = tooltip("Transponder (IFF) main switch (%1!s!)", tooltip_args);

// A digit area: its event once a click while the head is on, no stop; the drums have decoded the
// code already.
template <uint32_t Event>
constexpr KnobHalf kDigitArea = {
    .decode = nullptr, .power = &iff_power, .value = &xpdr_code, .step = {Event, 1}};

Bool32 CRV5_CALL ident_click(ClickRecord*, uint32_t) { return false; }

// clang-format off
MouseRect mouse[] = {
    mouse_parent(),
    //            box (x, y, w, h)
    mouse_parent({61, 0, 200, 99}),  mouse_tooltip(nullptr, 12672),  mouse_parent_end(),
    mouse_parent({29, 12, 24, 60}),  mouse_tooltip(&switch_tooltip), mouse_parent_end(),
    //           box (x, y, w, h)   cursor            flags             function
    mouse_child({29, 12, 24, 60},   kCursorHand,      kMouseLeftSingle, (main_switch_click<&iff_power, &click>)),
    mouse_child({111, 76, 23, 15},  kCursorDownArrow, kLeftHeld,        knob_click<kDigitArea<0x10397>>),  // thousands down
    mouse_child({111, 44, 23, 15},  kCursorUpArrow,   kLeftHeld,        knob_click<kDigitArea<0x10073>>),  // thousands up
    mouse_child({134, 76, 23, 15},  kCursorDownArrow, kLeftHeld,        knob_click<kDigitArea<0x10398>>),  // hundreds down
    mouse_child({134, 44, 23, 15},  kCursorUpArrow,   kLeftHeld,        knob_click<kDigitArea<0x10074>>),  // hundreds up
    mouse_child({157, 76, 23, 15},  kCursorDownArrow, kLeftHeld,        knob_click<kDigitArea<0x10399>>),  // tens down
    mouse_child({157, 44, 23, 15},  kCursorUpArrow,   kLeftHeld,        knob_click<kDigitArea<0x10075>>),  // tens up
    mouse_child({180, 76, 23, 15},  kCursorDownArrow, kLeftHeld,        knob_click<kDigitArea<0x1039a>>),  // units down
    mouse_child({180, 44, 23, 15},  kCursorUpArrow,   kLeftHeld,        knob_click<kDigitArea<0x10076>>),  // units up
    mouse_child({208, 31, 24, 32},  kCursorHand,      kMouseLeftSingle, ident_click),
    mouse_parent_end(),
    mouse_end(),
};
// clang-format on

}  // namespace transponder

GaugeHeader gauge_Radio_IFF_XPDR = crv5::gauge_header(
    crv5::GaugeId::Radio_IFF_XPDR, crv5::element_list<&transponder::face>, transponder::mouse,
    crv5::radio::head_service<&transponder::click, nullptr, transponder::decode_code>);
