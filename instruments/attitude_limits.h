// Limits the attitude instruments share: the attitude indicator and the head-up display move
// their horizon cards and bank pointers by pitch and bank held to [-90, 90] degrees.
#pragma once

#include <algorithm>
#include <cmath>

namespace crv5::horizon {

// `degrees` held to [-90, 90]; a value that is no number gives 0.
inline double within_ninety(double degrees) {
  return std::isnan(degrees) ? 0.0 : std::clamp(degrees, -90.0, 90.0);
}

}  // namespace crv5::horizon
