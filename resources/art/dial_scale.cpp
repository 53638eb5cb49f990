#include "resources/art/dial_scale.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "common/needle_rule.h"

namespace crv5::art {

DialScale::DialScale(const char* gauge_name, int32_t bitmap, size_t nth)
    : needle_(find_needle(find_gauge(gauge_name), bitmap, nth)) {
  if (!needle_ || !needle_->table || needle_->table_size < 1)
    throw std::runtime_error(std::string(gauge_name) + " has no needle with a table drawn from " +
                             "bitmap " + std::to_string(bitmap));
}

double DialScale::angle(double value) const {
  return common::needle_angle(needle_->table, needle_->table_size, needle_->header.position,
                                 value);
}

double DialScale::tip_radius() const {
  const PixPoint p = needle_->table[0].point;
  return std::hypot(p.x - needle_->header.position.x, p.y - needle_->header.position.y);
}

void DialScale::ticks(cairo_t* cr, double first, double last, double step, Tick t, Rgb c) const {
  const int count = int(std::lround((last - first) / step));
  for (int i = 0; i <= count; ++i) tick(cr, centre(), angle(first + i * step), t, c);
}

void DialScale::figures(cairo_t* cr, double first, double last, double step, double radius,
                        double size, const std::function<std::string(double)>& label) const {
  const int count = int(std::lround((last - first) / step));
  for (int i = 0; i <= count; ++i) {
    const double v = first + i * step;
    figure(cr, v, radius, label(v).c_str(), size);
  }
}

void DialScale::figure(cairo_t* cr, double value, double radius, const char* text, double size,
                       Rgb c) const {
  art::figure(cr, centre(), angle(value), radius, text, size, c);
}

}  // namespace crv5::art
