// Checks of a gauge's static records against tables written from the gauge's description: its
// elements in draw order, its needle tables and its mouse list. Values are written out as
// numbers, not taken from the module's constants, so that a wrong constant shows.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "module/gauge.h"
#include "tests/support/test_host.h"

namespace crv5::testing {

// Element kinds and mouse flags by short names, for the rows of the record tables.
constexpr int32_t kStatic = kElementStaticImage;
constexpr int32_t kNeedle = kElementNeedle;
constexpr int32_t kIcon = kElementIcon;
constexpr int32_t kString = kElementString;
constexpr int32_t kSlider = kElementSlider;
constexpr int32_t kMoving = kElementMovingImage;
constexpr int32_t kSprite = kElementSprite;
constexpr uint32_t kLeft = 0x20000000;       // left button, single click
constexpr uint32_t kLeftHeld = 0x20200000;   // left button, repeated while held
constexpr uint32_t kLeftOrRightHeld = 0xa0200000;

struct Failure {
  int32_t key, action;
};

// One element as the description gives it. `source` is the (first) source token; `images` an
// icon's image count; `max_turn` a needle's degrees per update.
struct ElementRow {
  int32_t kind;
  int32_t bitmap;
  PixPoint position;
  uint32_t flags;
  std::vector<Failure> failures = {};
  uint32_t source = 0;
  int32_t images = 0;
  PixPoint pivot = {0, 0};
  int32_t max_turn = 0;
  double scale = 1.0;  // an icon's
};

// One mouse-list record. `function`: whether the area names a mouse function.
struct AreaRow {
  int32_t kind;
  PixBox box = {0, 0, 0, 0};
  int32_t cursor = kCursorNone;
  int32_t help_id = 0;
  uint32_t flags = 0;
  uint32_t event = 0;
  bool function = false;
  const char* tooltip = nullptr;
};

struct TableEntry {
  PixPoint point;
  double value;
};

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

// The element at `index` in draw order, as the record of its kind.
template <typename Element>
const Element& element_at(const char* gauge_name, size_t index) {
  return reinterpret_cast<const Element&>(*elements_in_draw_order(*find_gauge(gauge_name)).at(index));
}

inline uint32_t first_source(const ElementHeader& e) {
  switch (e.kind) {
    case kElementNeedle: return reinterpret_cast<const ElementNeedle&>(e).source.id;
    case kElementIcon: return reinterpret_cast<const ElementIcon&>(e).source.id;
    case kElementString: return reinterpret_cast<const ElementString&>(e).source[0].id;
    default: return 0;
  }
}

inline void expect_failures(const FailureRecord* actual, const std::vector<Failure>& expected) {
  if (expected.empty()) {
    EXPECT_EQ(actual, nullptr);
    return;
  }
  ASSERT_NE(actual, nullptr);
  size_t n = 0;
  for (; actual[n].key != 0; ++n) {
    ASSERT_LT(n, expected.size()) << "more failure records than expected";
    EXPECT_EQ(actual[n].key, expected[n].key) << "failure " << n;
    EXPECT_EQ(actual[n].action, expected[n].action) << "failure " << n;
  }
  EXPECT_EQ(n, expected.size());
  EXPECT_EQ(actual[n].action, 0);
}

inline void expect_elements(const char* gauge_name, const std::vector<ElementRow>& rows) {
  GaugeHeader* gauge = find_gauge(gauge_name);
  ASSERT_NE(gauge, nullptr) << gauge_name;
  const std::vector<ElementHeader*> elements = elements_in_draw_order(*gauge);
  ASSERT_EQ(elements.size(), rows.size()) << gauge_name;
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(std::string(gauge_name) + " element " + std::to_string(i));
    const ElementHeader& e = *elements[i];
    const ElementRow& row = rows[i];
    EXPECT_EQ(e.kind, row.kind);
    EXPECT_EQ(e.resource_id, row.bitmap);
    EXPECT_EQ(e.gauge, gauge);
    EXPECT_EQ(e.position.x, row.position.x);
    EXPECT_EQ(e.position.y, row.position.y);
    EXPECT_EQ(e.pivot.x, row.pivot.x);
    EXPECT_EQ(e.pivot.y, row.pivot.y);
    EXPECT_EQ(e.image_flags, row.flags) << std::hex << e.image_flags << " for " << row.flags;
    EXPECT_EQ(e.special_flags, 0u);
    EXPECT_EQ(e.reserved, 0u);
    EXPECT_EQ(e.previous_element, nullptr);
    expect_failures(e.failures, row.failures);
    EXPECT_EQ(first_source(e), row.source);
    if (e.kind == kElementIcon) {
      const auto& icon = reinterpret_cast<const ElementIcon&>(e);
      EXPECT_EQ(icon.image_count, row.images);
      EXPECT_EQ(icon.switch_type, 0);
      EXPECT_EQ(icon.scale, row.scale);
      EXPECT_EQ(icon.offset, 0.0);
    }
    if (e.kind == kElementNeedle) {
      EXPECT_EQ(reinterpret_cast<const ElementNeedle&>(e).max_degrees_per_update, row.max_turn);
    }
  }
}

