#include "dialogs/UBatch.h"

#include <gtest/gtest.h>

#include <utility>

#include "DialogsTestUtil.h"
#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "drawing/PZLabel.h"
#include "framework/WideText.h"
#include "program/ProgramValues.h"

using namespace dlgtest;

namespace {

// Stands in for the main window: its two check boxes and what it was asked
// to run.
struct FakeHost : TCommandHost {
  bool Dos = false;
  bool Close = true;
  struct Call {
    std::string Command;
    bool Close;
    bool DosDuringCall;
  };
  std::vector<Call> Calls;

  bool DosWindowMode() const override { return Dos; }
  void SetDosWindowMode(bool on) override { Dos = on; }
  bool CloseSetting() const override { return Close; }
  void RunCommand(const std::string& command, bool close) override {
    Calls.push_back({command, close, Dos});
  }
};

// Makes a folder refuse new files, also for an administrator: the test
// machines run Wine as root, for whom read-only bits mean nothing, so the
// Linux immutable flag is set through Wine's start of a Unix program.
// Active tells whether the folder really refuses files now.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const std::string& path) : FPath(path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<UnixName>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (toUnix) {
      std::wstring wide(path.begin(), path.end());
      if (char* unix = toUnix(wide.c_str())) {
        FUnixPath = unix;
        HeapFree(GetProcessHeap(), 0, unix);
      }
    }
    if (!FUnixPath.empty()) RunChattr("+i");
    // A Unix program started by Wine gives no handle to wait on: watch the
    // folder instead.
    Active = testkit::PumpUntil([&] { return !CanCreateFileIn(path); }, 5000);
  }
  ~UnwritableFolder() {
    if (FUnixPath.empty()) return;
    RunChattr("-i");
    testkit::PumpUntil([this] { return CanCreateFileIn(FPath); }, 5000);
  }
  UnwritableFolder(const UnwritableFolder&) = delete;
  UnwritableFolder& operator=(const UnwritableFolder&) = delete;
  bool Active = false;

 private:
  // A file really made, not GetTempFileName: Wine's answers with a number
  // even when the folder refused the file.
  static bool CanCreateFileIn(const std::string& folder) {
    const std::string probe = folder + "\\probe.tmp";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    DeleteFileA(probe.c_str());
    return true;
  }
  void RunChattr(const char* flag) {
    // Wine hands a Unix program its command line split at blanks, quotes
    // and all: a path with a blank is left alone (the test then skips).
    if (FUnixPath.find(' ') != std::string::npos) return;
    std::string cmd = std::string("/usr/bin/chattr ") + flag + " " + FUnixPath;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
      return;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
  }
  std::string FPath;
  std::string FUnixPath;
};

// How many files match a pattern.
int FilesLike(const std::string& pattern) {
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA(pattern.c_str(), &fd);
  if (f == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileA(f, &fd));
  FindClose(f);
  return n;
}

class DBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramTexts();
    SetCommandHost(&Host);
  }
  void TearDown() override {
    SetCommandHost(nullptr);
    FreeAll<TDBatch>();
    EXPECT_EQ(nullptr, DBatch);
  }

  TDBatch* NewShownWindow(const std::vector<std::string>& lines = {}) {
    TDBatch* b = CreateBatchWindow();
    b->Memo1->Lines()->Assign(lines);
    b->Show();
    testkit::PumpUntil([b] { return IsWindowVisible(b->Handle()) != FALSE; });
    return b;
  }
  static void ClickButton(TOrvNewButton* button) {
    testkit::Click(button, button->Width() / 2, button->Height() / 2);
  }
  void Execute(TDBatch* b) {
    size_t before = Host.Calls.size();
    ClickButton(b->OrvNewButton1);
    testkit::PumpUntil([&] { return Host.Calls.size() > before; }, 1000);
  }

  FakeHost Host;
  testkit::MessageBoxRecorder Boxes;
  testkit::TempDir Dir;
};

}  // namespace

