// Head_Up_Display: the green symbology over the windscreen. A fixed glass picture (aircraft
// symbol, altitude box, bank index), a pitch ladder that moves with pitch and turns with bank, a
// bank pointer, and the altitude in feet as a five-character read-out. Every moving symbol and the
// read-out come twice, bright and dim, in one chain of elements; each copy shows only in its own
// mode (the other is hidden by its own flag, which does not hide what is drawn over it).
//
// Reads: tokens 74 (altitude, feet), 78 (pitch, degrees), 80 (bank, degrees); hud_mode.
// Writes nothing module-wide; sends no events.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "instruments/attitude_limits.h"
#include "instruments/hud_mode.h"
#include "module/gauges.h"
#include "module/records.h"

namespace head_up_display {
using namespace crv5;

constexpr uint32_t kAltitude = 74;  // feet
constexpr uint32_t kPitch = 78;     // degrees
constexpr uint32_t kBank = 80;      // degrees

constexpr double kPixelsPerPitchDegree = 1.88;
constexpr int32_t kReadoutChars = 5;
constexpr uint32_t kBrightGreen = 0x42fc01;  // 0x00BBGGRR
constexpr uint32_t kDimGreen = 0x1d9e00;

inline constexpr const FailureRecord* kAttitudeFailures =
    failures<FailureRecord{8, kFailNone}, FailureRecord{2, kFailNone}, FailureRecord{4, kFailNone}>;
inline constexpr const FailureRecord* kAltitudeFailures =
    failures<FailureRecord{3, kFailFreeze}, FailureRecord{7, kFailFreeze}>;

double CRV5_CALL glass_rule(ElementIcon*);
template <uint32_t Mode>
double CRV5_CALL bank_rule(ElementNeedle*);
template <uint32_t Mode>
double CRV5_CALL pitch_rule(ElementSprite*);
template <uint32_t Mode>
double CRV5_CALL altitude_text(ElementString*);

// Bank pointers: straight down at 0, to the right at -90, to the left at 90.
NonlinearityEntry bank_table[] = {
    {.point = {200, 141}, .value = -90},
    {.point = {100, 141}, .value = 90},
};

extern ElementIcon glass;
extern ElementNeedle bank_dim, bank_bright;
extern ElementSprite ladder_dim, ladder_bright;
extern ElementString altitude_dim, altitude_bright;

constexpr StringSpec readout(uint32_t foreground, StringCallback callback, ElementHeader* const* next) {
  return {.gauge = &gauge_Head_Up_Display, .bitmap = -1, .position = {11, 136}, .sources = {kAltitude, 0, 0},
          .callback = callback, .box = {35, 12}, .chars = kReadoutChars, .foreground = foreground,
          .background = 0x000000, .highlight = 0xffff, .font = "Quartz", .weight = 400,
          .flags = kLampFlags, .failures = kAltitudeFailures, .next = next};
}

// clang-format off
ElementStaticImage frame     = static_image({.gauge = &gauge_Head_Up_Display, .bitmap = 5000, .position = {0, 0},                                                                                                                                                                                                   .flags = kDialFlags,                                      .next = children<&glass>});
ElementIcon glass            = icon({        .gauge = &gauge_Head_Up_Display, .bitmap = 5010, .position = {0, 0},     .callback = glass_rule, .images = 2,                                                                                                                                                        .flags = kLampFlags,                                      .next = children<&bank_dim>});  // 5010 bright, 5011 dim
ElementNeedle bank_dim       = needle({      .gauge = &gauge_Head_Up_Display, .bitmap = 5021, .position = {150, 141}, .pivot = {0, 4}, .source = kBank, .callback = bank_rule<hud::kDim>,    .table = bank_table,                                                                                                   .flags = kNeedleFlags,          .failures = kAttitudeFailures, .next = children<&bank_bright>});
ElementNeedle bank_bright    = needle({      .gauge = &gauge_Head_Up_Display, .bitmap = 5020, .position = {150, 141}, .pivot = {0, 4}, .source = kBank, .callback = bank_rule<hud::kBright>, .table = bank_table,                                                                                                   .flags = kNeedleFlags,          .failures = kAttitudeFailures, .next = children<&ladder_dim>});
ElementSprite ladder_dim     = sprite({      .gauge = &gauge_Head_Up_Display, .bitmap = 5040, .position = {57, 49},   .texture_center = {150, 141}, .y = {.source = kPitch, .callback = pitch_rule<hud::kDim>,    .scale = kPixelsPerPitchDegree}, .rotation = {.source = kBank, .scale = -1.0}, .flags = kBrightFilteredFlags, .failures = kAttitudeFailures, .next = children<&ladder_bright>});
ElementSprite ladder_bright  = sprite({      .gauge = &gauge_Head_Up_Display, .bitmap = 5030, .position = {57, 49},   .texture_center = {150, 141}, .y = {.source = kPitch, .callback = pitch_rule<hud::kBright>, .scale = kPixelsPerPitchDegree}, .rotation = {.source = kBank, .scale = -1.0}, .flags = kBrightFilteredFlags, .failures = kAttitudeFailures, .next = children<&altitude_dim>});
ElementString altitude_dim   = text_string(readout(kDimGreen,    altitude_text<hud::kDim>,    children<&altitude_bright>));
ElementString altitude_bright = text_string(readout(kBrightGreen, altitude_text<hud::kBright>, nullptr));
// clang-format on

const TooltipText display_tooltip = tooltip("Head-Up Display");

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&display_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

// hud_mode - 1 in unsigned arithmetic: 0 (bright glass) in mode 1, 1 (dim glass) in mode 2; mode
// 3 gives 2 and mode 0 gives 4294967295, neither of which names an image.
double CRV5_CALL glass_rule(ElementIcon*) { return static_cast<uint32_t>(hud_mode - 1u); }

// A copy shows only in its own mode: its own hidden flag is cleared in that mode, set otherwise.
void show_in_mode(ElementHeader& copy, uint32_t mode) {
  if (hud_mode == mode)
    copy.image_flags &= ~uint32_t{kImageHidden};
  else
    copy.image_flags |= kImageHidden;
}

template <uint32_t Mode>
double CRV5_CALL bank_rule(ElementNeedle* pointer) {
  show_in_mode(pointer->header, Mode);
  return horizon::within_ninety(pointer->source.value.f);
}

template <uint32_t Mode>
double CRV5_CALL pitch_rule(ElementSprite* ladder) {
  show_in_mode(ladder->header, Mode);
  return horizon::within_ninety(ladder->y.source.value.f);
}

}  // namespace head_up_display

