// Ready-made painters for the pictures that many gauges repeat: a jewel lamp dark and lit, an
// annunciator dark and at its brightnesses, a digit drum and its window. A file of artwork
// registers them for its own bitmaps:
//
//   const PainterRegistration kLamps{annunciator_painters(290, colour::kAmber, "CHUTE")};
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

// A round jewel lamp in `c`: dark at `dark`, lit at `lit`.
std::vector<PainterEntry> jewel_lamp_painters(int32_t dark, int32_t lit, Rgb c);

// An annunciator engraved with `legend` (lines separated by '\n'): dark at `dark`, then one lit
// picture for each brightness of `lit` (0 to 1) at dark + 10, dark + 11, ...
std::vector<PainterEntry> annunciator_painters(int32_t dark, Rgb c, const char* legend,
                                               std::initializer_list<double> lit = {1.0});

// A digit drum: the strip at `strip` holds `digits` from top to bottom, one cell each (the strip's
// height divided evenly), and `strip` + 1 is the window it is seen through, one cell high.
std::vector<PainterEntry> drum_painters(int32_t strip, const char* digits);

}  // namespace crv5::art
