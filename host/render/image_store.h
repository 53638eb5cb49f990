// The module's bitmaps as cairo surfaces: read once from the module's resources (PNG bytes of
// type "BITMAP"), kept for the life of the store, with dimmed and warmly lit copies for night
// lighting made on first use.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <optional>
#include <span>

#include "host/render/display_list.h"

namespace gaugehost::render {

// How a bitmap is coloured when drawn: as it is, dimmed with an unlit panel, or lit warmly by the
// panel lighting.
enum class Tint { none, dim, warm };

// Multipliers of red, green and blue for a tint.
struct TintColour {
  double red, green, blue;
};
TintColour tint_colour(Tint tint);

class ImageStore {
 public:
  // The bytes of a bitmap resource, or nothing when the module has none by that id.
  using ResourceBytes = std::function<std::optional<std::span<const unsigned char>>(int32_t id)>;

  explicit ImageStore(ResourceBytes bytes = {});
  // The bitmaps of a loaded module, found through the platform layer.
  static ImageStore for_module(uintptr_t module_handle);
  ~ImageStore();
  ImageStore(ImageStore&& other) noexcept;
  ImageStore& operator=(ImageStore&&) = delete;
  ImageStore(const ImageStore&) = delete;
  ImageStore& operator=(const ImageStore&) = delete;

  // Takes over `surface` as bitmap `id` (tests draw their own bitmaps).
  void add(int32_t id, cairo_surface_t* surface);

  // The bitmap, tinted; null when the module has no such bitmap or its bytes are not a PNG.
  cairo_surface_t* find(int32_t id, Tint tint = Tint::none);
  // The tinted bitmap resampled smoothly to `width` x `height` pixels, made once per size: a
  // gauge drawn at a panel scale then only copies or turns its bitmaps.
  cairo_surface_t* find_scaled(int32_t id, Tint tint, int width, int height);
  std::optional<ImageSize> size(int32_t id);
  // The part of one of the store's surfaces that has any colour: beyond it every pixel is fully
  // transparent, so drawing only this part draws the same. Width 0 when nothing has colour.
  struct InkBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool solid = false;  // every pixel within it opaque: as a mask, it is a rectangle
  };
  InkBox ink(cairo_surface_t* surface);
  // size() as a display-list builder takes it.
  SizeLookup sizes();

  // A panel window's background bitmap (a BMP file), tinted, read once; null when it cannot be
  // read, with the reason in file_error().
  cairo_surface_t* find_file(const std::filesystem::path& file, Tint tint = Tint::none);
  // Why find_file() gave null for `file` ("" when it did not, or was not asked).
  std::string file_error(const std::filesystem::path& file) const;

 private:
  cairo_surface_t* load(int32_t id);

  ResourceBytes bytes_;
  struct Key {
    int32_t id;
    Tint tint;
    int width = 0, height = 0;  // 0: as the module has it
    auto operator<=>(const Key&) const = default;
  };
  std::map<Key, cairo_surface_t*> surfaces_;  // null: known to be missing
  struct FileKey {
    std::filesystem::path file;
    Tint tint;
    auto operator<=>(const FileKey&) const = default;
  };
  std::map<FileKey, cairo_surface_t*> files_;  // null: cannot be read
  std::map<std::filesystem::path, std::string> file_errors_;
  std::map<cairo_surface_t*, InkBox> inks_;
};

}  // namespace gaugehost::render
