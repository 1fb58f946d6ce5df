#include "drawing/PZSpButt.h"

#include <gtest/gtest.h>

#include "ControlsTestUtil.h"
#include "framework/Menus.h"

using namespace ctltest;

namespace {

constexpr TColor kMagenta = 0xFF00FF;
constexpr unsigned kStageRgb = 0x00FFFF;  // clAqua as 0x00RRGGBB

// A glyph of `count` slices of `slice` x `slice` pixels, slice i filled with
// colours[i]; the bottom-left pixel is magenta, the transparent colour.
std::unique_ptr<TBitmap> MakeGlyph(int width, int height, const std::vector<TColor>& colours) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(width, height);
  int slice = colours.empty() ? width : width / static_cast<int>(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) {
    b->Canvas()->Brush()->SetColor(colours[i]);
    b->Canvas()->FillRect(TRect(static_cast<int>(i) * slice, 0, (static_cast<int>(i) + 1) * slice,
                               height));
  }
  b->Canvas()->SetPixel(0, height - 1, kMagenta);
  return b;
}

struct Bench {
  StagePtr Stage = MakeStage(300, 120);
  int Clicks = 0;
  Bench() { Stage->SetColor(clAqua); }
  TPZSpeedButton* Add(int l, int t, int w = 73, int h = 45) {
    auto* b = new TPZSpeedButton(Stage.get());
    b->SetBounds(l, t, w, h);
    b->SetParent(Stage.get());
    b->OnClick = [this](TObject*) { ++Clicks; };
    return b;
  }
  // Moves the pointer away so that no button is hot.
  void Away() { testkit::MouseMove(Stage.get(), 295, 115); }
  testkit::Image Picture() { return PaintOffscreen(Stage.get()); }
};

}  // namespace

// Real mouse messages: press and release inside click once; a press dragged
// off the button does not click, and coming back does not press it again.
TEST(PZSpeedButton, ClicksOnlyOnReleaseInsideAfterPressInside) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10);
  int downs = 0, ups = 0;
  b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  bench.Away();

  testkit::MouseMove(b, 20, 20);
  EXPECT_EQ(stHot, b->ButtonState());
  EXPECT_EQ(lkRaised, b->Look());
  testkit::MouseDown(b, 20, 20);
  EXPECT_EQ(stPressed, b->ButtonState());
  EXPECT_EQ(lkSunken, b->Look());
  testkit::MouseUp(b, 20, 20);
  EXPECT_EQ(1, bench.Clicks);
  EXPECT_EQ(stHot, b->ButtonState());
  EXPECT_EQ(1, downs);
  EXPECT_EQ(1, ups);

  testkit::MouseDown(b, 20, 20);
  testkit::MouseMove(b, 150, 20, MK_LBUTTON);  // off the button
  EXPECT_EQ(stUp, b->ButtonState());
  testkit::MouseUp(b, 150, 20);
  EXPECT_EQ(1, bench.Clicks);

  testkit::MouseDown(b, 150, 20);  // pressed elsewhere, dragged in
  testkit::MouseMove(b, 20, 20, MK_LBUTTON);
  EXPECT_EQ(stHot, b->ButtonState());
  testkit::MouseUp(b, 20, 20);
  EXPECT_EQ(1, bench.Clicks);

  // Other mouse buttons fire the framework's events but do not press.
  PostMessageA(bench.Stage->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30));
  testkit::PumpPending();
  EXPECT_EQ(stHot, b->ButtonState());
  EXPECT_EQ(3, downs);

  bench.Away();
  EXPECT_EQ(stUp, b->ButtonState());
  EXPECT_EQ(lkFlat, b->Look());
}

TEST(PZSpeedButton, DoubleClickActsAsTwoClicks) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10);
  int dbl = 0;
  b->OnDblClick = [&](TObject*) { ++dbl; };
  testkit::DoubleClick(b, 20, 20);
  EXPECT_EQ(2, bench.Clicks);
  EXPECT_EQ(1, dbl);
}

