#include "host/render/image_store.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/bmp.h"

#include "module/platform.h"

namespace gaugehost::render {

TintColour tint_colour(Tint tint) {
  switch (tint) {
    case Tint::dim: return {0.20, 0.20, 0.26};
    case Tint::warm: return {1.00, 0.72, 0.45};
    default: return {1, 1, 1};
  }
}

namespace {

struct PngReader {
  std::span<const unsigned char> bytes;
  size_t offset = 0;
};

cairo_status_t read_png_bytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->bytes.size() - reader->offset < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes.data() + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* decode_png(std::span<const unsigned char> bytes) {
  PngReader reader{bytes};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read_png_bytes, &reader);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  return surface;
}

// A copy of `source` with every colour channel multiplied by the tint. It keeps the source's
// format: a bitmap without transparency stays one, which cairo copies instead of blending.
cairo_surface_t* tinted_copy(cairo_surface_t* source, TintColour tint) {
  const int width = cairo_image_surface_get_width(source);
  const int height = cairo_image_surface_get_height(source);
  const cairo_format_t format = cairo_image_surface_get_format(source) == CAIRO_FORMAT_RGB24
                                    ? CAIRO_FORMAT_RGB24
                                    : CAIRO_FORMAT_ARGB32;
  cairo_surface_t* copy = cairo_image_surface_create(format, width, height);
  cairo_t* cr = cairo_create(copy);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(copy);
  unsigned char* data = cairo_image_surface_get_data(copy);
  const int stride = cairo_image_surface_get_stride(copy);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = row[x];  // premultiplied ARGB: scaling a channel keeps it premultiplied
      const auto channel = [&](int shift, double k) {
        return static_cast<uint32_t>(((p >> shift) & 0xff) * k + 0.5) << shift;
      };
      row[x] = (p & 0xff000000u) | channel(16, tint.red) | channel(8, tint.green) |
               channel(0, tint.blue);
    }
  }
  cairo_surface_mark_dirty(copy);
  return copy;
}

// `source` resampled to width x height, its edge pixels carried to the new edge, in its format.
cairo_surface_t* resampled(cairo_surface_t* source, int width, int height) {
  cairo_surface_t* copy =
      cairo_image_surface_create(cairo_image_surface_get_format(source), width, height);
  cairo_t* cr = cairo_create(copy);
  cairo_scale(cr, double(width) / cairo_image_surface_get_width(source),
              double(height) / cairo_image_surface_get_height(source));
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(source),
                  cairo_image_surface_get_height(source));
  cairo_fill(cr);
  cairo_destroy(cr);
  return copy;
}

// An RGBA image as a premultiplied ARGB32 surface.
cairo_surface_t* surface_of(const crv5::common::RgbaImage& image) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
      const uint32_t a = p[3];
      const auto pre = [a](uint8_t c) { return uint32_t(c * a / 255); };
      row[x] = (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

cairo_surface_t* read_bmp_file(const std::filesystem::path& file, std::string& error) {
  std::error_code code;
  if (!std::filesystem::is_regular_file(file, code)) {
    error = "not found";
    return nullptr;
  }
  // A window is at most 8192 x 8192 pixels of 4 bytes, plus headers and a colour table.
  constexpr std::uintmax_t kMaxBytes = std::uintmax_t(8192) * 8192 * 4 + 4096;
  if (std::filesystem::file_size(file, code) > kMaxBytes) {
    error = "larger than any window bitmap";
    return nullptr;
  }
  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  crv5::common::RgbaImage image;
  if (!in.good() && !in.eof()) error = "cannot be read";
  else if (crv5::common::read_bmp(bytes, image, error)) return surface_of(image);
  return nullptr;
}

}  // namespace

ImageStore::ImageStore(ResourceBytes bytes) : bytes_(std::move(bytes)) {}

ImageStore ImageStore::for_module(uintptr_t module_handle) {
  return ImageStore([module_handle](int32_t id) -> std::optional<std::span<const unsigned char>> {
    uint32_t size = 0;
    const void* data = platform_find_resource(module_handle, "BITMAP", id, &size);
    if (!data) return std::nullopt;
    return std::span(static_cast<const unsigned char*>(data), size);
  });
}

