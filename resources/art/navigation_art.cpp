// Artwork of the navigation instruments: the Ruzi compass and the standby compass, the RMI, the
// ADF indicator and the VOR indicators. Needle scales are placed by the needles' own records; the
// compass cards are graduated where the card's turn puts each heading under the lubber line.
#include <cmath>
#include <stdexcept>
#include <string>

#include "resources/art/dial_scale.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painter_kits.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"
#include "resources/resource_script.h"

namespace crv5::art {

namespace {

// --- Compass cards --------------------------------------------------------------------------------

// The host turns a card counter-clockwise by the heading it shows, so the heading h is drawn at h
// on the card, clockwise from 12 o'clock as on a real card: turned back by h it lies at 12 o'clock,
// under the lubber line.
double card_angle(double heading) { return heading; }

// The figure of a heading on a card: N, E, S, W at the cardinal points, else tens of degrees.
std::string heading_figure(int heading) {
  heading = ((heading % 360) + 360) % 360;
  switch (heading) {
    case 0: return "N";
    case 90: return "E";
    case 180: return "S";
    case 270: return "W";
    default: return std::to_string(heading / 10);
  }
}

// Text set radially on a card: upright when its heading is under the lubber line.
void radial_text(cairo_t* cr, Point centre, double degrees, double radius, const std::string& text,
                 double size, Rgb c = colour::kMarking) {
  const Point at = polar(centre, degrees, radius);
  SavedState saved(cr);
  cairo_translate(cr, at.x, at.y);
  cairo_rotate(cr, degrees * kPi / 180);
  centred_text(cr, {0, 0}, text.c_str(), size, Face::kFigures, c);
}

// A round compass card filling `size`: marks every 5 degrees, longer every 10, figures every 30.
void compass_card(cairo_t* cr, Size size, double figure_size) {
  const Point c = middle(size);
  const double r = size.width / 2 - 1;
  circle(cr, c, r);
  set_colour(cr, colour::kFace);
  cairo_fill(cr);
  for (int h = 0; h < 360; h += 5) {
    const bool ten = h % 10 == 0;
    tick(cr, c, card_angle(h), {r - 1, ten ? r * 0.1 : r * 0.055, ten ? 2.2 : 1.3});
  }
  for (int h = 0; h < 360; h += 30) {
    const bool cardinal = h % 90 == 0;
    radial_text(cr, c, card_angle(h), r * 0.77, heading_figure(h), cardinal ? figure_size * 1.2 : figure_size);
  }
}

// A lubber mark at 12 o'clock and index marks every 45 degrees, fixed, at radius r.
void lubber_and_indices(cairo_t* cr, Point c, double r, double length) {
  for (int i = 1; i < 8; ++i) tick(cr, c, i * 45.0, {r, length * 0.6, 2.5}, colour::kAmber);
  const Point tip = polar(c, 0, r - length);
  cairo_move_to(cr, tip.x, tip.y);
  cairo_line_to(cr, tip.x - length * 0.45, tip.y - length);
  cairo_line_to(cr, tip.x + length * 0.45, tip.y - length);
  cairo_close_path(cr);
  set_colour(cr, colour::kAmber);
  cairo_fill(cr);
}

// A small aircraft seen from above, nose up, centred on `c`.
void aircraft_symbol(cairo_t* cr, Point c, double span) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, colour::kAmber);
  cairo_set_line_width(cr, span * 0.08);
  cairo_move_to(cr, c.x, c.y - span * 0.45);
  cairo_line_to(cr, c.x, c.y + span * 0.45);
  cairo_move_to(cr, c.x - span / 2, c.y - span * 0.05);
  cairo_line_to(cr, c.x + span / 2, c.y - span * 0.05);
  cairo_move_to(cr, c.x - span * 0.2, c.y + span * 0.4);
  cairo_line_to(cr, c.x + span * 0.2, c.y + span * 0.4);
  cairo_stroke(cr);
}

// A turning knob in a square bitmap, its index pointing to 3 o'clock as a needle's bitmap does.
void index_knob(cairo_t* cr, Size size) {
  const double w = size.width;
  indexed_knob(cr, middle(size), w * 0.42, 90, w * 0.1, w * 0.4, std::max(1.5, w * 0.05));
}

// --- Ruzi_Compass ---------------------------------------------------------------------------------

// The card's and the bug's turning point: the bug's position.
Point ruzi_centre() {
  const PixPoint at = find_needle(find_gauge("Ruzi_Compass"), 370)->header.position;
  return {double(at.x), double(at.y)};
}

void ruzi_case(cairo_t* cr, Size size) {
  panel_plate(cr, 0, 0, size.width, size.height, 8);
  circle(cr, ruzi_centre(), 141);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
}

