// Needle dials: a lit face with needles of one bitmap, each on a scale of its own, an optional
// glass and a cover over them; the outer mouse parent carries a help id, and each region of the
// face may show a tooltip of its own. Fuel_Pressure and Hydraulic_Pressure (two needles on
// mirrored scales) and Triple_Indicator (three scales) are needle dials. A dial is one constexpr
// row; NeedleDialRecords makes its elements and mouse list from it:
//
//   constexpr needle_dials::Needle kNeedles[] = {{.position = {250, 150}, ...}, ...};
//   constexpr needle_dials::Dial kDial = {.gauge = GaugeId::Fuel_Pressure, .face = 1470, ...};
//   GaugeHeader gauge_Fuel_Pressure = crv5::needle_dials::header<kDial>();
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "module/gauges.h"
#include "module/records.h"

namespace crv5::needle_dials {

// One needle: where it turns, what drives it and its scale. Every needle of a dial shows zero on
// failure 20 (kEngineNeedleFailures).
struct Needle {
  PixPoint position;        // the turning point, background pixels
  PixPoint pivot;           // pixels of the needle bitmap
  uint32_t source;          // token variable
  NeedleCallback callback;  // null: the needle follows its source
  NeedleTable table;
};

// A region of the face with a tooltip: its box, relative to the gauge.
struct Region {
  PixBox box;
  const TooltipText* tooltip;
};

struct Dial {
  GaugeId gauge;
  int32_t face;                      // the dial's face, lit (0x4003)
  int32_t needle;                    // every needle's bitmap
  int32_t glass;                     // over the needles, lit; 0 for none
  int32_t cover;                     // over all (0x3)
  std::span<const Needle> needles;   // in draw order
  int32_t help_id;                   // of the outer mouse parent; 0 for none
  std::span<const Region> regions;   // in list order
};

template <auto& D>
struct NeedleDialRecords {
  static constexpr GaugeHeader* gauge = header_of(D.gauge);
  static constexpr size_t kNeedles = D.needles.size();

  static inline ElementStaticImage cover =
      static_image({.gauge = gauge, .bitmap = D.cover, .flags = kCoverFlags});
  static inline ElementStaticImage glass = static_image(
      {.gauge = gauge, .bitmap = D.glass, .flags = kDialFlags, .next = children<&cover>});

  // What follows needle I in the chain: the next needle, else the glass, else the cover.
  template <size_t I>
  static constexpr ElementHeader* const* after_needle();

  template <size_t I>
  static inline ElementNeedle needle_at = needle(
      {.gauge = gauge, .bitmap = D.needle, .position = D.needles[I].position,
       .pivot = D.needles[I].pivot, .source = D.needles[I].source,
       .callback = D.needles[I].callback, .table = D.needles[I].table, .flags = kNeedleFlags,
       .failures = kEngineNeedleFailures, .next = after_needle<I>()});

  static inline ElementStaticImage face = static_image(
      {.gauge = gauge, .bitmap = D.face, .flags = kDialFlags, .next = children<&needle_at<0>>});

  static constexpr size_t kMouseSize = 3 + 3 * D.regions.size();
  static constexpr std::array<MouseRect, kMouseSize> make_mouse() {
    std::array<MouseRect, kMouseSize> list{};
    size_t n = 0;
    list[n++] = mouse_parent({}, D.help_id);
    for (const Region& region : D.regions) {
      list[n++] = mouse_parent(region.box);
      list[n++] = mouse_tooltip(region.tooltip);
      list[n++] = mouse_parent_end();
    }
    list[n++] = mouse_parent_end();
    list[n++] = mouse_end();
    return list;
  }
  static inline std::array<MouseRect, kMouseSize> mouse = make_mouse();
};

template <auto& D>
template <size_t I>
constexpr ElementHeader* const* NeedleDialRecords<D>::after_needle() {
  if constexpr (I + 1 < kNeedles)
    return children<&needle_at<I + 1>>;
  else if constexpr (D.glass != 0)
    return children<&glass>;
  else
    return children<&cover>;
}

// The header of dial D, made by NeedleDialRecords.
template <auto& D>
consteval GaugeHeader header() {
  using Records = NeedleDialRecords<D>;
  return gauge_header(D.gauge, element_list<&Records::face>, Records::mouse.data());
}

}  // namespace crv5::needle_dials
