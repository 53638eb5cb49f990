// Windows bitmap files (BMP), as panel designers ship a panel window's background: read into
// straight (not premultiplied) RGBA pixels, and written as 24-bit files by the art generator.
//
// Read: the 40-byte info header and its longer successors (V4, V5); 8 bits a pixel with a colour
// table, 24 and 32 bits a pixel; uncompressed (32 bits also with the standard bit-field masks);
// rows stored bottom-up or top-down. Anything else, or a file whose pixels do not fit in it, is
// refused with a reason. Pure black is the transparent colour of a panel background, as in the
// simulator: such pixels come out with alpha 0.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace crv5::common {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes: R, G, B, A, rows from the top
};

// The largest side read: a panel window is at most 8192 pixels a side.
inline constexpr int kMaxBmpSide = 8192;

// The image, or false with a reason in `error` ("not a BMP file", "8-bit RLE compression is not
// supported", ...).
bool read_bmp(std::span<const uint8_t> bytes, RgbaImage& image, std::string& error);

// A 24-bit bottom-up BMP file of `image` (alpha dropped).
std::vector<uint8_t> write_bmp(const RgbaImage& image);

}  // namespace crv5::common
