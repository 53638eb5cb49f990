// The token variables the host knows: each one's number, unit and range, and who moves it. This
// file is the one place where a variable's number appears in the host; code names variables by
// the constants of `Token`.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace gaugehost {

// Token variables by the names the host gives them.
enum Token : uint32_t {
  kPanelLights         = 10,
  kStrobeLights        = 11,
  kPitotHeat           = 13,
  kLandingLights       = 14,
  kAdfPacked           = 16,
  kAdfExtended         = 18,
  kAdfSignal           = 20,
  kAdfCard             = 22,
  kCom1Packed          = 23,
  kNav1Packed          = 24,
  kNav2Packed          = 27,
  kTransponderPacked   = 38,
  kAdfBearing          = 39,
  kNav1Deviation       = 40,
  kNav1GlideSlope      = 41,
  kNav1ToFrom          = 43,
  kNav1GlideSlopeFlag  = 44,
  kNav1Course          = 45,
  kNav1Flags           = 46,
  kNav2Deviation       = 50,
  kNav2ToFrom          = 52,
  kNav2GlideSlopeFlag  = 53,
  kNav2Course          = 54,
  kNav2Flags           = 55,
  kNav2Bearing         = 59,
  kOnGround            = 60,
  kIndicatedAirspeed   = 61,
  kMach                = 64,
  kVerticalSpeed       = 65,
  kBall                = 69,
  kTurnRate            = 70,
  kAltitude            = 74,
  kBaroSetting         = 75,
  kPitch               = 78,
  kBank                = 80,
  kMagneticHeading     = 81,
  kStandbyHeading      = 83,
  kGyroHeading         = 84,
  kApAvailable         = 87,
  kApMaster            = 103,
  kApWingLeveler       = 104,
  kApNavHold           = 105,
  kApHeadingHold       = 106,
  kApHeadingLockDir    = 107,
  kApAltitudeHold      = 108,
  kApAltitudeSelected  = 109,
  kApAttitudeHold      = 110,
  kApGlideSlopeHold    = 111,
  kApApproachHold      = 112,
  kApBackCourseHold    = 113,
  kApYawDamper         = 114,
  kApAirspeedHold      = 115,
  kApAirspeedHoldValue = 116,
  kApMachHold          = 117,
  kApMachHoldValue     = 118,
  kApVerticalHold      = 119,
  kApVerticalHoldValue = 120,
  kApAutoThrottleArm   = 123,
  kApTakeoffPower      = 124,
  kApRpmHold           = 125,
  kAttitudeWarning1    = 276,
  kAttitudeWarning2    = 279,
  kAttitudeFlagSource  = 288,
  kLeftTank1Level      = 291,
  kLeftTank1Capacity   = 292,
  kLeftTank2Level      = 293,
  kLeftTank2Capacity   = 294,
  kRightTank1Level     = 297,
  kRightTank1Capacity  = 298,
  kRightTank2Level     = 299,
  kRightTank2Capacity  = 300,
  kParkingBrake        = 323,
  kSpoilersHandle      = 325,
  kSpoilersPosition    = 326,
  kFlapsPercent        = 328,
  kFlapsPosition       = 329,
  kGearLever           = 331,
  kGearNose            = 332,
  kGearLeft            = 333,
  kGearRight           = 334,
  kUnitsOfMeasure      = 335,
  kOutsideTemperature  = 341,
  kLoadFactor          = 351,
  kMarkerBeacon        = 354,
  kBatterySwitch       = 364,
  kBeaconLights        = 368,
  kTaxiLights          = 369,
  kNav1Bearing         = 550,
  kThrottle            = 558,
  kFuelLever           = 560,
  kHydraulicTemp       = 561,
  kOilPressure         = 562,
  kStarterEngaged      = 563,
  kGeneratorSwitch     = 565,
  kExhaustTemp         = 567,
  kSimulationTime      = 604,
  kAttitudeSymbol      = 612,
  kGearWarningArm      = 614,
  kNavigationLights    = 619,
  kEngineRunSwitch     = 620,
  kAfterburnerSwitch   = 621,
  kTurbineSpeed        = 625,
  kCorrectedN1         = 626,
  kCorrectedN2         = 627,
  kAfterburner         = 632,
  kFuelFlow            = 638,
  kCorrectedN1Engine2  = 645,
  kCorrectedN2Engine2  = 646,
  kHydraulicLeft       = 732,
  kHydraulicRight      = 734,
  kAvionicsSwitch      = 740,
  kChuteDrag           = 743,
  kMainBusVoltage      = 753,
  kInstrumentVoltage   = 755,
  kBatteryBusVoltage   = 759,
  kGeneratorVoltage    = 761,
  kFlightDirector      = 792,
  kApAirspeedHoldCurrent = 819,
  kNavGpsSwitch        = 848,
  kHeadingBug          = 855,
  kParachute           = 866,
  kCabinFollowsOutside = 868,
  kAdfToneSwitch       = 880,
  kNav2GlideSlope      = 882,
  kFireWarning         = 887,
  kFuelPump            = 891,
  kFuelValve           = 895,
  kFuelPressure        = 899,
};

// Who moves a variable: the systems model (from key events and with time), the flight model and
// navaids (which a later model supplies; until then only `set var`), the panel's own settings, or
// nothing (a variable a gauge reads that the host only keeps as it is set).
enum class VarOwner { systems, flight, setting, none };

struct VariableInfo {
  Token id;
  const char* name;
  const char* unit;
  double min;  // the range the model holds the variable to (for integers: the whole word)
  double max;
  bool integer;  // a 32-bit unsigned integer (packed decimal or bit set), not a float
  VarOwner owner;
};

// Every variable of the table is numbered below this.
inline constexpr uint32_t kVariableIdLimit = 1024;

// Every variable of the table, in ascending order of number.
std::span<const VariableInfo> variable_table();
// The entry of a variable, or null for one the host does not know.
const VariableInfo* find_variable(uint32_t id);
// Why a variable cannot be set: only the variables of the table are kept; set from outside (a
// check file, render --set, a scenario, the web page) another one is refused with this text.
std::string unknown_variable(uint32_t id);

// Calculator expressions that the systems model answers (their results live in the calculator
// store beside the token variables).
namespace calc {
inline constexpr const char* kExternal1Capacity = "(A:FUEL TANK EXTERNAL1 CAPACITY,gallons)";
inline constexpr const char* kExternal2Capacity = "(A:FUEL TANK EXTERNAL2 CAPACITY,gallons)";
inline constexpr const char* kExternal1Level    = "(A:FUEL TANK EXTERNAL1 LEVEL,percent)";
inline constexpr const char* kExternal2Level    = "(A:FUEL TANK EXTERNAL2 LEVEL,percent)";
inline constexpr const char* kNav1IdentAudio    = "(A:NAV SOUND:1,bool)";
inline constexpr const char* kNav2IdentAudio    = "(A:NAV SOUND:2,bool)";
inline constexpr const char* kAdfIdentAudio     = "(A:ADF SOUND:1,bool)";
}  // namespace calc

}  // namespace gaugehost
