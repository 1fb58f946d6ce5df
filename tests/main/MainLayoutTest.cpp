// The command-line window's components, places and how they follow the size.
#include "controls/OrvRoundRectPanel.h"
#include "controls/TrsPanel.h"
#include "main/MainFixture.h"
#include "framework/Registry.h"
#include "program/FrameTestUtil.h"

using MainLayout = MainFixture;

namespace {
// Sizes the window so that the frame's client panel, in which the controls
// lie, has the given client size: the title bar and the panel's border
// line lie around it.
void SetPanelClientSize(TForm1* f, int cw, int ch) {
  f->SetClientSize(cw + f->ClientWidth() - f->PanelClient->ClientWidth(),
                   ch + f->ClientHeight() - f->PanelClient->ClientHeight());
  testkit::PumpPending();
}
}  // namespace

TEST_F(MainLayout, ControlsLiveInTheFrameClientPanelAtTheirPlaces) {
  EXPECT_EQ(F->PanelCmd->Parent(), F->PanelClient);
  EXPECT_EQ(F->SpbUpdate->Parent(), F->PanelClient);
  EXPECT_EQ(F->CommLine->Parent(), F->PanelCmd);
  EXPECT_EQ(F->SpbCross->Parent(), F->PanelSpeedbuttsRight);
  EXPECT_EQ(F->SpbUpdate->BoundsRect(), Bounds(8, 3, 73, 45));
  EXPECT_EQ(F->SpbExplorer->BoundsRect(), Bounds(168, 3, 73, 45));
  EXPECT_EQ(F->PanelDirs->Top(), 80);
  EXPECT_EQ(F->PanelDrive->Top(), 52);
  // The size grip sized the window to its corner plus 3 pixels, in the
  // frame's own title bar and border.
  EXPECT_EQ(F->BoundsRect().Width(), 574);
  EXPECT_EQ(F->BoundsRect().Height(), 450);
  EXPECT_EQ(F->PanelClient->ClientWidth(), 572);
  EXPECT_EQ(F->PanelClient->ClientHeight(), 426);
  // The file list comes after a button, a label and a shape in its panel.
  EXPECT_EQ(F->PanelFiles->Controls(3), F->FileListBox1);
  // The caption shows without its markup.
  EXPECT_EQ(F->Caption(), "OrvQuillon -- Advanced Windows Command Line");
}

TEST_F(MainLayout, TwoEqualColumnsAtEverySize) {
  for (int cw : {570, 800, 1001}) {
    SetPanelClientSize(F, cw, 500);
    const int w = (cw - 24) / 2;
    SCOPED_TRACE(cw);
    EXPECT_EQ(F->PanelDirs->Left(), 8);
    EXPECT_EQ(F->PanelDirs->Width(), w);
    EXPECT_EQ(F->PanelDrive->Width(), w);
    EXPECT_EQ(F->PanelFiles->Left(), 16 + w);
    EXPECT_EQ(F->PanelFiles->Width(), w);
    EXPECT_EQ(F->PanelWildcard->Left(), 16 + w);
    EXPECT_EQ(F->PanelWildcard->Width(), w);
    EXPECT_EQ(F->SpBHelp->Left(), (cw - 25) / 2);
  }
  SetPanelClientSize(F, 800, 500);
  EXPECT_EQ(F->PanelDirs->Width(), 388);
  EXPECT_EQ(F->PanelFiles->Left(), 404);
}

TEST_F(MainLayout, BottomAndRightPartsFollowTheWindow) {
  SetPanelClientSize(F, 800, 600);
  const int dh = 600 - 426, dw = 800 - 572;
  EXPECT_EQ(F->PanelCmd->BoundsRect(), Bounds(8, 376 + dh, 529 + dw, 21));
  EXPECT_EQ(F->CommLine->Width(), 517 + dw);
  EXPECT_EQ(F->CheckBoxDIR->BoundsRect(), Bounds(8, 401 + dh, 273, 19));
  EXPECT_EQ(F->CheckBoxDOS->BoundsRect(), Bounds(288, 401 + dh, 273, 19));
  EXPECT_EQ(F->PanelBatch->BoundsRect(), Bounds(537 + dw, 374 + dh, 26, 26));
  EXPECT_EQ(F->PanelSpeedbuttsRight->BoundsRect(), Bounds(313 + dw, 0, 256, 49));
  EXPECT_EQ(F->PanelDirs->Height(), 289 + dh);
  EXPECT_EQ(F->PanelFiles->Height(), 289 + dh);
  EXPECT_EQ(F->PanelDrive->Top(), 52);
  // Inside the panes the lists stretch and the summary line stays at the foot.
  EXPECT_EQ(F->FileListBox1->Height(), 263 + dh);
  EXPECT_EQ(F->SpBAttribs->Top(), 272 + dh);
  EXPECT_EQ(F->LabFileCount->Left() + F->LabFileCount->Width(), F->PanelFiles->Width() - 8);
}