ImageStore::ImageStore(ImageStore&& other) noexcept
    : bytes_(std::move(other.bytes_)),
      surfaces_(std::move(other.surfaces_)),
      files_(std::move(other.files_)),
      file_errors_(std::move(other.file_errors_)) {
  other.surfaces_.clear();
  other.files_.clear();
}

ImageStore::~ImageStore() {
  for (auto& [key, surface] : surfaces_)
    if (surface) cairo_surface_destroy(surface);
  for (auto& [key, surface] : files_)
    if (surface) cairo_surface_destroy(surface);
}

cairo_surface_t* ImageStore::find_file(const std::filesystem::path& file, Tint tint) {
  auto [plain, read] = files_.try_emplace({file, Tint::none}, nullptr);
  if (read) {
    std::string error;
    plain->second = read_bmp_file(file, error);
    if (!plain->second) file_errors_[file] = error;
  }
  if (!plain->second || tint == Tint::none) return plain->second;
  auto [it, inserted] = files_.try_emplace({file, tint}, nullptr);
  if (inserted) it->second = tinted_copy(plain->second, tint_colour(tint));
  return it->second;
}

std::string ImageStore::file_error(const std::filesystem::path& file) const {
  auto it = file_errors_.find(file);
  return it == file_errors_.end() ? std::string() : it->second;
}

void ImageStore::add(int32_t id, cairo_surface_t* surface) {
  for (auto it = surfaces_.begin(); it != surfaces_.end();) {
    if (it->first.id == id) {
      inks_.erase(it->second);
      if (it->second) cairo_surface_destroy(it->second);
      it = surfaces_.erase(it);
    } else {
      ++it;
    }
  }
  surfaces_[{id, Tint::none}] = surface;
}

cairo_surface_t* ImageStore::load(int32_t id) {
  auto [it, inserted] = surfaces_.try_emplace({id, Tint::none}, nullptr);
  if (inserted && bytes_) {
    if (auto bytes = bytes_(id)) it->second = decode_png(*bytes);
  }
  return it->second;
}

cairo_surface_t* ImageStore::find(int32_t id, Tint tint) {
  cairo_surface_t* plain = load(id);
  if (!plain || tint == Tint::none) return plain;
  auto [it, inserted] = surfaces_.try_emplace({id, tint}, nullptr);
  if (inserted) it->second = tinted_copy(plain, tint_colour(tint));
  return it->second;
}

cairo_surface_t* ImageStore::find_scaled(int32_t id, Tint tint, int width, int height) {
  cairo_surface_t* original = find(id, tint);
  if (!original || width <= 0 || height <= 0) return original;
  if (width == cairo_image_surface_get_width(original) &&
      height == cairo_image_surface_get_height(original))
    return original;
  auto [it, inserted] = surfaces_.try_emplace({id, tint, width, height}, nullptr);
  if (inserted) it->second = resampled(original, width, height);
  return it->second;
}

std::optional<ImageSize> ImageStore::size(int32_t id) {
  cairo_surface_t* surface = load(id);
  if (!surface) return std::nullopt;
  return ImageSize{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
}

ImageStore::InkBox ImageStore::ink(cairo_surface_t* surface) {
  auto [it, inserted] = inks_.try_emplace(surface);
  if (!inserted) return it->second;
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32)  // opaque, or a format not looked into
    return it->second = {0, 0, width, height, format == CAIRO_FORMAT_RGB24};
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    int x = 0;
    while (x < width && row[x] == 0) ++x;  // premultiplied: transparent is all zero
    if (x == width) continue;
    int last = width - 1;
    while (row[last] == 0) --last;
    left = std::min(left, x);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  if (right < 0) return it->second = {};
  bool solid = true;
  for (int y = top; y <= bottom && solid; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = left; x <= right && solid; ++x) solid = row[x] >= 0xff000000u;
  }
  return it->second = {left, top, right - left + 1, bottom - top + 1, solid};
}

SizeLookup ImageStore::sizes() {
  return [this](int32_t id) { return size(id); };
}

}  // namespace gaugehost::render
