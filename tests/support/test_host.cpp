#include "tests/support/test_host.h"

#include "module/records.h"
#include "module/services.h"

extern "C" GaugeLinkage Linkage;

namespace crv5::testing {
namespace {

TestHost* current = nullptr;

void flatten(ElementHeader* const* list, std::vector<ElementHeader*>& out) {
  for (; list && *list; ++list) {
    out.push_back(*list);
    flatten((*list)->next, out);
  }
}

}  // namespace

TestHost::TestHost() {
  services_.lookup_var = lookup_var;
  services_.trigger_key_event = trigger_key_event;
  services_.panel_window_toggle = panel_window_toggle;
  services_.execute_calculator_code = execute_calculator_code;
  current = this;
  ImportTable.services.pointer = &services_;
}

TestHost::~TestHost() {
  ImportTable.services.pointer = nullptr;
  current = nullptr;
}

void TestHost::service(GaugeHeader& gauge, int32_t service_id, uintptr_t extra) {
  if (gauge.callback) gauge.callback(&gauge, service_id, extra);
}

void CRV5_CALL TestHost::lookup_var(ModuleVar* var) {
  current->lookups.push_back(*var);
  if (auto it = current->integers_.find(var->id); it != current->integers_.end()) {
    var->value.raw = it->second;
  } else if (auto f = current->floats_.find(var->id); f != current->floats_.end()) {
    var->value.f = f->second;
  }
}

uint32_t CRV5_CALL TestHost::trigger_key_event(uint32_t id, uint32_t value) {
  current->events.push_back({id, value});
  return 0;
}

Bool32 CRV5_CALL TestHost::panel_window_toggle(uint32_t id) {
  current->window_toggles.push_back(id);
  return true;
}

Bool32 CRV5_CALL TestHost::execute_calculator_code(const char* code, double* number, int32_t*,
                                                   const char**) {
  current->calculations.emplace_back(code);
  if (auto it = current->calc_numbers_.find(code); number && it != current->calc_numbers_.end())
    *number = it->second;
  return true;
}

GaugeHeader* find_gauge(const char* name) { return crv5::find_gauge(Linkage, name); }

ElementHeader& element_at(const char* gauge, size_t index) {
  std::vector<ElementHeader*> in_draw_order;
  flatten(find_gauge(gauge)->elements, in_draw_order);
  return *in_draw_order.at(index);
}

double icon(const char* gauge, size_t index) {
  ElementIcon& icon = element<ElementIcon>(gauge, index);
  if (icon.source.id != 0) icon.source.value.f = read_var(icon.source.id);
  return icon.callback ? icon.callback(&icon) : icon.source.value.f;
}

}  // namespace crv5::testing
