// The file panes of the command-line window: linking, filter, attributes,
// summary texts, refresh.
#include "main/MainFixture.h"

#include "framework/WideText.h"
#include "testkit/FolderReads.h"

using MainPanes = MainFixture;

namespace {
void MakeFiles(testkit::TempDir& d) {
  d.Write("work\\a.txt", "a");
  d.Write("work\\B.TXT", "b");
  d.Write("work\\c.log", "c");
  d.Write("work\\run.bat", "@echo off");
  d.MakeDir("work\\sub");
  d.Write("work\\sub\\inner.txt", "i");
}
}  // namespace

TEST_F(MainPanes, ShowTheCurrentDirectoryAndCountItsFiles) {
  MakeFiles(Dir);
  F->SpbUpdateClick(F);
  EXPECT_EQ(F->DirectoryListBox1->Directory(), Work);
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 4);  // no directories by default
  EXPECT_EQ(F->LabFileCount->Caption(), "4 Object(s)");
  EXPECT_EQ(F->SpBAttribs->Caption(), "r h s a - d - N");
  // Sorted without regard to case.
  EXPECT_EQ((*F->FileListBox1->Items())[0], "a.txt");
  EXPECT_EQ((*F->FileListBox1->Items())[1], "B.TXT");
}

TEST_F(MainPanes, TheShownDirectoryIsTheProcessCurrentDirectory) {
  MakeFiles(Dir);
  F->DirectoryListBox1->SetDirectory(Work + "\\sub");
  EXPECT_EQ(CurrentDir(), Work + "\\sub");
  EXPECT_EQ(F->FileListBox1->Directory(), Work + "\\sub");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 1);
  EXPECT_EQ(F->LabFileCount->Caption(), "1 Object(s)");
}

TEST_F(MainPanes, FilterAppliesOnEnterNotWhileTyping) {
  MakeFiles(Dir);
  F->SpbUpdateClick(F);
  F->FilterLine->SetFocus();
  F->FilterLine->SelectAll();
  testkit::TypeText(F->FilterLine->Handle(), "*.txt");
  EXPECT_EQ(F->FileListBox1->Mask(), "*.*");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 4);
  testkit::TypeText(F->FilterLine->Handle(), "\r");
  EXPECT_EQ(F->FileListBox1->Mask(), "*.txt");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 2);

  // Two patterns.
  F->FilterLine->SelectAll();
  testkit::TypeText(F->FilterLine->Handle(), "*.log;*.bat\r");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 2);

  // Cleared and Enter: everything again.
  F->FilterLine->SelectAll();
  testkit::TypeText(F->FilterLine->Handle(), "\b\r");
  EXPECT_EQ(F->FilterLine->Text(), "*.*");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 4);

  // A mask in another alphabet is typed as it is. An edit with OEM
  // conversion would send each typed character through the OEM code page,
  // which lacks most of them ('?' then); Wine leaves that style unheeded.
  EXPECT_EQ(GetWindowLongW(F->FilterLine->Handle(), GWL_STYLE) & ES_OEMCONVERT, 0);
  CloseHandle(CreateFileW((AnsiToWide(Work) + L"\\Ελληνικά.txt").c_str(), GENERIC_WRITE, 0,
                          nullptr, CREATE_ALWAYS, 0, nullptr));
  F->FilterLine->SelectAll();
  testkit::TypeText(F->FilterLine->Handle(), "ελ*.TXT\r");
  EXPECT_EQ(F->FileListBox1->Mask(), "ελ*.TXT");
  EXPECT_EQ(F->FileListBox1->Items()->Items(), std::vector<std::string>{"Ελληνικά.txt"});
}

TEST_F(MainPanes, AFilterSetByTheProgramAppliesAtOnce) {
  MakeFiles(Dir);
  F->CommLine->SetFocus();
  F->FilterLine->SetText("*.LOG");
  EXPECT_EQ(F->FileListBox1->Mask(), "*.LOG");
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 1);
}

