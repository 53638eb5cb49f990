#include "resources/art/gauge_records.h"

#include <stdexcept>
#include <string>

#include "module/records.h"
#include "resources/resource_script.h"

extern "C" GaugeLinkage Linkage;

namespace crv5::art {

namespace {

void collect(ElementHeader* const* list, int32_t bitmap, std::vector<const ElementHeader*>& out) {
  for (; list && *list; ++list) {
    if ((*list)->resource_id == bitmap) out.push_back(*list);
    collect((*list)->next, bitmap, out);
  }
}

const resources::BitmapResource& scripted(int32_t bitmap) {
  for (const auto& b : resources::kBitmaps)
    if (b.id == bitmap) return b;
  throw std::runtime_error("bitmap " + std::to_string(bitmap) + " is not in the resource script");
}

}  // namespace

const GaugeHeader& find_gauge(const char* name) {
  if (const GaugeHeader* gauge = crv5::find_gauge(Linkage, name)) return *gauge;
  throw std::runtime_error(std::string("no gauge named ") + name + " in the module");
}

std::vector<const ElementHeader*> find_elements(const GaugeHeader& gauge, int32_t bitmap) {
  std::vector<const ElementHeader*> found;
  collect(gauge.elements, bitmap, found);
  return found;
}

const ElementNeedle* find_needle(const GaugeHeader& gauge, int32_t bitmap, size_t nth) {
  for (const ElementHeader* e : find_elements(gauge, bitmap))
    if (e->kind == kElementNeedle && nth-- == 0) return reinterpret_cast<const ElementNeedle*>(e);
  return nullptr;
}

Box element_box(const char* gauge, int32_t bitmap, size_t nth) {
  const auto found = find_elements(find_gauge(gauge), bitmap);
  if (nth >= found.size())
    throw std::runtime_error(std::string(gauge) + " has no element " + std::to_string(nth + 1) +
                             " drawn from bitmap " + std::to_string(bitmap));
  const auto& b = scripted(bitmap);
  return {double(found[nth]->position.x), double(found[nth]->position.y), double(b.width),
          double(b.height)};
}

Box click_box(const char* gauge, size_t nth) {
  size_t seen = 0;
  for (const MouseRect* m = find_gauge(gauge).mouse_rects; m && m->kind != kMouseEnd; ++m)
    if (m->kind == kMouseChild && seen++ == nth)
      return {double(m->box.x), double(m->box.y), double(m->box.width), double(m->box.height)};
  throw std::runtime_error(std::string(gauge) + " has no click area " + std::to_string(nth + 1));
}

}  // namespace crv5::art
