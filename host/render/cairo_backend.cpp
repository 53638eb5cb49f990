#include "host/render/cairo_backend.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "common/latin1.h"
#include "host/render/fonts.h"

namespace gaugehost::render {

Tint tint_for(Lighting lighting, const RenderOptions& options) {
  if (!options.night) return Tint::none;
  switch (lighting) {
    case Lighting::luminous: return Tint::warm;
    case Lighting::bright: return Tint::none;
    default: return Tint::dim;
  }
}

void set_tinted_colour(cairo_t* cr, uint32_t rgb, Tint tint) {
  const TintColour k = tint_colour(tint);
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0 * k.red,
                       ((rgb >> 8) & 0xff) / 255.0 * k.green, (rgb & 0xff) / 255.0 * k.blue);
}

std::string displayable_utf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xe ? 3
                                          : (lead >> 3) == 0x1e ? 4 : 0;
    if (length == 0 || i + length > text.size()) break;
    size_t k = 1;
    while (k < length && (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80) ++k;
    if (k < length) break;
    i += length;
  }
  return i == text.size() ? text : crv5::common::latin1_to_utf8(text);
}

namespace {

cairo_matrix_t matrix_of(const Affine& t) {
  cairo_matrix_t m;
  cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.e, t.f);
  return m;
}

// Scaled and shifted only: no turn, no mirror.
bool upright(const Affine& t) { return t.b == 0 && t.c == 0 && t.a > 0 && t.d > 0; }

// Shifted by whole pixels only.
bool whole_pixel_shift(const Affine& transform) {
  return transform.a == 1 && transform.d == 1 && transform.b == 0 && transform.c == 0 &&
         transform.e == std::floor(transform.e) && transform.f == std::floor(transform.f);
}

// How a bitmap is sampled: an exact copy when it lands on whole pixels, otherwise the record's
// choice (bilinear or nearest pixel).
cairo_filter_t filter_for(const Affine& transform, bool bilinear) {
  return whole_pixel_shift(transform) || !bilinear ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR;
}

// A pattern of `surface` placed by `transform` (bitmap to user space).
cairo_pattern_t* placed_pattern(cairo_surface_t* surface, const Affine& transform,
                                cairo_filter_t filter) {
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
  cairo_matrix_t m = matrix_of(transform);
  if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) cairo_matrix_init_identity(&m);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_pattern_set_filter(pattern, filter);
  return pattern;
}

bool invertible(const Affine& t) { return std::abs(t.a * t.d - t.b * t.c) > 1e-12; }

void placeholder(cairo_t* cr, const ImageOp& op) {
  cairo_save(cr);
  cairo_matrix_t m = matrix_of(op.transform);
  cairo_transform(cr, &m);
  const double w = std::max(op.size.width, 2), h = std::max(op.size.height, 2);
  cairo_rectangle(cr, 1, 1, w - 2, h - 2);
  cairo_move_to(cr, 1, 1);
  cairo_line_to(cr, w - 1, h - 1);
  cairo_set_source_rgb(cr, 1, 0, 1);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

Affine affine_of(const cairo_matrix_t& m) { return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0}; }

// A bitmap ready to be drawn in device pixels: where the host scales the gauge (a plain scale, as
// onto a panel), the bitmap resampled once to that scale, so that drawing it is a copy or a turn.
struct DeviceBitmap {
  cairo_surface_t* surface = nullptr;
  Affine transform;  // the surface's pixels to device pixels
};

DeviceBitmap device_bitmap(ImageStore& images, int32_t id, Tint tint, const Affine& transform,
                           const cairo_matrix_t& host) {
  cairo_surface_t* original = images.find(id, tint);
  DeviceBitmap bitmap{original, affine_of(host) * transform};
  const bool plain_scale = host.xy == 0 && host.yx == 0 && host.xx > 0 && host.yy > 0;
  if (!original || !plain_scale || (host.xx == 1 && host.yy == 1)) return bitmap;
  const int width = cairo_image_surface_get_width(original);
  const int height = cairo_image_surface_get_height(original);
  const int scaled_width = std::max(1, int(std::lround(width * host.xx)));
  const int scaled_height = std::max(1, int(std::lround(height * host.yy)));
  bitmap.surface = images.find_scaled(id, tint, scaled_width, scaled_height);
  bitmap.transform = bitmap.transform * Affine::scaling(double(width) / scaled_width,
                                                        double(height) / scaled_height);
  return bitmap;
}

// Clips to the whole device pixels that the ink box, widened by the one pixel a smooth filter
// reaches beyond it, covers once placed by `transform` (bitmap pixels to device pixels).
void clip_to_ink(cairo_t* cr, const ImageStore::InkBox& ink, const Affine& transform) {
  const double x0 = ink.x - 1, y0 = ink.y - 1, x1 = ink.x + ink.width + 1,
               y1 = ink.y + ink.height + 1;
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const Affine::Point corner : {Affine::Point{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}}) {
    const Affine::Point p = transform.apply(corner.x, corner.y);
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  left = std::floor(left);
  top = std::floor(top);
  cairo_rectangle(cr, left, top, std::ceil(right) - left, std::ceil(bottom) - top);
  cairo_clip(cr);
}

