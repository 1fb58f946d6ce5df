#include "drawing/PZBgndRules.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "framework/BitmapFile.h"

namespace {

// A picture in the bitmap file format with a small colour table.
BmpImage Picture(int w, int h, int bits, int colours) {
  BmpImage img;
  img.Width = w;
  img.Height = h;
  img.BitCount = bits;
  for (int i = 0; i < colours; ++i)
    img.ColorTable.push_back(BmpColor{std::uint8_t(i * 3), std::uint8_t(i * 5), std::uint8_t(i * 7), 0});
  img.Bits.assign(img.Stride() * std::size_t(h), 0x5A);
  return img;
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

}  // namespace

TEST(PZBgndRules, ReadsHeadersAndColourTables) {
  struct Case {
    int bits, tableEntries;
    std::size_t colours;
  } cases[] = {{1, 2, 2}, {4, 16, 16}, {4, 5, 5}, {8, 256, 256}, {8, 3, 3}, {24, 0, 0}, {32, 0, 0}};
  for (const Case& c : cases) {
    std::vector<std::uint8_t> file = EncodeBmpFile(Picture(5, 3, c.bits, c.tableEntries));
    BgndPicture p = ReadBgndPicture(file.data(), file.size());
    EXPECT_EQ(c.bits, p.BitCount);
    EXPECT_EQ(5, p.Width);
    EXPECT_EQ(3, p.Height);
    ASSERT_EQ(c.colours, p.Colours.size()) << c.bits;
    if (c.colours > 2) {
      EXPECT_EQ(0x0E0A06u, p.Colours[2]);  // red 2 * 7, green 10, blue 6
    }
    EXPECT_EQ(p.RowsSize(), p.BitsSize);
    EXPECT_EQ(0x5A, file[p.BitsOffset]);
  }
}

// Damaged and hostile headers give the message, never a read past the data.
TEST(PZBgndRules, RefusesWhatIsNoPlainBitmap) {
  const std::vector<std::uint8_t> good = EncodeBmpFile(Picture(4, 4, 8, 16));
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"core header", [](auto& b) { Put32(b, 14, 12); }, "Invalid bitmap image"},
      {"two planes", [](auto& b) { b[26] = 2; }, "Invalid bitmap image"},
      {"RLE8", [](auto& b) { Put32(b, 30, 1); }, "Unsupported bitmap image"},
      {"bit fields", [](auto& b) { Put32(b, 30, 3); }, "Unsupported bitmap image"},
      {"truncated rows", [](auto& b) { b.resize(b.size() - 1); }, "Invalid bitmap image"},
      {"truncated header", [](auto& b) { b.resize(30); }, "Invalid bitmap image"},
      {"nothing", [](auto& b) { b.clear(); }, "Invalid bitmap image"},
      {"2^31 colours", [](auto& b) { Put32(b, 46, 0x80000000u); }, "Invalid bitmap image"},
      {"depth 7", [](auto& b) { b[28] = 7; }, "Invalid bitmap image"},
      {"width 0", [](auto& b) { Put32(b, 18, 0); }, "Invalid bitmap image"},
      {"huge width", [](auto& b) { Put32(b, 18, 0x7FFFFFFF); }, "Invalid bitmap image"},
      {"image size smaller than rows", [](auto& b) { Put32(b, 34, 3); }, "Invalid bitmap image"},
      {"image size larger than data", [](auto& b) { Put32(b, 34, 1 << 30); }, nullptr},
      {"top-down", [](auto& b) { Put32(b, 22, std::uint32_t(-4)); }, nullptr},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> b = good;
    c.damage(b);
    if (!c.message) {
      EXPECT_NO_THROW(ReadBgndPicture(b.data(), b.size())) << c.what;
      continue;
    }
    try {
      ReadBgndPicture(b.data(), b.size());
      ADD_FAILURE() << c.what << " accepted";
    } catch (const BgndPictureError& e) {
      EXPECT_STREQ(c.message, e.what()) << c.what;
    }
  }
}

