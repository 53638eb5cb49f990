// `gaugecheck calls`: every function the module's records name, called through the stack check.
#pragma once

#include <filesystem>
#include <ostream>

namespace gaugehost {

// Places every gauge of the module in a session of its own, runs its gauge callback (2, 14, 6,
// 12) and element callbacks, clicks every mouse area with each button and asks every tooltip
// argument; an unbalanced call throws HostError. Prints a summary; returns 1 when a function
// named by the records was never called, else 0.
int call_every_function(const std::filesystem::path& module_path, std::ostream& out);

}  // namespace gaugehost
