// What the three turbine-speed dials share: the failure list of their needles.
#pragma once

#include "module/gauge.h"

namespace crv5::turbine {

// Engine instruments' needles: key 2 does nothing, key 20 shows zero.
inline constexpr FailureRecord kNeedleFailures[] = {{2, kFailNone}, {20, kFailZero}, {0, 0}};

constexpr uint32_t kNeedleFlags = kImageTransparent | kImageErase | kImageBilinear | kImageLuminous;
constexpr uint32_t kDialFlags = kImageTransparent | kImageErase | kImageLuminous;
constexpr uint32_t kCoverFlags = kImageTransparent | kImageErase;

}  // namespace crv5::turbine
