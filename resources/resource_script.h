// The module's resource script: every bitmap and wave CRV5_Instr.gau carries, by numeric id, with
// its size in pixels and what it shows. The art generator draws the bitmaps marked kDrawn and
// embeds them, with the waves, in the module's ResourceDirectory; the others are listed so that
// the numbering is complete and wait for their artwork.
//
// Sizes of 0 x 0 are not fixed yet: they are chosen when the bitmap is drawn.
#pragma once

#include <cstdint>

namespace crv5::resources {

enum class Art { kPending, kDrawn };

struct BitmapResource {
  int32_t id;
  int32_t width;   // pixels
  int32_t height;  // pixels
  Art art;
  const char* gauge;  // the gauge (or gauges) that draw it
  const char* shows;
};

struct WaveResource {
  int32_t id;
  const char* shows;
};

inline constexpr Art D = Art::kDrawn;
inline constexpr Art P = Art::kPending;

// clang-format off
inline constexpr BitmapResource kBitmaps[] = {
// id      w    h  art  gauge                        shows
// --- Engine state ------------------------------------------------------------------------------
{   60,   40,  40, D, "Engine_Off, Engine_On",      "blank panel plug (the start-state gauges draw nothing)"},
// --- Starter board -----------------------------------------------------------------------------
{ 4210,  250, 300, D, "Starter_Board",              "start panel: legends, dark start-ready lamp, switch and button wells"},
{ 4220,  100,  48, D, "Starter_Board",              "fuel valve switch, guard closed, valve off"},
{ 4221,  100,  48, D, "Starter_Board",              "fuel valve switch, guard closed, valve on"},
{ 4222,  100,  48, D, "Starter_Board",              "fuel valve switch, guard open, off"},
{ 4223,  100,  48, D, "Starter_Board",              "fuel valve switch, guard open, on"},
{ 4230,   36,  36, D, "Starter_Board",              "start-ready lamp lit (green)"},
{ 4240,   75,  39, D, "Starter_Board",              "fuel pump switch off"},
{ 4241,   75,  39, D, "Starter_Board",              "fuel pump switch on"},
{ 4250,   35,  85, D, "Starter_Board",              "ignition switch, guard closed"},
{ 4251,   35,  85, D, "Starter_Board",              "ignition switch, guard open, off"},
{ 4252,   35,  85, D, "Starter_Board",              "ignition switch, guard open, on"},
{ 4260,   77,  77, D, "Starter_Board",              "starter push-button released"},
{ 4261,   77,  77, D, "Starter_Board",              "starter push-button pressed"},
// --- Drag parachute ----------------------------------------------------------------------------
{ 2280,  140,  54, D, "Parachute",                  "parachute handle housing with its legend"},
{ 2290,  140,  54, D, "Parachute",                  "parachute handle pushed in"},
{ 2291,  140,  54, D, "Parachute",                  "parachute handle pulled"},
{  290,   64,  64, D, "Parachute_Light",            "amber lamp, dark"},
{  300,   64,  64, D, "Parachute_Light",            "amber lamp, lit"},
// --- Fuel system -------------------------------------------------------------------------------
{ 2030,  300, 300, D, "Fuel_Quantity",              "fuel dial graduated 0 to 11 x 100 kg"},
{ 2040,  128,  36, D, "Fuel_Quantity",              "left pointer, marked G"},
{ 2050,  128,  36, D, "Fuel_Quantity",              "right pointer, marked D"},
{ 2060,  300, 300, D, "Fuel_Quantity",              "bezel and cover glass"},
{ 4070,  120,  44, D, "Fuel_Qty_Switch",            "selector plate labelled INT and TOT"},
{ 4080,  120,  44, D, "Fuel_Qty_Switch",            "selector lever at INT (internal tanks)"},
{ 4081,  120,  44, D, "Fuel_Qty_Switch",            "selector lever at TOT (all tanks)"},
{ 2480,   64,  64, D, "Low_Fuel_Level_Light, Afterburner_Light", "yellow lamp, dark"},
{ 2490,   64,  64, D, "Low_Fuel_Level_Light, Afterburner_Light", "yellow lamp, lit"},
{ 1000,   64,  64, D, "Low_Fuel_Press_Light, Hydr_Press_Light_Main, Hydr_Press_Light_Aux, Pitot_Heat_Light", "orange lamp, dark"},
{ 1010,   64,  64, D, "Low_Fuel_Press_Light, Hydr_Press_Light_Main, Hydr_Press_Light_Aux, Pitot_Heat_Light", "orange lamp, lit"},
{ 3320,   64,  64, D, "Ten_Minutes_Flight_Light",   "red lamp, dark"},
{ 3330,   64,  64, D, "Ten_Minutes_Flight_Light",   "red lamp, lit"},
{ 3490,   33,  33, D, "Stop_Blinking_Fuel_Knob",    "blink cut-out button pressed in (not blinking)"},
{ 3491,   33,  33, D, "Stop_Blinking_Fuel_Knob",    "blink cut-out button out (blinking)"},
{ 4000,   30,  25, D, "Fuel_Lamps_Test_Knob",       "lamp test button released"},
{ 4001,   30,  25, D, "Fuel_Lamps_Test_Knob",       "lamp test button pressed"},
// --- Landing gear and brake --------------------------------------------------------------------
{ 3390,  150, 150, D, "Gear_Lamps",                 "gear indicator disc with dark bars and lamps"},
{ 3400,   16,  47, D, "Gear_Lamps",                 "left leg down bar lit (green)"},
{ 3410,   49,  12, D, "Gear_Lamps",                 "nose leg down bar lit (green)"},
{ 3420,   20,  48, D, "Gear_Lamps",                 "right leg down bar lit (green)"},
{ 3430,   14,  14, D, "Gear_Lamps",                 "leg in transit lamp lit (red)"},
{ 2320,   64,  64, D, "Gear_Light_Green",           "green lamp, dark"},
{ 2330,   64,  64, D, "Gear_Light_Green",           "green lamp, lit"},
{ 2360,   64,  64, D, "Gear_Warning_Light",         "red lamp, dark"},
{ 2370,   64,  64, D, "Gear_Warning_Light",         "red lamp, lit"},
{ 2300,  150, 173, D, "Gear_Lever",                 "gear lever slot, UP and DOWN legends"},
{ 2310,  125, 135, D, "Gear_Lever",                 "gear lever up"},
{ 2311,  125, 135, D, "Gear_Lever",                 "gear lever down"},
{ 2190,  147,  98, D, "Parking_Brake",              "parking brake housing with its legend"},
{ 2200,  147,  98, D, "Parking_Brake",              "parking brake handle level (released)"},
{ 2201,  147,  98, D, "Parking_Brake",              "parking brake handle turned (locked)"},
// --- Turbine speed indicators ------------------------------------------------------------------
{  460,  300, 300, D, "Engine_RPM",                 "tachometer dial, 0 to 10 x 1000 RPM, sub-dial 0 to 9 x 100 RPM"},
{  470,  136,  28, D, "Engine_RPM",                 "main pointer"},
{  480,   50,  16, D, "Engine_RPM",                 "sub-dial (hundreds) pointer"},
{  490,  300, 300, D, "Engine_RPM",                 "bezel and cover glass"},
{ 1420,  200, 200, D, "Engine_Corrected_N1",        "corrected N1 dial, 0 to 110 percent, sub-dial of units"},
{ 1430,  200, 200, D, "Engine_Corrected_N2",        "corrected N2 dial, 0 to 110 percent, sub-dial of units"},
{ 1440,   26,   4, D, "Engine_Corrected_N1, Engine_Corrected_N2", "units pointer"},
{ 1450,  112,  14, D, "Engine_Corrected_N1, Engine_Corrected_N2", "main pointer"},
{ 1460,  200, 200, D, "Engine_Corrected_N1, Engine_Corrected_N2", "bezel and cover glass"},
};

inline constexpr WaveResource kWaves[] = {
{ 10, "switch click"},
{ 20, "lever and brake handle"},
{ 30, "third click sound"},
};
// clang-format on

}  // namespace crv5::resources
