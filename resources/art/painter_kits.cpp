#include "resources/art/painter_kits.h"

#include <cstring>

namespace crv5::art {

std::vector<PainterEntry> jewel_lamp_painters(int32_t dark, int32_t lit, Rgb c) {
  return {
      {dark, [c](cairo_t* cr, Size s) { jewel_lamp(cr, s.width, s.height, c, false); }},
      {lit, [c](cairo_t* cr, Size s) { jewel_lamp(cr, s.width, s.height, c, true); }},
  };
}

std::vector<PainterEntry> annunciator_painters(int32_t dark, Rgb c, const char* legend,
                                               std::initializer_list<double> lit) {
  std::vector<PainterEntry> painters{{dark, [c, legend](cairo_t* cr, Size s) {
                                        annunciator(cr, s.width, s.height, c, legend, 0);
                                      }}};
  int32_t id = dark + 10;
  for (double light : lit)
    painters.push_back({id++, [c, legend, light](cairo_t* cr, Size s) {
                          annunciator(cr, s.width, s.height, c, legend, light);
                        }});
  return painters;
}

std::vector<PainterEntry> drum_painters(int32_t strip, const char* digits) {
  const double cells = double(std::strlen(digits));
  return {
      {strip, [digits, cells](cairo_t* cr, Size s) {
         digit_strip(cr, s.width, s.height / cells, digits);
       }},
      {strip + 1, [](cairo_t* cr, Size s) { drum_window(cr, s.width, s.height); }},
  };
}

}  // namespace crv5::art
