#include "tests/support/fake_platform.h"

namespace crv5::testing {

FakePlatform& fake_platform() {
  static FakePlatform platform;
  return platform;
}

}  // namespace crv5::testing

using crv5::testing::fake_platform;

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
  if (capacity > 0) buffer[name.copy(buffer, capacity - 1)] = '\0';
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

bool platform_sound_create_buffer(uintptr_t, const PlatformBufferDescription* d,
                                  uintptr_t* buffer) {
  auto& buffers = fake_platform().buffers;
  if (fake_platform().buffer_fails) return false;
  buffers.push_back({d->description_size, d->flags, *d->format,
                     std::vector<unsigned char>(d->buffer_bytes)});
  *buffer = buffers.size();
  return true;
}

bool platform_sound_lock(uintptr_t buffer, uint32_t offset, uint32_t bytes, void** part1,
                         uint32_t* part1_bytes, void** part2, uint32_t* part2_bytes) {
  if (fake_platform().lock_fails) return false;
  *part1 = fake_platform().buffers.at(buffer - 1).contents.data() + offset;
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
  fake_platform().plays.push_back(static_cast<int>(buffer - 1));
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