TEST_F(MainPanes, AttributeFilterAndItsSummary) {
  MakeFiles(Dir);
  F->FileListBox1->SetFileType(ftDirectory);
  EXPECT_EQ(F->SpBAttribs->Caption(), "r h s a - D - n");
  EXPECT_GE(IndexOf("[..]"), 0);
  EXPECT_GE(IndexOf("[sub]"), 0);
  EXPECT_LT(IndexOf("a.txt"), 0);
  F->FileListBox1->SetFileType(ftReadOnly | ftDirectory | ftNormal);
  EXPECT_EQ(F->SpBAttribs->Caption(), "R h s a - D - N");
  EXPECT_GE(IndexOf("a.txt"), 0);
  EXPECT_GE(IndexOf("[sub]"), 0);
}

TEST_F(MainPanes, UpdateSeesChangesAndLeavesNoSelection) {
  // Both panes show the folder: Update (and the refresh after every
  // command) reads it once for both.
  testkit::FolderReadCounter counter;
  F->SpbUpdateClick(F);
  EXPECT_EQ(counter.Reads(AnsiToWide(Work)), 1);
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 0);
  EXPECT_EQ(F->LabFileCount->Caption(), "0 Object(s)");
  Dir.Write("work\\new.txt", "n");
  Dir.MakeDir("work\\newdir");
  F->FileListBox1->SetItemIndex(-1);
  F->SpbUpdateClick(F);
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 1);
  EXPECT_EQ(F->FileListBox1->ItemIndex(), -1);
  EXPECT_FALSE(F->SpBFName->Enabled());
  bool sawNewDir = false;
  for (int i = 0; i < F->DirectoryListBox1->Items()->Count(); ++i)
    if ((*F->DirectoryListBox1->Items())[i] == "newdir") sawNewDir = true;
  EXPECT_TRUE(sawNewDir);
}

TEST_F(MainPanes, ADirectoryThatCannotBeEnteredChangesNothing) {
  MakeFiles(Dir);
  auto& boxes = Boxes;
  F->SpbUpdateClick(F);
  // Through the window's message handling, as a user's CD would arrive.
  Application->QueueCall([this] { F->ChangeDirectory("no such folder"); });
  EXPECT_TRUE(testkit::PumpUntil([&] { return !boxes.Boxes.empty(); }));
  EXPECT_TRUE(boxes.Boxes[0].Flags & MB_ICONERROR);
  EXPECT_EQ(F->DirectoryListBox1->Directory(), Work);
  EXPECT_EQ(CurrentDir(), Work);
  EXPECT_EQ(F->FileListBox1->Items()->Count(), 4);
}

// A shown directory deleted from outside, one level or two: after Update the
// panes show the nearest directory that still exists, and stand in it.
TEST_F(MainPanes, AShownDirectoryDeletedFromOutside) {
  for (const char* shown : {"gone", "gone\\deeper"}) {
    Dir.MakeDir("work\\gone");
    if (std::string(shown).find('\\') != std::string::npos) Dir.MakeDir("work\\gone\\deeper");
    Dir.Write(std::string("work\\") + shown + "\\x.txt", "x");
    F->DirectoryListBox1->SetDirectory(Work + "\\" + shown);
    SetCurrentDirectoryA(Work.c_str());  // a folder can go only when nobody stands in it
    DeleteFileA((Work + "\\" + shown + "\\x.txt").c_str());
    RemoveDirectoryA((Work + "\\gone\\deeper").c_str());
    ASSERT_TRUE(RemoveDirectoryA((Work + "\\gone").c_str())) << shown;
    F->SpbUpdateClick(F);
    testkit::PumpPending();
    EXPECT_EQ(F->DirectoryListBox1->Directory(), Work) << shown;
    EXPECT_EQ(CurrentDir(), Work) << shown;
    EXPECT_EQ(F->FileListBox1->Directory(), Work) << shown;
    EXPECT_GE(F->DirectoryListBox1->ItemIndex(), 0) << shown;
  }
}
