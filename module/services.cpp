#include "module/services.h"

namespace crv5 {

HostServices* host_services() {
  return static_cast<HostServices*>(ImportTable.services.pointer);
}

namespace {

ModuleVar lookup(uint32_t id) {
  ModuleVar var{};
  var.id = id;
  if (HostServices* host = host_services(); host && host->lookup_var) host->lookup_var(&var);
  return var;
}

}  // namespace

double read_var(uint32_t id) { return lookup(id).value.f; }

uint32_t read_var_u32(uint32_t id) { return lookup(id).value.u32; }

void send_event(uint32_t event_id, uint32_t value) {
  if (HostServices* host = host_services(); host && host->trigger_key_event)
    host->trigger_key_event(event_id, value);
}

void toggle_panel_window(uint32_t panel_id) {
  if (HostServices* host = host_services(); host && host->panel_window_toggle)
    host->panel_window_toggle(panel_id);
}

void calculate(const char* expression, double* result) {
  if (HostServices* host = host_services(); host && host->execute_calculator_code)
    host->execute_calculator_code(expression, result, nullptr, nullptr);
}

const char* calculate_text(const char* expression) {
  const char* text = nullptr;
  if (HostServices* host = host_services(); host && host->execute_calculator_code)
    host->execute_calculator_code(expression, nullptr, nullptr, &text);
  return text;
}

}  // namespace crv5
