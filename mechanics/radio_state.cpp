#include "mechanics/radio_state.h"

namespace crv5 {

int32_t adf_power = 0;
int32_t adf_tone = 0;
int32_t com1_power = 0;
int32_t nav1_power = 0;
int32_t nav1_tone = 0;
int32_t nav2_power = 0;
int32_t nav2_tone = 0;
int32_t iff_power = 1;

double com1_whole_mhz = 0;
double com1_fraction = 0;
double nav1_whole_mhz = 0;
double nav1_fraction = 0;
double nav2_whole_mhz = 0;
double nav2_fraction = 0;
double adf_frequency_khz = 0;
double xpdr_code = 0;

double adf_band = 1;
double adf_dial_angle = 0;
double adf_tuning_knob = 60;

}  // namespace crv5
