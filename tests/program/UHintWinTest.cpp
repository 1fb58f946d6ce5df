// The hint window: shown at a point with its text on one line, above the
// other windows, never activated (not even by a real click), gone by itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestUtil.h"
#include "dialogs/UHintWin.h"
#include "progs/MousePath.h"

namespace {
int TextWidth(TFont* font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  SIZE s{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return s.cx;
}

// Counts the left-button releases a control's window receives.
struct ReleaseCounter : TWindowObserver {
  int Releases = 0;
  void WindowMessage(TWinControl*, const TMessage& m) override {
    if (m.Msg == WM_LBUTTONUP) ++Releases;
  }
  void WindowCreated(TWinControl*) override {}
  void WindowDestroying(TWinControl*) override {}
};
}  // namespace

TEST(UHintWin, OneLineAtThePointAboveEverythingNeverActivatedAndGoneBySelf) {
  TForm* host = ctltest::HostForm();
  SetForegroundWindow(host->Handle());
  ASSERT_TRUE(testkit::PumpUntil([&] { return GetForegroundWindow() == host->Handle(); }));

  const std::string drop = "Press Enter to execute the copy operation.";
  const std::string wide(120, 'W');
  struct Case {
    std::string text;
    TPoint at;
  } cases[] = {{drop, TPoint(120, 300)}, {wide, TPoint(10, 340)}, {"", TPoint(400, 380)}};
  std::vector<HWND> shown;
  THintForm* first = nullptr;
  for (const Case& c : cases) {
    THintForm* h = ShowHintAt(c.text, c.at);
    ASSERT_EQ(HintForm, h);
    HWND w = h->Handle();
    shown.push_back(w);
    if (!first) first = h;
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, c.at.x) << c.text;
    EXPECT_EQ(r.top, c.at.y) << c.text;
    EXPECT_EQ(r.bottom - r.top, 15) << c.text;
    // The text's own width plus the panel's border; one line, never wrapped.
    const int expected = c.text.empty() ? 2 : TextWidth(h->Label1->Font(), c.text) + 2;
    EXPECT_EQ(r.right - r.left, expected) << c.text;
    // The whole text shows inside the panel's border.
    RECT inner{};
    GetClientRect(h->Panel1->Handle(), &inner);
    if (!c.text.empty()) EXPECT_LE(h->Label1->Width(), inner.right) << c.text;
    EXPECT_LE(h->Label1->Height(), inner.bottom) << c.text;
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) << c.text;
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetForegroundWindow(), host->Handle()) << c.text;
  }
  testkit::SaveWindowShot(shown[0], testkit::ShotsFolder() + "HintWindow.png");

  // A real click on the note leaves the activation where it was.
  ReleaseCounter counter;
  first->Panel1->AddWindowObserver(&counter);
  RECT r{};
  GetWindowRect(first->Handle(), &r);
  mousepath::MoveTo(POINT{r.left + 5, r.top + 7});
  POINT at{};
  testkit::PumpUntil([&] { return GetCursorPos(&at) && at.x == r.left + 5; });
  EXPECT_EQ(at.x, r.left + 5);
  EXPECT_EQ(at.y, r.top + 7);
  mousepath::Button(MOUSEEVENTF_LEFTDOWN);
  mousepath::Button(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(testkit::PumpUntil([&] { return counter.Releases == 1; }));
  EXPECT_EQ(GetForegroundWindow(), host->Handle());
  first->Panel1->RemoveWindowObserver(&counter);

  // Each one closes and frees itself after its time, with no help.
  EXPECT_TRUE(testkit::PumpUntil(
      [&] {
        for (HWND w : shown)
          if (IsWindow(w)) return false;
        return true;
      },
      9000));
  EXPECT_EQ(HintForm, nullptr);
}
