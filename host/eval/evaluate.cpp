#include "host/eval/evaluate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/latin1.h"
#include "common/needle_rule.h"
#include "host/base/host_error.h"
#include "host/loader/module_call.h"

namespace gaugehost {

using crv5::common::angle_between_marks;
using crv5::common::latin1_to_utf8;
using crv5::common::normalize_degrees;
using crv5::common::unwind_table;
using Slot = EvaluationCache::Slot;

namespace {

// The action of the first active failure key of the element's list with an action.
int32_t active_failure(const ElementHeader& header, const SimState& sim) {
  if (!sim.any_failure_active()) return kFailNone;
  for (const FailureRecord* f = header.failures; f && f->key != 0; ++f)
    if (f->action != kFailNone && sim.failure_active(f->key)) return f->action;
  return kFailNone;
}

// Reads a source into the element's own record; a record naming no variable stays zero.
double read_source(ModuleVar& source, const SimState& sim) {
  return source.id == 0 ? 0 : sim.read(source);
}

// What drives one axis: the callback's result, or the source value where there is no callback.
template <typename Element>
double drive(Element& element, ModuleVar& source, double(CRV5_CALL* callback)(Element*),
             const SimState& sim) {
  const double value = read_source(source, sim);
  return callback ? call_module("element callback", callback, &element) : value;
}

// Applies "freezes" and "shows zero" to a driven value.
double after_failure(int32_t action, double value, double last, bool has_last) {
  if (action == kFailFreeze && has_last) return last;
  if (action == kFailZero) return 0;
  return value;
}

// Whether the slot's marks were unwound from the needle's table as it stands.
bool marks_fit(const Slot& slot, const ElementNeedle& needle) {
  return slot.table == needle.table && slot.table_copy.size() == size_t(needle.table_size) &&
         slot.centre.x == needle.header.position.x && slot.centre.y == needle.header.position.y &&
         std::memcmp(slot.table_copy.data(), needle.table,
                     slot.table_copy.size() * sizeof(NonlinearityEntry)) == 0;
}

// The needle rule, with the table's marks unwound once and kept while the table stays the same.
double needle_angle(const ElementNeedle& needle, Slot& slot, double value) {
  if (!needle.table || needle.table_size <= 0) return 90.0 + value;
  if (!marks_fit(slot, needle)) {
    const size_t count = size_t(needle.table_size);
    slot.table = needle.table;
    slot.table_copy.assign(needle.table, needle.table + count);
    slot.centre = needle.header.position;
    slot.marks.resize(count);
    unwind_table(needle.table, needle.table_size, needle.header.position, slot.marks.data());
  }
  return angle_between_marks(slot.marks.data(), needle.table_size, value);
}

void evaluate_needle(ElementNeedle& needle, EvaluatedElement& e, int32_t action, SimState& sim,
                     Slot& slot) {
  const double value = drive(needle, needle.source, needle.callback, sim);
  e.value = after_failure(action, value, e.value, e.evaluated);
  double angle = needle_angle(needle, slot, e.value);
  if (!std::isfinite(angle)) angle = e.unwound_angle;  // a value that is no number moves nothing
  if (needle.max_degrees_per_update > 0 && e.evaluated) {
    const double limit = needle.max_degrees_per_update;
    angle = std::clamp(angle, e.unwound_angle - limit, e.unwound_angle + limit);
  }
  e.unwound_angle = angle;
  e.angle = normalize_degrees(angle);
}

void evaluate_icon(ElementIcon& icon, EvaluatedElement& e, int32_t action, SimState& sim) {
  const double value = drive(icon, icon.source, icon.callback, sim);
  e.value = after_failure(action, value, e.value, e.evaluated);
  const double index = std::round(e.value);
  e.image = std::isfinite(index) && index >= 0 && index < icon.image_count ? int32_t(index) : -1;
}

void evaluate_string(ElementString& string, EvaluatedElement& e, int32_t action, SimState& sim,
                     Slot& slot) {
  std::vector<char>& buffer = slot.text;
  const size_t capacity = size_t(string.char_count) + 1;
  if (buffer.size() != capacity) buffer.assign(capacity, '\0');
  string.text = buffer.data();
  for (ModuleVar& source : string.source) read_source(source, sim);
  const double value = string.callback ? call_module("element callback", string.callback, &string)
                                       : source_value(string.source[0]);
  buffer.back() = '\0';
  e.value = after_failure(action, value, e.value, e.evaluated);
  if (action == kFailFreeze && e.evaluated) return;
  // Most texts stay the same from one cycle to the next: only new bytes are converted again.
  const std::string_view bytes(buffer.data(), std::strlen(buffer.data()));
  if (e.evaluated && slot.has_converted && bytes == slot.converted) return;
  e.text = latin1_to_utf8(bytes);
  slot.converted.assign(bytes);
  slot.has_converted = true;
}

template <typename Element, typename Axis>
double evaluate_axis(Element& element, Axis& axis, double(CRV5_CALL* callback)(Element*),
                     int32_t action, double last, bool has_last, SimState& sim) {
  return after_failure(action, drive(element, axis.source, callback, sim), last, has_last);
}

// Evaluates the element and its children; `index` counts the elements in draw order.
void evaluate_one(ElementHeader& header, EvaluatedElement& e, SimState& sim,
                  EvaluationCache& cache, size_t& index, int depth) {
  if (depth > kMaxElementDepth || index >= kMaxElements)
    throw HostError("its element tree goes " +
                    (depth > kMaxElementDepth ? "deeper than " + std::to_string(kMaxElementDepth) +
                                                    " levels"
                                              : "beyond " + std::to_string(kMaxElements) +
                                                    " elements") +
                    ": its records loop back on themselves or run away");
  Slot& slot = cache.slot(index++, header);
  e.record = &header;
  e.kind = header.kind;
  e.resource_id = header.resource_id;
  const int32_t action = active_failure(header, sim);
  e.failure_action = action;
  switch (header.kind) {
    case kElementNeedle:
      evaluate_needle(reinterpret_cast<ElementNeedle&>(header), e, action, sim, slot);
      break;
    case kElementIcon:
      evaluate_icon(reinterpret_cast<ElementIcon&>(header), e, action, sim);
      break;
    case kElementString:
      evaluate_string(reinterpret_cast<ElementString&>(header), e, action, sim, slot);
      break;
    case kElementSlider: {
      auto& slider = reinterpret_cast<ElementSlider&>(header);
      e.x = evaluate_axis(slider, slider.x, slider.x_callback, action, e.x, e.evaluated, sim);
      e.y = evaluate_axis(slider, slider.y, slider.y_callback, action, e.y, e.evaluated, sim);
      break;
    }
    case kElementMovingImage: {
      auto& moving = reinterpret_cast<ElementMovingImage&>(header);
      e.x = evaluate_axis(moving, moving.x, moving.x_callback, action, e.x, e.evaluated, sim);
      e.y = evaluate_axis(moving, moving.y, moving.y_callback, action, e.y, e.evaluated, sim);
      break;
    }
    case kElementSprite: {
      auto& sprite = reinterpret_cast<ElementSprite&>(header);
      e.x = evaluate_axis(sprite, sprite.x, sprite.x_callback, action, e.x, e.evaluated, sim);
      e.y = evaluate_axis(sprite, sprite.y, sprite.y_callback, action, e.y, e.evaluated, sim);
      e.rotation = evaluate_axis(sprite, sprite.rotation, sprite.rotation_callback, action,
                                 e.rotation, e.evaluated, sim);
      break;
    }
    default: break;  // a static image has nothing to drive
  }
  e.flags = header.image_flags;
  e.not_drawn = action == kFailNoDraw;
  e.evaluated = true;
  header.image_flags |= kImageOnScreen;  // evaluated: on screen until a callback asks again

  size_t count = 0;
  for (ElementHeader* const* child = header.next; child && *child; ++child) ++count;
  if (e.children.size() != count) e.children.resize(count);
  const bool tree_hidden = e.under_hidden_tree || (e.flags & kImageHiddenTree) != 0;
  for (size_t i = 0; i < count; ++i) {
    e.children[i].under_hidden_tree = tree_hidden;
    evaluate_one(*header.next[i], e.children[i], sim, cache, index, depth + 1);
  }
}

}  // namespace

double source_value(const ModuleVar& var) {
  return SimState::is_integer_var(var.id) ? double(var.value.u32) : var.value.f;
}

EvaluationCache::Slot& EvaluationCache::new_slot(size_t index, const ElementHeader& record) {
  if (index >= slots_.size()) slots_.resize(index + 1);
  slots_[index] = Slot{.record = &record};
  return slots_[index];
}

const char* EvaluationCache::text_buffer(const ElementString* record) const {
  for (const Slot& slot : slots_)
    if (slot.record == &record->header) return slot.text.empty() ? nullptr : slot.text.data();
  return nullptr;
}

void evaluate_elements(ElementHeader* const* elements, EvaluatedElement& root, SimState& sim,
                       EvaluationCache& cache) {
  if (!elements || !elements[0]) {
    root = EvaluatedElement{};
    return;
  }
  size_t index = 0;
  evaluate_one(*elements[0], root, sim, cache, index, 0);
}

}  // namespace gaugehost
