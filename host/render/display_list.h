// Display lists: what one gauge instance looks like, as an ordered list of plain drawing
// operations in the gauge's own bitmap pixels (the pixels of its background bitmap).
//
// Every drawing rule of the host lives in build_display_list(): needles turned about their pivot,
// sliders, moving images inside their windows, sprites about their texture centre, icons by image
// index, hidden elements, failures that stop an element being drawn, and which elements take part
// in night lighting. A backend only replays the operations (cairo here; the web page replays the
// same lists from their JSON form), so no backend needs to know what a needle is.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "host/eval/evaluated.h"

namespace gaugehost::render {

// A 2x3 affine transform, as cairo and the canvas API take it:
// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  // Turns clockwise on screen (y grows downwards) by `degrees`.
  static Affine rotation(double degrees);

  // This transform applied after `inner`: (*this * inner)(p) = this(inner(p)).
  Affine operator*(const Affine& inner) const;
  bool operator==(const Affine&) const = default;

  struct Point {
    double x, y;
  };
  Point apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
};

struct Rect {
  double x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
  auto operator<=>(const Rect&) const = default;
};

struct ImageSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const ImageSize&) const = default;
};

// How an operation takes part in night lighting: normal parts are dimmed with the panel, luminous
// ones are lit by the panel lighting, bright ones keep their full brightness.
enum class Lighting { normal, luminous, bright };

// What an image is clipped by: nothing, the opaque pixels of a window bitmap placed by a
// transform, or a rectangle.
struct Clip {
  enum class Kind { none, window, rectangle };
  Kind kind = Kind::none;
  int32_t window_id = -1;  // Kind::window: the bitmap whose opaque pixels let the image through
  Affine window_transform;  // Kind::window: where that bitmap lies
  Rect rect;                // Kind::rectangle
  bool operator==(const Clip&) const = default;
};

struct ImageOp {
  int32_t resource_id = -1;
  Affine transform;    // bitmap pixels to gauge pixels
  ImageSize size;      // the bitmap's size, or a plausible size when the module has no such bitmap
  Clip clip;
  bool bilinear = false;
  Lighting lighting = Lighting::normal;
  bool operator==(const ImageOp&) const = default;
};

// Text drawing flags of the string records.
enum TextAlign : uint32_t {
  kTextCentre = 0x1,
  kTextRight = 0x2,
  kTextVerticalCentre = 0x4,
  kTextBottom = 0x8,
  kTextSingleLine = 0x20,
};

struct TextOp {
  std::string text;       // UTF-8, as evaluation gives it
  Rect box;
  std::string font;       // the record's face name ("Quartz", "Arial")
  int32_t weight = 400;   // 400 normal, 700 bold
  uint32_t foreground = 0xffffff;  // 0xRRGGBB
  uint32_t background = 0x000000;  // 0xRRGGBB
  uint32_t align = kTextCentre | kTextVerticalCentre | kTextSingleLine;
  bool fill_background = true;  // false: a black background is the transparent colour
  Lighting lighting = Lighting::normal;
  bool operator==(const TextOp&) const = default;
};

using DrawOp = std::variant<ImageOp, TextOp>;

struct DisplayList {
  ImageSize size;  // the gauge's own pixel size: its background bitmap's
  std::vector<DrawOp> ops;
  bool operator==(const DisplayList&) const = default;
};

// The size of a module bitmap, or nothing when the module has no such bitmap.
using SizeLookup = std::function<std::optional<ImageSize>(int32_t resource_id)>;

// The display list of one gauge instance from its evaluated tree (the root is the background).
DisplayList build_display_list(const EvaluatedElement& root, const SizeLookup& sizes);

// The angle by which a needle bitmap (drawn pointing to 3 o'clock) is turned for a needle angle
// measured clockwise from 12 o'clock.
double needle_bitmap_turn(double needle_angle);

// 0x00BBGGRR, as the records hold colours, to 0xRRGGBB.
uint32_t rgb_from_record_colour(uint32_t bgr);

// The JSON form of a display list, for the web page.
void to_json(nlohmann::json& json, const DisplayList& list);

}  // namespace gaugehost::render
