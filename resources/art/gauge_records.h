// The module's own records, as the artwork reads them: a gauge by name in the exported Linkage,
// its elements by bitmap, its click areas. Pictures take their places from here, so that they
// agree with the records that place them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "module/gauge.h"
#include "resources/art/style.h"

namespace crv5::art {

// The gauge of that name in the module's Linkage; throws std::runtime_error when absent.
const GaugeHeader& find_gauge(const char* name);

// The gauge's elements drawn from `bitmap`, in draw order.
std::vector<const ElementHeader*> find_elements(const GaugeHeader& gauge, int32_t bitmap);

// The `nth` needle (in draw order) drawn from `bitmap` in the gauge's element tree, or null.
const ElementNeedle* find_needle(const GaugeHeader& gauge, int32_t bitmap, size_t nth = 0);

struct Box {
  double x, y, w, h;
  Point centre() const { return {x + w / 2, y + h / 2}; }
};

// Where the `nth` element drawn from `bitmap` lies on the gauge: its record's position and the
// bitmap's size in the resource script. Throws when there is no such element.
Box element_box(const char* gauge, int32_t bitmap, size_t nth = 0);

// The box of the gauge's `nth` click area (a child of the outer parent area). Throws when there is
// no such area.
Box click_box(const char* gauge, size_t nth = 0);

}  // namespace crv5::art