namespace crv5::hud {

// The altitude right-aligned in five characters, as the display's formats write it, rounded to
// whole feet. The rounding decides the width: 9.6 feet shows "   10" and 99.7 feet "  100".
// From 99999.5 feet on, which rounds to six figures, the read-out holds at "99999". Returns false
// (nothing written) below 0 feet or for a value that is no number: the read-out keeps its text.
bool altitude_readout(double feet, char (&text)[6]) {
  if (!(feet >= 0)) return false;
  if (!(feet < 99999.5)) {
    std::memcpy(text, "99999", 6);
    return true;
  }
  std::snprintf(text, sizeof text, "%5.0f", feet + 0.0);  // + 0.0: no "-0"
  return true;
}

}  // namespace crv5::hud

namespace head_up_display {

// In its own mode the read-out shows the altitude; in any other, five blanks. The text never
// takes more than the element's five characters and is always ended.
template <uint32_t Mode>
double CRV5_CALL altitude_text(ElementString* readout) {
  const double feet = readout->source[0].value.f;
  if (!readout->text) return feet;
  char text[kReadoutChars + 1];
  if (hud_mode != Mode)
    std::memcpy(text, "     ", sizeof text);
  else if (!hud::altitude_readout(feet, text))
    return feet;  // below 0: the buffer keeps its last text
  std::memcpy(readout->text, text, sizeof text);
  return feet;
}

}  // namespace head_up_display

GaugeHeader gauge_Head_Up_Display = crv5::gauge_header(
    crv5::GaugeId::Head_Up_Display, crv5::element_list<&head_up_display::frame>, head_up_display::mouse);
