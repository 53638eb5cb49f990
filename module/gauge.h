// The gauge interface: the records a gauge module presents to its host and the services the host
// offers it. This header is the only thing CRV5_Instr.gau and gaugehost share.
//
// The records are the 2004 flight simulator's published gauge records, field by field, with its
// calling convention (CRV5_CALL) on every function the two sides call of each other. On the
// simulator's own target, 32-bit Windows, every record has the simulator's size and offsets:
// 4-byte packing (a double may lie on a 4-byte boundary) and 32-bit pointers.
// module/gauge_layout.h pins every record's size and field offsets on both targets. The 64-bit
// Linux module and host keep the same fields in the same order, each pointer at its own size and
// alignment. Fields marked "host's" are the host's to fill; the module leaves them zero.
//
// Host drawing conventions (the module's artwork is drawn to match them):
//  - Needles: every nonlinearity entry's point is an angle about the needle's position, clockwise
//    from 12 o'clock. Entries run clockwise in table order, each angle being the previous one plus
//    the clockwise turn from it (0 up to but excluding 360), so a table may wind past 360 and two
//    entries on one point make a stop. Values between entries are interpolated linearly; values
//    beyond the ends carry on along the end segment. Needle bitmaps point to 3 o'clock from their
//    pivot (the header's pivot); a needle without a table turns by its value in degrees clockwise.
//  - Icons: the value, rounded to the nearest whole number, selects image resource_id + value;
//    below 0 or at or above image_count nothing is shown.
//  - Moving images: resource_id is the strip, resource_id + 1 the window that clips it; the strip
//    is shifted by the fraction (value - min) / (max - min), limited to [0, 1], of its travel.
//  - Sliders and sprites shift by value x scale pixels; sprite rotation is degrees clockwise. A
//    sprite's texture centre (the header's pivot) is the background point it turns about, with
//    the texture's middle on it; its shifts run along the turned texture's axes; it shows only
//    inside the rectangle from its position to as far beyond the texture centre.
//  - Text strings are fitted to their box; the font height is kept for the simulator.
//  - Flags: kImageHidden hides only the element that carries it (its children are drawn as their
//    own flags say); kImageHiddenTree hides the element and all its children; kImageLuminous and
//    kImageBright take part in night lighting; clearing kImageOnScreen asks for a redraw.
//  - Failure actions: 1 freezes the element at its last value, 2 draws it with value 0, 3 hides it.
#pragma once

#include <cstddef>
#include <cstdint>

// The simulator's calling convention for every callback, module entry and host service: the
// callee pops its arguments on 32-bit Windows; elsewhere the platform's one convention.
#if defined(_WIN32) && !defined(_WIN64)
#define CRV5_CALL __stdcall
#else
#define CRV5_CALL
#endif

// The simulator's records are packed to 4 bytes on its 32-bit target.
#if UINTPTR_MAX == 0xffffffffu
#pragma pack(push, 4)
#define CRV5_PACKED_RECORDS 1
#endif

