#include "radios/radio_state.h"

namespace crv5 {

int32_t adf_power = 0;
int32_t adf_tone = 0;
int32_t com1_power = 0;
int32_t nav1_power = 0;
int32_t nav1_tone = 0;
int32_t nav2_power = 0;
int32_t nav2_tone = 0;
int32_t iff_power = 1;

}  // namespace crv5
