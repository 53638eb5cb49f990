// A platform layer for unit tests: resources and sound devices the test controls, and a log of
// what was asked of them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "module/platform.h"

namespace crv5::testing {

struct FakeBuffer {
  uint32_t description_size, flags;
  PlatformWaveFormat format;
  std::vector<unsigned char> contents;  // as many bytes as the description asked for
};

struct FakePlatform {
  std::map<int32_t, std::vector<unsigned char>> waves;  // WAVE resources by id
  std::string executable_name = "fs9";
  std::vector<std::string> window_classes_asked;
  bool device_fails = false, cooperative_level_fails = false, buffer_fails = false,
       lock_fails = false, position_fails = false, play_fails = false;

  int devices_created = 0, devices_released = 0, buffers_released = 0;
  std::vector<FakeBuffer> buffers;       // every buffer created; its handle is 1 + its index
  std::vector<int> plays;                // index of the buffer played, one entry per play call
  std::vector<uintptr_t> positions_set;  // buffer handle of each set-position call
  std::vector<uintptr_t> released;       // handles released (buffers and devices), in order

  void reset() { *this = FakePlatform{}; }
};

// The one fake the platform functions serve.
FakePlatform& fake_platform();

}  // namespace crv5::testing
