#include "host/audio/wave_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

#include "common/riff_layout.h"

namespace gaugehost::audio {
namespace {

using crv5::riff::Bytes;
using crv5::riff::kFormatMsAdpcm;
using crv5::riff::kFormatPcm;

uint32_t adpcm_samples_per_block(const PlatformWaveFormat& f) {
  return crv5::riff::ms_adpcm::samples_per_block(f.block_align, f.channels);
}

// A whole WAVE file around the buffer's bytes, for libsndfile to read.
Bytes wave_file(const PlatformWaveFormat& f, std::span<const unsigned char> data) {
  const crv5::riff::WaveFormat format{f.format_tag,  f.channels,    f.samples_per_second,
                                 f.average_bytes_per_second, f.block_align, f.bits_per_sample};
  const Bytes samples(data.begin(), data.end());
  return crv5::riff::wave_file({crv5::riff::format_chunk(format), crv5::riff::chunk("data", samples)});
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
  if (f.format_tag == kFormatPcm)
    return (f.bits_per_sample == 8 || f.bits_per_sample == 16) &&
           f.block_align == f.channels * f.bits_per_sample / 8;
  if (f.format_tag == kFormatMsAdpcm)
    return f.bits_per_sample == 4 && f.block_align > 7u * f.channels &&
           adpcm_samples_per_block(f) <= 0xffff;
  return false;
}

double duration(const PlatformWaveFormat& f, uint32_t bytes) {
  const double frames_per_block = f.format_tag == kFormatMsAdpcm ? adpcm_samples_per_block(f) : 1.0;
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
