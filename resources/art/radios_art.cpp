// Artwork of the radio heads: COM1, NAV1 and NAV2, the ADF and the transponder. Faces are panel
// plates with black read-out windows behind their wheels and drums; switches, lamps and knobs
// take their places from the heads' records. The ADF's frequency dial carries one scale per band,
// each placed where the dial's own needle rule turns it under the index for that frequency.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "resources/art/dial_scale.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painter_kits.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

constexpr Rgb kWindowBlack{0.02, 0.02, 0.02};
constexpr Rgb kIndexRed{0.95, 0.15, 0.1};


// --- Pieces every head uses --------------------------------------------------------------------

// A radio head's plate: panel paint with a screw in each corner.
void head_plate(cairo_t* cr, Size size) {
  panel_plate(cr, 0, 0, size.width, size.height, 6);
  const double m = 7;
  for (Point p : {Point{m, m}, Point{size.width - m, m}, Point{m, size.height - m},
                  Point{size.width - m, size.height - m}}) {
    screw(cr, p, 3.5);
  }
}

// A black read-out window with a thin dark rim.
void readout_window(cairo_t* cr, double x, double y, double w, double h) {
  rounded_rectangle(cr, x, y, w, h, 2);
  set_colour(cr, kWindowBlack);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  set_colour(cr, {0, 0, 0});
  cairo_stroke(cr);
}

// The dark lamp that a lamp element lights, drawn on the face under it.
void lamp_socket(cairo_t* cr, const Box& b) {
  SavedState saved(cr);
  cairo_translate(cr, b.x, b.y);
  jewel_lamp(cr, b.w, b.h, colour::kGreen, false);
}

void lit_lamp(cairo_t* cr, Size s) { jewel_lamp(cr, s.width, s.height, colour::kGreen, true); }

// A toggle switch filling its bitmap: nut in the middle, bat up (on) or down (off).
void toggle(cairo_t* cr, Size s, bool on) {
  toggle_switch(cr, middle(s), on ? 0 : 180, s.height * 0.42, std::min(s.width, s.height) * 0.22);
}

// A rotary selector filling a square bitmap: a fluted knob with a white index at `degrees`.
void rotary(cairo_t* cr, Size s, double degrees) {
  const Point c = middle(s);
  const double r = std::min(s.width, s.height) * 0.44;
  indexed_knob(cr, c, r, degrees, r * 0.2, r * 0.92, std::max(1.5, r * 0.14));
}

// A turning knob as a needle bitmap: a fluted knob about `pivot` with its index to 3 o'clock.
void knob_needle(cairo_t* cr, Point pivot, double radius, double index_length) {
  indexed_knob(cr, pivot, radius, 90, radius * 0.25, index_length, std::max(1.5, radius * 0.16));
}

// Small arrow heads showing which side of a knob steps down and which up.
void step_arrow(cairo_t* cr, Point at, double degrees, double size) {
  const Point tip = polar(at, degrees, size), l = polar(at, degrees + 130, size),
              r = polar(at, degrees - 130, size);
  cairo_move_to(cr, tip.x, tip.y);
  cairo_line_to(cr, l.x, l.y);
  cairo_line_to(cr, r.x, r.y);
  cairo_close_path(cr);
  set_colour(cr, colour::kLegend);
  cairo_fill(cr);
}

// Down and up arrows beside a click-area pair: the first area's arrow points `down_degrees`.
void knob_arrows(cairo_t* cr, const Box& down, const Box& up, double down_degrees, double offset) {
  const double rad = radians(down_degrees);
  const Point shift{std::cos(rad) * offset, std::sin(rad) * offset};
  step_arrow(cr, {down.centre().x + shift.x, down.centre().y + shift.y}, down_degrees, 3.5);
  step_arrow(cr, {up.centre().x - shift.x, up.centre().y - shift.y}, down_degrees + 180, 3.5);
}

// --- COM1 ------------------------------------------------------------------------------------------

constexpr const char* kCom1 = "Radio_COM1";

