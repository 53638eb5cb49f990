#include "tests/support/test_host.h"

#include "module/records.h"
#include "module/services.h"

extern "C" GaugeLinkage Linkage;

namespace crv5::testing {
namespace {
TestHost* current = nullptr;
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

std::vector<uint32_t> TestHost::event_ids() const {
  std::vector<uint32_t> ids;
  for (const KeyEvent& e : events) ids.push_back(e.id);
  return ids;
}

void TestHost::clear_log() {
  events.clear();
  window_toggles.clear();
  calculations.clear();
  lookup_records.clear();
  lookups.clear();
}

void TestHost::service(GaugeHeader& gauge, int32_t service_id, uintptr_t extra) {
  if (gauge.callback) gauge.callback(&gauge, service_id, extra);
}

void CRV5_CALL TestHost::lookup_var(ModuleVar* var) {
  current->lookup_records.push_back(*var);
  current->lookups.push_back(var->id);
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
                                       const char** text) {
  current->calculations.emplace_back(code);
  if (number) {
    if (auto it = current->calc_numbers_.find(code); it != current->calc_numbers_.end())
      *number = it->second;
  }
  if (text) {
    if (auto it = current->calc_texts_.find(code); it != current->calc_texts_.end())
      *text = it->second.c_str();
  }
  return true;
}

double evaluate(ElementNeedle& needle) {
  needle.source.value.f = read_var(needle.source.id);
  return needle.callback ? needle.callback(&needle) : needle.source.value.f;
}

double evaluate(ElementIcon& icon) {
  if (icon.source.id != 0) icon.source.value.f = read_var(icon.source.id);
  return icon.callback ? icon.callback(&icon) : icon.source.value.f;
}

GaugeHeader* find_gauge(const char* name) { return crv5::find_gauge(Linkage, name); }

}  // namespace crv5::testing
