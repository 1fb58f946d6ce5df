// Small helpers of the benchmark programs: a clock, the median, the folders.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Files.h"
#include "program/ProgramValues.h"

namespace bench {

// Milliseconds from the performance counter.
inline double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The benchmark program's folder (the build folder), with a backslash.
inline std::string ExeFolder() { return ProgramFileFolder(); }

// The project's data folder (language files, manual), upwards from the
// build folder; empty when there is none.
inline std::string DataFolder() {
  std::string dir = ExeFolder();
  for (int up = 0; up < 6 && dir.size() > 1; ++up) {
    if (GetFileAttributesA((dir + "data\\English.OQL").c_str()) != INVALID_FILE_ATTRIBUTES)
      return dir + "data\\";
    dir.pop_back();
    dir.resize(dir.find_last_of('\\') + 1);
  }
  return {};
}

// A visible window of the process with the given title, or nullptr.
inline HWND VisibleWindow(const char* title, DWORD pid) {
  for (HWND w = FindWindowA(nullptr, title); w; w = FindWindowExA(nullptr, w, nullptr, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// A program folder of the benchmark's own under the temporary folder, with
// English chosen as the language, so that no chooser opens when the main
// window shows. Returned with a backslash.
inline std::string ProgramFolderWithLanguage(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string prog = std::string(temp) + name + "\\";
  CreateDirectoryA(prog.c_str(), nullptr);
  CopyFileA((DataFolder() + "English.OQL").c_str(), (prog + "English.OQL").c_str(), FALSE);
  HANDLE h = CreateFileA((prog + "OrvQuill.LNG").c_str(), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    const char pointer[] = "English.OQL\r\n";
    DWORD written = 0;
    WriteFile(h, pointer, sizeof pointer - 1, &written, nullptr);
    CloseHandle(h);
  }
  return prog;
}

// The program-wide values of a benchmark of the main window: English texts,
// a program folder of its own with English chosen, the interpreter by its
// bare name. Returns the program folder.
inline std::string UseProgramFolder(const std::string& name) {
  ResetProgramTexts();
  ProgramDir = ProgramFolderWithLanguage(name);
  ProgramPath = ProgramDir + "OrvQuill.exe";
  CommandInterpreter = "CMD";
  return ProgramDir;
}

}  // namespace bench
