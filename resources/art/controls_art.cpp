// Artwork of the cockpit's switches, panel window buttons and registration placard.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "instruments/hud_mode.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// --- Two-position switches -------------------------------------------------------------------------

// The simple switch: a knurled round base, the lever down (off) or up (on) over it.
void switch_base(cairo_t* cr, Size size) {
  const Point nut = middle(size);
  ringed_disc(cr, nut, 9, 14, {0.03, 0.03, 0.03});
  for (int i = 0; i < 24; ++i) tick(cr, nut, i * 15.0, {14, 2.5, 1}, {0, 0, 0});
}

void switch_lever(cairo_t* cr, Size size, bool up) {
  toggle_switch(cr, middle(size), up ? 0 : 180, 22, 8);
}

// A selector on a strip: one source printed above the switch, the other below; the lever up
// selects the upper one.
void selector_strip(cairo_t* cr, Size size, const char* upper, const char* lower) {
  panel_plate(cr, 0, 0, size.width, size.height, 3);
  legend(cr, {size.width / 2, 8}, upper, 7.5);
  legend(cr, {size.width / 2, size.height - 7}, lower, 7.5);
}

void selector_lever(cairo_t* cr, Size size, bool down) {
  toggle_switch(cr, middle(size), down ? 180 : 0, 22, 8);
}

// The HUD mode switch: a panel with the four positions round its pointer knob (60 x 60 at
// (26, 26)).
constexpr Point kHudKnob{56, 56};
constexpr double kHudPositions[] = {300, 335, 10, 45};  // OFF, BRT, DIM, STBY: the knob's pointing
constexpr const char* kHudLabels[] = {"OFF", "BRT", "DIM", "STBY"};
constexpr int kHudModes = hud::kStandby + 1;
static_assert(std::size(kHudPositions) == kHudModes && std::size(kHudLabels) == kHudModes,
              "one knob position and one label a HUD mode");

void hud_panel(cairo_t* cr, Size size) {
  const Point knob = kHudKnob;
  panel_plate(cr, 0, 0, size.width, size.height, 5);
  legend(cr, {18, 80}, "HUD", 8);
  for (int m = 0; m < kHudModes; ++m) {
    tick(cr, knob, kHudPositions[m], {31, 5, 1.5}, colour::kLegend);
    centred_text(cr, polar(knob, kHudPositions[m], 39), kHudLabels[m], 6.5, Face::kLegendBold,
                 colour::kLegend);
  }
}

// A pointer knob turned to `degrees` in a square bitmap w wide: fluted, with a white index line.
void pointer_knob(cairo_t* cr, double w, double degrees) {
  indexed_knob(cr, {w / 2, w / 2}, w * 0.4, degrees, w * 0.08, w * 0.38, std::max(1.5, w * 0.06));
}

// Panel lights: a push-button in its ring; on, the cap is pressed and glows.
void button_ring(cairo_t* cr, Size size) {
  ringed_disc(cr, middle(size), 19, 26, {0.02, 0.02, 0.02});
}

void panel_light_button(cairo_t* cr, Size size, bool on) {
  push_button(cr, middle(size), 25, on ? colour::kAmber : Rgb{0.25, 0.25, 0.26}, on);
  centred_text(cr, middle(size), "PANEL", 8, Face::kLegendBold, on ? Rgb{0.3, 0.15, 0} : colour::kLegend);
}

// --- Panel window buttons: small square keys ------------------------------------------------------

// A small square key with a bevel; `glyph` draws on it in white.
template <typename Glyph>
void window_button(cairo_t* cr, double size, Glyph glyph) {
  rounded_rectangle(cr, 0.5, 0.5, size - 1, size - 1, size * 0.15);
  set_colour(cr, {0.12, 0.12, 0.13});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  set_colour(cr, {0.45, 0.45, 0.47});
  cairo_stroke(cr);
  const SavedState saved(cr);
  set_colour(cr, colour::kMarking);
  glyph(cr, size);
}

void labelled_button(cairo_t* cr, Size size, const char* label) {
  window_button(cr, size.width, [label](cairo_t* c, double s) {
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
  cairo_arc(cr, c.x, c.y, s * 0.32, 0, 2 * kPi);
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
  cairo_arc(cr, s * 0.32, s * 0.5, s * 0.15, 0, 2 * kPi);
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

// A key labelled with text, or showing a glyph.
Painter labelled(const char* label) {
  return [label](cairo_t* cr, Size s) { labelled_button(cr, s, label); };
}
template <typename Glyph>
Painter showing(Glyph glyph) {
  return [glyph](cairo_t* cr, Size s) { window_button(cr, s.width, glyph); };
}

// A plain black bitmap.
void black(cairo_t* cr, Size s) {
  cairo_rectangle(cr, 0, 0, s.width, s.height);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
}

std::vector<PainterEntry> hud_knob_painters() {
  std::vector<PainterEntry> painters;
  for (int m = 0; m < kHudModes; ++m)
    painters.push_back(
        {5210 + m, [m](cairo_t* cr, Size s) { pointer_knob(cr, s.width, kHudPositions[m]); }});
  return painters;
}

const PainterRegistration kSwitches{{
    {2400, switch_base},
    {2410, [](cairo_t* cr, Size s) { switch_lever(cr, s, false); }},
    {2411, [](cairo_t* cr, Size s) { switch_lever(cr, s, true); }},
    {2170, [](cairo_t* cr, Size s) { selector_strip(cr, s, "NAV", "GPS"); }},
    {2180, [](cairo_t* cr, Size s) { selector_lever(cr, s, false); }},
    {2181, [](cairo_t* cr, Size s) { selector_lever(cr, s, true); }},
    {2150, [](cairo_t* cr, Size s) { selector_strip(cr, s, "VOR1", "VOR2"); }},  // the RMI's VOR needle
    {2160, [](cairo_t* cr, Size s) { selector_lever(cr, s, false); }},
    {2161, [](cairo_t* cr, Size s) { selector_lever(cr, s, true); }},
    {5200, hud_panel},
    // The autopilot's lever switches and its selector knob (a needle: index to 3 o'clock as drawn).
    {4170, [](cairo_t* cr, Size s) { switch_lever(cr, s, false); }},
    {4171, [](cairo_t* cr, Size s) { switch_lever(cr, s, true); }},
    {4180, [](cairo_t* cr, Size s) { pointer_knob(cr, s.width, 90); }},
    {4110, button_ring},
    {4120, [](cairo_t* cr, Size s) { panel_light_button(cr, s, false); }},
    {4121, [](cairo_t* cr, Size s) { panel_light_button(cr, s, true); }},
}};
const PainterRegistration kHudKnobs{hud_knob_painters()};

const PainterRegistration kWindowButtons{{
    {70, labelled("KB")},
    {80, labelled("M")},
    {90, labelled("ATC")},
    {100, showing(compass_rose)},
    {110, showing(cross)},
    {120, labelled("GPS")},
    {130, labelled("IFR")},
    {140, labelled("VFR")},
    {150, labelled("LDG")},
    {160, labelled("RAD")},
    {170, labelled("THR")},
    {180, black},
    {190, showing(lightning_bolt)},
    {200, showing(key)},
    {210, labelled("AP")},
    {50, black},  // the registration placard's plate: the text drawn over it
}};

}  // namespace

}  // namespace crv5::art
