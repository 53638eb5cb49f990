// A dial's scale as its needle sees it: the needle record is found in the module's own records
// (the gauge by name in the exported Linkage, the needle by its bitmap in the gauge's element
// tree), and a value's mark is placed where the needle rule (common/needle_rule.h), the host's own,
// points the needle for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "module/gauge.h"
#include "resources/art/gauge_records.h"
#include "resources/art/style.h"

namespace crv5::art {

class DialScale {
 public:
  // The scale of the needle drawn from `bitmap` in gauge `gauge_name` (the `nth` such needle in
  // draw order, where several share the bitmap); throws when the gauge has no such needle or the
  // needle has no table.
  DialScale(const char* gauge_name, int32_t bitmap, size_t nth = 0);

  Point centre() const {
    return {double(needle_->header.position.x), double(needle_->header.position.y)};
  }
  // Where the needle's bitmap turns about, in that bitmap's pixels: where its painter puts the hub.
  Point pivot() const {
    return {double(needle_->header.pivot.x), double(needle_->header.pivot.y)};
  }
  // Degrees clockwise from 12 o'clock at which the needle points for `value`.
  double angle(double value) const;
  // The distance from the centre to the table's first point: where the needle's tip reaches.
  double tip_radius() const;

  // Marks from `first` to `last` (inclusive) every `step`.
  void ticks(cairo_t* cr, double first, double last, double step, Tick t,
             Rgb c = colour::kMarking) const;
  // A figure for `value` at `radius`.
  void figure(cairo_t* cr, double value, double radius, const char* text, double size,
              Rgb c = colour::kMarking) const;
  // Figures from `first` to `last` every `step`, each the text `label` gives for its value.
  void figures(cairo_t* cr, double first, double last, double step, double radius, double size,
               const std::function<std::string(double)>& label) const;

 private:
  const ElementNeedle* needle_;
};

}  // namespace crv5::art