TEST_F(DBatchTest, NewWindowIsHiddenWithTheLanguageCaptions) {
  TDBatch* b = CreateBatchWindow();
  EXPECT_EQ(b, DBatch);
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ("E&xecute", b->OrvNewButton1->Caption());
  EXPECT_EQ("&Cancel", b->OrvNewButton2->Caption());
  EXPECT_EQ("&Save as...", b->OrvNewButton3->Caption());

  // An empty language text leaves the designed caption.
  BatchExecuteText.clear();
  BatchCancelText = "&Abbrechen";
  MessageTexts[MessageId::SaveAs] = "&Speichern unter...";
  TDBatch* c = CreateBatchWindow();
  EXPECT_EQ(c, DBatch);
  EXPECT_EQ("Execute", c->OrvNewButton1->Caption());
  EXPECT_EQ("&Abbrechen", c->OrvNewButton2->Caption());
  EXPECT_EQ("&Speichern unter...", c->OrvNewButton3->Caption());
}

TEST_F(DBatchTest, ButtonsRunAlongTheBottomAndTheMemoGrowsWithTheWindow) {
  ShotWithFaces faces;
  TDBatch* b = NewShownWindow({"cd \\src", "", "make all"});
  auto expectLayout = [b] {
    const int h = b->PanelClient->ClientHeight(), w = b->PanelClient->ClientWidth();
    for (TOrvNewButton* btn : {b->OrvNewButton1, b->OrvNewButton2, b->OrvNewButton3})
      EXPECT_EQ(h - 21 - 8, btn->Top());
    EXPECT_EQ(8, b->OrvNewButton1->Left());
    EXPECT_EQ(112, b->OrvNewButton2->Left());
    EXPECT_EQ(232, b->OrvNewButton3->Left());
    TOrvRoundRectPanel* p = b->OrvRoundRectPanel1;
    EXPECT_EQ(w - 16, p->Width());
    EXPECT_EQ(h - 21 - 24, p->Height());
    EXPECT_EQ(p->Width() - 16, b->Memo1->Width());
    EXPECT_EQ(p->Height() - 16, b->Memo1->Height());
  };
  expectLayout();
  SetWindowPos(b->Handle(), nullptr, 0, 0, 600, 420, SWP_NOMOVE | SWP_NOZORDER);
  testkit::PumpPending();
  ASSERT_EQ(600, b->Width());
  expectLayout();
  ShotWithFaces::Save(b->Handle(), "DBatch.png");
}

TEST_F(DBatchTest, CannotBeMadeSmallerThan370By150) {
  TDBatch* b = NewShownWindow();
  SetWindowPos(b->Handle(), nullptr, 0, 0, 200, 90, SWP_NOMOVE | SWP_NOZORDER);
  testkit::PumpPending();
  RECT r;
  GetWindowRect(b->Handle(), &r);
  EXPECT_EQ(370, r.right - r.left);
  EXPECT_EQ(150, r.bottom - r.top);
  b->SetBounds(b->Left(), b->Top(), 100, 100);
  EXPECT_EQ(370, b->Width());
  EXPECT_EQ(150, b->Height());
}

TEST_F(DBatchTest, EmptyMemoRunsNothingAndLeavesTheModeAlone) {
  TDBatch* b = NewShownWindow();
  for (bool dos : {false, true}) {
    Host.Dos = dos;
    ClickButton(b->OrvNewButton1);
    testkit::PumpPending();
    EXPECT_TRUE(Host.Calls.empty());
    EXPECT_EQ(dos, Host.Dos);
  }
  EXPECT_TRUE(Alive(b));
}

TEST_F(DBatchTest, LinesAreJoinedWithDoubleAmpersands) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"", "dir"}, "&&dir"},
      {{"dir /w"}, "dir /w"},
      {{"cd \\src", "", "make"}, "cd \\src&&make"},
      {{"echo a", "", "", "echo b", ""}, "echo a&&echo b"},
  };
  TDBatch* b = NewShownWindow();
  for (const auto& [lines, command] : cases) {
    SCOPED_TRACE(command);
    Host.Calls.clear();
    b->Memo1->Lines()->Assign(lines);
    Execute(b);
    ASSERT_EQ(1u, Host.Calls.size());
    EXPECT_EQ(command, Host.Calls[0].Command);
  }
  // The window stays open after running.
  EXPECT_TRUE(IsWindowVisible(b->Handle()));
}

