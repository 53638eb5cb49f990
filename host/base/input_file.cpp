#include "host/base/input_file.h"

#include <fstream>
#include <system_error>

#include "host/base/host_error.h"

namespace gaugehost {

std::string read_input_file(const std::filesystem::path& file, std::string_view what) {
  const std::string name = file.string();
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error || !std::filesystem::exists(status))
    throw HostError(name + ": no such " + std::string(what));
  if (std::filesystem::is_directory(status))
    throw HostError(name + ": a folder, not a " + std::string(what));
  if (!std::filesystem::is_regular_file(status))
    throw HostError(name + ": not a regular file, so not a " + std::string(what));
  std::ifstream in(file, std::ios::binary);
  if (!in) throw HostError(name + ": cannot open the " + std::string(what));
  // Read in pieces up to one byte past the limit, whatever size the file reports: a file may grow
  // while it is read, and some files (under /proc) report none.
  std::string text;
  char piece[65536];
  while (in && text.size() <= kInputFileLimit) {
    in.read(piece, sizeof piece);
    text.append(piece, size_t(in.gcount()));
  }
  if (in.bad()) throw HostError(name + ": cannot read the " + std::string(what));
  if (text.size() > kInputFileLimit)
    throw HostError(name + ": the " + std::string(what) + " is larger than " +
                    std::to_string(kInputFileLimit >> 20) + " MiB");
  return text;
}

}  // namespace gaugehost
