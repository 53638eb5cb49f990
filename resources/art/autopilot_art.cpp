// Artwork of the autopilot: the control box behind its switches, knobs, drums, lamp and read-out,
// and the annunciator tester's sheet with its title, column heads, row labels and legend. Every
// place is taken from the gauges' element records, so that each legend sits by its element.
#include <cstddef>
#include <string>

#include "resources/art/gauge_records.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// Where the gauge's `nth` text string lies: its record's position and box.
Box string_box(const char* gauge, size_t nth = 0) {
  const auto found = find_elements(find_gauge(gauge), -1);
  const auto* text = reinterpret_cast<const ElementString*>(found.at(nth));
  return {double(text->header.position.x), double(text->header.position.y),
          double(text->box.width), double(text->box.height)};
}

// --- Autopilot ---------------------------------------------------------------------------------

constexpr const char* kAutopilot = "Autopilot";

// A dark recess a few pixels larger than the boxes it frames.
void frame(cairo_t* cr, Box first, Box last, double margin) {
  recess(cr, first.x - margin, first.y - margin, last.x + last.w - first.x + 2 * margin,
         last.y + last.h - first.y + 2 * margin, 3);
}

// The base of a lever switch: the dark nut the lever stands in, with its legend above.
void lever_base(cairo_t* cr, Box lever, const char* name) {
  const Point nut = lever.centre();
  ringed_disc(cr, nut, 8, 12, {0.03, 0.03, 0.03});
  legend(cr, {nut.x, lever.y - 6}, name, 8);
  legend(cr, {lever.x + lever.w + 7, lever.y + 8}, "I", 7);
  legend(cr, {lever.x + lever.w + 7, lever.y + lever.h - 8}, "O", 7);
}

void autopilot_box(cairo_t* cr, Size size) {
  const double w = size.width, h = size.height;
  panel_plate(cr, 0, 0, w, h, 6);
  for (Point p : {Point{8, 8}, Point{w - 8, 8}, Point{8, h - 8}, Point{w - 8, h - 8}})
    screw(cr, p, 4);

  // Drums in element order: course units, tens, hundreds, then heading units, tens, hundreds;
  // each is seen through a window one digit high.
  auto drum = [](size_t nth) {
    Box b = element_box(kAutopilot, 4190, nth);
    b.h /= 11;  // the strip holds eleven digits
    return b;
  };
  const Box course_hundreds = drum(2), course_units = drum(0);
  const Box heading_hundreds = drum(5), heading_units = drum(3);
  frame(cr, heading_hundreds, heading_units, 2);
  frame(cr, course_hundreds, course_units, 2);
  legend(cr, {(heading_hundreds.x + heading_units.x + heading_units.w) / 2, 42}, "HDG", 7.5);
  legend(cr, {(course_hundreds.x + course_units.x + course_units.w) / 2, 42}, "CRS", 7.5);

  // Knobs (needles turning about their position): a dark collar, the halves marked - and +.
  for (const Box& knob : {element_box(kAutopilot, 4180, 0), element_box(kAutopilot, 4180, 1)}) {
    const Point c{knob.x, knob.y};
    ringed_disc(cr, c, knob.w / 2, knob.w / 2 + 3, {0.05, 0.05, 0.05});
    legend(cr, {c.x - knob.w / 2 - 9, c.y}, "-", 10);
    legend(cr, {c.x + knob.w / 2 + 9, c.y}, "+", 10);
  }

  // Selected altitude: the read-out's black window, lit only while shown.
  const Box readout = string_box(kAutopilot);
  recess(cr, readout.x - 2, readout.y - 2, readout.w + 4, readout.h + 4, 3);
  legend(cr, {readout.x - 16, readout.centre().y - 5}, "ALT", 7.5);
  legend(cr, {readout.x - 16, readout.centre().y + 5}, "SEL", 7.5);

  // The engaged lamp in the altitude button, dark (the icon lights it).
  const Box lamp = element_box(kAutopilot, 4200);
  const Box button = click_box(kAutopilot, 9);
  push_button(cr, button.centre(), button.w / 2, {0.12, 0.12, 0.13}, false);
  lamp_window(cr, lamp.x, lamp.y, lamp.w, lamp.h, colour::kGreen, false);
  legend(cr, {button.centre().x, button.y + button.h + 7}, "ALT", 7.5);

  // Lever switches, in element order: navigation hold, heading hold, yaw damper, altitude hold,
  // master.
  constexpr const char* kLevers[] = {"NAV", "HDG", "YAW", "ALT", "AP"};
  for (size_t i = 0; i < std::size(kLevers); ++i)
    lever_base(cr, element_box(kAutopilot, 4170, i), kLevers[i]);
}

// --- AP_Tester -----------------------------------------------------------------------------------

constexpr const char* kTester = "AP_Tester";

