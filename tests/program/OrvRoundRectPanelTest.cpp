#include "controls/OrvRoundRectPanel.h"

#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace ctltest;

namespace {

// Restores the class-wide switch whatever a test does to it.
struct RegionsSwitchGuard {
  bool saved = TOrvRoundRectPanel::RegionsEnabled();
  ~RegionsSwitchGuard() { TOrvRoundRectPanel::SetRegionsEnabled(saved); }
};

// The bounding box of a window's region; an empty rect when it has none.
TRect RegionBox(HWND wnd, bool* has = nullptr) {
  GdiRegion rgn(CreateRectRgn(0, 0, 0, 0));
  int kind = GetWindowRgn(wnd, rgn.Get());
  if (has) *has = kind != ERROR && kind != NULLREGION;
  RECT r{0, 0, 0, 0};
  if (kind != ERROR) GetRgnBox(rgn.Get(), &r);
  return TRect(r);
}

bool RegionContains(HWND wnd, int x, int y) {
  GdiRegion rgn(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(wnd, rgn.Get()) == ERROR) return true;  // no region: all of it
  return PtInRegion(rgn.Get(), x, y) != FALSE;
}

struct Pane {
  StagePtr Stage = MakeStage(400, 300);
  TOrvRoundRectPanel* Panel;
  TPanel* Child;
  Pane(int w = 273, int h = 60) {
    Panel = new TOrvRoundRectPanel(Stage.get());
    Panel->SetBounds(10, 10, w, h);
    Panel->SetBorderColor(clRed);
    Panel->SetParent(Stage.get());
    Child = new TPanel(Stage.get());
    Child->SetBounds(8, 8, w - 16, h - 16);
    Child->SetColor(clYellow);
    Child->SetParent(Panel);
  }
};

}  // namespace

// At the first paint the panel's window gets a rounded region of its size,
// and the child the inner rectangle: 257 wide with ClipLeft 2 and ClipRight 3
// keeps x = 2 .. 254.
TEST(OrvRoundRectPanel, FirstPaintShapesPanelAndCutsChild) {
  RegionsSwitchGuard guard;
  Pane pane(273, 60);
  pane.Panel->SetClipFirstControl(true);
  Settle();
  ASSERT_NE(nullptr, pane.Panel->PanelRegion());
  bool has = false;
  TRect box = RegionBox(pane.Panel->Handle(), &has);
  EXPECT_TRUE(has);
  EXPECT_EQ(TRect(0, 0, 273, 60), box);
  HWND pw = pane.Panel->Handle();
  EXPECT_FALSE(RegionContains(pw, 0, 0));  // rounded corners are cut away
  EXPECT_FALSE(RegionContains(pw, 272, 59));
  EXPECT_TRUE(RegionContains(pw, 136, 0));
  EXPECT_TRUE(RegionContains(pw, 0, 30));

  ASSERT_NE(nullptr, pane.Panel->ChildRegion());
  EXPECT_EQ(TRect(2, 2, 255, 44 - 3 + 1), RegionBox(pane.Child->Handle()));

  // On the screen: the child's edge columns show the panel's face, not the
  // child's yellow.
  testkit::Image shot = testkit::CaptureScreen(pw);
  EXPECT_EQ(Rgb(clWindow), shot.At(8 + 1, 30));
  EXPECT_EQ(0xFFFF00u, shot.At(8 + 2, 30));
  EXPECT_EQ(0xFFFF00u, shot.At(8 + 254, 30));
  EXPECT_EQ(Rgb(clWindow), shot.At(8 + 255, 30));
  EXPECT_EQ(0xFF0000u, shot.At(0, 30));  // the outline
  testkit::SaveWindowShot(pane.Stage->Handle(), testkit::ShotsFolder() + "RoundRect_cut.png");
}

