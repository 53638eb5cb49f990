// A small test harness for the Windows test programs, which run under Wine without a test
// library: CHECK counts and reports a failed condition with its file and line, and each program's
// main returns report().
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace crv5::windows_test {

inline int& failures() {
  static int count = 0;
  return count;
}

inline void failed(const char* file, int line, const char* condition, const std::string& message) {
  ++failures();
  std::printf("%s:%d: failed: %s%s%s\n", file, line, condition, message.empty() ? "" : ": ",
              message.c_str());
}

// Prints the closing line; the exit status is 0 when nothing failed.
inline int report(const char* program) {
  std::printf("%s: %s\n", program, failures() == 0 ? "all passed" : "FAILED");
  std::fflush(stdout);
  return failures() == 0 ? 0 : 1;
}

}  // namespace crv5::windows_test

#define CHECK_MSG(condition, message)                                                      \
  do {                                                                                     \
    if (!(condition)) crv5::windows_test::failed(__FILE__, __LINE__, #condition, message); \
  } while (0)
#define CHECK(condition) CHECK_MSG(condition, "")
