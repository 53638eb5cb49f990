// What the gauges' unit tests share: a gauge's elements by draw-order index, a click on one of its
// child areas, an element evaluated the way the host does it (the source read into the element's
// record, whole-number tokens included), and a tooltip filled as the host fills it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "module/services.h"
#include "tests/support/record_checks.h"

namespace crv5::testing {

constexpr uint32_t kRight = 0x80000000;

template <class Element>
Element& element(const char* gauge, size_t index) {
  return reinterpret_cast<Element&>(*elements_in_draw_order(*find_gauge(gauge)).at(index));
}

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

// The host's own read of a token into a record, as it fills an element's source.
inline void fill(ModuleVar& var) {
  if (var.id != 0) host_services()->lookup_var(&var);
}

inline double update(ElementNeedle& e) {
  fill(e.source);
  return e.callback ? e.callback(&e) : e.source.value.f;
}
inline double update(ElementIcon& e) {
  fill(e.source);
  return e.callback ? e.callback(&e) : e.source.value.f;
}
inline double update(ElementSprite& e) {
  fill(e.rotation.source);
  return e.rotation_callback ? e.rotation_callback(&e) : e.rotation.source.value.f;
}
// A text string's callback with a buffer of its character count; returns the text.
inline std::string update(ElementString& e) {
  std::vector<char> buffer(size_t(e.char_count) + 1, '\0');
  e.text = buffer.data();
  for (ModuleVar& source : e.source) fill(source);
  e.callback(&e);
  e.text = nullptr;
  return std::string(buffer.data());
}

namespace detail {

// One "%N!fmt!" placeholder filled: "s" by the text callback, "d" rounded, others by printf.
inline std::string fill_placeholder(const TooltipArg& arg, const std::string& format) {
  char out[256];
  const char letter = format.back();
  if (letter == 's') {
    std::snprintf(out, sizeof out, ("%" + format).c_str(), arg.text(0, 0, nullptr, nullptr, nullptr));
  } else if (letter == 'd') {
    std::snprintf(out, sizeof out, ("%" + format.substr(0, format.size() - 1) + "lld").c_str(),
                  static_cast<long long>(std::round(arg.number(0, 0, nullptr, nullptr, nullptr))));
  } else {
    std::snprintf(out, sizeof out, ("%" + format).c_str(), arg.number(0, 0, nullptr, nullptr, nullptr));
  }
  return out;
}

}  // namespace detail

// The `nth` tooltip record with a text, filled as the host fills it ("d" rounded).
inline std::string tooltip_text(const char* gauge, size_t nth = 0) {
  const MouseRect* tooltip = nullptr;
  size_t seen = 0;
  for (MouseRect* r = find_gauge(gauge)->mouse_rects; r->kind != kMouseEnd; ++r)
    if (r->kind == kMouseTooltip && r->tooltip_text && seen++ == nth) tooltip = r;
  if (!tooltip) return "<no tooltip>";
  std::string out;
  for (const char* p = tooltip->tooltip_text; *p;) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9' && p[2] == '!') {
      const char* end = std::strchr(p + 3, '!');
      out += detail::fill_placeholder(tooltip->tooltip_args[p[1] - '1'], std::string(p + 3, end));
      p = end + 1;
    } else {
      out += *p++;
    }
  }
  return out;
}

}  // namespace crv5::testing
