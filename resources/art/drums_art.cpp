// Artwork of the digit drums: each strip holds its digits from top to bottom in the order the
// moving-image rule shows them (the top cell at the drum's minimum, the bottom one at its maximum),
// and the bitmap after it is the window it is seen through.
#include "resources/art/painter_kits.h"

namespace crv5::art {

namespace {

const PainterRegistration kAutopilotDrum{drum_painters(4190, "01234567890")};  // heading, course
const PainterRegistration kNavDrums{drum_painters(3020, "01234567890")};  // NAV 0.01 to 1 MHz
const PainterRegistration kNavTensDrum{drum_painters(3030, "01")};         // NAV megahertz tens
const PainterRegistration kTransponderDrum{drum_painters(3280, "01234567890")};  // code digits

// The NAV heads' fixed hundreds digit, a 1 on the drums' black.
const PainterRegistration kNavHundreds{{
    {3040, [](cairo_t* cr, Size s) { digit_strip(cr, s.width, s.height, "1"); }},
}};

}  // namespace

}  // namespace crv5::art
