#include "host/render/display_list.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include <nlohmann/json.hpp>

namespace gaugehost::render {

Affine Affine::rotation(double degrees) {
  const double r = degrees * M_PI / 180.0;
  const double cos_r = std::cos(r), sin_r = std::sin(r);
  return {cos_r, sin_r, -sin_r, cos_r, 0, 0};
}

Affine Affine::operator*(const Affine& in) const {
  return {a * in.a + c * in.b,       b * in.a + d * in.b,       a * in.c + c * in.d,
          b * in.c + d * in.d,       a * in.e + c * in.f + e,   b * in.e + d * in.f + f};
}

double needle_bitmap_turn(double needle_angle) { return needle_angle - 90.0; }

uint32_t rgb_from_record_colour(uint32_t bgr) {
  return ((bgr & 0xff) << 16) | (bgr & 0xff00) | ((bgr >> 16) & 0xff);
}

namespace {

// A value that reaches a transform: NaN or infinity would poison the whole drawing, so they count
// as 0.
double finite(double value) { return std::isfinite(value) ? value : 0.0; }

// A shift of value x scale pixels, held within kFarthestShift: a huge value (1e308 times a scale
// is infinite) moves the part far out of sight, never to a place that is no number.
constexpr double kFarthestShift = 1e6;
double shift(double value, double scale) {
  const double pixels = finite(value) * scale;
  return std::isnan(pixels) ? 0.0 : std::clamp(pixels, -kFarthestShift, kFarthestShift);
}

// A turn of value x scale degrees, reduced to one turn (cos and sin of a huge angle are numbers,
// but no angle in particular); a turn that is no number counts as 0.
double turn_degrees(double value, double scale) {
  const double degrees = finite(value) * scale;
  return std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
}

// The face a text string names, held in its record (up to 32 characters, zero-padded); "Arial"
// for none.
std::string font_name(const ElementString& record) {
  const std::string_view face(record.font, strnlen(record.font, sizeof record.font));
  return face.empty() ? "Arial" : std::string(face);
}

// Module bitmaps are drawn at about 3 pixels per millimetre of gauge width.
constexpr double kPlaceholderPixelsPerMm = 3.0;
constexpr ImageSize kPlaceholderPart = {24, 24};

Lighting lighting_of(uint32_t flags) {
  if (flags & kImageBright) return Lighting::bright;
  if (flags & kImageLuminous) return Lighting::luminous;
  return Lighting::normal;
}

class Builder {
 public:
  Builder(const SizeLookup& sizes, DisplayList& list) : sizes_(sizes), list_(list) {}

  void background_size(const EvaluatedElement& root) {
    if (auto size = sizes_(root.resource_id)) {
      list_.size = *size;
      return;
    }
    double width_mm = 50;
    if (root.record && root.record->gauge && root.record->gauge->size_x_mm > 0)
      width_mm = root.record->gauge->size_x_mm;
    const auto side = static_cast<int32_t>(std::lround(width_mm * kPlaceholderPixelsPerMm));
    list_.size = {side, side};
  }

  // The hidden flag and a failure that does not draw an element leave out only that element: its
  // children are drawn as their own flags and failures say (the head-up display hides one of two
  // chained copies at a time; a radio head whose read-out wheel fails keeps the wheels and the
  // switch chained below it).
  void element(const EvaluatedElement& e) {
    if (!e.hidden()) own_image(e);
    for (const EvaluatedElement& child : e.children) element(child);
  }

 private:
  void own_image(const EvaluatedElement& e) {
    switch (e.kind) {
      case kElementStaticImage: static_image(e); break;
      case kElementNeedle: needle(e); break;
      case kElementString: string(e); break;
      case kElementSlider: slider(e); break;
      case kElementIcon: icon(e); break;
      case kElementMovingImage: moving_image(e); break;
      case kElementSprite: sprite(e); break;
      default: break;
    }
  }


  static PixPoint position(const EvaluatedElement& e) {
    return e.record ? e.record->position : PixPoint{0, 0};
  }
  template <typename Record>
  static const Record* record_as(const EvaluatedElement& e) {
    return reinterpret_cast<const Record*>(e.record);
  }

