// The command line: history, built-in words, insertion, type-ahead and the
// check boxes, driven through real key messages to the command line's edit.
#include "controls/EnterExitButton.h"
#include "dialogs/UBatch.h"
#include "dialogs/UHelp.h"
#include "framework/ComCtrls.h"
#include "main/MainFixture.h"

using MainCommands = MainFixture;

namespace {
void CloseViewers() {
  while (WHelp) {
    TComponent::Free(WHelp);
    testkit::PumpPending();
  }
}
}  // namespace

TEST_F(MainCommands, EnterAddsToTheHistoryAndEmptyEnterDoesNothing) {
  testkit::ProcessRecorder starts(false);
  Type("\r");
  EXPECT_EQ(F->CommLine->Items()->Count(), 0);
  EXPECT_TRUE(starts.CreateProcessLines.empty());
  Type("foo\r");
  F->CommLine->SetText("foo");
  Type("\r");
  ASSERT_EQ(F->CommLine->Items()->Count(), 2);
  EXPECT_EQ((*F->CommLine->Items())[0], "foo");
  EXPECT_EQ((*F->CommLine->Items())[1], "foo");
  // The text stays, all selected, so the next typing replaces it.
  EXPECT_EQ(F->CommLine->Text(), "foo");
  EXPECT_EQ(F->CommLine->SelStart(), 0);
  EXPECT_EQ(F->CommLine->SelLength(), 3);
  Type("bar");
  EXPECT_EQ(F->CommLine->Text(), "bar");
}

// A long command in the history, read by another program as a screen
// reader reads it: whole, in UTF-16 and 8-bit form, and the window answers.
TEST_F(MainCommands, AnotherProgramReadsALongHistoryEntryWhole) {
  testkit::ProcessRecorder starts(false);
  std::string command = "echo ";
  while (command.size() < 2000) command += static_cast<char>('a' + command.size() % 26);
  Type(command + "\r");
  ASSERT_FALSE(starts.CreateProcessLines.empty());
  ASSERT_EQ(F->CommLine->Items()->Count(), 1);
  const HWND combo = F->CommLine->Handle();
  for (const char* form : {"W", "A"}) {
    const std::string out = Dir / (std::string("history-") + form + ".txt");
    testkit::ChildProcess reader;
    ASSERT_TRUE(reader.Start("\"" + testkit::ExeFolder() + "oq_readlist.exe\" " +
                                 std::to_string(reinterpret_cast<INT_PTR>(combo)) + " \"" +
                                 out + "\" combo " + form,
                             Dir.Path()));
    ASSERT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(out); }, 30000));
    // The reader writes its file after its last question: once it has ended,
    // the file is whole.
    ASSERT_TRUE(reader.WaitEnded(10000));
    if (std::string(form) == "W") EXPECT_EQ(testkit::ReadFile(out), "2000:" + command + "\n");
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(combo, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
  }
  EXPECT_EQ(testkit::WindowEntries(combo, true), std::vector<std::string>{command});
  Type("x");
  EXPECT_EQ(F->CommLine->Text(), "x");
}

