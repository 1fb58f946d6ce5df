// The command line's history: Up, Down and F8 through real key messages,
// and the history kept between runs with HISTORY, in real files: a run is
// the window made anew, or the real program started as a process.
#include <algorithm>
#include <functional>

#include "framework/Files.h"
#include "framework/WideText.h"
#include "main/CommandHistory.h"
#include "main/HistoryFile.h"
#include "main/MainFixture.h"

namespace {
using Lines = std::vector<std::string>;

std::string Numbered(const std::string& word, int from, int to) {
  std::string s;
  for (int i = from; i <= to; ++i) s += word + " " + std::to_string(i) + "\r\n";
  return s;
}

std::string FallbackFile() {
  return WideToAnsi(HistoryFallbackFolder() + L"\\" + kHistoryFileName);
}

// Removes the history in the user's application data folder before and
// after a test that may write it.
struct FallbackCleaner {
  FallbackCleaner() { Clean(); }
  ~FallbackCleaner() { Clean(); }
  static void Clean() {
    SetFileAttributesA(FallbackFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(FallbackFile().c_str());
    RemoveDirectoryW(HistoryFallbackFolder().c_str());
  }
};

// A folder made unwritable for everybody, root included: the Linux
// immutable flag, set by the real chattr.
class ImmutableFolder {
 public:
  explicit ImmutableFolder(const std::string& folder) : FFolder(folder) {
    // Wine keeps no track of the Linux program that start.exe starts: the
    // flag's effect is waited for.
    FDone = Chattr("+i") && testkit::PumpUntil([&] { return !Writable(); }, 20000);
  }
  ~ImmutableFolder() {
    if (Chattr("-i")) testkit::PumpUntil([&] { return Writable(); }, 20000);
  }
  bool Done() const { return FDone; }

 private:
  bool Chattr(const char* flag) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!unixName) return false;
    char* path = unixName(AnsiToWide(FFolder).c_str());
    if (!path) return false;
    // Started through Wine's start.exe: a Linux program started by this
    // process itself would take its standard output along (the test log
    // ends there).
    std::string line = std::string("start.exe /unix /usr/bin/chattr ") + flag + " \"" + path + "\"";
    HeapFree(GetProcessHeap(), 0, path);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
      return false;
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
  }
  bool Writable() {
    const std::string probe = FFolder + "\\probe.tmp";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
  }
  std::string FFolder;
  bool FDone = false;
};

struct MainHistory : MainFixture {
  testkit::ProcessRecorder Starts{false};  // commands are recorded, not run

  void TearDown() override {
    MainFixture::TearDown();
    KeepHistory = false;
  }
  // The next run: the window made anew, with or without HISTORY.
  void Restart(bool history) {
    TComponent::Free(F);
    testkit::PumpPending();
    KeepHistory = history;
    F = Application->CreateForm<TForm1>();
    F->Show();
    testkit::PumpUntil([&] { return IsWindowVisible(F->Handle()) != 0; });
    // The commands read go into the list once the window is painted.
    testkit::PumpPending();
  }
  std::string HistoryPath() const { return Dir / "prog\\OrvQuill.his"; }
  Lines Items() const { return F->CommLine->Items()->Items(); }
  void Key(WORD vk) { testkit::PressKey(F->CommLine->EditHandle(), vk); }
  void Expect(const std::string& text, int line) {
    EXPECT_EQ(F->CommLine->Text(), text) << "line " << line;
    // The caret at the end, nothing selected: typing goes on from there.
    EXPECT_EQ(F->CommLine->SelStart(), static_cast<int>(text.size())) << "line " << line;
    EXPECT_EQ(F->CommLine->SelLength(), 0) << "line " << line;
  }
  void Clear() {
    F->CommLine->SetText("");
  }
};

}  // namespace

