// TImage on a real form: auto size, stretching, centring, transparency and
// repainting when the picture changes.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

void Fill(TBitmap& b, TColor c, const TRect& r) {
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(r);
}

// 4x4: red top half, blue bottom half, a fuchsia bottom-left pixel.
void MakePicture(TBitmap& b) {
  b.SetSize(4, 4);
  Fill(b, clRed, TRect(0, 0, 4, 2));
  Fill(b, clBlue, TRect(0, 2, 4, 4));
  b.Canvas()->SetPixel(0, 3, clFuchsia);
}

struct ImageFixture : testkit::FormFixture<> {
  TImage* Image = nullptr;
  void SetUp() override {
    FormFixture::SetUp();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(60, 60, 120, 80);
    Form->SetColor(clLime);
    Image = Add<TImage>(10, 10, 20, 20);
  }
  std::unique_ptr<TBitmap> Paint() {
    Form->HandleNeeded();  // the form erases through its window's client rectangle
    auto pic = std::make_unique<TBitmap>();
    pic->SetSize(Form->ClientWidth(), Form->ClientHeight());
    Form->PaintTo(pic->Canvas()->Handle());
    return pic;
  }
  static TColor Px(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }
};

}  // namespace

using ImageControl = ImageFixture;

TEST_F(ImageControl, AutoSizeTakesThePictureSize) {
  MakePicture(*Image->Picture());
  EXPECT_EQ(Image->Width(), 20);  // without AutoSize the bounds stay
  Image->SetAutoSize(true);
  EXPECT_EQ(Image->Width(), 4);
  EXPECT_EQ(Image->Height(), 4);
  Image->Picture()->SetSize(7, 5);
  EXPECT_EQ(Image->Width(), 7);
  EXPECT_EQ(Image->Height(), 5);
  TBitmap other;
  other.SetSize(16, 9);
  Image->Picture()->Assign(&other);
  EXPECT_EQ(Image->Width(), 16);
  EXPECT_EQ(Image->Height(), 9);
  EXPECT_EQ(Image->Left(), 10);

  // Aligned left, the height belongs to the alignment.
  Image->SetAlign(alLeft);
  const int alignedHeight = Image->Height();
  Image->Picture()->SetSize(6, 3);
  EXPECT_EQ(Image->Width(), 6);
  EXPECT_EQ(Image->Height(), alignedHeight);
}

TEST_F(ImageControl, PlainStretchedAndCentredDrawing) {
  MakePicture(*Image->Picture());
  auto pic = Paint();
  EXPECT_EQ(Px(*pic, 10, 10), clRed);
  EXPECT_EQ(Px(*pic, 13, 12), clBlue);
  EXPECT_EQ(Px(*pic, 10, 13), clFuchsia);
  EXPECT_EQ(Px(*pic, 14, 14), clLime);  // beyond the picture: the form shows

  Image->SetStretch(true);
  pic = Paint();
  EXPECT_EQ(Px(*pic, 29, 19), clRed);
  EXPECT_EQ(Px(*pic, 29, 20), clBlue);
  EXPECT_EQ(Px(*pic, 12, 27), clFuchsia);
  EXPECT_EQ(Px(*pic, 29, 29), clBlue);

  Image->SetStretch(false);
  Image->SetCenter(true);
  pic = Paint();
  EXPECT_EQ(Px(*pic, 17, 17), clLime);
  EXPECT_EQ(Px(*pic, 18, 18), clRed);
  EXPECT_EQ(Px(*pic, 18, 21), clFuchsia);
  EXPECT_EQ(Px(*pic, 22, 22), clLime);
}

TEST_F(ImageControl, TransparentImagesLetTheParentShowThrough) {
  MakePicture(*Image->Picture());
  Image->SetTransparent(true);
  Image->SetStretch(true);
  auto pic = Paint();
  EXPECT_EQ(Px(*pic, 12, 27), clLime);  // the stretched bottom-left pixel
  EXPECT_EQ(Px(*pic, 20, 27), clBlue);
  EXPECT_EQ(Px(*pic, 12, 12), clRed);
  EXPECT_FALSE(Image->Picture()->Transparent()) << "the picture's own setting stays";

  Image->SetTransparent(false);
  pic = Paint();
  EXPECT_EQ(Px(*pic, 12, 27), clFuchsia);

  // A picture loaded from a file goes through the same path.
  testkit::TempDir dir;
  Image->Picture()->SaveToFile(dir / "p.bmp");
  Image->Picture()->Clear();
  pic = Paint();
  EXPECT_EQ(Px(*pic, 12, 12), clLime);
  Image->Picture()->LoadFromFile(dir / "p.bmp");
  Image->SetTransparent(true);
  pic = Paint();
  EXPECT_EQ(Px(*pic, 12, 27), clLime);
  EXPECT_EQ(Px(*pic, 12, 12), clRed);

  Form->Show();
  Form->Update();
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "image-transparent.png");
}

TEST_F(ImageControl, PictureChangesRepaint) {
  Form->Show();
  Form->Update();
  RECT r;
  ASSERT_FALSE(GetUpdateRect(Form->Handle(), &r, FALSE));
  MakePicture(*Image->Picture());
  ASSERT_TRUE(GetUpdateRect(Form->Handle(), &r, FALSE));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  Form->Update();
  // The X server shows the window a little after it was mapped.
  testkit::Image shot;
  EXPECT_TRUE(testkit::PumpUntil([&] {
    shot = testkit::CaptureScreen(Form->Handle());
    return shot.Width > 100 && shot.At(100, 70) == 0x00FF00u;
  }));
  EXPECT_EQ(shot.At(11, 11), 0xFF0000u);  // red, as 0x00RRGGBB
  EXPECT_EQ(shot.At(11, 12), 0x0000FFu);
  EXPECT_EQ(shot.At(10, 13), 0xFF00FFu);
}
