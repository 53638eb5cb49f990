// Artwork of the attitude indicator, the turn coordinator, the vertical speed indicator and the
// accelerometer. Scales stand where the needles' own tables point them; the horizon card's pitch
// marks at the card's 1.88 pixels per degree; the turn coordinator's tube follows the ball's
// path as its slider's scales and square law place it.
#include <cmath>
#include <string>

#include "resources/art/dial_scale.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

constexpr Rgb kSky{0.18, 0.42, 0.72};
constexpr Rgb kGround{0.36, 0.22, 0.10};
constexpr Rgb kSymbolOrange{1.0, 0.55, 0.05};

// --- Attitude ----------------------------------------------------------------------------------

constexpr Point kHorizonCentre{140, 140};  // the sprites' texture centre: where they turn
constexpr double kAttitudeFace = 127;
constexpr double kAttitudeBezel = 136;
constexpr double kCardPixelsPerDegree = 1.88;
constexpr double kRingInner = 76;  // the bank ring's window onto the card

// Behind the sprites: a black well.
void attitude_case(cairo_t* cr, Size) { dial_face(cr, kHorizonCentre, kAttitudeFace); }

// The horizon card: sky above, ground below the horizon at the card's middle; a pitch mark every
// 5 degrees, figures every 10, so that the mark for q degrees lies under the symbol at pitch q.
void horizon_card(cairo_t* cr, Size size) {
  const double mid = size.height / 2;
  cairo_rectangle(cr, 0, 0, size.width, mid);
  set_colour(cr, kSky);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, mid, size.width, size.height - mid);
  set_colour(cr, kGround);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, mid - 1.2, size.width, 2.4);
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
  const double cx = size.width / 2;
  for (int q = -90; q <= 90; q += 5) {
    if (q == 0) continue;
    const double y = mid - q * kCardPixelsPerDegree;
    const double half = q % 10 == 0 ? 22 : 10;
    cairo_move_to(cr, cx - half, y);
    cairo_line_to(cr, cx + half, y);
    cairo_set_line_width(cr, 1.4);
    set_colour(cr, colour::kMarking);
    cairo_stroke(cr);
    if (q % 10 == 0) {
      const std::string f = whole(std::abs(q));
      centred_text(cr, {cx - half - 10, y}, f.c_str(), 9, Face::kFigures);
      centred_text(cr, {cx + half + 10, y}, f.c_str(), 9, Face::kFigures);
    }
  }
}

// The bank ring: sky and ground halves round a window onto the card, with bank marks at 10, 20,
// 30, 45, 60 and 90 degrees either side of the top; it turns with the card.
void bank_ring(cairo_t* cr, Size size) {
  const Point c = middle(size);
  const double outer = size.width / 2;
  for (int half = 0; half < 2; ++half) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, outer, half ? 0 : kPi, half ? kPi : 2 * kPi);
    cairo_arc_negative(cr, c.x, c.y, kRingInner, half ? kPi : 2 * kPi, half ? 0 : kPi);
    cairo_close_path(cr);
    set_colour(cr, half ? kGround : kSky);
    cairo_fill(cr);
  }
  for (double a : {10.0, 20.0, 30.0, 45.0, 60.0, 90.0}) {
    const bool major = a == 30 || a == 60 || a == 90;
    tick(cr, c, a, {outer - 2, major ? 16.0 : 9.0, 2.2});
    tick(cr, c, -a, {outer - 2, major ? 16.0 : 9.0, 2.2});
  }
  // The zero mark: a white triangle at the top.
  const Point tip = polar(c, 0, kRingInner + 3);
  cairo_move_to(cr, tip.x, tip.y);
  cairo_line_to(cr, tip.x - 7, tip.y - 14);
  cairo_line_to(cr, tip.x + 7, tip.y - 14);
  cairo_close_path(cr);
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
}

