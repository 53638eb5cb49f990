// Reading the files a user hands the host (panel configurations, check files): regular files only,
// up to a size limit, so that a folder, a device such as /dev/zero or a FIFO is refused at once
// instead of read for ever. The file is opened first (never waiting) and the open file checked,
// so a FIFO renamed over a checked name cannot hang the host.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace gaugehost {

// The largest panel configuration or check file the host reads: 16 MiB.
inline constexpr size_t kInputFileLimit = size_t(16) << 20;

// The whole of a regular file. Throws HostError "FILE: problem" when the file is missing, is not
// a regular file, cannot be read or is longer than kInputFileLimit; `what` names the kind of file
// in the message ("check file", "panel configuration").
std::string read_input_file(const std::filesystem::path& file, std::string_view what);

}  // namespace gaugehost
