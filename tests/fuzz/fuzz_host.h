// A host for the fuzz targets that run the module's own code: its services count what they are
// asked and keep nothing, so that an input asking for millions of key events stays small.
#pragma once

#include <cstdint>

namespace crv5::fuzzing {

struct FuzzHostCounts {
  uint64_t events = 0;
  uint64_t window_toggles = 0;
  uint32_t last_event = 0;
  uint32_t last_value = 0;
};

// Attaches the counting services to the module's ImportTable (once) and returns the counts.
FuzzHostCounts& attach_fuzz_host();

}  // namespace crv5::fuzzing