// Two buttons of group 1: pressing the second releases the first; the down
// one cannot be released (by a click or SetDown) unless AllowAllUp.
TEST(PZSpeedButton, GroupKeepsOneDown) {
  Bench bench;
  TPZSpeedButton* a = bench.Add(10, 10);
  TPZSpeedButton* b = bench.Add(100, 10);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);

  testkit::Click(a, 20, 20);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(stDown, a->ButtonState());
  EXPECT_EQ(lkLatched, a->Look());
  testkit::Click(b, 20, 20);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(2, bench.Clicks);

  testkit::Click(b, 20, 20);  // no AllowAllUp: stays down, no click
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(2, bench.Clicks);
  b->SetDown(false);
  EXPECT_TRUE(b->Down());

  a->SetAllowAllUp(true);  // shared with the group
  EXPECT_TRUE(b->AllowAllUp());
  testkit::MouseDown(b, 20, 20);
  EXPECT_EQ(stPressedDown, b->ButtonState());
  EXPECT_FALSE(b->Down());
  testkit::MouseUp(b, 20, 20);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(stHot, b->ButtonState());
  EXPECT_EQ(3, bench.Clicks);

  b->SetDown(true);
  EXPECT_TRUE(b->Down());
  a->SetDown(true);
  EXPECT_FALSE(b->Down());
  a->SetDown(false);
  EXPECT_FALSE(a->Down());

  // Without a group a button never latches.
  TPZSpeedButton* loose = bench.Add(190, 10);
  loose->SetDown(true);
  EXPECT_FALSE(loose->Down());
}

TEST(PZSpeedButton, GlyphWidthDecidesNumberOfImages) {
  TPZSpeedButton b(nullptr);
  auto two = MakeGlyph(28, 14, {clLime, clBlue});
  b.SetGlyph(two.get());
  EXPECT_EQ(2, b.NumGlyphs());
  ASSERT_NE(nullptr, b.Images());
  EXPECT_EQ(14, b.Images()->Width());
  EXPECT_EQ(14, b.Images()->Height());
  EXPECT_EQ(3, b.Images()->Count());  // active, idle, generated disabled

  auto odd = MakeGlyph(50, 14, {clRed, clBlue});
  b.SetGlyph(odd.get());  // 50 is no multiple of 14
  EXPECT_EQ(2, b.NumGlyphs());
  EXPECT_EQ(25, b.Images()->Width());

  auto five = MakeGlyph(70, 14, {clRed});
  b.SetGlyph(five.get());  // five would exceed three
  EXPECT_EQ(1, b.NumGlyphs());
  EXPECT_EQ(70, b.Images()->Width());
  EXPECT_EQ(3, b.Images()->Count());  // the first slice again as idle image

  auto three = MakeGlyph(42, 14, {clRed, clLime, clBlue});
  b.SetGlyph(three.get());
  EXPECT_EQ(3, b.NumGlyphs());
  EXPECT_EQ(3, b.Images()->Count());  // nothing generated

  b.SetNumGlyphs(0);  // ignored
  EXPECT_EQ(3, b.NumGlyphs());
  b.SetNumGlyphs(1);
  EXPECT_EQ(42, b.Images()->Width());

  TBitmap empty;
  b.SetGlyph(&empty);
  EXPECT_EQ(nullptr, b.Images());
}

// A two-image glyph shows its right half idle and its left half hot; the
// magenta bottom-left colour is transparent.
TEST(PZSpeedButton, IdleAndHotPictures) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10, 25, 25);
  auto glyph = MakeGlyph(28, 14, {clLime, clBlue});
  b->SetGlyph(glyph.get());
  bench.Away();
  TPoint pos;
  TRect cap;
  b->CalcLayout(pos, cap);
  EXPECT_EQ(TPoint(25 / 2 - 7, 25 / 2 - 7), pos);  // empty caption: image alone
  const int ix = 10 + pos.x, iy = 10 + pos.y;

  testkit::Image idle = bench.Picture();
  EXPECT_EQ(0x0000FFu, idle.At(ix + 7, iy + 7));
  EXPECT_EQ(kStageRgb, idle.At(10, 10));       // no frame when flat

  testkit::MouseMove(b, 5, 5);
  testkit::Image hot = bench.Picture();
  EXPECT_EQ(0x00FF00u, hot.At(ix + 7, iy + 7));
  EXPECT_EQ(kStageRgb, hot.At(ix, iy + 13));  // the magenta corner is transparent
  EXPECT_EQ(Rgb(clBtnHighlight), hot.At(10, 20));  // raised frame: light left
  EXPECT_EQ(Rgb(clBtnShadow), hot.At(10 + 24, 20));

  testkit::MouseDown(b, 5, 5);
  testkit::Image pressed = bench.Picture();
  EXPECT_EQ(Rgb(clBtnShadow), pressed.At(10, 20));  // sunken frame
  EXPECT_EQ(0x00FF00u, pressed.At(ix + 1, iy + 1));  // image moved by one
  EXPECT_EQ(kStageRgb, pressed.At(ix, iy + 14));     // transparent corner, moved
  testkit::MouseUp(b, 5, 5);
  testkit::SaveWindowShot(bench.Stage->Handle(), testkit::ShotsFolder() + "PZSpButt_hot.png");
}

