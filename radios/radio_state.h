// The radios' own power and tone switches, module-wide. The radio heads own them; the start-state
// gauges set them when a start state is applied.
#pragma once

#include <cstdint>

namespace crv5 {

extern int32_t adf_power;   // ADF main switch
extern int32_t adf_tone;    // ADF ident audio
extern int32_t com1_power;  // COM1 main switch
extern int32_t nav1_power;  // NAV1 main switch
extern int32_t nav1_tone;   // NAV1 ident audio
extern int32_t nav2_power;  // NAV2 main switch
extern int32_t nav2_tone;   // NAV2 ident audio
extern int32_t iff_power;   // transponder main switch; on at load

}  // namespace crv5
