#include "common/bmp.h"

#include <cstring>

namespace crv5::common {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint32_t u16(std::span<const uint8_t> b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t u32(std::span<const uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
int32_t s32(std::span<const uint8_t> b, size_t at) { return static_cast<int32_t>(u32(b, at)); }

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

bool fail(std::string& error, std::string reason) {
  error = std::move(reason);
  return false;
}

struct Layout {
  int width = 0, height = 0;
  bool top_down = false;
  uint32_t bits = 0;
  uint32_t pixels_at = 0;
  size_t stride = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
};

void store(RgbaImage& image, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
  p[0] = r;
  p[1] = g;
  p[2] = b;
  p[3] = (r | g | b) ? 255 : 0;  // pure black is transparent
}

bool read_layout(std::span<const uint8_t> bytes, Layout& layout, std::string& error) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
    return fail(error, "not a BMP file");
  const uint32_t header_size = u32(bytes, 14);
  if (header_size < kInfoHeaderSize || kFileHeaderSize + uint64_t(header_size) > bytes.size())
    return fail(error, "unsupported BMP header of " + std::to_string(header_size) + " bytes");
  const int32_t width = s32(bytes, 18), height = s32(bytes, 22);
  layout.bits = u16(bytes, 28);
  const uint32_t compression = u32(bytes, 30);
  if (width <= 0 || height == 0 || height == INT32_MIN || width > kMaxBmpSide ||
      (height < 0 ? -height : height) > kMaxBmpSide)
    return fail(error, "bad size " + std::to_string(width) + " x " + std::to_string(height) +
                           ", expected 1 to " + std::to_string(kMaxBmpSide) + " a side");
  layout.width = width;
  layout.top_down = height < 0;
  layout.height = height < 0 ? -height : height;
  if (layout.bits != 8 && layout.bits != 24 && layout.bits != 32)
    return fail(error, std::to_string(layout.bits) +
                           " bits a pixel are not supported (8, 24 or 32 are)");
  const bool bit_fields_ok = compression == kCompressionBitFields && layout.bits == 32;
  if (compression != kCompressionNone && !bit_fields_ok)
    return fail(error, "compressed BMP files are not supported (compression " +
                           std::to_string(compression) + ")");
  if (bit_fields_ok) {
    // The masks follow a 40-byte header, or are part of a longer one: only B, G, R bytes in
    // their usual places are read.
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize + 12 ||
        u32(bytes, 54) != 0x00ff0000u || u32(bytes, 58) != 0x0000ff00u ||
        u32(bytes, 62) != 0x000000ffu)
      return fail(error, "32-bit BMP with unusual colour masks is not supported");
  }
  layout.pixels_at = u32(bytes, 10);
  layout.stride = (size_t(layout.width) * layout.bits / 8 + 3) & ~size_t(3);
  if (layout.bits == 8) {
    uint32_t colours = u32(bytes, 46);
    if (colours == 0 || colours > 256) colours = 256;
    const size_t table = kFileHeaderSize + header_size;
    if (table + size_t(colours) * 4 > bytes.size()) return fail(error, "colour table cut short");
    for (uint32_t i = 0; i < colours; ++i)
      layout.palette.push_back(u32(bytes, table + i * 4) & 0xffffff);
  }
  if (layout.pixels_at > bytes.size() ||
      (bytes.size() - layout.pixels_at) / layout.stride < size_t(layout.height))
    return fail(error, "pixel data cut short");
  return true;
}

}  // namespace

bool read_bmp(std::span<const uint8_t> bytes, RgbaImage& image, std::string& error) {
  Layout layout;
  if (!read_layout(bytes, layout, error)) return false;
  image.width = layout.width;
  image.height = layout.height;
  image.pixels.assign(size_t(layout.width) * layout.height * 4, 0);
  for (int row = 0; row < layout.height; ++row) {
    const uint8_t* src = bytes.data() + layout.pixels_at + size_t(row) * layout.stride;
    const int y = layout.top_down ? row : layout.height - 1 - row;
    for (int x = 0; x < layout.width; ++x) {
      if (layout.bits == 8) {
        const uint8_t index = src[x];
        const uint32_t c = index < layout.palette.size() ? layout.palette[index] : 0;
        store(image, x, y, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c));
      } else {
        const uint8_t* p = src + size_t(x) * (layout.bits / 8);
        store(image, x, y, p[2], p[1], p[0]);
      }
    }
  }
  return true;
}

std::vector<uint8_t> write_bmp(const RgbaImage& image) {
  const size_t stride = (size_t(image.width) * 3 + 3) & ~size_t(3);
  const size_t data_size = stride * image.height;
  std::vector<uint8_t> out;
  out.reserve(kFileHeaderSize + kInfoHeaderSize + data_size);
  out.push_back('B');
  out.push_back('M');
  put32(out, uint32_t(kFileHeaderSize + kInfoHeaderSize + data_size));
  put32(out, 0);
  put32(out, kFileHeaderSize + kInfoHeaderSize);
  put32(out, kInfoHeaderSize);
  put32(out, uint32_t(image.width));
  put32(out, uint32_t(image.height));
  put16(out, 1);
  put16(out, 24);
  put32(out, kCompressionNone);
  put32(out, uint32_t(data_size));
  put32(out, 2835);  // 72 dots an inch
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int row = image.height - 1; row >= 0; --row) {
    const uint8_t* p = &image.pixels[size_t(row) * image.width * 4];
    for (int x = 0; x < image.width; ++x, p += 4) {
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    for (size_t pad = size_t(image.width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace crv5::common