// One image: a disabled button shows a generated embossed picture: black
// pixels of the glyph become shadow, with white one pixel down and right.
TEST(PZSpeedButton, DisabledImageIsGeneratedFromBlackPixels) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10, 25, 25);
  auto glyph = MakeGlyph(14, 14, {clRed});
  glyph->Canvas()->Brush()->SetColor(clBlack);
  glyph->Canvas()->FillRect(TRect(4, 4, 8, 5));  // a black bar
  b->SetGlyph(glyph.get());
  ASSERT_EQ(3, b->Images()->Count());
  bench.Away();
  TPoint pos;
  TRect cap;
  b->CalcLayout(pos, cap);
  const int ix = 10 + pos.x, iy = 10 + pos.y;

  b->SetEnabled(false);
  testkit::Image img = bench.Picture();
  for (int x = 4; x < 8; ++x) EXPECT_EQ(Rgb(clBtnShadow), img.At(ix + x, iy + 4)) << x;
  EXPECT_EQ(0xFFFFFFu, img.At(ix + 8, iy + 5));
  EXPECT_EQ(0xFFFFFFu, img.At(ix + 5, iy + 5));
  EXPECT_EQ(kStageRgb, img.At(ix + 2, iy + 2));  // red is not ink: transparent
  EXPECT_EQ(kStageRgb, img.At(ix + 10, iy + 10));

  // A disabled button ignores the pointer and the mouse.
  testkit::Click(b, 5, 5);
  EXPECT_EQ(0, bench.Clicks);
  EXPECT_EQ(stUp, b->ButtonState());
  // Enabled again under the pointer: hot at once.
  b->SetEnabled(true);
  EXPECT_EQ(stHot, b->ButtonState());
}

// With a caption, blLeft and Margin 3: the image 3 pixels from the left edge
// and the caption after it at Spacing, measured with the button's font.
TEST(PZSpeedButton, LayoutPlacesImageAndCaption) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10, 120, 40);
  auto glyph = MakeGlyph(32, 16, {clLime, clBlue});
  b->SetGlyph(glyph.get());
  b->Font()->SetName("Arial");
  b->Font()->SetHeight(-12);
  b->SetCaption("&Update");
  b->SetLayout(blLeft);
  b->SetMargin(3);
  TPoint pos;
  TRect cap;
  b->CalcLayout(pos, cap);
  EXPECT_EQ(3, pos.x);
  EXPECT_EQ(20 - 8, pos.y);
  EXPECT_EQ(3 + 16 + 4, cap.left);
  EXPECT_GT(cap.Width(), 20);
  bench.Away();
  testkit::Image img = bench.Picture();
  EXPECT_EQ(kStageRgb, img.At(10 + 2, 10 + 20));
  EXPECT_EQ(0x0000FFu, img.At(10 + 3 + 1, 10 + 20));  // idle image from x = 3
  int ink = 0;
  for (int x = cap.left; x < cap.right; ++x)
    for (int y = cap.top; y < cap.bottom; ++y) ink += img.At(10 + x, 10 + y) != kStageRgb;
  EXPECT_GT(ink, 10);  // the caption is there

  b->SetMargin(-5);  // below -1: ignored
  EXPECT_EQ(3, b->Margin());
}

// Latched buttons fill with the shared 8 x 8 pattern, freed with the last
// button.
TEST(PZSpeedButton, LatchedPatternSharedAndFreedWithLastButton) {
  {
    Bench bench;
    TPZSpeedButton* a = bench.Add(10, 10, 30, 30);
    TPZSpeedButton* b = bench.Add(50, 10, 30, 30);
    a->SetGroupIndex(1);
    b->SetGroupIndex(2);
    a->SetDown(true);
    b->SetDown(true);
    bench.Away();
    testkit::Image img = bench.Picture();
    ASSERT_NE(nullptr, TPZSpeedButton::DownPatternIfMade());
    const unsigned hi = Rgb(clBtnHighlight), face = Rgb(clBtnFace);
    int pattern = 0;
    for (int y = 11; y < 39; ++y)
      for (int x = 11; x < 39; ++x) pattern += img.At(x, y) == hi || img.At(x, y) == face;
    EXPECT_EQ(28 * 28, pattern);
    EXPECT_NE(img.At(12, 12), img.At(13, 12));  // a checkerboard
    EXPECT_EQ(Rgb(clBtnShadow), img.At(10, 20));  // sunken frame
  }
  EXPECT_EQ(nullptr, TPZSpeedButton::DownPatternIfMade());
}

