// Artwork of the aircraft systems' gauges: start-state plug, starter board, parachute handle, fuel
// gauge, selector and knobs, gear indicator and lever, parking brake. Their warning lamps are with
// the other lamps (lamps_art.cpp).
// Positions are those of the gauges' element records and mouse boxes.
#include <cmath>
#include <string>
#include <utility>

#include "resources/art/dial_scale.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// --- Engine_Off / Engine_On: a blanking plug --------------------------------------------------------

void start_state_plug(cairo_t* cr, Size size) {
  panel_plate(cr, 0, 0, size.width, size.height, 4);
  screw(cr, middle(size), 6, 40);
}

// --- Starter_Board -------------------------------------------------------------------------------

constexpr const char* kBoard = "Starter_Board";

void starter_board(cairo_t* cr, Size size) {
  const Box valve = element_box(kBoard, 4220);
  const Box lamp = element_box(kBoard, 4230);
  const Box ignition = element_box(kBoard, 4250);
  const Box starter = element_box(kBoard, 4260);
  Box left_pump = element_box(kBoard, 4240, 0), right_pump = element_box(kBoard, 4240, 1);
  if (left_pump.x > right_pump.x) std::swap(left_pump, right_pump);

  const double w = size.width, h = size.height;
  panel_plate(cr, 0, 0, w, h, 8);
  for (Point p : {Point{10, 10}, Point{w - 10, 10}, Point{10, h - 10}, Point{w - 10, h - 10}})
    screw(cr, p, 4.5);
  // Fuel valve.
  legend(cr, {valve.centre().x, valve.y - 12}, "FUEL VALVE");
  legend(cr, {valve.x + 12, valve.y + valve.h + 9}, "OFF", 8);
  legend(cr, {valve.x + valve.w - 12, valve.y + valve.h + 9}, "ON", 8);
  // Start-ready lamp, dark (the icon lights it).
  legend(cr, {lamp.centre().x, valve.y - 12}, "READY");
  {
    const SavedState saved(cr);
    cairo_translate(cr, lamp.x, lamp.y);
    jewel_lamp(cr, lamp.w, lamp.h, colour::kGreen, false);
  }
  // Pumps.
  for (const Box& pump : {left_pump, right_pump}) {
    legend(cr, {pump.x + 12, pump.y + pump.h + 9}, "OFF", 8);
    legend(cr, {pump.x + pump.w - 12, pump.y + pump.h + 9}, "ON", 8);
  }
  legend(cr, {left_pump.centre().x, left_pump.y + left_pump.h + 25}, "PUMP L");
  legend(cr, {right_pump.centre().x, right_pump.y + right_pump.h + 25}, "PUMP R");
  // Ignition and starter.
  legend(cr, {ignition.centre().x, ignition.y - 8}, "IGN");
  legend(cr, {ignition.x - 16, ignition.y + 22}, "ON", 8);
  legend(cr, {ignition.x - 16, ignition.y + ignition.h - 12}, "OFF", 8);
  // Black-and-yellow border round the starter: the one button that turns the engine.
  const Point s = starter.centre();
  cairo_arc(cr, s.x, s.y, starter.w / 2 + 3, 0, 2 * kPi);
  set_colour(cr, colour::kYellow, 0.85);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
}

// A guarded switch with a horizontal throw (the fuel valve).
void fuel_valve_switch(cairo_t* cr, Size size, bool guard_open_, bool on) {
  const Point c{size.width / 2, 26};
  if (guard_open_) guard_open(cr, {c.x, 9}, 84, 8);
  toggle_switch(cr, c, on ? 90 : 270, 28, 10);
  if (!guard_open_) guard_closed(cr, c, 88, 34, true);
}

