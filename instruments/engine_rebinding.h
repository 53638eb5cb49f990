// Engine-index rebinding of a gauge's records: moves the token variables, key events and help ids
// of an engine-1 gauge to the engine its parameter text names.
#pragma once

#include "module/gauge.h"

namespace crv5 {

// Rewrites the gauge's mouse list and element tree in place for the engine its parameter text
// names (parameter_text::engine_number). Ids outside every stride row, such as ids already moved, stay.
void rebind_to_engine(GaugeHeader& gauge);

// The id `id` of an engine-1 quantity moved to `engine` by the stride tables.
uint32_t rebind_var(uint32_t id, int engine);
uint32_t rebind_event(uint32_t id, int engine);
int32_t rebind_help_id(int32_t id, int engine);

}  // namespace crv5