void com1_face(cairo_t* cr, Size size) {
  head_plate(cr, size);
  const Box tens = element_box(kCom1, 3150, 2), channel = element_box(kCom1, 3160);
  const double left = 12, top = tens.y - 4, bottom = tens.y + tens.h + 4;
  readout_window(cr, left, top, channel.x + channel.w + 2 - left, bottom - top);
  // The hundreds digit 1, printed, and the decimal point between megahertz and decimals.
  centred_text(cr, {(left + tens.x) / 2 + 1, tens.centre().y}, "1", tens.h * 0.62);
  const Box units = element_box(kCom1, 3150, 1), first = element_box(kCom1, 3150, 0);
  circle(cr, {(units.x + units.w + first.x) / 2, first.y + first.h * 0.8}, 2.2);
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
  // Step arrows under each wheel: left half down, right half up.
  for (size_t area = 0; area < 8; area += 2) {
    knob_arrows(cr, click_box(kCom1, area), click_box(kCom1, area + 1), 270, -3);
  }
  legend(cr, {size.width / 2 + 40, bottom + 16}, "COM 1", 14);
  legend(cr, {size.width / 2 + 40, bottom + 34}, "MHz", 8);
  const Box lamp = element_box(kCom1, 3130), sw = element_box(kCom1, 3140);
  lamp_socket(cr, lamp);
  legend(cr, {lamp.x + lamp.w + 14, lamp.centre().y}, "PWR", 7);
  legend(cr, {sw.x + sw.w + 12, sw.y + 10}, "ON", 7);
  legend(cr, {sw.x + sw.w + 12, sw.y + sw.h - 10}, "OFF", 7);
}

// A digit wheel seen through its window: the digit whole in the middle, the wheel's curve shaded
// towards the top and bottom edges.
void wheel(cairo_t* cr, Size s, const char* text, double text_size) {
  cairo_rectangle(cr, 0, 0, s.width, s.height);
  set_colour(cr, {0.07, 0.07, 0.07});
  cairo_fill(cr);
  centred_text(cr, middle(s), text, text_size);
  PatternOwner shade(cairo_pattern_create_linear(0, 0, 0, s.height));
  add_stop(shade.get(), 0, {0, 0, 0}, 0.85);
  add_stop(shade.get(), 0.3, {0, 0, 0}, 0);
  add_stop(shade.get(), 0.7, {0, 0, 0}, 0);
  add_stop(shade.get(), 1, {0, 0, 0}, 0.85);
  cairo_rectangle(cr, 0, 0, s.width, s.height);
  fill_with(cr, shade);
}

std::vector<PainterEntry> com1_painters() {
  std::vector<PainterEntry> p{
      {3110, com1_face},
      {3130, lit_lamp},
      {3140, [](cairo_t* cr, Size s) { toggle(cr, s, false); }},
      {3141, [](cairo_t* cr, Size s) { toggle(cr, s, true); }},
  };
  for (int d = 0; d < 10; ++d) {
    p.push_back({3150 + d, [d](cairo_t* cr, Size s) {
                   const char digit[] = {static_cast<char>('0' + d), '\0'};
                   wheel(cr, s, digit, s.height * 0.62);
                 }});
  }
  const char* const endings[] = {"00", "25", "50", "75"};
  for (int i = 0; i < 4; ++i) {
    p.push_back({3160 + i, [text = endings[i]](cairo_t* cr, Size s) { wheel(cr, s, text, s.height * 0.5); }});
  }
  return p;
}

// --- NAV1, NAV2 ------------------------------------------------------------------------------------

