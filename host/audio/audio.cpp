// The platform layer's sound services, in the host: devices and buffers that check what they are
// given as a sound system would, and the recording of what the module plays.
#include "host/audio/audio.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "host/audio/wave_lookup.h"
#include "module/platform.h"

namespace gaugehost::audio {
namespace {

constexpr uint32_t kDescriptionSize = 36;
constexpr uint32_t kMaxBufferBytes = 0x0fffffff;
constexpr uint32_t kLowestCooperativeLevel = 1;   // normal
constexpr uint32_t kHighestCooperativeLevel = 4;  // write-primary

double wall_clock() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(since_start).count();
}

struct Buffer {
  PlatformWaveFormat format;
  std::vector<unsigned char> bytes;
  int32_t wave_id = kUnknownWave;
  std::shared_ptr<const DecodedSound> sound;  // decoded when the module unlocks the buffer
  uint32_t position = 0;                      // play position, bytes
  double playing_until = -std::numeric_limits<double>::infinity();
};

struct Audio {
  std::mutex mutex;
  Backend backend = Backend::recording;
  std::function<double()> clock = wall_clock;
  uintptr_t last_handle = 0;
  std::set<uintptr_t> devices;
  std::map<uintptr_t, Buffer> buffers;
  std::vector<int32_t> played;
  std::vector<StartedSound> started;

  uintptr_t new_handle() { return ++last_handle; }

  Buffer* buffer(uintptr_t handle) {
    auto it = buffers.find(handle);
    return it == buffers.end() ? nullptr : &it->second;
  }

  bool recording() const { return backend == Backend::recording; }
};

Audio& audio() {
  static Audio instance;
  return instance;
}

std::unique_lock<std::mutex> lock_audio() { return std::unique_lock(audio().mutex); }

bool valid_description(const PlatformBufferDescription* d) {
  return d && d->description_size == kDescriptionSize && d->format && playable_format(*d->format) &&
         d->buffer_bytes > 0 && d->buffer_bytes <= kMaxBufferBytes &&
         d->buffer_bytes % d->format->block_align == 0;
}

bool inside(const Buffer& buffer, const void* pointer, uint32_t bytes) {
  const auto* p = static_cast<const unsigned char*>(pointer);
  const unsigned char* begin = buffer.bytes.data();
  const size_t size = buffer.bytes.size();
  return p >= begin && bytes <= size && static_cast<size_t>(p - begin) <= size - bytes;
}

// What the buffer now holds: which wave, and its samples.
void take_in_contents(Buffer& buffer) {
  buffer.wave_id = find_loaded_wave_id(buffer.bytes);
  buffer.sound = std::make_shared<const DecodedSound>(decode(buffer.format, buffer.bytes));
}

// Starts the buffer from its play position unless it is still playing.
void start_unless_playing(Audio& a, Buffer& buffer) {
  const double now = a.clock();
  if (now < buffer.playing_until) return;
  const uint32_t size = static_cast<uint32_t>(buffer.bytes.size());
  buffer.playing_until = now + duration(buffer.format, size - buffer.position);
  if (a.recording()) {
    const int64_t frames = buffer.sound ? buffer.sound->frames() : 0;
    a.started.push_back({buffer.wave_id, buffer.sound, frames * buffer.position / size});
  }
  buffer.position = 0;  // where a buffer played to its end stands
}

}  // namespace

void set_backend(Backend backend) {
  auto lock = lock_audio();
  audio().backend = backend;
}

std::vector<int32_t> take_played() {
  auto lock = lock_audio();
  return std::exchange(audio().played, {});
}

std::vector<StartedSound> take_started() {
  auto lock = lock_audio();
  return std::exchange(audio().started, {});
}

void reset() {
  auto lock = lock_audio();
  Audio& a = audio();
  a.devices.clear();
  a.buffers.clear();
  a.played.clear();
  a.started.clear();
}

void set_clock(std::function<double()> clock) {
  auto lock = lock_audio();
  audio().clock = clock ? std::move(clock) : wall_clock;
}

}  // namespace gaugehost::audio

using gaugehost::audio::audio;
using gaugehost::audio::lock_audio;

extern "C" {

bool platform_sound_create_device(uintptr_t* device) {
  auto lock = lock_audio();
  auto& a = audio();
  if (!device || a.backend == gaugehost::audio::Backend::no_device) return false;
  *device = a.new_handle();
  a.devices.insert(*device);
  return true;
}

bool platform_sound_set_cooperative_level(uintptr_t device, uintptr_t window, uint32_t level) {
  auto lock = lock_audio();
  return audio().devices.contains(device) && window != 0 &&
         level >= gaugehost::audio::kLowestCooperativeLevel &&
         level <= gaugehost::audio::kHighestCooperativeLevel;
}

bool platform_sound_create_buffer(uintptr_t device, const PlatformBufferDescription* description,
                                  uintptr_t* buffer) {
  auto lock = lock_audio();
  auto& a = audio();
  if (!buffer || !a.devices.contains(device) || !gaugehost::audio::valid_description(description))
    return false;
  *buffer = a.new_handle();
  a.buffers[*buffer] = {*description->format,
                        std::vector<unsigned char>(description->buffer_bytes)};
  return true;
}

// A region that runs past the end of the buffer goes on at its start, in the second part.
bool platform_sound_lock(uintptr_t buffer, uint32_t offset, uint32_t bytes, void** part1,
                         uint32_t* part1_bytes, void** part2, uint32_t* part2_bytes) {
  auto lock = lock_audio();
  auto* b = audio().buffer(buffer);
  if (!b || !part1 || !part1_bytes || bytes == 0) return false;
  const uint32_t size = static_cast<uint32_t>(b->bytes.size());
  if (offset >= size || bytes > size) return false;
  const uint32_t first = std::min(bytes, size - offset);
  const uint32_t wrapped = bytes - first;
  if (wrapped > 0 && (!part2 || !part2_bytes)) return false;
  *part1 = b->bytes.data() + offset;
  *part1_bytes = first;
  if (part2) *part2 = wrapped > 0 ? b->bytes.data() : nullptr;
  if (part2_bytes) *part2_bytes = wrapped;
  return true;
}

bool platform_sound_unlock(uintptr_t buffer, void* part1, uint32_t part1_bytes, void* part2,
                           uint32_t part2_bytes) {
  auto lock = lock_audio();
  auto* b = audio().buffer(buffer);
  if (!b || !gaugehost::audio::inside(*b, part1, part1_bytes) ||
      (part2 && !gaugehost::audio::inside(*b, part2, part2_bytes)))
    return false;
  if (audio().recording()) gaugehost::audio::take_in_contents(*b);
  return true;
}

bool platform_sound_set_position(uintptr_t buffer, uint32_t position) {
  auto lock = lock_audio();
  auto* b = audio().buffer(buffer);
  if (!b || position >= b->bytes.size()) return false;
  b->position = position;
  return true;
}

// Buffers play once: priority 0 and no flags (no looping).
bool platform_sound_play(uintptr_t buffer, uint32_t priority, uint32_t flags) {
  auto lock = lock_audio();
  auto& a = audio();
  auto* b = a.buffer(buffer);
  if (!b || priority != 0 || flags != 0) return false;
  if (a.recording()) a.played.push_back(b->wave_id);
  gaugehost::audio::start_unless_playing(a, *b);
  return true;
}

void platform_sound_release_buffer(uintptr_t buffer) {
  auto lock = lock_audio();
  audio().buffers.erase(buffer);
}

void platform_sound_release_device(uintptr_t device) {
  auto lock = lock_audio();
  audio().devices.erase(device);
}

}  // extern "C"
