// The check-file runner: runs check files, one freshly loaded module per file, counting checks.
// The commands are a fixed table of names and handlers (host/check/commands.h).
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/host_error.h"

namespace gaugehost {

class Session;

// One command line of a check file, split into tokens (quotes removed, escapes resolved).
struct CheckLine {
  std::filesystem::path file;
  int number = 0;
  std::vector<std::string> tokens;  // tokens[0] is the command
  std::vector<bool> quoted;         // whether each token was written in double quotes
};

// What a command handler can use: the session (loaded on first use), the file's folder for
// relative paths, and the check counters. A handler signals a line that cannot run by throwing
// HostError with the problem (the runner adds FILE:LINE).
class CheckRun {
 public:
  CheckRun(std::filesystem::path file, std::filesystem::path default_module, std::ostream& out);
  ~CheckRun();

  // The session, loading the module on first use.
  Session& session();
  bool has_session() const { return session_ != nullptr; }
  // Loads the module (replacing any session).
  void load_module(const std::filesystem::path& path);

  // A path of the check file, relative to the file's folder.
  std::filesystem::path resolve(std::string_view path) const;
  const std::filesystem::path& file() const { return file_; }

  // Counts one check; a failed one prints "FILE:LINE: expected ..., got ...".
  void check(const CheckLine& line, bool passed, std::string_view expected, std::string_view got);

  int passed() const { return passed_; }
  int failed() const { return failed_; }

 private:
  std::filesystem::path file_;
  std::filesystem::path default_module_;
  std::ostream& out_;
  std::unique_ptr<Session> session_;
  int passed_ = 0;
  int failed_ = 0;
};

// Splits a check-file line into tokens; a token in double quotes may hold blanks, "\"" and "\\"
// inside. Throws HostError for an unterminated quote.
CheckLine split_check_line(std::string_view text);

// A number of a check file: decimal, or hexadecimal with 0x. Throws HostError naming `what`.
double parse_check_number(std::string_view token, std::string_view what);

// A value for token variable `id`: any number, or nan, inf or -inf, but a whole number from 0 to
// 4294967295 for the variables kept as integers. Throws HostError.
double parse_var_value(uint32_t id, std::string_view token);

// A line of a check file that could not be read or run: its number and the problem.
class CheckLineError : public HostError {
 public:
  CheckLineError(int line, const std::string& problem) : HostError(problem), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads a check file's text: a byte-order mark is skipped, blank lines and comments are passed
// over, and each other line is split into tokens and handed to `handle` with the file and its
// number. The first problem, in the reading or in `handle`, stops it with a CheckLineError.
void read_check_lines(std::string_view text, const std::filesystem::path& file,
                      const std::function<void(CheckLine&)>& handle);

struct CheckTotals {
  int passed = 0;
  int failed = 0;
  bool file_error = false;  // some file could not be run
  int exit_status() const { return file_error ? 2 : failed > 0 ? 1 : 0; }
};

// Runs the files in order and prints failures, errors and the closing line "N passed, N failed"
// to `out`.
CheckTotals run_check_files(const std::vector<std::filesystem::path>& files,
                            const std::filesystem::path& default_module, std::ostream& out);

}  // namespace gaugehost
