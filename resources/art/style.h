// The cockpit's drawing style: the pieces every gauge picture is made of, one header a subject.
// Angles are degrees clockwise from 12 o'clock, lengths are pixels of the bitmap being drawn.
#pragma once

#include "resources/art/style/basics.h"   // colours, points, paths, fills
#include "resources/art/style/control.h"  // toggle switches, guards, push-buttons, knobs
#include "resources/art/style/dial.h"     // faces, bezels, glass, marks, needles, drums
#include "resources/art/style/lamp.h"     // jewel lamps, annunciators, lamp windows
#include "resources/art/style/panel.h"    // panel plates, recesses, screws, flanges
#include "resources/art/style/text.h"     // figures and legends
