// TSaveDialog through the file-dialog seam.
#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "testkit/TestKit.h"

TEST(SaveDialog, OptionsAndTextsReachTheSystemRequest) {
  TSaveDialog dialog(nullptr);
  dialog.SetDefaultExt("BAT");
  dialog.SetFilter("Batch Files (*.BAT)|*.BAT");
  dialog.SetTitle("Save as Batchfile");
  dialog.SetOptions(ofOverwritePrompt | ofHideReadOnly | ofEnableSizing);
  dialog.SetFileName("C:\\TOOLS\\BUILD.BAT");
  testkit::FileDialogStub stub("C:\\TOOLS\\NEW.BAT");
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(stub.Requests.size(), 1u);
  const FileDialogRequest& r = stub.Requests[0];
  EXPECT_TRUE(r.Save);
  EXPECT_EQ(r.DefaultExt, "BAT");
  EXPECT_EQ(r.Filter, "Batch Files (*.BAT)|*.BAT");
  EXPECT_EQ(r.Title, "Save as Batchfile");
  EXPECT_EQ(r.FileName, "C:\\TOOLS\\BUILD.BAT");
  EXPECT_EQ(r.Flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                         OFN_ENABLESIZING | OFN_EXPLORER));
  EXPECT_EQ(dialog.FileName(), "C:\\TOOLS\\NEW.BAT");

  // The proposal is what the last answer was; a cancel leaves it alone.
  stub.Answer.clear();
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(stub.Requests[1].FileName, "C:\\TOOLS\\NEW.BAT");
  EXPECT_EQ(dialog.FileName(), "C:\\TOOLS\\NEW.BAT");
}

TEST(SaveDialog, EveryOptionHasItsFlag) {
  EXPECT_EQ(OpenOptionsToFlags(0), static_cast<unsigned long>(OFN_EXPLORER));
  EXPECT_EQ(OpenOptionsToFlags(ofOldStyleDialog), 0ul);
  EXPECT_EQ(OpenOptionsToFlags(ofPathMustExist | ofNoReadOnlyReturn | ofNoChangeDir),
            static_cast<unsigned long>(OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
                                       OFN_NOCHANGEDIR | OFN_EXPLORER));
  EXPECT_EQ(OpenOptionsToFlags(ofFileMustExist | ofCreatePrompt | ofAllowMultiSelect),
            static_cast<unsigned long>(OFN_FILEMUSTEXIST | OFN_CREATEPROMPT |
                                       OFN_ALLOWMULTISELECT | OFN_EXPLORER));
}

TEST(SaveDialog, TheCurrentDirectoryStaysWhereThePanesAre) {
  testkit::CurrentDirGuard guard;
  testkit::TempDir shown, elsewhere;
  SetCurrentDirectoryA(shown.Path().c_str());
  TSaveDialog dialog(nullptr);
  // The system's dialog moves the current directory to the chosen folder.
  FileDialogHook previous = SetFileDialogHook([&](FileDialogRequest& r) {
    SetCurrentDirectoryA(elsewhere.Path().c_str());
    r.FileName = elsewhere / "x.bat";
    return true;
  });
  bool ok = dialog.Execute();
  SetFileDialogHook(previous);
  EXPECT_TRUE(ok);
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  EXPECT_EQ(std::string(cwd), shown.Path());
  EXPECT_EQ(dialog.FileName(), elsewhere / "x.bat");
}
