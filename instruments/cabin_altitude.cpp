// Cabin_Altitude: the pressurised cabin's altitude, from the aircraft's altitude by the cabin's
// pressurisation schedule: the cabin follows the aircraft up to 10000 feet, then climbs a quarter
// as fast up to 20000 feet (reached at 50000 feet outside) and stays there.
//
// Reads: tokens 74 (altitude, feet; metres when 335 is 2), 335 (units of measure, integer),
// 868 (cabin follows outside when non-zero). Writes nothing module-wide; sends no events.
#include <cmath>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace cabin_altitude {
using namespace crv5;

constexpr uint32_t kAltitude = 74;           // feet, or metres
constexpr uint32_t kUnits = 335;             // 2: altitudes in metres
constexpr uint32_t kCabinFollowsOutside = 868;
constexpr uint32_t kMetricUnits = 2;
constexpr double kMetresPerFoot = 0.305;

double CRV5_CALL cabin_altitude(ElementNeedle*);

NonlinearityEntry cabin_table[] = {
    {.point = {100, 176}, .value = 0},      // 6 o'clock
    {.point = {64, 164}, .value = 10000},
    {.point = {100, 26}, .value = 25000},   // 12 o'clock
    {.point = {135, 161}, .value = 40000},
    {.point = {135, 161}, .value = 90000},  // the stop at 40000 feet
};

extern ElementNeedle pointer;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial  = static_image({.gauge = &gauge_Cabin_Altitude, .bitmap = 2250, .position = {0, 0},                                                                                            .flags = kDialFlags,                                                                               .next = children<&pointer>});
ElementNeedle pointer    = needle({      .gauge = &gauge_Cabin_Altitude, .bitmap = 2260, .position = {100, 100}, .pivot = {32, 18}, .source = kAltitude, .callback = cabin_altitude, .table = cabin_table, .flags = kNeedleFlags, .failures = failures<FailureRecord{3, kFailFreeze}, FailureRecord{7, kFailFreeze}>, .next = children<&cover>});
ElementStaticImage cover = static_image({.gauge = &gauge_Cabin_Altitude, .bitmap = 2270, .position = {0, 0},                                                                                            .flags = kCoverFlags});
// clang-format on

const TooltipText cabin_tooltip = tooltip("Pressurized cabin altitude");

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&cabin_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

// The cabin's altitude in feet by the schedule. An altitude that is no number or infinite gives
// 0, so the pointer never turns to an angle that is no number.
double CRV5_CALL cabin_altitude(ElementNeedle* pointer) {
  const bool follows_outside = read_var(kCabinFollowsOutside) != 0;
  const bool metric = read_var_u32(kUnits) == kMetricUnits;
  double feet = pointer->source.value.f;
  if (!std::isfinite(feet)) return 0;
  if (metric) feet /= kMetresPerFoot;
  if (follows_outside || feet <= 10000) return feet;
  if (feet <= 50000) return 10000 + (feet - 10000) / 4;
  return 20000;
}

}  // namespace cabin_altitude

GaugeHeader gauge_Cabin_Altitude =
    crv5::gauge_header(crv5::GaugeId::Cabin_Altitude, crv5::element_list<&cabin_altitude::dial>, cabin_altitude::mouse);
