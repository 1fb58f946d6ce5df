// Measures the time from Enter in the command line to the system's process
// creation returning, against a bare CreateProcessA of the same command
// line, and prints both with their ratio. Not a test: it only reports.
#include <windows.h>

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/Seams.h"
#include "main/Main.h"

namespace {
double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string ExeFolder() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string s(buf, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}
}  // namespace

int main() {
  OleInitialize(nullptr);
  InitFramework();
  ResetProgramTexts();
  const std::string folder = ExeFolder();
  ProgramDir = folder;
  CommandInterpreter = "CMD";
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
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
    if (form->LastProcess.hProcess) WaitForSingleObject(form->LastProcess.hProcess, 5000);

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
