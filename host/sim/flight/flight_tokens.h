// The token variables the flight model, the navigation receivers and the FlightGear link read
// and write: their names in the host's variable table (host/sim/variables.h), which holds their
// numbers, and the bits of a NAV receiver's station flags.
#pragma once

#include <cstdint>

#include "host/sim/variables.h"

namespace gaugehost::flight::token {

// Read: the radios, the autopilot panel, the systems.
using gaugehost::kAdfPacked;        // packed decimal, hundreds to units of kHz
using gaugehost::kAdfExtended;      // 0x100 for 1000 kHz and above, + tenths
using gaugehost::kNav1Packed;       // packed decimal, frequency - 100 MHz
using gaugehost::kNav2Packed;
using gaugehost::kNav1Course;       // degrees
using gaugehost::kNav2Course;
using gaugehost::kBaroSetting;      // millibars
using gaugehost::kApMaster;
using gaugehost::kApWingLeveler;
using gaugehost::kApNavHold;
using gaugehost::kApHeadingHold;
using gaugehost::kApAltitudeHold;
using gaugehost::kApAltitudeSelected;// feet
using gaugehost::kParkingBrake;     // 0 to 16384
using gaugehost::kSpoilersPosition; // 0 to 16384
using gaugehost::kFlapsPosition;    // 0 to 16384
using gaugehost::kGearNose;         // 0 up to 16384 down
using gaugehost::kGearLeft;
using gaugehost::kGearRight;
using gaugehost::kUnitsOfMeasure;   // 2: altitudes in metres
using gaugehost::kTurbineSpeed;     // percent
using gaugehost::kAfterburner;      // 0/1
using gaugehost::kHeadingBug;       // degrees
using gaugehost::kParachute;        // 0 stowed to 1 deployed

// Written: the flight.
using gaugehost::kOnGround;         // 0/1
using gaugehost::kIndicatedAirspeed;// knots
using gaugehost::kMach;             // Mach x 20480
using gaugehost::kVerticalSpeed;    // metres per second x 256
using gaugehost::kBall;             // -127 to 127, right positive
using gaugehost::kTurnRate;         // x 256 to a needle unit
using gaugehost::kAltitude;         // feet (metres when 335 is 2)
using gaugehost::kPitch;            // degrees
using gaugehost::kBank;             // degrees
using gaugehost::kMagneticHeading;  // degrees
using gaugehost::kStandbyHeading;   // degrees
using gaugehost::kGyroHeading;      // degrees (also set by the gyro's set event)
using gaugehost::kOutsideTemperature;// degrees Celsius
using gaugehost::kLoadFactor;       // g x 624

// Written: the navigation receivers.
using gaugehost::kAdfSignal;        // 0 to 255
using gaugehost::kAdfBearing;       // degrees from the nose
using gaugehost::kNav1Deviation;    // -127 to 127
using gaugehost::kNav1GlideSlope;   // -119 to 119
using gaugehost::kNav1ToFrom;       // 0 none, 1 TO, 2 FROM
using gaugehost::kNav1GlideSlopeFlag;// 0/1
using gaugehost::kNav1Flags;        // bit set
using gaugehost::kNav2Deviation;
using gaugehost::kNav2ToFrom;
using gaugehost::kNav2GlideSlopeFlag;
using gaugehost::kNav2Flags;
using gaugehost::kNav2Bearing;      // degrees from the nose
using gaugehost::kMarkerBeacon;     // 0 none, 1 outer, 2 middle, 3 inner
using gaugehost::kNav1Bearing;      // degrees from the nose
using gaugehost::kNav2GlideSlope;   // -119 to 119

// Station flags of a NAV receiver.
inline constexpr uint32_t kFlagNoBearing = 0x80;    // a localiser, or nothing received
inline constexpr uint32_t kFlagGlideSlope = 0x40;   // a glide slope received
inline constexpr uint32_t kFlagDme = 0x10;          // a DME received

}  // namespace gaugehost::flight::token
