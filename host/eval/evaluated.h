// The state of one gauge instance's element tree at its last evaluation. Evaluation fills it;
// drawing, checks and the web page only read it. Plain data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "module/gauge.h"

namespace gaugehost {

struct EvaluatedElement {
  ElementHeader* record = nullptr;  // the element's record in the module
  int32_t kind = kElementStaticImage;
  int32_t resource_id = -1;         // the record's resource id

  // What drives the element, after its failure action (0 under "shows zero", the last value under
  // "freezes"): a needle's, icon's or string's value; the x, y and rotation axes of a slider,
  // moving image or sprite, before any scale.
  double value = 0;
  double x = 0;
  double y = 0;
  double rotation = 0;

  double angle = 0;     // needle: degrees clockwise from 12 o'clock, in [0, 360)
  double unwound_angle = 0;  // needle: the same, not reduced (for the limit per update)
  int32_t image = -1;   // icon: the image index shown (resource_id + image), -1 for none
  std::string text;     // text string: what the callback wrote, as UTF-8

  uint32_t flags = 0;        // the record's image flags after the callback
  int32_t failure_action = kFailNone;  // the action of the active failure, if any
  bool not_drawn = false;    // a failure with action 3 is active
  bool under_hidden_tree = false;  // an ancestor carries kImageHiddenTree
  bool evaluated = false;    // evaluated at least once

  // Children in draw order, over their parent, earlier siblings first.
  std::vector<EvaluatedElement> children;

  // Not drawn itself: its hidden flag or a failure, which hide only this element (its children
  // are drawn as their own flags and failures say), or the hidden-tree flag on it or an ancestor.
  bool hidden() const {
    return (flags & (kImageHidden | kImageHiddenTree)) != 0 || not_drawn || under_hidden_tree;
  }
  bool luminous() const { return (flags & kImageLuminous) != 0; }
};

}  // namespace gaugehost
