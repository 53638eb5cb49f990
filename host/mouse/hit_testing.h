// Finding the mouse area under a point. Boxes of child areas and nested parents are relative to
// their enclosing parent's box; a parent box of 0, 0, 0, 0 covers the whole of its parent.
#pragma once

#include <vector>

#include "module/gauge.h"

namespace gaugehost {

// A parent or child area with its box in background-bitmap pixels (a box of 0, 0, 0, 0 resolved
// to what it covers), and how deep it lies: 0 for an outermost parent and its children.
struct PlacedArea {
  const MouseRect* rect = nullptr;
  PixBox box{};
  int depth = 0;
};

// Every parent and child area of the list, in list order, placed on a background bitmap of the
// given size (which the outermost areas are relative to).
std::vector<PlacedArea> place_mouse_areas(const MouseRect* list, PixSize bitmap);

// The first child area (kind 2), in list order, whose box holds `point`; null when none does.
// `point` is in background-bitmap pixels.
const MouseRect* hit_child(const MouseRect* list, PixPoint point);

// The parent area (kind 1) whose tooltip applies at `point`: the outer parent, descending into
// the first nested parent in list order that holds the point, as deep as they go; a parent
// without a tooltip record or help id gives way to its enclosing parent. Null when no parent
// holds the point. The tooltip record of the found parent, if any, goes to *tooltip.
const MouseRect* tooltip_parent(const MouseRect* list, PixPoint point,
                                const MouseRect** tooltip);

// Whether an area takes an event with these flags: the button bit, and the repeat or drag bit
// when one is set.
bool area_takes(const MouseRect& area, uint32_t event_flags);

}  // namespace gaugehost
