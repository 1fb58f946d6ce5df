// PNG and JPEG pictures into TBitmap. The test pictures are written here with
// libpng and libjpeg's compressor, in every PNG colour type, then read back
// through the framework.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include "framework/Bitmap.h"
#include "testkit/TestKit.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- writing PNGs -----------------------------------------------------------------
struct PngSpec {
  int Width = 0, Height = 0;
  int ColorType = PNG_COLOR_TYPE_RGB;
  int BitDepth = 8;
  std::vector<Bytes> Rows;           // packed as libpng takes them
  std::vector<png_color> Palette;    // palette pictures
  Bytes PaletteAlpha;                // tRNS for palette pictures
  bool GrayKey = false;              // tRNS for grey pictures
  png_uint_16 GrayKeyValue = 0;
  bool Interlaced = false;
};

void AppendData(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

Bytes WritePng(const PngSpec& s) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  for (const Bytes& r : s.Rows) rows.push_back(const_cast<png_bytep>(r.data()));
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the test picture";
    return {};
  }
  png_set_write_fn(png, &out, AppendData, nullptr);
  png_set_IHDR(png, info, s.Width, s.Height, s.BitDepth, s.ColorType,
               s.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!s.Palette.empty())
    png_set_PLTE(png, info, s.Palette.data(), static_cast<int>(s.Palette.size()));
  if (!s.PaletteAlpha.empty())
    png_set_tRNS(png, info, s.PaletteAlpha.data(), static_cast<int>(s.PaletteAlpha.size()),
                 nullptr);
  if (s.GrayKey) {
    png_color_16 key{};
    key.gray = s.GrayKeyValue;
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  if (s.Interlaced) png_set_interlace_handling(png);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Blue, green, red (and alpha) of a pixel, straight from the bits.
struct Bgra {
  int B, G, R, A;
};
Bgra At(TBitmap& b, int x, int y) {
  auto* row = static_cast<std::uint8_t*>(b.ScanLine(y));
  if (b.PixelFormat() == pf32bit) return {row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]};
  return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 255};
}

#define EXPECT_BGRA(px, b, g, r, a) \
  do {                              \
    Bgra p_ = (px);                 \
    EXPECT_EQ(p_.B, b);             \
    EXPECT_EQ(p_.G, g);             \
    EXPECT_EQ(p_.R, r);             \
    EXPECT_EQ(p_.A, a);             \
  } while (0)

// ---- writing JPEGs ----------------------------------------------------------------
Bytes WriteJpeg(int w, int h, int components, J_COLOR_SPACE space, const Bytes& pixels) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &mem, &size);
  info.image_width = w;
  info.image_height = h;
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + info.next_scanline * w * components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(mem, mem + size);
  jpeg_destroy_compress(&info);
  free(mem);
  return out;
}

// 16x16 in four quadrants: red, green / blue, white (RGB order).
Bytes Quadrants() {
  Bytes p;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool right = x >= 8, bottom = y >= 8;
      if (!bottom && !right) p.insert(p.end(), {255, 0, 0});
      if (!bottom && right) p.insert(p.end(), {0, 255, 0});
      if (bottom && !right) p.insert(p.end(), {0, 0, 255});
      if (bottom && right) p.insert(p.end(), {255, 255, 255});
    }
  return p;
}

void ExpectNear(Bgra p, int b, int g, int r, int tolerance = 24) {
  EXPECT_NEAR(p.B, b, tolerance);
  EXPECT_NEAR(p.G, g, tolerance);
  EXPECT_NEAR(p.R, r, tolerance);
}

}  // namespace