  // The bitmap's size, or a stand-in: a part at the gauge's origin is taken to cover the gauge
  // (lamps, switch positions), anything else to be a small part.
  ImageSize size_of(int32_t id, const EvaluatedElement& e) const {
    if (auto size = sizes_(id)) return *size;
    const PixPoint at = position(e);
    return at.x == 0 && at.y == 0 ? list_.size : kPlaceholderPart;
  }

  void image(const EvaluatedElement& e, int32_t id, const Affine& transform, ImageSize size,
             Clip clip = {}) {
    list_.ops.push_back(ImageOp{.resource_id = id, .transform = transform, .size = size,
                                .clip = clip, .bilinear = (e.flags & kImageBilinear) != 0,
                                .lighting = lighting_of(e.flags)});
  }

  void static_image(const EvaluatedElement& e) {
    const PixPoint at = position(e);
    image(e, e.resource_id, Affine::translation(at.x, at.y), size_of(e.resource_id, e));
  }

  // The bitmap points to 3 o'clock from its pivot; the pivot lies on the position.
  void needle(const EvaluatedElement& e) {
    const PixPoint at = position(e);
    const PixPoint pivot = e.record ? e.record->pivot : PixPoint{0, 0};
    const Affine transform = Affine::translation(at.x, at.y) *
                             Affine::rotation(needle_bitmap_turn(finite(e.angle))) *
                             Affine::translation(-pivot.x, -pivot.y);
    image(e, e.resource_id, transform, needle_size(e, pivot));
  }

  // A missing needle bitmap stands in as a bar from the pivot out to the dial's first mark.
  ImageSize needle_size(const EvaluatedElement& e, PixPoint pivot) const {
    if (auto size = sizes_(e.resource_id)) return *size;
    double reach = 40;
    const auto* record = record_as<ElementNeedle>(e);
    if (record && record->table && record->table_size > 0) {
      const PixPoint at = position(e);
      reach = std::hypot(record->table[0].point.x - at.x, record->table[0].point.y - at.y);
    }
    return {static_cast<int32_t>(std::lround(pivot.x + reach)), std::max(4, 2 * pivot.y)};
  }

  void string(const EvaluatedElement& e) {
    const auto* record = record_as<ElementString>(e);
    if (!record) return;
    const PixPoint at = position(e);
    list_.ops.push_back(TextOp{
        .text = e.text,
        .box = {double(at.x), double(at.y), double(record->box.width), double(record->box.height)},
        .font = font_name(*record),
        .weight = record->weight,
        .foreground = rgb_from_record_colour(record->foreground),
        .background = rgb_from_record_colour(record->background),
        .align = record->draw_flags,
        .fill_background = !((e.flags & kImageTransparent) && record->background == 0),
        .lighting = lighting_of(e.flags)});
  }

  void slider(const EvaluatedElement& e) {
    const auto* record = record_as<ElementSlider>(e);
    const PixPoint at = position(e);
    const double dx = record ? shift(e.x, record->x.scale) : 0;
    const double dy = record ? shift(e.y, record->y.scale) : 0;
    image(e, e.resource_id, Affine::translation(at.x + dx, at.y + dy), size_of(e.resource_id, e));
  }

  void icon(const EvaluatedElement& e) {
    if (e.image < 0) return;
    const int32_t id = e.resource_id + e.image;
    const PixPoint at = position(e);
    image(e, id, Affine::translation(at.x, at.y), size_of(id, e));
  }

  // Where the value lies between minimum and maximum, limited to [0, 1]; an axis without a source
  // stays at its start.
  static double travel_fraction(const MovingAxis& axis, MovingImageCallback callback,
                                double value) {
    if (axis.source.id == 0 && callback == nullptr) return 0;
    if (axis.max == axis.min) return 0;
    // Beyond either end (also infinitely) the strip rests at that end; no number rests at the start.
    const double fraction = (value - axis.min) / (axis.max - axis.min);
    return std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
  }

  // The strip (resource id) is shifted under its window (id + 1) by the fraction of its travel.
  void moving_image(const EvaluatedElement& e) {
    const auto* record = record_as<ElementMovingImage>(e);
    const PixPoint at = position(e);
    const int32_t window_id = e.resource_id + 1;
    const ImageSize strip = sizes_(e.resource_id).value_or(kPlaceholderPart);
    const std::optional<ImageSize> window = sizes_(window_id);
    double dx = 0, dy = 0;
    if (record && window) {
      dx = -travel_fraction(record->x, record->x_callback, e.x) *
           std::max(0, strip.width - window->width);
      dy = -travel_fraction(record->y, record->y_callback, e.y) *
           std::max(0, strip.height - window->height);
    }
    Clip clip;
    if (window) {
      clip = Clip{.kind = Clip::Kind::window, .window_id = window_id,
                  .window_transform = Affine::translation(at.x, at.y)};
    }
    image(e, e.resource_id, Affine::translation(at.x + dx, at.y + dy), strip, clip);
  }

