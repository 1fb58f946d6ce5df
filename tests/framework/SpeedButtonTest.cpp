// TSpeedButton: clicks on release, groups, the accelerator, flat looks, glyphs.
#include <gtest/gtest.h>

#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TButtonForm : public TForm {
 public:
  explicit TButtonForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(50, 50, 240, 120);
    SetColor(clYellow);
    SpBAttribs = Placed<TSpeedButton>(this, this, "SpBAttribs", 8, 8, 81, 13);
    SpBAttribs->SetFlat(true);
    SpBAttribs->SetCaption("r h s a - d - N");
    SpBAttribs->Font()->SetName("Arial");
    SpBAttribs->Font()->SetHeight(-11);
  }
  TSpeedButton* SpBAttribs;
};

struct SpeedButtonFixture : testkit::FormFixture<TButtonForm> {
  TSpeedButton* Button = nullptr;
  int Clicks = 0;
  void SetUp() override {
    FormFixture::SetUp();
    Button = Form->SpBAttribs;
    Button->OnClick = [this](TObject*) { ++Clicks; };
    Form->Show();
    testkit::PumpPending();
  }
  TSpeedButton* AddButton(int x, int group) {
    auto* b = Add<TSpeedButton>(x, 40, 30, 22);
    b->SetGroupIndex(group);
    return b;
  }
  // A pixel of the form as the screen shows it, as 0x00BBGGRR.
  COLORREF ScreenPixel(int x, int y) {
    Form->Update();
    testkit::PumpPending();
    testkit::Image shot = testkit::CaptureScreen(Form->Handle());
    unsigned p = shot.At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

}  // namespace

using SpeedButton = SpeedButtonFixture;

TEST_F(SpeedButton, ClicksOnReleaseInsideOnly) {
  testkit::MouseMove(Button, 5, 5);
  testkit::MouseDown(Button, 5, 5);
  EXPECT_EQ(Button->State(), bsDown);
  EXPECT_EQ(Clicks, 0);
  // Dragged off, the button comes up; released there, nothing happens.
  testkit::MouseMove(Button, 120, 60, MK_LBUTTON);
  EXPECT_EQ(Button->State(), bsUp);
  testkit::MouseUp(Button, 120, 60);
  EXPECT_EQ(Clicks, 0);

  testkit::Click(Button, 40, 6);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Button->State(), bsUp);
  EXPECT_NE(GetCapture(), Form->HandleIfAllocated());

  Button->SetEnabled(false);
  testkit::Click(Button, 40, 6);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButton, TheAcceleratorClicksAnEnabledButton) {
  Button->SetCaption("&Attributes");
  PostMessageA(Form->Handle(), WM_SYSCHAR, 'a', 0);
  EXPECT_TRUE(testkit::PumpUntil([&] { return Clicks == 1; }));
  PostMessageA(Form->Handle(), WM_SYSCHAR, 'x', 0);
  testkit::PumpPending();
  EXPECT_EQ(Clicks, 1);
  Button->SetEnabled(false);
  PostMessageA(Form->Handle(), WM_SYSCHAR, 'A', 0);
  testkit::PumpPending();
  EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButton, OneButtonOfAGroupIsDown) {
  TSpeedButton* a = AddButton(10, 1);
  TSpeedButton* b = AddButton(50, 1);
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  testkit::Click(b, 5, 5);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(b->State(), bsExclusive);
  // Without AllowAllUp the down button stays down.
  testkit::Click(b, 5, 5);
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  // AllowAllUp is shared by the group.
  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp());
  testkit::Click(b, 5, 5);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(a->Down());
  // Outside a group there is no down state.
  Button->SetDown(true);
  EXPECT_FALSE(Button->Down());
}

TEST_F(SpeedButton, AFlatButtonRaisesOnlyUnderThePointer) {
  COLORREF face = ColorToRGB(clYellow);
  EXPECT_EQ(ScreenPixel(8, 8), face);
  testkit::MouseMove(Button, 10, 5);
  ASSERT_TRUE(Button->MouseInControl());
  EXPECT_EQ(ScreenPixel(8, 8), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ScreenPixel(8 + 80, 8 + 12), ColorToRGB(clBtnShadow));
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "speedbutton-hot.png");
  testkit::MouseDown(Button, 10, 5);
  EXPECT_EQ(ScreenPixel(8, 8), ColorToRGB(clBtnShadow));
  testkit::MouseUp(Button, 10, 5);
  testkit::MouseMove(Form, 200, 100);
  EXPECT_FALSE(Button->MouseInControl());
  EXPECT_EQ(ScreenPixel(8, 8), face);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "speedbutton-flat.png");
}

TEST_F(SpeedButton, GlyphImagesFollowTheState) {
  // Two 16 x 16 images: blue enabled, red disabled, on a lime key colour.
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(32, 16);
  TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(clLime);
  c->FillRect(TRect(0, 0, 32, 16));
  c->Brush()->SetColor(clBlue);
  c->FillRect(TRect(4, 4, 12, 12));
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect(20, 4, 28, 12));
  TSpeedButton* g = AddButton(100, 0);
  g->SetBounds(100, 40, 40, 24);
  g->SetFlat(true);
  g->SetGlyph(&strip);
  EXPECT_EQ(g->NumGlyphs(), 2);
  // The glyph is centred: its middle is the button's.
  EXPECT_EQ(ScreenPixel(120, 52), ColorToRGB(clBlue));
  EXPECT_EQ(ScreenPixel(113, 45), ColorToRGB(clYellow));  // the key colour is see-through
  g->SetEnabled(false);
  EXPECT_EQ(ScreenPixel(120, 52), ColorToRGB(clRed));

  // One image: the disabled look is made from it, embossed in grey.
  strip.SetSize(16, 16);
  g->SetGlyph(&strip);
  EXPECT_EQ(g->NumGlyphs(), 1);
  EXPECT_EQ(ScreenPixel(120, 52), ColorToRGB(clBtnShadow));
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "speedbutton-glyph.png");
}
