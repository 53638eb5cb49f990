// The backgrounds of the default cockpit's panel windows (panels/corvane/panel.cfg): the panel
// paint each window's gauges are mounted on, with the groups of instruments outlined and named.
// The art generator writes them as BMP files, as panel designers ship a window's `file=` bitmap.
#pragma once

#include <string>
#include <vector>

#include "resources/art/painters.h"

namespace crv5::art {

struct PanelBackground {
  std::string file;  // the name panel.cfg gives with file=
  Size size;         // the window's size in pixels (its size_mm, one pixel a unit)
  Painter paint;
};

std::vector<PanelBackground> corvane_backgrounds();

}  // namespace crv5::art
