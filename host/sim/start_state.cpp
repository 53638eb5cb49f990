#include "host/sim/start_state.h"

#include "host/sim/radio_tuning.h"
#include "host/sim/variables.h"

namespace gaugehost {

namespace {

constexpr double kTravel = 16384;
constexpr double kLevelFull = 8388608;

struct Setting {
  Token id;
  double value;
};

// clang-format off
constexpr Setting kRamp[] = {
  {kOnGround,           1},
  {kOutsideTemperature, 15},      // degrees Celsius
  {kBaroSetting,        1013},    // millibars
  {kLeftTank1Capacity,  150},     // gallons
  {kLeftTank2Capacity,  80},
  {kRightTank1Capacity, 150},
  {kRightTank2Capacity, 80},
  {kLeftTank1Level,     kLevelFull},
  {kLeftTank2Level,     kLevelFull},
  {kRightTank1Level,    kLevelFull},
  {kRightTank2Level,    kLevelFull},
  {kGearLever,          kTravel},
  {kGearNose,           kTravel},
  {kGearLeft,           kTravel},
  {kGearRight,          kTravel},
  {kParkingBrake,       kTravel},
  {kExhaustTemp,        (15 + 273.15) * 1.8},  // degrees Rankine
  {kHydraulicTemp,      (15 + 273.15) * 1.8},
  {kTransponderPacked,  0x1200},
};
// clang-format on

}  // namespace

void set_ramp_state(SimState& sim) {
  for (const Setting& setting : kRamp) sim.set_var(setting.id, setting.value);
  sim.set_var(kCom1Packed, radio::pack_vhf({radio::kComBand.low_mhz, 0}));
  sim.set_var(kNav1Packed, radio::pack_vhf({radio::kNavBand.low_mhz, 0}));
  sim.set_var(kNav2Packed, radio::pack_vhf({radio::kNavBand.low_mhz, 0}));
  const radio::AdfPacked adf = radio::pack_adf(radio::kAdfLowTenths);
  sim.set_var(kAdfPacked, adf.packed);
  sim.set_var(kAdfExtended, adf.extended);
}

}  // namespace gaugehost