TEST_F(DBatchTest, RunsInDosWindowModeAndPutsTheModeBack) {
  TDBatch* b = NewShownWindow({"dir"});
  for (bool dosBefore : {false, true}) {
    for (bool close : {false, true}) {
      SCOPED_TRACE(std::to_string(dosBefore) + std::to_string(close));
      Host.Calls.clear();
      Host.Dos = dosBefore;
      Host.Close = close;
      Execute(b);
      ASSERT_EQ(1u, Host.Calls.size());
      EXPECT_TRUE(Host.Calls[0].DosDuringCall);
      EXPECT_EQ(close, Host.Calls[0].Close);
      EXPECT_EQ(dosBefore, Host.Dos);
    }
  }
}

TEST_F(DBatchTest, WithoutAHostExecuteDoesNothing) {
  TDBatch* b = NewShownWindow({"dir"});
  SetCommandHost(nullptr);
  ClickButton(b->OrvNewButton1);
  testkit::PumpPending();
  EXPECT_TRUE(Host.Calls.empty());
  EXPECT_TRUE(Alive(b));
}

TEST_F(DBatchTest, EnterInTheMemoStartsANewLineAndRunsNothing) {
  TDBatch* b = NewShownWindow();
  b->Memo1->SetFocus();
  testkit::TypeText(b->Memo1->Handle(), "echo a\rdir");
  testkit::PumpPending();
  EXPECT_TRUE(Host.Calls.empty());
  EXPECT_EQ((std::vector<std::string>{"echo a", "dir"}), b->Memo1->Lines()->Items());
  Execute(b);
  ASSERT_EQ(1u, Host.Calls.size());
  EXPECT_EQ("echo a&&dir", Host.Calls[0].Command);
}

TEST_F(DBatchTest, WindowsAreIndependentAndCloseThemselves) {
  TDBatch* first = NewShownWindow({"echo first"});
  TDBatch* second = NewShownWindow({"echo second"});
  EXPECT_EQ(second, DBatch);

  // The cancel button closes and frees its own window only.
  ClickButton(second->OrvNewButton2);
  ASSERT_TRUE(testkit::PumpUntil([second] { return !Alive(second); }));
  EXPECT_EQ(nullptr, DBatch);
  ASSERT_TRUE(Alive(first));
  Execute(first);
  ASSERT_EQ(1u, Host.Calls.size());
  EXPECT_EQ("echo first", Host.Calls[0].Command);

  // Esc clicks the cancel button.
  first->Memo1->SetFocus();
  testkit::PressKey(first->Memo1->Handle(), VK_ESCAPE);
  EXPECT_TRUE(testkit::PumpUntil([first] { return !Alive(first); }));
}