TEST_F(MainCommands, ChangeDirectoryForms) {
  Dir.MakeDir("work\\sub");
  Dir.MakeDir("work\\sub\\deeper");
  Type("CD sub\r");
  EXPECT_EQ(F->DirectoryListBox1->Directory(), Work + "\\sub");
  Type("cd\\" + Work.substr(3) + "\\sub\\deeper\r");  // rooted on the current drive
  EXPECT_EQ(CurrentDir(), Work + "\\sub\\deeper");
  Type("cd..\r");
  EXPECT_EQ(CurrentDir(), Work + "\\sub");
  Type("CD ..\r");
  EXPECT_EQ(CurrentDir(), Work);
  Type("CD " + Work + "\\sub\r");  // drive-qualified
  EXPECT_EQ(CurrentDir(), Work + "\\sub");
  // "CD " with nothing after it changes nothing but is remembered.
  int before = F->CommLine->Items()->Count();
  Type("CD \r");
  EXPECT_EQ(CurrentDir(), Work + "\\sub");
  EXPECT_EQ(F->CommLine->Items()->Count(), before + 1);
  // Quotes keep a name with blanks together; the path itself has none.
  Dir.MakeDir("work\\with spaces");
  Type("CD \"" + Work + "\"\r");
  EXPECT_EQ(CurrentDir(), Work);
  Type("cd \"with spaces\"\r");
  EXPECT_EQ(CurrentDir(), Work + "\\with spaces");
  EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(MainCommands, CdAtTheRootStaysThere) {
  std::string root = Work.substr(0, 3);
  F->DirectoryListBox1->SetDirectory(root);
  Type("CD ..\r");
  EXPECT_EQ(CurrentDir(), root);
}

TEST_F(MainCommands, CdToAFileOrAMissingOrOverlongPathShowsAnErrorAndStays) {
  Dir.Write("work\\plain.txt", "x");
  auto& boxes = Boxes;
  for (std::string target : {std::string("plain.txt"), std::string("missing"),
                             std::string(300, 'x')}) {
    size_t n = boxes.Boxes.size();
    Type("CD " + target + "\r");
    EXPECT_EQ(boxes.Boxes.size(), n + 1) << target.substr(0, 20);
    EXPECT_EQ(CurrentDir(), Work);
    EXPECT_EQ(F->DirectoryListBox1->Directory(), Work);
  }
}

TEST_F(MainCommands, DriveWordAndCommandsThatAreNotDriveWords) {
  testkit::ProcessRecorder starts(false);
  std::string drive = Work.substr(0, 1);
  Type(drive + ":\r");
  EXPECT_EQ(F->DriveComboBox1->Drive(), drive[0] & ~0x20);
  EXPECT_TRUE(starts.CreateProcessLines.empty());
  Type(drive + ":\\\r");  // three characters: a command for the system
  ASSERT_FALSE(starts.CreateProcessLines.empty());
  EXPECT_EQ(starts.CreateProcessLines[0], drive + ":\\");
  starts.CreateProcessLines.clear();
  Type("cdrom\r");
  ASSERT_FALSE(starts.CreateProcessLines.empty());
  EXPECT_EQ(starts.CreateProcessLines[0], "cdrom");
  starts.CreateProcessLines.clear();
  Type("CD\r");
  ASSERT_FALSE(starts.CreateProcessLines.empty());
  EXPECT_EQ(starts.CreateProcessLines[0], "CD");
}

TEST_F(MainCommands, DirSetsTheFilterOrGoesToTheInterpreter) {
  Dir.Write("work\\a.txt", "a");
  Dir.Write("work\\b.doc", "b");
  Type("DIR *.TXT\r");
  EXPECT_EQ(F->FilterLine->Text(), "*.TXT");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 1);
  Type("dir\r");
  EXPECT_EQ(F->FilterLine->Text(), "*.*");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 2);

  testkit::ProcessRecorder starts(false);
  F->CheckBoxDIR->SetChecked(true);
  Type("DIR /W\r");
  ASSERT_EQ(starts.CreateProcessLines.size(), 1u);
  // In DOS-window mode the console stays open for DIR.
  EXPECT_EQ(starts.CreateProcessLines[0], CommandInterpreter + " /K DIR /W");
  EXPECT_EQ(F->FilterLine->Text(), "*.*");
}

TEST_F(MainCommands, ViewOpensRichOrPlainOrReportsAMissingFile) {
  Dir.Write("work\\notes.txt", "plain words");
  Dir.Write("work\\guide.RTF", "{\\rtf1\\ansi {\\b bold} words}");
  auto& boxes = Boxes;
  Type("VIEW notes.txt\r");
  ASSERT_NE(WHelp, nullptr);
  EXPECT_TRUE(WHelp->RichEdit1->PlainText());
  CloseViewers();
  Type("VIEW guide.RTF\r");
  ASSERT_NE(WHelp, nullptr);
  EXPECT_FALSE(WHelp->RichEdit1->PlainText());
  CloseViewers();
  Type("VIEW missing.txt\r");
  EXPECT_EQ(WHelp, nullptr);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "File not found!");
  EXPECT_EQ(boxes.Boxes[0].Caption, "Error");
  // A directory is no file to view.
  Dir.MakeDir("work\\folder");
  Type("VIEW folder\r");
  EXPECT_EQ(WHelp, nullptr);
  EXPECT_EQ(boxes.Boxes.size(), 2u);

  testkit::ProcessRecorder starts(false);
  Type("VIEW \r");  // five characters: not the built-in word
  ASSERT_FALSE(starts.CreateProcessLines.empty());
  EXPECT_EQ(starts.CreateProcessLines[0], "VIEW ");
}

