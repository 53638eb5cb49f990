// The drawing of one gauge instance as the web pages are told of it: its operations, encoded,
// and the frame in which each last changed, so that a page that saw frame F is sent only what
// changed after F, however far behind it is.
//
// A change that no pixel can show is not a change: an image that moved by less than
// kLeastVisibleShift at every corner keeps the place the pages were last sent (a gyro card
// creeping a thousandth of a pixel a cycle sends nothing until it has moved half a pixel). An
// operation that only moved is sent as its transform alone to a page that has the rest of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/render/display_list.h"

namespace gaugehost::web {

// Gauge pixels an image must move at one of its corners before the pages are told.
inline constexpr double kLeastVisibleShift = 0.5;

class GaugeTrack {
 public:
  // The gauge's display list as of `frame`. Returns whether the pages are to be told of anything.
  bool update(const render::DisplayList& list, uint64_t frame);

  // What changed after frame `since`, as the JSON object
  // {"g":INDEX,"size":[W,H],"n":COUNT,"ops":[[I,OP],...]}, or "" when nothing did. "size" and "n"
  // come only when they changed after `since`; an OP that only moved since is its transform
  // alone, [a,b,c,d,e,f].
  std::string changes_since(uint64_t since, size_t index) const;

  bool seen() const { return seen_; }

 private:
  struct Kept {
    render::DrawOp op;      // as the pages were last told of it
    std::string encoded;    // the whole operation
    std::string transform;  // its transform alone
    uint64_t changed = 0;   // frame of its last change
    uint64_t reshaped = 0;  // frame of its last change other than a move
  };

  render::DisplayList list_;    // as last taken, to skip comparing an unchanged list
  std::vector<Kept> ops_;
  uint64_t shape_changed_ = 0;  // frame in which the count or the size last changed
  bool seen_ = false;
};

// Whether an image drawn by `now` instead of `was` shows a difference: anything but the place
// differs, or some corner of the image (or of its clipping window) moved by kLeastVisibleShift.
bool visibly_different(const render::DrawOp& was, const render::DrawOp& now);

}  // namespace gaugehost::web
