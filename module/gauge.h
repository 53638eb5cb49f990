// The gauge interface: the records a gauge module presents to its host and the services the host
// offers it. This header is the only thing CRV5_Instr.gau and gaugehost share.
//
// The records follow the flight simulator's gauge records field by field. The simulator is a
// 32-bit program; this interface is 64-bit clean: where the simulator keeps a pointer or a handle
// in a 32-bit word, the field here is pointer-sized (marked "pointer-sized" below), so that the
// 32-bit Windows module has the simulator's 32-bit words. module/gauge_layout.h pins every
// record's size and field offsets on both targets.
//
// Host drawing conventions (the module's artwork is drawn to match them):
//  - Needles: every nonlinearity entry's point is an angle about the needle's position, clockwise
//    from 12 o'clock. Entries run clockwise in table order, each angle being the previous one plus
//    the clockwise turn from it (0 up to but excluding 360), so a table may wind past 360 and two
//    entries on one point make a stop. Values between entries are interpolated linearly; values
//    beyond the ends carry on along the end segment. Needle bitmaps point to 3 o'clock from their
//    pivot; a needle without a table turns by its value in degrees clockwise.
//  - Icons: the value, rounded to the nearest whole number, selects image resource_id + value;
//    below 0 or at or above image_count nothing is shown.
//  - Moving images: resource_id is the strip, resource_id + 1 the window that clips it; the strip
//    is shifted by the fraction (value - min) / (max - min), limited to [0, 1], of its travel.
//  - Sliders and sprites shift by value x scale pixels; sprite rotation is degrees clockwise. A
//    sprite's texture centre is the background point it turns about, with the texture's middle
//    on it; its shifts run along the turned texture's axes; it shows only inside the rectangle
//    from its position to as far beyond the texture centre.
//  - Flags: kImageHidden hides only the element that carries it (its children are drawn as their
//    own flags say); kImageLuminous and kImageBright take part in night lighting; clearing
//    kImageOnScreen asks for a redraw.
//  - Failure actions: 1 freezes the element at its last value, 2 draws it with value 0, 3 hides it.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

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
  void* var_ptr;        // host's: pointer to the variable (pointer-sized)
  uint32_t var_type;    // host's: type of the variable
  VarValue value;       // current value
  VarValue prev_value;  // previous value
};

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
  kImageTransparent = 0x1,        // the bitmap's transparent colour is not drawn
  kImageErase = 0x2,              // erase the previous image before drawing
  kImageBright = 0x4,             // full brightness at night (lamps, lit read-outs)
  kImageBilinear = 0x80,          // bilinear filtering when rotated or scaled
  kImageLuminous = 0x4000,        // lit by the panel lighting at night
  kImageHidden = 0x40000000,      // run time only: the element not drawn (its children may be)
  kImageOnScreen = 0x80000000u,   // run time only, host's: clearing it asks for a redraw
};

// ---------------------------------------------------------------------------------------------
// Elements

struct GaugeHeader;
struct ElementHeader;

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

// A (failure key, action) pair; a list ends with key 0.
struct FailureRecord {
  int32_t key;     // host failure key
  int32_t action;  // FailureAction
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
  GaugeHeader* gauge;                // the gauge the element belongs to
  PixPoint position;                 // background pixels: top-left, or the turning point
  PixPoint pivot;                    // pixels of the element's bitmap (needle pivot, sprite centre)
  ElementHeader* previous_element;   // host's; left null
  ElementHeader* const* next;        // children, a null-terminated list; null for none
  const FailureRecord* failures;     // null, or a list ending with key 0
  uint32_t image_flags;              // ImageFlags; changed at run time by some callbacks
  uint32_t special_flags;            // always 0
  uint32_t reserved;                 // always 0
};

struct ElementStaticImage {
  ElementHeader header;
};

// A needle's nonlinearity entry: at `value` the needle's tip points at `point`.
struct NonlinearityEntry {
  PixPoint point;  // background pixels
  double value;    // in the source's units
  double degrees;  // host's: the angle of the point; left 0
};

struct ElementNeedle;
using NeedleCallback = double (*)(ElementNeedle*);
struct ElementNeedle {
  ElementHeader header;
  ModuleVar source;                   // read by the host before the callback
  NeedleCallback callback;            // null: the needle follows its source
  NonlinearityEntry* table;           // null: value is degrees clockwise
  int32_t table_size;                 // entries in `table`
  int32_t max_degrees_per_update;     // 0: no limit
};

struct ElementString;
using StringCallback = double (*)(ElementString*);
struct ElementString {
  ElementHeader header;
  ModuleVar source[3];       // up to three sources; unused ones have id 0
  StringCallback callback;   // writes the text into `text`
  char* text;                // host's: a buffer of char_count + 1 bytes, set before the callback
  PixSize box;               // pixels
  int32_t char_count;        // characters the buffer holds
  uint32_t foreground;       // 0x00BBGGRR
  uint32_t background;       // 0x00BBGGRR
  uint32_t highlight;        // 0x00BBGGRR
  const char* font;          // face name: "Quartz" or "Arial"
  int32_t weight;            // 400 normal, 700 bold
  int32_t charset;           // 1, the default set
  uint32_t draw_flags;       // 0x25: centred on a single line
};

struct ElementSlider;
using SliderCallback = double (*)(ElementSlider*);
struct SliderAxis {
  ModuleVar source;
  SliderCallback callback;
  double scale;  // pixels per unit of value
};
struct ElementSlider {
  ElementHeader header;
  SliderAxis x;
  SliderAxis y;
};

