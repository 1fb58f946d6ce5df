#include "framework/PictureScale.h"

#include <gtest/gtest.h>

namespace {
const std::vector<int> kAll = {96, 144, 192}, kOnly100 = {96}, kNo150 = {96, 192};
}  // namespace

TEST(PictureScale, ChoosesTheSetAndTheSize) {
  struct Case {
    int dpi;
    const std::vector<int>* available;
    int picture, texture, side16;
  } cases[] = {
      {96, &kAll, 96, 96, 16},      {72, &kAll, 96, 96, 12},     {110, &kAll, 144, 96, 18},
      {120, &kAll, 144, 144, 20},   {144, &kAll, 144, 144, 24},  {168, &kAll, 192, 192, 28},
      {192, &kAll, 192, 192, 32},   {240, &kAll, 192, 192, 40},  {144, &kOnly100, 96, 96, 24},
      {192, &kOnly100, 96, 96, 32}, {144, &kNo150, 192, 192, 24}, {120, &kNo150, 192, 96, 20},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.picture, PictureSetFor(c.dpi, *c.available)) << c.dpi;
    EXPECT_EQ(c.texture, TextureSetFor(c.dpi, *c.available)) << c.dpi;
    EXPECT_EQ(c.side16, ScaledSide(16, c.dpi)) << c.dpi;
  }
  EXPECT_EQ(8, ScaledSide(5, 144));     // 7.5: halves round up, as MulDiv does
  EXPECT_EQ(308, ScaledSide(205, 144));
}

TEST(PictureScale, NamesTheSiblings) {
  EXPECT_EQ("X_M", ScaledResourceName("X_M", 96));
  EXPECT_EQ("X_M_150", ScaledResourceName("X_M", 144));
  EXPECT_EQ("X_M_200", ScaledResourceName("X_M", 192));
  EXPECT_EQ("C:\\Skins\\Metal\\brushedmetal@200.bmp",
            ScaledFileName("C:\\Skins\\Metal\\brushedmetal.bmp", 192));
  EXPECT_EQ("C:\\a.b\\face@150", ScaledFileName("C:\\a.b\\face", 144));
  EXPECT_EQ("C:\\a.png", ScaledFileName("C:\\a.png", 96));
}

TEST(PictureScale, ResamplesByArea) {
  const PixelPicture two{2, 2, {0xFF000000, 0xFFFFFFFF, 0xFF00FF00, 0xFF0000FF}};
  struct Case {
    PixelPicture source;
    int w, h;
    std::vector<std::uint32_t> expected;
  } cases[] = {
      // Shrinking averages every colour by the share it covers.
      {two, 1, 1, {0xFF408080}},
      // A clear pixel's colour does not show; its share thins the alpha.
      {{2, 1, {0x00FF0000, 0xFF0000FF}}, 1, 1, {0x800000FF}},
      // Growing blends between pixel centres; the edges repeat.
      {{2, 1, {0xFF000000, 0xFF0000FF}}, 4, 1, {0xFF000000, 0xFF000040, 0xFF0000BF, 0xFF0000FF}},
      {two, 2, 2, two.Pixels},
  };
  for (const Case& c : cases) {
    const PixelPicture out = ResamplePixels(c.source, c.w, c.h);
    EXPECT_EQ(c.expected, out.Pixels) << c.w << "x" << c.h;
  }
  EXPECT_TRUE(ResamplePixels(two, 0, 3).Pixels.empty());
}

TEST(PictureScale, KeyedPicturesKeepTheirKeyAndTheirThinLines) {
  constexpr std::uint32_t K = 0xFF00FF, k = 0xFFFF00FF, ink = 0xFF102030;
  // A line one pixel wide in the middle of five, shrunk to four: it falls
  // across two target pixels and must still show in one.
  const PixelPicture line{5, 1, {k, k, ink, k, k}};
  const PixelPicture out = ResampleKeyed(line, K, 4, 1);
  ASSERT_EQ(4u, out.Pixels.size());
  EXPECT_EQ(k, out.Pixels[0]);
  EXPECT_EQ(k, out.Pixels[3]);
  EXPECT_TRUE(out.Pixels[1] == ink || out.Pixels[2] == ink);
  // Never a fringe mixed with the key: every pixel is the key or the ink.
  const PixelPicture grown = ResampleKeyed(line, K, 13, 3);
  for (std::uint32_t p : grown.Pixels) EXPECT_TRUE(p == k || p == ink) << std::hex << p;
  // A picture colour equal to the key after averaging is moved off it.
  const PixelPicture near{2, 1, {0xFFFE00FF, 0xFFFF00FE}};
  EXPECT_NE(k, ResampleKeyed(near, K, 1, 1).Pixels[0]);
}
