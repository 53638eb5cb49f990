// Artwork of the warning lamps: each a dark picture and, at the following ids, its lit ones. A lamp
// bitmap that several gauges share is a plain jewel in its colour; a lamp of one gauge is an
// annunciator engraved with its legend.
#include "resources/art/painter_kits.h"

namespace crv5::art {

namespace {

// Shared by several gauges.
const PainterRegistration kYellowJewel{
    jewel_lamp_painters(2480, 2490, colour::kYellow)};  // Low_Fuel_Level_Light, Afterburner_Light
const PainterRegistration kOrangeJewel{
    jewel_lamp_painters(1000, 1010, colour::kOrange)};  // fuel and hydraulic pressures, pitot heat
const PainterRegistration kRedJewel{
    jewel_lamp_painters(2420, 2430, colour::kRed)};  // Battery_Light, Generator_Light

// One gauge each.
const PainterRegistration kChute{annunciator_painters(290, colour::kAmber, "CHUTE")};
const PainterRegistration kTenMinutes{annunciator_painters(3320, colour::kRed, "FUEL\n10 MIN")};
const PainterRegistration kGearDown{annunciator_painters(2320, colour::kGreen, "GEAR\nDOWN")};
const PainterRegistration kGearWarning{annunciator_painters(2360, colour::kRed, "GEAR")};
const PainterRegistration kFire{annunciator_painters(4090, colour::kRed, "FIRE")};
const PainterRegistration kAirBrake{annunciator_painters(2210, colour::kRed, "AIR\nBRAKE")};
const PainterRegistration kFlaps{annunciator_painters(2340, colour::kAmber, "FLAPS",
                                                      {0.45, 0.7, 1.0})};  // take off, approach, landing

// Small lamps drawn over their panels: the autopilot engaged lamp, the tester's rows.
void lit_green(cairo_t* cr, Size s) { lamp_window(cr, 0, 0, s.width, s.height, colour::kGreen, true); }
const PainterRegistration kSmallLamps{{
    {4200, lit_green},
    {7010, [](cairo_t* cr, Size s) {  // LOC: a darker green (its gauge never lights it)
       lamp_window(cr, 0, 0, s.width, s.height, {0.10, 0.62, 0.18}, true);
     }},
    {7020, lit_green},
}};

// The marker-beacon lamps: outer (blue), middle (amber) and inner (white) in a row.
constexpr Rgb kMarkers[] = {colour::kBlue, colour::kAmber, colour::kWhiteLamp};
constexpr const char* kMarkerLetters[] = {"O", "M", "I"};

// `lit` is the marker lit (0 outer, 1 middle, 2 inner), or -1 for none.
void marker_lamps(cairo_t* cr, Size s, int lit) {
  for (int i = 0; i < 3; ++i) {
    const double x = 4 + i * (s.width - 8) / 3;
    const double w = (s.width - 8) / 3 - 4;
    const SavedState saved(cr);
    cairo_translate(cr, x, 2);
    annunciator(cr, w, s.height - 4, kMarkers[i], kMarkerLetters[i], i == lit ? 1.0 : 0.0);
  }
}

void marker_housing(cairo_t* cr, Size s) {
  panel_plate(cr, 0, 0, s.width, s.height, 4);
  marker_lamps(cr, s, -1);
}

// The housing, then none, outer, middle, inner lit.
std::vector<PainterEntry> marker_painters() {
  std::vector<PainterEntry> painters{{2380, marker_housing}};
  for (int lit = -1; lit < 3; ++lit)
    painters.push_back({2391 + lit, [lit](cairo_t* cr, Size s) { marker_lamps(cr, s, lit); }});
  return painters;
}
const PainterRegistration kMarkerLamps{marker_painters()};

}  // namespace

}  // namespace crv5::art