TEST_F(DBatchTest, OpenBatchFileTwiceGivesTwoWindowsEachWithOneSuffix) {
  // "\B" of "\BUILD.BAT" would switch bold on in the caption markup.
  Dir.MakeDir("Tools");
  Dir.Write("Tools\\BUILD.BAT", "cd \\src\r\n\r\nmake\r\n");
  const std::string path = Dir / "Tools\\BUILD.BAT";
  TDBatch* a = OpenBatchFile(path);
  TDBatch* b = OpenBatchFile(path);
  ASSERT_NE(a, b);
  EXPECT_EQ(b, DBatch);
  for (TDBatch* w : {a, b}) {
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
    EXPECT_EQ("OrvQuillon -- Batch Execution - " + path, WindowCaption(w->Handle()));
    EXPECT_EQ((std::vector<std::string>{"cd \\src", "", "make"}), w->Memo1->Lines()->Items());
    EXPECT_EQ(path, w->SaveDialog1->FileName());
  }
  Execute(a);
  ASSERT_EQ(1u, Host.Calls.size());
  EXPECT_EQ("cd \\src&&make", Host.Calls[0].Command);
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// A path too long for the title bar is cut with an ellipsis, never dropped
// whole; a wide enough window shows all of it.
TEST_F(DBatchTest, ATitleTooLongForTheBarEndsInAnEllipsis) {
  Dir.MakeDir("a folder with a rather long name");
  Dir.Write("a folder with a rather long name\\build.bat", "make\r\n");
  const std::string path = Dir / "a folder with a rather long name\\build.bat";
  TDBatch* b = OpenBatchFile(path);
  auto plain = [](const std::string& internal) {  // without the style switches
    std::string out;
    for (size_t i = 0; i < internal.size(); ++i)
      if (internal[i] == kMarkupPrefix) ++i;
      else out += internal[i];
    return out;
  };
  for (TPZLabel* label : {b->LabelBl, b->LabelWh}) {
    MarkupLayout l = label->Layout();
    ASSERT_EQ(l.Lines.size(), 1u);
    const std::string shown = plain(l.Text);
    EXPECT_EQ(shown.rfind("OrvQuillon -- Batch Execution - ", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LE(l.Width, label->ClientWidth());
  }
  ShotWithFaces::Save(b->Handle(), "DBatch_long_title.png");
  b->SetBounds(b->Left(), b->Top(), 1000, b->Height());
  testkit::PumpPending();
  MarkupLayout wide = b->LabelBl->Layout();
  EXPECT_NE(wide.Text.find("build.bat"), std::string::npos);
  EXPECT_NE(wide.Text.substr(wide.Text.size() - 3), "...");
}

TEST_F(DBatchTest, UnreadableBatchFileGivesTheErrorBoxAndNoWindow) {
  TDBatch* earlier = CreateBatchWindow();
  Application->QueueCall([this] { OpenBatchFile(Dir / "missing.bat"); });
  Application->RunQueuedCalls();
  ASSERT_EQ(1u, Boxes.Boxes.size());
  EXPECT_NE(std::string::npos, Boxes.Boxes[0].Text.find(Dir / "missing.bat"));
  EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR);
  // Only the earlier window is left, and no reference names the lost one.
  EXPECT_EQ(std::vector<TDBatch*>{earlier}, FormsOf<TDBatch>());
  EXPECT_EQ(nullptr, DBatch);
}

TEST_F(DBatchTest, NulBytesAndVeryLongLinesArriveWhole) {
  const std::string longLine(200000, 'x');
  Dir.Write("odd.bat", std::string("echo a\0b\r\n", 10) + longLine + "\nlast");
  TDBatch* b = OpenBatchFile(Dir / "odd.bat");
  const std::vector<std::string> lines = b->Memo1->Lines()->Items();
  ASSERT_EQ(3u, lines.size());
  // The edit control would end the text at the NUL; it shows as a blank.
  EXPECT_EQ("echo a b", lines[0]);
  EXPECT_EQ(longLine, lines[1]);
  EXPECT_EQ("last", lines[2]);
}

TEST_F(DBatchTest, SaveAsReplacesAnExistingFileExactly) {
  Dir.Write("run.bat", "old contents that are longer than the new ones\r\n");
  const std::string path = Dir / "run.bat";
  TDBatch* b = OpenBatchFile(path);
  b->Memo1->Lines()->Assign({"echo one> a.txt", "", "copy a.txt b.txt"});
  {
    testkit::FileDialogStub dialog("");  // cancelled: nothing happens
    ClickButton(b->OrvNewButton3);
    ASSERT_TRUE(testkit::PumpUntil([&] { return !dialog.Requests.empty(); }));
    EXPECT_EQ("old contents that are longer than the new ones\r\n", testkit::ReadFile(path));
  }
  testkit::FileDialogStub dialog(path);
  ClickButton(b->OrvNewButton3);
  ASSERT_TRUE(testkit::PumpUntil([&] { return !dialog.Requests.empty(); }));
  const FileDialogRequest& r = dialog.Requests[0];
  EXPECT_TRUE(r.Save);
  EXPECT_EQ("Save as Batchfile", r.Title);
  EXPECT_EQ("Batch Files (*.BAT)|*.BAT", r.Filter);
  EXPECT_EQ("BAT", r.DefaultExt);
  EXPECT_EQ(path, r.FileName);  // proposed: the name it was loaded under
  EXPECT_EQ(DWORD(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING),
            r.Flags & DWORD(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING));
  EXPECT_EQ("echo one> a.txt\r\n\r\ncopy a.txt b.txt\r\n", testkit::ReadFile(path));
  EXPECT_TRUE(Boxes.Boxes.empty());
  // Saving leaves the title as it was.
  EXPECT_EQ("OrvQuillon -- Batch Execution - " + path, WindowCaption(b->Handle()));
  EXPECT_EQ(0, FilesLike(Dir / "*.tmp"));  // no temporary file is left beside it
}

// A batch file keeps its encoding: saved unchanged it keeps its very bytes
// (line ends, legacy bytes, a byte-order mark), changed it is written in the
// form it came in as far as the new text allows, else in UTF-8 without a
// byte-order mark; a new window writes the user's legacy code page.
TEST_F(DBatchTest, BatchFilesKeepTheirBytesAndTheirEncoding) {
  ASSERT_EQ(LegacyCodePage(), 1252u) << "the cases are written for a Western European system";
  struct Case {
    const char* name;
    std::string bytes;        // the file before (empty: a new window)
    std::wstring shownFirst;  // its first line as shown
    std::wstring edited;      // the memo's text before saving (empty: unchanged)
    std::string saved;        // the file after
  } cases[] = {
      {"legacy, unchanged", "echo caf\xE9\ncopy a b\n", L"echo caf\x00E9", L"",
       "echo caf\xE9\ncopy a b\n"},
      {"UTF-8 with BOM, unchanged", "\xEF\xBB\xBF" "echo \xC5\x81\xC3\xB3" "d\xC5\xBA\r\n",
       L"echo \x0141\x00F3" L"d\x017A", L"", "\xEF\xBB\xBF" "echo \xC5\x81\xC3\xB3" "d\xC5\xBA\r\n"},
      {"legacy, changed within the code page", "echo caf\xE9\r\n", L"echo caf\x00E9",
       L"echo caf\x00E9 cr\x00E8me", "echo caf\xE9 cr\xE8me\r\n"},
      {"legacy, changed beyond it", "echo caf\xE9\r\n", L"echo caf\x00E9",
       L"copy \x65E5\x672C.txt caf\x00E9.txt",
       "copy \xE6\x97\xA5\xE6\x9C\xAC.txt caf\xC3\xA9.txt\r\n"},
      {"new window, within the code page", "", L"", L"echo \x00FC", "echo \xFC\r\n"},
      {"new window, beyond it", "", L"", L"echo \x03A3", "echo \xCE\xA3\r\n"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = "enc" + std::to_string(++n) + ".bat";
    const std::string path = Dir / name;
    TDBatch* b;
    if (c.bytes.empty()) {
      b = CreateBatchWindow();
    } else {
      Dir.Write(name, c.bytes);
      b = OpenBatchFile(path);
      ASSERT_FALSE(b->Memo1->Lines()->Items().empty());
      EXPECT_EQ(b->Memo1->Lines()->Items()[0], WideToAnsi(c.shownFirst));
    }
    if (!c.edited.empty()) b->Memo1->Lines()->Assign({WideToAnsi(c.edited)});
    testkit::FileDialogStub dialog(path);
    ClickButton(b->OrvNewButton3);
    ASSERT_TRUE(testkit::PumpUntil([&] { return !dialog.Requests.empty(); }));
    EXPECT_EQ(testkit::ReadFile(path), c.saved);
    TComponent::Free(b);
    testkit::PumpPending();
  }
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// Saving onto a file that is not to be replaced as it is (read-only,
// hidden): the error box names the file, the old file and its attributes
// stay, and no temporary file is left beside it.
TEST_F(DBatchTest, SaveOntoAReadOnlyOrHiddenFileReportsAndKeepsTheOldFile) {
  struct Case {
    const char* name;
    DWORD attribute;
  };
  for (const Case& c : {Case{"readonly.bat", FILE_ATTRIBUTE_READONLY},
                        Case{"hidden.bat", FILE_ATTRIBUTE_HIDDEN}}) {
    Boxes.Boxes.clear();
    Dir.Write(c.name, "echo old\r\n");
    const std::string path = Dir / c.name;
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attribute));
    TDBatch* b = NewShownWindow({"echo new"});
    testkit::FileDialogStub dialog(path);
    ClickButton(b->OrvNewButton3);
    ASSERT_TRUE(testkit::PumpUntil([&] { return !Boxes.Boxes.empty(); })) << c.name;
    EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR) << c.name;
    EXPECT_NE(std::string::npos, Boxes.Boxes[0].Text.find(path)) << c.name;
    EXPECT_EQ("echo old\r\n", testkit::ReadFile(path)) << c.name;
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & c.attribute) << c.name;
    EXPECT_EQ(0, FilesLike(Dir / "*.tmp")) << c.name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    TComponent::Free(b);
    testkit::PumpPending();
  }
}