// With the switch off (option NORGN) the panel stays rectangular, yet the
// outline is drawn and the child is still cut.
TEST(OrvRoundRectPanel, RegionsOffKeepsPanelRectangularButDrawsAndCuts) {
  RegionsSwitchGuard guard;
  TOrvRoundRectPanel::SetRegionsEnabled(false);
  Pane pane(200, 50);
  pane.Panel->SetClipFirstControl(true);
  Settle();
  bool has = true;
  RegionBox(pane.Panel->Handle(), &has);
  EXPECT_FALSE(has);
  EXPECT_EQ(nullptr, pane.Panel->PanelRegion());
  EXPECT_NE(nullptr, pane.Panel->ChildRegion());

  testkit::Image img = PaintOffscreen(pane.Panel);
  EXPECT_EQ(0xFF0000u, img.At(0, 25));
  EXPECT_EQ(0xFF0000u, img.At(199, 25));
  EXPECT_EQ(0xFF0000u, img.At(100, 0));
  EXPECT_EQ(0xFF0000u, img.At(100, 49));
  // Outside the rounded outline the panel's face still shows (no region).
  EXPECT_EQ(Rgb(clWindow), img.At(0, 0));
  EXPECT_EQ(Rgb(clWindow), img.At(1, 25));
}

// Only a windowed child can be cut. Children count windowless first, so with
// a shape and a speed-button-like control in front the list is child 2.
TEST(OrvRoundRectPanel, ClipControlNrOnWindowlessOrMissingChildCutsNothing) {
  RegionsSwitchGuard guard;
  Pane pane(200, 80);
  auto* shape = new TShape(pane.Stage.get());
  shape->SetBounds(0, 60, 200, 1);
  shape->SetParent(pane.Panel);
  auto* label = new TShape(pane.Stage.get());
  label->SetBounds(10, 65, 50, 10);
  label->SetParent(pane.Panel);
  ASSERT_EQ(3, pane.Panel->ControlCount());
  ASSERT_EQ(pane.Child, pane.Panel->Controls(2));

  pane.Panel->SetClipFirstControl(true);
  for (int nr : {0, 1, 3, -1}) {
    pane.Panel->SetClipControlNr(nr);
    Settle();
    bool has = true;
    RegionBox(pane.Child->Handle(), &has);
    EXPECT_FALSE(has) << "ClipControlNr " << nr;
    EXPECT_EQ(nullptr, pane.Panel->ChildRegion());
  }
  pane.Panel->SetClipControlNr(2);
  Settle();
  bool has = false;
  TRect box = RegionBox(pane.Child->Handle(), &has);
  EXPECT_TRUE(has);
  EXPECT_EQ(TRect(2, 2, 184 - 3 + 1, 64 - 3 + 1), box);
}

// A resize (with an anchored child) gives both windows new regions computed
// from the new sizes at the next paint.
TEST(OrvRoundRectPanel, ResizeRemakesRegionsFromNewSizes) {
  RegionsSwitchGuard guard;
  Pane pane(200, 60);
  pane.Child->SetAnchors(akLeft | akTop | akRight | akBottom);
  pane.Panel->SetClipFirstControl(true);
  Settle();
  HRGN oldPanel = pane.Panel->PanelRegion();
  ASSERT_NE(nullptr, oldPanel);
  EXPECT_EQ(TRect(0, 0, 200, 60), RegionBox(pane.Panel->Handle()));
  EXPECT_EQ(TRect(2, 2, 182, 42), RegionBox(pane.Child->Handle()));

  pane.Panel->SetBounds(10, 10, 300, 100);
  EXPECT_EQ(nullptr, pane.Panel->PanelRegion());  // discarded at once
  EXPECT_EQ(284, pane.Child->Width());
  Settle();
  EXPECT_NE(nullptr, pane.Panel->PanelRegion());
  EXPECT_EQ(TRect(0, 0, 300, 100), RegionBox(pane.Panel->Handle()));
  EXPECT_EQ(TRect(2, 2, 282, 82), RegionBox(pane.Child->Handle()));
  // The outline follows the new right edge.
  EXPECT_EQ(0xFF0000u, PaintOffscreen(pane.Panel).At(299, 50));

  // A pure move also forgets the regions; the next paint remakes them.
  pane.Panel->SetBounds(20, 20, 300, 100);
  EXPECT_EQ(nullptr, pane.Panel->PanelRegion());
  Settle();
  EXPECT_NE(nullptr, pane.Panel->PanelRegion());
}

