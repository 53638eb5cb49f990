// Artwork of the turbine speed indicators: Engine_RPM and the two corrected-speed dials. Every mark
// and figure is placed by the gauge's own needle record.
#include <cmath>
#include <string>

#include "resources/art/dial_scale.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// --- Engine_RPM: 0 to 10 x 1000 RPM, sub-dial 0 to 9 x 100 RPM --------------------------------

constexpr double kRpmPerPercent = 91.37;  // 100 percent is 9137 RPM
constexpr double percent(double rpm) { return rpm / kRpmPerPercent; }

constexpr double kRpmFace = 142;       // face radius about the main pointer's pivot
constexpr double kRpmBezel = 148;
constexpr double kRpmSubDial = 44;     // sub-dial rim

void rpm_dial(cairo_t* cr, Size size) {
  const DialScale main("Engine_RPM", 470);
  const DialScale hundreds("Engine_RPM", 480);
  dial_face(cr, main.centre(), kRpmFace);

  // Main scale: the figures stand outside the marks, clear of the sub-dial.
  const double r = main.tip_radius() + 1;
  main.ticks(cr, 0, percent(9800), percent(200), {r, 8, 1.8});
  main.ticks(cr, percent(500), percent(9500), percent(1000), {r, 11, 2.5});
  main.ticks(cr, 0, percent(9000), percent(1000), {r, 16, 4});
  main.figures(cr, 0, percent(9000), percent(1000), r + 11, 21,
               [](double p) { return std::to_string(std::lround(p * kRpmPerPercent / 1000)); });
  tick(cr, main.centre(), main.angle(100), {r, 22, 3.5}, colour::kRed);  // 9137 RPM
  centred_text(cr, {size.width / 2, 92}, "TURBINE", 11, Face::kLegend, colour::kLegend);
  centred_text(cr, {size.width / 2, 108}, "RPM x 1000", 12, Face::kLegendBold);

  // Sub-dial of hundreds.
  const Point sub = hundreds.centre();
  sub_dial(cr, sub, kRpmSubDial);
  const double s = hundreds.tip_radius() + 1;
  hundreds.ticks(cr, percent(50), percent(950), percent(100), {s, 4, 1.2});
  hundreds.ticks(cr, 0, percent(900), percent(100), {s, 7, 2});
  hundreds.figures(cr, 0, percent(900), percent(100), s - 13, 11,
                   [](double p) { return std::to_string(std::lround(p * kRpmPerPercent / 100)); });
  centred_text(cr, {sub.x, sub.y + 15}, "x100", 7, Face::kLegend, colour::kLegend);
}

// Needles: the pivots are the records'; each tip reaches the marks of its scale.
void rpm_main_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Engine_RPM", 470).pivot(), {.length = 120, .tail = 13, .width = 9, .hub_radius = 12});
}
void rpm_hundreds_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Engine_RPM", 480).pivot(), {.length = 40, .tail = 7, .width = 5, .hub_radius = 6});
}

void rpm_cover(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Engine_RPM", 470).centre(), kRpmFace, kRpmBezel);
}

// --- Engine_Corrected_N1 / N2: 0 to 110 percent, sub-dial of units -------------------------------

constexpr double kCorrectedFace = 94;
constexpr double kCorrectedBezel = 99;
constexpr double kCorrectedSubDial = 21;

void corrected_dial(cairo_t* cr, const char* gauge, const char* legend) {
  const DialScale main(gauge, 1450);
  const DialScale units(gauge, 1440);
  dial_face(cr, main.centre(), kCorrectedFace);

  const double r = main.tip_radius() + 2;
  main.ticks(cr, 0, 110, 2, {r, 5, 1.2});
  main.ticks(cr, 5, 105, 10, {r, 7, 1.8});
  main.ticks(cr, 0, 110, 10, {r, 11, 2.8});
  main.figures(cr, 0, 100, 20, r - 22, 14, [](double p) { return std::to_string(std::lround(p)); });
  tick(cr, main.centre(), main.angle(110), {r, 14, 3}, colour::kRed);
  centred_text(cr, {118, 128}, legend, 18, Face::kLegendBold);
  centred_text(cr, {118, 144}, "CORR  %", 8, Face::kLegend, colour::kLegend);

  // Sub-dial of units.
  const Point sub = units.centre();
  sub_dial(cr, sub, kCorrectedSubDial);
  const double s = units.tip_radius() + 1;
  units.ticks(cr, 0, 9, 1, {s, 3, 1.0});
  units.ticks(cr, 0, 5, 5, {s, 5, 1.6});
  units.figures(cr, 0, 5, 5, s - 9, 7, [](double p) { return std::to_string(std::lround(p)); });
}

void corrected_main_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Engine_Corrected_N1", 1450).pivot(), {.length = 80, .tail = 30, .width = 6, .hub_radius = 6.5});
}
void corrected_units_pointer(cairo_t* cr, Size) {
  needle(cr, DialScale("Engine_Corrected_N1", 1440).pivot(), {.length = 18, .tail = 6, .width = 3, .hub_radius = 2});
}

void corrected_cover(cairo_t* cr, Size size) {
  instrument_cover(cr, size.width, size.height, DialScale("Engine_Corrected_N1", 1450).centre(), kCorrectedFace,
                   kCorrectedBezel);
}

const PainterRegistration kPainters{{
    {460, rpm_dial},
    {470, rpm_main_pointer},
    {480, rpm_hundreds_pointer},
    {490, rpm_cover},
    {1420, [](cairo_t* cr, Size) { corrected_dial(cr, "Engine_Corrected_N1", "N1"); }},
    {1430, [](cairo_t* cr, Size) { corrected_dial(cr, "Engine_Corrected_N2", "N2"); }},
    {1440, corrected_units_pointer},
    {1450, corrected_main_pointer},
    {1460, corrected_cover},
}};

}  // namespace

}  // namespace crv5::art
