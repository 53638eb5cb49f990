// The platform layer of the 32-bit Windows module: its own resources through the module handle the
// simulator passes with service 2 (FindResource, LoadResource, LockResource), the simulator's main
// window and executable name (FindWindow, GetModuleFileName), and the sound device and buffers
// through DirectSound. Every call reports failure instead of acting on a handle it cannot trust;
// the sound player above turns any failure into silence.
#include <windows.h>

#include <dsound.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "module/platform.h"

static_assert(sizeof(DSBUFFERDESC) == 36, "the buffer description the player fills is 36 bytes");
static_assert(sizeof(uintptr_t) == sizeof(void*));

namespace {

// A handle the simulator gave as a module handle, if it is the base of a module loaded in this
// process; FindResource on anything else may fault.
HMODULE loaded_module(uintptr_t handle) {
  if (handle == 0) return nullptr;
  HMODULE owner = nullptr;
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(handle), &owner)) return nullptr;
  return reinterpret_cast<uintptr_t>(owner) == handle ? owner : nullptr;
}

// Bitmaps are the standard BITMAP type; other types ("WAVE") are named types.
LPCSTR resource_type(const char* type) {
  return std::strcmp(type, "BITMAP") == 0 ? MAKEINTRESOURCEA(2) /* RT_BITMAP */ : type;
}

IDirectSound* device_of(uintptr_t device) { return reinterpret_cast<IDirectSound*>(device); }
IDirectSoundBuffer* buffer_of(uintptr_t buffer) {
  return reinterpret_cast<IDirectSoundBuffer*>(buffer);
}

// The wave format record as DirectSound takes it. The record holds 18 bytes; where its extra-size
// word names further bytes (Microsoft ADPCM's coefficients), they are not in the record, so they
// are passed as zeros rather than read from beyond it.
std::vector<unsigned char> wave_format_bytes(const PlatformWaveFormat& format) {
  std::vector<unsigned char> bytes(sizeof(WAVEFORMATEX) + format.extra_size, 0);
  WAVEFORMATEX wave{};
  wave.wFormatTag = format.format_tag;
  wave.nChannels = format.channels;
  wave.nSamplesPerSec = format.samples_per_second;
  wave.nAvgBytesPerSec = format.average_bytes_per_second;
  wave.nBlockAlign = format.block_align;
  wave.wBitsPerSample = format.bits_per_sample;
  wave.cbSize = format.extra_size;
  std::memcpy(bytes.data(), &wave, sizeof wave);
  return bytes;
}

}  // namespace

extern "C" {

const void* platform_find_resource(uintptr_t module, const char* type, int32_t id,
                                   uint32_t* size) {
  if (!type || id < 0 || id > 0xffff) return nullptr;
  HMODULE owner = loaded_module(module);
  if (!owner) return nullptr;
  HRSRC found = FindResourceA(owner, MAKEINTRESOURCEA(id), resource_type(type));
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(owner, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return nullptr;
  if (size) *size = SizeofResource(owner, found);
  return bytes;
}

uintptr_t platform_find_window(const char* class_name) {
  if (!class_name) return 0;
  return reinterpret_cast<uintptr_t>(FindWindowA(class_name, nullptr));
}

size_t platform_executable_name(char* buffer, size_t capacity) {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
    if (length == 0) {
      path.clear();
      break;
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) break;
    path.resize(path.size() * 2);  // cut short: try a longer buffer
  }
  const size_t folder = path.find_last_of("\\/");
  std::string name = folder == std::string::npos ? path : path.substr(folder + 1);
  if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  if (buffer && capacity > 0) {
    const size_t n = std::min(name.size(), capacity - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
  }
  return name.size();
}

bool platform_sound_create_device(uintptr_t* device) {
  if (!device) return false;
  IDirectSound* created = nullptr;
  if (FAILED(DirectSoundCreate(nullptr, &created, nullptr)) || !created) return false;
  *device = reinterpret_cast<uintptr_t>(created);
  return true;
}

bool platform_sound_set_cooperative_level(uintptr_t device, uintptr_t window, uint32_t level) {
  if (!device) return false;
  return SUCCEEDED(device_of(device)->SetCooperativeLevel(reinterpret_cast<HWND>(window), level));
}

bool platform_sound_create_buffer(uintptr_t device, const PlatformBufferDescription* description,
                                  uintptr_t* buffer) {
  if (!device || !description || !description->format || !buffer) return false;
  std::vector<unsigned char> format = wave_format_bytes(*description->format);
  DSBUFFERDESC desc{};
  desc.dwSize = description->description_size;
  desc.dwFlags = description->flags;
  desc.dwBufferBytes = description->buffer_bytes;
  desc.lpwfxFormat = reinterpret_cast<WAVEFORMATEX*>(format.data());
  IDirectSoundBuffer* created = nullptr;
  if (FAILED(device_of(device)->CreateSoundBuffer(&desc, &created, nullptr)) || !created)
    return false;
  *buffer = reinterpret_cast<uintptr_t>(created);
  return true;
}

bool platform_sound_lock(uintptr_t buffer, uint32_t offset, uint32_t bytes, void** part1,
                         uint32_t* part1_bytes, void** part2, uint32_t* part2_bytes) {
  if (!buffer || !part1 || !part1_bytes) return false;
  DWORD first = 0;
  DWORD second = 0;
  void* second_part = nullptr;
  if (FAILED(buffer_of(buffer)->Lock(offset, bytes, part1, &first, &second_part, &second, 0)))
    return false;
  *part1_bytes = first;
  if (part2) *part2 = second_part;
  if (part2_bytes) *part2_bytes = second;
  return true;
}

bool platform_sound_unlock(uintptr_t buffer, void* part1, uint32_t part1_bytes, void* part2,
                           uint32_t part2_bytes) {
  if (!buffer) return false;
  return SUCCEEDED(buffer_of(buffer)->Unlock(part1, part1_bytes, part2, part2_bytes));
}

bool platform_sound_set_position(uintptr_t buffer, uint32_t position) {
  if (!buffer) return false;
  return SUCCEEDED(buffer_of(buffer)->SetCurrentPosition(position));
}

bool platform_sound_play(uintptr_t buffer, uint32_t priority, uint32_t flags) {
  if (!buffer) return false;
  return SUCCEEDED(buffer_of(buffer)->Play(0, priority, flags));
}

void platform_sound_release_buffer(uintptr_t buffer) {
  if (buffer) buffer_of(buffer)->Release();
}

void platform_sound_release_device(uintptr_t device) {
  if (device) device_of(device)->Release();
}

}  // extern "C"
