#include "tests/support/fake_platform.h"

#include "module/platform.h"

namespace crv5::testing {

FakePlatform& fake_platform() {
  static FakePlatform platform;
  return platform;
}

void FakePlatform::reset() { *this = FakePlatform{}; }

}  // namespace crv5::testing

using crv5::testing::fake_platform;

namespace {
// Buffer handles are 1 + the index of the buffer in the fake's lists.
size_t buffer_index(uintptr_t handle) { return handle - 1; }
}  // namespace

extern "C" {

const void* platform_find_resource(uintptr_t, const char* type, int32_t id, uint32_t* size) {
  auto& waves = fake_platform().waves;
  auto it = waves.find(id);
  if (std::string(type) != "WAVE" || it == waves.end()) return nullptr;
  *size = static_cast<uint32_t>(it->second.size());
  return it->second.data();
}

uintptr_t platform_find_window(const char* class_name) {
  fake_platform().window_classes_asked.emplace_back(class_name);
  return 0x1000;
}

size_t platform_executable_name(char* buffer, size_t capacity) {
  const std::string& name = fake_platform().executable_name;
  if (capacity > 0) {
    size_t n = name.size() < capacity - 1 ? name.size() : capacity - 1;
    name.copy(buffer, n);
    buffer[n] = '\0';
  }
  return name.size();
}

bool platform_sound_create_device(uintptr_t* device) {
  if (fake_platform().device_fails) return false;
  *device = 0x2000 + ++fake_platform().devices_created;
  return true;
}

bool platform_sound_set_cooperative_level(uintptr_t, uintptr_t, uint32_t) {
  return !fake_platform().cooperative_level_fails;
}

bool platform_sound_create_buffer(uintptr_t, const PlatformBufferDescription* description,
                                  uintptr_t* buffer) {
  auto& fake = fake_platform();
  if (fake.buffer_fails) return false;
  fake.description_sizes.push_back(description->description_size);
  fake.buffer_flags.push_back(description->flags);
  fake.buffer_formats.push_back(*description->format);
  fake.buffer_sizes.push_back(description->buffer_bytes);
  fake.buffer_contents.emplace_back(description->buffer_bytes);
  *buffer = ++fake.buffers_created;
  return true;
}

bool platform_sound_lock(uintptr_t buffer, uint32_t offset, uint32_t bytes, void** part1,
                         uint32_t* part1_bytes, void** part2, uint32_t* part2_bytes) {
  if (fake_platform().lock_fails) return false;
  auto& contents = fake_platform().buffer_contents.at(buffer_index(buffer));
  *part1 = contents.data() + offset;
  *part1_bytes = bytes;
  *part2 = nullptr;
  *part2_bytes = 0;
  return true;
}

bool platform_sound_unlock(uintptr_t, void*, uint32_t, void*, uint32_t) { return true; }

bool platform_sound_set_position(uintptr_t buffer, uint32_t) {
  fake_platform().positions_set.push_back(buffer);
  return !fake_platform().position_fails;
}

bool platform_sound_play(uintptr_t buffer, uint32_t, uint32_t) {
  if (fake_platform().play_fails) return false;
  fake_platform().plays.push_back(static_cast<int>(buffer_index(buffer)));
  return true;
}

void platform_sound_release_buffer(uintptr_t buffer) {
  ++fake_platform().buffers_released;
  fake_platform().released.push_back(buffer);
}

void platform_sound_release_device(uintptr_t device) {
  ++fake_platform().devices_released;
  fake_platform().released.push_back(device);
}

}  // extern "C"
