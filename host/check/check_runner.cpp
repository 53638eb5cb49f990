#include "host/check/check_runner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>

#include "host/base/input_file.h"
#include "host/base/numbers.h"
#include "host/check/commands.h"
#include "host/panel/session.h"
#include "host/sim/variables.h"

namespace gaugehost {

namespace fs = std::filesystem;

CheckLine split_check_line(std::string_view text) {
  CheckLine line;
  size_t i = 0;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (true) {
    while (i < text.size() && blank(text[i])) ++i;
    if (i >= text.size()) break;
    std::string token;
    const bool quoted = text[i] == '"';
    if (quoted) {
      for (++i;; ++i) {
        if (i >= text.size()) throw HostError("a quoted token has no closing \"");
        if (text[i] == '"') break;
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\'))
          ++i;
        token += text[i];
      }
      ++i;
      if (i < text.size() && !blank(text[i]))
        throw HostError("a quoted token must be followed by a blank");
    } else {
      while (i < text.size() && !blank(text[i])) token += text[i++];
    }
    line.tokens.push_back(std::move(token));
    line.quoted.push_back(quoted);
  }
  return line;
}

double parse_check_number(std::string_view token, std::string_view what) {
  if (const std::optional<double> value = parse_number(token)) return *value;
  throw HostError("bad " + std::string(what) + " " + quote_input(token) +
                  ", expected a decimal number or 0x and hexadecimal digits");
}

double parse_var_value(uint32_t id, std::string_view token) {
  if (!find_variable(id)) throw HostError(unknown_variable(id));
  if (SimState::is_integer_var(id)) {
    const std::optional<double> value = parse_number(token);
    if (!value || *value != std::trunc(*value) || *value < 0 || *value > 4294967295.0)
      throw HostError("bad value of integer variable " + std::to_string(id) + " " +
                      quote_input(token) + ": it takes a whole number from 0 to 4294967295");
    return *value;
  }
  if (token == "nan") return std::numeric_limits<double>::quiet_NaN();
  if (token == "inf") return std::numeric_limits<double>::infinity();
  if (token == "-inf") return -std::numeric_limits<double>::infinity();
  return parse_check_number(token, "value");
}

// --- One file's run ---

CheckRun::CheckRun(fs::path file, fs::path default_module, std::ostream& out)
    : file_(std::move(file)), default_module_(std::move(default_module)), out_(out) {}

CheckRun::~CheckRun() = default;

Session& CheckRun::session() {
  if (!session_) load_module(default_module_);
  return *session_;
}

void CheckRun::load_module(const fs::path& path) {
  session_.reset();  // the previous module is killed and unloaded first
  session_ = std::make_unique<Session>(Module::load(path));
}

fs::path CheckRun::resolve(std::string_view path) const {
  const fs::path given(path);
  return given.is_absolute() ? given : file_.parent_path() / given;
}

void CheckRun::check(const CheckLine& line, bool passed, std::string_view expected,
                     std::string_view got) {
  if (passed) {
    ++passed_;
    return;
  }
  ++failed_;
  out_ << line.file.string() << ":" << line.number << ": expected " << expected << ", got " << got
       << "\n";
}

namespace {

const CheckCommandEntry* find_command(const CheckLine& line, size_t& words) {
  const CheckCommandTable& table = check_command_table();
  if (line.tokens.size() >= 2) {
    auto two = table.find(line.tokens[0] + " " + line.tokens[1]);
    if (two != table.end()) {
      words = 2;
      return &two->second;
    }
  }
  auto one = table.find(line.tokens[0]);
  words = 1;
  return one == table.end() ? nullptr : &one->second;
}

void run_line(CheckRun& run, CheckLine& line) {
  const CheckCommandEntry& entry = resolve_check_command(line);
  entry.run(run, line);
}

// Runs one file; false when it could not be run to its end.
bool run_file(CheckRun& run, const fs::path& file, std::ostream& out) {
  std::string contents;
  try {
    contents = read_input_file(file, "check file");
  } catch (const HostError& error) {
    out << error.what() << "\n";
    return false;
  }
  try {
    read_check_lines(contents, file, [&](CheckLine& line) { run_line(run, line); });
  } catch (const CheckLineError& error) {
    out << file.string() << ":" << error.line() << ": " << error.what() << "\n";
    return false;
  }
  return true;
}

}  // namespace

const CheckCommandEntry& resolve_check_command(CheckLine& line) {
  size_t words = 0;
  const CheckCommandEntry* entry = find_command(line, words);
  if (!entry) {
    const std::string family = line.tokens[0] + " ";
    std::string choices;
    for (const auto& [name, command] : check_command_table())
      if (name.starts_with(family))
        choices += (choices.empty() ? "" : ", ") + name.substr(family.size());
    if (choices.empty()) throw HostError("unknown command " + quote_input(line.tokens[0]));
    throw HostError("unknown command " +
                    quote_input(line.tokens[0] +
                                (line.tokens.size() > 1 ? " " + line.tokens[1] : "")) +
                    ", expected " + line.tokens[0] + " followed by one of: " + choices);
  }
  line.tokens.erase(line.tokens.begin(), line.tokens.begin() + std::ptrdiff_t(words));
  line.quoted.erase(line.quoted.begin(), line.quoted.begin() + std::ptrdiff_t(words));
  if (line.tokens.size() < entry->min_args || line.tokens.size() > entry->max_args)
    throw HostError("expected: " + entry->usage);
  return *entry;
}

namespace {

// A table: the commands of its header line, with "_" for each value a row gives and a last
// "..." for whatever the row holds beyond them.
struct CheckTable {
  int line = 0;
  std::vector<CheckLine> commands;
  size_t columns = 0;
  bool rest = false;
};

bool is_word(const CheckLine& line, size_t at, std::string_view word) {
  return at < line.tokens.size() && !line.quoted[at] && line.tokens[at] == word;
}

CheckTable read_table_header(const CheckLine& header) {
  CheckTable table{.line = header.number};
  table.commands.emplace_back();
  for (size_t i = 1; i < header.tokens.size(); ++i) {
    if (is_word(header, i, "|")) {
      table.commands.emplace_back();
      continue;
    }
    if (table.rest) throw HostError("... must be the table header's last token");
    table.rest = is_word(header, i, "...");
    if (is_word(header, i, "_")) ++table.columns;
    table.commands.back().tokens.push_back(header.tokens[i]);
    table.commands.back().quoted.push_back(header.quoted[i]);
  }
  for (const CheckLine& command : table.commands)
    if (command.tokens.empty())
      throw HostError("expected: table COMMAND [| COMMAND]..., with _ for each value of a row");
  if (table.columns == 0 && !table.rest)
    throw HostError("a table header needs _ for each value of a row");
  return table;
}

// A row's commands: the header's, each "_" replaced by the row's next value.
void run_table_row(const CheckTable& table, const CheckLine& row,
                   const std::function<void(CheckLine&)>& handle) {
  if (row.tokens.size() < table.columns || (!table.rest && row.tokens.size() > table.columns))
    throw HostError("expected " + std::to_string(table.columns) + (table.rest ? " or more" : "") +
                    (table.columns == 1 && !table.rest ? " value" : " values") +
                    ", one for each _ of the table header at line " +
                    std::to_string(table.line) + ", got " + std::to_string(row.tokens.size()));
  size_t next = 0;
  for (const CheckLine& command : table.commands) {
    CheckLine line{.file = row.file, .number = row.number};
    for (size_t i = 0; i < command.tokens.size(); ++i) {
      const bool placeholder = !command.quoted[i] && command.tokens[i] == "_";
      const bool rest = !command.quoted[i] && command.tokens[i] == "...";
      const size_t end = placeholder ? next + 1 : rest ? row.tokens.size() : next;
      if (!placeholder && !rest) {
        line.tokens.push_back(command.tokens[i]);
        line.quoted.push_back(command.quoted[i]);
      }
      for (; next < end; ++next) {
        line.tokens.push_back(row.tokens[next]);
        line.quoted.push_back(row.quoted[next]);
      }
    }
    handle(line);
  }
}

}  // namespace

void read_check_lines(std::string_view text, const fs::path& file,
                      const std::function<void(CheckLine&)>& handle) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark
  int number = 0;
  std::optional<CheckTable> table;
  try {
    while (!text.empty()) {
      const size_t end = std::min(text.find('\n'), text.size());
      const std::string_view content = text.substr(0, end);
      text.remove_prefix(std::min(end + 1, text.size()));
      ++number;
      const size_t first = content.find_first_not_of(" \t\r");
      if (first == std::string_view::npos || content[first] == '#') continue;
      CheckLine line = split_check_line(content);
      line.file = file;
      line.number = number;
      if (table && line.tokens.size() == 1 && is_word(line, 0, "end"))
        table.reset();
      else if (table)
        run_table_row(*table, line, handle);
      else if (is_word(line, 0, "table"))
        table = read_table_header(line);
      else
        handle(line);
    }
  } catch (const std::exception& error) {
    throw CheckLineError(number, error.what());
  }
  if (table) throw CheckLineError(table->line, "the table has no end line");
}

CheckTotals run_check_files(const std::vector<fs::path>& files, const fs::path& default_module,
                            std::ostream& out) {
  CheckTotals totals;
  for (const fs::path& file : files) {
    CheckRun run(file, default_module, out);
    if (!run_file(run, file, out)) totals.file_error = true;
    totals.passed += run.passed();
    totals.failed += run.failed();
  }
  out << totals.passed << " passed, " << totals.failed << " failed\n";
  out.flush();
  return totals;
}

}  // namespace gaugehost
