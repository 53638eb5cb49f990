#include "resources/art/style/lamp.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "resources/art/style/dial.h"
#include "resources/art/style/text.h"

namespace crv5::art {

namespace {

// The lines of a legend separated by '\n'.
std::vector<std::string> lines_of(const char* legend) {
  std::vector<std::string> lines;
  for (const char *start = legend, *end; ; start = end + 1) {
    end = std::strchr(start, '\n');
    lines.emplace_back(start, end ? end : start + std::strlen(start));
    if (!end) break;
  }
  return lines;
}

}  // namespace

void jewel_lamp(cairo_t* cr, double w, double h, Rgb c, bool lit) {
  const Point centre{w / 2, h / 2};
  const double r = std::min(w, h) / 2;
  bezel(cr, centre, r * 0.66, r * 0.98);
  // Knurled edge of the lamp cap.
  for (int i = 0; i < 36; ++i) tick(cr, centre, i * 10.0, {r * 0.97, r * 0.12, 1.0}, {0, 0, 0});
  const double lens = r * 0.66;
  PatternOwner p(cairo_pattern_create_radial(centre.x - lens * 0.3, centre.y - lens * 0.35,
                                             lens * 0.05, centre.x, centre.y, lens));
  if (lit) {
    add_stop(p.get(), 0, mix(c, {1, 1, 1}, 0.75));
    add_stop(p.get(), 0.45, c);
    add_stop(p.get(), 1, scaled(c, 0.7));
  } else {
    add_stop(p.get(), 0, scaled(c, 0.42));
    add_stop(p.get(), 0.5, scaled(c, 0.2));
    add_stop(p.get(), 1, scaled(c, 0.1));
  }
  circle(cr, centre, lens);
  fill_with(cr, p);
  // Facets of the jewel: faint rings, and a specular spot.
  for (double k : {0.4, 0.72}) {
    circle(cr, centre, lens * k);
    cairo_set_line_width(cr, 0.8);
    set_colour(cr, {1, 1, 1}, lit ? 0.25 : 0.08);
    cairo_stroke(cr);
  }
  circle(cr, {centre.x - lens * 0.35, centre.y - lens * 0.4}, lens * 0.14);
  set_colour(cr, {1, 1, 1}, lit ? 0.7 : 0.3);
  cairo_fill(cr);
}

void annunciator(cairo_t* cr, double w, double h, Rgb c, const char* legend, double light) {
  const bool lit = light > 0;
  if (lit) c = scaled(c, 0.4 + 0.6 * std::min(light, 1.0));
  rounded_rectangle(cr, 0, 0, w, h, h * 0.1);
  fill_with(cr, sheen(0, h, {0.1, 0.1, 0.11}, 0.3));
  const double in = std::max(2.0, h * 0.09);
  const double x = in, y = in, cw = w - 2 * in, ch = h - 2 * in;
  PatternOwner p(cairo_pattern_create_linear(0, y, 0, y + ch));
  if (lit) {
    add_stop(p.get(), 0, mix(c, {1, 1, 1}, 0.45));
    add_stop(p.get(), 0.5, c);
    add_stop(p.get(), 1, scaled(c, 0.78));
  } else {
    add_stop(p.get(), 0, scaled(c, 0.3));
    add_stop(p.get(), 1, scaled(c, 0.14));
  }
  rounded_rectangle(cr, x, y, cw, ch, h * 0.06);
  fill_with(cr, p);
  // The legend, one line after the other, centred on the cap.
  const std::vector<std::string> lines = lines_of(legend);
  size_t longest = 1;
  for (const auto& line : lines) longest = std::max(longest, line.size());
  const double size = std::min(ch / (lines.size() + 0.6), cw / (0.7 * longest + 1.0));
  const Rgb ink = lit ? scaled(c, 0.22) : Rgb{0.46, 0.46, 0.44};
  for (size_t i = 0; i < lines.size(); ++i) {
    const double cy = y + ch / 2 + (i - (lines.size() - 1) / 2.0) * size * 1.05;
    centred_text(cr, {w / 2, cy}, lines[i].c_str(), size, Face::kLegendBold, ink);
  }
  // A glint along the top of the cap.
  rounded_rectangle(cr, x + 2, y + 1.5, cw - 4, ch * 0.22, h * 0.05);
  set_colour(cr, {1, 1, 1}, lit ? 0.22 : 0.07);
  cairo_fill(cr);
}

void lamp_window(cairo_t* cr, double x, double y, double w, double h, Rgb c, bool lit) {
  const double corner = std::min(w, h) * 0.3;
  rounded_rectangle(cr, x, y, w, h, corner);
  set_colour(cr, {0, 0, 0});
  cairo_fill(cr);
  const double in = std::max(1.0, std::min(w, h) * 0.12);
  PatternOwner p(cairo_pattern_create_linear(x, y, x + w * 0.3, y + h));
  if (lit) {
    add_stop(p.get(), 0, mix(c, {1, 1, 1}, 0.6));
    add_stop(p.get(), 0.5, c);
    add_stop(p.get(), 1, scaled(c, 0.75));
  } else {
    add_stop(p.get(), 0, scaled(c, 0.32));
    add_stop(p.get(), 1, scaled(c, 0.12));
  }
  rounded_rectangle(cr, x + in, y + in, w - 2 * in, h - 2 * in, corner * 0.6);
  fill_with(cr, p);
}

}  // namespace crv5::art
