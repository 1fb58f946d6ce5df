// The command line's keys pressed as a user presses them: Tab completing
// names, Escape, Ctrl+Backspace and Ctrl+A.
#include <atomic>

#include "main/MainFixture.h"
#include "testkit/FolderReads.h"

namespace {
struct MainCompletion : MainFixture {
  void Key(WORD vk, TShiftState held = 0) {
    testkit::PressKey(F->CommLine->EditHandle(), vk, held);
  }
  // Tab (or Shift+Tab), and what the line says once the folder is read.
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

TEST_F(MainCompletion, TabGoesRoundTheNamesAndEscapeClearsTheLine) {
  Dir.Write("work\\plain.txt", "p");
  Dir.Write("work\\plan b.txt", "p");
  Dir.Write("work\\other.txt", "o");
  testkit::FolderReadCounter reads;
  Type("type pl");
  EXPECT_EQ(Tab(), "type plain.txt");
  EXPECT_EQ(Tab(), "type \"plan b.txt\"");
  EXPECT_EQ(Tab(), "type plain.txt");
  EXPECT_EQ(Tab(ssShift), "type \"plan b.txt\"");
  EXPECT_EQ(F->CommLine->SelStart(), 17);
  EXPECT_EQ(reads.Reads(AnsiToWide(Work)), 1);  // once for the cycle
  // Any other key ends the cycle: Tab then completes the word as it stands.
  Key(VK_END);
  EXPECT_EQ(Tab(), "type \"plan b.txt\"");
  EXPECT_TRUE(F->CommLine->Focused());

  Key(VK_ESCAPE);
  EXPECT_EQ(F->CommLine->Text(), "");
  // No word at the caret: Tab moves the focus as it always did.
  Key(VK_TAB);
  EXPECT_TRUE(testkit::PumpUntil([&] { return !F->CommLine->Focused(); }));
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// Words with folders, quotes and letters of any case and alphabet; and
// words no name completes, which stay as they are, the window answering.
TEST_F(MainCompletion, WordsWithFoldersAndWordsWithoutNames) {
  Dir.Write("work\\plain.txt", "p");
  Dir.MakeDir("work\\My Docs");
  Dir.MakeDir("work\\sub");
  Dir.Write("work\\sub\\pa one.txt", "1");
  Dir.Write("work\\sub\\pb.txt", "2");
  Dir.Write("work\\\xC5\x81\xC3\xB3" "d\xC5\xBA.txt", "l");  // Łódź.txt
  Dir.Write("work\\qq.txt", "q");
  // Names the system reports that the program cannot spell: never offered.
  testkit::ExtraEntries odd(AnsiToWide(Work), {{L"qq\xD800.txt", L"", FILE_ATTRIBUTE_NORMAL},
                                               {L"zz\xDC00.txt", L"", FILE_ATTRIBUTE_NORMAL}});
  char freeDrive = 0;
  for (char d = 'Q'; d <= 'Y' && !freeDrive; ++d)
    if (!(GetLogicalDrives() & (1u << (d - 'A')))) freeDrive = d;
  ASSERT_NE(freeDrive, 0);
  const std::string rooted = Work.substr(2);  // "\..." on the current drive
  struct Case {
    std::string Typed;
    std::vector<std::string> Then;  // after each Tab
  } const cases[] = {
      {"type sub\\p", {"type \"sub\\pa one.txt\"", "type sub\\pb.txt"}},
      {"cd \"My D", {"cd \"My Docs\""}},
      {"cd my", {"cd \"My Docs\""}},  // a directory, though the list shows none
      {"type ..\\work\\pla", {"type ..\\work\\plain.txt"}},
      {"type " + rooted + "\\pla", {"type " + rooted + "\\plain.txt"}},
      {"type \xC5\x82\xC3\xB3", {"type \xC5\x81\xC3\xB3" "d\xC5\xBA.txt"}},
      {"type qq", {"type qq.txt", "type qq.txt"}},
      {"type zz", {"type zz"}},
      {"type gone\\x", {"type gone\\x"}},
      {std::string("type ") + freeDrive + ":\\x", {std::string("type ") + freeDrive + ":\\x"}},
      {"type " + std::string(5000, 'a'), {"type " + std::string(5000, 'a')}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Typed.substr(0, 40));
    Line(c.Typed);
    for (const std::string& then : c.Then) EXPECT_EQ(Tab(), then);
    EXPECT_TRUE(F->CommLine->Focused());
  }
  // A line holding a character the program cannot carry completes nothing.
  Line("type q");
  PostMessageW(F->CommLine->EditHandle(), WM_CHAR, 0xD800, 1);
  testkit::PumpPending();
  Tab();
  EXPECT_EQ(WindowTextW(F->CommLine->EditHandle()), L"type q\xD800");
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// A folder that takes long to read (a big one, a slow drive): the window
// goes on answering meanwhile, and a key typed before the names come ends
// the completion, whose names then change nothing.
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
  testkit::TypeText(F->CommLine->EditHandle(), "x");  // answered while the read waits
  EXPECT_EQ(F->CommLine->Text(), "type plx");
  EXPECT_FALSE(F->CompletionBusy());
  SetEvent(release);
  ASSERT_TRUE(testkit::PumpUntil([&] { return done == 1; }));
  testkit::PumpPending();
  EXPECT_EQ(F->CommLine->Text(), "type plx");
  EXPECT_EQ(Tab(), "type plx");  // a word no name begins with
  CloseHandle(release);
}

TEST_F(MainCompletion, CtrlBackspaceDeletesAWordAndCtrlASelectsTheLine) {
  Type("copy \"my file.txt\" b.txt");
  Key(VK_BACK, ssCtrl);
  EXPECT_EQ(F->CommLine->Text(), "copy \"my file.txt\" ");
  Key(VK_BACK, ssCtrl);
  EXPECT_EQ(F->CommLine->Text(), "copy ");
  Key(VK_HOME);
  Key('A', ssCtrl);
  Type("dir");
  EXPECT_EQ(F->CommLine->Text(), "dir");
}