TEST_F(MainCommands, HelpAndExitInBothModes) {
  testkit::ProcessRecorder starts(false);
  Dir.Write("prog\\ReadMe.RTF", "{\\rtf1 Manual}");
  Type("help\r");
  ASSERT_NE(WHelp, nullptr);
  CloseViewers();
  EXPECT_TRUE(starts.CreateProcessLines.empty());

  F->CheckBoxDIR->SetChecked(true);
  Type("HELP\r");
  EXPECT_EQ(WHelp, nullptr);
  ASSERT_EQ(starts.CreateProcessLines.size(), 1u);
  EXPECT_EQ(starts.CreateProcessLines[0], CommandInterpreter + " /C HELP");

  Type("EXIT\r");
  EXPECT_FALSE(F->Visible());  // closed (the test program's main form is another one)
}

TEST_F(MainCommands, InsertCharacterPutsTheFileNameOrTheFilterAtTheCaret) {
  Dir.Write("work\\a.txt", "a");
  Dir.Write("work\\my file.txt", "m");
  Dir.MakeDir("work\\docs");
  F->SpbUpdateClick(F);
  // No file selected: the filter.
  Type("dir ");
  Type("#");
  EXPECT_EQ(F->CommLine->Text(), "dir *.*");

  // "copy  x" with the caret between the blanks and a.txt selected.
  F->FileListBox1->SetItemIndex(IndexOf("a.txt"));
  F->CommLine->SetText("copy  x");
  F->CommLine->SetSelStart(5);
  F->CommLine->SetSelLength(0);
  Type("#");
  EXPECT_EQ(F->CommLine->Text(), "copy a.txt x");
  EXPECT_EQ(F->CommLine->SelStart(), 10);

  // A selection is replaced; a name with a blank comes in quotes, unless
  // the caret stands inside an open quote.
  F->FileListBox1->SetItemIndex(IndexOf("my file.txt"));
  F->CommLine->SetSelStart(5);
  F->CommLine->SetSelLength(5);
  Type("#");
  EXPECT_EQ(F->CommLine->Text(), "copy \"my file.txt\" x");
  F->CommLine->SetText("copy \"C:\\");
  F->CommLine->SetSelStart(9);
  Type("#");
  EXPECT_EQ(F->CommLine->Text(), "copy \"C:\\my file.txt");

  // A directory keeps its brackets, which the interpreter takes only in quotes.
  F->FileListBox1->SetFileType(ftDirectory | ftNormal);
  F->FileListBox1->SetItemIndex(IndexOf("[docs]"));
  F->CommLine->SetText("cd ");
  F->CommLine->SetSelStart(3);
  Type("#");
  EXPECT_EQ(F->CommLine->Text(), "cd \"[docs]\"");
}