// The caption's accelerator clicks; with a popup menu it opens the menu
// below the button instead, and a press on such a button opens it too.
TEST(PZSpeedButton, AcceleratorAndPopupMenu) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10);
  b->SetCaption("Explore&r");
  EXPECT_TRUE(HostForm()->DialogChar('R'));
  EXPECT_EQ(1, bench.Clicks);
  EXPECT_FALSE(HostForm()->DialogChar('x'));

  auto* menu = new TPopupMenu(bench.Stage.get());
  b->SetPopupMenu(menu);
  int shown = 0;
  TPZButtonState during = stUp;
  TPopupMenu::TrackHook() = [&](TPopupMenu* m) -> TMenuItem* {
    EXPECT_EQ(menu, m);
    EXPECT_EQ(b, m->PopupComponent());
    during = b->ButtonState();
    ++shown;
    return nullptr;
  };
  EXPECT_TRUE(HostForm()->DialogChar('r'));
  EXPECT_EQ(1, shown);
  EXPECT_EQ(stMenu, during);
  EXPECT_EQ(1, bench.Clicks);

  testkit::MouseMove(b, 20, 20);
  testkit::MouseDown(b, 20, 20);
  EXPECT_EQ(2, shown);
  EXPECT_EQ(stHot, b->ButtonState());  // the pointer is still over it
  testkit::MouseUp(b, 20, 20);
  EXPECT_EQ(1, bench.Clicks);
  TPopupMenu::TrackHook() = nullptr;

  b->SetEnabled(false);
  EXPECT_FALSE(HostForm()->DialogChar('r'));
}

namespace {
class TButtonForm : public TForm {
 public:
  explicit TButtonForm(TComponent* owner) : TForm(owner) {
    Button = Designed<TPZSpeedButton>(this, "SpbUpdate");
    Button->SetParent(this);
    auto glyph = MakeGlyph(28, 14, {clLime, clBlue});
    Button->SetGlyph(glyph.get());
  }
  TPZSpeedButton* Button;
};
}  // namespace

// A glyph given while a form reads its design is cut into images when they
// are first needed.
TEST(PZSpeedButton, ImagesOfAGlyphGivenInTheDesign) {
  Owned<TButtonForm> f(new TButtonForm(Application));
  f->AfterConstruction();
  ASSERT_NE(nullptr, f->Button->Images());
  EXPECT_EQ(3, f->Button->Images()->Count());
  EXPECT_EQ(2, f->Button->NumGlyphs());
}

// A monochrome glyph is drawn as black ink; its white is the bottom-left
// colour and so transparent.
TEST(PZSpeedButton, MonochromeGlyphBecomesBlackOnWhite) {
  Bench bench;
  TPZSpeedButton* b = bench.Add(10, 10, 25, 25);
  TBitmap mono;
  mono.SetPixelFormat(pf1bit);
  mono.SetSize(16, 16);
  mono.Canvas()->Brush()->SetColor(clWhite);
  mono.Canvas()->FillRect(TRect(0, 0, 16, 16));
  mono.Canvas()->Brush()->SetColor(clBlack);
  mono.Canvas()->FillRect(TRect(4, 4, 12, 12));
  b->SetGlyph(&mono);
  ASSERT_NE(nullptr, b->Images());
  bench.Away();
  TPoint pos;
  TRect cap;
  b->CalcLayout(pos, cap);
  testkit::Image img = bench.Picture();
  EXPECT_EQ(0x000000u, img.At(10 + pos.x + 8, 10 + pos.y + 8));
  EXPECT_EQ(kStageRgb, img.At(10 + pos.x + 1, 10 + pos.y + 1));
  b->SetEnabled(false);  // the black square is the ink of the disabled picture
  EXPECT_EQ(Rgb(clBtnShadow), bench.Picture().At(10 + pos.x + 8, 10 + pos.y + 8));
}
