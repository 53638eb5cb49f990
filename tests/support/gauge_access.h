// What the gauges' unit tests share: a gauge's elements in draw order and by index, a click on one
// of its child areas, and its tooltip's word.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "module/gauge.h"
#include "module/services.h"
#include "tests/support/test_host.h"

namespace crv5::testing {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The gauge's elements in draw order: an element, then its children, then its next sibling.
inline void flatten(ElementHeader* const* list, std::vector<ElementHeader*>& out) {
  for (; list && *list; ++list) {
    out.push_back(*list);
    flatten((*list)->next, out);
  }
}
inline std::vector<ElementHeader*> elements_in_draw_order(const GaugeHeader& gauge) {
  std::vector<ElementHeader*> out;
  flatten(gauge.elements, out);
  return out;
}

template <class Element>
Element& element(const char* gauge, size_t index) {
  return reinterpret_cast<Element&>(*elements_in_draw_order(*find_gauge(gauge)).at(index));
}

// An icon's value as the host finds it: a lamp's 0 lit or -1 dark, a switch's picture.
inline double icon(const char* gauge, size_t index = 1) { return evaluate(element<ElementIcon>(gauge, index)); }

// Calls the mouse function of the gauge's `nth` child area (every child area counted, in list
// order) as on a click at the area's corner, or while the button is held; returns its result.
inline bool click(const char* gauge, size_t nth = 0, uint32_t flags = kMouseLeftSingle) {
  GaugeHeader& g = *find_gauge(gauge);
  for (MouseRect* r = g.mouse_rects; r->kind != kMouseEnd; ++r) {
    if (r->kind != kMouseChild || nth-- != 0) continue;
    if (!r->function) ADD_FAILURE() << gauge << ": the area has no mouse function";
    ClickRecord record{.point = {r->box.x, r->box.y}, .gauge = &g, .rect = r};
    return r->function && r->function(&record, flags);
  }
  ADD_FAILURE() << gauge << " has too few click areas";
  return false;
}

// The text of the first argument of the tooltip at `rect` in the gauge's mouse list, as the host
// would ask for it now.
inline std::string tooltip_word(const char* gauge, size_t rect = 1) {
  return find_gauge(gauge)->mouse_rects[rect].tooltip_args[0].text(0, 0, nullptr, nullptr, nullptr);
}

}  // namespace crv5::testing
