// The registration placard on any parameter text and ATC identifier (the input's bytes up to its
// first zero byte are the parameter text, the bytes after it the identifier): installation reads
// the font and colour commands, the text rule fills the placard's 7 characters. The text is always
// terminated within its buffer, the font name within its 32 bytes, and each colour component is
// at most 255.
#include <cstring>
#include <memory>
#include <string>

#include "controls/registration.h"
#include "module/gauges.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/test_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  crv5::testing::TestHost host;
  ElementString& text = *reinterpret_cast<ElementString*>(gauge_Registration.elements[0]->next[0]);
  static const ElementString as_loaded = text;
  std::memcpy(text.font, as_loaded.font, sizeof text.font);
  text.foreground = as_loaded.foreground;

  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t zero = input.find('\0');
  const std::string parameters = input.substr(0, zero);
  const std::string atc_id = zero == std::string::npos ? "" : input.substr(zero + 1);

  gauge_Registration.parameters = size == 0 ? nullptr : parameters.c_str();
  gauge_Registration.callback(&gauge_Registration, kServicePreInstall, 0);
  if (strnlen(text.font, sizeof text.font) > 31) __builtin_trap();
  if ((text.foreground & 0xFF000000u) != 0) __builtin_trap();

  crv5::registration_atc_id = zero == std::string::npos ? nullptr : atc_id.c_str();
  const size_t capacity = size_t(text.char_count) + 1;
  const auto buffer = std::make_unique<char[]>(capacity);
  std::memset(buffer.get(), 0x7F, capacity);
  text.text = buffer.get();
  text.callback(&text);
  if (!std::memchr(buffer.get(), '\0', capacity)) __builtin_trap();
  text.text = nullptr;
  gauge_Registration.parameters = nullptr;
  crv5::registration_atc_id = nullptr;
  return 0;
}
