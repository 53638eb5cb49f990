// Reaching into a gauge's records as a host does: its elements in draw order, its clickable
// areas and its tooltips, for the start-state, starter board and parachute tests.
#pragma once

#include <string>
#include <vector>

#include "module/gauge.h"
#include "tests/support/test_host.h"

namespace crv5::testing::systems_a {

// The elements of a gauge whose tree is a chain (each element the only child of the one before).
inline std::vector<ElementHeader*> element_chain(GaugeHeader& gauge) {
  std::vector<ElementHeader*> chain;
  for (ElementHeader* e = gauge.elements[0]; e; e = e->next ? e->next[0] : nullptr)
    chain.push_back(e);
  return chain;
}

inline ElementIcon& icon_at(GaugeHeader& gauge, size_t index) {
  return reinterpret_cast<ElementIcon&>(*element_chain(gauge).at(index));
}

// The clickable child areas, in list order.
inline std::vector<MouseRect*> child_areas(GaugeHeader& gauge) {
  std::vector<MouseRect*> areas;
  for (MouseRect* r = gauge.mouse_rects; r->kind != kMouseEnd; ++r)
    if (r->kind == kMouseChild) areas.push_back(r);
  return areas;
}

// Calls the mouse function of the child area at `index` as a click with `flags` would.
inline bool click(GaugeHeader& gauge, size_t index, uint32_t flags = kMouseLeftSingle) {
  MouseRect* area = child_areas(gauge).at(index);
  ClickRecord record{.point = {area->box.x, area->box.y}, .gauge = &gauge, .rect = area};
  return area->function(&record, flags);
}

// The tooltip records, in list order.
inline std::vector<const TooltipText*> tooltips(GaugeHeader& gauge) {
  std::vector<const TooltipText*> out;
  for (MouseRect* r = gauge.mouse_rects; r->kind != kMouseEnd; ++r)
    if (r->kind == kMouseTooltip) out.push_back(r->tooltip);
  return out;
}

// The text argument `number` (counted from 1) of a tooltip, as the host would fetch it.
inline std::string tooltip_text_arg(const TooltipText& tooltip, int number) {
  const TooltipArg& arg = tooltip.args[number - 1];
  return arg.text(0, 0, nullptr, nullptr, nullptr);
}

}  // namespace crv5::testing::systems_a
