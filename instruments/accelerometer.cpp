// Accelerometer: the g-meter. A g needle, and two memory needles that keep the lowest and the
// highest load factor since the last reset; the reset button sets both to the present load
// factor.
//
// Reads: token 351 (load factor, g x 624). Writes: lowest_g, highest_g (this gauge's own
// module-wide values, in the variable's units). Sends no events.
#include <cmath>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace accelerometer {
using namespace crv5;

constexpr uint32_t kLoadFactor = 351;  // g x 624
constexpr int32_t kAccelerometerHelp = 42268;
constexpr int32_t kResetHelp = 42279;

// The memories, 0 when the module loads; kept across panel changes.
double lowest_g = 0;
double highest_g = 0;

double CRV5_CALL lowest_g_memory(ElementNeedle*);
double CRV5_CALL highest_g_memory(ElementNeedle*);
Bool32 CRV5_CALL reset(ClickRecord*, uint32_t);

// All three needles (g x 624): -5 g at about half past four, 0 g at 9 o'clock, +10 g at 3
// o'clock; stops beyond both ends.
NonlinearityEntry g_table[] = {
    {.point = {201, 201}, .value = -6240},
    {.point = {201, 201}, .value = -3120},
    {.point = {44, 167}, .value = 0},
    {.point = {223, 169}, .value = 6240},
    {.point = {223, 169}, .value = 12480},
};

inline constexpr const FailureRecord* kNeedleFailures =
    failures<FailureRecord{2, kFailNone}, FailureRecord{20, kFailZero}>;

extern ElementNeedle g_needle, lowest_needle, highest_needle;
extern ElementStaticImage glass;

// clang-format off
ElementStaticImage dial      = static_image({.gauge = &gauge_Accelerometer, .bitmap = 1140, .position = {0, 0},                                                                                                      .flags = kDialFlags,                                    .next = children<&g_needle>});
ElementNeedle g_needle       = needle({      .gauge = &gauge_Accelerometer, .bitmap = 1150, .position = {131, 131}, .pivot = {42, 15}, .source = kLoadFactor,                               .table = g_table, .flags = kNeedleFlags, .failures = kNeedleFailures, .next = children<&lowest_needle>});
ElementNeedle lowest_needle  = needle({      .gauge = &gauge_Accelerometer, .bitmap = 1160, .position = {131, 131}, .pivot = {43, 15}, .source = kLoadFactor, .callback = lowest_g_memory,  .table = g_table, .flags = kNeedleFlags, .failures = kNeedleFailures, .next = children<&highest_needle>});
ElementNeedle highest_needle = needle({      .gauge = &gauge_Accelerometer, .bitmap = 1160, .position = {131, 131}, .pivot = {43, 15}, .source = kLoadFactor, .callback = highest_g_memory, .table = g_table, .flags = kNeedleFlags, .failures = kNeedleFailures, .next = children<&glass>});
ElementStaticImage glass     = static_image({.gauge = &gauge_Accelerometer, .bitmap = 1170, .position = {0, 0},                                                                                                      .flags = kCoverFlags});
// clang-format on

MouseRect mouse[] = {
    mouse_parent({0, 0, 0, 0}, kAccelerometerHelp),
    mouse_parent({2, 210, 50, 50}, kResetHelp),   // the reset button
    mouse_child({0, 0, 50, 50}, kCursorHand, kLeftHeld, reset),
    mouse_parent_end(),
    mouse_parent_end(),
    mouse_end(),
};

// The memories compare strictly (an equal value changes nothing) and keep only load factors that
// are numbers, so that a needle never turns to an angle that is no number.
double CRV5_CALL lowest_g_memory(ElementNeedle* needle) {
  const double g = needle->source.value.f;
  if (std::isfinite(g) && g < lowest_g) lowest_g = g;
  return lowest_g;
}

double CRV5_CALL highest_g_memory(ElementNeedle* needle) {
  const double g = needle->source.value.f;
  if (std::isfinite(g) && g > highest_g) highest_g = g;
  return highest_g;
}

// Both memories to the load factor read afresh; one that is no number leaves them as they are.
Bool32 CRV5_CALL reset(ClickRecord*, uint32_t) {
  const double g = read_var(kLoadFactor);
  if (std::isfinite(g)) lowest_g = highest_g = g;
  return false;
}

}  // namespace accelerometer

GaugeHeader gauge_Accelerometer =
    crv5::gauge_header(crv5::GaugeId::Accelerometer, crv5::element_list<&accelerometer::dial>, accelerometer::mouse);
