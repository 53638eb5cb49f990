// The painters of the module's bitmaps, one per drawn resource id, and how each file of artwork
// registers its own.
//
// A painter draws onto a transparent surface of the size the resource script gives its bitmap,
// and receives that size: it draws to fit it rather than repeating it. A file of artwork lists its
// painters in a static PainterRegistration; no central list names the files, so a gauge's artwork
// is one new file in resources/art/ (the build picks up every *.cpp there):
//
//   namespace {
//   void fuel_dial(cairo_t* cr, Size size) { ... }
//   const PainterRegistration kPainters{{
//       {2030, fuel_dial},
//       {2040, [](cairo_t* cr, Size) { fuel_pointer(cr, "G"); }},
//   }};
//   }  // namespace
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "resources/art/style/basics.h"

namespace crv5::art {

// A bitmap's size in pixels, from the resource script.
struct Size {
  double width;
  double height;
};

// The middle of a bitmap of that size.
inline Point middle(Size s) { return {s.width / 2, s.height / 2}; }

using Painter = std::function<void(cairo_t*, Size)>;

struct PainterEntry {
  int32_t bitmap;  // resource id
  Painter paint;
};

// Registers its entries, at program start, as painted by the file that declares it (`file` is
// filled in by the compiler where the registration is declared).
class PainterRegistration {
 public:
  PainterRegistration(std::vector<PainterEntry> entries, const char* file = __builtin_FILE());
};

// A registered painter and the file it comes from.
struct RegisteredPainter {
  int32_t bitmap;
  Painter paint;
  std::string file;
};

// Every painter registered so far, in registration order.
const std::vector<RegisteredPainter>& registered_painters();

using Painters = std::map<int32_t, Painter>;

// The painters by bitmap. Throws std::runtime_error naming both files when two painters are
// registered for one bitmap.
Painters painters_by_bitmap(const std::vector<RegisteredPainter>& registered);

// Every painter of the module.
inline Painters all_painters() { return painters_by_bitmap(registered_painters()); }

}  // namespace crv5::art
