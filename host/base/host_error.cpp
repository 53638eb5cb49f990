#include "host/base/host_error.h"

namespace gaugehost {

std::string quote_input(std::string_view text) {
  if (text.size() <= kQuotedTextLimit) return "\"" + std::string(text) + "\"";
  size_t cut = kQuotedTextLimit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return "\"" + std::string(text.substr(0, cut)) + "...\"";
}

}  // namespace gaugehost
