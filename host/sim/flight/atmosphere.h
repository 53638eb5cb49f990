// The standard atmosphere (ICAO, to 32 km) and the airspeeds that follow from it: indicated
// (calibrated) airspeed from true airspeed and back, Mach, and the pressure altitude an altimeter
// shows against its barometric setting. Pure functions of numbers, no state.
#pragma once

namespace gaugehost::flight {

struct Atmosphere {
  double temperature_k;   // kelvin
  double pressure_pa;     // pascals
  double density;         // kilograms per cubic metre
  double speed_of_sound;  // metres per second
};

inline constexpr double kSeaLevelPressure = 101325.0;   // Pa
inline constexpr double kSeaLevelTemperature = 288.15;  // K
inline constexpr double kSeaLevelDensity = 1.225;       // kg/m3
inline constexpr double kSeaLevelSpeedOfSound = 340.294;  // m/s
inline constexpr double kGravity = 9.80665;             // m/s2
inline constexpr double kFeetPerMetre = 3.280839895;
inline constexpr double kMetresPerNauticalMile = 1852.0;
inline constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852.0;
inline constexpr double kLowestAltitude = -610.0;       // m: the table is held below this ...
inline constexpr double kHighestAltitude = 32000.0;     // ... and above this

// The standard atmosphere at a geopotential altitude in metres, held to the table's range.
Atmosphere standard_atmosphere(double altitude_m);

// The pressure altitude (metres) at which the standard atmosphere has this pressure.
double pressure_altitude(double pressure_pa);

// What an altimeter set to `setting_hpa` shows at a true altitude, metres: the height in the
// standard atmosphere above the level where the pressure equals the setting.
double indicated_altitude(double altitude_m, double setting_hpa);

// Calibrated (indicated) airspeed from true airspeed, both metres per second, at this static
// pressure and speed of sound, through the pitot's impact pressure (subsonic and supersonic).
double indicated_from_true(double true_mps, const Atmosphere& air);
// True airspeed for an indicated airspeed, the inverse of the above.
double true_from_indicated(double indicated_mps, const Atmosphere& air);

}  // namespace gaugehost::flight