void ruzi_bezel(cairo_t* cr, Size size) {
  const Point c = ruzi_centre();
  instrument_cover(cr, size.width, size.height, c, 140, 149);
  lubber_and_indices(cr, c, 139, 12);
  aircraft_symbol(cr, c, 54);
  const Box bug_knob = element_box("Ruzi_Compass", 340);
  const Box selector = element_box("Ruzi_Compass", 350);
  legend(cr, {bug_knob.centre().x - 26, bug_knob.y - 2}, "HDG", 8);
  legend(cr, {selector.centre().x + 24, selector.y - 2}, "MODE", 8);
}

// The bug, drawn as the host shows it with the bug on the lubber line: at the top of its bitmap,
// the record's pivot being the card's centre.
void ruzi_bug(cairo_t* cr, Size size) {
  const double w = size.width, top = 2, depth = 16;
  cairo_move_to(cr, w / 2 - 14, top);
  cairo_line_to(cr, w / 2 - 6, top);
  cairo_line_to(cr, w / 2, top + 7);
  cairo_line_to(cr, w / 2 + 6, top);
  cairo_line_to(cr, w / 2 + 14, top);
  cairo_line_to(cr, w / 2 + 14, top + depth);
  cairo_line_to(cr, w / 2 - 14, top + depth);
  cairo_close_path(cr);
  set_colour(cr, colour::kOrange);
  cairo_fill(cr);
}

// The selector at GM, D and Cm: its pointer 45 degrees left, up, 45 degrees right.
constexpr double kSelectorPointing[] = {-45, 0, 45};
constexpr const char* kSelectorLabels[] = {"GM", "D", "Cm"};

void ruzi_selector(cairo_t* cr, Size size, int mode) {
  const Point c = middle(size);
  for (int m = 0; m < 3; ++m)
    centred_text(cr, polar(c, kSelectorPointing[m], 22), kSelectorLabels[m], 7.5, Face::kLegendBold,
                 m == mode ? colour::kAmber : colour::kLegend);
  knob(cr, c, 15);
  const Point b = polar(c, kSelectorPointing[mode], 14);
  cairo_move_to(cr, c.x, c.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_line_width(cr, 2.5);
  set_colour(cr, colour::kMarking);
  cairo_stroke(cr);
}

// --- Whiskey_Compass --------------------------------------------------------------------------------

// The strip moves by the fraction (360 - h) / 360 of its travel, so the heading h lies under the
// window's middle at w / 2 + (360 - h) x travel / 360 on the strip: higher headings to the left,
// as a standby compass's card is read from behind.
// The width of the strip's window (3461), from the resource script.
double whiskey_window_width() {
  for (const auto& bitmap : resources::kBitmaps)
    if (bitmap.id == 3461) return bitmap.width;
  throw std::runtime_error("no bitmap 3461 in the resource script");
}

void whiskey_strip(cairo_t* cr, Size size) {
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, {0.93, 0.91, 0.84});
  cairo_fill(cr);
  const double window = whiskey_window_width();
  const double travel = size.width - window;
  const auto x_of = [&](double h) { return window / 2 + (360 - h) * travel / 360; };
  const Rgb ink{0.05, 0.05, 0.05};
  for (int h = -90; h <= 450; h += 5) {
    const double x = x_of(h);
    if (x < -5 || x > size.width + 5) continue;
    const double length = h % 30 == 0 ? 0 : (h % 10 == 0 ? 6 : 3.5);
    if (length > 0) {
      cairo_move_to(cr, x, size.height);
      cairo_line_to(cr, x, size.height - length);
      cairo_set_line_width(cr, 1);
      set_colour(cr, ink);
      cairo_stroke(cr);
    } else {
      centred_text(cr, {x, size.height / 2}, heading_figure(h).c_str(), 11, Face::kFigures, ink);
    }
  }
}

void whiskey_window(cairo_t* cr, Size size) {
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, {1, 1, 1});
  cairo_fill(cr);
}

void whiskey_case(cairo_t* cr, Size size) {
  rounded_rectangle(cr, 2, 2, size.width - 4, size.height - 4, 10);
  set_colour(cr, {0.08, 0.08, 0.09});
  cairo_fill(cr);
  const Box window = element_box("Whiskey_Compass", 3460);
  const double window_width = whiskey_window_width();
  rounded_rectangle(cr, window.x - 3, window.y - 3, window_width + 6, window.h + 6, 4);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  // The lubber line, above and below the window.
  const double x = window.x + window_width / 2;
  cairo_move_to(cr, x, window.y - 12);
  cairo_line_to(cr, x, window.y - 2);
  cairo_move_to(cr, x, window.y + window.h + 2);
  cairo_line_to(cr, x, window.y + window.h + 12);
  cairo_set_line_width(cr, 2);
  set_colour(cr, colour::kOrange);
  cairo_stroke(cr);
  legend(cr, {size.width / 2, 24}, "STBY", 9);
  legend(cr, {size.width / 2, window.y + window.h + 28}, "COMPASS", 8);
  screw(cr, {14, size.height - 14}, 4);
  screw(cr, {size.width - 14, size.height - 14}, 4);
}

