// The panel-window buttons: what their parameter text says (common/parameter_text.h), acted on by
// the click and by the installation of every programmable button.
#pragma once

#include <cstdint>

#include "module/gauge.h"

namespace crv5::window_toggles {

// A click of a programmable button whose gauge carries `parameters` (null or empty: toggle the
// main panel window).
void act_on_click(const char* parameters);

// The installation of a programmable button: its picture, its help text, and, the first time
// only, the panel its "a" command closes.
void install(GaugeHeader& gauge);

}  // namespace crv5::window_toggles
