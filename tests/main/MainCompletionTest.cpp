// The command line's keys pressed as a user presses them: Tab completing
// names, Escape, Ctrl+Backspace and Ctrl+A.
#include <atomic>

#include "main/MainFixture.h"
#include "testkit/FolderReads.h"

namespace {
struct MainCompletion : MainFixture {
  void Key(WORD vk, TShiftState held = 0) { testkit::PressKey(F->CommLine->EditHandle(), vk, held); }
  // Tab (or Shift+Tab), and the line once the folder is read.
  std::string Tab(TShiftState held = 0) {
    Key(VK_TAB, held);
    EXPECT_TRUE(testkit::PumpUntil([&] { return !F->CompletionBusy(); }));
    return F->CommLine->Text();
  }
  void Line(const std::string& text) {
    F->CommLine->SetFocus();
    F->CommLine->SetText(text);
    F->CommLine->SetSelStart(static_cast<int>(text.size()));
  }
};
}  // namespace

TEST_F(MainCompletion, TabGoesRoundTheNamesAndTheEditingKeysAct) {
  for (const char* n : {"plain.txt", "plan b.txt", "other.txt"}) Dir.Write(std::string("work\\") + n, n);
  testkit::FolderReadCounter reads;
  Type("type pl");
  EXPECT_EQ(Tab(), "type plain.txt");
  EXPECT_EQ(Tab(), "type \"plan b.txt\"");
  EXPECT_EQ(Tab(), "type plain.txt");
  EXPECT_EQ(Tab(ssShift), "type \"plan b.txt\"");
  EXPECT_EQ(reads.Reads(AnsiToWide(Work)), 1);  // once for the cycle
  // Any other key ends the cycle: Tab then completes the word as it stands.
  Key(VK_END);
  EXPECT_EQ(Tab(), "type \"plan b.txt\"");

  Key(VK_BACK, ssCtrl);
  EXPECT_EQ(F->CommLine->Text(), "type ");
  Key(VK_HOME);
  Key('A', ssCtrl);
  Type("dir");
  EXPECT_EQ(F->CommLine->Text(), "dir");
  Key(VK_ESCAPE);
  EXPECT_EQ(F->CommLine->Text(), "");
  // No word at the caret: Tab moves the focus as it always did.
  Key(VK_TAB);
  EXPECT_TRUE(testkit::PumpUntil([&] { return !F->CommLine->Focused(); }));
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// Directories count, case is ignored in any alphabet, names the program
// cannot spell are never offered; words no name completes stay as they
// are, the window answering.
TEST_F(MainCompletion, WhichNamesCompleteAndWordsWithoutNames) {
  Dir.MakeDir("work\\My Docs");
  Dir.Write("work\\\xC5\x81\xC3\xB3" "d\xC5\xBA.txt", "l");  // Łódź.txt
  Dir.Write("work\\qq.txt", "q");
  testkit::ExtraEntries odd(AnsiToWide(Work), {{L"qq\xD800.txt", L"", FILE_ATTRIBUTE_NORMAL}});
  char freeDrive = 'Q';
  while (freeDrive < 'Z' && (GetLogicalDrives() & (1u << (freeDrive - 'A')))) ++freeDrive;
  const std::string noDrive = std::string("type ") + freeDrive + ":\\x";
  const std::string longWord = "type " + std::string(5000, 'a');
  const std::pair<std::string, std::string> cases[] = {
      {"cd my", "cd \"My Docs\""},  // a directory, though the list shows none
      {"type ..\\work\\\xC5\x82\xC3\xB3", "type ..\\work\\\xC5\x81\xC3\xB3" "d\xC5\xBA.txt"},
      {"type qq", "type qq.txt"},  // and Tab again: still the one name
      {"type gone\\x", "type gone\\x"},
      {noDrive, noDrive},
      {longWord, longWord},
  };
  for (const auto& [typed, completed] : cases) {
    Line(typed);
    EXPECT_EQ(Tab(), completed) << typed.substr(0, 20);
    EXPECT_EQ(Tab(), completed) << typed.substr(0, 20);
  }
  // A line holding a character the program cannot carry completes nothing.
  Line("type q");
  PostMessageW(F->CommLine->EditHandle(), WM_CHAR, 0xD800, 1);
  Tab();
  EXPECT_EQ(WindowTextW(F->CommLine->EditHandle()), L"type q\xD800");
  EXPECT_TRUE(F->CommLine->Focused());
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// A folder slow to read (a big one, a slow drive): the window goes on
// answering, and a character typed before the names come ends the
// completion, whose names then change nothing.
TEST_F(MainCompletion, TheWindowAnswersWhileTheFolderIsReadAndTypingDropsTheNames) {
  Dir.Write("work\\plain.txt", "p");
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> reads{0}, done{0};
  testkit::ScopedFolderReader slow([&](const std::wstring& f, bool shortNames,
                                       const TFolderEach& each) {
    ++reads;
    WaitForSingleObject(release, 30000);  // on the program's thread, not the test's
    const bool ok = ReadFolderFromSystem(f, shortNames, each);
    ++done;
    return ok;
  });
  Line("type pl");
  Key(VK_TAB);
  ASSERT_TRUE(testkit::PumpUntil([&] { return reads == 1; }));
  EXPECT_TRUE(F->CompletionBusy());
  testkit::TypeText(F->CommLine->EditHandle(), "x");  // a character without a key
  EXPECT_FALSE(F->CompletionBusy());
  SetEvent(release);
  ASSERT_TRUE(testkit::PumpUntil([&] { return done == 1; }));
  EXPECT_EQ(Tab(), "type plx");  // the names of "pl" never came; none begins with "plx"
  CloseHandle(release);
}