// --- RMI ------------------------------------------------------------------------------------------

Point rmi_centre() { return DialScale("RMI", 2120).centre(); }

void rmi_case(cairo_t* cr, Size size) {
  const Point c = rmi_centre();
  instrument_flange(cr, size.width, size.height, c, 160);
  dial_face(cr, c, 158);
  lubber_and_indices(cr, c, 156, 16);
  legend(cr, {c.x - 118, c.y + 140}, "ADF", 8);
  legend(cr, {c.x + 118, c.y + 140}, "VOR", 8);
}

void rmi_glass(cairo_t* cr, Size) {
  const Point c = rmi_centre();
  bezel(cr, c, 158, 166);
  cover_glass(cr, c, 158);
}

// A bearing needle pointing to 3 o'clock from its pivot: a head reaching `head` to the right, a
// tail of `tail` to the left; `double_bar` draws two bars apart.
void bearing_needle(cairo_t* cr, Point pivot, double head, double tail, bool double_bar, Rgb c) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  set_colour(cr, c);
  const double gap = double_bar ? 5 : 0;
  for (double dy : {-gap, gap}) {
    cairo_move_to(cr, pivot.x - tail, pivot.y + dy);
    cairo_line_to(cr, pivot.x + head - 14, pivot.y + dy);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    if (!double_bar) break;
  }
  cairo_move_to(cr, pivot.x + head, pivot.y);
  cairo_line_to(cr, pivot.x + head - 18, pivot.y - 8 - gap);
  cairo_line_to(cr, pivot.x + head - 18, pivot.y + 8 + gap);
  cairo_close_path(cr);
  cairo_fill(cr);
  circle(cr, pivot, double_bar ? 9 : 6);
  cairo_fill(cr);
}

void rmi_adf_needle(cairo_t* cr, Size size) {
  const Point pivot = DialScale("RMI", 2130).pivot();
  bearing_needle(cr, pivot, size.width - pivot.x - 2, pivot.x - 6, true, colour::kGreen);
}
void rmi_vor_needle(cairo_t* cr, Size size) {
  const Point pivot = DialScale("RMI", 2120).pivot();
  bearing_needle(cr, pivot, size.width - pivot.x - 2, pivot.x - 6, false, colour::kYellow);
}

// --- ADF_Indicator ----------------------------------------------------------------------------------

Point adf_centre() { return DialScale("ADF_Indicator", 430).centre(); }

void adf_case(cairo_t* cr, Size size) {
  const Point c = adf_centre();
  instrument_flange(cr, size.width, size.height, c, 146);
  dial_face(cr, c, 144);
  lubber_and_indices(cr, c, 143, 9);
}

void adf_glass(cairo_t* cr, Size) {
  const Point c = adf_centre();
  bezel(cr, c, 144, 149);
  cover_glass(cr, c, 144);
  aircraft_symbol(cr, c, 40);
  const Box knob = element_box("ADF_Indicator", 420);
  legend(cr, {knob.centre().x + 40, knob.centre().y + 14}, "ADF", 9);
}

void adf_needle(cairo_t* cr, Size size) {
  const Point pivot = DialScale("ADF_Indicator", 430).pivot();
  bearing_needle(cr, pivot, size.width - pivot.x - 4, pivot.x - 14, false, colour::kMarking);
}

// --- VOR indicators --------------------------------------------------------------------------------

// The face is shared by both indicators; its scales come from VOR1's records, the same as VOR2's.
// The marker lamp's lens is part of the shared face too (VOR2 shows it unlit).
constexpr const char* kVor = "VOR1_Indicator";
constexpr double kVorFace = 132;

// The marker lamp at its place on the face: dark on the dial, lit as the lamp's own picture.
void marker_lens(cairo_t* cr, Size, bool lit) {
  const Box lamp = element_box(kVor, 1310);
  SavedState saved(cr);
  if (!lit) cairo_translate(cr, lamp.x, lamp.y);
  jewel_lamp(cr, lamp.w, lamp.h, colour::kWhiteLamp, lit);
}