// Text in any alphabet around the caret: every way of inserting puts its
// text where the caret stands in the field, keeps the rest whole, and
// leaves the caret after it. The field counts UTF-16 units, the program
// bytes; an emoji is two units and four bytes.
TEST_F(MainCommands, InsertionKeepsTheTextAroundTheCaretInAnyAlphabet) {
  Dir.Write("work\\plain.txt", "p");
  F->SpbUpdateClick(F);
  const std::string polish = "\xc5\x81\xc3\xb3" "d\xc5\xba ";  // "Łódź "
  const std::string japanese = "\xe6\x97\xa5\xe6\x9c\xac ";   // "日本 "
  const std::string emoji = "\xf0\x9f\x98\x80 ";               // U+1F600
  const std::string sharp = "\xc5\x82";                         // "ł"
  struct Way {
    const char* name;
    std::string inserted;
    std::function<void()> insert;
  } ways[] = {
      {"#, no file selected", "*.*", [&] { Type("#"); }},
      {"#, a file selected", "plain.txt",
       [&] {
         F->FileListBox1->SetItemIndex(IndexOf("plain.txt"));
         Type("#");
       }},
      {"the insert character's button", "#", [&] { F->SpbCrossClick(F); }},
      {"the filter's button", "*.*", [&] { F->SPBFilterClick(F); }},
      {"the file name's button", "plain.txt",
       [&] {
         F->FileListBox1->SetItemIndex(IndexOf("plain.txt"));
         F->SpBFNameClick(F);
       }},
      {"a letter typed in the file list", sharp,
       [&] {
         F->FileListBox1->SetFocus();
         testkit::PumpPending();
         testkit::TypeText(F->FileListBox1->Handle(), sharp);
       }},
  };
  struct Around {
    std::string before, selected, after;
  } arounds[] = {
      {polish, "", ""},        {"x " + polish, "", japanese},  {emoji, "", emoji},
      {japanese, polish, emoji}, {polish + emoji, japanese, "z"},
  };
  for (const Way& w : ways) {
    for (const Around& a : arounds) {
      const std::string what = std::string(w.name) + " in \"" + a.before + "[" + a.selected + "]" +
                               a.after + "\"";
      F->FileListBox1->SetItemIndex(-1);
      F->CommLine->SetFocus();
      testkit::PumpPending();
      F->CommLine->SetText(a.before + a.selected + a.after);
      const int start = static_cast<int>(AnsiToWide(a.before).size());
      SelectInField(start, start + static_cast<int>(AnsiToWide(a.selected).size()));
      w.insert();
      EXPECT_EQ(F->CommLine->Text(), a.before + w.inserted + a.after) << what;
      const int caret = static_cast<int>(AnsiToWide(a.before + w.inserted).size());
      EXPECT_EQ(FieldSelection(), std::make_pair(caret, caret)) << what;
      EXPECT_EQ(F->CommLine->SelStart(), static_cast<int>((a.before + w.inserted).size())) << what;
    }
  }
}

TEST_F(MainCommands, InsertButtonsAndTheirEnabling) {
  Dir.Write("work\\a.txt", "a");
  F->SpbUpdateClick(F);
  F->CommLine->SetFocus();
  testkit::PumpPending();
  EXPECT_TRUE(F->SpbCross->Enabled());
  EXPECT_TRUE(F->SPBFilter->Enabled());
  EXPECT_FALSE(F->SpBFName->Enabled());

  // Selecting a file takes the focus away: all three go off.
  F->FileListBox1->SetFocus();
  testkit::PumpPending();
  EXPECT_FALSE(F->SpbCross->Enabled());
  F->FileListBox1->SetItemIndex(0);
  F->CommLine->SetFocus();
  testkit::PumpPending();
  EXPECT_TRUE(F->SpBFName->Enabled());

  F->CommLine->SetText("x ");
  F->CommLine->SetSelStart(2);
  F->SpBFNameClick(F);
  EXPECT_EQ(F->CommLine->Text(), "x a.txt");
  F->SpbCrossClick(F);
  EXPECT_EQ(F->CommLine->Text(), "x a.txt#");
  F->SPBFilterClick(F);
  EXPECT_EQ(F->CommLine->Text(), "x a.txt#*.*");
  F->FileListBox1->SetItemIndex(-1);
  F->SpBFNameClick(F);
  EXPECT_EQ(F->CommLine->Text(), "x a.txt#*.*");
}

TEST_F(MainCommands, AnotherInsertCharacter) {
  Dir.Write("work\\a.txt", "a");
  F->SpbUpdateClick(F);
  InsertChar = "$";
  F->FileListBox1->SetItemIndex(0);
  F->CommLine->SetText("");
  Type("$ # ");
  EXPECT_EQ(F->CommLine->Text(), "a.txt # ");
  F->SpbCrossClick(F);
  EXPECT_EQ(F->CommLine->Text(), "a.txt # $");
}

