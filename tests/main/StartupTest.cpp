// Start-up: the command interpreter, the option words and the parameter
// file, in this process and with the real program started as a process.
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "frame/UOberMetal.h"
#include "program/ProgramValues.h"
#include "testkit/TestKit.h"

namespace {

// Keeps an environment variable and puts it back.
class EnvGuard {
 public:
  explicit EnvGuard(const char* name) : FName(name) {
    char buf[32768];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    FHad = n > 0;
    FValue.assign(buf, n);
  }
  ~EnvGuard() { SetEnvironmentVariableA(FName, FHad ? FValue.c_str() : nullptr); }

 private:
  const char* FName;
  bool FHad;
  std::string FValue;
};

// The look switches are process-wide; these tests put them back.
class SwitchGuard {
 public:
  SwitchGuard()
      : FShaded(ShadedMode), FBorder(WinBorderMode), FPos(PosRestoreEnabled),
        FPanelRgn(TOrvRoundRectPanel::RegionsEnabled()),
        FButtonRgn(TOrvNewButton::RegionsEnabled()),
        FButtonBmp(TOrvNewButton::BitmapsEnabled()) {}
  ~SwitchGuard() {
    ShadedMode = FShaded;
    WinBorderMode = FBorder;
    PosRestoreEnabled = FPos;
    TOrvRoundRectPanel::SetRegionsEnabled(FPanelRgn);
    TOrvNewButton::SetRegionsEnabled(FButtonRgn);
    TOrvNewButton::SetBitmapsEnabled(FButtonBmp);
  }

 private:
  bool FShaded, FBorder, FPos, FPanelRgn, FButtonRgn, FButtonBmp;
};

}  // namespace

TEST(Startup, ComspecNamingAnExistingFileIsTheInterpreter) {
  EnvGuard env("COMSPEC");
  testkit::TempDir dir;
  // Longer than the first 40-byte buffer.
  std::string longName = dir / "a-rather-long-name-for-an-interpreter-program.exe";
  dir.Write("a-rather-long-name-for-an-interpreter-program.exe", "MZ");
  SetEnvironmentVariableA("COMSPEC", longName.c_str());
  testkit::MessageBoxRecorder boxes;
  EXPECT_EQ(FindCommandInterpreter(), longName);
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST(Startup, ComspecNamingNothingAsksBeforeAnyWindow) {
  EnvGuard env("COMSPEC");
  ResetProgramTexts();
  SetEnvironmentVariableA("COMSPEC", "C:\\nowhere\\cmd.exe");
  testkit::MessageBoxRecorder boxes(IDNO);
  EXPECT_EQ(FindCommandInterpreter(), "CMD");
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Caption, "Error");
  EXPECT_EQ(boxes.Boxes[0].Flags, static_cast<UINT>(MB_YESNO));
  EXPECT_NE(boxes.Boxes[0].Text.find("COMPSPEC"), std::string::npos);
  boxes.Answer = IDYES;
  SetEnvironmentVariableA("COMSPEC", nullptr);
  EXPECT_EQ(FindCommandInterpreter(), "COMMAND");
}

TEST(Startup, ParameterFileSetsTheSwitchesOfTheirModules) {
  SwitchGuard keep;
  testkit::TempDir dir;
  ProgramDir = dir.Path() + "\\";
  dir.Write("OrvQuill.par", "metal\r\nnorgn\n\nPOSRESTORE\r\n");
  testkit::ProcessRecorder starts(false);
  ReadStartOptions({"OrvQuill.exe"});
  EXPECT_TRUE(starts.WinExecLines.empty());
  EXPECT_FALSE(TOrvRoundRectPanel::RegionsEnabled());
  EXPECT_FALSE(TOrvNewButton::RegionsEnabled());
  EXPECT_TRUE(TOrvNewButton::BitmapsEnabled());
  EXPECT_TRUE(PosRestoreEnabled);
  EXPECT_FALSE(ShadedMode);
}

