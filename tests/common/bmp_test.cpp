#include "common/bmp.h"

#include <gtest/gtest.h>

namespace crv5::common {
namespace {

RgbaImage checker() {
  RgbaImage image{3, 2, {}};
  const uint8_t pixels[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
                            0,   0, 0, 255, 9, 8,   7, 255, 200, 100, 50, 255};
  image.pixels.assign(std::begin(pixels), std::end(pixels));
  return image;
}

TEST(Bmp, WrittenFilesReadBackWithBlackTransparent) {
  const std::vector<uint8_t> file = write_bmp(checker());
  RgbaImage read;
  std::string error;
  ASSERT_TRUE(read_bmp(file, read, error)) << error;
  ASSERT_EQ(read.width, 3);
  ASSERT_EQ(read.height, 2);
  RgbaImage expected = checker();
  expected.pixels[3 * 4 + 3] = 0;  // the black pixel is the transparent colour
  EXPECT_EQ(read.pixels, expected.pixels);
}

// An 8-bit file of 2 x 2 pixels, stored top-down, with a colour table of two entries.
std::vector<uint8_t> eight_bit_file() {
  std::vector<uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,  // pixels at 62
                            40, 0, 0, 0, 2, 0, 0, 0, 0xfe, 0xff, 0xff, 0xff,  // 2 x -2
                            1, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            2, 0, 0, 0, 0, 0, 0, 0,
                            0x10, 0x20, 0x30, 0,  // colour 0: B G R
                            0, 0, 0, 0,           // colour 1: black
                            0, 1, 0, 0, 1, 0, 0, 0};  // rows padded to 4 bytes
  return f;
}

TEST(Bmp, EightBitTopDownFilesUseTheirColourTable) {
  RgbaImage read;
  std::string error;
  ASSERT_TRUE(read_bmp(eight_bit_file(), read, error)) << error;
  const std::vector<uint8_t> expected = {0x30, 0x20, 0x10, 255, 0, 0, 0, 0,
                                         0,    0,    0,    0,   0x30, 0x20, 0x10, 255};
  EXPECT_EQ(read.pixels, expected);
}

TEST(Bmp, DamagedFilesAreRefusedWithAReason) {
  const std::vector<uint8_t> good = write_bmp(checker());
  // `file` with the byte at `at` set to `value`.
  const auto with = [](std::vector<uint8_t> file, size_t at, uint8_t value) {
    file[at] = value;
    return file;
  };
  std::vector<uint8_t> colours_cut_short = eight_bit_file();
  colours_cut_short.resize(60);
  const struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "not a BMP file"},
      {"another format", {'P', 'N', 'G'}, "not a BMP file"},
      {"cut short", std::vector<uint8_t>(good.begin(), good.end() - 4), "pixel data cut short"},
      {"16 bits a pixel", with(good, 28, 16), "16 bits a pixel are not supported"},
      {"RLE", with(good, 30, 1), "compressed BMP files are not supported"},
      {"too wide", with(good, 19, 0x7f), "bad size"},  // width 32515
      // The pixel data's offset far past the end.
      {"pixels beyond the end", with(good, 13, 0x7f), "pixel data cut short"},
      {"colour table cut short", colours_cut_short, "colour table cut short"},
  };
  for (const Case& c : cases) {
    RgbaImage read;
    std::string error;
    EXPECT_FALSE(read_bmp(c.bytes, read, error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

}  // namespace
}  // namespace crv5::common
