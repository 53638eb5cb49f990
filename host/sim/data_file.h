// The small data files of the aircraft's world (navigation aids, scenarios): one record a line,
// fields separated by blanks, `#` starting a comment. A field that cannot be read stops the file
// with "FILE:LINE: problem".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gaugehost {

struct DataLine {
  std::string file;  // the file's name, for messages
  int number = 0;
  std::vector<std::string> fields;

  // A HostError "FILE:LINE: problem".
  [[noreturn]] void fail(const std::string& problem) const;
  // Field `index` as a number from `min` to `max`; a missing or bad field fails naming `what`.
  double number_field(size_t index, std::string_view what, double min, double max) const;
  // Field `index` as text; a missing field fails naming `what`.
  const std::string& text_field(size_t index, std::string_view what) const;
  // Fails unless the line has exactly `count` fields (or between `min` and `max`).
  void expect_fields(size_t min, size_t max, std::string_view usage) const;
};

// The records of a file read from disk (a regular file of at most 16 MiB), blank lines and
// comments left out.
std::vector<DataLine> read_data_file(const std::filesystem::path& path, std::string_view what);
// The records of a text, as if read from a file called `name`.
std::vector<DataLine> split_data_text(std::string_view text, const std::string& name);

}  // namespace gaugehost
