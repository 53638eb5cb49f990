// Helpers of the host's tests: the built module and the default cockpit, files written for a test,
// the message of a failure, and gaugehost's command line run in this process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "host/base/host_error.h"
#include "host/cli/cli.h"

namespace gaugehost::tests {

namespace fs = std::filesystem;

inline const fs::path kModule = fs::path(CRV5_BUILD_DIR) / "CRV5_Instr.gau";
inline const fs::path kCockpit = fs::path(CRV5_SOURCE_DIR) / "panels/corvane/panel.cfg";

inline fs::path write_file(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// A fresh folder of the running test's files.
inline fs::path test_folder() {
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const fs::path folder = fs::temp_directory_path() / ("gaugehost_test_" + test);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// The message of the HostError that `action` throws; "" when it throws none.
inline std::string error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const HostError& error) {
    return error.what();
  }
  return "";
}

// Problems (of a panel, of lint) as "LINE: PROBLEM" lines.
template <class Problems>
std::string listed(const Problems& problems) {
  std::string out;
  for (const auto& p : problems) out += std::to_string(p.line) + ": " + p.problem + "\n";
  return out;
}

struct CommandRun {
  int status;
  std::string out, err;
};

// `gaugehost ARGS...`.
inline CommandRun gaugehost(std::vector<std::string> args) {
  args.insert(args.begin(), "gaugehost");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  std::ostringstream out, err;
  const int status = run_cli(int(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace gaugehost::tests