void nav_face(cairo_t* cr, Size size, const char* gauge, const char* title) {
  head_plate(cr, size);
  const Box hundreds = element_box(gauge, 3040), hundredths = element_box(gauge, 3020, 0);
  const Box units = element_box(gauge, 3020, 2), tenths = element_box(gauge, 3020, 1);
  readout_window(cr, hundreds.x - 3, hundreds.y - 3, hundredths.x + hundredths.w + 3 - (hundreds.x - 3),
                 hundreds.h + 6);
  circle(cr, {(units.x + units.w + tenths.x) / 2, hundreds.y + hundreds.h - 3}, 1.5);
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
  legend(cr, {(hundreds.x + hundredths.x + hundredths.w) / 2, 18}, title, 11);
  // Knob wells and their step arrows (click areas: MHz down, up, decimals down, up).
  for (size_t area = 0; area < 4; area += 2) {
    const Box down = click_box(gauge, area), up = click_box(gauge, area + 1);
    ringed_disc(cr, {up.x, up.centre().y + (45 - up.centre().y)}, 16, 18.5, {0.03, 0.03, 0.03});
    knob_arrows(cr, down, up, 270, 6);
  }
  legend(cr, {79, 82}, "MHz", 6.5);
  legend(cr, {195, 82}, "kHz", 6.5);
  const Box tone = element_box(gauge, 3060), sw = element_box(gauge, 3050), lamp = element_box(gauge, 3070);
  legend(cr, {tone.centre().x, tone.y - 6}, "TONE", 6.5);
  legend(cr, {tone.x - 2, tone.y + tone.h + 4}, "OFF", 5.5);
  legend(cr, {tone.x + tone.w, tone.y - 2}, "ON", 5.5);
  legend(cr, {sw.centre().x, sw.y - 6}, "PWR", 6.5);
  lamp_socket(cr, lamp);
}

// The tuning knob as its needle bitmap: pivot in the middle, index to 3 o'clock.
void nav_knob(cairo_t* cr, Size s) { knob_needle(cr, middle(s), s.width * 0.42, s.width * 0.4); }

// --- ADF -------------------------------------------------------------------------------------------

constexpr const char* kAdf = "Radio_ADF";

// The ADF's bands as its dial shows them: range, turn per kHz, mark spacing and figures.
struct DialBand {
  double low, high;       // kHz
  double tenths_per_khz;  // dial tenths of a degree per kHz
  double minor, major;    // mark spacing, kHz
  double radius;          // of the scale's outer edge on the dial
  const char* label;      // the band card's legend
};
constexpr DialBand kDialBands[] = {
    {200, 410, 5, 10, 50, 94, "200"},
    {410, 850, 4, 10, 100, 74, "410"},
    {850, 1750, 3, 50, 100, 54, "850"},
};

// The frequency dial, a disc about the needle's pivot drawn with its zero to 3 o'clock. For each
// band, the mark of f is put where the index (12 o'clock) lies when the needle rule turns the
// dial to that band's angle for f.
void adf_dial(cairo_t* cr, Size) {
  const DialScale scale(kAdf, 3250);
  const Point c = scale.pivot();
  circle(cr, c, 96);
  set_colour(cr, {0.06, 0.06, 0.06});
  cairo_fill(cr);
  for (const DialBand& b : kDialBands) {
    // A mark at bitmap angle psi shows at psi - 90 + turn; under the index when psi = 90 - turn.
    const auto at = [&](double khz) { return 90 - scale.angle((khz - b.low) * b.tenths_per_khz / 10); };
    for (double f = b.low; f <= b.high + 1e-9; f += b.minor) {
      const bool major = std::fmod(f, b.major) == 0 || f == b.low || f == b.high;
      tick(cr, c, at(f), {b.radius, major ? 6.0 : 3.0, major ? 1.3 : 0.8});
      if (std::fmod(f, b.major) == 0) {
        char text[8];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(b.high > 1000 ? f / 100 : f));
        figure(cr, c, at(f), b.radius - 12, text, 7);
      }
    }
  }
}