// ---- PNG ----------------------------------------------------------------------------
TEST(PngPictures, ColourPicturesWithoutAlphaBecome24Bits) {
  PngSpec s;
  s.Width = 2;
  s.Height = 2;
  s.Rows = {{255, 0, 0, 0, 255, 0}, {0, 0, 255, 10, 20, 30}};
  TBitmap b;
  b.LoadFromPngMemory(WritePng(s));
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.AlphaFormat(), afIgnored);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_BGRA(At(b, 0, 0), 0, 0, 255, 255);
  EXPECT_BGRA(At(b, 1, 0), 0, 255, 0, 255);
  EXPECT_BGRA(At(b, 0, 1), 255, 0, 0, 255);
  EXPECT_BGRA(At(b, 1, 1), 30, 20, 10, 255);
  EXPECT_EQ(b.Canvas()->Pixel(1, 1) & 0xFFFFFF, RGB(10, 20, 30));

  // 16 bits per channel come down to 8.
  s.BitDepth = 16;
  s.Width = 1;
  s.Height = 1;
  s.Rows = {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00}};
  b.LoadFromPngMemory(WritePng(s));
  EXPECT_BGRA(At(b, 0, 0), 0, 0x80, 0xFF, 255);
}

TEST(PngPictures, AlphaIsKeptStraightIn32Bits) {
  PngSpec s;
  s.Width = 3;
  s.Height = 1;
  s.ColorType = PNG_COLOR_TYPE_RGBA;
  s.Rows = {{255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0}};
  TBitmap b;
  b.LoadFromPngMemory(WritePng(s));
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_BGRA(At(b, 0, 0), 0, 0, 255, 255);
  EXPECT_BGRA(At(b, 1, 0), 0, 255, 0, 128);  // not premultiplied
  EXPECT_BGRA(At(b, 2, 0), 255, 0, 0, 0);
  EXPECT_EQ(b.AlphaFormat(), afDefined);

  // Drawn, the picture is blended by its alpha.
  TBitmap target;
  target.SetSize(3, 1);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(TRect(0, 0, 3, 1));
  target.Canvas()->Draw(0, 0, &b);
  EXPECT_EQ(target.Canvas()->Pixel(0, 0) & 0xFFFFFF, static_cast<COLORREF>(clRed));
  const COLORREF half = target.Canvas()->Pixel(1, 0);
  EXPECT_NEAR(GetRValue(half), 127, 3);
  EXPECT_EQ(GetGValue(half), 255);
  EXPECT_NEAR(GetBValue(half), 127, 3);
  EXPECT_EQ(target.Canvas()->Pixel(2, 0) & 0xFFFFFF, static_cast<COLORREF>(clWhite));

  TBitmap copy;
  copy.Assign(&b);
  EXPECT_EQ(copy.AlphaFormat(), afDefined);
  copy.SetPixelFormat(pf24bit);
  EXPECT_EQ(copy.AlphaFormat(), afIgnored);

  PngSpec ga;
  ga.Width = 2;
  ga.Height = 1;
  ga.ColorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  ga.Rows = {{100, 255, 200, 50}};
  b.LoadFromPngMemory(WritePng(ga));
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_BGRA(At(b, 0, 0), 100, 100, 100, 255);
  EXPECT_BGRA(At(b, 1, 0), 200, 200, 200, 50);
}

TEST(PngPictures, PalettePicturesAreExpanded) {
  PngSpec s;
  s.Width = 5;
  s.Height = 1;
  s.ColorType = PNG_COLOR_TYPE_PALETTE;
  s.BitDepth = 4;
  s.Palette = {{10, 20, 30}, {200, 100, 50}, {0, 0, 0}};
  s.Rows = {{0x01, 0x20, 0x10}};  // indices 0 1 2 0 1
  TBitmap b;
  b.LoadFromPngMemory(WritePng(s));
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_TRUE(b.ColorTable().empty());
  EXPECT_BGRA(At(b, 0, 0), 30, 20, 10, 255);
  EXPECT_BGRA(At(b, 1, 0), 50, 100, 200, 255);
  EXPECT_BGRA(At(b, 2, 0), 0, 0, 0, 255);
  EXPECT_BGRA(At(b, 4, 0), 50, 100, 200, 255);

  // With a tRNS chunk the palette's alpha comes along.
  s.PaletteAlpha = {0, 255, 128};
  b.LoadFromPngMemory(WritePng(s));
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_BGRA(At(b, 0, 0), 30, 20, 10, 0);
  EXPECT_BGRA(At(b, 1, 0), 50, 100, 200, 255);
  EXPECT_BGRA(At(b, 2, 0), 0, 0, 0, 128);
}

