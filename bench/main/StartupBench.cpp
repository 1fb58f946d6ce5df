// Start-up with the intro box and a language file: the real program started
// as a process until its main window is on the screen, and the loading of
// the language file on its own. Not a test: it only reports.
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchKit.h"
#include "dialogs/UDLng.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/WideText.h"
#include "main/CommandHistory.h"
#include "main/HistoryFile.h"
#include "program/LanguageFile.h"
#include "program/ProgramValues.h"

namespace {
using bench::Median;
using bench::Now;
using bench::VisibleWindow;

// The intro box: a visible top-most window of the process without a caption.
BOOL CALLBACK FindIntro(HWND w, LPARAM p) {
  auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == search->first && IsWindowVisible(w) &&
      (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) && !(GetWindowLongA(w, GWL_STYLE) & WS_CAPTION)) {
    search->second = w;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

int main() {
  OleInitialize(nullptr);
  InitFramework();
  const std::string data = bench::DataFolder();
  if (data.empty()) {
    std::printf("no data folder found above %s\n", bench::ExeFolder().c_str());
    return 1;
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string prog = std::string(temp) + "oq-startup-bench\\";
  CreateDirectoryA(prog.c_str(), nullptr);
  CopyFileA((bench::ExeFolder() + "OrvQuill.exe").c_str(), (prog + "OrvQuill.exe").c_str(), FALSE);
  CopyFileA((data + "Deutsch.OQL").c_str(), (prog + "Deutsch.OQL").c_str(), FALSE);
  WriteWholeFile(prog + "OrvQuill.par", "METAL\r\n");
  WriteWholeFile(prog + "OrvQuill.LNG", "Deutsch.OQL\r\n");

  // ---- the language file alone ----
  ResetProgramTexts();
  ProgramDir = prog;
  ProgramPath = prog + "OrvQuill.exe";
  const std::string bytes = ReadWholeFile(prog + "Deutsch.OQL");
  const int rounds = 2000;
  double t0 = Now();
  for (int i = 0; i < rounds; ++i) ApplyProgramTexts(ReadLanguageFile(bytes));
  const double parse = (Now() - t0) / rounds;
  std::vector<double> loads;
  for (int i = 0; i < 200; ++i) {
    double a = Now();
    LoadLanguage();
    loads.push_back(Now() - a);
  }
  std::printf("language file read and applied (bytes in memory): %.4f ms\n", parse);
  std::printf("LoadLanguage with its files (pointer, Deutsch.OQL): median %.4f ms over %zu\n",
              Median(loads), loads.size());

  // ---- the real program ----
  // Process start to the intro box and to the main window, in ms (0 when
  // not seen).
  auto startOnce = [&](double& introAt, double& windowAt) {
    std::string line = "\"" + prog + "OrvQuill.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    double s0 = Now();
    introAt = windowAt = 0;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, prog.c_str(),
                        &si, &pi)) {
      std::printf("cannot start %s\n", line.c_str());
      return false;
    }
    HWND main = nullptr;
    while (Now() - s0 < 30000 && !main) {
      std::pair<DWORD, HWND> search{pi.dwProcessId, nullptr};
      if (!introAt) {
        EnumWindows(FindIntro, reinterpret_cast<LPARAM>(&search));
        if (search.second) introAt = Now() - s0;
      }
      main = VisibleWindow("OrvQuillon -- Advanced Windows Command Line", pi.dwProcessId);
      if (main) windowAt = Now() - s0;
      else Sleep(2);
    }
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
  };
  const int starts = 5;
  std::vector<double> intro, window;
  for (int i = 0; i < starts; ++i) {
    double introAt = 0, windowAt = 0;
    if (!startOnce(introAt, windowAt)) return 1;
    if (introAt) intro.push_back(introAt);
    if (windowAt) window.push_back(windowAt);
  }
  std::printf("process start to intro box shown: median %.1f ms over %zu starts\n", Median(intro),
              intro.size());
  std::printf("process start to main window shown (with the language file): median %.1f ms over "
              "%zu starts\n",
              Median(window), window.size());

  // ---- the history kept between runs: 1,000 commands against none ----
  std::vector<std::string> commands;
  for (int i = 0; i < static_cast<int>(kHistoryMaxCommands); ++i)
    commands.push_back("copy \"C:\\Projects\\Report " + std::to_string(i) +
                       ".txt\" D:\\Backup\\2024\\ /Y");
  const std::string historyText = HistoryFileText(commands);
  const std::string historyPath = prog + "OrvQuill.his";
  WriteWholeFile(historyPath, historyText);
  std::wstring folder = AnsiToWide(prog);
  folder.pop_back();
  std::vector<double> loads1000;
  for (int i = 0; i < 200; ++i) {
    double a = Now();
    THistoryFile file(folder, HistoryFallbackFolder());
    std::vector<std::string> lines = file.Load();
    for (std::string& l : lines) l = DecodeTextBytes(l).Text;
    loads1000.push_back(Now() - a);
  }
  std::printf("history of 1,000 commands (%zu bytes): place chosen and file read: median %.3f ms\n",
              historyText.size(), Median(loads1000));
  {
    TForm* form = Application->CreateForm<TForm>();
    auto* combo = Placed<TComboBox>(form, form, "Combo", 8, 8, 400, 24);
    form->Show();
    std::vector<double> fills;
    for (int i = 0; i < 50; ++i) {
      double a = Now();
      combo->Items()->Assign(commands);
      fills.push_back(Now() - a);
      combo->Items()->Clear();
    }
    std::printf("1,000 commands into the command line's list: median %.3f ms\n", Median(fills));
    TComponent::Free(form);
  }
  // Interleaved, so that a slower moment of the machine falls on all three.
  const int historyStarts = 11;
  std::vector<double> plain, empty, full;
  for (int i = 0; i < historyStarts; ++i) {
    double introAt = 0, windowAt = 0;
    WriteWholeFile(prog + "OrvQuill.par", "METAL\r\n");
    if (startOnce(introAt, windowAt) && windowAt) plain.push_back(windowAt);
    WriteWholeFile(prog + "OrvQuill.par", "METAL\r\nHISTORY\r\n");
    DeleteFileA(historyPath.c_str());
    if (startOnce(introAt, windowAt) && windowAt) empty.push_back(windowAt);
    WriteWholeFile(historyPath, historyText);
    if (startOnce(introAt, windowAt) && windowAt) full.push_back(windowAt);
  }
  std::printf("process start to main window shown, without HISTORY: median %.1f ms over %zu\n",
              Median(plain), plain.size());
  std::printf("  with HISTORY and no history file: median %.1f ms over %zu\n", Median(empty),
              empty.size());
  std::printf("  with HISTORY and 1,000 commands: median %.1f ms over %zu (%+.1f ms against no file)\n",
              Median(full), full.size(), Median(full) - Median(empty));

  for (const char* f : {"OrvQuill.exe", "Deutsch.OQL", "OrvQuill.par", "OrvQuill.LNG",
                        "OrvQuill.his"})
    DeleteFileA((prog + f).c_str());
  RemoveDirectoryA(prog.c_str());
  delete Application;
  Application = nullptr;
  OleUninitialize();
  return 0;
}
