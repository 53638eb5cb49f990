// The record vocabulary of the module: the image-flag combinations and failure lists that the
// gauges share, one builder per element kind taking a small designated-initialiser struct, and
// the mouse-list and tooltip records, so that a gauge source reads like its tables.
#pragma once

#include <cstddef>
#include <cstring>

#include "module/gauge.h"

namespace crv5 {

// --- Image-flag combinations ------------------------------------------------------------------

constexpr uint32_t kCoverFlags = kImageTransparent | kImageErase;                   // 0x3: base, cover, bezel, dark lamp
constexpr uint32_t kSwitchFlags = kImageTransparent | kImageErase;                  // 0x3: lever, knob and button pictures
constexpr uint32_t kLampFlags = kImageTransparent | kImageErase | kImageBright;     // 0x7: lit lamp
constexpr uint32_t kDialFlags = kImageTransparent | kImageErase | kImageLuminous;   // 0x4003: face of a lit instrument
constexpr uint32_t kReadoutFlags = kImageTransparent | kImageErase | kImageLuminous;  // 0x4003: luminous read-out
constexpr uint32_t kNeedleFlags = kImageTransparent | kImageErase | kImageBilinear | kImageLuminous;  // 0x4083
constexpr uint32_t kFilteredFlags = kImageTransparent | kImageErase | kImageBilinear;  // 0x83: drums, wheels, sprites
constexpr uint32_t kBrightFilteredFlags = kFilteredFlags | kImageBright;               // 0x87

// --- Failure lists ----------------------------------------------------------------------------

// Any other list: failures<FailureRecord{key, action}, ...> ends it with key 0.
template <FailureRecord... Records>
inline constexpr FailureRecord failures[] = {Records..., {0, 0}};

inline constexpr const FailureRecord* kHiddenOnFailure20 = failures<FailureRecord{20, kFailNoDraw}>;
inline constexpr const FailureRecord* kHiddenOnFailure21 = failures<FailureRecord{21, kFailNoDraw}>;
inline constexpr const FailureRecord* kZeroOnFailure20 = failures<FailureRecord{20, kFailZero}>;
inline constexpr const FailureRecord* kZeroOnFailure21 = failures<FailureRecord{21, kFailZero}>;
inline constexpr const FailureRecord* kFrozenOnFailure20 = failures<FailureRecord{20, kFailFreeze}>;
// Engine instruments' needles: key 2 does nothing, key 20 shows zero.
inline constexpr const FailureRecord* kEngineNeedleFailures =
    failures<FailureRecord{2, kFailNone}, FailureRecord{20, kFailZero}>;

// --- Element trees ----------------------------------------------------------------------------

// A token-variable record naming `id`, as element sources and tooltip arguments carry it.
constexpr ModuleVar var(uint32_t id) { return ModuleVar{.id = id}; }

// The children list of an element: children<&a, &b> is { &a.header, &b.header, null }.
template <auto*... Children>
inline ElementHeader* const children[] = {&Children->header..., nullptr};

// The element list of a gauge header: the root element, then null.
template <auto* Root>
inline ElementHeader* const element_list[] = {&Root->header, nullptr};

// Each builder takes a struct of designated initialisers in the order of a gauge's table: where
// the element lies, what drives it, then its flags, failure list and children. Unset fields are
// 0 or null.
#define CRV5_ELEMENT_PLACE                                                                      \
  GaugeHeader* gauge;        /* the gauge the element belongs to */                            \
  int32_t bitmap;            /* resource id */                                                  \
  PixPoint position          /* background pixels: top-left, or the turning point */
#define CRV5_ELEMENT_DRAWING                                                                    \
  uint32_t flags;                  /* image flags: kDialFlags, kNeedleFlags, ... */             \
  const FailureRecord* failures;   /* null, or a list ending with key 0 */                      \
  ElementHeader* const* next       /* children<...>, or null */

template <class Fields>
constexpr ElementHeader element_header(ElementKind kind, const Fields& s, PixPoint pivot = {}) {
  return {.kind = kind, .resource_id = s.bitmap, .position = s.position, .pivot = pivot,
          .gauge = s.gauge, .next = s.next, .failures = s.failures, .image_flags = s.flags};
}

struct StaticImageSpec {
  CRV5_ELEMENT_PLACE;
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementStaticImage static_image(const StaticImageSpec& s) {
  return {element_header(kElementStaticImage, s)};
}

// A needle's nonlinearity table: an array of entries, its size counted.
struct NeedleTable {
  NonlinearityEntry* entries = nullptr;
  int32_t size = 0;
  constexpr NeedleTable() = default;
  template <size_t N>
  constexpr NeedleTable(NonlinearityEntry (&table)[N]) : entries(table), size(N) {}
};

struct NeedleSpec {
  CRV5_ELEMENT_PLACE;
  PixPoint pivot;            // pixels of the needle bitmap (the header's pivot)
  uint32_t source;           // token variable
  NeedleCallback callback;   // null: the needle follows its source
  NeedleTable table;         // empty: the value is degrees clockwise
  int32_t max_turn;          // degrees per update; 0 sets no limit
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementNeedle needle(const NeedleSpec& s) {
  return {.header = element_header(kElementNeedle, s, s.pivot), .source = var(s.source),
          .table = s.table.entries, .table_size = s.table.size,
          .max_degrees_per_update = s.max_turn, .callback = s.callback};
}

struct IconSpec {
  CRV5_ELEMENT_PLACE;
  uint32_t source;        // token variable; 0 for none
  IconCallback callback;  // null: the source selects the image
  int32_t images;         // at bitmap, bitmap + 1, ...
  double scale = 1.0;     // 1.0, or 0.0 where the callback gives the image index itself
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementIcon icon(const IconSpec& s) {
  return {.header = element_header(kElementIcon, s), .source = var(s.source), .switch_type = 0,
          .scale = s.scale, .offset = 0, .image_count = s.images, .callback = s.callback};
}

// Text strings have no bitmap: the builder sets resource id -1. The font face is copied into the
// record (at most 31 characters); the font height is the box's.
struct StringSpec {
  CRV5_ELEMENT_PLACE;
  uint32_t sources[3];      // token variables; 0 for unused
  StringCallback callback;  // writes the text
  PixSize box;              // pixels
  int32_t chars;            // characters the buffer holds
  uint32_t foreground;      // 0x00BBGGRR
  uint32_t background;      // 0x00BBGGRR
  uint32_t highlight;       // 0x00BBGGRR
  const char* font;         // "Quartz" or "Arial"
  int32_t weight = 400;     // 400 normal, 700 bold
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementString text_string(const StringSpec& s) {
  ElementHeader header = element_header(kElementString, s);
  header.resource_id = -1;
  ElementString string{.header = header,
                       .source = {var(s.sources[0]), var(s.sources[1]), var(s.sources[2])},
                       .box = s.box, .foreground = s.foreground, .background = s.background,
                       .highlight = s.highlight, .weight = s.weight, .charset = 1,
                       .draw_flags = 0x25, .char_count = static_cast<uint16_t>(s.chars),
                       .char_height = s.box.height, .callback = s.callback};
  for (int i = 0; s.font && s.font[i] && i < kFontNameChars - 1; ++i) string.font[i] = s.font[i];
  return string;
}

struct SliderAxisSpec {
  uint32_t source;           // token variable; 0 for none
  SliderCallback callback;   // null: the source drives the axis
  double scale;              // pixels per unit of value
};
struct SliderSpec {
  CRV5_ELEMENT_PLACE;
  SliderAxisSpec x, y;
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementSlider slider(const SliderSpec& s) {
  return {.header = element_header(kElementSlider, s),
          .x = {.source = var(s.x.source), .scale = s.x.scale},
          .y = {.source = var(s.y.source), .scale = s.y.scale},
          .x_callback = s.x.callback, .y_callback = s.y.callback};
}

struct MovingAxisSpec {
  uint32_t source;                // token variable; 0 for none
  MovingImageCallback callback;   // null: the source drives the axis
  double min, max;                // values at the strip's ends
};
struct MovingImageSpec {
  CRV5_ELEMENT_PLACE;
  MovingAxisSpec x, y;
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementMovingImage moving_image(const MovingImageSpec& s) {
  return {.header = element_header(kElementMovingImage, s),
          .x = {.source = var(s.x.source), .min = s.x.min, .max = s.x.max},
          .y = {.source = var(s.y.source), .min = s.y.min, .max = s.y.max},
          .x_callback = s.x.callback, .y_callback = s.y.callback};
}

struct SpriteAxisSpec {
  uint32_t source;          // token variable; 0 for none
  SpriteCallback callback;  // null: the source drives the quantity
  double scale;             // pixels, or degrees, per unit of value
};
struct SpriteSpec {
  CRV5_ELEMENT_PLACE;
  PixPoint texture_center;       // pixels of the texture: the element's pivot
  double texture_scale_x = 1.0;  // 1.0 = as drawn
  double texture_scale_y = 1.0;
  SpriteAxisSpec x, y, rotation;
  CRV5_ELEMENT_DRAWING;
};
constexpr ElementSprite sprite(const SpriteSpec& s) {
  return {.header = element_header(kElementSprite, s, s.texture_center),
          .x = {.source = var(s.x.source), .scale = s.x.scale},
          .y = {.source = var(s.y.source), .scale = s.y.scale},
          .rotation = {.source = var(s.rotation.source), .scale = s.rotation.scale},
          .texture_scale_x = static_cast<float>(s.texture_scale_x),
          .texture_scale_y = static_cast<float>(s.texture_scale_y),
          .x_callback = s.x.callback, .y_callback = s.y.callback,
          .rotation_callback = s.rotation.callback};
}

#undef CRV5_ELEMENT_PLACE
#undef CRV5_ELEMENT_DRAWING

// --- Mouse lists and tooltips -----------------------------------------------------------------

constexpr uint32_t kLeftOrRight = kMouseLeftSingle | kMouseRightSingle;  // 0xa0000000
constexpr uint32_t kLeftHeld = kMouseLeftSingle | kMouseRepeat;          // 0x20200000

// Mouse-area records, in the order a list uses them.
constexpr MouseRect mouse_parent(PixBox box = {}, int32_t help_id = 0) {
  return MouseRect{.kind = kMouseParent, .box = box, .cursor = kCursorNone, .help_id = help_id};
}
// A tooltip's text with its arguments, as a gauge writes it once for a tooltip record.
struct TooltipText {
  const char* text = nullptr;         // Windows Latin-1; null for a help-id-only tooltip
  const TooltipArg* args = nullptr;   // may be shared by several tooltips of a gauge
  uint32_t arg_count = 0;
};

// A tooltip record (kind 4): its argument count, text and arguments in the record's own words.
constexpr MouseRect mouse_tooltip(const TooltipText* tooltip, int32_t help_id = 0) {
  const TooltipText words = tooltip ? *tooltip : TooltipText{};
  return MouseRect{.kind = kMouseTooltip, .cursor = kCursorNone, .help_id = help_id,
                   .tooltip_arg_count = words.arg_count, .tooltip_text = words.text,
                   .tooltip_args = words.args};
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

// A tooltip record's text with its argument list, the arguments counted.
template <size_t N>
constexpr TooltipText tooltip(const char* text, const TooltipArg (&args)[N]) {
  return TooltipText{.text = text, .args = args, .arg_count = static_cast<uint32_t>(N)};
}
constexpr TooltipText tooltip(const char* text) { return TooltipText{.text = text}; }

// A gauge header built from its parts, for records that are not one of the module's gauges (test
// fixtures); the module's gauges take their name and width from the gauge table (module/gauges.h).
constexpr GaugeHeader gauge_header(const char* name, uint32_t width_mm,
                                   ElementHeader* const* elements, MouseRect* mouse_rects,
                                   GaugeCallback callback = nullptr) {
  return GaugeHeader{.version = kGaugeHeaderVersion, .name = name, .elements = elements,
                     .size_x_mm = width_mm, .mouse_rects = mouse_rects, .callback = callback};
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
