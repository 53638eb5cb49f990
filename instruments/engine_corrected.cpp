// Engine_Corrected_N1 and Engine_Corrected_N2: the corrected compressor speeds in percent. One
// tree for both dials, differing in the dial bitmap and the variable. A units pointer on a
// sub-dial turns once per 10 percent; the main pointer runs from 12 o'clock to 9 o'clock at 100
// percent. On pre-install either dial moves to the engine its parameter text names.
//
// Reads: tokens 626 (corrected N1, percent), 627 (corrected N2, percent), or the same quantities
// of the engine the parameter text names. Writes nothing module-wide; sends no events.
#include "instruments/engine_rebinding.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace engine_corrected {
using namespace crv5;

// The records of one dial; each dial has its own, as the rebinding rewrites them in place.
template <GaugeHeader* Gauge, int32_t DialBitmap, uint32_t Speed>
struct CorrectedDial {
  // Dial point for a speed in percent.
  static inline NonlinearityEntry units_table[] = {
      {.point = {63, 45}, .value = 0.0},   // 12 o'clock of the sub-dial
      {.point = {63, 81}, .value = 5.0},   // 6 o'clock
  };
  static inline NonlinearityEntry main_table[] = {
      {.point = {100, 20}, .value = 0.0},    // 12 o'clock
      {.point = {20, 100}, .value = 100.0},  // 9 o'clock
      {.point = {30, 64}, .value = 110.0},
  };

  // clang-format off
  static inline ElementStaticImage cover = static_image({.gauge = Gauge, .bitmap = 1460, .position = {0, 0},                                                                .flags = kCoverFlags});
  static inline ElementNeedle main_pointer = needle({   .gauge = Gauge, .bitmap = 1450, .position = {100, 100}, .pivot = {30, 7}, .source = Speed, .table = main_table,  .flags = kNeedleFlags, .failures = kEngineNeedleFailures, .next = children<&cover>});
  static inline ElementNeedle units_pointer = needle({  .gauge = Gauge, .bitmap = 1440, .position = {63, 63},   .pivot = {7, 2},  .source = Speed, .table = units_table, .flags = kNeedleFlags, .failures = kEngineNeedleFailures, .next = children<&main_pointer>});
  static inline ElementStaticImage dial = static_image({.gauge = Gauge, .bitmap = DialBitmap, .position = {0, 0},                                                          .flags = kDialFlags,                                     .next = children<&units_pointer>});
  // clang-format on
};

using N1 = CorrectedDial<&gauge_Engine_Corrected_N1, 1420, 626>;
using N2 = CorrectedDial<&gauge_Engine_Corrected_N2, 1430, 627>;

double CRV5_CALL corrected_n2(CRV5_TOOLTIP_PARAMS) { return read_var(627); }

const TooltipArg n2_args[] = {tooltip_number(corrected_n2)};
const TooltipText n2_tooltip = tooltip("Turbine tachometer (corrected N2 = %1!d! percent)", n2_args);

MouseRect n1_mouse[] = {
    mouse_parent({}, 43809),
    mouse_parent_end(),
    mouse_end(),
};
MouseRect n2_mouse[] = {
    mouse_parent({}, 43810),
    mouse_tooltip(&n2_tooltip),
    mouse_parent_end(),
    mouse_end(),
};

// Shared by both dials: on pre-install, move the records to the engine the parameters name.
void CRV5_CALL rebind_on_install(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
  if (service_id == kServicePreInstall && gauge) rebind_to_engine(*gauge);
}

}  // namespace engine_corrected

GaugeHeader gauge_Engine_Corrected_N1 =
    crv5::gauge_header(crv5::GaugeId::Engine_Corrected_N1, crv5::element_list<&engine_corrected::N1::dial>,
                       engine_corrected::n1_mouse, engine_corrected::rebind_on_install);
GaugeHeader gauge_Engine_Corrected_N2 =
    crv5::gauge_header(crv5::GaugeId::Engine_Corrected_N2, crv5::element_list<&engine_corrected::N2::dial>,
                       engine_corrected::n2_mouse, engine_corrected::rebind_on_install);
