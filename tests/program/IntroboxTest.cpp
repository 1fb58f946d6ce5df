// The intro box: its picture and name, and when it may go.
#include "dialogs/introbntrob.h"

#include <gtest/gtest.h>

#include <functional>

#include "DialogsTestUtil.h"
#include "drawing/PZLabel.h"

using namespace dlgtest;

namespace {

TIntrobox* NewIntrobox() {
  TIntrobox* box = Application->CreateForm<TIntrobox>();
  testkit::PumpUntil([box] { return IsWindowVisible(box->Handle()) != 0; });
  return box;
}

bool Gone(TIntrobox* box) { return testkit::PumpUntil([box] { return !Alive(box); }, 2000); }

}  // namespace

TEST(Introbox, ShowsItsPictureAboveEverything) {
  TIntrobox* box = NewIntrobox();
  EXPECT_EQ(Introbox, box);
  EXPECT_TRUE(GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(box->ClientWidth(), 418);
  EXPECT_EQ(box->ClientHeight(), 280);
  RECT r;
  GetWindowRect(box->Handle(), &r);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  // The picture came from the program's resources at its size.
  EXPECT_EQ(box->Image1->Picture()->Width(), 394);
  EXPECT_EQ(box->Image1->Picture()->Height(), 205);
  EXPECT_EQ(box->Image1->BoundsRect(), Bounds(11, 12, 394, 205));
  EXPECT_EQ(box->Timer1->Interval(), 4000u);
  EXPECT_FALSE(box->Timer1->Enabled());

  // What the screen shows: the name in yellow, each yellow stroke with its
  // black shadow two pixels down and right, and the white version text.
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();
  const testkit::Image shot = testkit::CaptureScreen(box->Handle());
  testkit::SavePng(shot, testkit::ShotsFolder() + "Introbox.png");
  int yellow = 0, shadowed = 0;
  const TRect name = box->PZLabel2->BoundsRect();
  for (int y = name.top; y < name.bottom - 2; ++y)
    for (int x = name.left; x < name.right - 2; ++x)
      if (shot.At(x, y) == 0xFFFF00) {
        ++yellow;
        const unsigned s = shot.At(x + 2, y + 2);
        if (s == 0xFFFF00 || s == 0x000000) ++shadowed;
      }
  EXPECT_GT(yellow, 300);
  // Edges of the strokes blend; the strokes themselves have their shadow.
  EXPECT_GT(shadowed, yellow * 3 / 4);
  int white = 0;
  const TRect ver = box->LabelVer->BoundsRect();
  for (int y = ver.top; y < ver.bottom; ++y)
    for (int x = ver.left; x < ver.right; ++x) white += shot.At(x, y) == 0xFFFFFF;
  EXPECT_GT(white, 40);
  TComponent::Free(box);
  EXPECT_EQ(Introbox, nullptr);
}

// Every way of closing, before and after the main window starts the timer.
TEST(Introbox, ClosesOnlyOnceCounting) {
  struct Trigger {
    const char* Name;
    std::function<void(TIntrobox*)> Do;
  };
  auto click = [](auto member) {
    return [member](TIntrobox* b) {
      TControl* c = b->*member;
      testkit::Click(c, c->Width() / 2, c->Height() / 2);
    };
  };
  const Trigger triggers[] = {
      {"click on the panel's edge", [](TIntrobox* b) { testkit::Click(b->Panel, 4, 4); }},
      {"click on the picture", click(&TIntrobox::Image1)},
      {"click on the name", click(&TIntrobox::PZLabel2)},
      {"click on the icon", click(&TIntrobox::Image2)},
      {"click on the version", click(&TIntrobox::LabelVer)},
      {"a key", [](TIntrobox* b) { testkit::PressKey(b->Panel->Handle(), VK_SPACE); }},
      // Once the main window is up it has the focus, not the box.
      {"a key in another window",
       [](TIntrobox*) {
         TForm* other = Application->CreateForm<TForm>();
         auto* edit = Placed<TEdit>(other, other, "Edit", 8, 8, 100, 21);
         other->Show();
         edit->SetFocus();
         testkit::PressKey(edit->Handle(), 'A');
         TComponent::Free(other);
       }},
      {"the timer", [](TIntrobox* b) { b->Timer1->Fire(); }},
  };
  for (const Trigger& t : triggers) {
    SCOPED_TRACE(t.Name);
    TIntrobox* box = NewIntrobox();
    t.Do(box);
    testkit::PumpPending();
    EXPECT_TRUE(Alive(box));
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
    box->Timer1->SetEnabled(true);  // what the main window's show does
    t.Do(box);
    EXPECT_TRUE(Gone(box));
    EXPECT_EQ(Introbox, nullptr);
  }
}

// Nothing modal may open under the box, which stays on top: it goes first.
TEST(Introbox, GivesWayToAModalBoxWhileWaiting) {
  // Others follow the same notification, before the box and after it.
  int before = 0, after = 0;
  const int first = Application->OnModalBegin.Add([&](TObject*) { ++before; });
  TIntrobox* box = NewIntrobox();
  const int second = Application->OnModalBegin.Add([&](TObject*) { ++after; });
  testkit::MessageBoxRecorder boxes;
  Application->MessageBox("Language specified in OrvQuill.lng does not exists!", "Error!",
                          MB_OK | MB_ICONERROR);
  EXPECT_EQ(Introbox, nullptr);
  EXPECT_FALSE(IsWindowVisible(box->Handle()));
  EXPECT_TRUE(Gone(box));
  // A later modal box finds nothing to move; the others still hear of it.
  Application->MessageBox("x", "y", MB_OK);
  EXPECT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(before, 2);
  EXPECT_EQ(after, 2);
  Application->OnModalBegin.Remove(first);
  Application->OnModalBegin.Remove(second);
  EXPECT_TRUE(Application->OnModalBegin.Empty());
}
