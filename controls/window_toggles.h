// The panel-window buttons: what their parameter text says, read the same way by the click and by
// the installation of every programmable button.
#pragma once

#include <cstdint>

#include "module/gauge.h"

namespace crv5::window_toggles {

// A panel id named at the start of `value`: a panel name of the host's, else a whole number
// (a word that is neither reads 0); an empty value is -1, no panel.
int32_t read_panel_id(const char* value);

// A host help id named at the start of `value`: a window name of the host's, else a whole number,
// which gives 0 (no help text) below the host's first help id; an empty value is 0.
int32_t read_help_id(const char* value);

// A click of a programmable button whose gauge carries `parameters` (null or empty: toggle the
// main panel window).
void act_on_click(const char* parameters);

// The installation of a programmable button: its picture, its help text, and, the first time
// only, the panel its "a" command closes.
void install(GaugeHeader& gauge);

}  // namespace crv5::window_toggles
