#include "framework/Seams.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

namespace {
MessageBoxHook g_MessageBoxHook;
FileDialogHook g_FileDialogHook;
}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook old = std::move(g_MessageBoxHook);
  g_MessageBoxHook = std::move(hook);
  return old;
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  if (g_MessageBoxHook) return g_MessageBoxHook(MessageBoxRequest{owner, text, caption, flags});
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
  FileDialogHook old = std::move(g_FileDialogHook);
  g_FileDialogHook = std::move(hook);
  return old;
}

bool RunFileDialog(FileDialogRequest& r) {
  if (g_FileDialogHook) return g_FileDialogHook(r);
  // The filter "Text|*.x|All|*.*" becomes the system's NUL-separated list.
  std::string filter = r.Filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> name(32768, '\0');
  r.FileName.copy(name.data(), name.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = r.Owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = r.InitialDir.empty() ? nullptr : r.InitialDir.c_str();
  ofn.lpstrTitle = r.Title.empty() ? nullptr : r.Title.c_str();
  ofn.lpstrDefExt = r.DefaultExt.empty() ? nullptr : r.DefaultExt.c_str();
  ofn.Flags = r.Flags | OFN_EXPLORER;
  BOOL ok = r.Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  r.FileName = name.data();
  return true;
}

namespace {
ProcessSeams MakeDefaults() {
  ProcessSeams s;
  s.CreateProcessFn = [](LPCSTR app, LPSTR cmd, DWORD flags, LPCSTR dir, STARTUPINFOA* si,
                       PROCESS_INFORMATION* pi) {
    return ::CreateProcessA(app, cmd, nullptr, nullptr, FALSE, flags, nullptr, dir, si, pi);
  };
  s.WinExecFn = [](const std::string& cmd, UINT show) { return ::WinExec(cmd.c_str(), show); };
  s.ShellExecuteFn = [](HWND owner, const std::string& verb, const std::string& file,
                      const std::string& params, const std::string& dir, int show) {
    return ::ShellExecuteA(owner, verb.c_str(), file.c_str(),
                           params.empty() ? nullptr : params.c_str(),
                           dir.empty() ? nullptr : dir.c_str(), show);
  };
  return s;
}
ProcessSeams g_Processes = MakeDefaults();
}  // namespace

ProcessSeams& Processes() { return g_Processes; }

void ResetProcessSeams() { g_Processes = MakeDefaults(); }
