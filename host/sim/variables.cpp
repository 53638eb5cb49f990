#include "host/sim/variables.h"

#include <array>

namespace gaugehost {

namespace {

constexpr double kWord = 4294967295.0;    // the whole range of an integer variable
constexpr double kFull = 8388608.0;       // a tank level: fraction of full times 2^23
constexpr double kTravel = 16384.0;       // gear, brake, flaps, spoilers: 0 to 16384
constexpr double kPsf = 2087.91;          // pounds per square foot in a bar
constexpr double kRankine0C = 491.67;     // 0 degrees Celsius in degrees Rankine

using enum VarOwner;

// clang-format off
constexpr std::array kVariables = std::to_array<VariableInfo>({
  // id                    name                              unit                min         max            integer owner
  {kPanelLights,         "panel lights switch",            "0/1",              0,          1,             false, systems},
  {kStrobeLights,        "strobe lights switch",           "0/1",              0,          1,             false, systems},
  {kPitotHeat,           "pitot heat switch",              "0/1",              0,          1,             false, systems},
  {kLandingLights,       "landing lights switch",          "0/1",              0,          1,             false, systems},
  {kAdfPacked,           "ADF kHz, hundreds to units",     "packed decimal",   0,          kWord,         true,  systems},
  {kAdfExtended,         "ADF thousands flag and tenths",  "packed decimal",   0,          kWord,         true,  systems},
  {kAdfSignal,           "ADF signal strength",            "0 to 255",         0,          255,           false, flight},
  {kAdfCard,             "ADF card heading",               "degrees",          0,          360,           false, systems},
  {kCom1Packed,          "COM1 frequency - 100 MHz",       "packed decimal",   0,          kWord,         true,  systems},
  {kNav1Packed,          "NAV1 frequency - 100 MHz",       "packed decimal",   0,          kWord,         true,  systems},
  {kNav2Packed,          "NAV2 frequency - 100 MHz",       "packed decimal",   0,          kWord,         true,  systems},
  {kTransponderPacked,   "transponder code",               "packed octal digits", 0,       kWord,         true,  systems},
  {kAdfBearing,          "ADF relative bearing",           "degrees",          -360,       360,           false, flight},
  {kNav1Deviation,       "NAV1 course deviation",          "-127 to 127",      -127,       127,           false, flight},
  {kNav1GlideSlope,      "NAV1 glide-slope deviation",     "-119 to 119",      -119,       119,           false, flight},
  {kNav1ToFrom,          "NAV1 to/from flag",              "0 none, 1 to, 2 from", 0,      kWord,         true,  flight},
  {kNav1GlideSlopeFlag,  "NAV1 glide slope received",      "0/1",              0,          1,             false, flight},
  {kNav1Course,          "NAV1 selected course",           "degrees",          0,          360,           false, systems},
  {kNav1Flags,           "NAV1 station flags",             "bit set",          0,          kWord,         true,  flight},
  {kNav2Deviation,       "NAV2 course deviation",          "-127 to 127",      -127,       127,           false, flight},
  {kNav2ToFrom,          "NAV2 to/from flag",              "0 none, 1 to, 2 from", 0,      kWord,         true,  flight},
  {kNav2GlideSlopeFlag,  "NAV2 glide slope received",      "0/1",              0,          1,             false, flight},
  {kNav2Course,          "NAV2 selected course",           "degrees",          0,          360,           false, systems},
  {kNav2Flags,           "NAV2 station flags",             "bit set",          0,          kWord,         true,  flight},
  {kNav2Bearing,         "NAV2 bearing",                   "degrees",          0,          360,           false, flight},
  {kOnGround,            "on the ground",                  "0/1",              0,          1,             false, flight},
  {kIndicatedAirspeed,   "indicated airspeed",             "knots",            0,          1000,          false, flight},
  {kMach,                "Mach number",                    "Mach x 20480",     0,          61440,         false, flight},
  {kVerticalSpeed,       "vertical speed",                 "m/s x 256",        -30000,     30000,         false, flight},
  {kBall,                "ball deflection",                "-127 to 127",      -127,       127,           false, flight},
  {kTurnRate,            "turn rate",                      "x 256",            -2048,      2048,          false, flight},
  {kAltitude,            "altitude",                       "feet",             -2000,      100000,        false, flight},
  {kBaroSetting,         "barometric setting",             "millibars",        950,        1050,          false, systems},
  {kPitch,               "pitch attitude",                 "degrees",          -90,        90,            false, flight},
  {kBank,                "bank attitude",                  "degrees",          -180,       180,           false, flight},
  {kMagneticHeading,     "magnetic heading",               "degrees",          0,          360,           false, flight},
  {kStandbyHeading,      "standby compass heading",        "degrees",          0,          360,           false, flight},
  {kGyroHeading,         "gyro heading",                   "degrees",          0,          360,           false, systems},
  {kApAvailable,         "autopilot available",            "0/1",              0,          1,             false, none},
  {kApMaster,            "autopilot master",               "0/1",              0,          1,             false, systems},
  {kApWingLeveler,       "autopilot wing leveler",         "0/1",              0,          1,             false, systems},
  {kApNavHold,           "autopilot NAV1 hold",            "0/1",              0,          1,             false, systems},
  {kApHeadingHold,       "autopilot heading hold",         "0/1",              0,          1,             false, systems},
  {kApHeadingLockDir,    "autopilot heading lock direction", "degrees",        0,          360,           false, none},
  {kApAltitudeHold,      "autopilot altitude hold",        "0/1",              0,          1,             false, systems},
  {kApAltitudeSelected,  "autopilot selected altitude",    "feet",             0,          99999,         false, systems},
  {kApAttitudeHold,      "autopilot attitude hold",        "0/1",              0,          1,             false, none},
  {kApGlideSlopeHold,    "autopilot glide-slope hold",     "0/1",              0,          1,             false, none},
  {kApApproachHold,      "autopilot approach hold",        "0/1",              0,          1,             false, none},
  {kApBackCourseHold,    "autopilot back-course hold",     "0/1",              0,          1,             false, none},
  {kApYawDamper,         "yaw damper",                     "0/1",              0,          1,             false, systems},
  {kApAirspeedHold,      "autopilot airspeed hold",        "0/1",              0,          1,             false, none},
  {kApAirspeedHoldValue, "autopilot held airspeed",        "knots",            -1e6,       1e6,           false, none},
  {kApMachHold,          "autopilot Mach hold",            "0/1",              0,          1,             false, none},
  {kApMachHoldValue,     "autopilot held Mach number",     "Mach",             -1e6,       1e6,           false, none},
  {kApVerticalHold,      "autopilot vertical speed hold",  "0/1",              0,          1,             false, none},
  {kApVerticalHoldValue, "autopilot held vertical speed",  "feet per minute",  -1e6,       1e6,           false, none},
  {kApAutoThrottleArm,   "auto-throttle armed",            "0/1",              0,          1,             false, none},
  {kApTakeoffPower,      "take-off power active",          "0/1",              0,          1,             false, none},
  {kApRpmHold,           "engine RPM hold",                "host's",          -1e6,       1e6,           false, none},
  {kAttitudeWarning1,    "attitude warning state 1",       "bit set",          0,          kWord,         true,  flight},
  {kAttitudeWarning2,    "attitude warning state 2",       "bit set",          0,          kWord,         true,  flight},
  {kAttitudeFlagSource,  "attitude flag source",           "unused",           0,          1,             false, flight},
  {kLeftTank1Level,      "left tank 1 level",              "fraction x 2^23",  0,          kFull,         false, systems},
  {kLeftTank1Capacity,   "left tank 1 capacity",           "gallons",          0,          10000,         false, setting},
  {kLeftTank2Level,      "left tank 2 level",              "fraction x 2^23",  0,          kFull,         false, systems},
  {kLeftTank2Capacity,   "left tank 2 capacity",           "gallons",          0,          10000,         false, setting},
  {kRightTank1Level,     "right tank 1 level",             "fraction x 2^23",  0,          kFull,         false, systems},
  {kRightTank1Capacity,  "right tank 1 capacity",          "gallons",          0,          10000,         false, setting},
  {kRightTank2Level,     "right tank 2 level",             "fraction x 2^23",  0,          kFull,         false, systems},
  {kRightTank2Capacity,  "right tank 2 capacity",          "gallons",          0,          10000,         false, setting},
  {kParkingBrake,        "parking brake",                  "0 to 16384",       0,          kTravel,       false, systems},
  {kSpoilersHandle,      "speed brake handle",             "0 to 16384",       0,          kTravel,       false, systems},
  {kSpoilersPosition,    "speed brake position",           "0 to 16384",       0,          kTravel,       false, systems},
  {kFlapsPercent,        "flaps extension",                "percent",          0,          100,           false, systems},
  {kFlapsPosition,       "flaps position",                 "0 to 16384",       0,          kTravel,       false, systems},
  {kGearLever,           "gear lever",                     "0 up, 16384 down", 0,          kTravel,       false, systems},
  {kGearNose,            "nose gear position",             "0 up, 16384 down", 0,          kTravel,       false, systems},
  {kGearLeft,            "left gear position",             "0 up, 16384 down", 0,          kTravel,       false, systems},
  {kGearRight,           "right gear position",            "0 up, 16384 down", 0,          kTravel,       false, systems},
  {kUnitsOfMeasure,      "units of measure",               "2 metric",         0,          kWord,         true,  setting},
  {kOutsideTemperature,  "outside air temperature",        "degrees Celsius",  -80,        60,            false, flight},
  {kLoadFactor,          "load factor",                    "g x 624",          -10000,     10000,         false, flight},
  {kMarkerBeacon,        "marker beacon",                  "0 none, 1 outer, 2 middle, 3 inner", 0, 3,   false, flight},
  {kBatterySwitch,       "battery master switch",          "0/1",              0,          1,             false, systems},
  {kBeaconLights,        "beacon lights switch",           "0/1",              0,          1,             false, systems},
  {kTaxiLights,          "taxi lights switch",             "0/1",              0,          1,             false, systems},
  {kNav1Bearing,         "NAV1 bearing",                   "degrees",          0,          360,           false, flight},
  {kThrottle,            "throttle lever",                 "0 idle to 1 full", 0,          1,             false, systems},
  {kFuelLever,           "fuel lever (ignition)",          "0 cut off to 1 open", 0,       1,             false, systems},
  {kHydraulicTemp,       "hydraulic temperature",          "degrees Rankine",  kRankine0C - 80 * 1.8, kRankine0C + 200 * 1.8, false, systems},
  {kOilPressure,         "oil pressure",                   "pounds per square foot", 0,    40 * kPsf,     false, systems},
  {kStarterEngaged,      "starter engaged",                "0/1",              0,          1,             false, systems},
  {kGeneratorSwitch,     "generator switch",               "0/1",              0,          1,             false, systems},
  {kExhaustTemp,         "exhaust gas temperature",        "degrees Rankine",  kRankine0C - 80 * 1.8, kRankine0C + 1200 * 1.8, false, systems},
  {kSimulationTime,      "simulation time",                "seconds",          0,          1e12,          false, systems},
  {kAttitudeSymbol,      "attitude aircraft symbol",       "-100 to 100",      -100,       100,           false, systems},
  {kGearWarningArm,      "gear warning arming value",      "host's",           -1e6,       1e6,           false, flight},
  {kNavigationLights,    "navigation lights switch",       "0/1",              0,          1,             false, systems},
  {kEngineRunSwitch,     "engine run switch",              "0/1",              0,          1,             false, systems},
  {kAfterburnerSwitch,   "afterburner switch",             "0/1",              0,          1,             false, systems},
  {kTurbineSpeed,        "turbine speed",                  "percent",          0,          110,           false, systems},
  {kCorrectedN1,         "corrected N1",                   "percent",          0,          120,           false, systems},
  {kCorrectedN2,         "corrected N2",                   "percent",          0,          120,           false, systems},
  {kAfterburner,         "afterburner",                    "0/1",              0,          1,             false, systems},
  {kFuelFlow,            "fuel flow",                      "pounds per hour",  0,          10000,         false, systems},
  {kCorrectedN1Engine2,  "corrected N1, engine 2",         "percent",          0,          120,           false, none},
  {kCorrectedN2Engine2,  "corrected N2, engine 2",         "percent",          0,          120,           false, none},
  {kHydraulicLeft,       "hydraulic pressure, left scale", "pounds per square foot", 0,    400 * kPsf,    false, systems},
  {kHydraulicRight,      "hydraulic pressure, right scale","pounds per square foot", 0,    400 * kPsf,    false, systems},
  {kAvionicsSwitch,      "avionics master switch",         "0/1",              0,          1,             false, systems},
  {kChuteDrag,           "drag chute setting",             "0 to 5",           0,          5,             false, systems},
  {kMainBusVoltage,      "main bus voltage",               "volts",            0,          40,            false, systems},
  {kInstrumentVoltage,   "instrument bus voltage",         "volts",            0,          40,            false, systems},
  {kBatteryBusVoltage,   "battery bus voltage",            "volts",            0,          40,            false, systems},
  {kGeneratorVoltage,    "generator voltage",              "volts",            0,          40,            false, systems},
  {kFlightDirector,      "flight director",                "0/1",              0,          1,             false, systems},
  {kApAirspeedHoldCurrent, "autopilot airspeed hold on current", "0/1",         0,          1,             false, none},
  {kNavGpsSwitch,        "NAV/GPS switch",                 "0 NAV, 1 GPS",     0,          1,             false, systems},
  {kHeadingBug,          "heading bug",                    "degrees",          0,          360,           false, systems},
  {kParachute,           "drag parachute",                 "0 stowed to 1 deployed", 0,    1,             false, systems},
  {kCabinFollowsOutside, "cabin follows outside",          "0/1",              0,          1,             false, setting},
  {kAdfToneSwitch,       "ADF tone switch source",         "unused",           0,          1,             false, none},
  {kNav2GlideSlope,      "NAV2 glide-slope deviation",     "-119 to 119",      -119,       119,           false, flight},
  {kFireWarning,         "engine fire warning",            "0/1",              0,          1,             false, flight},
  {kFuelPump,            "fuel pump",                      "0/1",              0,          1,             false, systems},
  {kFuelValve,           "fuel valve",                     "0/1",              0,          1,             false, systems},
  {kFuelPressure,        "fuel pressure",                  "pounds per square foot", 0,    40 * kPsf,     false, systems},
});
// clang-format on

constexpr bool ascending() {
  for (size_t i = 1; i < kVariables.size(); ++i)
    if (kVariables[i - 1].id >= kVariables[i].id) return false;
  return true;
}
static_assert(ascending(), "the variable table runs in ascending order of number, each once");
static_assert(kVariables.back().id < kVariableIdLimit);

// Every lookup of a variable's entry goes through find_variable, several times per element and
// cycle: a variable is found by its number in this index (its place in the table, or -1).
constexpr auto kIndexById = [] {
  std::array<int16_t, kVariableIdLimit> index{};
  index.fill(-1);
  for (size_t i = 0; i < kVariables.size(); ++i) index[kVariables[i].id] = int16_t(i);
  return index;
}();

}  // namespace

std::span<const VariableInfo> variable_table() { return kVariables; }

std::string unknown_variable(uint32_t id) {
  return "unknown variable " + std::to_string(id) +
         ": the host keeps only the token variables of its table (the variable inspector lists "
         "them)";
}

const VariableInfo* find_variable(uint32_t id) {
  if (id >= kVariableIdLimit) return nullptr;
  const int16_t index = kIndexById[id];
  return index < 0 ? nullptr : &kVariables[size_t(index)];
}

}  // namespace gaugehost
