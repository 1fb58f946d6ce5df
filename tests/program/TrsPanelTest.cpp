#include "controls/TrsPanel.h"

#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace ctltest;

namespace {

int CountMismatches(const testkit::Image& img, int offX, int offY) {
  int bad = 0;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (img.At(x, y) != GradientAt(x + offX, y + offY)) ++bad;
  return bad;
}

TTrsPanel* MakePanel(TStage* stage, int l, int t, int w, int h) {
  auto* p = new TTrsPanel(stage);
  p->SetBevelOuter(bvNone);
  p->SetBounds(l, t, w, h);
  p->SetParent(stage);
  return p;
}

}  // namespace

// The panel shows exactly the parent's pixels, on the screen and when painted
// off screen, and again after it was moved; the parent's windowless children
// belong to what it paints.
TEST(TrsPanel, TransparentShowsParentPixelsAlsoAfterMove) {
  auto stage = MakeStage(320, 220, true);
  TTrsPanel* p = MakePanel(stage.get(), 40, 30, 120, 50);
  Settle();

  EXPECT_EQ(0, CountMismatches(PaintOffscreen(p), 40, 30));
  EXPECT_EQ(0, CountMismatches(testkit::CaptureScreen(p->Handle()), 40, 30));
  testkit::SaveWindowShot(stage->Handle(), testkit::ShotsFolder() + "TrsPanel_transparent.png");

  p->SetBounds(150, 140, 120, 50);
  Settle();
  EXPECT_EQ(0, CountMismatches(PaintOffscreen(p), 150, 140));
  EXPECT_EQ(0, CountMismatches(testkit::CaptureScreen(p->Handle()), 150, 140));

  auto* shape = new TShape(stage.get());
  shape->Brush()->SetColor(clRed);
  shape->Pen()->SetColor(clRed);
  shape->SetBounds(160, 150, 20, 20);
  shape->SetParent(stage.get());
  testkit::Image img = PaintOffscreen(p);
  EXPECT_EQ(0xFF0000u, img.At(15, 15));
  EXPECT_EQ(GradientAt(150 + 50, 140 + 40), img.At(50, 40));
}

// A windowless control that, half-way through its painting, has the panel
// over it repaint at once: the panel paints the parent behind itself, and so
// this control again, inside its own painting. The outer painting must go on
// drawing into its own device context.
namespace {
struct TRepaintsPanelMidway : TGraphicControl {
  using TGraphicControl::TGraphicControl;
  TTrsPanel* Panel = nullptr;
  int Depth = 0;
  void Paint() override {
    Canvas()->Brush()->SetColor(clLime);
    Canvas()->FillRect(TRect(0, 0, Width(), Height() / 2));
    if (Depth++ == 0 && Panel) Panel->Repaint();
    --Depth;
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(TRect(0, Height() / 2, Width(), Height()));
  }
};
}  // namespace

TEST(TrsPanel, AControlPaintedAgainWhileItPaintsKeepsItsCanvas) {
  testkit::MessageBoxRecorder boxes;
  auto stage = MakeStage(200, 120);
  auto* c = new TRepaintsPanelMidway(stage.get());
  c->SetBounds(10, 10, 80, 60);
  c->SetParent(stage.get());
  c->Panel = MakePanel(stage.get(), 50, 20, 100, 60);
  Settle();
  stage->Repaint();
  Settle();
  EXPECT_TRUE(boxes.Boxes.empty()) << boxes.Boxes.front().Text;
  const testkit::Image img = testkit::CaptureScreen(stage->Handle());
  EXPECT_EQ(0x0000FFu, img.At(20, 60));  // the lower half, drawn after the nested painting
  EXPECT_EQ(0x00FF00u, img.At(20, 20));
}

TEST(TrsPanel, OpaqueShowsItsColourAndHidesTheParent) {
  auto stage = MakeStage(200, 120, true);
  TTrsPanel* p = MakePanel(stage.get(), 20, 20, 100, 60);
  p->SetTransparent(false);
  p->SetColor(0x3366CC);
  Settle();
  for (const testkit::Image& img : {PaintOffscreen(p), testkit::CaptureScreen(p->Handle())}) {
    int other = 0;
    for (unsigned px : img.Pixels) other += px != 0xCC6633u;
    EXPECT_EQ(0, other);
  }
}