// A guarded switch with a vertical throw (the ignition).
enum class Ignition { kGuarded, kOff, kOn };
void ignition_switch(cairo_t* cr, Size size, Ignition state) {
  const Point c{size.width / 2, 52};
  if (state == Ignition::kGuarded) {
    guard_closed(cr, c, 33, 62, false);
    return;
  }
  guard_open(cr, {c.x, 14}, 33, 12);
  toggle_switch(cr, c, state == Ignition::kOn ? 0 : 180, 26, 9);
}

// A fuel pump switch, horizontal throw.
void pump_switch(cairo_t* cr, Size size, bool on) {
  toggle_switch(cr, middle(size), on ? 90 : 270, 22, 8.5);
}

void starter_button(cairo_t* cr, Size size, bool pressed) {
  const Point c = middle(size);
  push_button(cr, c, 36, {0.22, 0.22, 0.23}, pressed);
  centred_text(cr, {c.x, pressed ? 40.0 : 38.0}, "START", 11, Face::kLegendBold,
               pressed ? Rgb{0.7, 0.7, 0.68} : colour::kMarking);
}

// --- Parachute ------------------------------------------------------------------------------------

// The handle sits in its click area.
Box chute_well() { return click_box("Parachute"); }

void chute_housing(cairo_t* cr, Size size) {
  const Box well = chute_well();
  panel_plate(cr, 0, 0, size.width, size.height, 5);
  recess(cr, well.x, well.y, well.w, well.h, 6);
  centred_text(cr, {124, 20}, "CHUTE", 8, Face::kLegendBold, colour::kLegend);
  centred_text(cr, {124, 32}, "PULL", 7, Face::kLegend, colour::kLegend);
  screw(cr, {10, 27}, 4);
  centred_text(cr, {67, 50}, "BRAKE PARACHUTE", 6, Face::kLegend, colour::kLegend);
}

// The T-grip, striped black and yellow; pulled, it stands out of its well on two rods.
void chute_handle(cairo_t* cr, bool pulled) {
  const Point c = chute_well().centre();
  const double w = pulled ? 76 : 62, h = pulled ? 20 : 15;
  const double y = pulled ? 31 : c.y - h / 2;
  if (pulled) {
    for (double x : {c.x - 18, c.x + 18}) {
      cairo_rectangle(cr, x - 3, c.y - 6, 6, y - c.y + 10);
      set_colour(cr, colour::kMetal);
      cairo_fill(cr);
    }
    rounded_rectangle(cr, c.x - w / 2 + 3, y + 4, w, h, h / 2);  // shadow on the panel
    set_colour(cr, {0, 0, 0}, 0.5);
    cairo_fill(cr);
  }
  rounded_rectangle(cr, c.x - w / 2, y, w, h, h / 2);
  set_colour(cr, colour::kYellow);
  cairo_fill_preserve(cr);
  const SavedState saved(cr);
  cairo_clip(cr);
  for (double x = c.x - w; x < c.x + w; x += 12) {
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x + 6, y + h);
    cairo_line_to(cr, x + 6 + h, y);
    cairo_line_to(cr, x + h, y);
    cairo_close_path(cr);
  }
  set_colour(cr, {0.05, 0.05, 0.05});
  cairo_fill(cr);
  // Round the grip: light on top, shade below.
  const PatternOwner p(cairo_pattern_create_linear(0, y, 0, y + h));
  add_stop(p.get(), 0, {1, 1, 1}, 0.35);
  add_stop(p.get(), 0.5, {1, 1, 1}, 0.0);
  add_stop(p.get(), 1, {0, 0, 0}, 0.45);
  cairo_set_source(cr, p.get());
  cairo_paint(cr);
}

// --- Fuel_Quantity --------------------------------------------------------------------------------

constexpr double kFuelFace = 140;
constexpr double kFuelBezel = 147;

