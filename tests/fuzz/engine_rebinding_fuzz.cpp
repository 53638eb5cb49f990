// The corrected-speed dials' parameter text on any bytes: the engine it names is always 1 to 4,
// and the ids moved to that engine stay within their own kind's rows.
#include <string>

#include "common/parameter_text.h"
#include "instruments/engine_rebinding.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The host hands the gauge a terminated text: the input up to its first zero byte.
  const std::string parameters(reinterpret_cast<const char*>(data), size);
  const int engine = crv5::parameter_text::engine_number(parameters.c_str());
  if (engine < 1 || engine > 4) __builtin_trap();
  // The first engine-1 ids of the dials' rows and one beyond every row.
  for (uint32_t id : {626u, 645u, 127u, 899u, 0u, 0xFFFFFFFFu})
    if (engine == 1 && crv5::rebind_var(id, engine) != id) __builtin_trap();
  if (crv5::rebind_event(0x10002, engine) != 0x10002u + uint32_t(engine - 1)) __builtin_trap();
  if (crv5::rebind_help_id(43809, engine) != 43809) __builtin_trap();  // not an engine help id
  return 0;
}
