// TBitmap through real files, memory and a real BITMAP resource: exact pixel
// round trips at every depth, the framework's file errors, and damaged
// content refused without changing the bitmap.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "framework/Bitmap.h"
#include "testkit/TestKit.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TColor Px(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

// Pseudo-random pixels written through ScanLine, padding left alone.
void Scribble(TBitmap& b, unsigned seed) {
  std::mt19937 rng(seed);
  const int bits[] = {32, 1, 4, 8, 16, 16, 24, 32};
  const int bpp = bits[b.PixelFormat()];
  const size_t used = (static_cast<size_t>(b.Width()) * bpp) / 8;  // whole bytes only
  for (int y = 0; y < b.Height(); ++y) {
    auto* row = static_cast<std::uint8_t*>(b.ScanLine(y));
    for (size_t i = 0; i < used; ++i) row[i] = static_cast<std::uint8_t>(rng());
  }
}

Bytes Pixels(TBitmap& b) {
  const int bits[] = {32, 1, 4, 8, 16, 16, 24, 32};
  const size_t used = (static_cast<size_t>(b.Width()) * bits[b.PixelFormat()]) / 8;
  Bytes all;
  for (int y = 0; y < b.Height(); ++y) {
    auto* row = static_cast<std::uint8_t*>(b.ScanLine(y));
    all.insert(all.end(), row, row + used);
  }
  return all;
}

Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

}  // namespace

TEST(BitmapFiles, EveryDepthRoundTripsThroughAFileExactly) {
  testkit::TempDir dir;
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    SCOPED_TRACE(pf);
    TBitmap b;
    b.SetPixelFormat(pf);
    b.SetSize(16, 7);
    Scribble(b, 100 + pf);
    const std::string path = dir / ("pic" + std::to_string(pf) + ".bmp");
    b.SaveToFile(path);

    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.PixelFormat(), pf);
    EXPECT_EQ(back.Width(), 16);
    EXPECT_EQ(back.Height(), 7);
    EXPECT_EQ(back.ColorTable(), b.ColorTable());
    EXPECT_EQ(Pixels(back), Pixels(b));
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 16; x += 5) EXPECT_EQ(Px(back, x, y), Px(b, x, y)) << x << "," << y;
    // The same picture always gives the same bytes.
    EXPECT_EQ(back.SaveToStream(), b.SaveToStream());
    EXPECT_EQ(ToBytes(testkit::ReadFile(path)), b.SaveToStream());
  }
}

TEST(BitmapFiles, DrawingIsInTheSavedPictureAndTheTableIsKept) {
  TBitmap b;
  b.SetPixelFormat(pf8bit);
  b.SetSize(5, 4);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(TRect(0, 0, 5, 4));
  b.Canvas()->SetPixel(0, 0, clLime);
  Bytes saved = b.SaveToStream();
  // The file header, the 40-byte info header, BI_RGB: what the backgrounds read.
  ASSERT_GT(saved.size(), 54u);
  EXPECT_EQ(saved[0], 'B');
  EXPECT_EQ(saved[14], 40);
  EXPECT_EQ(saved[30], 0);

  TBitmap back;
  back.LoadFromStream(saved);
  EXPECT_EQ(back.ColorTable().size(), 256u);
  EXPECT_NE(back.Palette(), nullptr);
  EXPECT_EQ(Px(back, 0, 0), clLime);
  EXPECT_EQ(Px(back, 4, 3), clRed);
}

TEST(BitmapFiles, FileErrorsCarryTheSystemMessage) {
  testkit::TempDir dir;
  TBitmap b;
  try {
    b.LoadFromFile(dir / "missing.bmp");
    FAIL() << "a missing file loaded";
  } catch (const EFOpenError& e) {
    EXPECT_NE(std::string(e.what()).find(SysErrorMessage(ERROR_FILE_NOT_FOUND)), std::string::npos)
        << e.what();
  }
  b.SetSize(2, 2);
  try {
    b.SaveToFile(dir / "no such folder\\pic.bmp");
    FAIL() << "saved into a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_NE(std::string(e.what()).find("pic.bmp"), std::string::npos);
  }
  // Replacing an existing file leaves no temporary files behind.
  b.SaveToFile(dir / "pic.bmp");
  b.SaveToFile(dir / "pic.bmp");
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir / "*").c_str(), &found);
  int files = 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  } while (FindNextFileA(h, &found));
  FindClose(h);
  EXPECT_EQ(files, 1);
  TBitmap empty;
  EXPECT_THROW(empty.SaveToStream(), EInvalidGraphic);
}

