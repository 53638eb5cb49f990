#include "host/web/gauge_track.h"

#include <algorithm>
#include <cmath>

#include "host/web/op_codec.h"

namespace gaugehost::web {

namespace {

// How far the corners of a w x h image move from one transform to the other, at most.
double largest_shift(const render::Affine& was, const render::Affine& now, double w, double h) {
  double most = 0;
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}}) {
    const auto a = was.apply(x, y), b = now.apply(x, y);
    most = std::max(most, std::hypot(a.x - b.x, a.y - b.y));
  }
  return std::isfinite(most) ? most : HUGE_VAL;
}

// The two images with the first one's transforms: equal when they differ only in place.
bool same_but_place(render::ImageOp was, const render::ImageOp& now) {
  was.transform = now.transform;
  was.clip.window_transform = now.clip.window_transform;
  return was == now;
}

bool only_moved(const render::DrawOp& was, const render::DrawOp& now) {
  const auto* a = std::get_if<render::ImageOp>(&was);
  const auto* b = std::get_if<render::ImageOp>(&now);
  return a && b && a->clip.window_transform == b->clip.window_transform &&
         same_but_place(*a, *b);
}

}  // namespace

bool visibly_different(const render::DrawOp& was, const render::DrawOp& now) {
  const auto* a = std::get_if<render::ImageOp>(&was);
  const auto* b = std::get_if<render::ImageOp>(&now);
  if (!a || !b) return was != now;
  if (!same_but_place(*a, *b)) return true;
  // The window a drum shows through is about as large as the drum's step; the image's own size
  // for the rest.
  const double w = std::max(b->size.width, 1), h = std::max(b->size.height, 1);
  if (largest_shift(a->transform, b->transform, w, h) >= kLeastVisibleShift) return true;
  return b->clip.kind == render::Clip::Kind::window &&
         largest_shift(a->clip.window_transform, b->clip.window_transform, w, h) >=
             kLeastVisibleShift;
}

bool GaugeTrack::update(const render::DisplayList& list, uint64_t frame) {
  if (seen_ && list == list_) return false;
  bool told = false;
  if (!seen_ || list.ops.size() != ops_.size() || !(list.size == list_.size)) {
    shape_changed_ = frame;
    told = true;
  }
  ops_.resize(list.ops.size());
  for (size_t i = 0; i < list.ops.size(); ++i) {
    Kept& kept = ops_[i];
    const render::DrawOp& op = list.ops[i];
    const bool fresh = kept.changed == 0;
    if (!fresh && !visibly_different(kept.op, op)) continue;
    if (fresh || !only_moved(kept.op, op)) kept.reshaped = frame;
    kept.op = op;
    kept.encoded = encode_op(op);
    if (const auto* image = std::get_if<render::ImageOp>(&op))
      kept.transform = encode_transform(image->transform);
    kept.changed = frame;
    told = true;
  }
  list_ = list;
  seen_ = true;
  return told;
}

std::string GaugeTrack::changes_since(uint64_t since, size_t index) const {
  if (!seen_) return {};
  std::string ops;
  for (size_t i = 0; i < ops_.size(); ++i) {
    const Kept& kept = ops_[i];
    if (kept.changed <= since) continue;
    if (!ops.empty()) ops += ",";
    ops += "[" + std::to_string(i) + "," +
           (kept.reshaped > since ? kept.encoded : kept.transform) + "]";
  }
  const bool reshaped = shape_changed_ > since;
  if (ops.empty() && !reshaped) return {};
  std::string out = "{\"g\":" + std::to_string(index);
  if (reshaped)
    out += ",\"size\":[" + std::to_string(list_.size.width) + "," +
           std::to_string(list_.size.height) + "],\"n\":" + std::to_string(ops_.size());
  return out + ",\"ops\":[" + ops + "]}";
}

}  // namespace gaugehost::web
