// The stack check of gaugecheck's calls into the module: a function that pops its own arguments
// (__stdcall) passes with its result intact; one that leaves them (cdecl) is reported.
#include <string>

#include "host/base/host_error.h"
#include "host/loader/module_call.h"
#include "tests/windows/windows_check.h"

namespace {

double CRV5_CALL scaled(double value, uint32_t factor, const char* text) {
  return text ? value * factor : 0;
}
int32_t CRV5_CALL counted(ClickRecord*, uint32_t flags) { return int32_t(flags >> 28); }
int32_t __cdecl leaves_its_arguments(ClickRecord*, uint32_t flags) { return int32_t(flags); }

}  // namespace

int main() {
  using gaugehost::call_module;
  CHECK(call_module("number", scaled, 1.5, 4u, "x") == 6.0);
  CHECK(call_module("flag", counted, nullptr, uint32_t{kMouseLeftSingle}) == 2);

  // The same call through the simulator's type, as a module built without __stdcall would be.
  auto wrong = reinterpret_cast<MouseFunction>(reinterpret_cast<void*>(leaves_its_arguments));
  std::string message;
  try {
    call_module("mouse function", wrong, nullptr, 7u);
  } catch (const gaugehost::HostError& error) {
    message = error.what();
  }
  CHECK_MSG(message.find("mouse function left the stack 8 bytes lower") != std::string::npos,
            message);
  CHECK(gaugehost::module_call_tally().calls == 3);
  return crv5::windows_test::report("stack_check_test");
}
