// Artwork of the engine and system dials: exhaust gas temperature, fuel pressure, fuel flow, the
// triple indicator, hydraulic pressure, voltmeter and speed brake position. Every mark and figure
// is placed by the gauge's own needle record, at the value in the simulator's units that the
// table holds for the dial's mark in the pilot's units.
//
// Several needles are shorter than the distance to their table's points: there the marks run
// inwards to the needle's tip, so that the needle meets them.
#include <cmath>
#include <string>

#include "instruments/system_dials.h"
#include "resources/art/dial_scale.h"
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

// Rankine for a temperature in degrees Celsius, pounds per square foot for bars, pounds per hour
// for kilograms per hour: the units of the needle tables.
constexpr double rankine(double celsius) { return celsius * 1.8 + 491.67; }
constexpr double psf(double bars) { return bars * kPsfPerBar; }
constexpr double pounds(double kilograms) { return kilograms / kKilogramsPerPound; }

// A dark cap over a needle's pivot, drawn on the cover where the needle bitmap is too narrow to
// carry its own hub.
void pivot_cap(cairo_t* cr, Point at, double radius) {
  PatternOwner p(cairo_pattern_create_radial(at.x - radius * 0.3, at.y - radius * 0.3, 0, at.x, at.y, radius));
  add_stop(p.get(), 0, {0.32, 0.32, 0.33});
  add_stop(p.get(), 1, {0.04, 0.04, 0.04});
  circle(cr, at, radius);
  fill_with(cr, p);
}

// A needle for a bitmap only a few pixels high: a bar of `width` from the pivot, blunt to its
// last pixels so that its tip reads to the end.
void slim_needle(cairo_t* cr, Point pivot, double length, double width) {
  const double half = width / 2;
  cairo_move_to(cr, pivot.x, pivot.y - half);
  cairo_line_to(cr, pivot.x + length - 2, pivot.y - half);
  cairo_line_to(cr, pivot.x + length, pivot.y);
  cairo_line_to(cr, pivot.x + length - 2, pivot.y + half);
  cairo_line_to(cr, pivot.x, pivot.y + half);
  cairo_close_path(cr);
  set_colour(cr, colour::kMarking);
  cairo_fill(cr);
}

// A round instrument's face and cover about the bitmap's middle.
void round_cover(cairo_t* cr, Size size, double face, double bezel_radius) {
  instrument_cover(cr, size.width, size.height, middle(size), face, bezel_radius);
}

// --- EGT_Indicator: 0 to 800 degrees Celsius over the top of the dial --------------------------

constexpr double kEgtFace = 130, kEgtBezel = 137;

void egt_dial(cairo_t* cr, Size size) {
  const DialScale s("EGT_Indicator", 2010);
  dial_face(cr, middle(size), kEgtFace);
  const double r = s.tip_radius() + 2;
  arc_band(cr, s.centre(), s.angle(rankine(700)), s.angle(rankine(800)), r - 4, r, colour::kGuardRed);
  s.ticks(cr, rankine(50), rankine(750), rankine(100) - rankine(0), {r, 7, 2});
  s.ticks(cr, rankine(0), rankine(800), rankine(100) - rankine(0), {r, 14, 3.5});
  s.figures(cr, rankine(0), rankine(800), rankine(200) - rankine(0), r - 28, 24,
            [](double v) { return whole((v - 491.67) / 180); });
  centred_text(cr, {s.centre().x, s.centre().y - 50}, "EGT", 16, Face::kLegendBold);
  centred_text(cr, {s.centre().x, s.centre().y + 38}, "\u00b0C x 100", 12, Face::kLegend, colour::kLegend);
}

void egt_needle(cairo_t* cr, Size) {
  const DialScale s("EGT_Indicator", 2010);
  needle(cr, s.pivot(), {.length = std::floor(s.tip_radius()) + 1, .tail = 0, .width = 8, .hub_radius = 0});
}

void egt_cover(cairo_t* cr, Size size) {
  round_cover(cr, size, kEgtFace, kEgtBezel);
  pivot_cap(cr, DialScale("EGT_Indicator", 2010).centre(), 12);
}

// --- Fuel_Pressure and Hydraulic_Pressure: two mirrored scales, 0 to 35 bars or 0 to 350 ------------
// Each needle reads the scale near the middle of the dial. The needles (80 pixels) fall short of
// their tables' points (88 to 110 pixels), so the marks run from the tips outwards.

constexpr double kPressureFace = 142, kPressureBezel = 148;
constexpr double kPressureTip = 77;  // needle length beyond the pivot

