// Reaching a gauge's records as a host does: elements of a chained tree, clickable areas.
#pragma once

#include <stdexcept>
#include <vector>

#include "module/gauge.h"

namespace crv5::testing::systems_a {

// The element at `index` of a tree in which each element is the only child of the one before.
inline ElementIcon& icon_at(GaugeHeader& gauge, int index) {
  ElementHeader* e = gauge.elements[0];
  while (index-- > 0) e = e->next[0];
  return reinterpret_cast<ElementIcon&>(*e);
}

// The `index`th record of `kind` in the mouse list.
inline MouseRect& mouse_rect(GaugeHeader& gauge, int32_t kind, int index) {
  for (MouseRect* r = gauge.mouse_rects; r->kind != kMouseEnd; ++r)
    if (r->kind == kind && index-- == 0) return *r;
  throw std::out_of_range("no such mouse record");
}

// A click on the `index`th clickable area.
inline bool click(GaugeHeader& gauge, int index, uint32_t flags = kMouseLeftSingle) {
  MouseRect& area = mouse_rect(gauge, kMouseChild, index);
  ClickRecord record{.point = {area.box.x, area.box.y}, .gauge = &gauge, .rect = &area};
  return area.function(&record, flags);
}

}  // namespace crv5::testing::systems_a