// The needle at `index` in draw order has exactly these table entries.
inline void expect_needle_table(const char* gauge_name, size_t index,
                                const std::vector<TableEntry>& entries) {
  SCOPED_TRACE(std::string(gauge_name) + " needle " + std::to_string(index));
  const std::vector<ElementHeader*> elements = elements_in_draw_order(*find_gauge(gauge_name));
  ASSERT_LT(index, elements.size());
  ASSERT_EQ(elements[index]->kind, kElementNeedle);
  const auto& needle = reinterpret_cast<const ElementNeedle&>(*elements[index]);
  ASSERT_EQ(needle.table_size, static_cast<int32_t>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(needle.table[i].point.x, entries[i].point.x) << "entry " << i;
    EXPECT_EQ(needle.table[i].point.y, entries[i].point.y) << "entry " << i;
    EXPECT_EQ(needle.table[i].value, entries[i].value) << "entry " << i;
    EXPECT_EQ(needle.table[i].degrees, 0.0) << "entry " << i;
  }
}

// A text string's box, character count, colours (0x00BBGGRR), font, weight, character set and
// drawing flags.
struct TextRow {
  PixSize box;
  int32_t chars;
  uint32_t foreground, background, highlight;
  const char* font;
  int32_t weight;
  int32_t charset = 1;
  uint32_t draw_flags = 0x25;
};
inline void expect_text(const char* gauge_name, size_t index, const TextRow& row) {
  SCOPED_TRACE(std::string(gauge_name) + " string " + std::to_string(index));
  const auto& s = element_at<ElementString>(gauge_name, index);
  EXPECT_EQ(s.box.width, row.box.width);
  EXPECT_EQ(s.box.height, row.box.height);
  EXPECT_EQ(s.char_count, row.chars);
  EXPECT_EQ(s.foreground, row.foreground) << std::hex << s.foreground;
  EXPECT_EQ(s.background, row.background) << std::hex << s.background;
  EXPECT_EQ(s.highlight, row.highlight) << std::hex << s.highlight;
  EXPECT_STREQ(s.font, row.font);
  EXPECT_EQ(s.weight, row.weight);
  EXPECT_EQ(s.charset, row.charset);
  EXPECT_EQ(s.draw_flags, row.draw_flags) << std::hex << s.draw_flags;
}

// A card sprite: turning about `centre` of its texture, drawn at scale 1, its rotation from
// `rotation_source` (0: its callback's) at scale 1, no x or y shift source.
inline void expect_card(const char* gauge_name, size_t index, PixPoint centre, uint32_t rotation_source) {
  SCOPED_TRACE(std::string(gauge_name) + " sprite " + std::to_string(index));
  const auto& card = element_at<ElementSprite>(gauge_name, index);
  EXPECT_EQ(card.header.pivot.x, centre.x);
  EXPECT_EQ(card.header.pivot.y, centre.y);
  EXPECT_EQ(card.texture_scale_x, 1.0f);
  EXPECT_EQ(card.texture_scale_y, 1.0f);
  EXPECT_EQ(card.rotation.source.id, rotation_source);
  EXPECT_EQ(card.rotation.scale, 1.0);
  EXPECT_EQ(card.x.source.id, 0u);
  EXPECT_EQ(card.y.source.id, 0u);
}

inline void expect_mouse(const char* gauge_name, const std::vector<AreaRow>& rows) {
  GaugeHeader* gauge = find_gauge(gauge_name);
  ASSERT_NE(gauge, nullptr) << gauge_name;
  const MouseRect* rect = gauge->mouse_rects;
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(std::string(gauge_name) + " mouse record " + std::to_string(i));
    const AreaRow& row = rows[i];
    EXPECT_EQ(rect[i].kind, row.kind);
    if (rect[i].kind == kMouseEnd) {
      EXPECT_EQ(i + 1, rows.size()) << "the list ends early";
      return;
    }
    EXPECT_EQ(rect[i].box.x, row.box.x);
    EXPECT_EQ(rect[i].box.y, row.box.y);
    EXPECT_EQ(rect[i].box.x + rect[i].box.width, row.box.x + row.box.width);
    EXPECT_EQ(rect[i].box.y + rect[i].box.height, row.box.y + row.box.height);
    EXPECT_EQ(rect[i].cursor, row.cursor);
    EXPECT_EQ(rect[i].help_id, row.help_id);
    EXPECT_EQ(rect[i].mouse_flags, row.flags) << std::hex << rect[i].mouse_flags;
    if (rect[i].kind != kMouseTooltip) {
      EXPECT_EQ(rect[i].event_id, row.event) << std::hex << rect[i].event_id;
      EXPECT_EQ(rect[i].function != nullptr, row.function);
    } else if (row.tooltip) {
      EXPECT_STREQ(rect[i].tooltip_text, row.tooltip);
    } else {
      EXPECT_TRUE(rect[i].tooltip_text == nullptr);
    }
  }
}

// Mouse-list records by kind.
inline AreaRow parent(PixBox box = {0, 0, 0, 0}, int32_t help_id = 0) {
  return {.kind = kMouseParent, .box = box, .help_id = help_id};
}
inline AreaRow tooltip_area(const char* text, int32_t help_id = 0) {
  return {.kind = kMouseTooltip, .help_id = help_id, .tooltip = text};
}
inline AreaRow help_only_tooltip(int32_t help_id) {
  return {.kind = kMouseTooltip, .help_id = help_id};
}
inline AreaRow click_area(PixBox box, int32_t cursor, uint32_t flags) {
  return {.kind = kMouseChild, .box = box, .cursor = cursor, .flags = flags, .function = true};
}
inline AreaRow key_area(PixBox box, int32_t cursor, uint32_t flags, uint32_t event) {
  return {.kind = kMouseChild, .box = box, .cursor = cursor, .flags = flags, .event = event};
}
inline AreaRow parent_end() { return {.kind = kMouseParentEnd, .cursor = 0}; }
inline AreaRow list_end() { return {.kind = kMouseEnd, .cursor = 0}; }

}  // namespace crv5::testing
