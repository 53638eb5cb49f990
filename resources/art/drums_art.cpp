// Artwork of the digit drums: each strip holds its digits from top to bottom in the order the
// moving-image rule shows them (the top cell at the drum's minimum, the bottom one at its maximum),
// and the bitmap after it is the window it is seen through.
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

struct Drum {
  int32_t strip;     // the window is strip + 1
  double width;
  double cell;
  const char* digits;
};

constexpr Drum kDrums[] = {
    {4190, 15, 16, "01234567890"},  // autopilot heading and course: 0 to 9 and 0 again
    {3020, 13, 18, "01234567890"},  // NAV hundredths, tenths and megahertz units
    {3030, 13, 18, "01"},           // NAV megahertz tens
    {3280, 12, 21, "01234567890"},  // transponder code digits
};

}  // namespace

void add_drum_painters(Painters& p) {
  for (const Drum& d : kDrums) {
    p[d.strip] = [d](cairo_t* cr) { digit_strip(cr, d.width, d.cell, d.digits); };
    p[d.strip + 1] = [d](cairo_t* cr) { drum_window(cr, d.width, d.cell); };
  }
  // The NAV heads' fixed hundreds digit, a 1 on the drums' black.
  p[3040] = [](cairo_t* cr) { digit_strip(cr, 13, 18, "1"); };
}

}  // namespace crv5::art
