// The bitmap file reader and writer: round trips at every depth, the layouts
// other writers produce (top-down, bit fields, run lengths, OS/2 headers),
// and damaged or lying files, which must be refused without reading past the
// data (this file also runs under AddressSanitizer).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "framework/BitmapFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void Poke32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A picture with pseudo-random pixels; the row padding stays zero.
BmpImage RandomImage(int w, int h, int bits, bool b565, unsigned seed) {
  BmpImage img;
  img.Width = w;
  img.Height = h;
  img.BitCount = bits;
  img.BitFields565 = b565;
  std::mt19937 rng(seed);
  if (bits <= 8) {
    int n = bits == 8 ? 200 : 1 << bits;  // 8 bits: a shorter table than 256
    for (int i = 0; i < n; ++i)
      img.ColorTable.push_back(BmpColor{static_cast<std::uint8_t>(rng()),
                                        static_cast<std::uint8_t>(rng()),
                                        static_cast<std::uint8_t>(rng()), 0});
  }
  img.Bits.assign(img.Stride() * h, 0);
  const std::size_t used = (static_cast<std::size_t>(w) * bits + 7) / 8;
  for (int y = 0; y < h; ++y)
    for (std::size_t i = 0; i < used; ++i) {
      std::uint8_t v = static_cast<std::uint8_t>(rng());
      if (bits == 8) v %= 200;
      img.Bits[y * img.Stride() + i] = v;
    }
  // Clear the bits beyond the last pixel of a partly used byte.
  const int spare = static_cast<int>(used * 8 - static_cast<std::size_t>(w) * bits);
  if (spare)
    for (int y = 0; y < h; ++y) img.Bits[y * img.Stride() + used - 1] &= 0xFF << spare;
  return img;
}

// A file header and a 40-byte info header.
Bytes Headers(int w, int h, int bits, std::uint32_t compression, std::uint32_t used,
              std::uint32_t offset, std::uint32_t sizeImage = 0) {
  Bytes b = {'B', 'M'};
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(w));
  Put32(b, static_cast<std::uint32_t>(h));
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(bits));
  Put32(b, compression);
  Put32(b, sizeImage);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, used);
  Put32(b, 0);
  return b;
}

BmpImage Decode(const Bytes& b) { return DecodeBmpFile(b.data(), b.size()); }

BmpError::Kind RefusalOf(const Bytes& b, int line) {
  try {
    Decode(b);
  } catch (const BmpError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "the file of line " << line << " was accepted";
  return BmpError::Invalid;
}

#define RefusalOfAt(b) RefusalOf(b, __LINE__)

}  // namespace

TEST(BitmapFileRoundTrip, EveryDepthComesBackExactlyAndSavesDeterministically) {
  struct Case { int bits; bool b565; };
  for (Case c : {Case{1, false}, Case{4, false}, Case{8, false}, Case{16, false},
                 Case{16, true}, Case{24, false}, Case{32, false}}) {
    for (int w : {1, 3, 7, 33}) {
      SCOPED_TRACE(testing::Message() << c.bits << " bits, width " << w);
      BmpImage img = RandomImage(w, 5, c.bits, c.b565, 42u + w + c.bits);
      Bytes file = EncodeBmpFile(img);
      EXPECT_EQ(file, EncodeBmpFile(img));
      BmpImage back = Decode(file);
      EXPECT_EQ(back.Width, w);
      EXPECT_EQ(back.Height, 5);
      EXPECT_EQ(back.BitCount, c.bits);
      EXPECT_EQ(back.BitFields565, c.b565);
      EXPECT_EQ(back.ColorTable, img.ColorTable);
      EXPECT_EQ(back.Bits, img.Bits);
      EXPECT_EQ(EncodeBmpFile(back), file);
    }
  }
}

TEST(BitmapFileRoundTrip, WrittenHeadersAreThePlainInfoHeader) {
  Bytes file = EncodeBmpFile(RandomImage(3, 2, 8, false, 1));
  ASSERT_GE(file.size(), 54u);
  auto u32 = [&](std::size_t at) {
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (file[at + 3] << 24);
  };
  EXPECT_EQ(u32(2), file.size());        // file size
  EXPECT_EQ(u32(10), 54u + 200 * 4);     // pixel offset after a 200-entry table
  EXPECT_EQ(u32(14), 40u);               // info header size
  EXPECT_EQ(file[26] | (file[27] << 8), 1);  // planes
  EXPECT_EQ(u32(30), 0u);                // uncompressed
  EXPECT_EQ(u32(46), 200u);              // colours used
  BmpImage empty;
  empty.Width = 0;
  EXPECT_THROW(EncodeBmpFile(empty), BmpError);
}

