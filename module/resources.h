// The module's resource directory: every bitmap and wave the module carries, found by the
// platform layer by type and id. Generated at build time from the resource script.
#pragma once

#include <cstdint>

extern "C" {

struct ResourceEntry {
  const char* type;           // "BITMAP" (PNG bytes) or "WAVE" (RIFF bytes); null ends the list
  int32_t id;                 // numeric resource id
  const unsigned char* data;  // the resource's bytes
  uint32_t size;              // bytes
};

// Exported by the module under this name.
extern const ResourceEntry ResourceDirectory[];

}  // extern "C"
