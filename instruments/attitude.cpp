// Attitude: the artificial horizon. A horizon card moves with pitch and turns with bank, a bank
// ring turns with it, an aircraft symbol set by a knob (the simulator's own events, both halves of
// the knob) and a warning flag while either of two of the simulator's states is set.
//
// Reads: tokens 78 (pitch, degrees), 80 (bank, degrees), 276 and 279 (integer states: either
// non-zero shows the flag), 288 (the flag's source, not used), 612 (aircraft symbol, -100 to
// 100). Writes nothing module-wide. Sends (by the host, from the knob): 0x1030f, 0x1030e.
#include "instruments/attitude_limits.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace attitude {
using namespace crv5;

constexpr uint32_t kPitch = 78;           // degrees
constexpr uint32_t kBank = 80;            // degrees
constexpr uint32_t kFlagStateA = 276;     // integer
constexpr uint32_t kFlagStateB = 279;     // integer
constexpr uint32_t kFlagSource = 288;
constexpr uint32_t kSymbolPosition = 612; // -100 to 100

constexpr uint32_t kSymbolDown = 0x1030f;  // the host's aircraft-symbol steps
constexpr uint32_t kSymbolUp = 0x1030e;
constexpr int32_t kAttitudeHelp = 12434;

constexpr double kPixelsPerPitchDegree = 1.88;

inline constexpr const FailureRecord* kGyroFailures =
    failures<FailureRecord{8, kFailNone}, FailureRecord{2, kFailNone}, FailureRecord{4, kFailNone}>;

double CRV5_CALL pitch_limit(ElementSprite*);
double CRV5_CALL flag_rule(ElementIcon*);

NonlinearityEntry knob_table[] = {
    {.point = {222, 223}, .value = -100},
    {.point = {260, 223}, .value = 0},    // 12 o'clock of the knob
    {.point = {298, 223}, .value = 100},
};

extern ElementSprite horizon_card, bank_ring;
extern ElementSlider aircraft_symbol;
extern ElementIcon warning_flag;
extern ElementStaticImage glass;
extern ElementNeedle symbol_knob;

// clang-format off
ElementStaticImage attitude_case = static_image({.gauge = &gauge_Attitude, .bitmap = 1180, .position = {0, 0},                                                                                                                                                                                          .flags = kDialFlags,                               .next = children<&horizon_card>});
ElementSprite horizon_card       = sprite({      .gauge = &gauge_Attitude, .bitmap = 1190, .position = {13, 13}, .texture_center = {140, 140}, .y = {.source = kPitch, .callback = pitch_limit, .scale = kPixelsPerPitchDegree}, .rotation = {.source = kBank, .scale = -1.0},                   .flags = kNeedleFlags, .failures = kGyroFailures, .next = children<&bank_ring>});
ElementSprite bank_ring          = sprite({      .gauge = &gauge_Attitude, .bitmap = 1200, .position = {13, 13}, .texture_center = {140, 140}, .y = {.source = 0, .callback = pitch_limit, .scale = 1.0},                          .rotation = {.source = kBank, .scale = -1.0},                   .flags = kNeedleFlags, .failures = kGyroFailures, .next = children<&aircraft_symbol>});
ElementSlider aircraft_symbol    = slider({      .gauge = &gauge_Attitude, .bitmap = 1220, .position = {22, 135},                              .y = {.source = kSymbolPosition, .scale = -0.3},                                                                                                 .flags = kDialFlags,                               .next = children<&warning_flag>});
ElementIcon warning_flag         = icon({        .gauge = &gauge_Attitude, .bitmap = 1210, .position = {25, 67}, .source = kFlagSource, .callback = flag_rule, .images = 1,                                                                                                                   .flags = kNeedleFlags,                             .next = children<&glass>});
ElementStaticImage glass         = static_image({.gauge = &gauge_Attitude, .bitmap = 1230, .position = {0, 0},                                                                                                                                                                                          .flags = kCoverFlags,                              .next = children<&symbol_knob>});
ElementNeedle symbol_knob        = needle({      .gauge = &gauge_Attitude, .bitmap = 1240, .position = {260, 261}, .pivot = {38, 38}, .source = kSymbolPosition, .table = knob_table,                                                                                                                    .flags = kFilteredFlags, .failures = kGyroFailures});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(nullptr, kAttitudeHelp),
    mouse_key_child({222, 223, 38, 76}, kCursorDownArrow, kLeftHeld, kSymbolDown),
    mouse_key_child({260, 223, 38, 76}, kCursorUpArrow, kLeftHeld, kSymbolUp),
    mouse_parent_end(),
    mouse_end(),
};

// Both sprites: the y source held to [-90, 90] (the bank ring has no y source and reads 0).
double CRV5_CALL pitch_limit(ElementSprite* sprite) { return horizon::within_ninety(sprite->y.source.value.f); }

// The flag shows (0) while either state is set, else hides (-1).
double CRV5_CALL flag_rule(ElementIcon*) {
  const bool b = read_var_u32(kFlagStateB) != 0;
  const bool a = read_var_u32(kFlagStateA) != 0;
  return a || b ? 0 : -1;
}

}  // namespace attitude

GaugeHeader gauge_Attitude = crv5::gauge_header(crv5::GaugeId::Attitude, crv5::element_list<&attitude::attitude_case>, attitude::mouse);
