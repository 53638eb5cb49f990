// The radios' module-wide state: the heads' own power and tone switches, the values each head last
// decoded from the host's packed-decimal tokens, and the ADF tuner's band, dial and knob. The radio
// heads own them; the start-state gauges set the switches when a start state is applied, and the
// navigation instruments read the power states.
#pragma once

#include <cstdint>

namespace crv5 {

// Power and tone switches: 0 off, 1 on.
extern int32_t adf_power;   // ADF main switch
extern int32_t adf_tone;    // ADF ident audio
extern int32_t com1_power;  // COM1 main switch
extern int32_t nav1_power;  // NAV1 main switch
extern int32_t nav1_tone;   // NAV1 ident audio
extern int32_t nav2_power;  // NAV2 main switch
extern int32_t nav2_tone;   // NAV2 ident audio
extern int32_t iff_power;   // transponder main switch; on at load

// Decoded frequencies and code; 0 until a head first decodes them.
extern double com1_whole_mhz;     // whole megahertz, 118 to 136
extern double com1_fraction;      // the first two decimals as 0 to 99
extern double nav1_whole_mhz;     // 108 to 117
extern double nav1_fraction;      // 0 to 99
extern double nav2_whole_mhz;
extern double nav2_fraction;
extern double adf_frequency_khz;  // kilohertz with tenths
extern double xpdr_code;          // the four code digits read as a decimal number

// ADF tuner.
extern double adf_band;         // 1, 2 or 3; 1 at load
extern double adf_dial_angle;   // degrees; 0 at load
extern double adf_tuning_knob;  // the tuning knob's turn; 60 at load

}  // namespace crv5
