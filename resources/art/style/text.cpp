#include "resources/art/style/text.h"

#include <cmath>

namespace crv5::art {

std::string whole(double value) { return std::to_string(std::lround(value)); }

namespace {

void select_face(cairo_t* cr, Face face) {
  switch (face) {
    case Face::kFigures:
      cairo_select_font_face(cr, "Arial Narrow", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
    case Face::kLegend:
      cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
      break;
    case Face::kLegendBold:
      cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
  }
}

}  // namespace

void centred_text(cairo_t* cr, Point at, const char* text, double size, Face face, Rgb c) {
  select_face(cr, face);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  cairo_move_to(cr, at.x - e.x_bearing - e.width / 2, at.y - e.y_bearing - e.height / 2);
  set_colour(cr, c);
  cairo_show_text(cr, text);
  cairo_new_path(cr);
}

void legend(cairo_t* cr, Point at, const char* text, double size) {
  centred_text(cr, at, text, size, Face::kLegendBold, colour::kLegend);
}

void figure(cairo_t* cr, Point centre, double degrees, double radius, const char* text, double size,
            Rgb c) {
  centred_text(cr, polar(centre, degrees, radius), text, size, Face::kFigures, c);
}

}  // namespace crv5::art
