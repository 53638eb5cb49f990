// Text: dial figures, placard legends, engraved captions.
#pragma once

#include <string>

#include "resources/art/style/basics.h"

namespace crv5::art {

// kFigures: dial figures and drum digits ("Arial Narrow" bold); kLegend and kLegendBold: placard
// and face captions ("Arial").
enum class Face { kFigures, kLegend, kLegendBold };

// The figure of `value` rounded to a whole number: "250".
std::string whole(double value);

// Text centred on `at`.
void centred_text(cairo_t* cr, Point at, const char* text, double size, Face face = Face::kFigures,
                  Rgb c = colour::kMarking);
// Placard text on panel paint: a bold legend centred on `at`.
void legend(cairo_t* cr, Point at, const char* text, double size = 9);
// A dial figure centred at `radius` from `centre` in the direction `degrees`, upright.
void figure(cairo_t* cr, Point centre, double degrees, double radius, const char* text, double size,
            Rgb c = colour::kMarking);

}  // namespace crv5::art
