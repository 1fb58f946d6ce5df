// Starts the program as a user gets it (dist\OrvQuill.exe, with its skins
// and language) and a bare Win32 program that shows one window of the same
// size, each until its main window is visible and its GUI thread idle, ten
// times each in turn, and prints both medians and their ratio. Then, to
// show where the time goes: the bare program once more with the libraries
// the program imports loaded (and OLE started) before its window, and the
// program's own start-up steps timed one by one in this process. Not a
// test: it only reports.
//
// The program folder comes from OQ_DIST_WIN (a Windows path, set by
// scripts/bench-run.sh); the bare program lies beside this one.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <ole2.h>

#include "app/Startup.h"
#include "bench/BenchKit.h"
#include "controls/EnterExitButton.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/introbntrob.h"
#include "frame/UOberMetal.h"
#include "framework/Forms.h"
#include "main/Main.h"

namespace {
using bench::Median;
using bench::Now;
using bench::VisibleWindow;


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

// The program's start-up as WinMain runs it, each step timed, in this
// process (whose libraries are loaded already).
double ThreadCpuMs() {
  FILETIME c, e, k, u;
  GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
  auto ms = [](FILETIME f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                               f.dwLowDateTime) / 10000.0;
  };
  return ms(k) + ms(u);
}

void StartupSteps(const std::string& folder) {
  struct Step {
    const char* Name;
    double Wall, Cpu;
  };
  std::vector<Step> steps;
  double t = Now(), cpu = ThreadCpuMs();
  auto step = [&](const char* name) {
    const double now = Now(), nowCpu = ThreadCpuMs();
    steps.push_back({name, now - t, nowCpu - cpu});
    t = now;
    cpu = nowCpu;
  };
  InitFramework();
  step("framework");
  const std::vector<std::string> args = {folder + "OrvQuill.exe", "METAL"};
  LoadFrameSkin(folder);
  step("frame skin (glyphs, metal, shaded pictures)");
  InitEnterExitButtonModule(args, folder);
  step("image button module");
  ResetProgramTexts();
  CommandInterpreter = FindCommandInterpreter();
  ProgramPath = args[0];
  ProgramDir = folder;
  ReadStartOptions(args);
  step("options");
  Application->CreateForm<TForm1>();
  step("main window created");
  Application->CreateForm<TIntrobox>();
  step("intro box created and shown");
  Application->CreateForm<TDAttribs>()->SetFileList(Form1->FileListBox1);
  step("attribute dialog created");
  Application->CreateForm<TOberFormMetal>();
  step("bare frame form created");
  Form1->Show();
  step("main window shown (language, panes)");
  Application->ProcessMessages();
  step("first painting");
  double total = 0, totalCpu = 0;
  for (const Step& s : steps) {
    total += s.Wall;
    totalCpu += s.Cpu;
  }
  std::printf("the program's own start-up steps, in this process (wall clock, this thread's "
              "processor time):\n");
  for (const Step& s : steps) std::printf("  %-44s %7.1f ms %7.1f ms\n", s.Name, s.Wall, s.Cpu);
  std::printf("  %-44s %7.1f ms %7.1f ms\n", "together", total, totalCpu);
}

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
  // The libraries the program imports beyond the bare program's, and OLE.
  const std::string bareLibsLine = bareLine + " advapi32 comctl32 comdlg32 gdi32 mpr msimg32 ole32 "
                                              "shell32 winmm +ole";
  // One start of each first: the system's caches are warm for both.
  TimeStart(ourLine, folder, mainTitle);
  TimeStart(bareLine, folder, "Bare window");
  const int rounds = 10;
  std::vector<double> ours, theirs, libs;
  for (int i = 0; i < rounds; ++i) {
    double a = TimeStart(ourLine, folder, mainTitle);
    double b = TimeStart(bareLine, folder, "Bare window");
    double c = TimeStart(bareLibsLine, folder, "Bare window");
    if (a >= 0) ours.push_back(a);
    if (b >= 0) theirs.push_back(b);
    if (c >= 0) libs.push_back(c);
  }
  RemoveDirectoryA(folder.c_str());
  const double a = Median(ours), b = Median(theirs);
  std::printf("OrvQuill.exe METAL to its main window visible and idle: median %.1f ms (%zu of %d starts)\n",
              a, ours.size(), rounds);
  std::printf("bare Win32 program, one window of the same size:          median %.1f ms (%zu of %d starts)\n",
              b, theirs.size(), rounds);
  std::printf("ratio: %.2f\n", b > 0 ? a / b : 0.0);
  std::printf("the bare program with the program's libraries and OLE loaded first: median %.1f ms\n",
              Median(libs));
  OleInitialize(nullptr);
  StartupSteps(program.substr(0, program.size() - std::strlen("OrvQuill.exe")));
  return 0;
}
