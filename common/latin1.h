// The library's texts are Windows Latin-1 bytes (code page 1252; the degree sign is 0xB0). Every
// place that shows them (tooltips, string elements, the web page) converts them to UTF-8 here.
#pragma once

#include <string>
#include <string_view>

namespace crv5::common {

// Windows Latin-1 (code page 1252) bytes as UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number.
std::string latin1_to_utf8(std::string_view text);

}  // namespace crv5::common