TEST(OrvRoundRectPanel, RadiusZeroGivesSquareCorners) {
  RegionsSwitchGuard guard;
  Pane pane(120, 40);
  pane.Panel->SetRndRadius(0);
  Settle();
  HWND pw = pane.Panel->Handle();
  EXPECT_TRUE(RegionContains(pw, 0, 0));
  EXPECT_TRUE(RegionContains(pw, 119, 39));
  testkit::Image img = PaintOffscreen(pane.Panel);
  EXPECT_EQ(0xFF0000u, img.At(0, 0));
  EXPECT_EQ(0xFF0000u, img.At(119, 39));
  // Negative radii are ignored.
  pane.Panel->SetRndRadius(-5);
  EXPECT_EQ(0, pane.Panel->RndRadius());
}

// Pen width and inset by BorderWidth: 2 gives a 3-pixel pen at inset 0
// (of which two pixels fall inside), 3 gives a 3-pixel pen at inset 1.
TEST(OrvRoundRectPanel, OutlineWidthFollowsBorderWidth) {
  RegionsSwitchGuard guard;
  Pane pane(120, 60);
  pane.Child->SetVisible(false);
  auto column = [&] {
    testkit::Image img = PaintOffscreen(pane.Panel);
    int n = 0;
    while (n < 10 && img.At(n, 30) == 0xFF0000u) ++n;
    return n;
  };
  EXPECT_EQ(1, column());
  pane.Panel->SetBorderWidth(2);
  EXPECT_EQ(2, column());
  pane.Panel->SetBorderWidth(3);
  EXPECT_EQ(3, column());
}

// Setter rules: each shape setter forgets the regions (so they are made
// anew); an unchanged value, BorderColor and turning the cut off do not make
// a new region for the child.
TEST(OrvRoundRectPanel, SettersDiscardRegionsAsTheirRulesSay) {
  RegionsSwitchGuard guard;
  Pane pane(200, 60);
  pane.Panel->SetClipFirstControl(true);
  Settle();
  ASSERT_NE(nullptr, pane.Panel->ChildRegion());

  pane.Panel->SetClipLeft(2);  // unchanged
  EXPECT_NE(nullptr, pane.Panel->PanelRegion());
  pane.Panel->SetBorderColor(clBlue);
  EXPECT_NE(nullptr, pane.Panel->PanelRegion());
  EXPECT_EQ(0x0000FFu, (Settle(), PaintOffscreen(pane.Panel).At(0, 30)));

  // Same ClipControlNr while cutting: still discarded and repainted.
  pane.Panel->SetClipControlNr(0);
  EXPECT_EQ(nullptr, pane.Panel->ChildRegion());
  Settle();
  ASSERT_NE(nullptr, pane.Panel->ChildRegion());

  pane.Panel->SetClipRight(4);  // hides three columns now
  EXPECT_EQ(nullptr, pane.Panel->ChildRegion());
  Settle();
  EXPECT_EQ(TRect(2, 2, 184 - 4 + 1, 44 - 3 + 1), RegionBox(pane.Child->Handle()));

  // Turning the cut off leaves the child's region where it is.
  pane.Panel->SetClipFirstControl(false);
  Settle();
  EXPECT_EQ(nullptr, pane.Panel->ChildRegion());
  EXPECT_EQ(TRect(2, 2, 181, 42), RegionBox(pane.Child->Handle()));
}
