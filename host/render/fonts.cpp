#include "host/render/fonts.h"

#include <strings.h>

namespace gaugehost::render {

std::string font_family(const std::string& face) {
  struct Mapping {
    const char* face;
    const char* family;
  };
  static constexpr Mapping kMappings[] = {
      {"Quartz", "DSEG7 Classic"},
      {"Arial", "Liberation Sans"},
  };
  for (const Mapping& m : kMappings)
    if (strcasecmp(face.c_str(), m.face) == 0) return m.family;
  return face;
}

}  // namespace gaugehost::render