void mirrored_pressure_dial(cairo_t* cr, Size size, const char* gauge, int32_t needle_bitmap, double bars_per_unit,
                            const char* title, const char* unit) {
  dial_face(cr, middle(size), kPressureFace);
  // Both needles of a dial share a bitmap: the first is the right one, the second the left one.
  for (size_t side = 0; side < 2; ++side) {
    const DialScale s(gauge, needle_bitmap, side);
    const double r = kPressureTip + 14;
    const auto at = [&](double units) { return psf(units * bars_per_unit); };
    s.ticks(cr, at(5), at(35), at(10), {r, 7, 2});
    s.ticks(cr, at(0), at(30), at(10), {r, 16, 3.5});
    tick(cr, s.centre(), s.angle(at(35)), {r, 16, 3.5}, colour::kGuardRed);
    s.figures(cr, at(0), at(30), at(10), kPressureTip - 16, 18, [&](double v) { return whole(v / at(1)); });
  }
  centred_text(cr, {size.width / 2, 44}, title, 16, Face::kLegendBold);
  centred_text(cr, {size.width / 2, size.height - 44}, unit, 13, Face::kLegend, colour::kLegend);
}

void pressure_needle(cairo_t* cr, const char* gauge, int32_t bitmap) {
  needle(cr, DialScale(gauge, bitmap).pivot(), {.length = kPressureTip, .tail = 0, .width = 5.5, .hub_radius = 0});
}

void pressure_cover(cairo_t* cr, Size size, const char* gauge, int32_t needle_bitmap) {
  round_cover(cr, size, kPressureFace, kPressureBezel);
  pivot_cap(cr, DialScale(gauge, needle_bitmap).centre(), 10);
  pivot_cap(cr, DialScale(gauge, needle_bitmap, 1).centre(), 10);
}

// --- Fuel_Flow: 0 to 1650 kilograms per hour, the low end opened out ------------------------------
// The needle (111 pixels beyond its pivot) falls short of the table's points (118 to 123 pixels).

constexpr double kFlowFace = 142, kFlowBezel = 148;
constexpr double kFlowTip = 110;

void flow_dial(cairo_t* cr, Size) {
  const DialScale s("Fuel_Flow", 2080);
  dial_face(cr, s.centre(), kFlowFace);
  const double r = 125;
  arc_band(cr, s.centre(), s.angle(pounds(1500)), s.angle(pounds(1650)), r - 5, r, colour::kGuardRed);
  s.ticks(cr, pounds(50), pounds(450), pounds(100), {r, 8, 2});
  s.ticks(cr, pounds(600), pounds(1400), pounds(100), {r, 8, 2});
  s.ticks(cr, pounds(0), pounds(500), pounds(100), {r, r - kFlowTip + 3, 3.5});
  s.ticks(cr, pounds(1000), pounds(1500), pounds(500), {r, r - kFlowTip + 3, 3.5});
  s.figures(cr, pounds(0), pounds(500), pounds(100), r - 30, 22, [](double v) { return whole(v * kKilogramsPerPound / 100); });
  s.figures(cr, pounds(1000), pounds(1500), pounds(500), r - 30, 22, [](double v) { return whole(v * kKilogramsPerPound / 100); });
  centred_text(cr, {s.centre().x, s.centre().y + 40}, "FUEL FLOW", 13, Face::kLegendBold);
  centred_text(cr, {s.centre().x, s.centre().y + 58}, "kg/h x 100", 11, Face::kLegend, colour::kLegend);
}

void flow_needle(cairo_t* cr, Size) {
  needle(cr, DialScale("Fuel_Flow", 2080).pivot(), {.length = kFlowTip, .tail = 10, .width = 10, .hub_radius = 10});
}

void flow_cover(cairo_t* cr, Size size) { round_cover(cr, size, kFlowFace, kFlowBezel); }

// --- Triple_Indicator: hydraulic temperature, oil pressure, fuel pressure -----------------------------
// Three long needles (124 pixels, their table's points 121 to 131 away) pivoted across the face, each over its own arc.

constexpr double kTripleFace = 94, kTripleBezel = 99;
constexpr double kTripleTip = 124;
constexpr const char* kTriple = "Triple_Indicator";

// One of the three scales: `nth` needle drawn from the shared bitmap.
DialScale triple_scale(size_t nth) { return DialScale(kTriple, 2450, nth); }

void triple_dial(cairo_t* cr, Size size) {
  dial_face(cr, middle(size), kTripleFace);
  const Tick major{kTripleTip + 4, 11, 2.5}, minor{kTripleTip + 4, 5, 1.5};

  const DialScale temperature = triple_scale(0);
  temperature.ticks(cr, rankine(10), rankine(110), rankine(20) - rankine(0), minor);
  temperature.ticks(cr, rankine(0), rankine(120), rankine(20) - rankine(0), major);
  temperature.figures(cr, rankine(0), rankine(120), rankine(40) - rankine(0), kTripleTip - 18, 11,
                      [](double v) { return whole((v - 491.67) / 1.8); });
  centred_text(cr, {74, 98}, "\u00b0C", 10, Face::kLegendBold);

  const DialScale oil = triple_scale(1);
  oil.ticks(cr, psf(5), psf(15), psf(10), minor);
  oil.ticks(cr, psf(0), psf(20), psf(10), major);
  oil.figures(cr, psf(0), psf(20), psf(10), kTripleTip - 14, 12, [](double v) { return whole(bars_from_psf(v)); });
  centred_text(cr, {146, 76}, "OIL", 9, Face::kLegendBold);

  const DialScale fuel = triple_scale(2);
  fuel.ticks(cr, psf(0.5), psf(3.5), psf(1), minor);
  fuel.ticks(cr, psf(0), psf(3), psf(1), major);
  fuel.figures(cr, psf(0), psf(3), psf(1), kTripleTip - 14, 12, [](double v) { return whole(bars_from_psf(v)); });
  centred_text(cr, {98, 120}, "FUEL", 9, Face::kLegendBold);
  centred_text(cr, {100, 178}, "bar", 9, Face::kLegend, colour::kLegend);
}