TEST_F(MainHistory, UpAndDownWalkFromTheNewestWhileTheListIsClosed) {
  Type("echo one\r");
  Type("echo two\r");
  Type("echo three\r");
  Clear();
  Type("par");
  Key(VK_DOWN);  // no walk yet: nothing happens
  EXPECT_EQ(F->CommLine->Text(), "par");
  Key(VK_UP);
  Expect("echo three", __LINE__);
  Key(VK_UP);
  Expect("echo two", __LINE__);
  Key(VK_UP);
  Expect("echo one", __LINE__);
  Key(VK_UP);
  Expect("echo one", __LINE__);  // the oldest stays
  Key(VK_DOWN);
  Expect("echo two", __LINE__);
  Key(VK_DOWN);
  Expect("echo three", __LINE__);
  Key(VK_DOWN);
  Expect("par", __LINE__);  // past the newest: what was typed
  // The list keeps its order; a recalled and entered command is the newest.
  EXPECT_EQ(Items(), (Lines{"echo one", "echo two", "echo three"}));
  Key(VK_UP);
  Key(VK_UP);
  Type("\r");
  EXPECT_EQ(Items(), (Lines{"echo one", "echo two", "echo three", "echo two"}));
  Key(VK_UP);
  Expect("echo two", __LINE__);
  // An edit ends the walk: Up starts from the newest again.
  Key(VK_UP);
  Type("x");
  Key(VK_UP);
  EXPECT_EQ(F->CommLine->Text(), "echo two");
  Key(VK_DOWN);
  EXPECT_EQ(F->CommLine->Text(), "echo threex");

  // With the list dropped down the keys move in the list as the system's
  // combo box moves them (Down from no selection: the first entry).
  Clear();
  F->CommLine->SetDroppedDown(true);
  ASSERT_TRUE(testkit::PumpUntil([&] { return F->CommLine->DroppedDown(); }));
  Key(VK_DOWN);
  EXPECT_EQ(F->CommLine->Text(), "echo one");
  EXPECT_EQ(F->CommLine->ItemIndex(), 0);
  F->CommLine->SetDroppedDown(false);
}

TEST_F(MainHistory, F8FindsTheNewestCommandBeginningWithTheTypedText) {
  for (const char* c : {"dir a", "copy x y", "DIR b", "\xC3\xA4rger x", "echo"})
    Type(std::string(c) + "\r");
  Clear();
  Type("di");
  Key(VK_F8);
  Expect("DIR b", __LINE__);
  Key(VK_F8);  // the typed prefix, not the shown text, is searched
  Expect("dir a", __LINE__);
  Key(VK_F8);  // past the oldest match, round to the newest again
  Expect("DIR b", __LINE__);
  Key(VK_DOWN);
  Expect("\xC3\xA4rger x", __LINE__);
  // Without regard to case in any alphabet: Ä finds ärger.
  Clear();
  Type("\xC3\x84");
  Key(VK_F8);
  Expect("\xC3\xA4rger x", __LINE__);
  // Edited text is a new prefix.
  Clear();
  Type("co");
  Key(VK_F8);
  Expect("copy x y", __LINE__);
  // Nothing typed: F8 walks back like Up.
  Clear();
  Key(VK_F8);
  Expect("echo", __LINE__);
  Key(VK_F8);
  Expect("\xC3\xA4rger x", __LINE__);
  // Nothing matches: the text stays.
  Clear();
  Type("zz");
  Key(VK_F8);
  EXPECT_EQ(F->CommLine->Text(), "zz");
}

TEST_F(MainHistory, CommandsOfOneRunAreThereAtTheNextStartInOrder) {
  Restart(true);
  EXPECT_FALSE(testkit::FileExists(HistoryPath()));  // nothing to keep yet
  const Lines commands = {"echo one", "DIR *.txt", "echo \xC3\xA4\xE6\x97\xA5", "echo one"};
  for (const std::string& c : commands) Type(c + "\r");
  EXPECT_EQ(testkit::ReadFile(HistoryPath()),
            "echo one\r\nDIR *.txt\r\necho \xC3\xA4\xE6\x97\xA5\r\necho one\r\n");
  Restart(true);
  EXPECT_EQ(Items(), commands);
  Clear();
  Key(VK_UP);
  Expect("echo one", __LINE__);
  Key(VK_UP);
  Expect("echo \xC3\xA4\xE6\x97\xA5", __LINE__);
  Type("\r");
  Restart(true);
  EXPECT_EQ(Items().size(), 5u);
  EXPECT_EQ(Items().back(), "echo \xC3\xA4\xE6\x97\xA5");
}

