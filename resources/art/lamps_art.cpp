// Artwork of the warning lamps: each a dark picture and, at the following ids, its lit ones. A lamp
// bitmap that several gauges share is a plain jewel in its colour; a lamp of one gauge is an
// annunciator engraved with its legend.
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

namespace {

constexpr double kJewel = 64;                             // jewel lamps: 64 x 64
constexpr double kAnnunciatorW = 96, kAnnunciatorH = 48;  // annunciators: 96 x 48

void add_jewel(Painters& p, int32_t dark, int32_t lit, Rgb c) {
  p[dark] = [c](cairo_t* cr) { jewel_lamp(cr, kJewel, kJewel, c, false); };
  p[lit] = [c](cairo_t* cr) { jewel_lamp(cr, kJewel, kJewel, c, true); };
}

// The dark picture, then one lit picture for each brightness in `lit` (ids dark + 10, + 11, ...).
void add_annunciator(Painters& p, int32_t dark, Rgb c, const char* legend,
                     std::initializer_list<double> lit = {1.0}) {
  p[dark] = [c, legend](cairo_t* cr) { annunciator(cr, kAnnunciatorW, kAnnunciatorH, c, legend, 0); };
  int32_t id = dark + 10;
  for (double light : lit)
    p[id++] = [c, legend, light](cairo_t* cr) {
      annunciator(cr, kAnnunciatorW, kAnnunciatorH, c, legend, light);
    };
}

// The marker-beacon lamps: outer (blue), middle (amber) and inner (white) in a row, 120 x 44.
constexpr double kMarkerW = 120, kMarkerH = 44;
constexpr Rgb kMarkers[] = {colour::kBlue, colour::kAmber, colour::kWhiteLamp};
constexpr const char* kMarkerLetters[] = {"O", "M", "I"};

// `lit` is the marker lit (0 outer, 1 middle, 2 inner), or -1 for none.
void marker_lamps(cairo_t* cr, int lit) {
  for (int i = 0; i < 3; ++i) {
    const double x = 4 + i * (kMarkerW - 8) / 3;
    const double w = (kMarkerW - 8) / 3 - 4;
    cairo_save(cr);
    cairo_translate(cr, x, 2);
    annunciator(cr, w, kMarkerH - 4, kMarkers[i], kMarkerLetters[i], i == lit ? 1.0 : 0.0);
    cairo_restore(cr);
  }
}

void marker_housing(cairo_t* cr) {
  panel_plate(cr, 0, 0, kMarkerW, kMarkerH, 4);
  marker_lamps(cr, -1);
}

}  // namespace

void add_lamp_painters(Painters& p) {
  // Shared by several gauges.
  add_jewel(p, 2480, 2490, colour::kYellow);  // Low_Fuel_Level_Light, Afterburner_Light
  add_jewel(p, 1000, 1010, colour::kOrange);  // fuel pressure, hydraulic pressures, pitot heat
  add_jewel(p, 2420, 2430, colour::kRed);     // Battery_Light, Generator_Light
  // One gauge each.
  add_annunciator(p, 290, colour::kAmber, "CHUTE");
  add_annunciator(p, 3320, colour::kRed, "FUEL\n10 MIN");
  add_annunciator(p, 2320, colour::kGreen, "GEAR\nDOWN");
  add_annunciator(p, 2360, colour::kRed, "GEAR");
  add_annunciator(p, 4090, colour::kRed, "FIRE");
  add_annunciator(p, 2210, colour::kRed, "AIR\nBRAKE");
  add_annunciator(p, 2340, colour::kAmber, "FLAPS", {0.45, 0.7, 1.0});  // take off, approach, landing
  // Small lit lamps drawn over their panels: the autopilot engaged lamp, the tester's rows.
  p[4200] = [](cairo_t* cr) { lamp_window(cr, 0, 0, 14, 14, colour::kGreen, true); };
  p[7010] = [](cairo_t* cr) { lamp_window(cr, 0, 0, 8, 8, colour::kGreen, false); };  // LOC: never lit
  p[7020] = [](cairo_t* cr) { lamp_window(cr, 0, 0, 8, 8, colour::kGreen, true); };
  // Marker beacons: the housing, then none, outer, middle, inner lit.
  p[2380] = marker_housing;
  for (int lit = -1; lit < 3; ++lit) p[2391 + lit] = [lit](cairo_t* cr) { marker_lamps(cr, lit); };
}

}  // namespace crv5::art
