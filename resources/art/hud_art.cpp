// Artwork of the head-up display: the frame round the combiner glass, and every symbol twice, in
// the read-out's bright green and its dim green. The pitch ladder's rungs stand at the sprite's
// 1.88 pixels per degree from its middle, which the host puts on the display's centre; the bank
// index marks stand where the bank pointer's table points it.
#include <cmath>
#include <string>

#include "resources/art/dial_scale.h"
#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// The read-outs' colours (0x00BBGGRR in the records: 0x42fc01 and 0x1d9e00).
constexpr Rgb kBright{0x01 / 255.0, 0xfc / 255.0, 0x42 / 255.0};
constexpr Rgb kDim{0x00 / 255.0, 0x9e / 255.0, 0x1d / 255.0};
constexpr double kLadderPixelsPerDegree = 1.88;

// The combiner glass: the rectangle the ladder sprites are shown in (from their position to as
// far beyond their texture centre).
Box combiner() {
  const Box ladder = element_box("Head_Up_Display", 5030);
  const Point centre = DialScale("Head_Up_Display", 5020).centre();
  return {ladder.x, ladder.y, 2 * (centre.x - ladder.x), 2 * (centre.y - ladder.y)};
}

void hud_frame(cairo_t* cr, Size size) {
  panel_plate(cr, 0, 0, size.width, size.height, 8);
  const Box glass = combiner();
  rounded_rectangle(cr, glass.x - 4, glass.y - 4, glass.w + 8, glass.h + 8, 6);
  set_colour(cr, {0.02, 0.03, 0.03});
  cairo_fill(cr);
  rounded_rectangle(cr, glass.x, glass.y, glass.w, glass.h, 4);
  set_colour(cr, {0.05, 0.09, 0.08});
  cairo_fill(cr);
  // The altitude read-out's window and the bank scale's strip below the combiner.
  const Point centre = DialScale("Head_Up_Display", 5020).centre();
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, 91, radians(120), radians(240));
  cairo_set_line_width(cr, 22);
  set_colour(cr, {0.05, 0.09, 0.08});
  cairo_stroke(cr);
  rounded_rectangle(cr, 7, 132, 43, 20, 3);
  set_colour(cr, {0.02, 0.03, 0.03});
  cairo_fill(cr);
  legend(cr, {size.width / 2, size.height - 14}, "HUD", 9);
}

// The fixed symbology: the aircraft symbol on the display's centre, a box round the altitude
// read-out, and the bank scale at the pointer's reach (0, 10, 20, 30, 45, 60 degrees either way).
void glass_symbology(cairo_t* cr, Size, Rgb c) {
  const DialScale bank("Head_Up_Display", 5020);
  const Point centre = bank.centre();
  set_colour(cr, c);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, centre.x - 26, centre.y);
  cairo_line_to(cr, centre.x - 10, centre.y);
  cairo_line_to(cr, centre.x - 5, centre.y + 6);
  cairo_line_to(cr, centre.x, centre.y);
  cairo_line_to(cr, centre.x + 5, centre.y + 6);
  cairo_line_to(cr, centre.x + 10, centre.y);
  cairo_line_to(cr, centre.x + 26, centre.y);
  cairo_stroke(cr);
  for (double a : {-60.0, -45.0, -30.0, -20.0, -10.0, 0.0, 10.0, 20.0, 30.0, 45.0, 60.0}) {
    const bool major = a == 0 || std::fabs(a) == 30 || std::fabs(a) == 60;
    tick(cr, centre, bank.angle(a), {100, major ? 10.0 : 6.0, 1.6}, c);
  }
  const ElementHeader* readout = find_elements(find_gauge("Head_Up_Display"), -1).at(0);
  const auto& text = reinterpret_cast<const ElementString&>(*readout);
  rounded_rectangle(cr, readout->position.x - 2, readout->position.y - 2, text.box.width + 4, text.box.height + 4, 1);
  cairo_set_line_width(cr, 1.2);
  set_colour(cr, c);
  cairo_stroke(cr);
}

// The bank pointer: a caret at the bank scale, the bitmap clear from the pivot to it.
void bank_pointer(cairo_t* cr, Size size, Rgb c) {
  const double y = size.height / 2;
  cairo_move_to(cr, size.width - 1, y);
  cairo_line_to(cr, size.width - 12, y - 4);
  cairo_line_to(cr, size.width - 12, y + 4);
  cairo_close_path(cr);
  set_colour(cr, c);
  cairo_fill(cr);
}

// The pitch ladder: the horizon line through the middle, a rung every 10 degrees (solid above,
// dashed below) with its figures; the rung for q degrees lies 1.88 x q pixels above the middle.
void pitch_ladder(cairo_t* cr, Size size, Rgb c) {
  const double cx = size.width / 2, mid = size.height / 2;
  set_colour(cr, c);
  cairo_set_line_width(cr, 1.6);
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + side * 14, mid);
    cairo_line_to(cr, cx + side * (size.width / 2 - 2), mid);
  }
  cairo_stroke(cr);
  for (int q = -90; q <= 90; q += 10) {
    if (q == 0) continue;
    const double y = mid - q * kLadderPixelsPerDegree;
    if (q < 0) {
      const double dash[] = {4, 3};
      cairo_set_dash(cr, dash, 2, 0);
    }
    for (double side : {-1.0, 1.0}) {
      cairo_move_to(cr, cx + side * 16, y);
      cairo_line_to(cr, cx + side * 46, y);
      cairo_line_to(cr, cx + side * 46, y + (q > 0 ? 4 : -4));  // the rung's end points to the horizon
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    const std::string f = std::to_string(std::abs(q));
    centred_text(cr, {cx - 58, y}, f.c_str(), 9, Face::kFigures, c);
    centred_text(cr, {cx + 58, y}, f.c_str(), 9, Face::kFigures, c);
  }
}

const PainterRegistration kPainters{{
    {5000, hud_frame},
    {5010, [](cairo_t* cr, Size s) { glass_symbology(cr, s, kBright); }},
    {5011, [](cairo_t* cr, Size s) { glass_symbology(cr, s, kDim); }},
    {5020, [](cairo_t* cr, Size s) { bank_pointer(cr, s, kBright); }},
    {5021, [](cairo_t* cr, Size s) { bank_pointer(cr, s, kDim); }},
    {5030, [](cairo_t* cr, Size s) { pitch_ladder(cr, s, kBright); }},
    {5040, [](cairo_t* cr, Size s) { pitch_ladder(cr, s, kDim); }},
}};

}  // namespace

}  // namespace crv5::art
