// The error every part of the host reports a problem with: one line of text that stops the host
// from going on with a file or a command, and the quoting of what a user wrote into such a line.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace gaugehost {

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest piece of a user's text that an error line quotes.
inline constexpr size_t kQuotedTextLimit = 60;

// `text` in double quotes for an error line: at most kQuotedTextLimit bytes of it (cut before a
// UTF-8 sequence, never inside one), followed by "..." when it is longer.
std::string quote_input(std::string_view text);

}  // namespace gaugehost
