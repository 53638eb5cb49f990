// Module-wide state of the aircraft systems, shared between gauges. Each variable starts at its
// load value when the module loads and is never reset.
#pragma once

#include <cstdint>

namespace crv5 {

// Tank capacities in kilograms, recorded by Engine_Off / Engine_On when connected; 0 until then.
extern double tank292_capacity_kg;
extern double tank294_capacity_kg;
extern double tank298_capacity_kg;
extern double tank300_capacity_kg;
extern double external1_capacity_kg;
extern double external2_capacity_kg;

// Starter board switches.
extern int32_t fuel_valve_switch_state;  // 0/1 guard closed (off/on), 2/3 guard open (off/on)
extern int32_t ignition_switch_state;    // 0 guard closed, 1 open and off, 2 open and on
extern int32_t ignition_switch_on;       // position kept while the guard is closed
extern int32_t left_fuel_pump_on;
extern int32_t right_fuel_pump_on;
extern int32_t start_ready;              // 1: the starter button is armed

// Drag parachute lever picture.
extern int32_t chute_lever_pulled;       // 1 pulled, 0 pushed
extern double chute_last_value;          // token 866 at the last sample
extern double chute_trend;               // +1 rising, -1 falling, 0 steady
extern int32_t chute_sample_countdown;   // updates left until the next sample; 4 at load

// Fuel gauge and fuel lamps.
extern int32_t fuel_gauge_all_tanks;     // 1: the gauge counts the external tanks
extern double fuel_left_kg;
extern double fuel_right_kg;
extern int32_t fuel_lamp_test;           // 1 while the lamp test holds the lamps lit
extern int32_t fuel_lamp_test_ticks;     // knob updates left in the lamp test
extern int32_t fuel_blink_enabled;       // 1 at load: the ten-minute lamp blinks
extern double fuel_level_percent;
extern double fuel_pressure_bar;

// Parking brake.
extern int32_t parking_brake_locked;

}  // namespace crv5
