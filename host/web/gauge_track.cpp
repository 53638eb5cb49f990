#include "host/web/gauge_track.h"

#include "host/web/op_codec.h"

namespace gaugehost::web {

bool GaugeTrack::update(const render::DisplayList& list, uint64_t frame) {
  if (seen_ && list == list_) return false;
  if (!seen_ || list.ops.size() != ops_.size() || !(list.size == list_.size))
    shape_changed_ = frame;
  ops_.resize(list.ops.size());
  changed_.resize(list.ops.size(), frame);
  for (size_t i = 0; i < list.ops.size(); ++i) {
    std::string encoded = encode_op(list.ops[i]);
    if (!seen_ || encoded != ops_[i]) {
      ops_[i] = std::move(encoded);
      changed_[i] = frame;
    }
  }
  list_ = list;
  seen_ = true;
  return true;
}

std::string GaugeTrack::changes_since(uint64_t since, size_t index) const {
  if (!seen_) return {};
  std::string ops;
  for (size_t i = 0; i < ops_.size(); ++i) {
    if (changed_[i] <= since) continue;
    if (!ops.empty()) ops += ",";
    ops += "[" + std::to_string(i) + "," + ops_[i] + "]";
  }
  if (ops.empty() && shape_changed_ <= since) return {};
  return "{\"g\":" + std::to_string(index) + ",\"size\":[" + std::to_string(list_.size.width) +
         "," + std::to_string(list_.size.height) + "],\"n\":" + std::to_string(ops_.size()) +
         ",\"ops\":[" + ops + "]}";
}

}  // namespace gaugehost::web