TEST_F(DBatchTest, SaveIntoAReadOnlyFolderReportsAndKeepsTheOldFile) {
  Dir.MakeDir("locked");
  Dir.Write("locked\\keep.bat", "echo old\r\n");
  const std::string path = Dir / "locked\\keep.bat";
  TDBatch* b = NewShownWindow({"echo new"});
  UnwritableFolder folder(Dir / "locked");
  if (!folder.Active) GTEST_SKIP() << "cannot make a folder refuse files here";

  testkit::FileDialogStub dialog(path);
  ClickButton(b->OrvNewButton3);
  ASSERT_TRUE(testkit::PumpUntil([&] { return !Boxes.Boxes.empty(); }));
  ASSERT_EQ(1u, Boxes.Boxes.size());
  EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR);
  EXPECT_NE(std::string::npos, Boxes.Boxes[0].Text.find(path));
  EXPECT_EQ("echo old\r\n", testkit::ReadFile(path));
  // The window stays as it was.
  EXPECT_TRUE(Alive(b));
  EXPECT_EQ(std::vector<std::string>{"echo new"}, b->Memo1->Lines()->Items());
}

// The whole road: a host that runs the joined lines through the real
// command interpreter in one console session.
TEST_F(DBatchTest, ExecuteRunsTheBatchInTheCommandInterpreter) {
  struct InterpreterHost : TCommandHost {
    bool Dos = false;
    std::string Line;
    HANDLE Process = nullptr;
    bool DosWindowMode() const override { return Dos; }
    void SetDosWindowMode(bool on) override { Dos = on; }
    bool CloseSetting() const override { return true; }
    void RunCommand(const std::string& command, bool close) override {
      char comspec[MAX_PATH] = "cmd";
      GetEnvironmentVariableA("COMSPEC", comspec, MAX_PATH);
      Line = std::string(comspec) + (close && Dos ? " /C " : " /K ") + command;
      STARTUPINFOA si{};
      si.cb = sizeof si;
      PROCESS_INFORMATION pi{};
      std::string buf = Line;
      if (Processes().CreateProcessFn(nullptr, buf.data(), NORMAL_PRIORITY_CLASS, nullptr, &si,
                                      &pi)) {
        CloseHandle(pi.hThread);
        Process = pi.hProcess;
      }
    }
  } host;
  SetCommandHost(&host);
  testkit::CurrentDirGuard keepDir;
  ASSERT_TRUE(SetCurrentDirectoryA(Dir.Path().c_str()));

  TDBatch* b = NewShownWindow({"echo one> a.txt", "", "copy a.txt b.txt"});
  ClickButton(b->OrvNewButton1);
  ASSERT_TRUE(testkit::PumpUntil([&] { return host.Process != nullptr; }));
  EXPECT_NE(std::string::npos, host.Line.find(" /C echo one> a.txt&&copy a.txt b.txt"));
  EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(Dir / "b.txt"); }, 20000));
  EXPECT_TRUE(testkit::PumpUntil(
      [&] { return WaitForSingleObject(host.Process, 0) == WAIT_OBJECT_0; }, 20000));
  CloseHandle(host.Process);
  EXPECT_EQ("one\r\n", testkit::ReadFile(Dir / "b.txt"));
  EXPECT_FALSE(host.Dos);
}