struct ElementIcon;
using IconCallback = double (*)(ElementIcon*);
struct ElementIcon {
  ElementHeader header;
  ModuleVar source;
  IconCallback callback;
  int32_t switch_type;   // 0: the value selects the image
  int32_t image_count;   // images at resource_id, resource_id + 1, ...
  double scale;          // 1.0 or 0.0; the value reaching the host is the image index
  double offset;         // 0
};

struct ElementMovingImage;
using MovingImageCallback = double (*)(ElementMovingImage*);
struct MovingAxis {
  ModuleVar source;
  MovingImageCallback callback;
  double min;  // value at the strip's start
  double max;  // value at the strip's end
};
struct ElementMovingImage {
  ElementHeader header;
  MovingAxis x;
  MovingAxis y;
};

struct ElementSprite;
using SpriteCallback = double (*)(ElementSprite*);
struct SpriteAxis {
  ModuleVar source;
  SpriteCallback callback;
  double scale;  // pixels (or degrees) per unit of value
};
struct ElementSprite {
  ElementHeader header;
  PixPoint texture_center;  // pixels of the texture
  double texture_scale_x;   // 1.0 = as drawn
  double texture_scale_y;
  SpriteAxis x;
  SpriteAxis y;
  SpriteAxis rotation;      // degrees clockwise
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
  PixPoint point;        // relative to the gauge, background pixels
  GaugeHeader* gauge;    // the clicked gauge (pointer-sized)
  MouseRect* rect;       // the area that was hit
};
using MouseFunction = bool (*)(ClickRecord*, uint32_t mouse_flags);

using TooltipNumberFn = double (*)(double number, uint32_t id, const char* text, ModuleVar* var,
                                   GaugeHeader* gauge);
using TooltipTextFn = const char* (*)(double number, uint32_t id, const char* text, ModuleVar* var,
                                      GaugeHeader* gauge);

// One tooltip argument. In this module exactly one callback is set.
struct TooltipArg {
  ModuleVar source;
  double scale;
  const char* const* lookup;  // table of texts, unused
  TooltipNumberFn number;     // for "d" and "f" placeholders
  TooltipTextFn text;         // for "s" placeholders
};

// Text and arguments of a tooltip record: "%N!fmt!" placeholders, N counted from 1.
struct TooltipText {
  const char* text;          // Windows Latin-1; null for a help-id-only tooltip
  const TooltipArg* args;    // shared by several tooltips of a gauge
  int32_t arg_count;
};

struct MouseRect {
  int32_t kind;                 // MouseRectKind
  PixBox box;                   // relative to the enclosing parent's box
  int32_t cursor;               // Cursor
  int32_t help_id;              // host help text id, 0 for none
  uint32_t mouse_flags;         // MouseFlags: the events the area takes
  uint32_t event_id;            // key event the host sends itself, 0 for none
  MouseFunction function;       // or the module's function, null for none
  const TooltipText* tooltip;   // kind 4 only (the argument word; pointer-sized)
};

// ---------------------------------------------------------------------------------------------
// Gauges

using GaugeCallback = void (*)(GaugeHeader* gauge, int32_t service_id, uintptr_t extra_data);

constexpr uint32_t kGaugeHeaderVersion = 800;

struct GaugeHeader {
  uint32_t version;              // 800
  const char* name;              // the name a panel configuration places the gauge by
  ElementHeader* const* elements;  // element list: the root element, then null
  GaugeCallback callback;        // null for none
  MouseRect* mouse_rects;        // the mouse-area list
  double width_mm;               // the gauge's width in millimetres
  const char* parameters;        // host's: the parameter text of the placement, or null
  uintptr_t user_data;           // left to the gauge (pointer-sized)
};

// ---------------------------------------------------------------------------------------------
// Host services: the service table, as entries counted from 0. Only four are used.

using PanelWindowToggleFn = void (*)(uint32_t panel_id);
using TriggerKeyEventFn = void (*)(uint32_t event_id, uint32_t value);
using LookupVarFn = void (*)(ModuleVar* var);
// number_result or text_result may be null; int_result is always null in this module.
using ExecuteCalculatorCodeFn = bool (*)(const char* code, double* number_result,
                                         int32_t* int_result, const char** text_result);

struct HostServices {
  void* unused_0_34[35];
  PanelWindowToggleFn panel_window_toggle;          // entry 35
  TriggerKeyEventFn trigger_key_event;              // entry 36
  void* unused_37_39[3];
  LookupVarFn lookup_var;                           // entry 40
  void* unused_41_68[28];
  ExecuteCalculatorCodeFn execute_calculator_code;  // entry 69
  void* unused_70_99[30];
};
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

struct GaugeLinkage {
  uint32_t module_id;              // 0x13
  void (*module_init)();           // does nothing
  void (*module_deinit)();         // does nothing
  uint32_t flags;                  // 0
  uint32_t priority;               // 0
  uint32_t version;                // 0x900
  GaugeHeader* gauges[kMaxGauges + 1];  // the gauges in table order, then null
};

struct ImportEntry {
  uint32_t id;
  void* pointer;  // pointer-sized
};

struct ImportTableRecord {
  ImportEntry services;  // { 0x0F, the host's HostServices*, written by the host at load }
  ImportEntry end;       // { 0, null }
};

}  // extern "C"

#include "module/gauge_layout.h"
