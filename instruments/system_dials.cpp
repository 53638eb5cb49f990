#include "instruments/system_dials.h"

namespace crv5 {

double fuel_flow_pph = 0;
double hydraulic_temperature_r = 0;
double oil_pressure_psf = 0;
double fuel_pressure_psf = 0;
double hydraulic_right_psf = 0;
double hydraulic_left_psf = 0;
double bus_voltage_volts = 0;
double speed_brake_position = 0;

}  // namespace crv5
