// Airspeed_Machmeter: the combined airspeed indicator and Machmeter. One pointer shows indicated
// airspeed on a non-linear dial up to 850 knots; a Mach disc under it turns back from the pointer
// by 150 degrees per Mach, so that the pointer rests on the current Mach number.
//
// Reads: tokens 61 (indicated airspeed, knots), 64 (Mach x 20480).
// Writes: last_airspeed_knots, airspeed_pointer_degrees, last_mach, mach_offset_degrees (this
// gauge's own module-wide values, read by its tooltip). Sends no events.
#include <cmath>
#include <iterator>

#include "instruments/airspeed_scale.h"
#include "module/gauges.h"
#include "module/records.h"

namespace crv5::airspeed {

namespace {

// Breakpoints of the scale: knots and the pointer's degrees there.
struct Breakpoint {
  double knots;
  double degrees;
};
constexpr Breakpoint kScale[] = {
    {0, 0},     {60, 18},   {150, 90},  {200, 140}, {250, 168}, {300, 192},
    {350, 212}, {450, 247}, {550, 277}, {600, 291}, {700, 316}, {850, 344.5},
};
static_assert(std::size(kScale) == 12, "the dial's twelve breakpoints");

}  // namespace

double pointer_degrees(double knots) {
  if (!(knots > kScale[0].knots)) return kScale[0].degrees;  // 0, below 0, and no number
  for (size_t i = 1; i < std::size(kScale); ++i) {
    const Breakpoint& a = kScale[i - 1];
    const Breakpoint& b = kScale[i];
    if (knots <= b.knots)
      return a.degrees + (knots - a.knots) * (b.degrees - a.degrees) / (b.knots - a.knots);
  }
  return std::end(kScale)[-1].degrees;  // above 850 knots
}

}  // namespace crv5::airspeed

namespace airspeed_machmeter {
using namespace crv5;

// The gauge's own module-wide values: 0 when the module loads, overwritten at every update.
double last_airspeed_knots = 0;       // knots
double airspeed_pointer_degrees = 0;  // the pointer's latest turn
double last_mach = 0;
double mach_offset_degrees = 0;       // the disc's turn back from the pointer

constexpr uint32_t kIndicatedAirspeed = 61;  // knots
constexpr uint32_t kMach = 64;               // Mach x 20480
constexpr double kMachPerUnit = 4.8828125e-5;  // 1 / 20480

// Both needles: values are degrees of pointer turn; from 344.5 on the needle stays put.
NonlinearityEntry pointer_table[] = {
    {.point = {138, 20}, .value = -1},     // 12 o'clock
    {.point = {138, 20}, .value = 0},
    {.point = {138, 280}, .value = 180},   // 6 o'clock
    {.point = {106, 24}, .value = 344.5},
    {.point = {106, 24}, .value = 360},
};

double CRV5_CALL mach_disc_angle(ElementNeedle*);
double CRV5_CALL airspeed_pointer_angle(ElementNeedle*);

extern ElementNeedle mach_disc, pointer;
extern ElementStaticImage cover;

// clang-format off
ElementStaticImage dial = static_image({.gauge = &gauge_Airspeed_Machmeter, .bitmap = 1250, .position = {0, 0},                                                                                                                  .flags = kDialFlags,                                                                             .next = children<&mach_disc>});
ElementNeedle mach_disc = needle({     .gauge = &gauge_Airspeed_Machmeter, .bitmap = 1270, .position = {138, 138}, .pivot = {90, 90}, .source = kMach,              .callback = mach_disc_angle,        .table = pointer_table, .flags = kNeedleFlags,                                                                           .next = children<&pointer>});
ElementNeedle pointer = needle({       .gauge = &gauge_Airspeed_Machmeter, .bitmap = 1260, .position = {138, 138}, .pivot = {87, 87}, .source = kIndicatedAirspeed, .callback = airspeed_pointer_angle, .table = pointer_table, .flags = kNeedleFlags, .failures = failures<FailureRecord{6, kFailFreeze}, FailureRecord{3, kFailZero}>, .next = children<&cover>});
ElementStaticImage cover = static_image({.gauge = &gauge_Airspeed_Machmeter, .bitmap = 1280, .position = {0, 0},                                                                                                                 .flags = kCoverFlags});
// clang-format on

double CRV5_CALL airspeed_knots(CRV5_TOOLTIP_PARAMS) { return last_airspeed_knots; }
double CRV5_CALL mach_number(CRV5_TOOLTIP_PARAMS) { return last_mach; }

const TooltipArg tooltip_args[] = {tooltip_number(airspeed_knots), tooltip_number(mach_number)};
const TooltipText speed_tooltip = tooltip("Airspeed and mach indicator (%1!d! knots - %2!4.2f! mach)", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_tooltip(&speed_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

// The pointer's turn for the airspeed the host read into the needle's source.
double CRV5_CALL airspeed_pointer_angle(ElementNeedle* needle) {
  last_airspeed_knots = needle->source.value.f;
  airspeed_pointer_degrees = airspeed::pointer_degrees(last_airspeed_knots);
  return airspeed_pointer_degrees;
}

// The disc turned back from the pointer's latest angle by the Mach number's offset. A Mach number
// that is no number leaves the disc with the pointer (offset 0), so no angle becomes NaN.
double CRV5_CALL mach_disc_angle(ElementNeedle* needle) {
  last_mach = needle->source.value.f * kMachPerUnit;
  mach_offset_degrees = std::isfinite(last_mach) ? last_mach * airspeed::kDiscDegreesPerMach : 0;
  return airspeed_pointer_degrees - mach_offset_degrees;
}

}  // namespace airspeed_machmeter

GaugeHeader gauge_Airspeed_Machmeter = crv5::gauge_header(
    crv5::GaugeId::Airspeed_Machmeter, crv5::element_list<&airspeed_machmeter::dial>, airspeed_machmeter::mouse);
