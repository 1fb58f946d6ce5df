// Test and benchmark fixtures: folders with many empty files, and removal of
// folders behind the program's back.
//
// Under Wine, creating a file costs a scan of the whole folder (Wine looks
// for an existing name that differs only in case before it creates one), so
// 100,000 new files take the better part of an hour. Under Wine the files
// are therefore made by the host's shell, which Wine starts when given a
// Unix program by path; elsewhere, and if that fails, with CreateFile.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace manyfiles {

inline bool UnderWine() {
  HMODULE nt = GetModuleHandleA("ntdll.dll");
  return nt && GetProcAddress(nt, "wine_get_version");
}

// The host path Wine maps a Windows path to; empty when not under Wine.
inline std::string HostPathOf(const std::string& path) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<Fn>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  if (!fn) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, w.data(), n);
  char* p = fn(w.c_str());
  if (!p) return {};
  std::string s = p;
  HeapFree(GetProcessHeap(), 0, p);
  return s;
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a command line of the host's shell and waits (at most timeoutMs) for
// the marker file it creates last. The shell is started through Wine's
// "start /unix", not by this process: Wine starts a host program by forking
// the process that asks, and a fork of a process that has windows loses its
// standard output. Wine hands back no process handle for a host program, so
// the marker is the only sign that it has finished.
inline bool RunHostShell(const std::string& script, const std::string& markerWindowsPath,
                         int timeoutMs = 300000) {
  std::string marker = HostPathOf(markerWindowsPath);
  if (marker.empty()) return false;
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  std::string starter = std::string(system) + "\\start.exe";
  std::string cmd = "start.exe /unix /bin/sh -c \"" + script + " && touch '" + marker + "'\"";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessA(starter.c_str(), cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, nullptr, &si, &pi);
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  if (!started) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  DWORD start = GetTickCount();
  while (!Exists(markerWindowsPath)) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);  // an outside process, not a message: nothing to pump
  }
  DeleteFileA(markerWindowsPath.c_str());
  return true;
}

// The name of file i: prefix, six digits, extension.
inline std::string FileNameOf(const std::string& prefix, int i, const std::string& ext) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%06d", i);
  return prefix + digits + ext;
}

// Makes files 0 .. count-1 in an existing folder; false when they could not
// all be made.
inline bool MakeEmptyFiles(const std::string& dir, int count, const std::string& prefix = "file_",
                           const std::string& ext = ".dat") {
  if (count <= 0) return true;
  std::string last = dir + "\\" + FileNameOf(prefix, count - 1, ext);
  if (UnderWine()) {
    std::string host = HostPathOf(dir);
    std::string script = "cd '" + host + "' && seq -f '" + prefix + "%06g" + ext + "' 0 " +
                         std::to_string(count - 1) + " | xargs touch";
    if (!host.empty() && RunHostShell(script, dir + "\\.made") && Exists(last)) return true;
  }
  for (int i = 0; i < count; ++i) {
    std::string p = dir + "\\" + FileNameOf(prefix, i, ext);
    HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  return Exists(last);
}

// Removes a folder tree the way another program would, even while it is the
// process's current directory (which Windows, and Wine, refuse to the
// process itself). Only possible under Wine, through the host's shell.
inline bool RemoveFromOutside(const std::string& dir, const std::string& markerDir) {
  std::string host = HostPathOf(dir);
  if (host.empty()) return false;
  return RunHostShell("rm -rf '" + host + "'", markerDir + "\\.removed", 60000) && !Exists(dir);
}

}  // namespace manyfiles