TEST(BitmapFileLayouts, TopDownRowsAreTurnedOver) {
  Bytes b = Headers(2, -2, 24, 0, 0, 54);
  // Top row: red, green; bottom row: blue, white (each row padded to 8 bytes).
  Bytes top = {0, 0, 255, 0, 255, 0, 0, 0};
  Bytes bottom = {255, 0, 0, 255, 255, 255, 0, 0};
  b.insert(b.end(), top.begin(), top.end());
  b.insert(b.end(), bottom.begin(), bottom.end());
  BmpImage img = Decode(b);
  EXPECT_EQ(img.Height, 2);
  Bytes want = bottom;
  want.insert(want.end(), top.begin(), top.end());
  EXPECT_EQ(img.Bits, want);
}

TEST(BitmapFileLayouts, BitFieldsKeepKnownLayoutsAndConvertOthers) {
  {  // 5-6-5
    Bytes b = Headers(1, 1, 16, 3, 0, 66);
    for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) Put32(b, m);
    Put32(b, 0xF800);
    BmpImage img = Decode(b);
    EXPECT_EQ(img.BitCount, 16);
    EXPECT_TRUE(img.BitFields565);
  }
  {  // 5-5-5 written as bit fields
    Bytes b = Headers(1, 1, 16, 3, 0, 66);
    for (std::uint32_t m : {0x7C00u, 0x03E0u, 0x001Fu}) Put32(b, m);
    Put32(b, 0x7C00);
    BmpImage img = Decode(b);
    EXPECT_EQ(img.BitCount, 16);
    EXPECT_FALSE(img.BitFields565);
  }
  {  // 32 bits as red, green, blue, alpha from the top byte down
    Bytes b = Headers(2, 1, 32, 3, 0, 66);
    for (std::uint32_t m : {0xFF000000u, 0x00FF0000u, 0x0000FF00u}) Put32(b, m);
    Put32(b, 0x11223344);
    Put32(b, 0xFF000000);
    BmpImage img = Decode(b);
    EXPECT_EQ(img.BitCount, 32);
    Bytes want = {0x33, 0x22, 0x11, 0, 0, 0, 0xFF, 0};
    EXPECT_EQ(img.Bits, want);
  }
  {  // 16 bits 4-4-4-4 with alpha in a V3 header (masks inside the header)
    Bytes b = {'B', 'M'};
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 14 + 56);
    Put32(b, 56);
    Put32(b, 1);
    Put32(b, 1);
    Put16(b, 1);
    Put16(b, 16);
    Put32(b, 3);
    for (int i = 0; i < 5; ++i) Put32(b, 0);
    for (std::uint32_t m : {0x0F00u, 0x00F0u, 0x000Fu, 0xF000u}) Put32(b, m);
    Put32(b, 0x0F80);  // red full, green half, blue none, alpha none
    BmpImage img = Decode(b);
    EXPECT_EQ(img.BitCount, 32);
    Bytes want = {0, 0x88, 0xFF, 0};
    EXPECT_EQ(img.Bits, want);
  }
}

