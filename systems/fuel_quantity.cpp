// Fuel_Quantity: the two-pointer fuel gauge, graduated 0 to 1100 kg. Each pointer adds up its
// side's two internal tanks and, when the selector counts all tanks, the side's external tank;
// the sums are kept for the tooltips and the fuel lamps.
//
// Inputs: tokens 291, 293 (left tanks) and 297, 299 (right tanks), each a fraction of full times
// 8388608; the external tanks' levels in percent by calculator; the capacities in kilograms
// recorded when the start state was applied.
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

constexpr uint32_t kPointerFlags = kImageTransparent | kImageErase | kImageBilinear | kImageLuminous;
constexpr FailureRecord kPointerFailures[] = {{20, kFailFreeze}, {0, 0}};
constexpr int32_t kPointerMaxTurn = 48;  // degrees per update

// Dial point for a side's fuel in kilograms; shared by both pointers.
NonlinearityEntry kilograms_table[] = {
    {.point = {122, 257}, .value = -1.0},
    {.point = {122, 257}, .value = 0.0},
    {.point = {124, 51}, .value = 500.0},
    {.point = {178, 253}, .value = 1100.0},
    {.point = {178, 253}, .value = 1200.0},
};
constexpr int32_t kTableSize = std::size(kilograms_table);

double left_side_rule(ElementNeedle* pointer);
double right_side_rule(ElementNeedle* pointer);

extern ElementNeedle right_pointer;
extern ElementNeedle left_pointer;
extern ElementStaticImage bezel;

//                                kind                         bitmap               gauge                     position               pivot              children
ElementStaticImage dial     = {{.kind = kElementStaticImage, .resource_id = 2030, .gauge = &gauge_Fuel_Quantity, .position = {0, 0},                         .next = children<&right_pointer>, .image_flags = kImageTransparent | kImageErase | kImageLuminous}};
ElementNeedle right_pointer = {.header = {.kind = kElementNeedle, .resource_id = 2050, .gauge = &gauge_Fuel_Quantity, .position = {150, 150}, .pivot = {14, 18}, .next = children<&left_pointer>, .failures = kPointerFailures, .image_flags = kPointerFlags},
                               .source = var(kRightFirstTank), .callback = right_side_rule, .table = kilograms_table, .table_size = kTableSize, .max_degrees_per_update = kPointerMaxTurn};
ElementNeedle left_pointer  = {.header = {.kind = kElementNeedle, .resource_id = 2040, .gauge = &gauge_Fuel_Quantity, .position = {150, 150}, .pivot = {14, 18}, .next = children<&bezel>, .failures = kPointerFailures, .image_flags = kPointerFlags},
                               .source = var(kLeftFirstTank), .callback = left_side_rule, .table = kilograms_table, .table_size = kTableSize, .max_degrees_per_update = kPointerMaxTurn};
ElementStaticImage bezel    = {{.kind = kElementStaticImage, .resource_id = 2060, .gauge = &gauge_Fuel_Quantity, .position = {0, 0},                                                          .image_flags = kImageTransparent | kImageErase}};

double left_kg(CRV5_TOOLTIP_PARAMS) { return fuel_left_kg; }
double right_kg(CRV5_TOOLTIP_PARAMS) { return fuel_right_kg; }
const char* external_tanks_word(CRV5_TOOLTIP_PARAMS) { return fuel_gauge_all_tanks != 0 ? "with" : "without"; }

// Shared by both halves' tooltips.
const TooltipArg tooltip_args[] = {tooltip_number(left_kg), tooltip_number(right_kg), tooltip_text(external_tanks_word)};
const TooltipText left_tooltip = {"Fuel quantity left %3!s! external tanks (%1!d! kg)", tooltip_args, 3};
const TooltipText right_tooltip = {"Fuel quantity right %3!s! external tanks (%2!d! kg)", tooltip_args, 3};

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
double left_side_rule(ElementNeedle* pointer) {
  fuel_left_kg = side_kilograms(pointer->source.value.f, tank292_capacity_kg, kLeftSecondTank,
                                tank294_capacity_kg, external1_capacity_kg, kExternal1Level);
  return fuel_left_kg;
}

double right_side_rule(ElementNeedle* pointer) {
  fuel_right_kg = side_kilograms(pointer->source.value.f, tank298_capacity_kg, kRightSecondTank,
                                 tank300_capacity_kg, external2_capacity_kg, kExternal2Level);
  return fuel_right_kg;
}

}  // namespace fuel_quantity

GaugeHeader gauge_Fuel_Quantity = crv5::gauge_header(
    "Fuel_Quantity", 100, crv5::element_list<&fuel_quantity::dial>, fuel_quantity::mouse);
