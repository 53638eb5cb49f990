// Altimeter: the drum-pointer altimeter. The pointer turns once per 1000 feet; four rolling drums
// show the altitude (ten thousands, thousands, hundreds, and tens of feet), with masks that blank
// the leading zeros; four drums show the barometric setting in millibars; a knob below the dial
// sets it, each half of the knob sending the simulator's own barometric step event.
//
// Every drum turns by the drum rule (mechanics/drum.h), parameterised by three numbers its record
// carries in its axis limits: the step P (x minimum), the roll Q (x maximum) and the drum's period
// M (y minimum; the y maximum is 0).
//
// Reads: tokens 74 (altitude, feet), 75 (barometric setting, millibars). Writes nothing
// module-wide. Sends (by the host, from the knob's areas): 0x1015c, 0x1015b.
#include "mechanics/drum.h"
#include "module/gauges.h"
#include "module/records.h"

namespace altimeter {
using namespace crv5;

constexpr uint32_t kAltitude = 74;  // feet
constexpr uint32_t kSetting = 75;   // millibars

constexpr uint32_t kSettingDown = 0x1015c;  // the host's barometric-setting steps
constexpr uint32_t kSettingUp = 0x1015b;

constexpr int32_t kKnobHelp = 43834;
constexpr int32_t kAltimeterHelp = 12369;
constexpr int32_t kKnobTooltipHelp = 12372;

double CRV5_CALL drum_position(ElementMovingImage*);
template <int Threshold>
double CRV5_CALL mask_below(ElementIcon*);

NonlinearityEntry pointer_table[] = {
    {.point = {150, 100}, .value = 0},    // 12 o'clock
    {.point = {150, 200}, .value = 500},  // 6 o'clock: half a turn per 500 feet
};
NonlinearityEntry knob_table[] = {
    {.point = {71, 261}, .value = 1013},  // 3 o'clock of the knob
    {.point = {27, 261}, .value = 1070},  // 9 o'clock
};

// The altitude drums, masks and pointer freeze on failures 3 and 7.
inline constexpr const FailureRecord* kAltitudeFailures =
    failures<FailureRecord{3, kFailFreeze}, FailureRecord{7, kFailFreeze}>;

// A drum: its source, its step P and roll Q (x limits, no x source) and its period M (y limits).
constexpr MovingImageSpec drum(int32_t bitmap, PixPoint at, uint32_t source, double P, double Q,
                               double M, ElementHeader* const* next) {
  return {.gauge = &gauge_Altimeter, .bitmap = bitmap, .position = at,
          .x = {.source = 0, .callback = nullptr, .min = P, .max = Q},
          .y = {.source = source, .callback = drum_position, .min = M, .max = 0},
          .flags = kFilteredFlags | kImageLuminous,
          .failures = source == kAltitude ? kAltitudeFailures : nullptr,
          .next = next};
}

extern ElementMovingImage setting_units, setting_tens, setting_hundreds, setting_thousands, tens, hundreds, thousands, ten_thousands;
extern ElementIcon mask_10, mask_100, mask_1000, mask_10000;
extern ElementNeedle pointer, knob;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial          = static_image({.gauge = &gauge_Altimeter, .bitmap = 1050, .position = {0, 0}, .flags = kDialFlags, .next = children<&setting_units>});
//                                                    bitmap  position   source     P      Q      M
ElementMovingImage setting_units     = moving_image(drum(1070, {161, 212}, kSetting,      1,    1,     10, children<&setting_tens>));
ElementMovingImage setting_tens      = moving_image(drum(1070, {149, 212}, kSetting,     10,    1,    100, children<&setting_hundreds>));
ElementMovingImage setting_hundreds  = moving_image(drum(1070, {137, 212}, kSetting,    100,    1,   1000, children<&setting_thousands>));
ElementMovingImage setting_thousands = moving_image(drum(1070, {125, 212}, kSetting,   1000,    1,  10000, children<&tens>));
ElementMovingImage tens              = moving_image(drum(1090, {194, 113}, kAltitude,    10,    1,    100, children<&hundreds>));
ElementMovingImage hundreds          = moving_image(drum(1110, {164, 121}, kAltitude,   100,   10,   1000, children<&thousands>));
ElementMovingImage thousands         = moving_image(drum(1110, {121, 121}, kAltitude,  1000,  100,  10000, children<&ten_thousands>));
ElementMovingImage ten_thousands     = moving_image(drum(1110, {91, 121},  kAltitude, 10000, 1000, 100000, children<&mask_10>));
ElementIcon mask_10              = icon({        .gauge = &gauge_Altimeter, .bitmap = 1080, .position = {164, 121}, .source = kAltitude, .callback = mask_below<10>,    .images = 1, .flags = kNeedleFlags, .failures = kAltitudeFailures, .next = children<&mask_100>});
ElementIcon mask_100             = icon({        .gauge = &gauge_Altimeter, .bitmap = 1100, .position = {164, 121}, .source = kAltitude, .callback = mask_below<100>,   .images = 1, .flags = kNeedleFlags, .failures = kAltitudeFailures, .next = children<&mask_1000>});
ElementIcon mask_1000            = icon({        .gauge = &gauge_Altimeter, .bitmap = 1100, .position = {121, 121}, .source = kAltitude, .callback = mask_below<1000>,  .images = 1, .flags = kNeedleFlags, .failures = kAltitudeFailures, .next = children<&mask_10000>});
ElementIcon mask_10000           = icon({        .gauge = &gauge_Altimeter, .bitmap = 1100, .position = {91, 121},  .source = kAltitude, .callback = mask_below<10000>, .images = 1, .flags = kNeedleFlags, .failures = kAltitudeFailures, .next = children<&pointer>});
ElementNeedle pointer            = needle({      .gauge = &gauge_Altimeter, .bitmap = 1060, .position = {150, 150}, .pivot = {10, 10}, .source = kAltitude, .table = pointer_table, .flags = kNeedleFlags,    .failures = kAltitudeFailures, .next = children<&cover>});
ElementStaticImage cover         = static_image({.gauge = &gauge_Altimeter, .bitmap = 1130, .position = {0, 0}, .flags = kCoverFlags, .next = children<&knob>});
ElementNeedle knob               = needle({      .gauge = &gauge_Altimeter, .bitmap = 1120, .position = {49, 261},  .pivot = {22, 22}, .source = kSetting,  .table = knob_table,    .flags = kFilteredFlags});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_parent({0, 0, 300, 239}),                       // the dial
    mouse_tooltip(nullptr, kAltimeterHelp),
    mouse_parent_end(),
    mouse_parent({27, 239, 44, 44}),                      // the knob
    mouse_tooltip(nullptr, kKnobTooltipHelp),
    mouse_parent_end(),
    mouse_parent({27, 239, 22, 44}, kKnobHelp),           // its left half
    mouse_key_child({0, 0, 22, 44}, kCursorDownArrow, kLeftHeld, kSettingDown),
    mouse_parent_end(),
    mouse_parent({49, 239, 22, 44}, kKnobHelp),           // its right half
    mouse_key_child({0, 0, 22, 239}, kCursorUpArrow, kLeftHeld, kSettingUp),
    mouse_parent_end(),
    mouse_parent_end(),
    mouse_end(),
};

// Every drum turns by the one drum rule, its step, roll and period taken from its record.
double CRV5_CALL drum_position(ElementMovingImage* drum) {
  return drums::drum_on_record(*drum, drum->y.source.value.f);
}

// A mask shows (image 0) while the altitude is below its threshold, and hides (-1) at or above it.
template <int Threshold>
double CRV5_CALL mask_below(ElementIcon* mask) {
  return mask->source.value.f < Threshold ? 0 : -1;
}

}  // namespace altimeter

GaugeHeader gauge_Altimeter =
    crv5::gauge_header(crv5::GaugeId::Altimeter, crv5::element_list<&altimeter::dial>, altimeter::mouse);
