// TImageList: cutting strips, masks, transparent and disabled drawing into
// off-screen bitmaps, and GDI objects given back.
#include <gtest/gtest.h>

#include "GdiCount.h"
#include "framework/ImageList.h"
#include "testkit/TestKit.h"

namespace {

TColor Px(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

void Fill(TBitmap& b, TColor c, const TRect& r) {
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(r);
}

// Three 4x4 images side by side on fuchsia: a red, a green and a blue 2x2
// square at (1, 1) of each.
TBitmap* Strip() {
  auto* b = new TBitmap;
  b->SetSize(12, 4);
  Fill(*b, clFuchsia, TRect(0, 0, 12, 4));
  const TColor colors[3] = {clRed, clLime, clBlue};
  for (int i = 0; i < 3; ++i) Fill(*b, colors[i], TRect(4 * i + 1, 1, 4 * i + 3, 3));
  return b;
}

}  // namespace

TEST(ImageList, MaskedStripsAreCutAndDrawnTransparently) {
  TImageList list(nullptr, 4, 4);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  std::unique_ptr<TBitmap> strip(Strip());
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 3);
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Px(*strip, 0, 0), clFuchsia) << "the source picture must stay as it was";

  TBitmap canvas;
  canvas.SetSize(20, 10);
  Fill(canvas, clYellow, TRect(0, 0, 20, 10));
  list.Draw(canvas.Canvas(), 2, 3, 0);
  list.Draw(canvas.Canvas(), 10, 3, 2);
  EXPECT_EQ(Px(canvas, 2, 3), clYellow);  // the image's transparent corner
  EXPECT_EQ(Px(canvas, 3, 4), clRed);
  EXPECT_EQ(Px(canvas, 4, 5), clRed);
  EXPECT_EQ(Px(canvas, 5, 6), clYellow);
  EXPECT_EQ(Px(canvas, 11, 4), clBlue);
  EXPECT_EQ(Px(canvas, 13, 6), clYellow);
  EXPECT_EQ(Px(canvas, 0, 0), clYellow);

  // A bad index draws nothing and raises nothing.
  list.Draw(canvas.Canvas(), 0, 0, 6);
  list.Draw(canvas.Canvas(), 0, 0, -1);
  EXPECT_EQ(Px(canvas, 1, 1), clYellow);
}

TEST(ImageList, MaskBitmapsAndPicturesOfOtherSizes) {
  TImageList list(nullptr);
  list.SetSize(3, 3);
  TBitmap image, mask;
  image.SetSize(3, 3);
  Fill(image, clNavy, TRect(0, 0, 3, 3));
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(3, 3);
  Fill(mask, clBlack, TRect(0, 0, 3, 3));
  Fill(mask, clWhite, TRect(0, 0, 3, 1));  // top row transparent
  EXPECT_EQ(list.Add(&image, &mask), 0);
  EXPECT_EQ(list.Add(&image, nullptr), 1);  // opaque
  TBitmap small;
  small.SetSize(2, 2);
  Fill(small, clMaroon, TRect(0, 0, 2, 2));
  EXPECT_EQ(list.AddMasked(&small, clNone), 2);  // beyond its 2x2: transparent
  TBitmap empty;
  EXPECT_EQ(list.AddMasked(&empty, clWhite), -1);
  EXPECT_EQ(list.Count(), 3);

  TBitmap canvas;
  canvas.SetSize(12, 3);
  Fill(canvas, clSilver, TRect(0, 0, 12, 3));
  for (int i = 0; i < 3; ++i) list.Draw(canvas.Canvas(), 4 * i, 0, i);
  EXPECT_EQ(Px(canvas, 1, 0), clSilver);
  EXPECT_EQ(Px(canvas, 1, 1), clNavy);
  EXPECT_EQ(Px(canvas, 5, 0), clNavy);
  EXPECT_EQ(Px(canvas, 9, 1), clMaroon);
  EXPECT_EQ(Px(canvas, 10, 1), clSilver);
  EXPECT_EQ(Px(canvas, 8, 2), clSilver);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
  TImageList list(nullptr, 4, 4);
  TBitmap image;
  image.SetSize(4, 4);
  Fill(image, clWhite, TRect(0, 0, 4, 4));
  Fill(image, clBlack, TRect(1, 1, 2, 2));  // one dark pixel at (1, 1)
  image.Canvas()->SetPixel(3, 0, clFuchsia);
  list.AddMasked(&image, clFuchsia);

  TBitmap canvas;
  canvas.SetSize(8, 8);
  Fill(canvas, clTeal, TRect(0, 0, 8, 8));
  list.Draw(canvas.Canvas(), 2, 2, 0, false);
  EXPECT_EQ(Px(canvas, 3, 3), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(canvas, 4, 4), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(canvas, 2, 2), clTeal);  // light pixels leave the canvas alone
  EXPECT_EQ(Px(canvas, 5, 2), clTeal);
}

TEST(ImageList, GetBitmapSizeChangesAndDeletion) {
  TImageList list(nullptr, 4, 4);
  std::unique_ptr<TBitmap> strip(Strip());
  list.AddMasked(strip.get(), clFuchsia);
  TBitmap out;
  list.GetBitmap(1, &out);
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.Height(), 4);
  EXPECT_EQ(Px(out, 0, 0), clWhite);
  EXPECT_EQ(Px(out, 1, 1), clLime);
  EXPECT_THROW(list.GetBitmap(3, &out), EListError);

  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  list.GetBitmap(0, &out);
  EXPECT_EQ(Px(out, 2, 2), clLime);
  EXPECT_THROW(list.Delete(5), EListError);

  list.SetSize(4, 4);  // the same size keeps the images
  EXPECT_EQ(list.Count(), 2);
  list.SetWidth(8);
  EXPECT_EQ(list.Count(), 0);
  list.AddMasked(strip.get(), clFuchsia);
  EXPECT_EQ(list.Count(), 1);  // 12 / 8: one image, its right part beyond the strip
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, OwnedByAComponentAndLeavesNoGdiObjects) {
  auto round = [] {
    TComponent owner(nullptr);
    auto* list = new TImageList(&owner, 4, 4);
    std::unique_ptr<TBitmap> strip(Strip());
    list->AddMasked(strip.get(), clFuchsia);
    TBitmap canvas;
    canvas.SetSize(8, 8);
    list->Draw(canvas.Canvas(), 0, 0, 1);
    list->Draw(canvas.Canvas(), 0, 0, 2, false);
    list->Delete(0);
  };
  EXPECT_LE(gfxtest::GdiObjectsLeftBy(round, 200), 2);
}