// Left-aligned text with its middle on `y`.
void label(cairo_t* cr, double x, double y, const char* text, double size, Rgb c) {
  cairo_select_font_face(cr, "Arial Narrow", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  cairo_move_to(cr, x - e.x_bearing, y - e.y_bearing - e.height / 2);
  set_colour(cr, c);
  cairo_show_text(cr, text);
  cairo_new_path(cr);
}

// Right-aligned text ending at `x`, its middle on `y`.
void label_before(cairo_t* cr, double x, double y, const char* text, double size, Rgb c) {
  cairo_select_font_face(cr, "Arial Narrow", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  label(cr, x - e.x_advance, y, text, size, c);
}

// Row labels in the order of the FS lamps and of the read-outs.
constexpr const char* kLampLabels[] = {
    "AIRCRAFT_AUTOPILOT_AVAILABLE", "AUTOPILOT_ACTIVE", "AUTOPILOT_YAW_DAMPER",
    "FLIGHT_DIRECTOR_ACTIVE", "AUTOPILOT_HEADING_LOCK", "AUTOPILOT_NAV1_LOCK",
    "AUTOPILOT_APROACH_HOLD", "AUTOPILOT_GLIDESLOPE_HOLD", "AUTOPILOT_BACKCOURSE_HOLD",
    "AUTOPILOT_ALTITUDE_LOCK", "AUTOPILOT_VERTICAL_HOLD", "AUTOPILOT_WING_LEVELER",
    "AUTOPILOT_ATTITUDE_HOLD", "AUTOPILOT_AIRSPEED_HOLD", "AUTOPILOT_AIRSPEED_HOLD_CURRENT",
    "AUTOPILOT_MACH_HOLD", "AUTOPILOT_AUTO_THROTTLE_ARM", "AUTOPILOT_TAKEOFF_POWER_ACTIVE",
};
constexpr const char* kReadoutLabels[] = {
    "AUTOPILOT_HEADING_LOCK_DIR", "AUTOPILOT_ALTITUDE_LOCK_VAR", "AUTOPILOT_VERTICAL_HOLD_VAR",
    "AUTOPILOT_AIRSPEED_HOLD_VAR", "AUTOPILOT_MACH_HOLD_VAR", "ENGINE_RPM_HOLD",
};
// The LOC lamps of the altitude row, by their order among the LOC lamps.
constexpr size_t kAltitudeSelect = 9, kAltitudeCurrent = 10, kAltitudeCaptured = 11;

constexpr Rgb kSheetText{0.80, 0.86, 0.80};
constexpr Rgb kHeading{0.98, 0.98, 0.90};

void tester_sheet(cairo_t* cr, Size size) {
  const double w = size.width, h = size.height;
  rounded_rectangle(cr, 0, 0, w, h, 6);
  set_colour(cr, {0.06, 0.07, 0.07});
  cairo_fill(cr);
  rounded_rectangle(cr, 2, 2, w - 4, h - 4, 5);
  set_colour(cr, colour::kMetal);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  centred_text(cr, {w / 2, 22}, "AP Variables", 16, Face::kLegendBold, kHeading);

  const Box first_fs = element_box(kTester, 7020, 0), first_loc = element_box(kTester, 7010, 0);
  centred_text(cr, {first_loc.centre().x, 55}, "LOC", 8, Face::kLegendBold, kHeading);
  centred_text(cr, {first_fs.centre().x, 55}, "FS", 8, Face::kLegendBold, kHeading);

  // Every lamp dark on the sheet; the icons light them.
  for (int32_t bitmap : {7020, 7010})
    for (const ElementHeader* lamp : find_elements(find_gauge(kTester), bitmap)) {
      const Box b = element_box(kTester, bitmap, 0);
      lamp_window(cr, lamp->position.x, lamp->position.y, b.w, b.h, colour::kGreen, false);
    }

  // Lamp rows: a faint rule under each, the label right of the FS lamp.
  const double text_x = first_fs.x + first_fs.w + 8;
  for (size_t i = 0; i < std::size(kLampLabels); ++i) {
    const Box lamp = element_box(kTester, 7020, i);
    label(cr, text_x, lamp.centre().y, kLampLabels[i], 9, kSheetText);
    cairo_move_to(cr, 8, lamp.y + lamp.h + 3);
    cairo_line_to(cr, w - 8, lamp.y + lamp.h + 3);
    set_colour(cr, kSheetText, 0.12);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  // The altitude row's further LOC lamps.
  const Box select = element_box(kTester, 7010, kAltitudeSelect);
  const Box current = element_box(kTester, 7010, kAltitudeCurrent);
  const Box captured = element_box(kTester, 7010, kAltitudeCaptured);
  label_before(cr, select.x - 4, select.centre().y, "Select", 8, kSheetText);
  label_before(cr, current.x - 4, current.centre().y, "Current", 8, kSheetText);
  label(cr, captured.x + captured.w + 4, captured.centre().y, "Captured", 8, kSheetText);

  // Read-outs: a frame round the column, the label right of it.
  const Box first_readout = string_box(kTester, 0);
  const Box last_readout = string_box(kTester, std::size(kReadoutLabels) - 1);
  recess(cr, first_readout.x - 3, first_readout.y - 3, first_readout.w + 6,
         last_readout.y + last_readout.h - first_readout.y + 6, 3);
  for (size_t i = 0; i < std::size(kReadoutLabels); ++i) {
    const Box readout = string_box(kTester, i);
    label(cr, readout.x + readout.w + 8, readout.centre().y, kReadoutLabels[i], 9, kSheetText);
  }

  // Legend of the lamp colours.
  const double legend_y = last_readout.y + last_readout.h + 30;
  lamp_window(cr, 20, legend_y - 4, 8, 8, colour::kGreen, true);
  label(cr, 34, legend_y, "FS: the simulator's variable is above 0", 9, kSheetText);
  lamp_window(cr, 20, legend_y + 14, 8, 8, {0.10, 0.62, 0.18}, true);
  label(cr, 34, legend_y + 18, "LOC: the panel's own logic (not fitted)", 9, kSheetText);
}

const PainterRegistration kAutopilotPainters{{
    {4160, autopilot_box},
    {7000, tester_sheet},
}};

}  // namespace

}  // namespace crv5::art
