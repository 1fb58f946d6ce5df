#include "drawing/PZShadeBands.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kBlue = 0xFF0000, kSilver = 0xC0C0C0, kBlack = 0, kWhite = 0xFFFFFF;

struct Bands : ShadeSink {
  std::vector<ShadeBand> All;
  void Fill(const ShadeBand& b) override { All.push_back(b); }
};

// Paints the bands into a picture; 0xFF000000 marks pixels no band covered.
struct Raster : ShadeSink {
  int W, H;
  std::vector<std::uint32_t> Px;
  int Overlaps = 0;
  Raster(int w, int h) : W(w), H(h), Px(std::size_t(w) * h, 0xFF000000) {}
  void Fill(const ShadeBand& b) override {
    for (int y = std::max(0, b.Top); y < std::min(H, b.Bottom); ++y)
      for (int x = std::max(0, b.Left); x < std::min(W, b.Right); ++x) {
        std::uint32_t& p = Px[std::size_t(y) * W + x];
        if (p != 0xFF000000) ++Overlaps;
        p = b.Rgb;
      }
  }
  std::uint32_t At(int x, int y) const { return Px[std::size_t(y) * W + x]; }
};

std::uint32_t Rgb(int r, int g, int b) { return std::uint32_t(r) | (g << 8) | (b << 16); }

}  // namespace

// The frame's title strip: 193 wide, horizontal, graduation 25, blue to silver.
TEST(PZShadeBands, WorkedExampleOfTheTitleStrip) {
  Bands b;
  ShadeBands(drHorizontal, 193, 14, 25, kBlue, kSilver, b);
  ASSERT_EQ(49u, b.All.size());
  for (int k = 0; k < 49; ++k) {
    const ShadeBand& band = b.All[k];
    EXPECT_EQ(4 * k, band.Left) << k;
    EXPECT_EQ(std::min(4 * k + 4, 193), band.Right) << k;
    EXPECT_EQ(0, band.Top);
    EXPECT_EQ(14, band.Bottom);
    const int blue = int((255 * 65536 - 86016 * k) >> 16);
    EXPECT_EQ(Rgb(4 * k, 4 * k, blue), band.Rgb) << k;
  }
  EXPECT_EQ(Rgb(0, 0, 255), b.All[0].Rgb);
  EXPECT_EQ(Rgb(4, 4, 253), b.All[1].Rgb);
  EXPECT_EQ(Rgb(96, 96, 223), b.All[24].Rgb);
  EXPECT_EQ(Rgb(188, 188, 193), b.All[47].Rgb);
  EXPECT_EQ(Rgb(192, 192, 192), b.All[48].Rgb);
  EXPECT_EQ(192, b.All[48].Left);
  EXPECT_EQ(193, b.All[48].Right);
}

TEST(PZShadeBands, BandWidthsAndPlainFills) {
  struct Case {
    TPZDirection dir;
    int w, h, graduation;
    std::size_t bands;
    int firstExtent;  // of the first band along the direction
  } cases[] = {
      {drVertical, 30, 250, 100, 250, 1},  // 1 pixel each
      {drVertical, 30, 250, 1, 3, 100},    // 100 pixels each
      {drHorizontal, 250, 30, 1, 3, 100},
      {drHorizontal, 250, 30, 0, 1, 250},  // one band over the whole width
      {drHorizontal, 3, 30, 25, 1, 3},     // narrower than one band: n = 0
      {drVerticalInOut, 30, 250, 0, 1, 250},  // half of one band is 0
      {drHorizontalInOut, 6, 30, 25, 1, 6},   // one band and a half
      {drDiagonalLeftRight, 3, 300, 25, 1, 3},
      {drDiagonalRightLeft, 300, 1, 25, 1, 300},  // a height of 1: no band high
      {drVerticalInOut, 300, 1, 100, 1, 1},       // one band: half of it is 0
  };
  for (const Case& c : cases) {
    Bands b;
    ShadeBands(c.dir, c.w, c.h, c.graduation, kBlack, kWhite, b);
    ASSERT_EQ(c.bands, b.All.size()) << c.dir << " " << c.w << "x" << c.h;
    const ShadeBand& f = b.All[0];
    const bool alongX = c.dir == drHorizontal || c.dir == drHorizontalInOut ||
                        c.dir == drDiagonalLeftRight || c.dir == drDiagonalRightLeft;
    EXPECT_EQ(c.firstExtent, alongX ? f.Right - f.Left : f.Bottom - f.Top) << c.dir;
    if (c.bands == 1) {
      EXPECT_EQ(kBlack, f.Rgb);  // the start colour
    }
  }

  // Equal colours: a plain fill, whatever the direction.
  for (int dir = drVertical; dir <= drDiagonalRightLeft; ++dir) {
    Raster r(57, 43);
    ShadeBands(TPZDirection(dir), 57, 43, 25, 0x336699, 0x336699, r);
    for (std::uint32_t p : r.Px) ASSERT_EQ(0x336699u, p) << dir;
  }
}

