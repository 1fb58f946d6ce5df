// The soak: opens and closes every window of the program many times in one
// process and prints, before and after, what the process holds: its handles,
// its private bytes and its live GDI objects (counted by the framework's
// owners in a soak build, and probed from the system). Not a test: it prints
// figures. Usage: OrvSoak.exe [rounds per window, default 200]
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "bench/BenchKit.h"
#include "dialogs/UBatch.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/UDLng.h"
#include "dialogs/UHelp.h"
#include "dialogs/UHintWin.h"
#include "dialogs/introbntrob.h"
#include "frame/FrameSkin.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/ProcessFigures.h"
#include "framework/Seams.h"
#include "main/Main.h"
#include "program/ProgramValues.h"

namespace {

struct Holdings {
  int Handles = 0;
  std::size_t PrivateBytes = 0;
  int OwnedGdi = 0;   // counted where the framework makes them
  int ProbedGdi = 0;  // what the system says, or what can no longer be made
};

void Pump() {
  for (int i = 0; i < 10; ++i) Application->ProcessMessages();
}

Holdings Measure() {
  Pump();
  Holdings h;
  h.Handles = OpenHandleCount();
  h.PrivateBytes = PrivateBytes();
  h.OwnedGdi = LiveGdiObjects();
  h.ProbedGdi = ProbedGdiObjects();
  return h;
}

// A scratch program folder as the program has it: the command file, the
// English language with its pointer file, the manual.
std::string MakeProgramFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "OrvSoak\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string data = bench::DataFolder();
  for (const char* f : {"English.OQL", "ReadMe.RTF", "OrvExec.bat"})
    CopyFileA((data + f).c_str(), (dir + f).c_str(), FALSE);
  WriteWholeFile(dir + "OrvQuill.LNG", "English.OQL\r\n");
  return dir;
}

// Program starts that give real handles (of this process and its thread)
// without starting anything: what the launching code keeps must be closed.
void FakeProgramStarts() {
  Processes().CreateProcessFn = [](LPCSTR, LPSTR, DWORD, LPCSTR, STARTUPINFOA*,
                                   PROCESS_INFORMATION* pi) -> BOOL {
    HANDLE self = GetCurrentProcess();
    *pi = PROCESS_INFORMATION{};
    DuplicateHandle(self, self, self, &pi->hProcess, 0, FALSE, DUPLICATE_SAME_ACCESS);
    DuplicateHandle(self, GetCurrentThread(), self, &pi->hThread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return TRUE;
  };
}

template <class T>
void FreeNow(T*& form) {
  TComponent::Free(form);
  form = nullptr;
  Pump();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  OleInitialize(nullptr);
  InitFramework();
  Application->SetTitle("Orv Quillon soak");
  Application->CreateForm<TForm>();  // a hidden main form that outlives the windows
  // No window waits for an answer: boxes are answered OK.
  SetMessageBoxHook([](const MessageBoxRequest&) { return IDOK; });

  ProgramDir = MakeProgramFolder();
  ProgramPath = ProgramDir + "OrvQuill.exe";
  char comspec[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("COMSPEC", comspec, MAX_PATH);
  CommandInterpreter = n && n < MAX_PATH ? std::string(comspec, n) : "CMD";
  SetCurrentDirectoryA(ProgramDir.c_str());
  FakeProgramStarts();
  // The frame's pictures, and the look the option words after the count
  // choose (METAL, SHADED, WINBORDER, NORGN ...), as the program starts.
  LoadFrameSkin(bench::ExeFolder() + "art\\");
  std::vector<std::string> options = {ProgramFilePath()};
  for (int i = 2; i < argc; ++i) options.push_back(argv[i]);
  // Without words the program would ask for a look (another program): the
  // soak then keeps the frame's own start, the metal look.
  if (options.size() > 1) ReadStartOptions(options);

  struct Window {
    const char* Name;
    std::function<void()> OpenAndClose;
  };
  const std::vector<Window> windows = {
      {"main window, panes refreshed",
       [] {
         auto* f = Application->CreateForm<TForm1>();
         f->Show();
         Pump();
         f->SpbUpdateClick(f);
         Pump();
         FreeNow(f);
       }},
      {"main window, two programs started",
       [] {
         auto* f = Application->CreateForm<TForm1>();
         f->Show();
         Pump();
         f->RunCommand("soak-one.exe", true);
         f->RunCommand("soak-two.exe", true);
         Pump();
         FreeNow(f);
       }},
      {"batch window",
       [] {
         TDBatch* b = CreateBatchWindow();
         b->Show();
         Pump();
         FreeNow(b);
       }},
      {"viewer with the manual",
       [] {
         TWHelp* v = ShowManual("ReadMe.RTF", true);
         Pump();
         FreeNow(v);
       }},
      {"attribute dialog",
       [] {
         auto* d = Application->CreateForm<TDAttribs>();
         d->Show();
         Pump();
         FreeNow(d);
       }},
      {"language chooser",
       [] {
         auto* l = Application->CreateForm<TDLng>();
         l->Show();
         Pump();
         FreeNow(l);
       }},
      {"hint window",
       [] {
         THintForm* h = ShowHintAt(DropHintText, TPoint(100, 100));
         Pump();
         FreeNow(h);
       }},
      {"intro box",
       [] {
         auto* i = Application->CreateForm<TIntrobox>();
         i->Show();
         Pump();
         FreeNow(i);
       }},
  };

  std::printf("look:");
  for (std::size_t i = 1; i < options.size(); ++i) std::printf(" %s", options[i].c_str());
  std::printf(options.size() > 1 ? "\n" : " none (metal)\n");
  std::printf("%d rounds per window. Flat: within 5 handles, 5 GDI objects and 1 MB.\n", rounds);
  std::printf("%-34s %14s %18s %16s %16s\n", "window", "handles", "private KB",
              "GDI (owners)", "GDI (probed)");
  bool allFlat = true;
  for (const Window& w : windows) {
    // A few rounds first: caches and first-use allocations settle.
    for (int i = 0; i < 3; ++i) w.OpenAndClose();
    const Holdings before = Measure();
    for (int i = 0; i < rounds; ++i) w.OpenAndClose();
    const Holdings after = Measure();
    const bool flat = after.Handles <= before.Handles + 5 &&
                      after.OwnedGdi <= before.OwnedGdi + 5 &&
                      after.ProbedGdi <= before.ProbedGdi + 5 &&
                      after.PrivateBytes <= before.PrivateBytes + (1u << 20);
    allFlat = allFlat && flat;
    std::printf("%-34s %5d -> %5d %7lu -> %7lu %6d -> %6d %6d -> %6d  %s\n", w.Name,
                before.Handles, after.Handles,
                static_cast<unsigned long>(before.PrivateBytes / 1024),
                static_cast<unsigned long>(after.PrivateBytes / 1024), before.OwnedGdi,
                after.OwnedGdi, before.ProbedGdi, after.ProbedGdi, flat ? "flat" : "GROWS");
    std::fflush(stdout);
  }
  OleUninitialize();
  return allFlat ? 0 : 1;
}
