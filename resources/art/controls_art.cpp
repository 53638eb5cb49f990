// Artwork of the cockpit's switches, panel window buttons and registration placard.
#include <algorithm>
#include <cmath>

#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// --- Two-position switches -------------------------------------------------------------------------

// The simple switch: a knurled round base (30 x 58), the lever down (off) or up (on) over it.
constexpr Point kSwitchNut{15, 29};

void switch_base(cairo_t* cr) {
  ringed_disc(cr, kSwitchNut, 9, 14, {0.03, 0.03, 0.03});
  for (int i = 0; i < 24; ++i) tick(cr, kSwitchNut, i * 15.0, {14, 2.5, 1}, {0, 0, 0});
}

void switch_lever(cairo_t* cr, bool up) { toggle_switch(cr, kSwitchNut, up ? 0 : 180, 22, 8); }

// A selector on a strip (30 x 82): one source printed above the switch, the other below; the
// lever up selects the upper one.
constexpr Point kSelectorNut{15, 41};

void selector_strip(cairo_t* cr, const char* upper, const char* lower) {
  panel_plate(cr, 0, 0, 30, 82, 3);
  legend(cr, {15, 8}, upper, 7.5);
  legend(cr, {15, 75}, lower, 7.5);
}

void selector_lever(cairo_t* cr, bool down) { toggle_switch(cr, kSelectorNut, down ? 180 : 0, 22, 8); }

// The HUD mode switch: a panel (96 x 88) with the four positions round a pointer knob (60 x 60
// at (26, 26)).
constexpr Point kHudKnob{56, 56};
constexpr double kHudPositions[] = {300, 335, 10, 45};  // OFF, BRT, DIM, STBY: the knob's pointing
constexpr const char* kHudLabels[] = {"OFF", "BRT", "DIM", "STBY"};

void hud_panel(cairo_t* cr) {
  panel_plate(cr, 0, 0, 96, 88, 5);
  legend(cr, {18, 80}, "HUD", 8);
  for (int m = 0; m < 4; ++m) {
    tick(cr, kHudKnob, kHudPositions[m], {31, 5, 1.5}, colour::kLegend);
    centred_text(cr, polar(kHudKnob, kHudPositions[m], 39), kHudLabels[m], 6.5, Face::kLegendBold,
                 colour::kLegend);
  }
}

// A pointer knob turned to `degrees` in a w x w bitmap: fluted, with a white index line.
void pointer_knob(cairo_t* cr, double w, double degrees) {
  const Point c{w / 2, w / 2};
  knob(cr, c, w * 0.4);
  const Point a = polar(c, degrees, w * 0.08), b = polar(c, degrees, w * 0.38);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_line_width(cr, std::max(1.5, w * 0.06));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, colour::kMarking);
  cairo_stroke(cr);
}

// Panel lights: a push-button in its ring (52 x 52); on, the cap is pressed and glows.
constexpr Point kButton{26, 26};

void button_ring(cairo_t* cr) {
  ringed_disc(cr, kButton, 19, 26, {0.02, 0.02, 0.02});
}

void panel_light_button(cairo_t* cr, bool on) {
  push_button(cr, kButton, 25, on ? colour::kAmber : Rgb{0.25, 0.25, 0.26}, on);
  centred_text(cr, kButton, "PANEL", 8, Face::kLegendBold, on ? Rgb{0.3, 0.15, 0} : colour::kLegend);
}

// --- Panel window buttons: 19 x 19 (the map button 12 x 12) --------------------------------------

// A small square key with a bevel; `glyph` draws on it in white.
template <typename Glyph>
void window_button(cairo_t* cr, double size, Glyph glyph) {
  rounded_rectangle(cr, 0.5, 0.5, size - 1, size - 1, size * 0.15);
  set_colour(cr, {0.12, 0.12, 0.13});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  set_colour(cr, {0.45, 0.45, 0.47});
  cairo_stroke(cr);
  cairo_save(cr);
  set_colour(cr, colour::kMarking);
  glyph(cr, size);
  cairo_restore(cr);
}

void labelled_button(cairo_t* cr, const char* label, double size = 19) {
  window_button(cr, size, [label](cairo_t* c, double s) {
    centred_text(c, {s / 2, s / 2}, label, label[1] && label[2] ? 5.5 : 7.5, Face::kLegendBold);
  });
}