// The aircraft symbol: wings level with the horizon's centre (bitmap y = centre - position), a
// centre dot and a pedestal below.
void aircraft_symbol(cairo_t* cr, Size size) {
  const Box box = element_box("Attitude", 1220);
  const double cx = kHorizonCentre.x - box.x, wing_y = kHorizonCentre.y - box.y;
  set_colour(cr, kSymbolOrange);
  cairo_set_line_width(cr, 4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + side * 30, wing_y);
    cairo_line_to(cr, cx + side * 72, wing_y);
  }
  cairo_stroke(cr);
  circle(cr, {cx, wing_y}, 3.5);
  cairo_fill(cr);
  cairo_move_to(cr, cx - 16, size.height);
  cairo_line_to(cr, cx, wing_y + 6);
  cairo_line_to(cr, cx + 16, size.height);
  cairo_close_path(cr);
  set_colour(cr, {0.1, 0.1, 0.1});
  cairo_fill(cr);
}

// The warning flag: red and white stripes with OFF.
void attitude_flag(cairo_t* cr, Size size) {
  rounded_rectangle(cr, 1, 1, size.width - 2, size.height - 2, 4);
  set_colour(cr, colour::kGuardRed);
  cairo_fill_preserve(cr);
  const SavedState saved(cr);
  cairo_clip(cr);
  for (double y = -size.width; y < size.height; y += 18) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, size.width, y + size.width);
    cairo_line_to(cr, size.width, y + size.width + 8);
    cairo_line_to(cr, 0, y + 8);
    cairo_close_path(cr);
  }
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
  cairo_rectangle(cr, 10, size.height / 2 - 12, size.width - 20, 24);
  set_colour(cr, colour::kGuardRed);
  cairo_fill(cr);
  centred_text(cr, middle(size), "OFF", 16, Face::kLegendBold);
}

// The glass: flange, bezel and glass about the horizon's centre, and the fixed bank index.
void attitude_glass(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, kHorizonCentre, kAttitudeFace, kAttitudeBezel);
  const Point tip = polar(kHorizonCentre, 0, kAttitudeFace - 18);
  cairo_move_to(cr, tip.x, tip.y);
  cairo_line_to(cr, tip.x - 7, tip.y - 14);
  cairo_line_to(cr, tip.x + 7, tip.y - 14);
  cairo_close_path(cr);
  set_colour(cr, kSymbolOrange);
  cairo_fill(cr);
}

// The aircraft-symbol knob; its index points to 3 o'clock as drawn (up at the middle setting).
void symbol_knob(cairo_t* cr, Size size) {
  const Point c = DialScale("Attitude", 1240).pivot();
  knob(cr, c, size.width * 0.4);
  tick(cr, c, 90, {size.width * 0.38, size.width * 0.16, 2.5});
}

// --- Turn_Coordinator ----------------------------------------------------------------------------

constexpr Point kTurnFaceCentre{119, 119};
constexpr double kTurnFace = 112;
constexpr double kTurnBezel = 118;
constexpr double kTurnMarks = 150;  // from the needle's pivot, low on the face

// Where the ball's centre lies for a deflection, by the slider's records: x by deflection x
// 0.515625, y by its square x -0.00030517578125, from the ball bitmap's centre at rest.
Point ball_centre(double deflection) {
  const Box ball = element_box("Turn_Coordinator", 4030);
  return {ball.x + ball.w / 2 + deflection * 0.515625,
          ball.y + 19 - deflection * deflection * 0.00030517578125};
}
constexpr double kBallRadius = 12;

void turn_dial(cairo_t* cr, Size) {
  const DialScale s("Turn_Coordinator", 4020);
  dial_face(cr, kTurnFaceCentre, kTurnFace);
  // The tube: the ball's path, one ball wide, from end to end.
  cairo_new_path(cr);
  for (int d = -150; d <= 150; d += 5) {
    const Point p = ball_centre(d);
    d == -150 ? cairo_move_to(cr, p.x, p.y) : cairo_line_to(cr, p.x, p.y);
  }
  cairo_set_line_width(cr, 2 * kBallRadius + 4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, {0.32, 0.30, 0.24});
  cairo_stroke(cr);
  // Marks where the needle stands wings level and at a standard-rate turn either way.
  for (double v : {-4.5, 0.0, 4.5}) tick(cr, s.centre(), s.angle(v), {kTurnMarks, 16, 4});
  figure(cr, s.centre(), s.angle(-4.5), kTurnMarks - 28, "L", 16);
  figure(cr, s.centre(), s.angle(4.5), kTurnMarks - 28, "R", 16);
  centred_text(cr, {kTurnFaceCentre.x, 214}, "2 MIN", 9, Face::kLegend, colour::kLegend);
  centred_text(cr, {kTurnFaceCentre.x, 60}, "TURN", 9, Face::kLegend, colour::kLegend);
}

