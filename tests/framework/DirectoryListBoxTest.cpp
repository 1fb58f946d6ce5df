// TDirectoryListBox: rows, the current directory, the link to the file
// list, opening rows, directories that vanish.
#include <gtest/gtest.h>

#include "ManyFiles.h"
#include "PanesFixture.h"
#include "framework/FileListing.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"
#include "testkit/FolderReads.h"

using DirectoryList = PanesFixture;
using V = std::vector<std::string>;

TEST_F(DirectoryList, RowsArePathThenSortedSubdirectoriesOneLevelDeeper) {
  TPathParts parts = SplitDirectoryPath(Proj);
  size_t current = parts.Names.size();  // the root is row 0
  ASSERT_EQ(Dirs->Items()->Count(), static_cast<int>(current + 4));
  bool keepCase = VolumePreservesCase(Proj);
  auto shown = [&](std::string s) { return keepCase ? s : LowerCaseAscii(s); };
  EXPECT_EQ((*Dirs->Items())[0], shown(parts.Root));
  for (size_t i = 0; i < current; ++i) {
    EXPECT_EQ((*Dirs->Items())[static_cast<int>(i + 1)], shown(parts.Names[i]));
    EXPECT_EQ(Dirs->RowIndent(static_cast<int>(i + 1)), 4 * static_cast<int>(i + 1));
  }
  for (size_t i = 0; i < current; ++i) EXPECT_EQ(Dirs->RowGlyph(static_cast<int>(i)), dgOpen);
  EXPECT_EQ(Dirs->RowGlyph(static_cast<int>(current)), dgCurrent);
  EXPECT_EQ(Dirs->GetItemPath(static_cast<int>(current)), Proj);
  // The subdirectories: sorted without case, no "." or "..", nothing hidden.
  V subs(Dirs->Items()->Items().begin() + static_cast<long>(current + 1),
         Dirs->Items()->Items().end());
  EXPECT_EQ(subs, (V{shown("alpha"), shown("Beta"), shown("gamma dir")}));
  for (int i = static_cast<int>(current + 1); i < Dirs->Items()->Count(); ++i) {
    EXPECT_EQ(Dirs->RowIndent(i), 4 * static_cast<int>(current + 1));
    EXPECT_EQ(Dirs->RowGlyph(i), dgClosed);
  }
  EXPECT_EQ(Dirs->GetItemPath(static_cast<int>(current + 3)), Proj + "\\gamma dir");
  EXPECT_EQ(Dirs->ItemIndex(), static_cast<int>(current));
  EXPECT_EQ(Dirs->GetItemPath(99), "");

  RedrawWindow(Form->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "FilePanes.png");
}

TEST_F(DirectoryList, ChangesTheCurrentDirectoryAndTheFileListFollows) {
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(Files->Directory(), Proj);
  EXPECT_EQ(Files->Items()->Items(), V{"readme.txt"});
  EXPECT_EQ(Dirs->Drive(), DriveOfPath(Proj));
  EXPECT_EQ(Drive->Drive(), DriveOfPath(Proj));

  Dirs->SetDirectory("alpha");  // relative to the shown directory
  EXPECT_EQ(Dirs->Directory(), Proj + "\\alpha");
  EXPECT_EQ(CurrentDir(), Proj + "\\alpha");
  EXPECT_EQ(Files->Directory(), Proj + "\\alpha");
  EXPECT_EQ(Files->Items()->Count(), 0);
  EXPECT_EQ(DirChanges, 1);

  Dirs->SetDirectory("..\\Beta");
  EXPECT_EQ(Dirs->Directory(), Proj + "\\Beta");
  Dirs->SetDirectory(".");  // the same directory: nothing happens
  EXPECT_EQ(DirChanges, 2);

  // Something else moved the current directory: relative names still mean
  // relative to what the panes show, and the process follows the panes.
  SetCurrentDirectoryA(Dir.Path().c_str());
  Dirs->SetDirectory("..");
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(Files->Items()->Items(), V{"readme.txt"});
  EXPECT_EQ(DirChanges, 3);
  EXPECT_EQ(DriveChanges, 0);
}

TEST_F(DirectoryList, EnteringAFolderReadsItOnceForBothLists) {
  // A big folder takes most of a second to read: the file list lists what
  // the directory list read, and nothing read is kept beyond the change.
  testkit::FolderReadCounter counter;
  Dir.Write("proj\\alpha\\one.txt", "");
  Dirs->SetDirectory("alpha");
  const std::wstring alpha = AnsiToWide(Proj + "\\alpha");
  EXPECT_EQ(counter.Reads(alpha), 1);
  EXPECT_EQ(Files->Items()->Items(), V{"one.txt"});
  EXPECT_EQ(LowerCaseAscii(Dirs->Items()->Items().back()), "deep");

  Dir.Write("proj\\alpha\\two.txt", "");
  Files->Update();
  EXPECT_EQ(counter.Reads(alpha), 2);
  EXPECT_EQ(Files->Items()->Items(), (V{"one.txt", "two.txt"}));
}

