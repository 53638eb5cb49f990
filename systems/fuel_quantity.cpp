// Fuel_Quantity: the two-pointer fuel gauge, graduated 0 to 1100 kg. Each pointer adds up its
// side's two internal tanks and, when the selector counts all tanks, the side's external tank;
// the sums are kept for the tooltips and the fuel lamps.
//
// Reads: tokens 291, 293 (left tanks) and 297, 299 (right tanks), each a fraction of full times
// 8388608; the external tanks' levels in percent by calculator; the six tank capacities in
// kilograms recorded when the start state was applied; fuel_gauge_all_tanks.
// Writes: fuel_left_kg, fuel_right_kg. Sends no events.
#include <iterator>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "systems/aircraft_state.h"

namespace fuel_quantity {
using namespace crv5;

constexpr uint32_t kLeftFirstTank = 291;    // capacity tank292_capacity_kg
constexpr uint32_t kLeftSecondTank = 293;   // capacity tank294_capacity_kg
constexpr uint32_t kRightFirstTank = 297;   // capacity tank298_capacity_kg
constexpr uint32_t kRightSecondTank = 299;  // capacity tank300_capacity_kg
constexpr double kFullTank = 8388608;       // a tank level at full

constexpr const char* kExternal1Level = "(A:FUEL TANK EXTERNAL1 LEVEL,percent)";
constexpr const char* kExternal2Level = "(A:FUEL TANK EXTERNAL2 LEVEL,percent)";

constexpr int32_t kPointerMaxTurn = 48;  // degrees per update

// Dial point for a side's fuel in kilograms; shared by both pointers.
NonlinearityEntry kilograms_table[] = {
    {.point = {122, 257}, .value = -1.0},
    {.point = {122, 257}, .value = 0.0},
    {.point = {124, 51}, .value = 500.0},
    {.point = {178, 253}, .value = 1100.0},
    {.point = {178, 253}, .value = 1200.0},
};

double CRV5_CALL left_side_rule(ElementNeedle* pointer);
double CRV5_CALL right_side_rule(ElementNeedle* pointer);

extern ElementNeedle right_pointer;
extern ElementNeedle left_pointer;
extern ElementStaticImage bezel;

// clang-format off
ElementStaticImage dial     = static_image({.gauge = &gauge_Fuel_Quantity, .bitmap = 2030, .position = {0, 0},                                                                                                                                .flags = kDialFlags,                                  .next = children<&right_pointer>});
ElementNeedle right_pointer = needle({      .gauge = &gauge_Fuel_Quantity, .bitmap = 2050, .position = {150, 150}, .pivot = {14, 18}, .source = kRightFirstTank, .callback = right_side_rule, .table = kilograms_table, .max_turn = kPointerMaxTurn, .flags = kNeedleFlags, .failures = kFrozenOnFailure20, .next = children<&left_pointer>});
ElementNeedle left_pointer  = needle({      .gauge = &gauge_Fuel_Quantity, .bitmap = 2040, .position = {150, 150}, .pivot = {14, 18}, .source = kLeftFirstTank,  .callback = left_side_rule,  .table = kilograms_table, .max_turn = kPointerMaxTurn, .flags = kNeedleFlags, .failures = kFrozenOnFailure20, .next = children<&bezel>});
ElementStaticImage bezel    = static_image({.gauge = &gauge_Fuel_Quantity, .bitmap = 2060, .position = {0, 0},                                                                                                                                .flags = kCoverFlags});
// clang-format on

double CRV5_CALL left_kg(CRV5_TOOLTIP_PARAMS) { return fuel_left_kg; }
double CRV5_CALL right_kg(CRV5_TOOLTIP_PARAMS) { return fuel_right_kg; }
const char* CRV5_CALL external_tanks_word(CRV5_TOOLTIP_PARAMS) { return fuel_gauge_all_tanks != 0 ? "with" : "without"; }

// Shared by both halves' tooltips.
const TooltipArg tooltip_args[] = {tooltip_number(left_kg), tooltip_number(right_kg), tooltip_text(external_tanks_word)};
const TooltipText left_tooltip = tooltip("Fuel quantity left %3!s! external tanks (%1!d! kg)", tooltip_args);
const TooltipText right_tooltip = tooltip("Fuel quantity right %3!s! external tanks (%2!d! kg)", tooltip_args);

MouseRect mouse[] = {
    mouse_parent(),
    mouse_parent({0, 0, 150, 300}),    // left half
    mouse_tooltip(&left_tooltip),
    mouse_parent_end(),
    mouse_parent({150, 0, 150, 300}),  // right half
    mouse_tooltip(&right_tooltip),
    mouse_parent_end(),
    mouse_parent_end(),
    mouse_end(),
};

// One side's fuel in kilograms: its two internal tanks, plus its external tank when the selector
// counts all tanks and the external tank is fitted.
double side_kilograms(double first_level, double first_capacity_kg, uint32_t second_tank,
                      double second_capacity_kg, double external_capacity_kg,
                      const char* external_level) {
  double kg = (first_capacity_kg * first_level + read_var(second_tank) * second_capacity_kg) / kFullTank;
  if (external_capacity_kg > 0 && fuel_gauge_all_tanks != 0) {
    double percent = 0;
    calculate(external_level, &percent);
    kg += external_capacity_kg * percent / 100;
  }
  return kg;
}

// The pointer's source is the side's first tank, read by the host just before the call.
double CRV5_CALL left_side_rule(ElementNeedle* pointer) {
  fuel_left_kg = side_kilograms(pointer->source.value.f, tank292_capacity_kg, kLeftSecondTank,
                                tank294_capacity_kg, external1_capacity_kg, kExternal1Level);
  return fuel_left_kg;
}

double CRV5_CALL right_side_rule(ElementNeedle* pointer) {
  fuel_right_kg = side_kilograms(pointer->source.value.f, tank298_capacity_kg, kRightSecondTank,
                                 tank300_capacity_kg, external2_capacity_kg, kExternal2Level);
  return fuel_right_kg;
}

}  // namespace fuel_quantity

GaugeHeader gauge_Fuel_Quantity = crv5::gauge_header(
    crv5::GaugeId::Fuel_Quantity, crv5::element_list<&fuel_quantity::dial>, fuel_quantity::mouse);
