#include "host/sim/data_file.h"

#include <cstdio>

#include "host/base/host_error.h"
#include "host/base/input_file.h"
#include "host/base/numbers.h"

namespace gaugehost {

void DataLine::fail(const std::string& problem) const {
  throw HostError(file + ":" + std::to_string(number) + ": " + problem);
}

double DataLine::number_field(size_t index, std::string_view what, double min, double max) const {
  if (index >= fields.size()) fail("missing " + std::string(what));
  const std::optional<double> value = parse_number(fields[index]);
  if (!value || *value < min || *value > max) {
    char range[96];
    std::snprintf(range, sizeof range, "a number from %g to %g", min, max);
    fail("bad " + std::string(what) + " " + quote_input(fields[index]) + ", expected " + range);
  }
  return *value;
}

const std::string& DataLine::text_field(size_t index, std::string_view what) const {
  if (index >= fields.size()) fail("missing " + std::string(what));
  return fields[index];
}

void DataLine::expect_fields(size_t min, size_t max, std::string_view usage) const {
  if (fields.size() < min || fields.size() > max) fail("expected: " + std::string(usage));
}

std::vector<DataLine> split_data_text(std::string_view text, const std::string& name) {
  std::vector<DataLine> lines;
  int number = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view content = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    content = content.substr(0, std::min(content.find('#'), content.size()));
    DataLine line{name, number, {}};
    size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < content.size()) {
      while (i < content.size() && blank(content[i])) ++i;
      const size_t start = i;
      while (i < content.size() && !blank(content[i])) ++i;
      if (i > start) line.fields.emplace_back(content.substr(start, i - start));
    }
    if (!line.fields.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<DataLine> read_data_file(const std::filesystem::path& path, std::string_view what) {
  return split_data_text(read_input_file(path, what), path.string());
}

}  // namespace gaugehost
