#include "tests/fuzz/fuzz_host.h"

#include "module/services.h"

namespace crv5::fuzzing {
namespace {

FuzzHostCounts counts;
HostServices services{};

uint32_t CRV5_CALL trigger_key_event(uint32_t id, uint32_t value) {
  ++counts.events;
  counts.last_event = id;
  counts.last_value = value;
  return 0;
}
Bool32 CRV5_CALL panel_window_toggle(uint32_t) {
  ++counts.window_toggles;
  return true;
}
void CRV5_CALL lookup_var(ModuleVar* var) {
  if (var) var->value.raw = 0;
}
Bool32 CRV5_CALL execute_calculator_code(const char*, double* number, int32_t*, const char** text) {
  if (number) *number = 0;
  if (text) *text = "";
  return true;
}

}  // namespace

FuzzHostCounts& attach_fuzz_host() {
  services.trigger_key_event = trigger_key_event;
  services.panel_window_toggle = panel_window_toggle;
  services.lookup_var = lookup_var;
  services.execute_calculator_code = execute_calculator_code;
  ImportTable.services.pointer = &services;
  counts = {};
  return counts;
}

}  // namespace crv5::fuzzing