// A parameter file that is there but cannot be read (another program holds
// it without sharing) counts as empty: no chooser, no message, no words.
TEST(Startup, AParameterFileThatCannotBeReadCountsAsEmpty) {
  SwitchGuard keep;
  testkit::TempDir dir;
  ProgramDir = dir.Path() + "\\";
  dir.Write("OrvQuill.par", "norgn\r\n");
  HANDLE held = CreateFileA((dir / "OrvQuill.par").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  testkit::ProcessRecorder starts(false);
  testkit::MessageBoxRecorder boxes;
  ReadStartOptions({"OrvQuill.exe"});
  CloseHandle(held);
  EXPECT_TRUE(starts.WinExecLines.empty());
  EXPECT_TRUE(boxes.Boxes.empty());
  EXPECT_TRUE(TOrvRoundRectPanel::RegionsEnabled());
}

TEST(Startup, ShadedAndWinBorderGiveTheShadedLook) {
  SwitchGuard keep;
  testkit::TempDir dir;
  ProgramDir = dir.Path() + "\\";
  dir.Write("OrvQuill.par", "");
  testkit::ProcessRecorder starts(false);
  ReadStartOptions({"OrvQuill.exe", "SHADED", "WINBORDER", "NOBUTTBMPS"});
  EXPECT_TRUE(ShadedMode);
  EXPECT_FALSE(WinBorderMode);
  EXPECT_FALSE(TOrvNewButton::BitmapsEnabled());
  EXPECT_FALSE(TOrvNewButton::RegionsEnabled());
  EXPECT_TRUE(TOrvRoundRectPanel::RegionsEnabled());
  EXPECT_FALSE(MetalBitmapsPresent());
}

// ---- the real program as a process -------------------------------------------------------
namespace {

struct ProgramRun : ::testing::Test {
  testkit::TempDir Dir;
  testkit::ChildProcess Program;

  void SetUp() override {
    const std::string build = testkit::ExeFolder();
    ASSERT_TRUE(CopyFileA((build + "OrvQuill.exe").c_str(), (Dir / "OrvQuill.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((build + "oq_fake_chooser.exe").c_str(), (Dir / "oqtyp.exe").c_str(),
                          FALSE));
    Dir.Write("OrvExec.bat", "@echo off\r\n%*\r\n");
    for (const char* f : {"English.OQL", "Deutsch.OQL"})
      ASSERT_TRUE(CopyFileA((testkit::DataFolder() + f).c_str(), (Dir / f).c_str(), FALSE));
    // A language is chosen: no chooser waits for an answer.
    Dir.Write("OrvQuill.LNG", "English.OQL\r\n");
  }
  void Start(const std::string& args) {
    ASSERT_TRUE(Program.Start("\"" + (Dir / "OrvQuill.exe") + "\" " + args, Dir.Path()));
  }
  bool Ended(int ms) { return Program.WaitEnded(ms); }
  HWND MainWindow(int ms) {
    HWND found = nullptr;
    testkit::PumpUntil(
        [&] {
          found = FindWindowA(nullptr, "OrvQuillon -- Advanced Windows Command Line");
          return found && IsWindowVisible(found);
        },
        ms);
    return found;
  }
};

// The first child window whose class name contains the given part.
struct ChildSearch {
  const char* ClassPart;
  HWND Found;
};
BOOL CALLBACK FindChildProc(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  char cls[64];
  GetClassNameA(w, cls, sizeof cls);
  CharUpperA(cls);
  if (strstr(cls, s->ClassPart)) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

// The edit field of the window's combo box (the command line).
BOOL CALLBACK FindEditProc(HWND w, LPARAM p) {
  char cls[64], parentCls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  GetClassNameA(GetParent(w), parentCls, sizeof parentCls);
  if (_stricmp(cls, "Edit") == 0 && strstr(parentCls, "COMBOBOX")) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindEditOfCombo(HWND top) {
  HWND edit = nullptr;
  EnumChildWindows(top, FindEditProc, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

}  // namespace

// The program starts the chooser and ends: without options and without a
// parameter file (a folder of that name is none), and with ASK whatever the
// file says.
TEST_F(ProgramRun, TheChooserStartsAndTheProgramEnds) {
  struct Case {
    const char* name;
    const char* args;
    bool file, folder;
  };
  for (const Case& c : {Case{"nothing to go by", "", false, false},
                        Case{"ASK with a parameter file", "ask", true, false},
                        Case{"a folder named OrvQuill.par", "", false, true}}) {
    if (c.file) Dir.Write("OrvQuill.par", "METAL\r\n");
    if (c.folder) Dir.MakeDir("OrvQuill.par");
    Start(c.args);
    EXPECT_TRUE(Ended(20000)) << c.name;
    EXPECT_TRUE(testkit::PumpUntil(
        [&] { return testkit::FileExists(Dir / "chooser-started.txt"); }, 10000))
        << c.name;
    DeleteFileA((Dir / "chooser-started.txt").c_str());
    DeleteFileA((Dir / "OrvQuill.par").c_str());
    RemoveDirectoryA((Dir / "OrvQuill.par").c_str());
  }
}

TEST_F(ProgramRun, WithAParameterFileTheWindowComesAndExitEndsIt) {
  Dir.Write("OrvQuill.par", "metal\r\nnorgn\r\n");
  Start("");
  HWND main = MainWindow(30000);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(testkit::FileExists(Dir / "chooser-started.txt"));
  HWND edit = FindEditOfCombo(main);
  ASSERT_NE(edit, nullptr);
  for (char c : std::string("EXIT")) PostMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 1);
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(edit, WM_CHAR, '\r', 1);
  EXPECT_TRUE(Ended(20000));
}

// A first start: the language chooser comes up in front of everything (the
// intro box, which stays on top, has made way), and the choice is kept.
TEST_F(ProgramRun, FirstStartAsksForTheLanguageInFrontAndKeepsIt) {
  DeleteFileA((Dir / "OrvQuill.LNG").c_str());
  Dir.Write("OrvQuill.par", "METAL\r\n");
  Start("");
  HWND chooser = nullptr;
  ASSERT_TRUE(testkit::PumpUntil(
      [&] {
        chooser = FindWindowA(nullptr, "Choose Language");
        return chooser && IsWindowVisible(chooser);
      },
      30000));
  // No window of the program lies above the chooser.
  DWORD pid = 0;
  GetWindowThreadProcessId(chooser, &pid);
  for (HWND w = GetWindow(chooser, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) {
      char title[128] = "";
      GetWindowTextA(w, title, sizeof title);
      ADD_FAILURE() << "a window of the program above the chooser: \"" << title << "\"";
    }
  }
  ChildSearch list{"LISTBOX", nullptr};
  EnumChildWindows(chooser, FindChildProc, reinterpret_cast<LPARAM>(&list));
  ASSERT_NE(list.Found, nullptr);
  const LRESULT i = SendMessageA(list.Found, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>("Deutsch"));
  ASSERT_GE(i, 0);
  const int y = static_cast<int>(SendMessageA(list.Found, LB_GETITEMHEIGHT, 0, 0) * i) + 4;
  PostMessageA(list.Found, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
  PostMessageA(list.Found, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
  PostMessageA(list.Found, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(list.Found, WM_KEYUP, VK_RETURN, 1);
  EXPECT_TRUE(testkit::PumpUntil(
      [&] { return testkit::ReadFile(Dir / "OrvQuill.LNG") == "Deutsch.OQL\r\n"; }, 20000));
  HWND main = MainWindow(20000);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(testkit::PumpUntil([&] { return IsWindowEnabled(main) != 0; }, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended(20000));
}
