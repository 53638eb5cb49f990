#include "sound/wave_resource.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace crv5::sound {
namespace {

constexpr uint32_t kChunkHeaderBytes = 8;   // four-character name, 32-bit size
constexpr uint32_t kPcmFormatBytes = 16;    // format record without its extra-size word
constexpr uint32_t kFormatRecordBytes = 18;

struct Bytes {
  const unsigned char* begin;
  uint32_t size;
};

uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t le32(const unsigned char* p) { return le16(p) | static_cast<uint32_t>(le16(p + 2)) << 16; }

bool has_name(const unsigned char* p, std::string_view name) {
  return std::memcmp(p, name.data(), 4) == 0;
}

// The body of the first chunk named `name` among the chunks laid end to end in `area`. Chunks of
// odd size are followed by a pad byte. A chunk met on the way that claims more bytes than `area`
// has left ends the search: nothing after it can be trusted.
std::optional<Bytes> find_chunk(Bytes area, std::string_view name) {
  uint64_t offset = 0;
  while (area.size - offset >= kChunkHeaderBytes) {
    const unsigned char* header = area.begin + offset;
    const uint32_t body_size = le32(header + 4);
    const uint64_t body_offset = offset + kChunkHeaderBytes;
    if (body_size > area.size - body_offset) return std::nullopt;
    if (has_name(header, name)) return Bytes{header + kChunkHeaderBytes, body_size};
    offset = body_offset + body_size + (body_size & 1);
    if (offset > area.size) return std::nullopt;
  }
  return std::nullopt;
}

// The chunks inside the resource's RIFF chunk of form type "WAVE".
std::optional<Bytes> wave_form(Bytes resource) {
  std::optional<Bytes> riff = find_chunk(resource, "RIFF");
  if (!riff || riff->size < 4 || !has_name(riff->begin, "WAVE")) return std::nullopt;
  return Bytes{riff->begin + 4, riff->size - 4};
}

std::optional<PlatformWaveFormat> read_format(Bytes form) {
  std::optional<Bytes> fmt = find_chunk(form, "fmt ");
  if (!fmt || fmt->size < kPcmFormatBytes) return std::nullopt;
  const unsigned char* p = fmt->begin;
  PlatformWaveFormat format{};
  format.format_tag = le16(p);
  format.channels = le16(p + 2);
  format.samples_per_second = le32(p + 4);
  format.average_bytes_per_second = le32(p + 8);
  format.block_align = le16(p + 12);
  format.bits_per_sample = le16(p + 14);
  format.extra_size = fmt->size >= kFormatRecordBytes ? le16(p + 16) : 0;
  return format;
}

}  // namespace

bool read_wave(const unsigned char* bytes, uint32_t size, WaveResource* wave) {
  if (!bytes) return false;
  std::optional<Bytes> form = wave_form({bytes, size});
  if (!form) return false;
  std::optional<PlatformWaveFormat> format = read_format(*form);
  std::optional<Bytes> data = find_chunk(*form, "data");
  if (!format || !data || data->size == 0) return false;
  if (format->block_align == 0 || data->size % format->block_align != 0) return false;
  wave->format = *format;
  wave->data = data->begin;
  wave->data_size = data->size;
  return true;
}

}  // namespace crv5::sound