TEST(PngPictures, GreyPicturesOfEveryDepth) {
  for (int depth : {1, 2, 4, 8, 16}) {
    SCOPED_TRACE(depth);
    PngSpec s;
    s.Width = 2;
    s.Height = 1;
    s.ColorType = PNG_COLOR_TYPE_GRAY;
    s.BitDepth = depth;
    // First pixel black, second white, whatever the packing.
    if (depth < 8) s.Rows = {{static_cast<std::uint8_t>(((1 << depth) - 1) << (8 - 2 * depth))}};
    if (depth == 8) s.Rows = {{0, 255}};
    if (depth == 16) s.Rows = {{0, 0, 255, 255}};
    TBitmap b;
    b.LoadFromPngMemory(WritePng(s));
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_BGRA(At(b, 0, 0), 0, 0, 0, 255);
    EXPECT_BGRA(At(b, 1, 0), 255, 255, 255, 255);
  }
  // A grey key colour makes those pixels transparent.
  PngSpec k;
  k.Width = 2;
  k.Height = 1;
  k.ColorType = PNG_COLOR_TYPE_GRAY;
  k.Rows = {{7, 9}};
  k.GrayKey = true;
  k.GrayKeyValue = 9;
  TBitmap b;
  b.LoadFromPngMemory(WritePng(k));
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(At(b, 0, 0).A, 255);
  EXPECT_EQ(At(b, 1, 0).A, 0);
}

TEST(PngPictures, FilesLoadAndDamageIsRefused) {
  testkit::TempDir dir;
  PngSpec s;
  s.Width = 40;
  s.Height = 30;
  for (int y = 0; y < 30; ++y) {
    Bytes row;
    for (int x = 0; x < 40; ++x) row.insert(row.end(), {std::uint8_t(x * 6), std::uint8_t(y * 8), 77});
    s.Rows.push_back(row);
  }
  Bytes png = WritePng(s);
  std::string data(png.begin(), png.end());
  dir.Write("p.png", data);
  TBitmap b;
  b.LoadFromPngFile(dir / "p.png");
  EXPECT_EQ(b.Width(), 40);
  EXPECT_BGRA(At(b, 39, 29), 77, 29 * 8, 39 * 6, 255);
  s.Interlaced = true;
  TBitmap interlaced;
  interlaced.LoadFromPngMemory(WritePng(s));
  EXPECT_EQ(interlaced.SaveToStream(), b.SaveToStream());
  TBitmap viaName;
  LoadPictureFile(viaName, dir / "p.png");
  EXPECT_EQ(viaName.SaveToStream(), b.SaveToStream());
  EXPECT_THROW(b.LoadFromPngFile(dir / "missing.png"), EFOpenError);

  // Every cut and a damaged checksum are refused; the bitmap stays as it was.
  for (size_t n : {size_t(0), size_t(8), size_t(20), size_t(33), png.size() / 2, png.size() - 13}) {
    EXPECT_THROW(b.LoadFromPngMemory(Bytes(png.begin(), png.begin() + n)), EInvalidGraphic) << n;
  }
  Bytes crc = png;
  crc[29] ^= 0xFF;  // the IHDR chunk's checksum
  EXPECT_THROW(b.LoadFromPngMemory(crc), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 40);
  EXPECT_THROW(b.LoadFromPngMemory(Bytes{'n', 'o', 't'}), EInvalidGraphic);
}

