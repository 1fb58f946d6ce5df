// TShape and TBevel painted by a real form into off-screen bitmaps; a shape
// with clear pen and brush paints nothing but still takes the mouse.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

struct ShapesFixture : testkit::FormFixture<> {
  void SetUp() override {
    FormFixture::SetUp();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 200, 120);
    Form->SetColor(clYellow);
  }
  // The form and its windowless children painted off the screen.
  std::unique_ptr<TBitmap> Paint() {
    Form->HandleNeeded();  // the form erases through its window's client rectangle
    auto pic = std::make_unique<TBitmap>();
    pic->SetSize(Form->ClientWidth(), Form->ClientHeight());
    Form->PaintTo(pic->Canvas()->Handle());
    return pic;
  }
  static TColor Px(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }
  bool NeedsPaint() {
    RECT r;
    return GetUpdateRect(Form->Handle(), &r, FALSE) != 0;
  }
};

}  // namespace

using Shapes = ShapesFixture;

TEST_F(Shapes, ClearPenAndBrushPaintNothingButTakeTheMouse) {
  TShape* strip = Add<TShape>(10, 10, 65, 2);
  strip->Pen()->SetStyle(psClear);
  strip->Brush()->SetStyle(bsClear);
  TShape* box = Add<TShape>(100, 10, 30, 30);
  box->Pen()->SetStyle(psClear);
  box->Brush()->SetStyle(bsClear);
  auto pic = Paint();
  for (int x = 8; x < 78; ++x)
    for (int y = 8; y < 14; ++y) ASSERT_EQ(Px(*pic, x, y), clYellow) << x << "," << y;
  for (int x = 98; x < 132; ++x)
    for (int y = 8; y < 42; ++y) ASSERT_EQ(Px(*pic, x, y), clYellow) << x << "," << y;

  int downs = 0;
  strip->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  Form->Show();
  testkit::MouseDown(strip, 30, 1);
  testkit::MouseUp(strip, 30, 1);
  EXPECT_TRUE(testkit::PumpUntil([&] { return downs == 1; }));
}

TEST_F(Shapes, OutlineAndFillStayInsideTheBounds) {
  TShape* r = Add<TShape>(10, 10, 20, 16);
  r->Pen()->SetColor(clRed);
  r->Brush()->SetColor(clBlue);
  TShape* thick = Add<TShape>(40, 10, 20, 20);
  thick->Pen()->SetColor(clGreen);
  thick->Pen()->SetWidth(3);
  thick->Brush()->SetColor(clWhite);
  TShape* circle = Add<TShape>(70, 10, 40, 20);
  circle->SetShape(stCircle);
  circle->Pen()->SetColor(clNavy);
  circle->Brush()->SetColor(clLime);
  TShape* fillOnly = Add<TShape>(120, 10, 10, 10);
  fillOnly->Pen()->SetStyle(psClear);
  fillOnly->Brush()->SetColor(clFuchsia);
  auto pic = Paint();

  EXPECT_EQ(Px(*pic, 10, 10), clRed);
  EXPECT_EQ(Px(*pic, 29, 25), clRed);
  EXPECT_EQ(Px(*pic, 30, 26), clYellow);
  EXPECT_EQ(Px(*pic, 11, 11), clBlue);
  EXPECT_EQ(Px(*pic, 28, 24), clBlue);

  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Px(*pic, 40 + i, 20), clGreen) << i;
    EXPECT_EQ(Px(*pic, 59 - i, 20), clGreen) << i;
  }
  EXPECT_EQ(Px(*pic, 43, 20), clWhite);
  EXPECT_EQ(Px(*pic, 60, 20), clYellow);

  // A circle takes the smaller side (20) and is centred: x 80 to 100.
  EXPECT_EQ(Px(*pic, 90, 20), clLime);
  EXPECT_EQ(Px(*pic, 78, 20), clYellow);
  EXPECT_EQ(Px(*pic, 102, 20), clYellow);
  EXPECT_EQ(Px(*pic, 81, 11), clYellow);  // outside the round corner

  EXPECT_EQ(Px(*pic, 120, 10), clFuchsia);
  EXPECT_EQ(Px(*pic, 128, 18), clFuchsia);
  EXPECT_EQ(Px(*pic, 131, 20), clYellow);

  Form->Show();
  Form->Update();
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "shapes.png");
}

TEST_F(Shapes, PenAndBrushChangesRepaint) {
  TShape* s = Add<TShape>(10, 10, 20, 20);
  Form->Show();
  Form->Update();
  ASSERT_FALSE(NeedsPaint());
  s->Brush()->SetColor(clRed);
  EXPECT_TRUE(NeedsPaint());
  Form->Update();
  s->Pen()->SetWidth(2);
  EXPECT_TRUE(NeedsPaint());
  Form->Update();
  s->SetShape(stEllipse);
  EXPECT_TRUE(NeedsPaint());
  Form->Update();
  s->SetShape(stEllipse);  // unchanged: no repaint
  EXPECT_FALSE(NeedsPaint());
}

TEST_F(Shapes, BevelsDrawShadowAndHighlight) {
  const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  ASSERT_NE(shadow, light);
  TBevel* lowered = Add<TBevel>(10, 10, 30, 20);
  TBevel* raised = Add<TBevel>(50, 10, 30, 20);
  raised->SetStyle(bsRaised);
  TBevel* top = Add<TBevel>(90, 10, 30, 20);
  top->SetShape(bsTopLine);
  TBevel* frame = Add<TBevel>(130, 10, 30, 20);
  frame->SetShape(bsFrame);
  TBevel* spacer = Add<TBevel>(170, 10, 20, 20);
  spacer->SetShape(bsSpacer);
  auto pic = Paint();

  EXPECT_EQ(Px(*pic, 10, 15), shadow);  // left
  EXPECT_EQ(Px(*pic, 20, 10), shadow);  // top
  EXPECT_EQ(Px(*pic, 39, 15), light);   // right
  EXPECT_EQ(Px(*pic, 20, 29), light);   // bottom
  EXPECT_EQ(Px(*pic, 20, 15), clYellow);

  EXPECT_EQ(Px(*pic, 50, 15), light);
  EXPECT_EQ(Px(*pic, 79, 15), shadow);

  EXPECT_EQ(Px(*pic, 100, 10), shadow);
  EXPECT_EQ(Px(*pic, 100, 11), light);
  EXPECT_EQ(Px(*pic, 100, 12), clYellow);
  EXPECT_EQ(Px(*pic, 100, 29), clYellow);

  // An etched frame: a shadow box with a highlight box one pixel inside.
  EXPECT_EQ(Px(*pic, 130, 15), shadow);
  EXPECT_EQ(Px(*pic, 131, 15), light);
  EXPECT_EQ(Px(*pic, 158, 15), shadow);
  EXPECT_EQ(Px(*pic, 159, 15), light);
  EXPECT_EQ(Px(*pic, 145, 20), clYellow);

  for (int x = 170; x < 190; ++x) EXPECT_EQ(Px(*pic, x, 10), clYellow);

  Form->SetColor(clBtnFace);
  Form->Show();
  Form->Update();
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "bevels.png");
}