void turn_ball(cairo_t* cr, Size size) {
  const Point c{size.width / 2, 19};
  PatternOwner p(cairo_pattern_create_radial(c.x - 4, c.y - 4, 1, c.x, c.y, kBallRadius));
  add_stop(p.get(), 0, {0.9, 0.9, 0.9});
  add_stop(p.get(), 1, {0.15, 0.15, 0.15});
  circle(cr, c, kBallRadius);
  fill_with(cr, p);
}

// The tube's glass: two wires a ball's width apart either side of the centre, and a faint tint.
void tube_glass(cairo_t* cr, Size size) {
  const Box glass = element_box("Turn_Coordinator", 4060);
  const double centre = ball_centre(0).x - glass.x;
  cairo_rectangle(cr, 0, 0, size.width, size.height);
  set_colour(cr, {1, 1, 1}, 0.05);
  cairo_fill(cr);
  for (double side : {-1.0, 1.0}) {
    const double x = centre + side * (kBallRadius + 1.5);
    cairo_move_to(cr, x, 8);
    cairo_line_to(cr, x, size.height - 8);
  }
  cairo_set_line_width(cr, 1.5);
  set_colour(cr, {0.05, 0.05, 0.05});
  cairo_stroke(cr);
}

void turn_off_flag(cairo_t* cr, Size size) {
  rounded_rectangle(cr, 0.5, 0.5, size.width - 1, size.height - 1, 2);
  set_colour(cr, colour::kGuardRed);
  cairo_fill(cr);
  centred_text(cr, middle(size), "OFF", 9, Face::kLegendBold);
}

void turn_needle(cairo_t* cr, Size) {
  // An aircraft seen from behind would be the classic picture; here a lance from the low pivot.
  needle(cr, DialScale("Turn_Coordinator", 4020).pivot(), {.length = 146, .tail = 20, .width = 6, .hub_radius = 9});
}

void turn_glass(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, kTurnFaceCentre, kTurnFace, kTurnBezel);
}

// --- Vertical_Speed: thousands of feet per minute ------------------------------------------------

constexpr double kVsiFace = 138;
constexpr double kVsiBezel = 146;
constexpr double kVsiMarks = 128;

constexpr double units(double feet_per_minute) { return feet_per_minute * 256 / 60 / 3.28084; }

void vsi_dial(cairo_t* cr, Size) {
  const DialScale s("Vertical_Speed", 320);
  dial_face(cr, s.centre(), kVsiFace);
  s.ticks(cr, units(-1000), units(1000), units(100), {kVsiMarks, 7, 1.4});
  s.ticks(cr, units(-4000), units(4000), units(500), {kVsiMarks, 10, 2.0});
  s.ticks(cr, units(-8000), units(-4000), units(1000), {kVsiMarks, 10, 2.0});
  s.ticks(cr, units(4000), units(8000), units(1000), {kVsiMarks, 10, 2.0});
  for (double f : {-8000, -4000, -3000, -2000, -1000, 0, 1000, 2000, 3000, 4000, 8000})
    s.ticks(cr, units(f), units(f), 1, {kVsiMarks, 16, 3});
  s.ticks(cr, units(-500), units(500), units(1000), {kVsiMarks, 16, 3});
  for (double f : {-4000, -3000, -2000, -1000, 0, 1000, 2000, 3000, 4000})
    s.figure(cr, units(f), kVsiMarks - 30, whole(std::fabs(f) / 1000).c_str(), 20);
  for (double f : {-500, 500}) s.figure(cr, units(f), kVsiMarks - 28, ".5", 15);
  s.figure(cr, units(8000), kVsiMarks - 30, "8", 20);
  centred_text(cr, {s.centre().x + 20, s.centre().y - 40}, "UP", 10, Face::kLegend, colour::kLegend);
  centred_text(cr, {s.centre().x + 20, s.centre().y + 40}, "DOWN", 10, Face::kLegend, colour::kLegend);
  centred_text(cr, {s.centre().x + 30, s.centre().y}, "1000 FT/MIN", 9, Face::kLegend, colour::kLegend);
}