void cross(cairo_t* cr, double s) {
  cairo_move_to(cr, s * 0.28, s * 0.28);
  cairo_line_to(cr, s * 0.72, s * 0.72);
  cairo_move_to(cr, s * 0.72, s * 0.28);
  cairo_line_to(cr, s * 0.28, s * 0.72);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void compass_rose(cairo_t* cr, double s) {
  const Point c{s / 2, s / 2};
  cairo_arc(cr, c.x, c.y, s * 0.32, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, c.x, c.y - s * 0.36);
  cairo_line_to(cr, c.x + s * 0.1, c.y);
  cairo_line_to(cr, c.x - s * 0.1, c.y);
  cairo_close_path(cr);
  set_colour(cr, colour::kRed);
  cairo_fill(cr);
}

void lightning_bolt(cairo_t* cr, double s) {
  const double pts[][2] = {{0.58, 0.15}, {0.3, 0.55}, {0.5, 0.55}, {0.4, 0.87}, {0.72, 0.42}, {0.52, 0.42}};
  cairo_move_to(cr, s * pts[0][0], s * pts[0][1]);
  for (const auto& p : pts) cairo_line_to(cr, s * p[0], s * p[1]);
  cairo_close_path(cr);
  set_colour(cr, colour::kYellow);
  cairo_fill(cr);
}

void key(cairo_t* cr, double s) {
  cairo_arc(cr, s * 0.32, s * 0.5, s * 0.15, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  cairo_move_to(cr, s * 0.47, s * 0.5);
  cairo_line_to(cr, s * 0.82, s * 0.5);
  cairo_move_to(cr, s * 0.72, s * 0.5);
  cairo_line_to(cr, s * 0.72, s * 0.64);
  cairo_move_to(cr, s * 0.62, s * 0.5);
  cairo_line_to(cr, s * 0.62, s * 0.62);
  cairo_stroke(cr);
}

}  // namespace

void add_control_painters(Painters& p) {
  p[2400] = switch_base;
  p[2410] = [](cairo_t* cr) { switch_lever(cr, false); };
  p[2411] = [](cairo_t* cr) { switch_lever(cr, true); };
  p[2170] = [](cairo_t* cr) { selector_strip(cr, "NAV", "GPS"); };
  p[2180] = [](cairo_t* cr) { selector_lever(cr, false); };
  p[2181] = [](cairo_t* cr) { selector_lever(cr, true); };
  p[2150] = [](cairo_t* cr) { selector_strip(cr, "VOR1", "VOR2"); };  // the RMI's VOR needle
  p[2160] = [](cairo_t* cr) { selector_lever(cr, false); };
  p[2161] = [](cairo_t* cr) { selector_lever(cr, true); };
  p[5200] = hud_panel;
  for (int m = 0; m < 4; ++m)
    p[5210 + m] = [m](cairo_t* cr) { pointer_knob(cr, 60, kHudPositions[m]); };
  // The autopilot's lever switches and its selector knob (a needle: index to 3 o'clock as drawn).
  p[4170] = [](cairo_t* cr) { switch_lever(cr, false); };
  p[4171] = [](cairo_t* cr) { switch_lever(cr, true); };
  p[4180] = [](cairo_t* cr) { pointer_knob(cr, 32, 90); };
  p[4110] = button_ring;
  p[4120] = [](cairo_t* cr) { panel_light_button(cr, false); };
  p[4121] = [](cairo_t* cr) { panel_light_button(cr, true); };

  p[70] = [](cairo_t* cr) { labelled_button(cr, "KB"); };
  p[80] = [](cairo_t* cr) { labelled_button(cr, "M", 12); };
  p[90] = [](cairo_t* cr) { labelled_button(cr, "ATC"); };
  p[100] = [](cairo_t* cr) { window_button(cr, 19, compass_rose); };
  p[110] = [](cairo_t* cr) { window_button(cr, 19, cross); };
  p[120] = [](cairo_t* cr) { labelled_button(cr, "GPS"); };
  p[130] = [](cairo_t* cr) { labelled_button(cr, "IFR"); };
  p[140] = [](cairo_t* cr) { labelled_button(cr, "VFR"); };
  p[150] = [](cairo_t* cr) { labelled_button(cr, "LDG"); };
  p[160] = [](cairo_t* cr) { labelled_button(cr, "RAD"); };
  p[170] = [](cairo_t* cr) { labelled_button(cr, "THR"); };
  p[180] = [](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 19, 19);
    set_colour(cr, {0, 0, 0});
    cairo_fill(cr);
  };
  p[190] = [](cairo_t* cr) { window_button(cr, 19, lightning_bolt); };
  p[200] = [](cairo_t* cr) { window_button(cr, 19, key); };
  p[210] = [](cairo_t* cr) { labelled_button(cr, "AP"); };

  p[50] = [](cairo_t* cr) {  // the registration placard's plate: black, the text drawn over it
    cairo_rectangle(cr, 0, 0, 150, 25);
    set_colour(cr, {0, 0, 0});
    cairo_fill(cr);
  };
}

}  // namespace crv5::art
