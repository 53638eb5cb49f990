// The drawing of one gauge instance as the web pages are told of it: its operations, encoded,
// and the frame in which each last changed, so that a page that saw frame F is sent only what
// changed after F, however far behind it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/render/display_list.h"

namespace gaugehost::web {

class GaugeTrack {
 public:
  // The gauge's display list as of `frame`. Returns whether anything changed.
  bool update(const render::DisplayList& list, uint64_t frame);

  // What changed after frame `since`, as the JSON object
  // {"g":INDEX,"size":[W,H],"n":COUNT,"ops":[[I,OP],...]}, or "" when nothing did.
  std::string changes_since(uint64_t since, size_t index) const;

  bool seen() const { return seen_; }

 private:
  render::DisplayList list_;        // as last taken, to skip encoding an unchanged list
  std::vector<std::string> ops_;    // encoded
  std::vector<uint64_t> changed_;   // frame of each operation's last change
  uint64_t shape_changed_ = 0;      // frame in which the count or the size last changed
  bool seen_ = false;
};

}  // namespace gaugehost::web
