// The switch family: two-position switches and levers. A switch is a base image with a lever
// icon over it (both plain, 0x3) showing the simulator's state, a tooltip or help id on the outer
// mouse parent, and one click area that sends the row's key event: by the host itself for a
// silent switch, by the family's click function (event, then the click sound) for a switch with
// a wave, or by a click function of the member's own. A lever may have a slider for its picture
// and further click areas (see family::Member).
#pragma once

#include "mechanics/family.h"
#include "module/services.h"

namespace crv5::switches {

// The records of switch I of Table.
template <auto& Table, size_t I>
using Switch = family::MemberRecords<Table, I, kSwitchFlags>;

// The words a switch's tooltip shows for its state: `set` while the switch's token is above 0,
// `clear` otherwise (a token that is not a number too).
struct OnOff {
  static constexpr const char* set = "on";
  static constexpr const char* clear = "off";
};

// Tooltip text argument: the word for token Token's state, read afresh at each call.
template <uint32_t Token, class Words = OnOff>
const char* CRV5_CALL state_word(CRV5_TOOLTIP_PARAMS) {
  return read_var(Token) > 0 ? Words::set : Words::clear;
}

// The argument list of a tooltip whose %1 is that word.
template <uint32_t Token, class Words = OnOff>
inline constexpr TooltipArg state_word_args[] = {tooltip_text(state_word<Token, Words>)};

}  // namespace crv5::switches
