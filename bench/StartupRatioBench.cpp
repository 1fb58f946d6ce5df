// Starts the program as a user gets it (dist\OrvQuill.exe, with its skins
// and language) and a bare Win32 program that shows one window of the same
// size, each until its main window is visible and its GUI thread idle, ten
// times each in turn, and prints both medians and their ratio. Not a test:
// it only reports.
//
// The program folder comes from OQ_DIST_WIN (a Windows path, set by
// scripts/bench-run.sh); the bare program lies beside this one.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchKit.h"

namespace {
using bench::Median;
using bench::Now;

HWND VisibleWindow(const char* title, DWORD pid) {
  for (HWND w = FindWindowA(nullptr, title); w; w = FindWindowExA(nullptr, w, nullptr, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Milliseconds from CreateProcess until the process's window of the given
// title is visible and answers a sent message (its thread has finished
// starting and waits for input); negative when it did not come up in 20 s.
double TimeStart(const std::string& commandLine, const std::string& folder, const char* title) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double t0 = Now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &si, &pi))
    return -1;
  double result = -1;
  HWND found = nullptr;
  while (Now() - t0 < 20000) {
    found = VisibleWindow(title, pi.dwProcessId);
    if (found) {
      DWORD_PTR r = 0;
      if (SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &r))
        result = Now() - t0;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (found) PostMessageA(found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return result;
}
}  // namespace

int main() {
  const char* dist = std::getenv("OQ_DIST_WIN");
  if (!dist || !*dist) {
    std::printf("OQ_DIST_WIN is not set: run this through scripts/bench.sh\n");
    return 1;
  }
  std::string program = std::string(dist);
  if (program.back() != '\\') program += '\\';
  program += "OrvQuill.exe";
  const std::string bare = bench::ExeFolder() + "oq_barewindow.exe";
  // Both start in an empty folder, so the file panes read next to nothing.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "oq-startup-ratio";
  CreateDirectoryA(folder.c_str(), nullptr);

  const char* mainTitle = "OrvQuillon -- Advanced Windows Command Line";
  const std::string ourLine = "\"" + program + "\" METAL", bareLine = "\"" + bare + "\"";
  // One start of each first: the system's caches are warm for both.
  TimeStart(ourLine, folder, mainTitle);
  TimeStart(bareLine, folder, "Bare window");
  const int rounds = 10;
  std::vector<double> ours, theirs;
  for (int i = 0; i < rounds; ++i) {
    double a = TimeStart(ourLine, folder, mainTitle);
    double b = TimeStart(bareLine, folder, "Bare window");
    if (a >= 0) ours.push_back(a);
    if (b >= 0) theirs.push_back(b);
  }
  RemoveDirectoryA(folder.c_str());
  const double a = Median(ours), b = Median(theirs);
  std::printf("OrvQuill.exe METAL to its main window visible and idle: median %.1f ms (%zu of %d starts)\n",
              a, ours.size(), rounds);
  std::printf("bare Win32 program, one window of the same size:          median %.1f ms (%zu of %d starts)\n",
              b, theirs.size(), rounds);
  std::printf("ratio: %.2f\n", b > 0 ? a / b : 0.0);
  return 0;
}