TEST_F(MainCommands, TypingInAListJumpsIntoTheCommandLine) {
  Dir.Write("work\\xa.txt", "a");
  F->SpbUpdateClick(F);
  F->CommLine->SetText("go ");
  F->CommLine->SetSelStart(3);
  F->DirectoryListBox1->SetFocus();
  testkit::PumpPending();
  testkit::TypeText(F->DirectoryListBox1->Handle(), "x");
  EXPECT_TRUE(F->CommLine->Focused());
  EXPECT_EQ(F->CommLine->Text(), "go x");
  // A blank or '#' in a list is nothing special.
  F->FileListBox1->SetFocus();
  testkit::PumpPending();
  testkit::TypeText(F->FileListBox1->Handle(), " #");
  EXPECT_TRUE(F->FileListBox1->Focused());
  EXPECT_EQ(F->CommLine->Text(), "go x");
}

TEST_F(MainCommands, TheSecondCheckBoxFollowsTheFirst) {
  EXPECT_TRUE(F->CheckBoxDOS->Checked());
  EXPECT_FALSE(F->CheckBoxDOS->Enabled());
  testkit::Click(F->CheckBoxDIR, 5, 9);
  EXPECT_TRUE(F->CheckBoxDIR->Checked());
  EXPECT_TRUE(F->CheckBoxDOS->Enabled());
  EXPECT_TRUE(testkit::PumpUntil([&] { return F->CommLine->Focused(); }));
  testkit::Click(F->CheckBoxDOS, 5, 9);
  EXPECT_FALSE(F->CheckBoxDOS->Checked());
  testkit::Click(F->CheckBoxDIR, 5, 9);
  EXPECT_FALSE(F->CheckBoxDOS->Enabled());
  EXPECT_FALSE(F->CheckBoxDOS->Checked());  // its state is kept
  // The space bar toggles without a click; the second box still follows.
  F->CheckBoxDIR->SetFocus();
  testkit::PressKey(F->CheckBoxDIR->Handle(), VK_SPACE);
  EXPECT_TRUE(F->CheckBoxDIR->Checked());
  EXPECT_TRUE(F->CheckBoxDOS->Enabled());
}

TEST_F(MainCommands, BadInputDoesNotHurt) {
  testkit::ProcessRecorder starts(false);
  std::string huge(32000, 'a');
  F->CommLine->SetText(huge);
  Type("\r");
  EXPECT_EQ(F->CommLine->Items()->Count(), 1);
  F->CommLine->SetText("\"unbalanced quote");
  Type("\r");
  EXPECT_EQ(F->CommLine->Items()->Count(), 2);
}

// The batch window's Execute through the real main window: the lines go to
// one console session, /C or /K as "Close DOS-Window after execution" says,
// and DOS-window mode is afterwards as it was before.
TEST_F(MainCommands, TheBatchWindowRunsItsLinesThroughTheMainWindow) {
  struct Case {
    bool dosBefore, close;
    const char* sw;
  };
  for (const Case& c : {Case{false, true, " /C "}, Case{false, false, " /K "},
                        Case{true, true, " /C "}}) {
    F->CheckBoxDIR->SetChecked(c.dosBefore);
    F->CheckBoxDOS->SetChecked(c.close);
    testkit::ProcessRecorder starts(false);
    starts.FailWith = ERROR_ACCESS_DENIED;  // nothing starts, no box
    F->SpBBatchClick(F);
    TDBatch* b = DBatch;
    ASSERT_NE(b, nullptr);
    b->Memo1->Lines()->Assign({"cd \\src", "", "make all"});
    testkit::Click(b->OrvNewButton1, b->OrvNewButton1->Width() / 2,
                   b->OrvNewButton1->Height() / 2);
    ASSERT_TRUE(testkit::PumpUntil([&] { return !starts.CreateProcessLines.empty(); }));
    EXPECT_EQ(starts.CreateProcessLines,
              std::vector<std::string>{CommandInterpreter + c.sw + "cd \\src&&make all"});
    EXPECT_EQ(F->CheckBoxDIR->Checked(), c.dosBefore);
    EXPECT_TRUE(Boxes.Boxes.empty());
    TComponent::Free(b);
    testkit::PumpPending();
  }
}