void triple_needle(cairo_t* cr, Size) {
  slim_needle(cr, triple_scale(0).pivot(), kTripleTip, 2.0);
}

void triple_glass(cairo_t* cr, Size size) {
  cover_glass(cr, middle(size), kTripleFace);
  for (size_t i = 0; i < 3; ++i) pivot_cap(cr, triple_scale(i).centre(), 6);
}

void triple_cover(cairo_t* cr, Size size) {
  instrument_flange(cr, size.width, size.height, middle(size), kTripleBezel - 1);
  bezel(cr, middle(size), kTripleFace, kTripleBezel);
}

// --- Voltmeter: 0 to 30 volts over the top of the dial -------------------------------------------

constexpr double kVoltFace = 88, kVoltBezel = 93;
constexpr double kVoltTip = 68;

void volt_dial(cairo_t* cr, Size size) {
  const DialScale s("Voltmeter", 4140);
  dial_face(cr, middle(size), kVoltFace);
  const double r = 72;
  s.ticks(cr, 5, 25, 10, {r, 6, 1.6});
  s.ticks(cr, 0, 30, 10, {r, 12, 3});
  s.figures(cr, 0, 30, 10, r + 11, 15, whole);
  centred_text(cr, {s.centre().x, s.centre().y + 24}, "V", 16, Face::kLegendBold);
}

void volt_needle(cairo_t* cr, Size) {
  slim_needle(cr, DialScale("Voltmeter", 4140).pivot(), kVoltTip, 2.0);
}

void volt_cover(cairo_t* cr, Size size) {
  round_cover(cr, size, kVoltFace, kVoltBezel);
  pivot_cap(cr, DialScale("Voltmeter", 4140).centre(), 8);
}

// --- Spoilers_Position: retracted to fully deployed, in quarters -------------------------------------

constexpr double kSpoilerFace = 68, kSpoilerBezel = 73;

void spoiler_dial(cairo_t* cr, Size size) {
  const DialScale s("Spoilers_Position", 3350);
  dial_face(cr, middle(size), kSpoilerFace);
  const double r = 73;
  s.ticks(cr, 2048, 14336, 4096, {r, 6, 1.5});
  s.ticks(cr, 0, 16384, 4096, {r, 12, 3});
  const char* labels[] = {"IN", "1/4", "1/2", "3/4", "OUT"};
  for (int i = 0; i < 5; ++i) s.figure(cr, i * 4096.0, r - 22, labels[i], 11);
  centred_text(cr, {s.centre().x, s.centre().y + 22}, "SPEED BRAKE", 8, Face::kLegendBold, colour::kLegend);
}

void spoiler_needle(cairo_t* cr, Size) {
  needle(cr, DialScale("Spoilers_Position", 3350).pivot(), {.length = 70, .tail = 12, .width = 7, .hub_radius = 7});
}

void spoiler_cover(cairo_t* cr, Size size) { round_cover(cr, size, kSpoilerFace, kSpoilerBezel); }

const PainterRegistration kPainters{{
    {2000, egt_dial},
    {2010, egt_needle},
    {2020, egt_cover},
    {1470, [](cairo_t* cr, Size size) { mirrored_pressure_dial(cr, size, "Fuel_Pressure", 1480, 1, "FUEL", "bar"); }},
    {1480, [](cairo_t* cr, Size) { pressure_needle(cr, "Fuel_Pressure", 1480); }},
    {1490, [](cairo_t* cr, Size size) { pressure_cover(cr, size, "Fuel_Pressure", 1480); }},
    {1020, [](cairo_t* cr, Size size) { mirrored_pressure_dial(cr, size, "Hydraulic_Pressure", 1030, 10, "HYD", "bar x 10"); }},
    {1030, [](cairo_t* cr, Size) { pressure_needle(cr, "Hydraulic_Pressure", 1030); }},
    {1040, [](cairo_t* cr, Size size) { pressure_cover(cr, size, "Hydraulic_Pressure", 1030); }},
    {2070, flow_dial},
    {2080, flow_needle},
    {2090, flow_cover},
    {2440, triple_dial},
    {2450, triple_needle},
    {2460, triple_glass},
    {2470, triple_cover},
    {4130, volt_dial},
    {4140, volt_needle},
    {4150, volt_cover},
    {3340, spoiler_dial},
    {3350, spoiler_needle},
    {3360, spoiler_cover},
}};

}  // namespace

}  // namespace crv5::art