void fuel_dial(cairo_t* cr, Size size) {
  const DialScale kg("Fuel_Quantity", 2040);
  dial_face(cr, kg.centre(), kFuelFace);
  const double r = 118;
  arc_band(cr, kg.centre(), kg.angle(0), kg.angle(100), r - 5, r, colour::kGuardRed);
  kg.ticks(cr, 50, 1050, 100, {r, 9, 2});
  kg.ticks(cr, 0, 1100, 100, {r, 15, 4});
  kg.figures(cr, 0, 1100, 100, r - 32, 22, [](double v) { return std::to_string(std::lround(v / 100)); });
  centred_text(cr, {size.width / 2, 92}, "FUEL", 14, Face::kLegendBold);
  centred_text(cr, {size.width / 2, 110}, "kg x 100", 11, Face::kLegend, colour::kLegend);
}

// A pointer with a disc bearing its side's letter.
void fuel_pointer(cairo_t* cr, int32_t bitmap, const char* letter) {
  const Point pivot = DialScale("Fuel_Quantity", bitmap).pivot();
  needle(cr, pivot, {.length = 104, .tail = 14, .width = 8, .hub_radius = 11});
  const Point disc{pivot.x + 62, pivot.y};
  cairo_arc(cr, disc.x, disc.y, 10, 0, 2 * kPi);
  set_colour(cr, colour::kMarking);
  cairo_fill_preserve(cr);
  set_colour(cr, {0, 0, 0}, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // The letter reads upright when the pointer stands at 12 o'clock: turned a quarter back.
  const SavedState saved(cr);
  cairo_translate(cr, disc.x, disc.y);
  cairo_rotate(cr, kPi / 2);
  centred_text(cr, {0, 0}, letter, 13, Face::kLegendBold, {0.05, 0.05, 0.05});
}

void fuel_cover(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Fuel_Quantity", 2040).centre(), kFuelFace, kFuelBezel);
}

// --- Fuel_Qty_Switch: INT / TOT selector ----------------------------------------------------------

void selector_plate(cairo_t* cr, Size size) {
  panel_plate(cr, 0, 0, size.width, size.height, 4);
  legend(cr, {16, 25}, "INT", 10);
  legend(cr, {size.width - 16, 25}, "TOT", 10);
  centred_text(cr, {size.width / 2, 7}, "FUEL GAUGE", 6.5, Face::kLegend, colour::kLegend);
}

// The lever turns in the middle of the click area.
void selector_lever(cairo_t* cr, bool all_tanks) {
  toggle_switch(cr, click_box("Fuel_Qty_Switch").centre(), all_tanks ? 90 : 270, 26, 9);
}

// --- Fuel knobs -----------------------------------------------------------------------------------

void blink_cut_out(cairo_t* cr, Size size, bool blinking) {
  push_button(cr, middle(size), 16, {0.55, 0.38, 0.08}, !blinking);
}

void lamp_test_button(cairo_t* cr, Size size, bool pressed) {
  const Point c = middle(size);
  rounded_rectangle(cr, 0, 0, size.width, size.height, 4);
  set_colour(cr, colour::kPanel);
  cairo_fill(cr);
  push_button(cr, c, 12, {0.3, 0.3, 0.32}, pressed);
  centred_text(cr, {c.x, pressed ? 13.0 : 12.5}, "T", 9, Face::kLegendBold, colour::kMarking);
}

// --- Gear_Lamps: a round disc ------------------------------------------------------------------------

constexpr const char* kGearLamps = "Gear_Lamps";
constexpr int32_t kDownBars[] = {3400, 3410, 3420};  // left, nose, right
constexpr int32_t kTransitLamp = 3430;               // one bitmap for the three legs

void gear_disc(cairo_t* cr, Size size) {
  const Point c = middle(size);
  bezel(cr, c, 66, 75);
  dial_face(cr, c, 66);
  for (int32_t bar : kDownBars) {
    const Box b = element_box(kGearLamps, bar);
    lamp_window(cr, b.x, b.y, b.w, b.h, colour::kGreen, false);
  }
  for (size_t leg = 0; leg < 3; ++leg) {
    const Box b = element_box(kGearLamps, kTransitLamp, leg);
    lamp_window(cr, b.x, b.y, b.w, b.h, colour::kRed, false);
  }
  centred_text(cr, {c.x, 72}, "GEAR", 12, Face::kLegendBold);
  centred_text(cr, {c.x, 88}, "DOWN", 8, Face::kLegend, colour::kLegend);
}

// --- Gear_Lever: the slot plate, the lever over it ----------------------------------------------------

// The lever bitmap's place on the slot plate.
Box gear_lever_box() { return element_box("Gear_Lever", 2310); }

void gear_slot(cairo_t* cr, Size size) {
  const double slot_x = gear_lever_box().centre().x;
  panel_plate(cr, 0, 0, size.width, size.height, 6);
  legend(cr, {slot_x, 16}, "LANDING GEAR", 9);
  recess(cr, slot_x - 7, 46, 14, 118, 7);
  legend(cr, {137, 60}, "UP", 10);
  legend(cr, {137, 148}, "DN", 10);
  screw(cr, {137, 16}, 4);
  screw(cr, {137, 104}, 4);
}

// The wheel-shaped handle on its shaft; the shaft leaves the slot at its middle.
void gear_lever(cairo_t* cr, Size size, bool down) {
  const Box lever = gear_lever_box();
  const double slot_x = size.width / 2;
  const double pivot_y = 104 - lever.y;
  const double handle_y = down ? 108 : 28;  // the handle's 25-pixel tyre stays inside the bitmap
  cairo_move_to(cr, slot_x, pivot_y);
  cairo_line_to(cr, slot_x, handle_y);
  cairo_set_line_width(cr, 9);
  set_colour(cr, {0.75, 0.76, 0.77});
  cairo_stroke(cr);
  const Point h{slot_x, handle_y};
  cairo_arc(cr, h.x + 3, h.y + 4, 25, 0, 2 * kPi);  // shadow
  set_colour(cr, {0, 0, 0}, 0.45);
  cairo_fill(cr);
  cairo_arc(cr, h.x, h.y, 25, 0, 2 * kPi);         // tyre
  set_colour(cr, {0.06, 0.06, 0.06});
  cairo_fill(cr);
  ringed_disc(cr, h, 13, 18, colour::kGuardRed);  // the gear handle's red hub in its rim
  screw(cr, h, 4);
}

// --- Parking_Brake: the handle turns about its click box's centre ------------------------------

// The handle turns about the middle of its click area.
Point brake_hub() { return click_box("Parking_Brake").centre(); }

void brake_housing(cairo_t* cr, Size size) {
  const Point hub = brake_hub();
  panel_plate(cr, 0, 0, size.width, size.height, 6);
  legend(cr, {size.width / 2, 12}, "PARKING BRAKE", 9);
  ringed_disc(cr, hub, 16, 24, {0.02, 0.02, 0.02});
  centred_text(cr, {22, 51}, "REL", 8, Face::kLegendBold, colour::kLegend);
  centred_text(cr, {124, 88}, "LOCK", 8, Face::kLegendBold, colour::kLegend);
  centred_text(cr, {size.width / 2, 90}, "TURN", 6, Face::kLegend, colour::kLegend);
}

// A red T-handle, level when released, turned 45 degrees when locked.
void brake_handle(cairo_t* cr, bool locked) {
  const Point hub = brake_hub();
  {
    const SavedState saved(cr);
    cairo_translate(cr, hub.x, hub.y);
    cairo_rotate(cr, locked ? kPi / 4 : 0);
    rounded_rectangle(cr, -34, -6, 72, 16, 8);  // shadow
    set_colour(cr, {0, 0, 0}, 0.45);
    cairo_fill(cr);
    rounded_rectangle(cr, -37, -9, 74, 17, 8.5);
    const PatternOwner p(cairo_pattern_create_linear(0, -9, 0, 8));
    add_stop(p.get(), 0, {0.95, 0.25, 0.2});
    add_stop(p.get(), 0.5, {0.72, 0.07, 0.05});
    add_stop(p.get(), 1, {0.38, 0.03, 0.02});
    fill_with(cr, p);
  }
  screw(cr, hub, 5, locked ? 45 : 0);
}

// The gear's lit bars and transit lamp, each filling its bitmap.
void lit(cairo_t* cr, Size size, Rgb c) { lamp_window(cr, 0, 0, size.width, size.height, c, true); }

const PainterRegistration kPainters{{
    {60, start_state_plug},

    {4210, starter_board},
    {4220, [](cairo_t* cr, Size s) { fuel_valve_switch(cr, s, false, false); }},
    {4221, [](cairo_t* cr, Size s) { fuel_valve_switch(cr, s, false, true); }},
    {4222, [](cairo_t* cr, Size s) { fuel_valve_switch(cr, s, true, false); }},
    {4223, [](cairo_t* cr, Size s) { fuel_valve_switch(cr, s, true, true); }},
    {4230, [](cairo_t* cr, Size s) { jewel_lamp(cr, s.width, s.height, colour::kGreen, true); }},
    {4240, [](cairo_t* cr, Size s) { pump_switch(cr, s, false); }},
    {4241, [](cairo_t* cr, Size s) { pump_switch(cr, s, true); }},
    {4250, [](cairo_t* cr, Size s) { ignition_switch(cr, s, Ignition::kGuarded); }},
    {4251, [](cairo_t* cr, Size s) { ignition_switch(cr, s, Ignition::kOff); }},
    {4252, [](cairo_t* cr, Size s) { ignition_switch(cr, s, Ignition::kOn); }},
    {4260, [](cairo_t* cr, Size s) { starter_button(cr, s, false); }},
    {4261, [](cairo_t* cr, Size s) { starter_button(cr, s, true); }},

    {2280, chute_housing},
    {2290, [](cairo_t* cr, Size) { chute_handle(cr, false); }},
    {2291, [](cairo_t* cr, Size) { chute_handle(cr, true); }},

    {2030, fuel_dial},
    {2040, [](cairo_t* cr, Size) { fuel_pointer(cr, 2040, "G"); }},
    {2050, [](cairo_t* cr, Size) { fuel_pointer(cr, 2050, "D"); }},
    {2060, fuel_cover},
    {4070, selector_plate},
    {4080, [](cairo_t* cr, Size) { selector_lever(cr, false); }},
    {4081, [](cairo_t* cr, Size) { selector_lever(cr, true); }},
    {3490, [](cairo_t* cr, Size s) { blink_cut_out(cr, s, false); }},
    {3491, [](cairo_t* cr, Size s) { blink_cut_out(cr, s, true); }},
    {4000, [](cairo_t* cr, Size s) { lamp_test_button(cr, s, false); }},
    {4001, [](cairo_t* cr, Size s) { lamp_test_button(cr, s, true); }},

    {3390, gear_disc},
    {kDownBars[0], [](cairo_t* cr, Size s) { lit(cr, s, colour::kGreen); }},
    {kDownBars[1], [](cairo_t* cr, Size s) { lit(cr, s, colour::kGreen); }},
    {kDownBars[2], [](cairo_t* cr, Size s) { lit(cr, s, colour::kGreen); }},
    {kTransitLamp, [](cairo_t* cr, Size s) { lit(cr, s, colour::kRed); }},
    {2300, gear_slot},
    {2310, [](cairo_t* cr, Size s) { gear_lever(cr, s, false); }},
    {2311, [](cairo_t* cr, Size s) { gear_lever(cr, s, true); }},
    {2190, brake_housing},
    {2200, [](cairo_t* cr, Size) { brake_handle(cr, false); }},
    {2201, [](cairo_t* cr, Size) { brake_handle(cr, true); }},
}};

}  // namespace

}  // namespace crv5::art
