// Calls to the host's services. Every call reads the service-table pointer from ImportTable anew;
// with no host attached (no table yet) reads give 0 and sends do nothing.
#pragma once

#include <cstdint>

#include "module/gauge.h"

extern "C" ImportTableRecord ImportTable;

namespace crv5 {

// The host's service table as ImportTable holds it now, or null.
HostServices* host_services();

// A fresh read of a token variable: a new zeroed record per read, as a float...
double read_var(uint32_t id);
// ...or as the 32-bit unsigned integer in the low half of the value.
uint32_t read_var_u32(uint32_t id);

void send_event(uint32_t event_id, uint32_t value = 0);
void toggle_panel_window(uint32_t panel_id);

// Evaluates a calculator expression for a number; `result` keeps its value where the host gives none.
void calculate(const char* expression, double* result);
// Evaluates a calculator expression for a text; null where the host gives none.
const char* calculate_text(const char* expression);

}  // namespace crv5
