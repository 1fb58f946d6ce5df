// Helpers for window tests: pumping messages until a condition holds, real
// input messages, observing message boxes and dialogs through the seams,
// temporary folders and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "framework/Seams.h"

namespace testkit {

// Pumps the message loop until pred() holds or the timeout passes; returns
// pred(). Tests never sleep a fixed time and hope.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 5000);
// Pumps whatever is queued now (and what that posts), without waiting.
void PumpPending();

// The folder of the running test program, with a trailing backslash.
std::string ExeFolder();
// The project's data folder (manual, help texts, language files), found
// upwards from the test program's folder, with a trailing backslash; empty
// when there is none.
std::string DataFolder();

// Records every message box and answers it with Answer.
class MessageBoxRecorder {
 public:
  explicit MessageBoxRecorder(int answer = IDOK);
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
  std::vector<MessageBoxRequest> Boxes;
  int Answer;

 private:
  MessageBoxHook FPrevious;
};

// Answers file dialogs: the given name (or a cancel when empty).
class FileDialogStub {
 public:
  explicit FileDialogStub(std::string answer);
  ~FileDialogStub();
  FileDialogStub(const FileDialogStub&) = delete;
  FileDialogStub& operator=(const FileDialogStub&) = delete;
  std::vector<FileDialogRequest> Requests;
  std::string Answer;

 private:
  FileDialogHook FPrevious;
};

// Records the programs started through the process seams. With Real set,
// the real system call runs as well (a real process starts); otherwise
// nothing starts: CreateProcess fails with FailWith, WinExec answers
// WinExecResult, ShellExecute answers 42.
class ProcessRecorder {
 public:
  explicit ProcessRecorder(bool real = true);
  ~ProcessRecorder();
  ProcessRecorder(const ProcessRecorder&) = delete;
  ProcessRecorder& operator=(const ProcessRecorder&) = delete;
  std::vector<std::string> CreateProcessLines;
  std::vector<std::string> WinExecLines;
  std::vector<std::string> ShellExecuteFiles;
  bool Real;
  DWORD FailWith = ERROR_FILE_NOT_FOUND;
  // When not empty: the n-th CreateProcess fails with the n-th code (the
  // last one for the rest); 0 is a failure with code 0.
  std::vector<DWORD> FailWithEach;
  UINT WinExecResult = 33;

 private:
  ProcessSeams FSaved;
};

// A program started as a real process by a test; still running at the end
// of the scope, or when the same holder starts another, it is ended.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Starts the command line in the folder; false when it cannot start.
  bool Start(const std::string& commandLine, const std::string& folder);
  // Pumps messages until the process has ended or the time is up.
  bool WaitEnded(int timeoutMs);

 private:
  void End();
  PROCESS_INFORMATION FPi{};
};

// Another program (tests/progs/oq_post) posts a message count times to a
// window of the test. The test's thread does not pump meanwhile, so all of
// them are queued before the window sees the first, as a fast sender gets
// them there. False when the program could not post them.
bool PostFromAnotherProgram(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, int count = 1);

// A fresh folder under the system's temporary folder, removed with all its
// contents at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return FPath; }  // without trailing backslash
  std::string operator/(const std::string& name) const { return FPath + "\\" + name; }
  void Write(const std::string& name, const std::string& content) const;
  void MakeDir(const std::string& name) const;

 private:
  std::string FPath;
};

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// Keeps the process's current directory and restores it.
class CurrentDirGuard {
 public:
  CurrentDirGuard();
  ~CurrentDirGuard();
  CurrentDirGuard(const CurrentDirGuard&) = delete;
  CurrentDirGuard& operator=(const CurrentDirGuard&) = delete;

 private:
  std::string FSaved;
};

// ---- real input messages (posted, then pumped) ----------------------------------
// A left click at a client point of a windowed control, or of a windowless
// control through its parent window.
void Click(TControl* control, int x, int y);
void DoubleClick(TControl* control, int x, int y);
void MouseMove(TControl* control, int x, int y, WPARAM keys = 0);
// A mouse message at a point of a control (a windowless one: of its parts'
// window), posted as the system sends it, without moving the real pointer:
// the moves the system reports for the real pointer would add steps of their
// own to a drag.
void PostMouseInPlace(TControl* control, UINT msg, int x, int y, WPARAM keys);
void MouseDown(TControl* control, int x, int y, WPARAM keys = MK_LBUTTON);
void MouseUp(TControl* control, int x, int y, WPARAM keys = 0);
// WM_KEYDOWN, WM_CHAR (for keys that make one) and WM_KEYUP to a window.
void PressKey(HWND wnd, WORD vk);
// The same with Shift, Ctrl or Alt held: the thread's key state says so
// while the key is handled, as a keyboard's would (F10 and Alt combinations
// come as WM_SYSKEYDOWN and WM_SYSKEYUP).
void PressKey(HWND wnd, WORD vk, TShiftState held);
// One WM_CHAR per character (keys down and up for Enter and Backspace).
void TypeText(HWND wnd, const std::string& text);

// ---- what a window holds -------------------------------------------------------------
// An entry of a list box (combo false) or combo box, asked for in UTF-16 with
// a buffer of the length the window reports, in the program's code page.
std::string WindowEntry(HWND wnd, bool combo, int index);
std::vector<std::string> WindowEntries(HWND wnd, bool combo);
// The clipboard's Unicode text (CF_UNICODETEXT), as another program reads
// it, in the program's code page; empty when it holds none.
std::string ClipboardText();

// ---- pictures ----------------------------------------------------------------------
// Lays out and paints at dpi, as on a display of that scale, while it lives.
class DpiScope {
 public:
  explicit DpiScope(int dpi) { SetDpiOverride(dpi); }
  ~DpiScope() { SetDpiOverride(0); }
  DpiScope(const DpiScope&) = delete;
  DpiScope& operator=(const DpiScope&) = delete;
};

// Copies what the window shows on the screen (its whole window rectangle)
// into a PNG file; false when it cannot.
bool SaveWindowShot(HWND wnd, const std::string& pngPath);
// Paints a window (and its children) into a 32-bit image through
// WM_PRINT; pixels as 0x00RRGGBB, row by row from the top.
struct Image {
  int Width = 0, Height = 0;
  std::vector<unsigned> Pixels;
  unsigned At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};
Image CaptureScreen(HWND wnd);
// Paints a windowed control into an off-screen 32-bit picture of its client
// size through WM_ERASEBKGND (when erase is set) and WM_PAINT with the
// picture's DC, the way a see-through child has its parent paint. Pixels
// left unpainted keep the colour unpainted (0x00RRGGBB).
Image PaintOffscreen(TWinControl* control, bool erase = true, unsigned unpainted = 0);
// The RGB of a framework colour as Image holds it (0x00RRGGBB).
unsigned Rgb(TColor c);
bool SavePng(const Image& image, const std::string& path);
// The folder where screenshots of tests go (OQ_SHOTS or build/shots).
std::string ShotsFolder();

}  // namespace testkit
