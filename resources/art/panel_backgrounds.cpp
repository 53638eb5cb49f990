#include "resources/art/panel_backgrounds.h"

#include "resources/art/style.h"

namespace crv5::art {

namespace {

// A group of instruments: a slightly darker field with a legend over its top edge.
struct Group {
  double x, y, w, h;  // window pixels
  const char* legend;
};

void paint_panel(cairo_t* cr, Size size, const std::vector<Group>& groups) {
  panel_plate(cr, 0, 0, size.width, size.height, 6);
  for (const Group& g : groups) {
    rounded_rectangle(cr, g.x, g.y, g.w, g.h, 8);
    set_colour(cr, scaled(colour::kPanel, 0.82));
    cairo_fill_preserve(cr);
    set_colour(cr, scaled(colour::kPanel, 1.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (g.legend[0] != '\0') legend(cr, {g.x + g.w / 2, g.y + 7}, g.legend, 8);
  }
  const double inset = 9;
  for (Point at : {Point{inset, inset}, Point{size.width - inset, inset},
                   Point{inset, size.height - inset}, Point{size.width - inset, size.height - inset}})
    screw(cr, at, 4.5);
}

Painter panel(std::vector<Group> groups) {
  return [groups = std::move(groups)](cairo_t* cr, Size size) { paint_panel(cr, size, groups); };
}

}  // namespace

// Sizes and places follow panels/corvane/panel.cfg: each group frames the gauges the file lists
// under that heading.
std::vector<PanelBackground> corvane_backgrounds() {
  return {
      {"main_panel.bmp", {1600, 820}, panel({{16, 140, 330, 480, "LANDING GEAR - BRAKE - CHUTE"},
                                             {344, 2, 590, 62, ""},
                                             {344, 70, 590, 556, "FLIGHT"},
                                             {344, 628, 940, 190, "NAVIGATION"},
                                             {934, 14, 356, 606, "ENGINE - FUEL"},
                                             {1298, 14, 298, 600, "SYSTEMS"},
                                             {4, 640, 332, 170, "PANELS"}})},
      {"starter.bmp", {260, 312}, panel({{2, 2, 256, 308, ""}})},
      {"electrical.bmp", {420, 230}, panel({{10, 6, 400, 96, "POWER"},
                                            {10, 118, 400, 104, "LIGHTS"}})},
      {"autopilot.bmp", {370, 190}, panel({{2, 2, 332, 186, ""}})},
      {"radios.bmp", {650, 440}, panel({{4, 4, 314, 432, "NAV - XPDR"},
                                        {324, 4, 322, 432, "COM - ADF"}})},
      {"landing.bmp", {325, 130}, panel({{4, 4, 317, 122, ""}})},
      {"throttle.bmp", {260, 338}, panel({{2, 56, 132, 280, "THROTTLE"},
                                          {136, 4, 120, 330, ""}})},
      {"compass.bmp", {160, 208}, panel({})},
      {"gps.bmp", {130, 130}, panel({})},
      {"ifr_panel.bmp", {1000, 520}, panel({{10, 10, 760, 500, "FLIGHT"}})},
      {"ap_tester.bmp", {360, 610}, panel({})},
  };
}

}  // namespace crv5::art
