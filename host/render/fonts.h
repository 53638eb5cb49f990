// The fonts the library's text records name, mapped to installed faces: "Quartz" to a
// seven-segment face, "Arial" to a sans face with Arial's metrics.
#pragma once

#include <string>

namespace gaugehost::render {

// The fontconfig family that draws a record's face name; unknown names are passed on as they are
// (fontconfig then picks its closest match).
std::string font_family(const std::string& face);

}  // namespace gaugehost::render
