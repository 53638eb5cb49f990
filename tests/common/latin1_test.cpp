#include "common/latin1.h"

#include <gtest/gtest.h>

#include <string>

namespace crv5::common {
namespace {

TEST(Latin1ToUtf8, ConvertsCodePage1252) {
  struct Case {
    std::string latin1;
    std::string utf8;
  };
  const Case cases[] = {
      {"Fuel 271 kg", "Fuel 271 kg"},         // ASCII as it is
      {"271\xb0 C", "271\xc2\xb0 C"},         // the degree sign
      {"\xe9\xff", "\xc3\xa9\xc3\xbf"},       // the upper half of Latin-1
      {"\x80", "\xe2\x82\xac"},               // the euro sign of the code page
      {"\x96", "\xe2\x80\x93"},               // en dash
      {"\x81", "\xc2\x81"},                   // undefined in the code page: the control character
      {std::string("a\0b", 3), std::string("a\0b", 3)},  // a zero byte is kept, not an end
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(latin1_to_utf8(c.latin1), c.utf8) << c.latin1;
}

}  // namespace
}  // namespace crv5::common