// Every pixel is covered exactly once in every direction, also when the size
// is no multiple of the band; the colours run from start towards end; a clip
// gives the same pixels as the full fill, and all of them inside the clip.
TEST(PZShadeBands, CoverEveryPixelOnceAndClipExactly) {
  const int sizes[][2] = {{97, 61}, {1, 1}, {400, 3}, {2, 399}};
  for (int dir = drVertical; dir <= drDiagonalRightLeft; ++dir)
    for (auto [w, h] : sizes)
      for (int g : {0, 7, 25, 100}) {
        Raster full(w, h);
        ShadeBands(TPZDirection(dir), w, h, g, kBlack, kWhite, full);
        EXPECT_EQ(0, full.Overlaps) << dir << " " << w << "x" << h << " g" << g;
        for (std::uint32_t p : full.Px) ASSERT_NE(0xFF000000u, p) << dir << " " << w << "x" << h;
        EXPECT_EQ(kBlack, full.At(dir == drDiagonalRightLeft ? w - 1 : 0, 0)) << dir;

        const ShadeClip clip{w / 3, h / 4, w / 3 + w / 2 + 1, h / 4 + h / 2 + 1};
        Raster part(w, h);
        ShadeBands(TPZDirection(dir), w, h, g, kBlack, kWhite, clip, part);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const bool inside = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
            // Bands that meet the clip come whole; none lies outside it.
            if (inside || part.At(x, y) != 0xFF000000u) {
              ASSERT_EQ(full.At(x, y), part.At(x, y)) << dir << " " << x << "," << y;
            }
          }
      }

  // In-out: start colour at both edges, nearly the end colour in the middle.
  Raster io(100, 10);
  ShadeBands(drHorizontalInOut, 100, 10, 10, kBlack, kWhite, io);
  EXPECT_EQ(kBlack, io.At(0, 5));
  EXPECT_EQ(kBlack, io.At(99, 5));
  EXPECT_GT(io.At(50, 5) & 0xFF, 0xC0u);
  // Diagonal: the far corner nearly reaches the end colour.
  Raster d(100, 100);
  ShadeBands(drDiagonalLeftRight, 100, 100, 10, kBlack, kWhite, d);
  EXPECT_GT(d.At(99, 99) & 0xFF, 0xE0u);
  EXPECT_LT(d.At(99, 0) & 0xFF, 0x90u);
}

// Huge extents neither overflow nor take time beyond the clipped bands.
TEST(PZShadeBands, HugeAreasStayWithinTheClip) {
  for (int dir = drVertical; dir <= drDiagonalRightLeft; ++dir) {
    Bands b;
    ShadeBands(TPZDirection(dir), 2000000000, 2000000000, 100, kBlue, kSilver,
               ShadeClip{1000, 1000, 1100, 1050}, b);
    ASSERT_FALSE(b.All.empty()) << dir;
    EXPECT_LE(b.All.size(), 101u * 51u) << dir;
    for (const ShadeBand& band : b.All) {
      EXPECT_LT(band.Left, 1100);
      EXPECT_GT(band.Right, 1000);
    }
  }
}
