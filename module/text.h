// Reading a gauge's parameter text, and number conversions that are defined for every input.
#pragma once

#include <cstdint>

namespace crv5 {

// The first occurrence of `letter` in the parameter text, or null when the text is null, the
// letter does not occur, or its first occurrence lies at or after the first "/", "#" or "'"
// (each of those begins a comment).
const char* find_command(const char* text, char letter);

// The whole number at the start of `text` as atoi reads it (blanks, a sign, digits; 0 when there
// are none); values beyond the 32-bit range are held at its ends instead of overflowing.
int32_t read_int(const char* text);

// A float truncated toward zero to a 32-bit integer. Defined for every input: NaN gives 0, values
// at or beyond the range (including the infinities) give INT32_MIN or INT32_MAX.
int32_t truncate_to_int(double value);

}  // namespace crv5