TEST_F(MainLayout, CannotBeMadeSmallerThanItsMinimum) {
  F->SetBounds(F->Left(), F->Top(), 300, 200);
  EXPECT_EQ(F->Width(), 570);
  EXPECT_EQ(F->Height(), 450);
}

namespace {
void PostMouse(TControl* part, UINT msg, int x, int y, WPARAM keys) {
  testkit::PostMouseInPlace(part, msg, x, y, keys);
}
// A drag as a hand does it: press, four moves, release. The pressed part
// (the title bar, the grip) moves with the window, so each move is seen from
// the part where it is then: the pointer's way since the last move.
void DragBy(TControl* part, int x, int y, int dx, int dy) {
  PostMouse(part, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  for (int step = 1; step <= 4; ++step)
    PostMouse(part, WM_MOUSEMOVE, x + dx * step / 4 - dx * (step - 1) / 4,
              y + dy * step / 4 - dy * (step - 1) / 4, MK_LBUTTON);
  PostMouse(part, WM_LBUTTONUP, x, y, 0);
}
}  // namespace

// With remembered positions the window comes back where the user moved it
// (by its title bar) and at the size the user gave it (by its grip).
TEST_F(MainLayout, PositionAndSizeComeBackAsTheUserLeftThem) {
  const std::string key = "Software\\Orv-Software\\OrvQuill\\Main";
  TRegistry().DeleteKey(key);
  struct Remember {
    bool Was = PosRestoreEnabled;
    Remember() { PosRestoreEnabled = true; }
    ~Remember() { PosRestoreEnabled = Was; }
  } remember;
  F->SetBounds(40, 30, F->Width(), F->Height());
  const TRect designed = F->BoundsRect();
  DragBy(F->PanelHead, 200, 8, 37, 23);
  DragBy(F->ImgEcke, 8, 8, 60, 45);
  const TRect left = F->BoundsRect();
  ASSERT_EQ(left, Bounds(designed.left + 37, designed.top + 23, designed.Width() + 60,
                         designed.Height() + 45));
  TComponent::Free(F);
  F = Application->CreateForm<TForm1>();
  F->Show();
  testkit::PumpUntil([&] { return IsWindowVisible(F->Handle()) != 0; });
  EXPECT_EQ(F->BoundsRect(), left);
  TComponent::Free(F);
  F = nullptr;
  TRegistry().DeleteKey(key);
}

TEST_F(MainLayout, TheCommandLineHasTheFocusFirst) {
  EXPECT_TRUE(testkit::PumpUntil([&] { return F->CommLine->Focused(); }));
  // Tab goes on to the first check box.
  testkit::PressKey(F->CommLine->EditHandle(), VK_TAB);
  EXPECT_TRUE(F->CheckBoxDIR->Focused());
}

TEST_F(MainLayout, TitleInEveryLook) {
  Dir.Write("work\\readme.txt", "x");
  Dir.Write("work\\tool.exe", "x");
  Dir.MakeDir("work\\sub");
  TForm* other = Application->CreateForm<TForm>();
  other->SetBounds(900, 700, 100, 50);
  other->Show();
  struct Variant {
    frametest::Look L;
    bool Regions, ButtonBitmaps;
    const char* Suffix;
  };
  std::vector<Variant> variants;
  for (const frametest::Look& l : frametest::kLooks) variants.push_back({l, true, true, ""});
  variants.push_back({frametest::kLooks[0], false, false, "-norgn-nobuttbmps"});
  for (const Variant& v : variants) {
    frametest::LookScope look(v.L, v.Regions, v.ButtonBitmaps);
    TComponent::Free(F);
    F = Application->CreateForm<TForm1>();
    F->SetPosition(poDesigned);
    F->SetBounds(20, 20, F->Width(), F->Height());
    F->Show();
    testkit::PumpUntil([&] { return IsWindowVisible(F->Handle()) != 0; });
    // The window's own icon in the title bar's system image.
    EXPECT_EQ(F->ImgSysM->Picture()->SaveToStream(), F->Image1->Picture()->SaveToStream());
    for (bool active : {true, false}) {
      frametest::SetActive(F, other, active);
      frametest::ExpectTitleLook(F, v.L, active,
                                 std::string("frame-main-") + v.L.Name + v.Suffix +
                                     (active ? "-active" : "-inactive") + ".png");
    }
  }
  TComponent::Free(other);
}
