// The type chooser oqtyp.exe, run as a real process and driven through its
// real windows.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "oqtyp/TypeForm.h"
#include "testkit/TestKit.h"

namespace {

struct TypeChooser : ::testing::Test {
  testkit::TempDir Dir;
  testkit::ChildProcess Chooser;
  HWND Window = nullptr;

  void SetUp() override {
    const std::string build = testkit::ExeFolder();
    ASSERT_TRUE(CopyFileA((build + "oqtyp.exe").c_str(), (Dir / "oqtyp.exe").c_str(), FALSE));
    // A stand-in for the program: it notes that it was started.
    ASSERT_TRUE(CopyFileA((build + "oq_fake_chooser.exe").c_str(), (Dir / "OrvQuill.exe").c_str(),
                          FALSE));
  }
  void Start() {
    ASSERT_TRUE(Chooser.Start("\"" + (Dir / "oqtyp.exe") + "\"", Dir.Path()));
    testkit::PumpUntil(
        [&] {
          Window = FindWindowA(nullptr, "Orv Quillon - Window Type");
          return Window && IsWindowVisible(Window);
        },
        30000);
    ASSERT_NE(Window, nullptr);
  }
  HWND Child(const char* text) {
    HWND found = nullptr;
    testkit::PumpUntil([&] {
      found = FindWindowExA(Window, nullptr, nullptr, text);
      if (!found) {
        // The look buttons sit in a panel.
        HWND panel = nullptr;
        while ((panel = FindWindowExA(Window, panel, nullptr, nullptr)) && !found)
          found = FindWindowExA(panel, nullptr, nullptr, text);
      }
      return found != nullptr;
    });
    return found;
  }
  bool Checked(const char* text) { return SendMessageA(Child(text), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Ended() { return Chooser.WaitEnded(20000); }
};

}  // namespace

TEST_F(TypeChooser, WritesTheChosenWordsAndStartsTheProgram) {
  Start();
  EXPECT_TRUE(Checked("&Brushed metal"));  // the default look without a parameter file
  testkit::SaveWindowShot(Window, testkit::ShotsFolder() + "type-chooser.png");
  SendMessageA(Child("&Grey"), BM_CLICK, 0, 0);
  SendMessageA(Child("No &rounded regions"), BM_CLICK, 0, 0);
  SendMessageA(Child("Keep command &history between runs"), BM_CLICK, 0, 0);
  testkit::SaveWindowShot(Window, testkit::ShotsFolder() + "type-chooser-history.png");
  SendMessageA(Child("S&tart Orv Quillon"), BM_CLICK, 0, 0);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(testkit::ReadFile(Dir / "OrvQuill.par"), "NOMETAL\r\nNORGN\r\nHISTORY\r\n");
  EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(Dir / "chooser-started.txt"); },
                                 10000));
}

// Unticked, the word goes from the file; the other words stay.
TEST_F(TypeChooser, UntickingTheHistoryRemovesTheWord) {
  Dir.Write("OrvQuill.par", "history\r\nWINBORDER\r\n");
  Start();
  EXPECT_TRUE(Checked("Keep command &history between runs"));
  EXPECT_TRUE(Checked("&Windows border"));
  SendMessageA(Child("Keep command &history between runs"), BM_CLICK, 0, 0);
  SendMessageA(Child("S&tart Orv Quillon"), BM_CLICK, 0, 0);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(testkit::ReadFile(Dir / "OrvQuill.par"), "WINBORDER\r\n");
}

TEST_F(TypeChooser, StartsFromTheLastChoiceAndCancelChangesNothing) {
  Dir.Write("OrvQuill.par", "shaded\r\nPOSRESTORE\r\n");
  Start();
  EXPECT_TRUE(Checked("&Shaded"));
  EXPECT_FALSE(Checked("&Brushed metal"));
  EXPECT_TRUE(Checked("Remember window &positions"));
  EXPECT_FALSE(Checked("No button &bitmaps"));
  SendMessageA(Child("Cancel"), BM_CLICK, 0, 0);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(testkit::ReadFile(Dir / "OrvQuill.par"), "shaded\r\nPOSRESTORE\r\n");
  EXPECT_FALSE(testkit::FileExists(Dir / "chooser-started.txt"));
}

// The focus rectangle of a look or option must leave every letter of its
// label visible: each label is painted without and with the focus, and no
// pixel of its text may change. (Wine's check boxes draw their text wider
// than they measure it; with a tight rectangle the focus took the last "l"
// of "Brushed metal".) The window is made here and painted off screen: a
// capture of the chooser process's window from the screen raced that
// process's copy of its paint to the screen, and read the label half drawn.
TEST(TypeChooserWindow, TheFocusCoversNoLetterOfAnyLabel) {
  auto* form = new TTypeForm(Application);
  form->Show();
  TCheckBox* options[] = {form->NoRegions, form->NoBitmaps, form->Remember, form->History};
  std::vector<TWinControl*> boxes(std::begin(form->Look), std::end(form->Look));
  boxes.insert(boxes.end(), std::begin(options), std::end(options));
  for (TWinControl* box : boxes) {
    HWND b = box->Handle();
    char caption[128] = {};
    GetWindowTextA(b, caption, sizeof caption);
    const std::string label = caption;
    // The whole label fits beside the box: nothing of it is cut at the right.
    HDC dc = GetDC(b);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(b, WM_GETFONT, 0, 0)));
    std::string text = label;
    text.erase(text.find('&'), 1);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, font);
    ReleaseDC(b, dc);
    RECT client{};
    GetClientRect(b, &client);
    EXPECT_LE(extent.cx + GetSystemMetrics(SM_CXMENUCHECK) + 8, client.right) << label;
    auto paint = [&](UINT focusMessage) {
      SendMessageA(b, focusMessage, 0, 0);
      return testkit::PaintOffscreen(box, true, 0xFFFFFF);
    };
    const testkit::Image plain = paint(WM_KILLFOCUS);
    const testkit::Image focused = paint(WM_SETFOCUS);
    paint(WM_KILLFOCUS);
    ASSERT_EQ(plain.Pixels.size(), focused.Pixels.size());
    // The focus is drawn at all, or the comparison proves nothing.
    EXPECT_NE(plain.Pixels, focused.Pixels) << label;
    int covered = 0;
    for (size_t i = 0; i < plain.Pixels.size(); ++i) {
      const unsigned p = plain.Pixels[i], f = focused.Pixels[i];
      const bool ink = (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 3 * 0x60;
      if (ink && p != f) ++covered;
    }
    EXPECT_EQ(covered, 0) << label;
  }
  delete form;
}