// What lies over the dial: the head's panel with an arched window onto the dial's top, the index
// across it, the read-out's black window, and the legends of the knobs and switches.
void adf_cover(cairo_t* cr, Size size) {
  head_plate(cr, size);
  const DialScale scale(kAdf, 3250);
  const Point c = scale.centre();
  {
    SavedState saved(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, 97, radians(-55), radians(55));
    cairo_arc_negative(cr, c.x, c.y, 40, radians(55), radians(-55));
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, 97, radians(-55), radians(55));
  cairo_arc_negative(cr, c.x, c.y, 40, radians(55), radians(-55));
  cairo_close_path(cr);
  cairo_set_line_width(cr, 2);
  set_colour(cr, {0, 0, 0});
  cairo_stroke(cr);
  tick(cr, c, 0, {99, 60, 1.6}, kIndexRed);
  // The read-out's window (its text is drawn over it without a background of its own).
  readout_window(cr, 188, 12, 64, 24);
  legend(cr, {120, 24}, "ADF", 14);
  legend(cr, {270, 24}, "kHz", 8);
  // The band card's index, above it.
  const Box lamp = element_box(kAdf, 3210);
  lamp_socket(cr, lamp);
  legend(cr, {lamp.centre().x, lamp.y + lamp.h + 8}, "PWR", 7);
  step_arrow(cr, {91, 54 - 31}, 180, 4);
  legend(cr, {91 - 48, 54}, "BAND", 7);
  const Box tone = element_box(kAdf, 3220), sw = element_box(kAdf, 3200);
  legend(cr, {tone.centre().x, tone.y - 7}, "TONE", 8);
  legend(cr, {tone.x - 4, tone.centre().y + 14}, "OFF", 6.5);
  legend(cr, {tone.x + tone.w, tone.y + 4}, "ON", 6.5);
  legend(cr, {sw.centre().x, sw.y - 7}, "PWR", 8);
  legend(cr, {sw.x + 6, sw.y + 4}, "OFF", 6.5);
  legend(cr, {sw.x + sw.w - 4, sw.y + 4}, "ON", 6.5);
  // Knob arrows: band selector (areas 2, 3) and tuning knob (areas 4, 5).
  knob_arrows(cr, click_box(kAdf, 2), click_box(kAdf, 3), 270, -4);
  knob_arrows(cr, click_box(kAdf, 4), click_box(kAdf, 5), 270, 2);
  legend(cr, {110, size.height - 20}, "TUNE", 7);
}

// The ADF face under the dial: black, the dial's well, with the dark lamp where the cover has it.
void adf_face(cairo_t* cr, Size size) {
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, {0.01, 0.01, 0.01});
  cairo_fill(cr);
  lamp_socket(cr, element_box(kAdf, 3210));
}

// The band card, a small disc about its texture centre: each band's lower edge written where the
// card's turn for that band brings it to the top.
void adf_band_card(cairo_t* cr, Size) {
  const Point c{168, 150};
  circle(cr, c, 25);
  set_colour(cr, {0.9, 0.9, 0.86});
  cairo_fill(cr);
  circle(cr, c, 25);
  cairo_set_line_width(cr, 1);
  set_colour(cr, {0.1, 0.1, 0.1});
  cairo_stroke(cr);
  for (int band = 1; band <= 3; ++band) {
    const double at = -(band - 1) * 90.0;  // the card turns clockwise by this much in that band
    SavedState saved(cr);
    const Point p = polar(c, at, 15);
    cairo_translate(cr, p.x, p.y);
    cairo_rotate(cr, radians(at) + kPi / 2);
    centred_text(cr, {0, 0}, kDialBands[band - 1].label, 9, Face::kFigures, {0.05, 0.05, 0.05});
  }
}

// The tuning knob: a bar knob about its pivot, its pointer to 3 o'clock.
void adf_tuning_knob(cairo_t* cr, Size s) {
  const Point pivot{24, 21};
  rounded_rectangle(cr, pivot.x, pivot.y - 5, s.width - pivot.x - 2, 10, 5);
  set_colour(cr, {0.12, 0.12, 0.13});
  cairo_fill(cr);
  knob_needle(cr, pivot, std::min(pivot.x, pivot.y) - 1, s.width - pivot.x - 6);
}

// --- Transponder -----------------------------------------------------------------------------------

constexpr const char* kXpdr = "Radio_IFF_XPDR";