void vsi_needle(cairo_t* cr, Size) {
  needle(cr, DialScale("Vertical_Speed", 320).pivot(), {.length = 114, .tail = 0, .width = 7, .hub_radius = 6});
}

void vsi_glass(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Vertical_Speed", 320).centre(), kVsiFace, kVsiBezel);
}

// --- Accelerometer: -5 to +10 g ------------------------------------------------------------------

constexpr double kG = 624;  // the load factor variable per g
constexpr double kAccelFace = 118;
constexpr double kAccelBezel = 126;
constexpr double kAccelMarks = 112;

void accelerometer_dial(cairo_t* cr, Size) {
  const DialScale s("Accelerometer", 1150);
  dial_face(cr, s.centre(), kAccelFace);
  s.ticks(cr, -5 * kG, 10 * kG, 0.5 * kG, {kAccelMarks, 8, 1.5});
  s.ticks(cr, -5 * kG, 10 * kG, kG, {kAccelMarks, 16, 3});
  s.figures(cr, -4 * kG, 10 * kG, 2 * kG, kAccelMarks - 29, 18, [](double v) { return whole(v / kG); });
  arc_band(cr, s.centre(), s.angle(7.33 * kG), s.angle(10 * kG), kAccelMarks - 3, kAccelMarks, colour::kRed);
  arc_band(cr, s.centre(), s.angle(-5 * kG), s.angle(-3 * kG), kAccelMarks - 3, kAccelMarks, colour::kRed);
  centred_text(cr, {s.centre().x + 10, s.centre().y + 34}, "G", 14, Face::kLegendBold, colour::kLegend);
}

void g_needle(cairo_t* cr, Size) {
  needle(cr, DialScale("Accelerometer", 1150).pivot(), {.length = 98, .tail = 30, .width = 7, .hub_radius = 9});
}

void memory_needle(cairo_t* cr, Size) {
  needle(cr, DialScale("Accelerometer", 1160).pivot(),
         {.length = 94, .tail = 0, .width = 4, .hub_radius = 0, .colour = colour::kAmber});
}

// The glass, with the reset button in the flange's lower-left corner where its click area lies.
void accelerometer_glass(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Accelerometer", 1150).centre(), kAccelFace, kAccelBezel);
  const MouseRect& area = find_gauge("Accelerometer").mouse_rects[1];  // the button's parent area
  const Box button{double(area.box.x), double(area.box.y), double(area.box.width), double(area.box.height)};
  push_button(cr, button.centre(), button.w * 0.36, {0.5, 0.5, 0.52}, false);
  centred_text(cr, {button.centre().x + 8, button.y + 4}, "RESET", 7, Face::kLegendBold, colour::kLegend);
}

const PainterRegistration kPainters{{
    {1180, attitude_case},
    {1190, horizon_card},
    {1200, bank_ring},
    {1210, attitude_flag},
    {1220, aircraft_symbol},
    {1230, attitude_glass},
    {1240, symbol_knob},
    {4010, turn_dial},
    {4020, turn_needle},
    {4030, turn_ball},
    {4040, turn_off_flag},
    {4050, turn_glass},
    {4060, tube_glass},
    {310, vsi_dial},
    {320, vsi_needle},
    {330, vsi_glass},
    {1140, accelerometer_dial},
    {1150, g_needle},
    {1160, memory_needle},
    {1170, accelerometer_glass},
}};

}  // namespace

}  // namespace crv5::art