TEST(BitmapFileLayouts, RunLengthPicturesDecode) {
  {  // RLE8 4x3: a run, an end of line, a literal of odd length, a jump, the end
    Bytes data = {3, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 0, 2, 9, 5, 5, 0, 1};
    Bytes b = Headers(4, 3, 8, 1, 2, 54 + 8, static_cast<std::uint32_t>(data.size()));
    Put32(b, 0);
    Put32(b, 0x00FFFFFF);
    b.insert(b.end(), data.begin(), data.end());
    BmpImage img = Decode(b);
    EXPECT_EQ(img.BitCount, 8);
    EXPECT_EQ(img.ColorTable.size(), 2u);
    Bytes want = {7, 7, 7, 0,   // bottom row: the run
                  1, 2, 3, 0,   // the literal; end of line, then a jump to (1, 2)
                  0, 9, 9, 5};  // a run of 9s and one 5 kept, the rest beyond the row
    EXPECT_EQ(img.Bits, want);
  }
  {  // RLE4 3x1: a run of alternating nibbles, then a literal
    Bytes data = {2, 0x12, 0, 3, 0x45, 0x60, 0, 1};
    Bytes b = Headers(5, 1, 4, 2, 16, 54 + 64);
    for (int i = 0; i < 16; ++i) Put32(b, static_cast<std::uint32_t>(i * 0x111111));
    b.insert(b.end(), data.begin(), data.end());
    BmpImage img = Decode(b);
    Bytes want = {0x12, 0x45, 0x60, 0};
    EXPECT_EQ(img.BitCount, 4);
    EXPECT_EQ(img.Bits, want);
  }
}

TEST(BitmapFileLayouts, OldHeadersShortTablesAndResources) {
  {  // OS/2 1.x: 12-byte header, 3-byte colour entries
    Bytes b = {'B', 'M'};
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 14 + 12 + 6);
    Put32(b, 12);
    Put16(b, 2);
    Put16(b, 1);
    Put16(b, 1);
    Put16(b, 1);
    b.insert(b.end(), {10, 20, 30, 40, 50, 60});
    Put32(b, 0x40);  // pixel 1 set
    BmpImage img = Decode(b);
    ASSERT_EQ(img.ColorTable.size(), 2u);
    EXPECT_EQ(img.ColorTable[1], (BmpColor{40, 50, 60, 0}));
    EXPECT_EQ(img.Bits[0], 0x40);
  }
  {  // the pixel offset leaves room for 2 of the 16 colours
    Bytes b = Headers(1, 1, 4, 0, 0, 54 + 8);
    Put32(b, 0x112233);
    Put32(b, 0x445566);
    Put32(b, 0x10000000);
    BmpImage img = Decode(b);
    EXPECT_EQ(img.ColorTable.size(), 2u);
  }
  {  // a resource: the DIB without the file header
    Bytes file = EncodeBmpFile(RandomImage(9, 4, 4, false, 3));
    BmpImage img = DecodeDib(file.data() + 14, file.size() - 14);
    EXPECT_EQ(img.Bits, Decode(file).Bits);
    EXPECT_EQ(img.ColorTable.size(), 16u);
  }
}

TEST(BitmapFileDamage, LyingHeadersAreRefused) {
  const Bytes good = EncodeBmpFile(RandomImage(4, 4, 8, false, 9));
  auto with32 = [&](std::size_t at, std::uint32_t v) {
    Bytes b = good;
    Poke32(b, at, v);
    return b;
  };
  EXPECT_EQ(RefusalOfAt(with32(10, 0x7FFFFFF0)), BmpError::Invalid);   // offset beyond the data
  EXPECT_EQ(RefusalOfAt(with32(10, 20)), BmpError::Invalid);           // offset inside the header
  EXPECT_EQ(RefusalOfAt(with32(14, 41)), BmpError::Invalid);           // unknown header size
  EXPECT_EQ(RefusalOfAt(with32(18, 0)), BmpError::Invalid);            // no width
  EXPECT_EQ(RefusalOfAt(with32(18, 0x80000000)), BmpError::Invalid);  // negative width
  EXPECT_EQ(RefusalOfAt(with32(18, 100000)), BmpError::Invalid);       // more pixels than data
  EXPECT_EQ(RefusalOfAt(with32(22, 0x80000000)), BmpError::Invalid);  // height -2^31
  EXPECT_EQ(RefusalOfAt(with32(18, 65536)), BmpError::Invalid);        // 65536 x 65536 pixels
  Bytes planes = good;
  planes[26] = 2;
  EXPECT_EQ(RefusalOfAt(planes), BmpError::Invalid);
  Bytes depth = good;
  depth[28] = 7;
  EXPECT_EQ(RefusalOfAt(depth), BmpError::Invalid);
  depth[28] = 2;
  EXPECT_EQ(RefusalOfAt(depth), BmpError::Unsupported);
  EXPECT_EQ(RefusalOfAt(with32(30, 4)), BmpError::Unsupported);         // JPEG inside
  EXPECT_EQ(RefusalOfAt(with32(30, 2)), BmpError::Invalid);             // RLE4 at 8 bits
  // More colours used than 8 bits can index: the table the offset leaves room for.
  EXPECT_EQ(Decode(with32(46, 0xFFFFFFFF)).ColorTable.size(), 200u);
  Bytes magic = good;
  magic[0] = 'X';
  EXPECT_EQ(RefusalOfAt(magic), BmpError::Invalid);
  // Huge colours-used counts above 8 bits must not wrap the offset sum.
  Bytes deep = EncodeBmpFile(RandomImage(2, 2, 24, false, 4));
  Poke32(deep, 46, 0x40000001);
  EXPECT_THROW(DecodeDib(deep.data() + 14, deep.size() - 14), BmpError);
  // A top-down run-length picture does not exist.
  Bytes rle = Headers(2, -2, 8, 1, 2, 62);
  Put32(rle, 0);
  Put32(rle, 0);
  Put16(rle, 1 << 8);
  EXPECT_EQ(RefusalOfAt(rle), BmpError::Invalid);
}