  // The texture centre is the point of the background the sprite turns about; the middle of the
  // texture lies on it, shifted by value x scale along the texture's own axes (so a horizon card
  // moves across its horizon whatever the bank), turned counter-clockwise by rotation x scale (a
  // compass card turned by the heading brings that heading under its lubber line) and scaled
  // per axis (a scale left 0 in a record means as drawn). The sprite shows only inside the
  // rectangle whose top-left corner is the position and whose middle is the texture centre.
  void sprite(const EvaluatedElement& e) {
    const auto* record = record_as<ElementSprite>(e);
    if (!record) return;
    const PixPoint at = position(e);
    const PixPoint centre = record->header.pivot;
    const ImageSize size = size_of(e.resource_id, e);
    const double dx = shift(e.x, record->x.scale);
    const double dy = shift(e.y, record->y.scale);
    const double turn = turn_degrees(e.rotation, record->rotation.scale);
    const double sx = record->texture_scale_x != 0 ? record->texture_scale_x : 1.0;
    const double sy = record->texture_scale_y != 0 ? record->texture_scale_y : 1.0;
    const Affine transform = Affine::translation(centre.x, centre.y) * Affine::rotation(-turn) *
                             Affine::translation(dx, dy) * Affine::scaling(sx, sy) *
                             Affine::translation(-size.width / 2.0, -size.height / 2.0);
    Clip clip;
    if (centre.x > at.x && centre.y > at.y) {
      clip = Clip{.kind = Clip::Kind::rectangle,
                  .rect = {double(at.x), double(at.y), 2.0 * (centre.x - at.x),
                           2.0 * (centre.y - at.y)}};
    }
    image(e, e.resource_id, transform, size, clip);
  }

  const SizeLookup& sizes_;
  DisplayList& list_;
};

const char* lighting_name(Lighting lighting) {
  switch (lighting) {
    case Lighting::luminous: return "luminous";
    case Lighting::bright: return "bright";
    default: return "normal";
  }
}

nlohmann::json affine_json(const Affine& t) { return {t.a, t.b, t.c, t.d, t.e, t.f}; }
nlohmann::json rect_json(const Rect& r) { return {r.x, r.y, r.width, r.height}; }

nlohmann::json clip_json(const Clip& clip) {
  switch (clip.kind) {
    case Clip::Kind::window:
      return {{"window", clip.window_id}, {"transform", affine_json(clip.window_transform)}};
    case Clip::Kind::rectangle: return {{"rect", rect_json(clip.rect)}};
    default: return nullptr;
  }
}

nlohmann::json op_json(const DrawOp& op) {
  if (const auto* image = std::get_if<ImageOp>(&op)) {
    return {{"op", "image"},
            {"id", image->resource_id},
            {"transform", affine_json(image->transform)},
            {"size", {image->size.width, image->size.height}},
            {"clip", clip_json(image->clip)},
            {"bilinear", image->bilinear},
            {"lighting", lighting_name(image->lighting)}};
  }
  const auto& text = std::get<TextOp>(op);
  return {{"op", "text"},         {"text", text.text},
          {"box", rect_json(text.box)},
          {"font", text.font},    {"weight", text.weight},
          {"fg", text.foreground}, {"bg", text.background},
          {"align", text.align},  {"fill_background", text.fill_background},
          {"lighting", lighting_name(text.lighting)}};
}

}  // namespace

DisplayList build_display_list(const EvaluatedElement& root, const SizeLookup& sizes) {
  DisplayList list;
  Builder builder(sizes, list);
  builder.background_size(root);
  builder.element(root);
  return list;
}

void to_json(nlohmann::json& json, const DisplayList& list) {
  json = nlohmann::json{{"size", {list.size.width, list.size.height}},
                        {"ops", nlohmann::json::array()}};
  for (const DrawOp& op : list.ops) json["ops"].push_back(op_json(op));
}

}  // namespace gaugehost::render