void xpdr_face(cairo_t* cr, Size size) {
  head_plate(cr, size);
  const Box thousands = element_box(kXpdr, 3280, 3), units = element_box(kXpdr, 3280, 0);
  const double cell = thousands.h / 11;  // the strip holds 0 to 9 and 0, one window each
  readout_window(cr, thousands.x - 4, thousands.y - 2, units.x + units.w + 4 - (thousands.x - 4),
                 cell + 4);
  // Digit areas: below (down) then above (up), thousands to units.
  for (size_t area = 1; area < 9; area += 2) {
    const Box below = click_box(kXpdr, area), above = click_box(kXpdr, area + 1);
    step_arrow(cr, {below.centre().x, below.centre().y + 2}, 180, 3.5);
    step_arrow(cr, {above.centre().x, above.centre().y - 2}, 0, 3.5);
  }
  legend(cr, {(thousands.x + units.x + units.w) / 2, 14}, "IFF / XPDR", 10);
  const Box sw = element_box(kXpdr, 3290), lamp = element_box(kXpdr, 3300);
  lamp_socket(cr, lamp);
  legend(cr, {sw.x - 12, sw.y + 8}, "ON", 6);
  legend(cr, {sw.x - 12, sw.y + sw.h - 8}, "OFF", 6);
  legend(cr, {lamp.x + lamp.w + 12, lamp.centre().y}, "PWR", 5.5);
  const Box ident = element_box(kXpdr, 3310);
  legend(cr, {ident.centre().x, ident.y + ident.h + 6}, "IDENT", 6);
}

void ident_button(cairo_t* cr, Size s, bool pressed) {
  push_button(cr, middle(s), std::min(s.width, s.height) / 2 - 1, {0.3, 0.3, 0.32}, pressed);
  centred_text(cr, middle(s), "ID", 8, Face::kLegendBold, colour::kLegend);
}

const PainterRegistration kCom1Painters{com1_painters()};

const PainterRegistration kNavPainters{{
    {3000, [](cairo_t* cr, Size s) { nav_face(cr, s, "Radio_NAV1", "NAV 1"); }},
    {3100, [](cairo_t* cr, Size s) { nav_face(cr, s, "Radio_NAV2", "NAV 2"); }},
    {3010, nav_knob},
    {3050, [](cairo_t* cr, Size s) { toggle(cr, s, false); }},
    {3051, [](cairo_t* cr, Size s) { toggle(cr, s, true); }},
    {3060, [](cairo_t* cr, Size s) { rotary(cr, s, 270); }},
    {3061, [](cairo_t* cr, Size s) { rotary(cr, s, 45); }},
    {3070, lit_lamp},
}};

const PainterRegistration kAdfPainters{{
    {3170, adf_face},
    {3180, [](cairo_t* cr, Size s) { knob_needle(cr, middle(s), s.width * 0.42, s.width * 0.4); }},
    {3190, adf_tuning_knob},
    {3200, [](cairo_t* cr, Size s) { rotary(cr, s, 315); }},
    {3201, [](cairo_t* cr, Size s) { rotary(cr, s, 45); }},
    {3210, [](cairo_t* cr, Size s) { jewel_lamp(cr, s.width, s.height, colour::kGreen, true); }},
    {3220, [](cairo_t* cr, Size s) { rotary(cr, s, 270); }},
    {3221, [](cairo_t* cr, Size s) { rotary(cr, s, 45); }},
    {3240, adf_band_card},
    {3250, adf_dial},
    {3260, adf_cover},
}};

const PainterRegistration kTransponderPainters{{
    {3270, xpdr_face},
    {3290, [](cairo_t* cr, Size s) { toggle(cr, s, false); }},
    {3291, [](cairo_t* cr, Size s) { toggle(cr, s, true); }},
    {3300, lit_lamp},
    {3310, [](cairo_t* cr, Size s) { ident_button(cr, s, false); }},
    {3311, [](cairo_t* cr, Size s) { ident_button(cr, s, true); }},
}};

}  // namespace

}  // namespace crv5::art
