// The VOR indicators' heading ring: its marks straight ahead and behind lie where the heading
// pointer points for 0 and 180.
#include "tests/resources/dial_checks.h"

namespace {

using crv5::testing::Graduations;
using crv5::testing::Scale;

INSTANTIATE_TEST_SUITE_P(Navigation, Graduations,
                         ::testing::Values(Scale{"VOR1_Indicator", 1400, 1380, 0, 180, 180, 88, 10}),
                         crv5::testing::scale_name);

}  // namespace
