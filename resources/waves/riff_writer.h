// Writes RIFF files: little-endian numbers and named chunks, each padded to an even size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace waves {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void put32(Bytes& out, uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

inline void put_tag(Bytes& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

inline void append(Bytes& out, const Bytes& more) {
  out.insert(out.end(), more.begin(), more.end());
}

// A chunk: its four-character name, its size and its bytes (plus a pad byte if the size is odd).
inline Bytes chunk(std::string_view tag, const Bytes& body) {
  Bytes out;
  put_tag(out, tag);
  put32(out, static_cast<uint32_t>(body.size()));
  append(out, body);
  if (body.size() % 2) out.push_back(0);
  return out;
}

// The whole file: a "RIFF" chunk of form "WAVE" holding the given chunks in order.
inline Bytes wave_file(const std::vector<Bytes>& chunks) {
  Bytes form;
  put_tag(form, "WAVE");
  for (const Bytes& c : chunks) append(form, c);
  return chunk("RIFF", form);
}

// A "LIST" chunk of type "INFO" with text fields (such as "INAM", the name) of exactly
// `body_size` bytes: the last field is padded with zeros to fill it.
inline Bytes info_list(const std::vector<std::pair<std::string, std::string>>& fields,
                       size_t body_size) {
  Bytes body;
  put_tag(body, "INFO");
  for (size_t i = 0; i < fields.size(); ++i) {
    Bytes text(fields[i].second.begin(), fields[i].second.end());
    text.push_back(0);
    if (i + 1 == fields.size() && body.size() + 8 + text.size() < body_size)
      text.resize(body_size - body.size() - 8, 0);
    append(body, chunk(fields[i].first, text));
  }
  return chunk("LIST", body);
}

}  // namespace waves
