// The head-up display's mode, shared by Head_Up_Display and HUD_Switch: 0 off, 1 bright, 2 dim,
// 3 nothing shown. 0 when the module loads; written only by HUD_Switch.
#pragma once

#include <cstdint>

extern uint32_t hud_mode;

namespace crv5::hud {

enum Mode : uint32_t { kOff = 0, kBright = 1, kDim = 2, kStandby = 3 };

// The display's altitude read-out for `feet`: five characters, right-aligned, ended. False, with
// nothing written, below 0 feet or for a value that is no number.
bool altitude_readout(double feet, char (&text)[6]);

}  // namespace crv5::hud