// Raised outer and lowered inner bevels of width 1: two rings with swapped
// colours, and the caption centred in what lies inside both.
TEST(TrsPanel, BevelRingsAndCentredCaption) {
  auto stage = MakeStage(200, 120);
  auto* p = new TTrsPanel(stage.get());
  p->SetBounds(10, 10, 120, 40);
  p->SetBevelOuter(bvRaised);
  p->SetBevelInner(bvLowered);
  p->SetTransparent(false);
  p->SetColor(0x00E0FFE0);
  p->Font()->SetName("Arial");
  p->Font()->SetHeight(-16);
  p->Font()->SetColor(clBlack);
  p->SetCaption("MMM");
  p->SetParent(stage.get());
  Settle();
  testkit::Image img = PaintOffscreen(p);
  const unsigned hi = Rgb(clBtnHighlight), sh = Rgb(clBtnShadow);
  const int W = 120, H = 40;
  // Outer ring: light on top and left, dark on right and bottom.
  EXPECT_EQ(hi, img.At(0, 0));
  EXPECT_EQ(hi, img.At(50, 0));
  EXPECT_EQ(hi, img.At(0, 20));
  EXPECT_EQ(sh, img.At(W - 1, 20));
  EXPECT_EQ(sh, img.At(50, H - 1));
  EXPECT_EQ(sh, img.At(W - 1, H - 1));
  // Inner ring: swapped.
  EXPECT_EQ(sh, img.At(1, 1));
  EXPECT_EQ(sh, img.At(50, 1));
  EXPECT_EQ(sh, img.At(1, 20));
  EXPECT_EQ(hi, img.At(W - 2, 20));
  EXPECT_EQ(hi, img.At(50, H - 2));
  // Inside both rings: the face colour at the corners.
  EXPECT_EQ(0xE0FFE0u, img.At(2, 2));
  EXPECT_EQ(0xE0FFE0u, img.At(W - 3, H - 3));

  int minX = W, maxX = -1;
  for (int y = 2; y < H - 2; ++y)
    for (int x = 2; x < W - 2; ++x)
      if (img.At(x, y) == 0) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
      }
  ASSERT_LE(minX, maxX) << "no caption drawn";
  // The rectangle inside both rings is 2 .. W - 2; "MMM" is symmetric.
  EXPECT_NEAR((2 + W - 2) / 2.0, (minX + maxX + 1) / 2.0, 1.0);
}

TEST(TrsPanel, DisabledCaptionIsEngravedAndShowCaptionHidesIt) {
  auto stage = MakeStage(200, 120);
  auto* p = new TTrsPanel(stage.get());
  p->SetBounds(10, 10, 150, 40);
  p->SetBevelOuter(bvNone);
  p->SetTransparent(false);
  p->SetColor(0x00C0E0FF);
  p->Font()->SetName("Arial");
  p->Font()->SetHeight(-20);
  p->Font()->SetStyle(fsBold);
  p->Font()->SetColor(clBlack);
  p->SetCaption("Engraved");
  p->SetParent(stage.get());
  Settle();
  auto count = [](const testkit::Image& img, unsigned colour) {
    int n = 0;
    for (unsigned px : img.Pixels) n += px == colour;
    return n;
  };
  const unsigned hi = Rgb(clBtnHighlight), sh = Rgb(clBtnShadow), face = 0xFFE0C0;

  testkit::Image enabled = PaintOffscreen(p);
  EXPECT_GT(count(enabled, 0x000000), 20);
  EXPECT_EQ(0, count(enabled, hi));

  p->SetEnabled(false);
  testkit::Image disabled = PaintOffscreen(p);
  EXPECT_GT(count(disabled, hi), 20);
  EXPECT_GT(count(disabled, sh), 20);
  EXPECT_EQ(0, count(disabled, 0x000000));
  // The light copy lies one pixel down and right of the dark one.
  int shifted = 0, dark = 0;
  for (int y = 0; y + 1 < disabled.Height; ++y)
    for (int x = 0; x + 1 < disabled.Width; ++x)
      if (disabled.At(x, y) == sh) {
        ++dark;
        if (disabled.At(x + 1, y + 1) == hi || disabled.At(x + 1, y + 1) == sh) ++shifted;
      }
  EXPECT_GT(shifted * 2, dark);

  for (bool en : {false, true}) {
    p->SetEnabled(en);
    p->SetShowCaption(false);
    EXPECT_EQ(150 * 40, count(PaintOffscreen(p), face)) << "enabled " << en;
  }
}
