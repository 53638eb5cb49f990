#include "instruments/engine_rebinding.h"

#include <initializer_list>
#include <span>

#include "common/parameter_text.h"

namespace crv5 {
namespace {

// The distance from an engine-1 id to the same quantity of engine 2, for ids in [first, last].
struct StrideRow {
  uint32_t first;
  uint32_t last;
  int32_t stride;
};

// Token variables.
constexpr StrideRow kVarStrides[] = {
    {127, 161, 35}, {390, 428, 39}, {558, 567, 10}, {608, 608, 1},   {624, 642, 19},
    {700, 707, 8},  {732, 733, 2},  {761, 762, 2},  {801, 801, 1},   {883, 883, 1},
    {887, 887, 1},  {891, 891, 1},  {895, 895, 1},  {899, 899, 1},
};

// Key events.
constexpr StrideRow kEventStrides[] = {
    {0x10002, 0x10002, 1}, {0x1011c, 0x1011c, 1}, {0x1017f, 0x1017f, 1}, {0x10183, 0x10183, 1},
    {0x10187, 0x1018c, 6}, {0x101ab, 0x101af, 5}, {0x101bf, 0x101c3, 5}, {0x101d3, 0x101d7, 5},
    {0x10221, 0x10223, 3}, {0x1024e, 0x1024f, 2}, {0x102fc, 0x102fc, 1}, {0x10309, 0x10309, 1},
    {0x10319, 0x1031a, 2}, {0x10324, 0x10324, 1}, {0x10329, 0x10329, 1}, {0x1032d, 0x1032d, 1},
    {0x10337, 0x10337, 1}, {0x1033b, 0x1033b, 1}, {0x10360, 0x10360, 1}, {0x10374, 0x10376, 3},
    {0x103b4, 0x103b4, 1}, {0x103b8, 0x103b8, 1}, {0x103be, 0x103be, 1}, {0x103e9, 0x103e9, 1},
    {0x1044b, 0x1044b, 1}, {0x10450, 0x10450, 1}, {0x10455, 0x10455, 1},
};

// Help ids, each with stride 1.
constexpr uint32_t kEngineHelpIds[] = {
    12449, 12457, 12465, 12481, 12486, 12491, 12497, 12505, 12513, 12521, 12529,
    12537, 12545, 12553, 12689, 12697, 12705, 12713, 12737, 12742, 12747, 12753,
    12758, 12769, 12777, 12793, 12817, 12851, 12945, 12960, 12968, 12977, 13016,
    13033, 13041, 13137, 13148, 13150, 13161, 13163, 13200, 13268,
};
static_assert(std::size(kEngineHelpIds) == 42);

int32_t stride_of(uint32_t id, std::span<const StrideRow> rows) {
  for (const StrideRow& row : rows)
    if (id >= row.first && id < row.last + 1) return row.stride;
  return 0;
}

uint32_t moved(uint32_t id, int engine, int32_t stride) {
  return id + static_cast<uint32_t>((engine - 1) * stride);
}

void rebind_source(ModuleVar& source, int engine) { source.id = rebind_var(source.id, engine); }

void rebind_sources(ElementHeader& element, int engine) {
  switch (element.kind) {
    case kElementNeedle:
      rebind_source(reinterpret_cast<ElementNeedle&>(element).source, engine);
      break;
    case kElementIcon:
      rebind_source(reinterpret_cast<ElementIcon&>(element).source, engine);
      break;
    case kElementString:
      for (ModuleVar& source : reinterpret_cast<ElementString&>(element).source)
        rebind_source(source, engine);
      break;
    case kElementSlider: {
      auto& slider = reinterpret_cast<ElementSlider&>(element);
      rebind_source(slider.x.source, engine);
      rebind_source(slider.y.source, engine);
      break;
    }
    case kElementMovingImage: {
      auto& image = reinterpret_cast<ElementMovingImage&>(element);
      rebind_source(image.x.source, engine);
      rebind_source(image.y.source, engine);
      break;
    }
    case kElementSprite: {
      auto& sprite = reinterpret_cast<ElementSprite&>(element);
      rebind_source(sprite.x.source, engine);
      rebind_source(sprite.y.source, engine);
      rebind_source(sprite.rotation.source, engine);
      break;
    }
    default:  // static images carry no source
      break;
  }
}

// Each element of a null-terminated list, then its children.
void rebind_tree(ElementHeader* const* list, int engine) {
  for (; list && *list; ++list) {
    rebind_sources(**list, engine);
    rebind_tree((*list)->next, engine);
  }
}

void rebind_mouse_list(MouseRect* rect, int engine) {
  for (; rect && rect->kind != kMouseEnd; ++rect) {
    if (rect->kind == kMouseTooltip) {
      // A tooltip's box holds no place: 0, 0, then its metric and US-units help ids as width and
      // height. Its help ids are rebound: the main one and those two.
      rect->help_id = rebind_help_id(rect->help_id, engine);
      rect->box.width = rebind_help_id(rect->box.width, engine);
      rect->box.height = rebind_help_id(rect->box.height, engine);
    } else if (rect->kind == kMouseChild) {
      rect->event_id = rebind_event(rect->event_id, engine);
    }
  }
}

}  // namespace

uint32_t rebind_var(uint32_t id, int engine) {
  return moved(id, engine, stride_of(id, kVarStrides));
}

uint32_t rebind_event(uint32_t id, int engine) {
  return moved(id, engine, stride_of(id, kEventStrides));
}

int32_t rebind_help_id(int32_t id, int engine) {
  for (uint32_t help : kEngineHelpIds)
    if (static_cast<uint32_t>(id) == help) return id + (engine - 1);
  return id;
}

void rebind_to_engine(GaugeHeader& gauge) {
  const int engine = parameter_text::engine_number(gauge.parameters);
  if (engine == 1) return;
  rebind_mouse_list(gauge.mouse_rects, engine);
  if (gauge.elements && gauge.elements[0]) rebind_tree(gauge.elements, engine);
}

}  // namespace crv5
