// The display lists' operations as the web page receives them: one compact JSON object each,
// numbers cut to what a picture needs (transforms to 1/10000, places to 1/100 of a pixel), so that
// a moving needle costs some forty bytes a frame (its transform alone, encode_transform).
//
//   image: {"k":"i","id":ID,"t":[a,b,c,d,e,f],"s":[W,H],"c":CLIP,"b":BILINEAR,"l":LIGHTING}
//          CLIP is absent, {"w":WINDOW_ID,"t":[...]} (the window bitmap's opaque pixels) or
//          {"r":[x,y,w,h]}; BILINEAR 0 or 1; LIGHTING 0 normal, 1 luminous, 2 bright
//   text:  {"k":"t","s":TEXT,"r":[x,y,w,h],"f":FONT,"w":WEIGHT,"fg":RGB,"bg":RGB,"a":ALIGN,
//           "fb":FILL_BACKGROUND,"l":LIGHTING}
#pragma once

#include <string>

#include "host/render/display_list.h"

namespace gaugehost::web {

std::string encode_op(const render::DrawOp& op);
// A transform as [a,b,c,d,e,f].
std::string encode_transform(const render::Affine& t);

// A number as short as it can be written with at most `decimals` decimals ("-0" is "0").
std::string short_number(double value, int decimals);

}  // namespace gaugehost::web
