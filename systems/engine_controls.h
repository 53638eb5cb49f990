// The simulator's engine tokens and events that the start-state gauges and the starter board both
// use.
#pragma once

#include <cstdint>

namespace crv5::engine {

// Token variables.
constexpr uint32_t kOnGround = 60;       // above 0 while the aircraft stands on the ground
constexpr uint32_t kThrottle = 558;      // lever position, 0 to 1
constexpr uint32_t kTurbineSpeed = 625;  // percent; 100 percent is 9137 RPM
constexpr uint32_t kFuelPump = 891;      // 0 off
constexpr uint32_t kFuelValve = 895;     // 0 closed

// Key events (value 0 unless stated).
constexpr uint32_t kToggleFuelValve = 0x103be;
constexpr uint32_t kSetFuelLever = 0x1017f;  // value: kFuelLeverCutOff or kFuelLeverOpen
constexpr uint32_t kToggleFuelPump = 0x10324;

constexpr uint32_t kFuelLeverCutOff = 0;
constexpr uint32_t kFuelLeverOpen = 16383;

}  // namespace crv5::engine