TEST_F(MainHistory, TheThousandAndFirstCommandTrimsTheOldest) {
  Dir.Write("prog\\OrvQuill.his", Numbered("cmd", 1, 1000));
  Restart(true);
  ASSERT_EQ(Items().size(), 1000u);
  EXPECT_EQ(Items().front(), "cmd 1");
  Type("new one\r");
  EXPECT_EQ(testkit::ReadFile(HistoryPath()), Numbered("cmd", 2, 1000) + "new one\r\n");
  Type("new two\r");
  EXPECT_EQ(testkit::ReadFile(HistoryPath()), Numbered("cmd", 3, 1000) + "new one\r\nnew two\r\n");
  // The list of this run keeps everything; the rewriting left no file behind.
  EXPECT_EQ(Items().size(), 1002u);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((Dir / "prog\\*.tmp").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << fd.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(MainHistory, WithoutTheWordNoFileIsReadOrWritten) {
  FallbackCleaner clean;
  Dir.Write("prog\\OrvQuill.his", "old\r\n");
  Restart(false);
  EXPECT_TRUE(Items().empty());
  Type("echo new\r");
  EXPECT_EQ(Items(), Lines{"echo new"});
  EXPECT_EQ(testkit::ReadFile(HistoryPath()), "old\r\n");
  EXPECT_FALSE(testkit::FileExists(FallbackFile()));
  EXPECT_EQ(F->HistoryFile(), nullptr);
}

TEST_F(MainHistory, FallsBackToTheApplicationDataFolderWhenTheProgramFolderIsReadOnly) {
  FallbackCleaner clean;
  Dir.Write("prog\\OrvQuill.his", "from the program folder\r\n");
  {
    ImmutableFolder locked(Dir / "prog");
    if (!locked.Done()) GTEST_SKIP() << "this file system cannot make a folder read-only for root";
    Restart(true);
    ASSERT_NE(F->HistoryFile(), nullptr);
    EXPECT_EQ(WideToAnsi(F->HistoryFile()->Path()), FallbackFile());
    EXPECT_EQ(Items(), Lines{"from the program folder"});
    Type("DIR kept\r");
    EXPECT_EQ(testkit::ReadFile(FallbackFile()), "DIR kept\r\n");
    Restart(true);
    EXPECT_EQ(Items(), (Lines{"from the program folder", "DIR kept"}));

    // Neither folder can be written: the history lives for the run, and
    // nothing is said about it.
    ImmutableFolder alsoLocked(WideToAnsi(HistoryFallbackFolder()));
    ASSERT_TRUE(alsoLocked.Done());
    Restart(true);
    EXPECT_TRUE(F->HistoryFile()->Path().empty());
    EXPECT_EQ(Items(), (Lines{"from the program folder", "DIR kept"}));
    Type("DIR lost\r");
    Type("DIR twice\r");
    Key(VK_UP);
    EXPECT_EQ(F->CommLine->Text(), "DIR twice");
    EXPECT_EQ(testkit::ReadFile(FallbackFile()), "DIR kept\r\n");
  }
  EXPECT_EQ(testkit::ReadFile(HistoryPath()), "from the program folder\r\n");
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// The damaged files: the window shows what it can, the command entered then
// is in the list, and it reaches a file that can take it.
TEST_F(MainHistory, DamagedHistoryFilesShowWhatTheyCan) {
  FallbackCleaner clean;
  const std::string megabyte(1 << 20, 'x');
  const std::string hundredMegabytes = [] {
    std::string s = Numbered("cmd", 1, 1000);
    const std::string filler = std::string(99, 'f') + "\n";
    s.reserve(100u << 20);
    while (s.size() < (100u << 20)) s += filler;
    return s + Numbered("cmd", 1001, 1999);
  }();
  struct Case {
    const char* what;
    std::function<void()> make;
    Lines shown;
    bool toFallback;     // the program folder's file cannot be written
    std::string after;   // the file that takes the command, afterwards
  } cases[] = {
      {"100 MB", [&] { Dir.Write("prog\\OrvQuill.his", hundredMegabytes); },
       // Only the end of so large a file is read: its last filler line, then
       // the commands after it.
       [] {
         Lines l{std::string(99, 'f')};
         for (int i = 1001; i <= 1999; ++i) l.push_back("cmd " + std::to_string(i));
         return l;
       }(),
       false, Numbered("cmd", 1001, 1999) + "DIR new\r\n"},
      {"one line of 1 MB", [&] { Dir.Write("prog\\OrvQuill.his", "a\r\n" + megabyte + "\r\nb\r\n"); },
       {"a", std::string(kHistoryLineChars, 'x'), "b"}, false,
       "a\r\n" + megabyte + "\r\nb\r\nDIR new\r\n"},
      {"no line ends", [&] { Dir.Write("prog\\OrvQuill.his", "dir c:"); }, {"dir c:"}, false,
       "dir c:\r\nDIR new\r\n"},
      {"invalid UTF-8", [&] { Dir.Write("prog\\OrvQuill.his", "ok\r\n\xFF\xFE bad\r\nfine \xC3"); },
       {"ok"}, false, "ok\r\n\xFF\xFE bad\r\nfine \xC3\r\nDIR new\r\n"},
      {"NUL bytes", [&] { Dir.Write("prog\\OrvQuill.his", std::string("a\0\0\0b\r\n\0\0", 9)); },
       {"a", "b"}, false, std::string("a\0\0\0b\r\n\0\0\r\nDIR new\r\n", 20)},
      {"a folder", [&] { Dir.MakeDir("prog\\OrvQuill.his"); }, {}, true, "DIR new\r\n"},
      {"read-only", [&] {
         Dir.Write("prog\\OrvQuill.his", "kept\r\n");
         SetFileAttributesA(HistoryPath().c_str(), FILE_ATTRIBUTE_READONLY);
       },
       {"kept"}, true, "DIR new\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.make();
    Restart(true);
    Lines shown = Items();
    if (shown.size() > 1000) shown.erase(shown.begin(), shown.end() - 1000);
    EXPECT_EQ(shown, c.shown);
    Type("DIR new\r");
    EXPECT_EQ(Items().back(), "DIR new");
    EXPECT_EQ(testkit::ReadFile(c.toFallback ? FallbackFile() : HistoryPath()), c.after);
    // The next case starts from nothing.
    Restart(false);
    SetFileAttributesA(HistoryPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(HistoryPath().c_str());
    RemoveDirectoryA(HistoryPath().c_str());
    FallbackCleaner::Clean();
  }
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// Locked by another program: nothing shows, and the commands of the run are
// written as soon as the lock is gone.
TEST_F(MainHistory, ALockedFileGetsTheCommandsOnceItIsFree) {
  Dir.Write("prog\\OrvQuill.his", "old\r\n");
  HANDLE lock = CreateFileA(HistoryPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Restart(true);
  EXPECT_TRUE(Items().empty());
  Type("DIR one\r");
  Type("DIR two\r");
  EXPECT_EQ(F->HistoryFile()->PendingCount(), 2u);
  EXPECT_EQ(Items(), (Lines{"DIR one", "DIR two"}));
  CloseHandle(lock);
  // Written without waiting for another command: the last of a run would
  // otherwise never reach the file.
  EXPECT_TRUE(testkit::PumpUntil(
      [&] { return testkit::ReadFile(HistoryPath()) == "old\r\nDIR one\r\nDIR two\r\n"; }, 10000));
  EXPECT_EQ(F->HistoryFile()->PendingCount(), 0u);
  Type("DIR three\r");
  EXPECT_EQ(testkit::ReadFile(HistoryPath()), "old\r\nDIR one\r\nDIR two\r\nDIR three\r\n");
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// ---- two instances of the real program at once ---------------------------------------------
namespace {

BOOL CALLBACK FindCommandEdit(HWND w, LPARAM p) {
  char cls[64], parentCls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  GetClassNameA(GetParent(w), parentCls, sizeof parentCls);
  CharUpperA(parentCls);
  if (_stricmp(cls, "Edit") == 0 && strstr(parentCls, "COMBOBOX")) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

struct MainWindowSearch {
  DWORD Process;
  HWND Found;
};

BOOL CALLBACK FindMainWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<MainWindowSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char title[128] = "";
  GetWindowTextA(w, title, sizeof title);
  if (pid == s->Process && IsWindowVisible(w) &&
      strcmp(title, "OrvQuillon -- Advanced Windows Command Line") == 0) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

struct Instance {
  PROCESS_INFORMATION Pi{};
  HWND Window = nullptr;
  HWND Edit = nullptr;
  ~Instance() {
    if (!Pi.hProcess) return;
    if (WaitForSingleObject(Pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(Pi.hProcess, 1);
    CloseHandle(Pi.hThread);
    CloseHandle(Pi.hProcess);
  }
  bool Start(const std::string& folder) {
    std::string line = "\"" + folder + "\\OrvQuill.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &si, &Pi))
      return false;
    return testkit::PumpUntil(
        [&] {
          MainWindowSearch s{Pi.dwProcessId, nullptr};
          EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&s));
          Window = s.Found;
          if (Window) EnumChildWindows(Window, FindCommandEdit, reinterpret_cast<LPARAM>(&Edit));
          return Edit != nullptr;
        },
        30000);
  }
  // The command and Enter, as characters, without waiting. (A posted
  // WM_KEYDOWN would give its WM_CHAR only behind every character posted
  // after it.)
  void Post(const std::string& command) {
    for (wchar_t ch : AnsiToWide(command)) PostMessageW(Edit, WM_CHAR, ch, 1);
    PostMessageW(Edit, WM_CHAR, L'\r', 0x001C0001);
  }
  bool Close() {
    PostMessageA(Window, WM_CLOSE, 0, 0);
    return WaitForSingleObject(Pi.hProcess, 20000) == WAIT_OBJECT_0;
  }
};

}  // namespace

// Both instances add their commands to the one file as they are entered;
// the file is trimmed under the same lock, so nothing is lost or mixed.
TEST(MainHistoryInstances, TwoAtOnceEachAddTheirCommandsInOrder) {
  testkit::TempDir dir;
  ASSERT_TRUE(CopyFileA((testkit::ExeFolder() + "OrvQuill.exe").c_str(),
                        (dir / "OrvQuill.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((testkit::DataFolder() + "English.OQL").c_str(),
                        (dir / "English.OQL").c_str(), FALSE));
  dir.Write("OrvQuill.LNG", "English.OQL\r\n");
  dir.Write("OrvQuill.par", "METAL\r\nHISTORY\r\n");
  // 990 old commands: the new ones trim the file while both instances write.
  dir.Write("OrvQuill.his", Numbered("old", 1, 990));
  Instance a, b;
  ASSERT_TRUE(a.Start(dir.Path()));
  ASSERT_TRUE(b.Start(dir.Path()));
  // DIR only sets the filter line: nothing is started.
  constexpr int kEach = 40;
  for (int i = 1; i <= kEach; ++i) {
    a.Post("DIR a" + std::to_string(i));
    b.Post("DIR b" + std::to_string(i));
  }
  const std::string path = dir / "OrvQuill.his";
  auto lines = [&] {
    Lines out;
    for (const std::string& l : ReadHistoryLines(testkit::ReadFile(path)).Commands) out.push_back(l);
    return out;
  };
  EXPECT_TRUE(testkit::PumpUntil(
      [&] {
        const Lines l = lines();
        return !l.empty() && (l.back() == "DIR a40" || l.back() == "DIR b40") &&
               std::count(l.begin(), l.end(), "DIR a40") + std::count(l.begin(), l.end(), "DIR b40") == 2;
      },
      60000));
  EXPECT_TRUE(a.Close());
  EXPECT_TRUE(b.Close());
  const std::string bytes = testkit::ReadFile(path);
  const Lines l = lines();
  // Every line whole, with its line end; the newest 1,000 commands.
  EXPECT_EQ(HistoryFileText(l), bytes);
  ASSERT_EQ(l.size(), kHistoryMaxCommands);
  // The old commands that stay are the newest of them, in order; each
  // instance's commands are all there, in the order it entered them.
  const size_t old = kHistoryMaxCommands - 2 * kEach;
  EXPECT_EQ(HistoryFileText(Lines(l.begin(), l.begin() + old)), Numbered("old", 991 - old, 990));
  for (const char* who : {"a", "b"}) {
    Lines mine;
    for (size_t i = old; i < l.size(); ++i)
      if (l[i].rfind(std::string("DIR ") + who, 0) == 0) mine.push_back(l[i]);
    Lines expected;
    for (int i = 1; i <= kEach; ++i) expected.push_back(std::string("DIR ") + who + std::to_string(i));
    EXPECT_EQ(mine, expected) << who;
  }
}
