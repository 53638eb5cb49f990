// The switch family: two-position switches and levers. A switch is a base image with a lever
// icon over it (both plain, 0x3) showing the simulator's state, a tooltip or help id on the outer
// mouse parent, and one click area that sends the row's key event: by the host itself for a
// silent switch, by the family's click function (event, then the click sound) for a switch with
// a wave, or by a click function of the member's own.
#pragma once

#include "controls/family.h"

namespace crv5::switches {

// The records of switch I of Table.
template <auto& Table, size_t I>
using Switch = family::MemberRecords<Table, I, kSwitchFlags>;

}  // namespace crv5::switches
