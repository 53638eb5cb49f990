// The size of a gauge's background bitmap, read from a module's BITMAP resource: PNG bytes on
// Linux, a device-independent bitmap (the BITMAP resources of the Windows module) under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

#include "host/loader/module.h"

namespace gaugehost {
namespace {

std::vector<unsigned char> dib(int32_t width, int32_t height, uint32_t header_size = 40) {
  std::vector<unsigned char> bytes(136, 0);  // room for the largest info header (124 bytes)
  auto put = [&](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
  };
  put(0, header_size);
  put(4, uint32_t(width));
  put(8, uint32_t(height));
  return bytes;
}

std::vector<unsigned char> png(uint32_t width, uint32_t height) {
  std::vector<unsigned char> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                      0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (uint32_t value : {width, height})
    for (int i = 3; i >= 0; --i) bytes.push_back(uint8_t(value >> (8 * i)));
  return bytes;
}

TEST(ImageSize, ReadsPngsAndWindowsBitmaps) {
  using Size = std::optional<std::pair<int, int>>;
  const std::tuple<const char*, std::vector<unsigned char>, Size> cases[] = {
      {"PNG", png(300, 200), std::pair(300, 200)},
      {"bitmap stored from the bottom up", dib(150, 25), std::pair(150, 25)},
      {"bitmap stored from the top down", dib(64, -48), std::pair(64, 48)},
      {"bitmap with a larger info header", dib(19, 19, 124), std::pair(19, 19)},
      {"info header longer than the bytes", dib(19, 19, 4000), std::nullopt},
      {"core header of 12 bytes", dib(19, 19, 12), std::nullopt},
      {"too short for either", std::vector<unsigned char>(20, 0x28), std::nullopt},
      {"nothing", {}, std::nullopt},
  };
  for (const auto& [what, bytes, expected] : cases) {
    const std::optional<PixSize> size = image_size(bytes);
    EXPECT_EQ(size ? Size(std::pair(int(size->width), int(size->height))) : std::nullopt, expected)
        << what;
  }
}

}  // namespace
}  // namespace gaugehost
