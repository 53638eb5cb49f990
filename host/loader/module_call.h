// Calls into a loaded module. Every call the host makes into the module goes through call_module:
// elsewhere a plain call; in a 32-bit Windows host (gaugecheck.exe) a small thunk makes the call
// and checks that the stack pointer is where it was, that is, that the module's function popped
// its own arguments as the simulator's calling convention asks. A function that did not is
// reported as a HostError naming what was called; the thunk has put the stack right by then.
#pragma once

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <type_traits>
#include <utility>

#include "module/gauge.h"

#if defined(_WIN32) && !defined(_WIN64)
#define CRV5_CHECKED_MODULE_CALLS 1
#endif

namespace gaugehost {

#ifdef CRV5_CHECKED_MODULE_CALLS

extern "C" {
// Copies `arg_bytes` bytes of arguments onto the stack, calls `function`, stores EAX in
// *integer_result and, when `floating`, pops ST(0) into *floating_result. Returns the bytes the
// stack pointer ended below where it was before the arguments were pushed (0 for a callee that
// popped them all), after putting it back.
int32_t crv5_checked_call(const void* function, const void* args, uint32_t arg_bytes,
                          uint32_t* integer_result, double* floating_result, int32_t floating);
}

// The calls into the module so far: how many, and which functions they reached.
struct ModuleCallTally {
  uint64_t calls = 0;
  std::set<const void*> functions;
};
ModuleCallTally& module_call_tally();
// Throws HostError: the call of `what` left `bytes` on the stack.
[[noreturn]] void unbalanced_module_call(const char* what, int32_t bytes);

namespace detail {

template <typename T>
constexpr uint32_t stack_bytes() {
  return (sizeof(T) + 3) / 4 * 4;
}

template <typename T>
void push_argument(unsigned char*& at, T value) {
  std::memcpy(at, &value, sizeof value);
  at += stack_bytes<T>();
}

}  // namespace detail

// Calls `function` with `args` (converted to its parameter types) through the checking thunk;
// `what` names the call in a report.
template <typename R, typename... Params, typename... Args>
R call_module(const char* what, R(CRV5_CALL* function)(Params...), Args&&... args) {
  static_assert(sizeof...(Params) == sizeof...(Args));
  constexpr uint32_t bytes = (detail::stack_bytes<Params>() + ... + 0);
  alignas(8) unsigned char frame[bytes > 0 ? bytes : 1] = {};
  [[maybe_unused]] unsigned char* at = frame;  // unused for a call without arguments
  (detail::push_argument<Params>(at, static_cast<Params>(args)), ...);
  uint32_t integer = 0;
  double floating = 0;
  const int32_t left = crv5_checked_call(reinterpret_cast<const void*>(function), frame, bytes,
                                         &integer, &floating, std::is_floating_point_v<R>);
  ModuleCallTally& tally = module_call_tally();
  ++tally.calls;
  tally.functions.insert(reinterpret_cast<const void*>(function));
  if (left != 0) unbalanced_module_call(what, left);
  if constexpr (std::is_floating_point_v<R>) {
    return static_cast<R>(floating);
  } else if constexpr (!std::is_void_v<R>) {
    static_assert(sizeof(R) == 4, "results of 4 bytes come back in EAX");
    R result;
    std::memcpy(&result, &integer, sizeof result);
    return result;
  }
}

#else

template <typename R, typename... Params, typename... Args>
R call_module(const char*, R(CRV5_CALL* function)(Params...), Args&&... args) {
  return function(std::forward<Args>(args)...);
}

#endif

}  // namespace gaugehost
