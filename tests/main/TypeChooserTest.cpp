// The type chooser oqtyp.exe, run as a real process and driven through its
// real windows.
#include <gtest/gtest.h>

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
  SendMessageA(Child("S&tart Orv Quillon"), BM_CLICK, 0, 0);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(testkit::ReadFile(Dir / "OrvQuill.par"), "NOMETAL\r\nNORGN\r\n");
  EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(Dir / "chooser-started.txt"); },
                                 10000));
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
