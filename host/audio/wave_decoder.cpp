#include "host/audio/wave_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace gaugehost::audio {
namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kMsAdpcm = 2;

// Microsoft ADPCM's seven standard predictors: the format record the module hands over ends at
// its extra-size word, so the decoder is given the set every such wave carries.
constexpr int16_t kAdpcmCoefficients[7][2] = {{256, 0},   {512, -256}, {0, 0},      {192, 64},
                                              {240, 0},   {460, -208}, {392, -232}};

using Bytes = std::vector<unsigned char>;

void put16(Bytes& out, uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& out, uint32_t v) { put16(out, v & 0xffff); put16(out, v >> 16); }
void put_tag(Bytes& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

uint32_t adpcm_samples_per_block(const PlatformWaveFormat& f) {
  return (f.block_align - 7u * f.channels) * 2u / f.channels + 2u;
}

Bytes format_chunk(const PlatformWaveFormat& f) {
  Bytes body;
  put16(body, f.format_tag);
  put16(body, f.channels);
  put32(body, f.samples_per_second);
  put32(body, f.average_bytes_per_second);
  put16(body, f.block_align);
  put16(body, f.bits_per_sample);
  if (f.format_tag == kMsAdpcm) {
    put16(body, 4 + 4 * 7);
    put16(body, adpcm_samples_per_block(f));
    put16(body, 7);
    for (const auto& c : kAdpcmCoefficients) {
      put16(body, static_cast<uint16_t>(c[0]));
      put16(body, static_cast<uint16_t>(c[1]));
    }
  }
  Bytes chunk;
  put_tag(chunk, "fmt ");
  put32(chunk, static_cast<uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

// A whole WAVE file around the buffer's bytes, for libsndfile to read.
Bytes wave_file(const PlatformWaveFormat& format, std::span<const unsigned char> data) {
  const Bytes fmt = format_chunk(format);
  Bytes file;
  put_tag(file, "RIFF");
  put32(file, static_cast<uint32_t>(4 + fmt.size() + 8 + data.size() + (data.size() & 1)));
  put_tag(file, "WAVE");
  file.insert(file.end(), fmt.begin(), fmt.end());
  put_tag(file, "data");
  put32(file, static_cast<uint32_t>(data.size()));
  file.insert(file.end(), data.begin(), data.end());
  if (data.size() & 1) file.push_back(0);
  return file;
}

// libsndfile reading from memory.
struct MemoryFile {
  const Bytes& bytes;
  sf_count_t position = 0;
};

sf_count_t memory_length(void* user) {
  return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t memory_seek(sf_count_t offset, int whence, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  const sf_count_t size = memory_length(user);
  sf_count_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? size : 0;
  file->position = std::clamp<sf_count_t>(base + offset, 0, size);
  return file->position;
}

sf_count_t memory_read(void* out, sf_count_t count, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  const sf_count_t n = std::clamp<sf_count_t>(memory_length(user) - file->position, 0, count);
  std::memcpy(out, file->bytes.data() + file->position, static_cast<size_t>(n));
  file->position += n;
  return n;
}

sf_count_t memory_write(const void*, sf_count_t, void*) { return 0; }

sf_count_t memory_tell(void* user) { return static_cast<MemoryFile*>(user)->position; }

}  // namespace

bool playable_format(const PlatformWaveFormat& f) {
  if (f.channels < 1 || f.channels > 2) return false;
  if (f.samples_per_second < 100 || f.samples_per_second > 200000) return false;
  if (f.format_tag == kPcm)
    return (f.bits_per_sample == 8 || f.bits_per_sample == 16) &&
           f.block_align == f.channels * f.bits_per_sample / 8;
  if (f.format_tag == kMsAdpcm)
    return f.bits_per_sample == 4 && f.block_align > 7u * f.channels &&
           adpcm_samples_per_block(f) <= 0xffff;
  return false;
}

double duration(const PlatformWaveFormat& f, uint32_t bytes) {
  const double frames_per_block = f.format_tag == kMsAdpcm ? adpcm_samples_per_block(f) : 1.0;
  return bytes / f.block_align * frames_per_block / f.samples_per_second;
}

DecodedSound decode(const PlatformWaveFormat& format, std::span<const unsigned char> data) {
  const Bytes file = wave_file(format, data);
  MemoryFile memory{file};
  SF_VIRTUAL_IO io = {memory_length, memory_seek, memory_read, memory_write, memory_tell};
  SF_INFO info{};
  SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &memory);
  if (!sound) return {};
  DecodedSound decoded{info.channels, info.samplerate, {}};
  decoded.samples.resize(static_cast<size_t>(info.frames * info.channels));
  const sf_count_t frames = sf_readf_short(sound, decoded.samples.data(), info.frames);
  decoded.samples.resize(static_cast<size_t>(std::max<sf_count_t>(frames, 0) * info.channels));
  sf_close(sound);
  return decoded;
}

}  // namespace gaugehost::audio
