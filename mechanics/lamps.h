// The lamp family. A lamp is a dark-lamp image with a lit-lamp icon over it, bright at night,
// whose rule returns kLampDark, kLampLit or a further lit state; blinking lamps take their phase
// from the simulation clock. A lamp is one row of a family table: .base the dark lamp, .picture
// the first lit image, .token and .rule what lights it, .tooltip or .help_id what the outer mouse
// parent carries. Lamps have no click and no sound.
#pragma once

#include <cmath>
#include <cstdint>

#include "mechanics/family.h"

namespace crv5::lamps {

constexpr double kLampLit = 0;    // icon image 0: the (first) lit lamp
constexpr double kLampDark = -1;  // no image: the dark lamp below shows through

constexpr double lamp(bool lit) { return lit ? kLampLit : kLampDark; }

// Token 604: simulation time in seconds, the time base of every blinking lamp.
constexpr uint32_t kSimulationTime = 604;

// A blinking lamp is lit for the second half of each period of the simulation clock.
inline bool blink_phase_lit(double seconds, double period) {
  return std::fmod(seconds, period) > period / 2;
}

// The records of lamp I of Table: the dark lamp (0x3) with the lit icon (0x7) over it.
template <auto& Table, size_t I>
using Lamp = family::MemberRecords<Table, I, kLampFlags>;

}  // namespace crv5::lamps
