// Seams: every message box, file dialog and started program passes through
// one of these functions, so that a test can see what would have been shown
// or started, answer it, and never hang on a modal box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// ---- message boxes ---------------------------------------------------------------
struct MessageBoxRequest {
  HWND Owner;
  std::string Text;
  std::string Caption;
  UINT Flags;
};
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// With a hook set, the hook answers instead of a real box. An empty hook
// restores the real one. Returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// ---- file dialogs --------------------------------------------------------------------
struct FileDialogRequest {
  HWND Owner = nullptr;
  bool Save = true;
  std::string Title;
  std::string Filter;      // "Batch Files (*.BAT)|*.BAT"
  std::string DefaultExt;  // without the dot
  std::string InitialDir;
  std::string FileName;    // in: proposed name; out: the chosen one
  DWORD Flags = 0;         // OFN_* options
};
using FileDialogHook = std::function<bool(FileDialogRequest&)>;

FileDialogHook SetFileDialogHook(FileDialogHook hook);
// True when the user confirmed a name (then in request.FileName).
bool RunFileDialog(FileDialogRequest& request);

// ---- processes ---------------------------------------------------------------------------
// The defaults call the system. A test may wrap them to record the calls,
// and still call the real function to run a real process.
struct ProcessSeams {
  std::function<BOOL(LPCSTR app, LPSTR cmdLine, DWORD flags, LPCSTR dir, STARTUPINFOA* si,
                     PROCESS_INFORMATION* pi)>
      CreateProcessFn;
  std::function<UINT(const std::string& cmdLine, UINT show)> WinExecFn;
  std::function<HINSTANCE(HWND owner, const std::string& verb, const std::string& file,
                          const std::string& params, const std::string& dir, int show)>
      ShellExecuteFn;
};
ProcessSeams& Processes();

// The handles of a started process, closed when another process takes their
// place and when the holder goes.
class ProcessHandles {
 public:
  ProcessHandles() = default;
  ~ProcessHandles() { Reset(); }
  ProcessHandles(const ProcessHandles&) = delete;
  ProcessHandles& operator=(const ProcessHandles&) = delete;
  void Reset(const PROCESS_INFORMATION& next = PROCESS_INFORMATION{}) {
    if (FInfo.hThread) CloseHandle(FInfo.hThread);
    if (FInfo.hProcess) CloseHandle(FInfo.hProcess);
    FInfo = next;
  }
  HANDLE Process() const { return FInfo.hProcess; }

 private:
  PROCESS_INFORMATION FInfo{};
};
void ResetProcessSeams();