TEST(BitmapFileDamage, EveryTruncationIsRefused) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    const Bytes good = EncodeBmpFile(RandomImage(5, 3, bits, false, 11u + bits));
    for (std::size_t n = 0; n < good.size(); ++n) {
      Bytes cut(good.begin(), good.begin() + n);
      EXPECT_THROW(Decode(cut), BmpError) << bits << " bits cut to " << n << " bytes";
      if (n >= 14) {
        EXPECT_THROW(DecodeDib(cut.data() + 14, n - 14), BmpError);
      }
    }
  }
  EXPECT_THROW(DecodeBmpFile(nullptr, 0), BmpError);
  EXPECT_THROW(DecodeDib(nullptr, 100), BmpError);
}

TEST(BitmapFileDamage, CutRunLengthCommandsAreRefused) {
  // A literal of 200 bytes announced, 4 there.
  Bytes b = Headers(300, 1, 8, 1, 2, 62);
  Put32(b, 0);
  Put32(b, 0);
  b.insert(b.end(), {0, 200, 1, 2, 3, 4});
  EXPECT_EQ(RefusalOfAt(b), BmpError::Invalid);
  // A jump missing its second byte.
  Bytes j = Headers(3, 3, 8, 1, 2, 62);
  Put32(j, 0);
  Put32(j, 0);
  j.insert(j.end(), {0, 2, 1});
  EXPECT_EQ(RefusalOfAt(j), BmpError::Invalid);
}

// A run-length picture needs data: 64 bytes that claim 1 x 33,554,432 pixels
// made the reader allocate and zero 128 MB. Refused are pictures whose data
// could not fill them even with the longest runs, and pictures whose rows
// would take more bytes than the size limit allows for their depth.
TEST(BitmapFileDamage, PicturesTheirDataCannotFillAreRefused) {
  struct Case {
    int w, h, bits;
    std::uint32_t compression;
    std::size_t dataBytes;
    bool accepted;
  };
  const Case cases[] = {
      {1, 1 << 25, 8, 1, 2, false},        // the 64-byte file
      {1, 1 << 24, 8, 1, 1 << 18, false},  // enough data, but 64 MB of rows
      {255, 2, 8, 1, 2, false},            // 510 pixels, one run's worth of data
      {255, 2, 8, 1, 4, true},
      {510, 1, 4, 2, 4, true},
      {511, 1, 4, 2, 4, false},
      {1, 1 << 20, 1, 0, 1 << 22, true},  // plain rows are in the file
  };
  for (const Case& c : cases) {
    const std::uint32_t used = c.bits <= 8 ? 2 : 0;
    Bytes b = Headers(c.w, c.h, c.bits, c.compression, used, 54 + 4 * used);
    for (std::uint32_t i = 0; i < used; ++i) Put32(b, 0x00FFFFFF * i);
    // End of picture first, then padding: a valid stream of the given size.
    b.push_back(0);
    b.push_back(1);
    b.resize(b.size() - 2 + c.dataBytes, 0);
    if (c.accepted) {
      EXPECT_NO_THROW(Decode(b)) << c.w << " x " << c.h;
    } else {
      EXPECT_EQ(RefusalOfAt(b), BmpError::Invalid) << c.w << " x " << c.h;
    }
  }
}