TEST(PZBgndRules, BrightnessAndNearestColours) {
  EXPECT_EQ(0, ScaleChannel(0, 140));
  EXPECT_EQ(255, ScaleChannel(255, 140));  // clipped
  EXPECT_EQ(255, ScaleChannel(183, 140));  // 256.2
  EXPECT_EQ(251, ScaleChannel(179, 140));  // 250.6 rounds up
  EXPECT_EQ(61, ScaleChannel(101, 60));    // 60.6
  EXPECT_EQ(0x3D0C06u, ScaleColour(0x65140A, 60));

  const std::vector<std::uint32_t> pal{0x000000, 0x808080, 0x7F8081, 0xFFFFFF};
  EXPECT_EQ(1, NearestColour(pal, 0x808080));
  EXPECT_EQ(1, NearestColour(pal, 0x7F8080));  // distance 1 to both: the lower index
  EXPECT_EQ(3, NearestColour(pal, 0xF0F0F0));
  EXPECT_EQ(-1, NearestColour({}, 0x123456));

  // Each index once: the darker colours of the same palette.
  const std::vector<std::uint32_t> ramp{0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xFFFFFF};
  std::vector<std::uint8_t> px{4, 3, 2, 1, 0, 4, 9};
  RecolourIndices(px.data(), px.size(), ramp, ramp, 50);
  // Halves fall between two entries: the lower wins; 9 is past the table: black.
  EXPECT_EQ((std::vector<std::uint8_t>{2, 1, 1, 0, 0, 2, 0}), px);
  std::vector<std::uint8_t> bytes{10, 100, 200, 255};
  ScaleBytes(bytes.data(), bytes.size(), 140);
  EXPECT_EQ((std::vector<std::uint8_t>{14, 140, 255, 255}), bytes);

  const std::vector<std::uint32_t> a{1, 2, 3}, b{3, 4, 5, 6};
  EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3, 4, 5}), MergePalettes({&a, &b}, 5));
}

// Tiles follow the phase, whatever its sign, and cover the area once;
// neighbouring areas with phases of one system continue the texture.
TEST(PZBgndRules, TilesContinueAcrossAreasAndCentre) {
  auto texture = [](int x, int y) { return ((x % 7 + 7) % 7) * 100 + (y % 5 + 5) % 5; };
  struct Area {
    BgndRect r;
    int px, py;
  } areas[] = {{{3, 2, 40, 19}, 13, -8}, {{0, 0, 1, 1}, -1, -1}, {{-5, -5, 30, 3}, 0, 0}};
  for (const Area& a : areas) {
    std::map<std::pair<int, int>, int> painted;
    TilePieces(a.r, a.px, a.py, 7, 5, [&](const BgndPiece& p) {
      EXPECT_GE(p.SrcX, 0);
      EXPECT_LE(p.SrcX + p.Width, 7);
      EXPECT_LE(p.SrcY + p.Height, 5);
      for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x) {
          EXPECT_TRUE(painted.emplace(std::pair{p.X + x, p.Y + y}, texture(p.SrcX + x, p.SrcY + y)).second);
        }
    });
    EXPECT_EQ(std::size_t(a.r.Right - a.r.Left) * (a.r.Bottom - a.r.Top), painted.size());
    for (auto& [xy, v] : painted)  // the pixel of the phase system
      EXPECT_EQ(texture(a.px + xy.first - a.r.Left, a.py + xy.second - a.r.Top), v);
  }

  // A pattern brush with the origin given shows the phase's pixel at the
  // device corner, whatever the signs.
  for (auto [dx, dy, px, py] : {std::array<int, 4>{0, 0, 0, 0}, {37, -5, 13, -8}, {-100, 4, -3, 999}}) {
    int ox = -1, oy = -1;
    BrushOrigin(dx, dy, px, py, 7, 5, ox, oy);
    EXPECT_TRUE(ox >= 0 && ox < 7 && oy >= 0 && oy < 5);
    EXPECT_EQ(((px % 7) + 7) % 7, (((dx - ox) % 7) + 7) % 7);
    EXPECT_EQ(((py % 5) + 5) % 5, (((dy - oy) % 5) + 5) % 5);
  }

  BgndPiece p;
  ASSERT_TRUE(CentrePiece({0, 0, 100, 60}, {0, 0, 100, 60}, 21, 11, p));
  EXPECT_EQ(50 - 10, p.X);
  EXPECT_EQ(30 - 5, p.Y);
  EXPECT_EQ(0, p.SrcX);
  EXPECT_EQ(21, p.Width);
  ASSERT_TRUE(CentrePiece({0, 0, 10, 10}, {0, 0, 3, 10}, 21, 11, p));  // only the part in the area
  EXPECT_EQ(0, p.X);
  EXPECT_EQ(10 - 5, p.SrcX);
  EXPECT_EQ(3, p.Width);
  EXPECT_FALSE(CentrePiece({0, 0, 100, 60}, {0, 0, 10, 10}, 4, 4, p));
}
