// Building blocks for a gauge's static records, so that a gauge source reads like its tables.
#pragma once

#include <cstring>

#include "module/gauge.h"

namespace crv5 {

// A token-variable record naming `id`, as element sources and tooltip arguments carry it.
constexpr ModuleVar var(uint32_t id) { return ModuleVar{.id = id}; }

// The children list of an element: children<&a, &b> is { &a.header, &b.header, null }.
template <auto*... Children>
inline ElementHeader* const children[] = {&Children->header..., nullptr};

// The element list of a gauge header: the root element, then null.
template <auto* Root>
inline ElementHeader* const element_list[] = {&Root->header, nullptr};

// Mouse-area records, in the order a list uses them.
constexpr MouseRect mouse_parent(PixBox box = {}, int32_t help_id = 0) {
  return MouseRect{.kind = kMouseParent, .box = box, .cursor = kCursorNone, .help_id = help_id};
}
constexpr MouseRect mouse_tooltip(const TooltipText* tooltip, int32_t help_id = 0) {
  return MouseRect{.kind = kMouseTooltip, .cursor = kCursorNone, .help_id = help_id,
                   .tooltip = tooltip};
}
constexpr MouseRect mouse_child(PixBox box, int32_t cursor, uint32_t flags, MouseFunction function) {
  return MouseRect{.kind = kMouseChild, .box = box, .cursor = cursor, .mouse_flags = flags,
                   .function = function};
}
// A child whose click the host turns into `event_id` itself.
constexpr MouseRect mouse_key_child(PixBox box, int32_t cursor, uint32_t flags, uint32_t event_id) {
  return MouseRect{.kind = kMouseChild, .box = box, .cursor = cursor, .mouse_flags = flags,
                   .event_id = event_id};
}
constexpr MouseRect mouse_parent_end() { return MouseRect{.kind = kMouseParentEnd}; }
constexpr MouseRect mouse_end() { return MouseRect{.kind = kMouseEnd}; }

// Tooltip arguments with one callback each.
constexpr TooltipArg tooltip_number(TooltipNumberFn fn) { return TooltipArg{.number = fn}; }
constexpr TooltipArg tooltip_text(TooltipTextFn fn) { return TooltipArg{.text = fn}; }

// A gauge header with the fields a module fills.
constexpr GaugeHeader gauge_header(const char* name, double width_mm,
                                   ElementHeader* const* elements, MouseRect* mouse_rects,
                                   GaugeCallback callback = nullptr) {
  return GaugeHeader{.version = kGaugeHeaderVersion, .name = name, .elements = elements,
                     .callback = callback, .mouse_rects = mouse_rects, .width_mm = width_mm};
}

// The gauge of that name in a linkage's table, or null.
inline GaugeHeader* find_gauge(const GaugeLinkage& linkage, const char* name) {
  for (int i = 0; i < kMaxGauges && linkage.gauges[i]; ++i)
    if (std::strcmp(linkage.gauges[i]->name, name) == 0) return linkage.gauges[i];
  return nullptr;
}

}  // namespace crv5

// Tooltip callback parameter lists, for callbacks that ignore them.
#define CRV5_TOOLTIP_PARAMS double, uint32_t, const char*, ModuleVar*, GaugeHeader*
