#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/geometry.hpp"
#include "gfx/image.hpp"

namespace tavu {
namespace {

TEST(Pictures, TheProgramsOwnJpegsDecode) {
  const std::pair<const char*, Size> pictures[] = {
      {"welcome.jpg", {990, 560}}, {"ontop.jpg", {665, 741}}, {"power.jpg", {33, 32}},
      {"exit.jpg", {33, 32}},      {"alarm.jpg", {50, 50}},   {"deco.jpg", {561, 69}}};
  for (auto [name, size] : pictures) {
    std::ifstream in(std::string(TAVU_SOURCE_DIR) + "/src/resources/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(JpegSize(bytes), std::optional<Size>(size)) << name;
    auto image = DecodeJpeg(bytes);
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->width, size.w) << name;
    EXPECT_EQ(image->height, size.h) << name;
  }
}

TEST(Pictures, BrokenDataIsRefusedNotCrashedOn) {
  std::ifstream in(std::string(TAVU_SOURCE_DIR) + "/src/resources/welcome.jpg", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_FALSE(DecodeJpeg(""));
  EXPECT_FALSE(DecodeJpeg("not a picture at all"));
  EXPECT_FALSE(DecodeJpeg(bytes.substr(0, 120)));  // cut inside the header
  EXPECT_FALSE(JpegSize("not a picture at all"));
  EXPECT_FALSE(JpegSize(bytes.substr(0, 120)));
  auto cut = DecodeJpeg(bytes.substr(0, 5000));  // cut in the data: the rest stays grey
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->pixels.size(), 990u * 560u);
  for (size_t i = 800; i < bytes.size(); i += 97) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  auto damaged = DecodeJpeg(bytes);  // may decode with artefacts or be refused; never crash
  if (damaged) {
    EXPECT_EQ(damaged->pixels.size(), 990u * 560u);
  }
}

TEST(Pictures, ScalingKeepsFlatColoursAndCorners) {
  Image src{2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}};
  Image big = ScaleImage(src, 8, 8);
  ASSERT_EQ(big.pixels.size(), 64u);
  EXPECT_EQ(big.pixels[0], 0xFF0000u);
  EXPECT_EQ(big.pixels[7], 0x00FF00u);
  EXPECT_EQ(big.pixels[56], 0x0000FFu);
  EXPECT_EQ(big.pixels[63], 0xFFFFFFu);
  Image flat{3, 3, std::vector<uint32_t>(9, 0x336699)};
  for (uint32_t p : ScaleImage(flat, 7, 2).pixels) EXPECT_EQ(p, 0x336699u);
  EXPECT_TRUE(ScaleImage(src, 0, 5).Empty());
}

TEST(Pictures, ScalingIntoForeignPixelsKeepsToItsRows) {
  Image src{3, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203}};
  const Image whole = ScaleImage(src, 5, 4);
  const uint32_t kPad = 0xDEADBEEF;
  std::vector<uint32_t> store(7 * 4, kPad);  // rows of 5 pixels, 7 apart
  ScaleImage(src, PixelBuffer{store.data(), 5, 4, 7});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 7; ++x) {
      const uint32_t got = store[static_cast<size_t>(y) * 7 + x];
      EXPECT_EQ(got, x < 5 ? whole.pixels[static_cast<size_t>(y) * 5 + x] : kPad) << x << ", " << y;
    }
  }
  ScaleImage(Image{}, PixelBuffer{store.data(), 5, 4, 7});  // nothing to scale: untouched
  EXPECT_EQ(store[0], whole.pixels[0]);
}

}  // namespace
}  // namespace tavu
