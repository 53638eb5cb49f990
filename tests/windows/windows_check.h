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

inline void failed(const char* file, int line, const std::string& what) {
  ++failures();
  std::printf("%s:%d: failed: %s\n", file, line, what.c_str());
}

// The module a test program reads: the path its command line names, or CRV5_Instr.gau beside
// the program.
inline std::string module_path(int argc, char** argv) {
  if (argc > 1) return argv[1];
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string folder(exe);
  folder.resize(folder.find_last_of("\\/") + 1);
  return folder + "CRV5_Instr.gau";
}

// Prints the closing line; the exit status is 0 when nothing failed.
inline int report(const char* program) {
  std::printf("%s: %s\n", program, failures() == 0 ? "all passed" : "FAILED");
  std::fflush(stdout);
  return failures() == 0 ? 0 : 1;
}

}  // namespace crv5::windows_test

#define CHECK(condition)                                                                \
  do {                                                                                  \
    if (!(condition)) crv5::windows_test::failed(__FILE__, __LINE__, #condition);       \
  } while (0)
#define CHECK_MSG(condition, message)                                                   \
  do {                                                                                  \
    if (!(condition))                                                                   \
      crv5::windows_test::failed(__FILE__, __LINE__, std::string(#condition) + ": " + (message)); \
  } while (0)