TEST_F(DirectoryList, MissingDirectoryRaisesAndChangesNothing) {
  int fileChanges = 0;
  Files->OnChange = [&](TObject*) { ++fileChanges; };
  try {
    Dirs->SetDirectory(Dir / "no such dir");
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.ErrorCode == ERROR_FILE_NOT_FOUND || e.ErrorCode == ERROR_PATH_NOT_FOUND)
        << e.ErrorCode;
    EXPECT_STRNE(e.what(), "");
  }
  EXPECT_THROW(Dirs->SetDirectory(""), EInOutError);
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(Files->Directory(), Proj);
  EXPECT_EQ(DirChanges, 0);
  EXPECT_EQ(fileChanges, 0);
}

TEST_F(DirectoryList, DoubleClickOrEnterOpensARowAndAClickOnlySelects) {
  int beta = RowOf(Proj + "\\Beta");
  ASSERT_GE(beta, 0);
  testkit::Click(Dirs, 60, RowY(beta));
  ASSERT_TRUE(testkit::PumpUntil([&] { return Dirs->ItemIndex() == beta; }));
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(DirChanges, 0);

  testkit::DoubleClick(Dirs, 60, RowY(beta));
  ASSERT_TRUE(testkit::PumpUntil([&] { return Dirs->Directory() == Proj + "\\Beta"; }));
  EXPECT_EQ(CurrentDir(), Proj + "\\Beta");
  EXPECT_EQ(Files->Directory(), Proj + "\\Beta");
  EXPECT_EQ(Dirs->ItemIndex(), RowOf(Proj + "\\Beta"));
  EXPECT_EQ(DirChanges, 1);

  // Enter on the parent's row goes up.
  int parent = RowOf(Proj);
  testkit::Click(Dirs, 60, RowY(parent));
  ASSERT_TRUE(testkit::PumpUntil([&] { return Dirs->ItemIndex() == parent; }));
  testkit::PressKey(Dirs->Handle(), VK_RETURN);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Dirs->Directory() == Proj; }));
  EXPECT_EQ(DirChanges, 2);

  // Type-ahead selects without opening.
  PostMessageA(Dirs->Handle(), WM_CHAR, 'g', 1);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Dirs->ItemIndex() == RowOf(Proj + "\\gamma dir"); }));
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(DirChanges, 2);
}

TEST_F(DirectoryList, SubdirectoriesRemovedFromOutside) {
  testkit::MessageBoxRecorder boxes;
  int gamma = RowOf(Proj + "\\gamma dir");
  ASSERT_TRUE(RemoveDirectoryA((Proj + "\\gamma dir").c_str()));
  // The stale row cannot be entered: the error box, and the selection goes
  // back to the shown directory.
  testkit::DoubleClick(Dirs, 60, RowY(gamma));
  ASSERT_TRUE(testkit::PumpUntil([&] { return boxes.Boxes.size() == 1; }));
  EXPECT_EQ(boxes.Boxes[0].Flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(Dirs->ItemIndex(), RowOf(Proj));
  EXPECT_EQ(DirChanges, 0);

  Dir.MakeDir("proj\\delta");
  Dirs->Update();
  EXPECT_EQ(RowOf(Proj + "\\gamma dir"), -1);
  EXPECT_GE(RowOf(Proj + "\\delta"), 0);
  EXPECT_EQ(Dirs->ItemIndex(), RowOf(Proj));
  EXPECT_EQ(DirChanges, 0);
}

TEST_F(DirectoryList, ShownDirectoryRemovedFromOutsideFallsBackToItsParent) {
  if (!manyfiles::UnderWine()) GTEST_SKIP() << "a process's own current directory cannot be removed";
  Dirs->SetDirectory(Proj + "\\alpha\\deep");
  DirChanges = 0;
  ASSERT_TRUE(manyfiles::RemoveFromOutside(Proj + "\\alpha", Dir.Path()));
  // The refresh order of the Update button: files first, then directories.
  Files->Update();
  EXPECT_EQ(Files->Items()->Count(), 0);
  Dirs->Update();
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(Files->Directory(), Proj);
  EXPECT_EQ(Files->Items()->Items(), V{"readme.txt"});
  EXPECT_EQ(RowOf(Proj + "\\alpha"), -1);
  EXPECT_EQ(DirChanges, 1);
}
