// Reaching a fuel or gear gauge's records as a host does: the elements of a chained tree, the
// clickable areas and the tooltips.
#pragma once

#include <stdexcept>
#include <string>

#include "module/gauge.h"
#include "tests/support/test_host.h"

namespace crv5::testing::systems_b {

inline GaugeHeader& gauge(const char* name) { return *find_gauge(name); }

// The element at `index` of a tree in which each element is the only child of the one before.
template <typename Element = ElementIcon>
Element& element_at(GaugeHeader& gauge, int index) {
  ElementHeader* e = gauge.elements[0];
  while (index-- > 0) e = e->next[0];
  return reinterpret_cast<Element&>(*e);
}

// The `index`th record of `kind` in the mouse list.
inline MouseRect& mouse_rect(GaugeHeader& gauge, int32_t kind, int index = 0) {
  for (MouseRect* r = gauge.mouse_rects; r->kind != kMouseEnd; ++r)
    if (r->kind == kind && index-- == 0) return *r;
  throw std::out_of_range("no such mouse record");
}

// A left click on the `index`th clickable area; what its mouse function returns.
inline bool click(GaugeHeader& gauge, int index = 0) {
  MouseRect& area = mouse_rect(gauge, kMouseChild, index);
  ClickRecord record{.point = {area.box.x, area.box.y}, .gauge = &gauge, .rect = &area};
  return area.function(&record, kMouseLeftSingle);
}

// The `index`th tooltip as the host shows it.
inline std::string tooltip(GaugeHeader& gauge, int index = 0) {
  return format_tooltip(*mouse_rect(gauge, kMouseTooltip, index).tooltip);
}

}  // namespace crv5::testing::systems_b
