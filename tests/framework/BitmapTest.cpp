// TBitmap: the DIB, its canvas, pixel formats, transparent drawing, masks and
// handle lifetimes.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/Bitmap.h"
#include "GdiCount.h"
#include "testkit/TestKit.h"

namespace {

TColor Px(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

void Fill(TBitmap& b, TColor c) {
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
}

}  // namespace

TEST(BitmapCore, SizeKeepsTopLeftAndFillsNewAreaWhite) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.SetSize(4, 3);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(Px(b, 3, 2), clWhite);
  Fill(b, clRed);
  b.SetSize(6, 5);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 5);
  EXPECT_EQ(Px(b, 0, 0), clRed);
  EXPECT_EQ(Px(b, 3, 2), clRed);
  EXPECT_EQ(Px(b, 4, 2), clWhite);
  EXPECT_EQ(Px(b, 0, 3), clWhite);
  b.SetWidth(2);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(Px(b, 1, 1), clRed);
  EXPECT_EQ(changes, 3);
  b.SetSize(2, 5);  // no change, no notification
  EXPECT_EQ(changes, 3);
  // A size no 32-bit process can hold is refused; the picture stays.
  EXPECT_THROW(b.SetSize(0x200000, 5), EOutOfResources);
  EXPECT_THROW(b.SetSize(30000, 30000), EOutOfResources);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(Px(b, 1, 1), clRed);
  b.Clear();
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(changes, 4);
}

TEST(BitmapCore, EmptyBitmapCanvasMeasuresText) {
  TBitmap b;
  EXPECT_GT(b.Canvas()->TextWidth("Hello"), 0);
  b.SetSize(0, 10);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Height(), 10);
}

TEST(BitmapCore, ScanLineRowZeroIsTheTopRow) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(3, 2);
  Fill(b, clBlack);
  auto* top = static_cast<std::uint8_t*>(b.ScanLine(0));
  top[0] = 0x30;  // blue
  top[1] = 0x20;  // green
  top[2] = 0x10;  // red
  auto* bottom = static_cast<std::uint8_t*>(b.ScanLine(1));
  bottom[5] = 0xFF;
  EXPECT_EQ(Px(b, 0, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(Px(b, 1, 1), RGB(0xFF, 0, 0));
  EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
}

TEST(BitmapCore, HandleCanBeSelectedElsewhereAndCanvasDrawsAgain) {
  TBitmap b;
  b.SetSize(5, 5);
  Fill(b, clBlue);
  {
    MemoryDC dc;
    HGDIOBJ old = SelectObject(dc.Get(), b.Handle());
    ASSERT_NE(old, nullptr) << "the canvas still held the bitmap";
    EXPECT_EQ(GetPixel(dc.Get(), 2, 2), static_cast<COLORREF>(clBlue));
    SetPixelV(dc.Get(), 1, 1, clLime);
    SelectObject(dc.Get(), old);
  }
  EXPECT_EQ(Px(b, 1, 1), clLime);
  Fill(b, clYellow);
  EXPECT_EQ(Px(b, 1, 1), clYellow);
}

TEST(BitmapCore, AssignCopiesDeeply) {
  TBitmap a, b;
  a.SetPixelFormat(pf8bit);
  a.SetSize(3, 3);
  Fill(a, clRed);
  a.SetTransparent(true);
  a.SetTransparentColor(clRed);
  b.Assign(&a);
  EXPECT_EQ(b.PixelFormat(), pf8bit);
  EXPECT_EQ(b.ColorTable(), a.ColorTable());
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  Fill(a, clBlue);
  EXPECT_EQ(Px(b, 1, 1), clRed);
  EXPECT_NE(a.Handle(), b.Handle());
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(BitmapCore, PixelFormatsConvertThroughTheColourTable) {
  TBitmap b;
  b.SetSize(4, 4);
  Fill(b, clRed);
  b.Canvas()->SetPixel(0, 0, RGB(250, 250, 250));
  b.SetPixelFormat(pf1bit);
  EXPECT_EQ(b.PixelFormat(), pf1bit);
  EXPECT_EQ(b.ColorTable().size(), 2u);
  EXPECT_NE(b.Palette(), nullptr);
  EXPECT_EQ(Px(b, 0, 0), clWhite);
  b.SetPixelFormat(pf4bit);
  EXPECT_EQ(b.ColorTable().size(), 16u);
  b.SetPixelFormat(pf24bit);
  EXPECT_TRUE(b.ColorTable().empty());
  EXPECT_EQ(b.Palette(), nullptr);
  EXPECT_EQ(Px(b, 0, 0), clWhite);

  TBitmap c;
  c.SetPixelFormat(pf16bit);
  c.SetSize(2, 2);
  Fill(c, RGB(255, 0, 255));
  EXPECT_EQ(Px(c, 1, 1), RGB(255, 0, 255));
  c.SetPixelFormat(pf8bit);
  EXPECT_EQ(Px(c, 1, 1), clFuchsia);
}

// ---- transparency ------------------------------------------------------------------
TEST(BitmapTransparency, AutoModeTakesTheBottomLeftPixel) {
  TBitmap b;
  b.SetSize(3, 3);
  Fill(b, clGreen);
  b.Canvas()->SetPixel(0, 2, clFuchsia);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  EXPECT_EQ(b.TransparentColor(), clFuchsia);
  b.SetTransparentColor(clGreen);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), clGreen);
  b.SetTransparentMode(tmAuto);
  EXPECT_EQ(b.TransparentColor(), clFuchsia);
}