void draw_image(cairo_t* cr, const ImageOp& op, ImageStore& images, const RenderOptions& options) {
  if (!invertible(op.transform)) return;  // squashed flat: nothing to see
  const Tint tint = tint_for(op.lighting, options);
  if (!images.find(op.resource_id, tint)) {
    placeholder(cr, op);
    return;
  }
  cairo_matrix_t host;
  cairo_get_matrix(cr, &host);
  const DeviceBitmap bitmap = device_bitmap(images, op.resource_id, tint, op.transform, host);
  cairo_save(cr);
  if (op.clip.kind == Clip::Kind::rectangle) {
    cairo_rectangle(cr, op.clip.rect.x, op.clip.rect.y, op.clip.rect.width, op.clip.rect.height);
    cairo_clip(cr);
  }
  cairo_identity_matrix(cr);
  // Only where the bitmap has colour: a needle's bitmap is mostly transparent, and turning all of
  // it would cost as much as turning a dial.
  const ImageStore::InkBox ink = images.ink(bitmap.surface);
  if (ink.width == 0) {
    cairo_restore(cr);
    return;
  }
  clip_to_ink(cr, ink, bitmap.transform);
  cairo_pattern_t* source = placed_pattern(bitmap.surface, bitmap.transform,
                                           filter_for(bitmap.transform, op.bilinear));
  cairo_set_source(cr, source);
  const DeviceBitmap window =
      op.clip.kind == Clip::Kind::window && invertible(op.clip.window_transform)
          ? device_bitmap(images, op.clip.window_id, Tint::none, op.clip.window_transform, host)
          : DeviceBitmap{};
  const ImageStore::InkBox shape =
      window.surface ? images.ink(window.surface) : ImageStore::InkBox{};
  if (window.surface && shape.solid && upright(window.transform)) {
    // A window that is an opaque rectangle, not turned, shows what a clip to the device pixels
    // its nearest-pixel sampling covers shows, and cairo clips without the slow pass of a mask.
    // A pixel is covered when its centre lies past the window's first edge, up to and on its
    // last (a centre on an edge samples the pixel before it).
    const Affine& t = window.transform;
    const auto first_pixel = [](double edge) { return std::floor(edge - 0.5) + 1; };
    const double left = first_pixel(t.a * shape.x + t.e);
    const double top = first_pixel(t.d * shape.y + t.f);
    cairo_rectangle(cr, left, top, first_pixel(t.a * (shape.x + shape.width) + t.e) - left,
                    first_pixel(t.d * (shape.y + shape.height) + t.f) - top);
    cairo_clip(cr);
    cairo_paint(cr);
  } else if (window.surface) {
    cairo_pattern_t* mask =
        placed_pattern(window.surface, window.transform, filter_for(window.transform, false));
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
  } else {
    cairo_paint(cr);
  }
  cairo_pattern_destroy(source);
  cairo_restore(cr);
}


// The largest size up to 80 % of the box's height at which the text fits its width.
double fitting_font_size(cairo_t* cr, const Rect& box, const std::string& text) {
  double size = box.height * 0.8;
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  const double room = box.width * 0.96;
  if (extents.x_advance > room && extents.x_advance > 0) size *= room / extents.x_advance;
  return size;
}

void draw_text(cairo_t* cr, const TextOp& op, const RenderOptions& options) {
  const Tint tint = tint_for(op.lighting, options);
  cairo_save(cr);
  cairo_rectangle(cr, op.box.x, op.box.y, op.box.width, op.box.height);
  if (op.fill_background) {
    set_tinted_colour(cr, op.background, tint);
    cairo_fill_preserve(cr);
  }
  cairo_clip(cr);
  const std::string text_utf8 = displayable_utf8(op.text);
  if (!text_utf8.empty()) {
    use_font_mapping();
    cairo_select_font_face(cr, op.font.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           op.weight >= 700 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, fitting_font_size(cr, op.box, text_utf8));
    cairo_text_extents_t text;
    cairo_text_extents(cr, text_utf8.c_str(), &text);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double x = op.box.x;
    if (op.align & kTextCentre) x += (op.box.width - text.x_advance) / 2;
    else if (op.align & kTextRight) x += op.box.width - text.x_advance;
    double baseline = op.box.y + font.ascent;
    if (op.align & kTextVerticalCentre)
      baseline = op.box.y + (op.box.height + font.ascent - font.descent) / 2;
    else if (op.align & kTextBottom)
      baseline = op.box.y + op.box.height - font.descent;
    set_tinted_colour(cr, op.foreground, tint);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text_utf8.c_str());
  }
  cairo_restore(cr);
}

}  // namespace

void replay(cairo_t* cr, const DisplayList& list, ImageStore& images, const RenderOptions& options) {
  for (const DrawOp& op : list.ops) {
    if (const auto* image = std::get_if<ImageOp>(&op)) draw_image(cr, *image, images, options);
    else draw_text(cr, std::get<TextOp>(op), options);
  }
}

cairo_surface_t* render_display_list(const DisplayList& list, ImageStore& images,
                                     const RenderOptions& options, double scale) {
  const int width = std::max(1, static_cast<int>(std::ceil(list.size.width * scale)));
  const int height = std::max(1, static_cast<int>(std::ceil(list.size.height * scale)));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  replay(cr, list, images, options);
  cairo_destroy(cr);
  return surface;
}

bool write_png(cairo_surface_t* surface, const std::string& path, std::string& error) {
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  if (status == CAIRO_STATUS_SUCCESS) return true;
  error = "cannot write " + path + ": " + cairo_status_to_string(status);
  return false;
}

}  // namespace gaugehost::render
