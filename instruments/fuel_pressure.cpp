// Fuel_Pressure: two needles on mirrored scales graduated in bars, both showing the fuel pressure;
// each needle reads the scale on the far side of the dial from its pivot. The host draws it wholly
// from its records; the help id names it.
//
// Reads: token 899, fuel pressure in pounds per square foot. Writes nothing module-wide; sends no
// events.
#include "mechanics/needle_dial.h"

namespace fuel_pressure {
using namespace crv5;

constexpr uint32_t kFuelPressure = 899;  // pounds per square foot
constexpr int32_t kHelpFuelPressure = 43820;

// Dial points for a pressure in pounds per square foot (bars x 2087.91; bars in the comments).
NonlinearityEntry right_table[] = {
    {.point = {189, 237}, .value = -2087.91},           // -1, stop below 0
    {.point = {189, 237}, .value = 0.0},                // 0
    {.point = {163, 139}, .value = 41758.2},            // 20
    {.point = {187, 60}, .value = 73076.84999999999},   // 35, stop above
    {.point = {187, 60}, .value = 83516.4},             // 40
};
// The mirror image, in clockwise order: from the top of the scale down.
NonlinearityEntry left_table[] = {
    {.point = {112, 63}, .value = 83516.4},             // 40, stop above 35
    {.point = {112, 63}, .value = 73076.84999999999},   // 35
    {.point = {138, 139}, .value = 41758.2},            // 20
    {.point = {111, 235}, .value = 0.0},                // 0, stop below
    {.point = {111, 235}, .value = -2087.91},           // -1
};

// clang-format off
constexpr needle_dials::Needle kNeedles[] = {
    {.position = {250, 150}, .pivot = {0, 3}, .source = kFuelPressure, .table = right_table},
    {.position = {50, 150},  .pivot = {0, 3}, .source = kFuelPressure, .table = left_table},
};
// clang-format on
constexpr needle_dials::Dial kDial = {.gauge = GaugeId::Fuel_Pressure, .face = 1470, .needle = 1480,
                                      .cover = 1490, .needles = kNeedles,
                                      .help_id = kHelpFuelPressure};

}  // namespace fuel_pressure

GaugeHeader gauge_Fuel_Pressure = crv5::needle_dials::header<fuel_pressure::kDial>();