TEST(BitmapFiles, DamagedContentIsRefusedAndTheBitmapKept) {
  testkit::TempDir dir;
  TBitmap b;
  b.SetSize(3, 3);
  b.Canvas()->Brush()->SetColor(clTeal);
  b.Canvas()->FillRect(TRect(0, 0, 3, 3));
  Bytes good = b.SaveToStream();

  auto refuse = [&](const Bytes& bytes, const char* message) {
    try {
      b.LoadFromStream(bytes);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), message);
    }
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(Px(b, 1, 1), clTeal);
  };
  refuse(Bytes(good.begin(), good.begin() + 30), "Invalid bitmap image");  // cut in the header
  refuse(Bytes(good.begin(), good.end() - 1), "Invalid bitmap image");     // last pixel missing
  refuse(ToBytes("GIF89a this is no bitmap"), "Invalid bitmap image");
  refuse({}, "Invalid bitmap image");
  Bytes lying = good;
  lying[18] = 0xFF;  // width 255 with the pixels of 3
  lying[19] = 0xFF;
  refuse(lying, "Invalid bitmap image");
  Bytes jpeg = good;
  jpeg[30] = 4;  // BI_JPEG
  refuse(jpeg, "Unsupported bitmap image");

  // The same through a file.
  dir.Write("bad.bmp", "BM garbage");
  EXPECT_THROW(b.LoadFromFile(dir / "bad.bmp"), EInvalidGraphic);
}

// A real BITMAP resource: a copy of this program gets one, then is loaded
// as a data file.
TEST(BitmapFiles, ResourcesLoadByName) {
  testkit::TempDir dir;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string copy = dir / "withpic.exe";
  ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));

  TBitmap source;
  source.SetPixelFormat(pf4bit);
  source.SetSize(6, 3);
  source.Canvas()->Brush()->SetColor(clYellow);
  source.Canvas()->FillRect(TRect(0, 0, 6, 3));
  source.Canvas()->SetPixel(5, 0, clNavy);
  Bytes dib = source.SaveToStream();
  dib.erase(dib.begin(), dib.begin() + 14);  // resources hold no file header

  HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(2), "TESTPICTURE",
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), dib.data(),
                              static_cast<DWORD>(dib.size())));
  ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

  HMODULE module = LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  TBitmap b;
  b.LoadFromResourceName(module, "TESTPICTURE");
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.PixelFormat(), pf4bit);
  EXPECT_EQ(Px(b, 5, 0), clNavy);
  EXPECT_EQ(Px(b, 0, 2), clYellow);
  EXPECT_THROW(b.LoadFromResourceName(module, "NOSUCHPICTURE"), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 6);
  FreeLibrary(module);
}

TEST(BitmapFiles, PictureFilesAreChosenByExtension) {
  testkit::TempDir dir;
  TBitmap b;
  b.SetSize(2, 2);
  b.SaveToFile(dir / "a.BMP");
  TBitmap back;
  LoadPictureFile(back, dir / "a.BMP");
  EXPECT_EQ(back.Width(), 2);
  // A bitmap under a PNG name is no PNG.
  b.SaveToFile(dir / "a.png");
  EXPECT_THROW(LoadPictureFile(back, dir / "a.png"), EInvalidGraphic);
  EXPECT_THROW(LoadPictureFile(back, dir / "a.gif"), EInvalidGraphic);
  EXPECT_THROW(LoadPictureFile(back, dir / "missing.jpg"), EFOpenError);
}
