// Number conversions that are defined for every input.
#pragma once

#include <cstdint>

namespace crv5 {

// A float truncated toward zero to a 32-bit integer. Defined for every input: NaN gives 0, values
// at or beyond the range (including the infinities) give INT32_MIN or INT32_MAX.
int32_t truncate_to_int(double value);

}  // namespace crv5
