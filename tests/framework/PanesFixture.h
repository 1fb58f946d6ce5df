// A form with the three linked file panes over a test folder, for the
// directory list and drive box tests.
#pragma once

#include <gtest/gtest.h>

#include "framework/FileCtrl.h"
#include "framework/Forms.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

class TPanesForm : public TForm {
 public:
  explicit TPanesForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 560, 330);
    Drive = Placed<TDriveComboBox>(this, this, "DriveComboBox1", 8, 8, 257, 22);
    Dirs = Placed<TDirectoryListBox>(this, this, "DirectoryListBox1", 8, 40, 257, 280);
    Files = Placed<TFileListBox>(this, this, "FileListBox1", 290, 8, 257, 312);
    Files->SetShowGlyphs(true);
    Drive->SetDirList(Dirs);
    Dirs->SetFileList(Files);
  }
  TDriveComboBox* Drive;
  TDirectoryListBox* Dirs;
  TFileListBox* Files;
};

inline std::string CurrentDir() {
  char buf[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  return std::string(buf, n);
}

// Folder layout: proj\ with readme.txt, subfolders Beta, alpha (with deep\)
// and "gamma dir", and a hidden .hid that the directory list leaves out.
struct PanesFixture : testkit::FormFixture<TPanesForm> {
  testkit::TempDir Dir;
  // After Dir: the current directory is restored first, since a folder that
  // is the current directory cannot be removed.
  testkit::CurrentDirGuard KeepDir;
  TDriveComboBox* Drive = nullptr;
  TDirectoryListBox* Dirs = nullptr;
  TFileListBox* Files = nullptr;
  int DirChanges = 0, DriveChanges = 0;
  std::string Proj;

  void SetUp() override {
    Dir.MakeDir("proj");
    Proj = Dir / "proj";
    for (const char* d : {"proj\\Beta", "proj\\alpha", "proj\\alpha\\deep", "proj\\gamma dir",
                          "proj\\.hid"})
      Dir.MakeDir(d);
    SetFileAttributesA((Dir / "proj\\.hid").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    Dir.Write("proj\\readme.txt", "read me");
    FormFixture::SetUp();
    Drive = Form->Drive;
    Dirs = Form->Dirs;
    Files = Form->Files;
    Dirs->OnChange = [this](TObject*) { ++DirChanges; };
    Drive->OnChange = [this](TObject*) { ++DriveChanges; };
    Form->Show();
    Dirs->SetDirectory(Proj);
    DirChanges = DriveChanges = 0;
  }
  int RowOf(const std::string& path) const {
    for (int i = 0; i < Dirs->Items()->Count(); ++i)
      if (Dirs->GetItemPath(i) == path) return i;
    return -1;
  }
  // The middle of a row, in the list's client coordinates.
  int RowY(int row) const {
    return (row - Dirs->TopIndex()) * Dirs->ItemHeight() + Dirs->ItemHeight() / 2;
  }
};
