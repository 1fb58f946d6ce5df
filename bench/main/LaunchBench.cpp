// Measures the time from Enter in the command line to the system's process
// creation returning, against a bare CreateProcessA of the same command
// line, and prints both with their ratio. Not a test: it only reports.
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchKit.h"
#include "framework/Forms.h"
#include "framework/Seams.h"
#include "main/Main.h"

using bench::Median;
using bench::Now;

int main() {
  OleInitialize(nullptr);
  InitFramework();
  ResetProgramTexts();
  const std::string folder = bench::ExeFolder();
  const std::string prog = bench::ProgramFolderWithLanguage("oq-launch-bench");
  ProgramDir = prog;
  ProgramPath = prog + "OrvQuill.exe";
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  CommandInterpreter = "CMD";
  SetCurrentDirectoryA(temp);
  const std::string command = "\"" + folder + "oq_writefile.exe\" oq-launch-bench.txt";

  Application->CreateForm<TForm>();  // the main form; the window under test is another
  TForm1* form = Application->CreateForm<TForm1>();
  form->Show();
  Application->ProcessMessages();

  // The seam notes when the real call returns.
  double returned = 0;
  ProcessSeams saved = Processes();
  Processes().CreateProcessFn = [&](LPCSTR app, LPSTR cmd, DWORD flags, LPCSTR dir,
                                    STARTUPINFOA* si, PROCESS_INFORMATION* pi) {
    BOOL ok = saved.CreateProcessFn(app, cmd, flags, dir, si, pi);
    returned = Now();
    return ok;
  };

  const int rounds = 60;
  std::vector<double> viaEnter, bare;
  HWND edit = form->CommLine->EditHandle();
  for (int i = 0; i < rounds; ++i) {
    form->CommLine->SetText(command);
    double t0 = Now();
    SendMessageA(edit, WM_CHAR, '\r', 1);
    viaEnter.push_back(returned - t0);
    if (form->LastProcess.Process()) WaitForSingleObject(form->LastProcess.Process(), 5000);

    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    double b0 = Now();
    BOOL ok = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                             nullptr, nullptr, &si, &pi);
    double b1 = Now();
    if (ok) {
      bare.push_back(b1 - b0);
      WaitForSingleObject(pi.hProcess, 5000);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
    Application->ProcessMessages();
  }
  Processes() = saved;
  DeleteFileA("oq-launch-bench.txt");

  double e = Median(viaEnter), b = Median(bare);
  std::printf("Enter in CommLine to CreateProcessA returned: median %.2f ms over %d starts\n", e,
              rounds);
  std::printf("bare CreateProcessA of the same command line: median %.2f ms over %zu starts\n", b,
              bare.size());
  std::printf("ratio: %.3f\n", b > 0 ? e / b : 0.0);
  TComponent::Free(form);
  delete Application;
  Application = nullptr;
  OleUninitialize();
  return 0;
}
