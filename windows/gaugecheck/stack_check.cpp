// The checking thunk of gaugecheck's calls into the module (host/loader/module_call.h): 32-bit x86,
// the C calling convention on its own side. It saves the callee-saved registers, copies the
// arguments below them, calls, and measures where the stack pointer came back to.
#include <string>

#include "host/base/host_error.h"
#include "host/loader/module_call.h"

// clang-format off
asm(R"(
  .text
  .globl _crv5_checked_call
_crv5_checked_call:
  pushl %ebp
  movl  %esp, %ebp
  pushl %esi
  pushl %edi
  pushl %ebx
  movl  16(%ebp), %ecx
  subl  %ecx, %esp
  movl  %esp, %edi
  movl  12(%ebp), %esi
  cld
  rep movsb
  call  *8(%ebp)
  movl  20(%ebp), %ecx
  movl  %eax, (%ecx)
  cmpl  $0, 28(%ebp)
  je    1f
  movl  24(%ebp), %ecx
  fstpl (%ecx)
1:
  leal  -12(%ebp), %eax
  subl  %esp, %eax
  leal  -12(%ebp), %esp
  popl  %ebx
  popl  %edi
  popl  %esi
  popl  %ebp
  ret
)");
// clang-format on

namespace gaugehost {

ModuleCallTally& module_call_tally() {
  static ModuleCallTally tally;
  return tally;
}

void unbalanced_module_call(const char* what, int32_t bytes) {
  throw HostError(std::string("the module's ") + what + " left the stack " +
                  std::to_string(bytes < 0 ? -bytes : bytes) + " bytes " +
                  (bytes > 0 ? "lower" : "higher") +
                  " than before the call: it does not pop its own arguments (__stdcall)");
}

}  // namespace gaugehost
