// Artwork of the throttle quadrant: the quadrant with its slot and scale, and the lever. The scale
// is placed by the lever's slider record: the lever's index line lies on the mark of the throttle
// setting the lever shows.
#include <cmath>

#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

constexpr const char* kThrottle = "Throttle_Quadrant";
constexpr int32_t kLever = 2240;

// The lever's index line, in the lever bitmap's pixels: the middle of its grip.
double index_line(const Box& lever) { return lever.h / 2; }

// Where the index line lies on the quadrant for a throttle setting from 0 (idle) to 1 (full): the
// lever's record places it, shifted by the setting times the slider's y scale.
double index_on_quadrant(double setting) {
  const Box lever = element_box(kThrottle, kLever);
  const auto* slider = reinterpret_cast<const ElementSlider*>(find_elements(find_gauge(kThrottle), kLever).at(0));
  return lever.y + index_line(lever) + setting * slider->y.scale;
}

void quadrant(cairo_t* cr, Size size) {
  const double w = size.width, h = size.height;
  panel_plate(cr, 0, 0, w, h, 8);
  for (Point p : {Point{12, 12}, Point{w - 12, 12}, Point{12, h - 12}, Point{w - 12, h - 12}}) screw(cr, p, 5);
  const double top = index_on_quadrant(1), bottom = index_on_quadrant(0);
  // The slot the lever's stem runs in.
  recess(cr, w / 2 - 9, top - 14, 18, bottom - top + 28, 9);
  // Marks every quarter, on both sides of the slot, the figures outside them.
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double y = index_on_quadrant(quarter / 4.0);
    const double length = quarter % 2 == 0 ? 30 : 18;
    for (double side : {-1.0, 1.0}) {
      const double x0 = w / 2 + side * 16, x1 = x0 + side * length;
      cairo_move_to(cr, x0, y);
      cairo_line_to(cr, x1, y);
      cairo_set_line_width(cr, quarter % 2 == 0 ? 3 : 2);
      set_colour(cr, colour::kMarking);
      cairo_stroke(cr);
    }
  }
  legend(cr, {w / 2 - 70, top}, "MAX", 11);
  legend(cr, {w / 2 - 70, bottom}, "IDLE", 11);
  legend(cr, {w / 2, 28}, "THROTTLE", 12);
}

// The lever: a grip across the slot, its index line white.
void lever(cairo_t* cr, Size size) {
  const double w = size.width, y = index_line({0, 0, w, size.height});
  rounded_rectangle(cr, w / 2 - 46, y - 18, 92, 36, 12);
  fill_with(cr, sheen(y - 18, y + 18, {0.10, 0.10, 0.11}, 0.5));
  rounded_rectangle(cr, w / 2 - 46, y - 18, 92, 36, 12);
  cairo_set_line_width(cr, 1.2);
  set_colour(cr, {0, 0, 0}, 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, w / 2 - 44, y);
  cairo_line_to(cr, w / 2 + 44, y);
  cairo_set_line_width(cr, 2.5);
  set_colour(cr, colour::kMarking);
  cairo_stroke(cr);
}

const PainterRegistration kPainters{{
    {2230, quadrant},
    {kLever, lever},
}};

}  // namespace

}  // namespace crv5::art
