// The platform layer: what the module takes from the operating system. On its native platform
// these are the module-resource, window and DirectSound services; here the host process (or a unit
// test) provides them. Plain C so that any host can implement it. Handles are pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// --- Resources: the module's own, found by type ("WAVE", "BITMAP") and numeric id. ---
// `module` is the module handle the host passed with service 2. Returns the bytes and sets *size,
// or returns null when there is no such resource.
const void* platform_find_resource(uintptr_t module, const char* type, int32_t id, uint32_t* size);

// --- Windows ---
// The window of the given class, or 0.
uintptr_t platform_find_window(const char* class_name);
// The host executable's file name without folder and extension, e.g. "fs9"; writes at most
// capacity - 1 characters and a terminating zero; returns the full length.
size_t platform_executable_name(char* buffer, size_t capacity);

// --- Sound devices and buffers (a DirectSound stand-in). Calls return true on success. ---
struct PlatformWaveFormat {
  uint16_t format_tag;         // 1 PCM, 2 Microsoft ADPCM
  uint16_t channels;
  uint32_t samples_per_second;
  uint32_t average_bytes_per_second;
  uint16_t block_align;
  uint16_t bits_per_sample;
  uint16_t extra_size;
};

struct PlatformBufferDescription {
  uint32_t description_size;   // 36
  uint32_t flags;              // 0x80e0
  uint32_t buffer_bytes;
  const PlatformWaveFormat* format;
};

bool platform_sound_create_device(uintptr_t* device);
bool platform_sound_set_cooperative_level(uintptr_t device, uintptr_t window, uint32_t level);
bool platform_sound_create_buffer(uintptr_t device, const PlatformBufferDescription* description,
                                  uintptr_t* buffer);
// Locks `bytes` from `offset`; the region may come back in two parts (the second may be empty).
bool platform_sound_lock(uintptr_t buffer, uint32_t offset, uint32_t bytes, void** part1,
                         uint32_t* part1_bytes, void** part2, uint32_t* part2_bytes);
bool platform_sound_unlock(uintptr_t buffer, void* part1, uint32_t part1_bytes, void* part2,
                           uint32_t part2_bytes);
bool platform_sound_set_position(uintptr_t buffer, uint32_t position);
// Plays once (flags 0); playing a buffer that is still playing does not restart it.
bool platform_sound_play(uintptr_t buffer, uint32_t priority, uint32_t flags);
void platform_sound_release_buffer(uintptr_t buffer);
void platform_sound_release_device(uintptr_t device);

}  // extern "C"
