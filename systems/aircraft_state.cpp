#include "systems/aircraft_state.h"

namespace crv5 {

double tank292_capacity_kg = 0;
double tank294_capacity_kg = 0;
double tank298_capacity_kg = 0;
double tank300_capacity_kg = 0;
double external1_capacity_kg = 0;
double external2_capacity_kg = 0;

int32_t fuel_valve_switch_state = 0;
int32_t ignition_switch_state = 0;
int32_t ignition_switch_on = 0;
int32_t left_fuel_pump_on = 0;
int32_t right_fuel_pump_on = 0;
int32_t start_ready = 0;

int32_t chute_lever_pulled = 0;
double chute_last_value = 0;
double chute_trend = 0;
int32_t chute_sample_countdown = 4;

int32_t fuel_gauge_all_tanks = 0;
double fuel_left_kg = 0;
double fuel_right_kg = 0;
int32_t fuel_lamp_test = 0;
int32_t fuel_lamp_test_ticks = 0;
int32_t fuel_blink_enabled = 1;
double fuel_level_percent = 0;
double fuel_pressure_bar = 0;

int32_t parking_brake_locked = 0;

}  // namespace crv5