void vor_dial(cairo_t* cr, Size size) {
  const DialScale heading(kVor, 1380);
  const Point c = heading.centre();
  dial_face(cr, c, kVorFace);

  // The heading ring: straight ahead and behind, and 45 at each sector limit.
  const double r = heading.tip_radius() + 3;
  for (double d : {0.0, 180.0}) tick(cr, c, heading.angle(d), {r + 12, 14, 3});
  for (double d : {45.0, -45.0, 135.0, -135.0}) {
    tick(cr, c, heading.angle(d), {r + 10, 10, 2.2});
    figure(cr, c, heading.angle(d), r + 19, "45", 11);
  }

  // Course deviation and glide-slope dots, five a side, where the needles cross them.
  const DialScale deviation(kVor, 1330);
  for (int i = -5; i <= 5; ++i) {
    const Point p = polar(deviation.centre(), deviation.angle(i * 127.0 / 5), deviation.tip_radius());
    circle(cr, p, i == 0 ? 4 : 2.6);
    set_colour(cr, colour::kMarking);
    i == 0 ? (cairo_set_line_width(cr, 1.5), cairo_stroke(cr)) : cairo_fill(cr);
  }
  const DialScale glide(kVor, 1390);
  for (int i = -4; i <= 4; ++i) {
    const Point p = polar(glide.centre(), glide.angle(i * 119.0 / 4), glide.tip_radius() - 6);
    circle(cr, p, i == 0 ? 3.5 : 2.4);
    set_colour(cr, colour::kMarking);
    i == 0 ? (cairo_set_line_width(cr, 1.5), cairo_stroke(cr)) : cairo_fill(cr);
  }

  // The course window's frame.
  rounded_rectangle(cr, 127, 40, 72, 32, 3);
  set_colour(cr, {0.35, 0.35, 0.36});
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  centred_text(cr, {113, 57}, "CRS", 8, Face::kLegend, colour::kLegend);
  marker_lens(cr, size, false);
}

// Over the needles: the flange outside the face, open over the marker lamp's lens.
void vor_mask(cairo_t* cr, Size size) {
  const Point c = DialScale(kVor, 1380).centre();
  instrument_flange(cr, size.width, size.height, c, kVorFace + 6);
  const Box lamp = element_box(kVor, 1310);
  SavedState saved(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  circle(cr, lamp.centre(), lamp.w / 2);
  cairo_fill(cr);
}

void vor_glass(cairo_t* cr, Size) {
  const Point c = DialScale(kVor, 1380).centre();
  bezel(cr, c, kVorFace, kVorFace + 7);
  cover_glass(cr, c, kVorFace);
}

void vor_heading_pointer(cairo_t* cr, Size size) {
  const Point pivot = DialScale(kVor, 1380).pivot();
  bearing_needle(cr, pivot, size.width - pivot.x - 1, pivot.x - 4, false, colour::kAmber);
}

// A straight needle across its bitmap, its record's pivot where the bitmap says.
void bar_needle(cairo_t* cr, Size size) {
  cairo_rectangle(cr, 0, size.height / 2 - 1.5, size.width, 3);
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
}

// Flags: red and white "OFF" out of view when blank.
void off_flag(cairo_t* cr, Size size, bool vertical) {
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, colour::kGuardRed);
  cairo_fill(cr);
  SavedState saved(cr);
  cairo_translate(cr, size.width / 2, size.height / 2);
  if (vertical) cairo_rotate(cr, -kPi / 2);
  centred_text(cr, {0, 0}, "OFF", 11, Face::kLegendBold, {1, 1, 1});
}
// A flag out of view: nothing shows in its place.
void blank_flag(cairo_t*, Size) {}

const PainterRegistration kPainters{{
    {340, index_knob},
    {350, [](cairo_t* cr, Size s) { ruzi_selector(cr, s, 0); }},
    {351, [](cairo_t* cr, Size s) { ruzi_selector(cr, s, 1); }},
    {352, [](cairo_t* cr, Size s) { ruzi_selector(cr, s, 2); }},
    {360, ruzi_bezel},
    {370, ruzi_bug},
    {380, [](cairo_t* cr, Size s) { compass_card(cr, s, 20); }},
    {390, ruzi_case},
    {3450, whiskey_case},
    {3460, whiskey_strip},
    {3461, whiskey_window},
    {2100, rmi_case},
    {2110, [](cairo_t* cr, Size s) { compass_card(cr, s, 19); }},
    {2120, rmi_vor_needle},
    {2130, rmi_adf_needle},
    {2140, rmi_glass},
    {410, adf_case},
    {420, index_knob},
    {430, adf_needle},
    {440, [](cairo_t* cr, Size s) { compass_card(cr, s, 19); }},
    {450, adf_glass},
    {1320, vor_glass},
    {1330, bar_needle},
    {1340, vor_mask},
    {1350, [](cairo_t* cr, Size s) { off_flag(cr, s, true); }},
    {1351, blank_flag},
    {1370, [](cairo_t* cr, Size s) { off_flag(cr, s, false); }},
    {1371, blank_flag},
    {1380, vor_heading_pointer},
    {1390, bar_needle},
    {1400, vor_dial},
    {1410, index_knob},
}};
const PainterRegistration kMarkerLamp{{{1310, [](cairo_t* cr, Size s) { marker_lens(cr, s, true); }}}};

}  // namespace

}  // namespace crv5::art
