#include "host/mouse/hit_testing.h"

#include <vector>

namespace gaugehost {

namespace {

// Where an area lies in background pixels; an unbounded extent holds every point.
struct Extent {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool unbounded = true;

  bool holds(PixPoint p) const {
    return unbounded || (p.x >= x && p.x < x + width && p.y >= y && p.y < y + height);
  }
};

// A box of 0, 0, 0, 0 covers the whole of its enclosing parent; other boxes are relative to it.
Extent place(const PixBox& box, const Extent& enclosing) {
  if (box.x == 0 && box.y == 0 && box.width == 0 && box.height == 0) return enclosing;
  return Extent{enclosing.unbounded ? box.x : enclosing.x + box.x,
                enclosing.unbounded ? box.y : enclosing.y + box.y, box.width, box.height, false};
}

// A parent area with what it holds, read from the flat list.
struct ParentNode {
  const MouseRect* rect = nullptr;
  const MouseRect* tooltip = nullptr;
  Extent extent;
  std::vector<ParentNode> parents;
};

// Reads the parent that begins at list[i] (kind 1) up to its end record; returns the index after
// it. A list that ends early ends every open parent.
size_t read_parent(const MouseRect* list, size_t i, const Extent& enclosing, ParentNode& node) {
  node.rect = &list[i];
  node.extent = place(list[i].box, enclosing);
  for (++i; list[i].kind != kMouseEnd; ++i) {
    switch (list[i].kind) {
      case kMouseParentEnd: return i + 1;
      case kMouseTooltip:
        if (!node.tooltip) node.tooltip = &list[i];
        break;
      case kMouseParent:
        node.parents.emplace_back();
        i = read_parent(list, i, node.extent, node.parents.back()) - 1;
        break;
      default: break;
    }
  }
  return i;
}

bool has_tooltip(const ParentNode& node) {
  return node.tooltip || node.rect->help_id != 0;
}

const ParentNode* deepest_with_tooltip(const ParentNode& node, PixPoint point) {
  if (!node.extent.holds(point)) return nullptr;
  for (const ParentNode& inner : node.parents) {
    if (!inner.extent.holds(point)) continue;
    if (const ParentNode* found = deepest_with_tooltip(inner, point)) return found;
    break;  // only the first nested parent holding the point counts
  }
  return has_tooltip(node) ? &node : nullptr;
}

}  // namespace

const MouseRect* hit_child(const MouseRect* list, PixPoint point) {
  if (!list) return nullptr;
  std::vector<Extent> parents{Extent{}};
  for (const MouseRect* rect = list; rect->kind != kMouseEnd; ++rect) {
    switch (rect->kind) {
      case kMouseParent: parents.push_back(place(rect->box, parents.back())); break;
      case kMouseParentEnd:
        if (parents.size() > 1) parents.pop_back();
        break;
      case kMouseChild:
        if (place(rect->box, parents.back()).holds(point)) return rect;
        break;
      default: break;
    }
  }
  return nullptr;
}

const MouseRect* tooltip_parent(const MouseRect* list, PixPoint point, const MouseRect** tooltip) {
  if (tooltip) *tooltip = nullptr;
  if (!list || list[0].kind != kMouseParent) return nullptr;
  ParentNode outer;
  read_parent(list, 0, Extent{}, outer);
  const ParentNode* found = deepest_with_tooltip(outer, point);
  if (!found) return nullptr;
  if (tooltip) *tooltip = found->tooltip;
  return found->rect;
}

std::vector<PlacedArea> place_mouse_areas(const MouseRect* list, PixSize bitmap) {
  std::vector<PlacedArea> areas;
  if (!list) return areas;
  std::vector<Extent> parents{Extent{0, 0, bitmap.width, bitmap.height, false}};
  for (const MouseRect* rect = list; rect->kind != kMouseEnd; ++rect) {
    if (rect->kind == kMouseParentEnd && parents.size() > 1) parents.pop_back();
    if (rect->kind != kMouseParent && rect->kind != kMouseChild) continue;
    const Extent extent = place(rect->box, parents.back());
    areas.push_back({rect, {extent.x, extent.y, extent.width, extent.height},
                     int(parents.size()) - 1});
    if (rect->kind == kMouseParent) parents.push_back(extent);
  }
  return areas;
}

bool area_takes(const MouseRect& area, uint32_t event_flags) {
  const uint32_t wanted = event_flags & (kMouseLeftSingle | kMouseRightSingle | kMouseRepeat |
                                         kMouseLeftDrag);
  return wanted != 0 && (area.mouse_flags & wanted) == wanted;
}

}  // namespace gaugehost
