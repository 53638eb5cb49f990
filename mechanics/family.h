// Gauge families: one piece of code bound to a constexpr table of members. A member is a small
// gauge made of a background image, optionally a picture icon over it, one outer mouse parent
// with a help id or a tooltip, and optionally one click area. Its row in the table holds all its
// numbers; the family's records template makes its elements, mouse list, click function and gauge
// callback from that row, and CRV5_FAMILY_MEMBER defines its header:
//
//   constexpr family::Member kLamps[] = {{.gauge = GaugeId::Fire_Light, .base = 4090, ...}, ...};
//   CRV5_FAMILY_MEMBER(lamps::Lamp, kLamps, Fire_Light);
//
// A family is an alias of MemberRecords with the image flags of its pictures (lamps: bright;
// switches: plain). A member whose picture slides instead of changing (a lever's marker on its
// scale) gives .slide; one with more than one click area lists the others in .more_clicks. See
// controls/README.md.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <span>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "sound/sound_player.h"

namespace crv5::family {

// A click area beyond a member's first: the host sends .event itself, unless .on_click is given.
struct ClickArea {
  PixBox box;                                // background pixels
  int32_t cursor = kCursorHand;
  uint32_t mouse_flags = kMouseLeftSingle;
  uint32_t event;                            // key event the host sends; 0 with on_click
  MouseFunction on_click;                    // a click function of the member's own, or null
};

// One member of a family: its gauge, bitmaps, token, event, sound, tooltip and help id.
struct Member {
  GaugeId gauge;                             // the member's row of the gauge table
  int32_t base;                              // background bitmap, at (0,0): dark lamp, switch base
  int32_t picture;                           // first bitmap of the icon over it; 0 for none
  int32_t pictures;                          // images of the icon
  PixPoint position;                         // of the icon, background pixels
  uint32_t token;                            // the icon's source; 0 for none
  double slide;                              // pixels down per unit of token: the picture is a
                                             // vertical slider; 0: an icon
  IconCallback rule;                         // the icon's rule; null: the token is the image index
  const FailureRecord* failures;             // the icon's failure list, or null
  PixBox click;                              // the click area; width 0 for none
  int32_t cursor = kCursorHand;              // of the click area
  uint32_t mouse_flags = kMouseLeftSingle;   // of the click area
  uint32_t event;                            // key event of a click
  MouseFunction on_click;                    // a click function of the member's own, or null
  std::span<const ClickArea> more_clicks;    // click areas after the first, in list order
  uint16_t wave;                             // click sound, a WAVE resource; 0 for none
  const char* tooltip;                       // the outer parent's tooltip text; null for none
  std::span<const TooltipArg> tooltip_args;  // its arguments
  int32_t help_id;                           // the outer parent's host help text; 0 for none
};

// Entries of a member's mouse list: the outer parent, its tooltip, its click areas, the ends.
constexpr size_t mouse_list_size(const Member& m) {
  return 3 + (m.tooltip != nullptr ? 1 : 0) + (m.click.width != 0 ? 1 : 0) + m.more_clicks.size();
}

// Whether a row names a function of its own (a function parameter, so that the compiler does not
// take the test of a known function's address for a mistake).
constexpr bool names_function(MouseFunction f) { return f != nullptr; }

// Whether a click on the member's first area runs the family's send-and-play function.
constexpr bool sends_and_plays(const Member& m) { return !names_function(m.on_click) && m.wave != 0; }

// The records of member I of Table. A click on the member:
//  - with on_click: that function runs;
//  - with a wave: the member's function sends the row's event with value 0, then plays the wave;
//  - otherwise the host sends the row's event itself.
// The gauge callback sets up and releases the wave; a silent member whose row in the gauge table
// has a callback gets one that does nothing.
template <auto& Table, size_t I, uint32_t PictureFlags>
struct MemberRecords {
  static constexpr const Member& row = Table[I];
  static constexpr GaugeHeader* gauge = header_of(row.gauge);

