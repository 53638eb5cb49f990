// The check-file reader on any text: lines, comments and quoted tokens, the command table and its
// argument counts, and the numbers and variable values of the arguments. Every problem is a
// HostError for its line; nothing is read outside the text.
#include <string_view>

#include "host/check/check_runner.h"
#include "host/check/commands.h"
#include "host/base/numbers.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

// Token variables of both kinds: a packed-decimal frequency and a float.
constexpr uint32_t kIntegerVar = 16;
constexpr uint32_t kFloatVar = 625;

// The numbers of a line; the last token also as a value of each kind of variable, as "set var"
// reads it. (A problem is a thrown HostError: few are thrown per line, to keep each run quick.)
void read_arguments(gaugehost::CheckLine& line) {
  try {
    gaugehost::resolve_check_command(line);
  } catch (const gaugehost::HostError&) {
  }
  for (const std::string& token : line.tokens) (void)gaugehost::parse_number(token);
  if (line.tokens.empty()) return;
  for (uint32_t id : {kIntegerVar, kFloatVar}) {
    try {
      gaugehost::parse_var_value(id, line.tokens.back());
    } catch (const gaugehost::HostError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    gaugehost::read_check_lines(text, "fuzz.check", read_arguments);
  } catch (const gaugehost::CheckLineError& error) {
    if (error.line() < 1) __builtin_trap();  // a problem always names its line
  }
  return 0;
}