extern "C" {

// A 4-byte boolean: the simulator's BOOL (0 false, anything else true).
using Bool32 = int32_t;

struct GaugeHeader;
struct ElementHeader;

// ---------------------------------------------------------------------------------------------
// Token variables

// The value of a token variable: a 64-bit float, or for the packed-decimal radio variables and a
// few bit sets a 32-bit unsigned integer in the low half.
union VarValue {
  double f;        // most variables
  uint32_t u32;    // integer variables: the low 32 bits
  uint64_t raw;    // the whole word
};
static_assert(sizeof(VarValue) == 8);

// The module-variable record handed to lookup_var. The module zeroes it, sets the id, and reads
// `value` after the call.
struct ModuleVar {
  uint32_t id;          // token id (the host's number)
  void* var_ptr;        // host's: pointer to the variable
  uint32_t var_type;    // host's: type of the variable
  VarValue value;       // current value
  VarValue prev_value;  // previous value
};

// A source record's own callback (the host's; the module leaves it null).
using SourceCallback = double(CRV5_CALL*)(ModuleVar* source);
// A needle's display, angle or lag function (the host's; null).
using ValueFunction = double(CRV5_CALL*)(double value);

// ---------------------------------------------------------------------------------------------
// Service ids of the gauge callback

enum ServiceId : int32_t {
  kServicePreInstall = 2,        // PANEL_SERVICE_PRE_INSTALL
  kServicePreUpdate = 6,         // PANEL_SERVICE_PRE_UPDATE
  kServicePreKill = 12,          // PANEL_SERVICE_PRE_KILL
  kServiceConnectToWindow = 14,  // PANEL_SERVICE_CONNECT_TO_WINDOW
};

// ---------------------------------------------------------------------------------------------
// Image flags of an element (a 32-bit word; bits combine)

enum ImageFlags : uint32_t {
  kImageTransparent = 0x1,         // the bitmap's transparent colour is not drawn
  kImageErase = 0x2,               // erase the previous image before drawing
  kImageBright = 0x4,              // full brightness at night (lamps, lit read-outs)
  kImageBilinear = 0x80,           // bilinear filtering when rotated or scaled
  kImageLuminous = 0x4000,         // lit by the panel lighting at night
  kImageHiddenTree = 0x02000000,   // run time only: the element and all its children not drawn
  kImageHidden = 0x40000000,       // run time only: the element not drawn (its children may be)
  kImageOnScreen = 0x80000000u,    // run time only, host's: clearing it asks for a redraw
};

// ---------------------------------------------------------------------------------------------
// Elements

enum ElementKind : int32_t {
  kElementStaticImage = 0,
  kElementNeedle = 1,
  kElementString = 2,
  kElementSlider = 3,
  kElementIcon = 4,
  kElementMovingImage = 5,
  kElementSprite = 6,
};

struct PixPoint {
  int32_t x;  // pixels
  int32_t y;  // pixels
};

struct PixSize {
  int32_t width;   // pixels
  int32_t height;  // pixels
};

// Host's: the images the host makes of an element's bitmap.
struct ImageSet {
  void* images[4];
};

// A (failure key, action) pair; a list ends with key 0.
struct FailureRecord {
  int32_t key;        // host failure key
  int32_t action;     // FailureAction
  Bool32 initialized; // host's
};

enum FailureAction : int32_t {
  kFailNone = 0,
  kFailFreeze = 1,    // freezes at its last value
  kFailZero = 2,      // shows zero
  kFailNoDraw = 3,    // not drawn
};

// Common head of every element record.
struct ElementHeader {
  int32_t kind;                      // ElementKind
  int32_t resource_id;               // bitmap resource id; -1 for text strings
  PixPoint position;                 // background pixels: top-left, or the turning point
  PixPoint previous_position;        // host's
  PixPoint pivot;                    // pixels of the element's bitmap (needle pivot, sprite centre)
  GaugeHeader* gauge;                // the gauge the element belongs to
  ElementHeader* previous_element;   // host's
  ElementHeader* const* next;        // children, a null-terminated list; null for none
  const FailureRecord* failures;     // null, or a list ending with key 0
  uint32_t image_flags;              // ImageFlags; changed at run time by some callbacks
  uint32_t special_flags;            // always 0
  uint32_t reserved;                 // always 0
};

struct ElementStaticImage {
  ElementHeader header;
  ImageSet image;        // host's
  void* save_buffer;     // host's
  void* device_context;  // host's
  void* bitmap;          // host's
  void* reserved[2];
};

// A needle's nonlinearity entry: at `value` the needle's tip points at `point`.
struct NonlinearityEntry {
  PixPoint point;  // background pixels
  double value;    // in the source's units
  double degrees;  // host's: the angle of the point; left 0
};

struct ElementNeedle;
using NeedleCallback = double(CRV5_CALL*)(ElementNeedle*);
struct ElementNeedle {
  ElementHeader header;               // the pivot is the needle bitmap's turning point
  ModuleVar source;                   // read by the host before the callback
  SourceCallback source_callback;     // null
  ValueFunction display_value;        // null
  ValueFunction angle;                // null
  ValueFunction lag;                  // null
  PixPoint reference;                 // 0, 0
  NonlinearityEntry* table;           // null: value is degrees clockwise
  int32_t table_size;                 // entries in `table`
  int32_t max_degrees_per_update;     // 0: no limit
  double readout_goal;                // host's
  double theta_goal;                  // host's
  double theta;                       // host's
  PixPoint reference_old;             // host's
  PixPoint corners[4];                // host's
  ImageSet image;                     // host's
  void* texture;                      // host's
  void* texture_handle;               // host's
  void* save_buffer;                  // host's
  PixPoint save_position;             // host's
  NeedleCallback callback;            // null: the needle follows its source
  PixPoint save_size;                 // host's
};

struct ElementString;
using StringCallback = double(CRV5_CALL*)(ElementString*);
constexpr int kFontNameChars = 32;
struct ElementString {
  ElementHeader header;
  ModuleVar source[3];                // up to three sources; unused ones have id 0
  double saved_values[3];             // host's
  SourceCallback source_callbacks[3]; // null
  void* source_function;              // null
  char* text;                  // host's: a buffer of char_count + 1 bytes, set before the callback
  char* old_text;              // host's
  PixSize box;                 // pixels
  void* string_image;          // host's
  void* save_buffer;           // host's
  uint32_t foreground;         // 0x00BBGGRR
  uint32_t background;         // 0x00BBGGRR
  uint32_t highlight;          // 0x00BBGGRR
  void* handles[7];            // host's: device context, font, bitmap, brush and reserved words
  char font[kFontNameChars];   // face name, "Quartz" or "Arial", zero-padded
  int32_t weight;              // 400 normal, 700 bold
  uint8_t charset;             // 1, the default set
  uint8_t charset_padding[3];
  uint32_t draw_flags;         // 0x25: centred on a single line
  uint16_t char_count;         // characters the buffer holds
  uint16_t char_width;         // host's
  int16_t selection_start;     // host's
  int16_t selection_end;       // host's
  void* highlight_sequence;    // host's
  void* saved_sequence;        // host's
  int32_t char_height;         // pixels: the font height
  StringCallback callback;     // writes the text into `text`
  Bool32 use_user_color;       // 0
  uint32_t user_color;         // 0
};

struct ElementSlider;
using SliderCallback = double(CRV5_CALL*)(ElementSlider*);
struct SliderAxis {
  ModuleVar source;
  SourceCallback source_callback;  // null
  double scale;                    // pixels per unit of value
  ValueFunction lag;               // null
};
struct ElementSlider {
  ElementHeader header;
  SliderAxis x;
  SliderAxis y;
  ImageSet image;               // host's
  void* save_buffer;            // host's
  SliderCallback x_callback;    // null: the x source drives the axis
  SliderCallback y_callback;    // null: the y source drives the axis
  double previous_x;            // host's
  double previous_y;            // host's
};

struct ElementIcon;
using IconCallback = double(CRV5_CALL*)(ElementIcon*);
struct ElementIcon {
  ElementHeader header;
  ModuleVar source;
  SourceCallback source_callback;  // null
  int32_t switch_type;   // 0: the value selects the image
  int32_t switch_count;  // 0
  double scale;          // 1.0 or 0.0; the value reaching the host is the image index
  int32_t offset;        // 0
  int32_t image_count;   // images at resource_id, resource_id + 1, ...
  int32_t current_icon;       // host's
  int32_t destination_icon;   // host's
  ImageSet* image;            // host's
  void* save_buffer;          // host's
  IconCallback callback;      // null: the source selects the image
  void* reserved;
};

struct ElementMovingImage;
using MovingImageCallback = double(CRV5_CALL*)(ElementMovingImage*);
struct MovingAxis {
  ModuleVar source;
  SourceCallback source_callback;  // null
  double min;  // value at the strip's start
  double max;  // value at the strip's end
  ValueFunction lag;               // null
};
struct ElementMovingImage {
  ElementHeader header;
  MovingAxis x;
  MovingAxis y;
  double scale_x, scale_y;      // 0
  double offset_x, offset_y;    // 0
  PixPoint save_position;       // host's
  ImageSet image;               // host's
  ImageSet local_mask;          // host's
  void* mask;                   // host's
  void* save_buffer;            // host's
  MovingImageCallback x_callback;  // null: the x source drives the axis
  MovingImageCallback y_callback;  // null: the y source drives the axis
  double previous_x;            // host's
  double previous_y;            // host's
};

struct ElementSprite;
using SpriteCallback = double(CRV5_CALL*)(ElementSprite*);
struct SpriteAxis {
  ModuleVar source;
  SourceCallback source_callback;  // null
  double scale;  // pixels (or degrees) per unit of value
};
struct ElementSprite {
  ElementHeader header;       // the pivot is the texture centre, in pixels of the texture
  SpriteAxis x;
  SpriteAxis y;
  SpriteAxis rotation;        // degrees clockwise
  float texture_scale_x;      // 1.0 = as drawn
  float texture_scale_y;
  PixPoint reference;         // host's
  PixPoint reference_old;     // host's
  PixPoint corners[4];        // host's
  PixPoint texture_corners[4];  // host's
  ImageSet image;             // host's
  void* texture;              // host's
  void* texture_handle;       // host's
  ImageSet local_mask;        // host's
  void* mask;                 // host's
  void* save_buffer;          // host's
  SpriteCallback x_callback;         // null: the x source drives the shift
  SpriteCallback y_callback;         // null: the y source drives the shift
  SpriteCallback rotation_callback;  // null: the rotation source drives the turn
  double previous_x;          // host's
  double previous_y;          // host's
  double previous_rotation;   // host's
};

// ---------------------------------------------------------------------------------------------
// Mouse areas and tooltips

enum MouseRectKind : int32_t {
  kMouseEnd = 0,          // end of the list
  kMouseParent = 1,       // begin a parent area (box 0,0,0,0 = the whole gauge)
  kMouseChild = 2,        // a clickable area of the enclosing parent
  kMouseParentEnd = 3,    // end of the enclosing parent
  kMouseTooltip = 4,      // tooltip of the enclosing parent
};

enum MouseFlags : uint32_t {
  kMouseLeftSingle = 0x20000000,
  kMouseRightSingle = 0x80000000u,
  kMouseRepeat = 0x00200000,     // repeated while the button is held
  kMouseLeftDrag = 0x00800000,
};

enum Cursor : int32_t {
  kCursorNone = -1,
  kCursorUpArrow = 1,
  kCursorDownArrow = 2,
  kCursorHand = 5,
};

struct MouseRect;

struct PixBox {
  int32_t x, y;           // pixels
  int32_t width, height;  // pixels
};

// What a mouse function receives.
struct ClickRecord {
  PixPoint point;         // relative to the gauge, background pixels
  GaugeHeader* gauge;     // the clicked gauge
  MouseRect* rect;        // the area that was hit
  PixPoint screen_point;  // host's window pixels
  void* reserved;
};
// Always returns false in this module.
using MouseFunction = Bool32(CRV5_CALL*)(ClickRecord*, uint32_t mouse_flags);

using TooltipNumberFn = double(CRV5_CALL*)(double number, uint32_t id, const char* text,
                                           ModuleVar* var, GaugeHeader* gauge);
using TooltipIdFn = uint32_t(CRV5_CALL*)(double number, uint32_t id, const char* text,
                                         ModuleVar* var, GaugeHeader* gauge);
using TooltipTextFn = const char*(CRV5_CALL*)(double number, uint32_t id, const char* text,
                                              ModuleVar* var, GaugeHeader* gauge);

// One tooltip argument. In this module exactly one callback is set; the maps are empty.
struct TooltipArg {
  ModuleVar source;
  double scale;
  const void* number_map;     // null
  uint32_t number_map_size;   // 0
  const void* id_map;         // null
  uint32_t id_map_size;       // 0
  const void* text_map;       // null
  uint32_t text_map_size;     // 0
  TooltipNumberFn number;     // for "d" and "f" placeholders
  TooltipIdFn id;             // null
  TooltipTextFn text;         // for "s" placeholders
};

// One record of a mouse list. A tooltip (kind 4) keeps its own words in it: its argument count in
// the event word, its text in the function word and its argument list in the last word; its box
// is 0, 0 with the metric and the US help ids as width and height (0 here).
struct MouseRect {
  int32_t kind;                 // MouseRectKind
  PixBox box;                   // relative to the enclosing parent's box
  int32_t cursor;               // Cursor
  int32_t help_id;              // host help text id, 0 for none
  uint32_t mouse_flags;         // MouseFlags: the events the area takes
  union {
    uint32_t event_id;          // key event the host sends itself, 0 for none
    uint32_t tooltip_arg_count; // kind 4: arguments in tooltip_args
  };
  union {
    MouseFunction function;     // or the module's function, null for none
    const char* tooltip_text;   // kind 4: "%N!fmt!" placeholders, N counted from 1; Windows
                                // Latin-1; null for a help-id-only tooltip
  };
  union {
    uintptr_t api_data;             // 0
    const TooltipArg* tooltip_args; // kind 4: its arguments, shared by several tooltips
  };
};

// ---------------------------------------------------------------------------------------------
// Gauges

using GaugeCallback = void(CRV5_CALL*)(GaugeHeader* gauge, int32_t service_id,
                                       uintptr_t extra_data);
// The old-style gauge routines of a header (this module leaves them null).
using GaugeRoutine = void(CRV5_CALL*)();
using GaugeInstallRoutine = void(CRV5_CALL*)(void* resource_handle);
using GaugeGenerateRoutine = void(CRV5_CALL*)(uint32_t phase);

constexpr uint32_t kGaugeHeaderVersion = 800;

struct GaugeHeader {
  uint32_t version;                // 800
  const char* name;                // the name a panel configuration places the gauge by
  ElementHeader* const* elements;  // element list: the root element, then null
  GaugeRoutine query;              // null
  GaugeInstallRoutine install;     // null
  GaugeRoutine initialize;         // null
  GaugeRoutine update;             // null
  GaugeGenerateRoutine generate;   // null
  GaugeRoutine draw;               // null
  GaugeRoutine kill;               // null
  void* reserved1;
  uint32_t size_x_mm;              // the gauge's width in millimetres
  uint32_t size_y_mm;              // 0: the height follows the background's proportions
  float x_adjust, y_adjust;        // host's
  void* reserved2;
  void* reserved3;
  PixPoint position;               // host's
  void* reserved4;
  MouseRect* mouse_rects;          // the mouse-area list
  GaugeCallback callback;          // null for none
  uintptr_t user_data;             // left to the gauge
  const char* parameters;          // host's: the parameter text of the placement, or null
  const char* usage;               // host's
  int32_t reserved5;
  void* reserved6;
  PixPoint size;                   // host's: pixels
  double user_area[10];            // left to the gauge
  uint32_t flags;                  // gauge flags: 0
  void* reserved7;
};

// ---------------------------------------------------------------------------------------------
// Host services: the service table, as entries counted from 0. The module uses four.

using PanelWindowToggleFn = Bool32(CRV5_CALL*)(uint32_t panel_id);
using TriggerKeyEventFn = uint32_t(CRV5_CALL*)(uint32_t event_id, uint32_t value);
using LookupVarFn = void(CRV5_CALL*)(ModuleVar* var);
// number_result or text_result may be null; int_result is always null in this module.
using ExecuteCalculatorCodeFn = Bool32(CRV5_CALL*)(const char* code, double* number_result,
                                                   int32_t* int_result, const char** text_result);

constexpr int kHostServiceSlots = 82;

struct HostServices {
  uintptr_t id;                                     // entries 0-5: as a linkage's head, each
  void(CRV5_CALL* init)();                          //   word a slot
  void(CRV5_CALL* deinit)();
  uintptr_t flags;
  uintptr_t priority;
  uintptr_t version;
  void* unused_6_34[29];
  PanelWindowToggleFn panel_window_toggle;          // entry 35
  TriggerKeyEventFn trigger_key_event;              // entry 36
  void* unused_37_39[3];
  LookupVarFn lookup_var;                           // entry 40
  void* unused_41_68[28];
  ExecuteCalculatorCodeFn execute_calculator_code;  // entry 69
  void* unused_70_81[12];
};
static_assert(sizeof(HostServices) == kHostServiceSlots * sizeof(void*));
static_assert(offsetof(HostServices, panel_window_toggle) == 35 * sizeof(void*));
static_assert(offsetof(HostServices, trigger_key_event) == 36 * sizeof(void*));
static_assert(offsetof(HostServices, lookup_var) == 40 * sizeof(void*));
static_assert(offsetof(HostServices, execute_calculator_code) == 69 * sizeof(void*));

// ---------------------------------------------------------------------------------------------
// Exported records

constexpr uint32_t kModuleId = 0x13;
constexpr uint32_t kLinkageVersion = 0x900;
constexpr uint32_t kImportServicesId = 0x0F;

// A host walks `gauges` up to its null entry; kMaxGauges bounds the walk.
constexpr int kMaxGauges = 90;

using ModuleEntry = void(CRV5_CALL*)();

struct GaugeLinkage {
  uint32_t module_id;              // 0x13
  ModuleEntry module_init;         // does nothing
  ModuleEntry module_deinit;       // does nothing
  uint32_t flags;                  // 0
  uint32_t priority;               // 0
  uint32_t version;                // 0x900
  GaugeHeader* gauges[kMaxGauges + 1];  // the gauges in table order, then null
};

struct ImportEntry {
  uint32_t id;
  void* pointer;
};

struct ImportTableRecord {
  ImportEntry services;  // { 0x0F, the host's HostServices*, written by the host at load }
  ImportEntry end;       // { 0, null }
};

}  // extern "C"

#ifdef CRV5_PACKED_RECORDS
#pragma pack(pop)
#undef CRV5_PACKED_RECORDS
#endif

#include "module/gauge_layout.h"
