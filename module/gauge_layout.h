// The records' sizes and field offsets on both targets. The 32-bit column is the simulator's
// published layout (4-byte packing, 32-bit pointers), as the note on its gauge interface gives
// it; the 64-bit column is the same fields in the same order on the 64-bit Linux module and host.
// Included by module/gauge.h, so that every program that uses the records checks them while
// compiling: a field moved by mistake stops the build on either target.
#pragma once

#include <cstddef>
#include <cstdint>

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
CRV5_RECORD_SIZE(ModuleVar, 40, 28);
CRV5_FIELD_OFFSET(ModuleVar, var_ptr, 8, 4);
CRV5_FIELD_OFFSET(ModuleVar, var_type, 16, 8);
CRV5_FIELD_OFFSET(ModuleVar, value, 24, 12);
CRV5_FIELD_OFFSET(ModuleVar, prev_value, 32, 20);
CRV5_RECORD_SIZE(FailureRecord, 12, 12);
CRV5_FIELD_OFFSET(FailureRecord, action, 4, 4);
CRV5_FIELD_OFFSET(FailureRecord, initialized, 8, 8);
CRV5_RECORD_SIZE(ElementHeader, 80, 60);
CRV5_FIELD_OFFSET(ElementHeader, resource_id, 4, 4);
CRV5_FIELD_OFFSET(ElementHeader, position, 8, 8);
CRV5_FIELD_OFFSET(ElementHeader, previous_position, 16, 16);
CRV5_FIELD_OFFSET(ElementHeader, pivot, 24, 24);
CRV5_FIELD_OFFSET(ElementHeader, gauge, 32, 32);
CRV5_FIELD_OFFSET(ElementHeader, previous_element, 40, 36);
CRV5_FIELD_OFFSET(ElementHeader, next, 48, 40);
CRV5_FIELD_OFFSET(ElementHeader, failures, 56, 44);
CRV5_FIELD_OFFSET(ElementHeader, image_flags, 64, 48);
CRV5_FIELD_OFFSET(ElementHeader, special_flags, 68, 52);
CRV5_FIELD_OFFSET(ElementHeader, reserved, 72, 56);
CRV5_RECORD_SIZE(ElementStaticImage, 152, 96);
CRV5_FIELD_OFFSET(ElementStaticImage, image, 80, 60);
CRV5_FIELD_OFFSET(ElementStaticImage, save_buffer, 112, 76);
CRV5_FIELD_OFFSET(ElementStaticImage, device_context, 120, 80);
CRV5_FIELD_OFFSET(ElementStaticImage, bitmap, 128, 84);
CRV5_RECORD_SIZE(NonlinearityEntry, 24, 24);
CRV5_FIELD_OFFSET(NonlinearityEntry, value, 8, 8);
CRV5_FIELD_OFFSET(NonlinearityEntry, degrees, 16, 16);
CRV5_RECORD_SIZE(ElementNeedle, 320, 236);
CRV5_FIELD_OFFSET(ElementNeedle, source, 80, 60);
CRV5_FIELD_OFFSET(ElementNeedle, source_callback, 120, 88);
CRV5_FIELD_OFFSET(ElementNeedle, display_value, 128, 92);
CRV5_FIELD_OFFSET(ElementNeedle, angle, 136, 96);
CRV5_FIELD_OFFSET(ElementNeedle, lag, 144, 100);
CRV5_FIELD_OFFSET(ElementNeedle, reference, 152, 104);
CRV5_FIELD_OFFSET(ElementNeedle, table, 160, 112);
CRV5_FIELD_OFFSET(ElementNeedle, table_size, 168, 116);
CRV5_FIELD_OFFSET(ElementNeedle, max_degrees_per_update, 172, 120);
CRV5_FIELD_OFFSET(ElementNeedle, readout_goal, 176, 124);
CRV5_FIELD_OFFSET(ElementNeedle, theta_goal, 184, 132);
CRV5_FIELD_OFFSET(ElementNeedle, theta, 192, 140);
CRV5_FIELD_OFFSET(ElementNeedle, reference_old, 200, 148);
CRV5_FIELD_OFFSET(ElementNeedle, corners, 208, 156);
CRV5_FIELD_OFFSET(ElementNeedle, image, 240, 188);
CRV5_FIELD_OFFSET(ElementNeedle, texture, 272, 204);
CRV5_FIELD_OFFSET(ElementNeedle, texture_handle, 280, 208);
CRV5_FIELD_OFFSET(ElementNeedle, save_buffer, 288, 212);
CRV5_FIELD_OFFSET(ElementNeedle, save_position, 296, 216);
CRV5_FIELD_OFFSET(ElementNeedle, callback, 304, 224);
CRV5_FIELD_OFFSET(ElementNeedle, save_size, 312, 228);
CRV5_RECORD_SIZE(ElementString, 464, 324);
CRV5_FIELD_OFFSET(ElementString, source, 80, 60);
CRV5_FIELD_OFFSET(ElementString, saved_values, 200, 144);
CRV5_FIELD_OFFSET(ElementString, source_callbacks, 224, 168);
CRV5_FIELD_OFFSET(ElementString, source_function, 248, 180);
CRV5_FIELD_OFFSET(ElementString, text, 256, 184);
CRV5_FIELD_OFFSET(ElementString, old_text, 264, 188);
CRV5_FIELD_OFFSET(ElementString, box, 272, 192);
CRV5_FIELD_OFFSET(ElementString, string_image, 280, 200);
CRV5_FIELD_OFFSET(ElementString, save_buffer, 288, 204);
CRV5_FIELD_OFFSET(ElementString, foreground, 296, 208);
CRV5_FIELD_OFFSET(ElementString, background, 300, 212);
CRV5_FIELD_OFFSET(ElementString, highlight, 304, 216);
CRV5_FIELD_OFFSET(ElementString, handles, 312, 220);
CRV5_FIELD_OFFSET(ElementString, font, 368, 248);
CRV5_FIELD_OFFSET(ElementString, weight, 400, 280);
CRV5_FIELD_OFFSET(ElementString, charset, 404, 284);
CRV5_FIELD_OFFSET(ElementString, draw_flags, 408, 288);
CRV5_FIELD_OFFSET(ElementString, char_count, 412, 292);
CRV5_FIELD_OFFSET(ElementString, char_width, 414, 294);
CRV5_FIELD_OFFSET(ElementString, selection_start, 416, 296);
CRV5_FIELD_OFFSET(ElementString, selection_end, 418, 298);
CRV5_FIELD_OFFSET(ElementString, highlight_sequence, 424, 300);
CRV5_FIELD_OFFSET(ElementString, saved_sequence, 432, 304);
CRV5_FIELD_OFFSET(ElementString, char_height, 440, 308);
CRV5_FIELD_OFFSET(ElementString, callback, 448, 312);
CRV5_FIELD_OFFSET(ElementString, use_user_color, 456, 316);
CRV5_FIELD_OFFSET(ElementString, user_color, 460, 320);
CRV5_RECORD_SIZE(SliderAxis, 64, 44);
CRV5_FIELD_OFFSET(SliderAxis, source_callback, 40, 28);
CRV5_FIELD_OFFSET(SliderAxis, scale, 48, 32);
CRV5_FIELD_OFFSET(SliderAxis, lag, 56, 40);
CRV5_RECORD_SIZE(ElementSlider, 280, 192);
CRV5_FIELD_OFFSET(ElementSlider, x, 80, 60);
CRV5_FIELD_OFFSET(ElementSlider, y, 144, 104);
CRV5_FIELD_OFFSET(ElementSlider, image, 208, 148);
CRV5_FIELD_OFFSET(ElementSlider, save_buffer, 240, 164);
CRV5_FIELD_OFFSET(ElementSlider, x_callback, 248, 168);
CRV5_FIELD_OFFSET(ElementSlider, y_callback, 256, 172);
CRV5_FIELD_OFFSET(ElementSlider, previous_x, 264, 176);
CRV5_FIELD_OFFSET(ElementSlider, previous_y, 272, 184);
CRV5_RECORD_SIZE(ElementIcon, 192, 140);
CRV5_FIELD_OFFSET(ElementIcon, source, 80, 60);
CRV5_FIELD_OFFSET(ElementIcon, source_callback, 120, 88);
CRV5_FIELD_OFFSET(ElementIcon, switch_type, 128, 92);
CRV5_FIELD_OFFSET(ElementIcon, switch_count, 132, 96);
CRV5_FIELD_OFFSET(ElementIcon, scale, 136, 100);
CRV5_FIELD_OFFSET(ElementIcon, offset, 144, 108);
CRV5_FIELD_OFFSET(ElementIcon, image_count, 148, 112);
CRV5_FIELD_OFFSET(ElementIcon, current_icon, 152, 116);
CRV5_FIELD_OFFSET(ElementIcon, destination_icon, 156, 120);
CRV5_FIELD_OFFSET(ElementIcon, image, 160, 124);
CRV5_FIELD_OFFSET(ElementIcon, save_buffer, 168, 128);
CRV5_FIELD_OFFSET(ElementIcon, callback, 176, 132);
CRV5_FIELD_OFFSET(ElementIcon, reserved, 184, 136);
CRV5_RECORD_SIZE(MovingAxis, 72, 52);
CRV5_FIELD_OFFSET(MovingAxis, source_callback, 40, 28);
CRV5_FIELD_OFFSET(MovingAxis, min, 48, 32);
CRV5_FIELD_OFFSET(MovingAxis, max, 56, 40);
CRV5_FIELD_OFFSET(MovingAxis, lag, 64, 48);
CRV5_RECORD_SIZE(ElementMovingImage, 376, 268);
CRV5_FIELD_OFFSET(ElementMovingImage, x, 80, 60);
CRV5_FIELD_OFFSET(ElementMovingImage, y, 152, 112);
CRV5_FIELD_OFFSET(ElementMovingImage, scale_x, 224, 164);
CRV5_FIELD_OFFSET(ElementMovingImage, scale_y, 232, 172);
CRV5_FIELD_OFFSET(ElementMovingImage, offset_x, 240, 180);
CRV5_FIELD_OFFSET(ElementMovingImage, offset_y, 248, 188);
CRV5_FIELD_OFFSET(ElementMovingImage, save_position, 256, 196);
CRV5_FIELD_OFFSET(ElementMovingImage, image, 264, 204);
CRV5_FIELD_OFFSET(ElementMovingImage, local_mask, 296, 220);
CRV5_FIELD_OFFSET(ElementMovingImage, mask, 328, 236);
CRV5_FIELD_OFFSET(ElementMovingImage, save_buffer, 336, 240);
CRV5_FIELD_OFFSET(ElementMovingImage, x_callback, 344, 244);
CRV5_FIELD_OFFSET(ElementMovingImage, y_callback, 352, 248);
CRV5_FIELD_OFFSET(ElementMovingImage, previous_x, 360, 252);
CRV5_FIELD_OFFSET(ElementMovingImage, previous_y, 368, 260);
CRV5_RECORD_SIZE(SpriteAxis, 56, 40);
CRV5_FIELD_OFFSET(SpriteAxis, source_callback, 40, 28);
CRV5_FIELD_OFFSET(SpriteAxis, scale, 48, 32);
CRV5_RECORD_SIZE(ElementSprite, 480, 352);
CRV5_FIELD_OFFSET(ElementSprite, x, 80, 60);
CRV5_FIELD_OFFSET(ElementSprite, y, 136, 100);
CRV5_FIELD_OFFSET(ElementSprite, rotation, 192, 140);
CRV5_FIELD_OFFSET(ElementSprite, texture_scale_x, 248, 180);
CRV5_FIELD_OFFSET(ElementSprite, texture_scale_y, 252, 184);
CRV5_FIELD_OFFSET(ElementSprite, reference, 256, 188);
CRV5_FIELD_OFFSET(ElementSprite, reference_old, 264, 196);
CRV5_FIELD_OFFSET(ElementSprite, corners, 272, 204);
CRV5_FIELD_OFFSET(ElementSprite, texture_corners, 304, 236);
CRV5_FIELD_OFFSET(ElementSprite, image, 336, 268);
CRV5_FIELD_OFFSET(ElementSprite, texture, 368, 284);
CRV5_FIELD_OFFSET(ElementSprite, texture_handle, 376, 288);
CRV5_FIELD_OFFSET(ElementSprite, local_mask, 384, 292);
CRV5_FIELD_OFFSET(ElementSprite, mask, 416, 308);
CRV5_FIELD_OFFSET(ElementSprite, save_buffer, 424, 312);
CRV5_FIELD_OFFSET(ElementSprite, x_callback, 432, 316);
CRV5_FIELD_OFFSET(ElementSprite, y_callback, 440, 320);
CRV5_FIELD_OFFSET(ElementSprite, rotation_callback, 448, 324);
CRV5_FIELD_OFFSET(ElementSprite, previous_x, 456, 328);
CRV5_FIELD_OFFSET(ElementSprite, previous_y, 464, 336);
CRV5_FIELD_OFFSET(ElementSprite, previous_rotation, 472, 344);
CRV5_RECORD_SIZE(MouseRect, 56, 44);
CRV5_FIELD_OFFSET(MouseRect, box, 4, 4);
CRV5_FIELD_OFFSET(MouseRect, cursor, 20, 20);
CRV5_FIELD_OFFSET(MouseRect, help_id, 24, 24);
CRV5_FIELD_OFFSET(MouseRect, mouse_flags, 28, 28);
CRV5_FIELD_OFFSET(MouseRect, event_id, 32, 32);
CRV5_FIELD_OFFSET(MouseRect, tooltip_arg_count, 32, 32);
CRV5_FIELD_OFFSET(MouseRect, function, 40, 36);
CRV5_FIELD_OFFSET(MouseRect, tooltip_text, 40, 36);
CRV5_FIELD_OFFSET(MouseRect, api_data, 48, 40);
CRV5_FIELD_OFFSET(MouseRect, tooltip_args, 48, 40);
CRV5_RECORD_SIZE(ClickRecord, 40, 28);
CRV5_FIELD_OFFSET(ClickRecord, gauge, 8, 8);
CRV5_FIELD_OFFSET(ClickRecord, rect, 16, 12);
CRV5_FIELD_OFFSET(ClickRecord, screen_point, 24, 16);
CRV5_FIELD_OFFSET(ClickRecord, reserved, 32, 24);
CRV5_RECORD_SIZE(TooltipArg, 120, 72);
CRV5_FIELD_OFFSET(TooltipArg, scale, 40, 28);
CRV5_FIELD_OFFSET(TooltipArg, number_map, 48, 36);
CRV5_FIELD_OFFSET(TooltipArg, number_map_size, 56, 40);
CRV5_FIELD_OFFSET(TooltipArg, id_map, 64, 44);
CRV5_FIELD_OFFSET(TooltipArg, id_map_size, 72, 48);
CRV5_FIELD_OFFSET(TooltipArg, text_map, 80, 52);
CRV5_FIELD_OFFSET(TooltipArg, text_map_size, 88, 56);
CRV5_FIELD_OFFSET(TooltipArg, number, 96, 60);
CRV5_FIELD_OFFSET(TooltipArg, id, 104, 64);
CRV5_FIELD_OFFSET(TooltipArg, text, 112, 68);
CRV5_RECORD_SIZE(GaugeHeader, 296, 204);
CRV5_FIELD_OFFSET(GaugeHeader, name, 8, 4);
CRV5_FIELD_OFFSET(GaugeHeader, elements, 16, 8);
CRV5_FIELD_OFFSET(GaugeHeader, query, 24, 12);
CRV5_FIELD_OFFSET(GaugeHeader, install, 32, 16);
CRV5_FIELD_OFFSET(GaugeHeader, initialize, 40, 20);
CRV5_FIELD_OFFSET(GaugeHeader, update, 48, 24);
CRV5_FIELD_OFFSET(GaugeHeader, generate, 56, 28);
CRV5_FIELD_OFFSET(GaugeHeader, draw, 64, 32);
CRV5_FIELD_OFFSET(GaugeHeader, kill, 72, 36);
CRV5_FIELD_OFFSET(GaugeHeader, reserved1, 80, 40);
CRV5_FIELD_OFFSET(GaugeHeader, size_x_mm, 88, 44);
CRV5_FIELD_OFFSET(GaugeHeader, size_y_mm, 92, 48);
CRV5_FIELD_OFFSET(GaugeHeader, x_adjust, 96, 52);
CRV5_FIELD_OFFSET(GaugeHeader, y_adjust, 100, 56);
CRV5_FIELD_OFFSET(GaugeHeader, position, 120, 68);
CRV5_FIELD_OFFSET(GaugeHeader, mouse_rects, 136, 80);
CRV5_FIELD_OFFSET(GaugeHeader, callback, 144, 84);
CRV5_FIELD_OFFSET(GaugeHeader, user_data, 152, 88);
CRV5_FIELD_OFFSET(GaugeHeader, parameters, 160, 92);
CRV5_FIELD_OFFSET(GaugeHeader, usage, 168, 96);
CRV5_FIELD_OFFSET(GaugeHeader, size, 192, 108);
CRV5_FIELD_OFFSET(GaugeHeader, user_area, 200, 116);
CRV5_FIELD_OFFSET(GaugeHeader, flags, 280, 196);
CRV5_FIELD_OFFSET(GaugeHeader, reserved7, 288, 200);
CRV5_RECORD_SIZE(HostServices, 656, 328);
CRV5_FIELD_OFFSET(HostServices, panel_window_toggle, 280, 140);
CRV5_FIELD_OFFSET(HostServices, trigger_key_event, 288, 144);
CRV5_FIELD_OFFSET(HostServices, lookup_var, 320, 160);
CRV5_FIELD_OFFSET(HostServices, execute_calculator_code, 552, 276);
CRV5_RECORD_SIZE(GaugeLinkage, 768, 388);
CRV5_FIELD_OFFSET(GaugeLinkage, module_init, 8, 4);
CRV5_FIELD_OFFSET(GaugeLinkage, module_deinit, 16, 8);
CRV5_FIELD_OFFSET(GaugeLinkage, flags, 24, 12);
CRV5_FIELD_OFFSET(GaugeLinkage, priority, 28, 16);
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