  static inline sound::GaugeSound click_sound{.wave_id = row.wave};

  static constexpr auto make_picture() {
    if constexpr (row.slide != 0) {
      return slider({.gauge = gauge, .bitmap = row.picture, .position = row.position,
                     .y = {.source = row.token, .scale = row.slide}, .flags = PictureFlags,
                     .failures = row.failures});
    } else {
      return icon({.gauge = gauge, .bitmap = row.picture, .position = row.position,
                   .source = row.token, .callback = row.rule, .images = row.pictures,
                   .flags = PictureFlags, .failures = row.failures});
    }
  }
  static inline auto picture = make_picture();
  static inline ElementStaticImage base = static_image(
      {.gauge = gauge, .bitmap = row.base, .flags = kCoverFlags,
       .next = row.picture != 0 ? children<&picture> : nullptr});

  static constexpr TooltipText tooltip = {.text = row.tooltip, .args = row.tooltip_args.data(),
                                          .arg_count = static_cast<int32_t>(row.tooltip_args.size())};

  static Bool32 CRV5_CALL send_and_play(ClickRecord*, uint32_t) {
    send_event(row.event, 0);
    sound::gauge_sound_play(click_sound);
    return false;
  }

  static constexpr MouseRect click_area(const ClickArea& area) {
    if (names_function(area.on_click)) return mouse_child(area.box, area.cursor, area.mouse_flags, area.on_click);
    return mouse_key_child(area.box, area.cursor, area.mouse_flags, area.event);
  }
  static constexpr MouseRect first_click_area() {
    if (sends_and_plays(row))
      return mouse_child(row.click, row.cursor, row.mouse_flags, send_and_play);
    return click_area({.box = row.click, .cursor = row.cursor, .mouse_flags = row.mouse_flags,
                       .event = row.event, .on_click = row.on_click});
  }

  static constexpr std::array<MouseRect, mouse_list_size(row)> make_mouse() {
    std::array<MouseRect, mouse_list_size(row)> list{};
    size_t n = 0;
    list[n++] = mouse_parent({}, row.help_id);
    if (row.tooltip != nullptr) list[n++] = mouse_tooltip(&tooltip);
    if (row.click.width != 0) list[n++] = first_click_area();
    for (const ClickArea& area : row.more_clicks) list[n++] = click_area(area);
    list[n++] = mouse_parent_end();
    list[n++] = mouse_end();
    return list;
  }
  static inline std::array<MouseRect, mouse_list_size(row)> mouse = make_mouse();

  static void CRV5_CALL sound_service(GaugeHeader*, int32_t service_id, uintptr_t extra_data) {
    sound::gauge_sound_service(click_sound, service_id, extra_data);
  }
  static void CRV5_CALL no_service(GaugeHeader*, int32_t, uintptr_t) {}
  static constexpr GaugeCallback callback = row.wave != 0             ? sound_service
                                            : row_of(row.gauge).has_callback ? no_service
                                                                            : nullptr;
};

// The row of Table that names the gauge Id; a gauge without one does not compile.
template <auto& Table, GaugeId Id>
consteval size_t row_index() {
  for (size_t i = 0; i < std::size(Table); ++i)
    if (Table[i].gauge == Id) return i;
  throw "the gauge has no row in this table";
}

// The header of member Id of Table, made by the family's records template.
template <template <auto&, size_t> class Family, auto& Table, GaugeId Id>
consteval GaugeHeader member_header() {
  using Records = Family<Table, row_index<Table, Id>()>;
  return gauge_header(Id, element_list<&Records::base>, Records::mouse.data(), Records::callback);
}

}  // namespace crv5::family

// Defines the header of the member `name` of a family table.
#define CRV5_FAMILY_MEMBER(records, table, name) \
  GaugeHeader gauge_##name = crv5::family::member_header<records, table, crv5::GaugeId::name>()
