// The records' sizes and field offsets on both targets: the 64-bit Linux module and host, and the
// 32-bit Windows module, where every pointer-sized field is a 32-bit word and doubles keep their
// 8-byte alignment. Included by module/gauge.h, so that every program that uses the records checks
// them while compiling; a field moved by mistake stops the build on either target.
#pragma once

#include <cstddef>

#include "module/gauge.h"

#if UINTPTR_MAX == 0xffffffffu
#define CRV5_ON_TARGET(bytes64, bytes32) (bytes32)
#else
#define CRV5_ON_TARGET(bytes64, bytes32) (bytes64)
#endif
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);

// Record sizes and field offsets in bytes: (64-bit, 32-bit).
#define CRV5_RECORD_SIZE(record, bytes64, bytes32) \
  static_assert(sizeof(record) == CRV5_ON_TARGET(bytes64, bytes32), #record " changed size")
#define CRV5_FIELD_OFFSET(record, field, bytes64, bytes32)                  \
  static_assert(offsetof(record, field) == CRV5_ON_TARGET(bytes64, bytes32), \
                #record "." #field " moved")

// clang-format off
CRV5_RECORD_SIZE(ModuleVar, 40, 32);
CRV5_FIELD_OFFSET(ModuleVar, var_ptr, 8, 4);
CRV5_FIELD_OFFSET(ModuleVar, var_type, 16, 8);
CRV5_FIELD_OFFSET(ModuleVar, value, 24, 16);
CRV5_FIELD_OFFSET(ModuleVar, prev_value, 32, 24);
CRV5_RECORD_SIZE(ElementHeader, 72, 52);
CRV5_FIELD_OFFSET(ElementHeader, gauge, 8, 8);
CRV5_FIELD_OFFSET(ElementHeader, position, 16, 12);
CRV5_FIELD_OFFSET(ElementHeader, previous_element, 32, 28);
CRV5_FIELD_OFFSET(ElementHeader, next, 40, 32);
CRV5_FIELD_OFFSET(ElementHeader, failures, 48, 36);
CRV5_FIELD_OFFSET(ElementHeader, image_flags, 56, 40);
CRV5_FIELD_OFFSET(ElementHeader, reserved, 64, 48);
CRV5_RECORD_SIZE(NonlinearityEntry, 24, 24);
CRV5_FIELD_OFFSET(NonlinearityEntry, value, 8, 8);
CRV5_FIELD_OFFSET(NonlinearityEntry, degrees, 16, 16);
CRV5_RECORD_SIZE(ElementNeedle, 136, 104);
CRV5_FIELD_OFFSET(ElementNeedle, source, 72, 56);
CRV5_FIELD_OFFSET(ElementNeedle, callback, 112, 88);
CRV5_FIELD_OFFSET(ElementNeedle, table, 120, 92);
CRV5_FIELD_OFFSET(ElementNeedle, table_size, 128, 96);
CRV5_FIELD_OFFSET(ElementNeedle, max_degrees_per_update, 132, 100);
CRV5_RECORD_SIZE(ElementString, 256, 200);
CRV5_FIELD_OFFSET(ElementString, source, 72, 56);
CRV5_FIELD_OFFSET(ElementString, callback, 192, 152);
CRV5_FIELD_OFFSET(ElementString, text, 200, 156);
CRV5_FIELD_OFFSET(ElementString, box, 208, 160);
CRV5_FIELD_OFFSET(ElementString, font, 232, 184);
CRV5_FIELD_OFFSET(ElementString, draw_flags, 248, 196);
CRV5_RECORD_SIZE(ElementSlider, 184, 152);
CRV5_FIELD_OFFSET(ElementSlider, x, 72, 56);
CRV5_FIELD_OFFSET(ElementSlider, y, 128, 104);
CRV5_RECORD_SIZE(SliderAxis, 56, 48);
CRV5_RECORD_SIZE(ElementIcon, 144, 120);
CRV5_FIELD_OFFSET(ElementIcon, source, 72, 56);
CRV5_FIELD_OFFSET(ElementIcon, callback, 112, 88);
CRV5_FIELD_OFFSET(ElementIcon, image_count, 124, 96);
CRV5_FIELD_OFFSET(ElementIcon, scale, 128, 104);
CRV5_FIELD_OFFSET(ElementIcon, offset, 136, 112);
CRV5_RECORD_SIZE(ElementMovingImage, 200, 168);
CRV5_FIELD_OFFSET(ElementMovingImage, x, 72, 56);
CRV5_FIELD_OFFSET(ElementMovingImage, y, 136, 112);
CRV5_RECORD_SIZE(MovingAxis, 64, 56);
CRV5_RECORD_SIZE(ElementSprite, 264, 224);
CRV5_FIELD_OFFSET(ElementSprite, texture_center, 72, 52);
CRV5_FIELD_OFFSET(ElementSprite, texture_scale_x, 80, 64);
CRV5_FIELD_OFFSET(ElementSprite, x, 96, 80);
CRV5_FIELD_OFFSET(ElementSprite, rotation, 208, 176);
CRV5_RECORD_SIZE(SpriteAxis, 56, 48);
CRV5_RECORD_SIZE(ClickRecord, 24, 16);
CRV5_FIELD_OFFSET(ClickRecord, gauge, 8, 8);
CRV5_FIELD_OFFSET(ClickRecord, rect, 16, 12);
CRV5_RECORD_SIZE(TooltipArg, 72, 56);
CRV5_FIELD_OFFSET(TooltipArg, scale, 40, 32);
CRV5_FIELD_OFFSET(TooltipArg, lookup, 48, 40);
CRV5_FIELD_OFFSET(TooltipArg, number, 56, 44);
CRV5_FIELD_OFFSET(TooltipArg, text, 64, 48);
CRV5_RECORD_SIZE(TooltipText, 24, 12);
CRV5_FIELD_OFFSET(TooltipText, args, 8, 4);
CRV5_FIELD_OFFSET(TooltipText, arg_count, 16, 8);
CRV5_RECORD_SIZE(MouseRect, 56, 44);
CRV5_FIELD_OFFSET(MouseRect, box, 4, 4);
CRV5_FIELD_OFFSET(MouseRect, cursor, 20, 20);
CRV5_FIELD_OFFSET(MouseRect, mouse_flags, 28, 28);
CRV5_FIELD_OFFSET(MouseRect, event_id, 32, 32);
CRV5_FIELD_OFFSET(MouseRect, function, 40, 36);
CRV5_FIELD_OFFSET(MouseRect, tooltip, 48, 40);
CRV5_RECORD_SIZE(GaugeHeader, 64, 40);
CRV5_FIELD_OFFSET(GaugeHeader, name, 8, 4);
CRV5_FIELD_OFFSET(GaugeHeader, elements, 16, 8);
CRV5_FIELD_OFFSET(GaugeHeader, callback, 24, 12);
CRV5_FIELD_OFFSET(GaugeHeader, mouse_rects, 32, 16);
CRV5_FIELD_OFFSET(GaugeHeader, width_mm, 40, 24);
CRV5_FIELD_OFFSET(GaugeHeader, parameters, 48, 32);
CRV5_FIELD_OFFSET(GaugeHeader, user_data, 56, 36);
CRV5_RECORD_SIZE(HostServices, 800, 400);
CRV5_RECORD_SIZE(GaugeLinkage, 768, 388);
CRV5_FIELD_OFFSET(GaugeLinkage, module_init, 8, 4);
CRV5_FIELD_OFFSET(GaugeLinkage, flags, 24, 12);
CRV5_FIELD_OFFSET(GaugeLinkage, version, 32, 20);
CRV5_FIELD_OFFSET(GaugeLinkage, gauges, 40, 24);
CRV5_RECORD_SIZE(ImportEntry, 16, 8);
CRV5_FIELD_OFFSET(ImportEntry, pointer, 8, 4);
CRV5_RECORD_SIZE(ImportTableRecord, 32, 16);
CRV5_FIELD_OFFSET(ImportTableRecord, end, 16, 8);
// clang-format on

#undef CRV5_RECORD_SIZE
#undef CRV5_FIELD_OFFSET
#undef CRV5_ON_TARGET
