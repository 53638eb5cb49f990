#include "host/web/op_codec.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace gaugehost::web {

std::string short_number(double value, int decimals) {
  if (!std::isfinite(value)) return "0";
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

namespace {

constexpr int kFactorDecimals = 4;
constexpr int kPlaceDecimals = 2;

}  // namespace

std::string encode_transform(const render::Affine& t) {
  return "[" + short_number(t.a, kFactorDecimals) + "," + short_number(t.b, kFactorDecimals) +
         "," + short_number(t.c, kFactorDecimals) + "," + short_number(t.d, kFactorDecimals) +
         "," + short_number(t.e, kPlaceDecimals) + "," + short_number(t.f, kPlaceDecimals) + "]";
}

namespace {

std::string rect(const render::Rect& r) {
  return "[" + short_number(r.x, kPlaceDecimals) + "," + short_number(r.y, kPlaceDecimals) + "," +
         short_number(r.width, kPlaceDecimals) + "," + short_number(r.height, kPlaceDecimals) +
         "]";
}

int lighting(render::Lighting l) {
  return l == render::Lighting::luminous ? 1 : l == render::Lighting::bright ? 2 : 0;
}

std::string image(const render::ImageOp& op) {
  std::string s = "{\"k\":\"i\",\"id\":" + std::to_string(op.resource_id) +
                  ",\"t\":" + encode_transform(op.transform) + ",\"s\":[" +
                  std::to_string(op.size.width) + "," + std::to_string(op.size.height) + "]";
  if (op.clip.kind == render::Clip::Kind::window)
    s += ",\"c\":{\"w\":" + std::to_string(op.clip.window_id) +
         ",\"t\":" + encode_transform(op.clip.window_transform) + "}";
  else if (op.clip.kind == render::Clip::Kind::rectangle)
    s += ",\"c\":{\"r\":" + rect(op.clip.rect) + "}";
  if (op.bilinear) s += ",\"b\":1";
  if (op.lighting != render::Lighting::normal) s += ",\"l\":" + std::to_string(lighting(op.lighting));
  return s + "}";
}

std::string text(const render::TextOp& op) {
  // The text as UTF-8 JSON; bytes that are not UTF-8 are replaced rather than refused.
  const std::string quoted =
      nlohmann::json(op.text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  const std::string font =
      nlohmann::json(op.font).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::string s = "{\"k\":\"t\",\"s\":" + quoted + ",\"r\":" + rect(op.box) + ",\"f\":" + font +
                  ",\"w\":" + std::to_string(op.weight) + ",\"fg\":" +
                  std::to_string(op.foreground) + ",\"bg\":" + std::to_string(op.background) +
                  ",\"a\":" + std::to_string(op.align) + ",\"fb\":" +
                  (op.fill_background ? "1" : "0");
  if (op.lighting != render::Lighting::normal) s += ",\"l\":" + std::to_string(lighting(op.lighting));
  return s + "}";
}

}  // namespace

std::string encode_op(const render::DrawOp& op) {
  if (const auto* i = std::get_if<render::ImageOp>(&op)) return image(*i);
  return text(std::get<render::TextOp>(op));
}

}  // namespace gaugehost::web