TEST(BitmapTransparency, DrawToLeavesTransparentPixelsUntouched) {
  for (TPixelFormat pf : {pfDevice, pf4bit, pf8bit, pf24bit, pf32bit}) {
    SCOPED_TRACE(pf);
    TBitmap sprite;
    sprite.SetPixelFormat(pf);
    sprite.SetSize(4, 4);
    Fill(sprite, clFuchsia);
    sprite.Canvas()->Brush()->SetColor(clBlue);
    sprite.Canvas()->FillRect(TRect(1, 1, 3, 3));
    sprite.SetTransparent(true);

    TBitmap target;
    target.SetSize(10, 10);
    Fill(target, clYellow);
    target.Canvas()->Draw(2, 3, &sprite);
    EXPECT_EQ(Px(target, 2, 3), clYellow);
    EXPECT_EQ(Px(target, 5, 6), clYellow);
    EXPECT_EQ(Px(target, 3, 4), clBlue);
    EXPECT_EQ(Px(target, 4, 5), clBlue);
    EXPECT_EQ(Px(target, 0, 0), clYellow);

    // Stretched to twice the size: the blue square covers 4x4 pixels.
    Fill(target, clLime);
    target.Canvas()->StretchDraw(TRect(0, 0, 8, 8), &sprite);
    EXPECT_EQ(Px(target, 1, 1), clLime);
    EXPECT_EQ(Px(target, 2, 2), clBlue);
    EXPECT_EQ(Px(target, 5, 5), clBlue);
    EXPECT_EQ(Px(target, 6, 6), clLime);

    // Opaque drawing covers everything.
    sprite.SetTransparent(false);
    target.Canvas()->Draw(0, 0, &sprite);
    EXPECT_EQ(Px(target, 0, 0), clFuchsia);
  }
}

TEST(BitmapTransparency, MaskIsWhiteWhereTheColourIs) {
  TBitmap b;
  b.SetSize(17, 2);  // a row wider than 16 bits checks the row padding
  Fill(b, clNavy);
  b.Canvas()->SetPixel(16, 1, clRed);
  b.Canvas()->SetPixel(0, 0, clRed);
  GdiBitmap mask(b.CreateMask(clRed));
  ASSERT_TRUE(mask);
  BITMAP info{};
  GetObject(mask.Get(), sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  MemoryDC dc;
  SelectedObject sel(dc.Get(), mask.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 16, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 15, 1), RGB(0, 0, 0));
}

// ---- resources ----------------------------------------------------------------------
TEST(BitmapResources, ManyBitmapsAndCanvasesLeakNoGdiObjects) {
  auto round = [] {
    TBitmap a, b;
    a.SetSize(20, 20);
    Fill(a, clRed);
    a.Canvas()->TextOut(0, 0, "x");
    a.SetTransparent(true);
    b.SetPixelFormat(pf8bit);
    b.SetSize(10, 10);
    (void)b.Palette();
    b.Canvas()->Draw(0, 0, &a);
    b.SetSize(30, 30);
    b.SetPixelFormat(pf24bit);
    a.Assign(&b);
    GdiBitmap m(a.CreateMask(clWhite));
    (void)a.Handle();
    a.Canvas()->Ellipse(0, 0, 5, 5);
  };
  EXPECT_LE(gfxtest::GdiObjectsLeftBy(round, 200), 2);
}
