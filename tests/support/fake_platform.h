// A platform layer for unit tests: resources and sound devices the test controls, and a log of
// what was played.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "module/platform.h"

namespace crv5::testing {

struct FakePlatform {
  // WAVE resources by id (the bytes the module finds).
  std::map<int32_t, std::vector<unsigned char>> waves;
  std::string executable_name = "fs9";
  std::vector<std::string> window_classes_asked;
  bool device_fails = false;
  bool cooperative_level_fails = false;
  bool buffer_fails = false;
  bool play_fails = false;
  bool lock_fails = false;
  bool position_fails = false;

  int devices_created = 0;
  int devices_released = 0;
  int buffers_created = 0;
  int buffers_released = 0;
  std::vector<uint32_t> description_sizes; // description_size of each buffer description
  std::vector<uint32_t> buffer_flags;      // flags of each buffer description
  std::vector<PlatformWaveFormat> buffer_formats;
  std::vector<uint32_t> buffer_sizes;      // bytes of each buffer
  std::vector<std::vector<unsigned char>> buffer_contents;
  std::vector<int> plays;                  // index of the buffer played, one entry per play call
  std::vector<uintptr_t> positions_set;    // buffer handle of each set-position call
  std::vector<uintptr_t> released;         // handles released (buffers and devices), in order

  // Resets everything to the defaults above.
  void reset();
};

// The one fake the platform functions serve.
FakePlatform& fake_platform();

}  // namespace crv5::testing
