// The token variables the flight model, the navigation receivers and the FlightGear link read
// and write, by number. (The names are those of the host's variable table.)
#pragma once

#include <cstdint>

namespace gaugehost::flight::token {

// Read: the radios, the autopilot panel, the systems.
inline constexpr uint32_t kAdfPacked = 16;          // packed decimal, hundreds to units of kHz
inline constexpr uint32_t kAdfExtended = 18;        // 0x100 for 1000 kHz and above, + tenths
inline constexpr uint32_t kNav1Packed = 24;         // packed decimal, frequency - 100 MHz
inline constexpr uint32_t kNav2Packed = 27;
inline constexpr uint32_t kNav1Course = 45;         // degrees
inline constexpr uint32_t kNav2Course = 54;
inline constexpr uint32_t kBaroSetting = 75;        // millibars
inline constexpr uint32_t kApMaster = 103;
inline constexpr uint32_t kApWingLeveler = 104;
inline constexpr uint32_t kApNavHold = 105;
inline constexpr uint32_t kApHeadingHold = 106;
inline constexpr uint32_t kApAltitudeHold = 108;
inline constexpr uint32_t kApAltitudeSelected = 109;  // feet
inline constexpr uint32_t kParkingBrake = 323;      // 0 to 16384
inline constexpr uint32_t kSpoilersPosition = 326;  // 0 to 16384
inline constexpr uint32_t kFlapsPosition = 329;     // 0 to 16384
inline constexpr uint32_t kGearNose = 332;          // 0 up to 16384 down
inline constexpr uint32_t kGearLeft = 333;
inline constexpr uint32_t kGearRight = 334;
inline constexpr uint32_t kUnitsOfMeasure = 335;    // 2: altitudes in metres
inline constexpr uint32_t kTurbineSpeed = 625;      // percent
inline constexpr uint32_t kAfterburner = 632;       // 0/1
inline constexpr uint32_t kHeadingBug = 855;        // degrees
inline constexpr uint32_t kParachute = 866;         // 0 stowed to 1 deployed

// Written: the flight.
inline constexpr uint32_t kOnGround = 60;           // 0/1
inline constexpr uint32_t kIndicatedAirspeed = 61;  // knots
inline constexpr uint32_t kMach = 64;               // Mach x 20480
inline constexpr uint32_t kVerticalSpeed = 65;      // metres per second x 256
inline constexpr uint32_t kBall = 69;               // -127 to 127, right positive
inline constexpr uint32_t kTurnRate = 70;           // x 256 to a needle unit
inline constexpr uint32_t kAltitude = 74;           // feet (metres when 335 is 2)
inline constexpr uint32_t kPitch = 78;              // degrees
inline constexpr uint32_t kBank = 80;               // degrees
inline constexpr uint32_t kMagneticHeading = 81;    // degrees
inline constexpr uint32_t kStandbyHeading = 83;     // degrees
inline constexpr uint32_t kGyroHeading = 84;        // degrees (also set by the gyro's set event)
inline constexpr uint32_t kOutsideTemperature = 341;  // degrees Celsius
inline constexpr uint32_t kLoadFactor = 351;        // g x 624

// Written: the navigation receivers.
inline constexpr uint32_t kAdfSignal = 20;          // 0 to 255
inline constexpr uint32_t kAdfBearing = 39;         // degrees from the nose
inline constexpr uint32_t kNav1Deviation = 40;      // -127 to 127
inline constexpr uint32_t kNav1GlideSlope = 41;     // -119 to 119
inline constexpr uint32_t kNav1ToFrom = 43;         // 0 none, 1 TO, 2 FROM
inline constexpr uint32_t kNav1GlideSlopeFlag = 44; // 0/1
inline constexpr uint32_t kNav1Flags = 46;          // bit set
inline constexpr uint32_t kNav2Deviation = 50;
inline constexpr uint32_t kNav2ToFrom = 52;
inline constexpr uint32_t kNav2GlideSlopeFlag = 53;
inline constexpr uint32_t kNav2Flags = 55;
inline constexpr uint32_t kNav2Bearing = 59;        // degrees from the nose
inline constexpr uint32_t kMarkerBeacon = 354;      // 0 none, 1 outer, 2 middle, 3 inner
inline constexpr uint32_t kNav1Bearing = 550;       // degrees from the nose
inline constexpr uint32_t kNav2GlideSlope = 882;    // -119 to 119

// Station flags of a NAV receiver.
inline constexpr uint32_t kFlagNoBearing = 0x80;    // a localiser, or nothing received
inline constexpr uint32_t kFlagGlideSlope = 0x40;   // a glide slope received
inline constexpr uint32_t kFlagDme = 0x10;          // a DME received

}  // namespace gaugehost::flight::token