TEST(PngPictures, HugeDimensionsAreRefusedBeforeAllocating) {
  PngSpec s;
  s.Width = 1;
  s.Height = 1;
  s.Rows = {{1, 2, 3}};
  Bytes png = WritePng(s);
  // IHDR width and height at 16 and 20; rewrite them and fix the checksum.
  auto put = [&](size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
  };
  put(16, 60000);
  put(20, 60000);
  put(29, static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), png.data() + 12, 17)));
  TBitmap b;
  EXPECT_THROW(b.LoadFromPngMemory(png), EInvalidGraphic);
}

// ---- JPEG ---------------------------------------------------------------------------
TEST(JpegPictures, ColourAndGreyDecodeToNearColours) {
  Bytes jpeg = WriteJpeg(16, 16, 3, JCS_RGB, Quadrants());
  TBitmap b;
  b.LoadFromJpegMemory(jpeg);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.Width(), 16);
  EXPECT_EQ(b.Height(), 16);
  ExpectNear(At(b, 3, 3), 0, 0, 255);      // red, top left
  ExpectNear(At(b, 12, 3), 0, 255, 0);     // green, top right
  ExpectNear(At(b, 3, 12), 255, 0, 0);     // blue, bottom left
  ExpectNear(At(b, 12, 12), 255, 255, 255);

  Bytes grey;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) grey.push_back(y < 4 ? 30 : 220);
  b.LoadFromJpegMemory(WriteJpeg(8, 8, 1, JCS_GRAYSCALE, grey));
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  ExpectNear(At(b, 2, 1), 30, 30, 30, 8);
  ExpectNear(At(b, 5, 6), 220, 220, 220, 8);
}

TEST(JpegPictures, CmykPicturesBecomeColour) {
  // Adobe's convention, which libjpeg marks by writing the Adobe marker:
  // stored values are inverted ink amounts, 0 is full ink. Cyan on the left,
  // no ink (white) on the right.
  Bytes cmyk;
  for (int i = 0; i < 64; ++i) {
    bool left = i % 8 < 4;
    cmyk.insert(cmyk.end(), {std::uint8_t(left ? 0 : 255), 255, 255, 255});
  }
  TBitmap b;
  b.LoadFromJpegMemory(WriteJpeg(8, 8, 4, JCS_CMYK, cmyk));
  ExpectNear(At(b, 1, 1), 255, 255, 0, 30);   // cyan: blue and green, no red
  ExpectNear(At(b, 6, 6), 255, 255, 255, 30);
}

TEST(JpegPictures, FilesLoadAndDamageIsRefused) {
  testkit::TempDir dir;
  Bytes jpeg = WriteJpeg(16, 16, 3, JCS_RGB, Quadrants());
  dir.Write("q.JPG", std::string(jpeg.begin(), jpeg.end()));
  TBitmap b;
  LoadPictureFile(b, dir / "q.JPG");
  EXPECT_EQ(b.Width(), 16);
  TBitmap direct;
  direct.LoadFromJpegFile(dir / "q.JPG");
  EXPECT_EQ(direct.SaveToStream(), b.SaveToStream());

  EXPECT_THROW(b.LoadFromJpegMemory({}), EInvalidGraphic);
  EXPECT_THROW(b.LoadFromJpegMemory(Bytes(jpeg.begin(), jpeg.begin() + 40)), EInvalidGraphic);
  EXPECT_THROW(b.LoadFromJpegMemory(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), EInvalidGraphic);
  Bytes noise(500);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 131 + 7);
  EXPECT_THROW(b.LoadFromJpegMemory(noise), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 16);
  // Pixel data cut short a few bytes after the start of scan still gives a
  // picture of the full size (libjpeg fills the rest), and nothing is read
  // past the data.
  size_t sos = 0;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) sos = i;
  ASSERT_GT(sos, 0u);
  TBitmap cut;
  cut.LoadFromJpegMemory(Bytes(jpeg.begin(), jpeg.begin() + sos + 30));
  EXPECT_EQ(cut.Height(), 16);
  EXPECT_THROW(b.LoadFromJpegFile(dir / "missing.jpg"), EFOpenError);
}
