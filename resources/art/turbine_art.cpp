// Artwork of the turbine speed indicators: Engine_RPM and the two corrected-speed dials. Every mark
// and figure is placed by the gauge's own needle record.
#include <cstdio>
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

void rpm_dial(cairo_t* cr) {
  const DialScale main("Engine_RPM", 470);
  const DialScale hundreds("Engine_RPM", 480);
  instrument_flange(cr, 300, 300);
  dial_face(cr, main.centre(), kRpmFace);

  // Main scale: the figures stand outside the marks, clear of the sub-dial.
  const double r = main.tip_radius() + 1;
  for (int rpm = 0; rpm < 10000; rpm += 200) {
    const bool thousand = rpm % 1000 == 0;
    const bool half = rpm % 500 == 0;
    const Tick t = thousand ? Tick{r, 16, 4} : half ? Tick{r, 11, 2.5} : Tick{r, 8, 1.8};
    tick(cr, main.centre(), main.angle(percent(rpm)), t);
    if (thousand) main.figure(cr, percent(rpm), r + 11, std::to_string(rpm / 1000).c_str(), 21);
  }
  tick(cr, main.centre(), main.angle(100), {r, 22, 3.5}, colour::kRed);  // 9137 RPM
  centred_text(cr, {150, 92}, "TURBINE", 11, Face::kLegend, colour::kLegend);
  centred_text(cr, {150, 108}, "RPM x 1000", 12, Face::kLegendBold);

  // Sub-dial of hundreds.
  const Point sub = hundreds.centre();
  cairo_arc(cr, sub.x, sub.y, kRpmSubDial, 0, 6.2832);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  cairo_arc(cr, sub.x, sub.y, kRpmSubDial, 0, 6.2832);
  cairo_set_line_width(cr, 1.2);
  set_colour(cr, colour::kMarking, 0.5);
  cairo_stroke(cr);
  const double s = hundreds.tip_radius() + 1;
  for (int rpm = 0; rpm < 1000; rpm += 50) {
    const bool hundred = rpm % 100 == 0;
    tick(cr, sub, hundreds.angle(percent(rpm)), hundred ? Tick{s, 7, 2} : Tick{s, 4, 1.2});
    if (hundred) hundreds.figure(cr, percent(rpm), s - 13, std::to_string(rpm / 100).c_str(), 11);
  }
  centred_text(cr, {sub.x, sub.y + 15}, "x100", 7, Face::kLegend, colour::kLegend);
}

void rpm_main_pointer(cairo_t* cr) { needle(cr, {13, 14}, {.length = 120, .tail = 13, .width = 9, .hub_radius = 12}); }
void rpm_hundreds_pointer(cairo_t* cr) { needle(cr, {7, 8}, {.length = 40, .tail = 7, .width = 5, .hub_radius = 6}); }

void rpm_cover(cairo_t* cr) {
  const Point centre = DialScale("Engine_RPM", 470).centre();
  bezel(cr, centre, kRpmFace, kRpmBezel);
  cover_glass(cr, centre, kRpmFace);
}

// --- Engine_Corrected_N1 / N2: 0 to 110 percent, sub-dial of units -------------------------------

constexpr double kCorrectedFace = 94;
constexpr double kCorrectedBezel = 99;

void corrected_dial(cairo_t* cr, const char* gauge, const char* legend) {
  const DialScale main(gauge, 1450);
  const DialScale units(gauge, 1440);
  instrument_flange(cr, 200, 200);
  dial_face(cr, main.centre(), kCorrectedFace);

  const double r = main.tip_radius() + 2;
  for (int p = 0; p <= 110; p += 2) {
    const bool ten = p % 10 == 0;
    const Tick t = ten ? Tick{r, 11, 2.8} : p % 5 == 0 ? Tick{r, 7, 1.8} : Tick{r, 5, 1.2};
    tick(cr, main.centre(), main.angle(p), t);
    if (ten && p % 20 == 0 && p <= 100) main.figure(cr, p, r - 22, std::to_string(p).c_str(), 14);
  }
  tick(cr, main.centre(), main.angle(110), {r, 14, 3}, colour::kRed);
  centred_text(cr, {118, 128}, legend, 18, Face::kLegendBold);
  centred_text(cr, {118, 144}, "CORR  %", 8, Face::kLegend, colour::kLegend);

  // Sub-dial of units.
  const Point sub = units.centre();
  cairo_arc(cr, sub.x, sub.y, 21, 0, 6.2832);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  cairo_arc(cr, sub.x, sub.y, 21, 0, 6.2832);
  cairo_set_line_width(cr, 0.8);
  set_colour(cr, colour::kMarking, 0.5);
  cairo_stroke(cr);
  const double s = units.tip_radius() + 1;
  for (int p = 0; p < 10; ++p) {
    tick(cr, sub, units.angle(p), p % 5 == 0 ? Tick{s, 5, 1.6} : Tick{s, 3, 1.0});
    if (p % 5 == 0) units.figure(cr, p, s - 9, std::to_string(p).c_str(), 7);
  }
}

void corrected_main_pointer(cairo_t* cr) { needle(cr, {30, 7}, {.length = 80, .tail = 30, .width = 6, .hub_radius = 6.5}); }
void corrected_units_pointer(cairo_t* cr) { needle(cr, {7, 2}, {.length = 18, .tail = 6, .width = 3, .hub_radius = 2}); }

void corrected_cover(cairo_t* cr) {
  const Point centre = DialScale("Engine_Corrected_N1", 1450).centre();
  bezel(cr, centre, kCorrectedFace, kCorrectedBezel);
  cover_glass(cr, centre, kCorrectedFace);
}

}  // namespace

void add_turbine_painters(Painters& p) {
  p[460] = rpm_dial;
  p[470] = rpm_main_pointer;
  p[480] = rpm_hundreds_pointer;
  p[490] = rpm_cover;
  p[1420] = [](cairo_t* cr) { corrected_dial(cr, "Engine_Corrected_N1", "N1"); };
  p[1430] = [](cairo_t* cr) { corrected_dial(cr, "Engine_Corrected_N2", "N2"); };
  p[1440] = corrected_units_pointer;
  p[1450] = corrected_main_pointer;
  p[1460] = corrected_cover;
}

}  // namespace crv5::art
