// Resizes the main window in 100 steps in the metal and the shaded look and
// prints the time per step (the frame's relayout and the window's, the
// region, the painting of everything), next to the same window with the
// system's frame and plain panels (the Windows-border mode without the
// metal pictures), all in the same run. Not a test: it only reports.
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "bench/BenchKit.h"
#include "frame/UOberMetal.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "main/Main.h"
#include "program/ProgramValues.h"

using bench::Median;
using bench::Now;

namespace {
struct Look {
  const char* Name;
  bool Metal, Shaded, WinBorder;
};

struct Steps {
  std::vector<double> Layout, Paint, Total;  // milliseconds per step
};

// 100 size changes, each painted before the next: the size change with the
// relayout and the region it brings, the painting, and both together.
Steps ResizeSteps(const Look& look, const std::string& skinFolder) {
  LoadFrameSkin(skinFolder);
  ShadedMode = WinBorderMode = false;
  if (!look.Metal) FreeMetalBitmaps();
  if (look.Shaded) SelectShadedLook();
  if (look.WinBorder) SelectWinBorder();
  TForm1* form = Application->CreateForm<TForm1>();
  form->SetPosition(poDesigned);
  form->SetBounds(20, 20, form->Width(), form->Height());
  form->Show();
  Application->ProcessMessages();
  const int w0 = form->Width(), h0 = form->Height();
  Steps steps;
  for (int i = 0; i < 100; ++i) {
    // Out and back again, by steps a dragged edge makes.
    const int d = 4 * (i < 50 ? i : 100 - i);
    const double t0 = Now();
    form->SetBounds(form->Left(), form->Top(), w0 + d, h0 + d / 2);
    const double t1 = Now();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double t2 = Now();
    steps.Layout.push_back(t1 - t0);
    steps.Paint.push_back(t2 - t1);
    steps.Total.push_back(t2 - t0);
    Application->ProcessMessages();
  }
  TComponent::Free(form);
  Application->ProcessMessages();
  return steps;
}
}  // namespace

int main() {
  OleInitialize(nullptr);
  InitFramework();
  ResetProgramTexts();
  // A language is chosen, in a program folder of the benchmark's own, so
  // that no chooser opens when the window shows.
  const std::string prog = bench::ProgramFolderWithLanguage("oq-resize-bench");
  ProgramDir = prog;
  ProgramPath = prog + "OrvQuill.exe";
  CommandInterpreter = "CMD";
  Application->CreateForm<TForm>();  // the main form; the windows under test are others

  // The skin the build draws, as the program finds its own beside it.
  const std::string skins = bench::ExeFolder() + "art\\";
  const Look plain{"system frame, plain panels", false, false, true};
  const Look looks[] = {{"metal frame", true, false, false}, {"shaded frame", false, true, false}};
  // Twice through, the first round only warming up.
  Steps plainSteps;
  std::vector<Steps> results(std::size(looks));
  for (int round = 0; round < 2; ++round) {
    plainSteps = ResizeSteps(plain, skins);
    for (size_t i = 0; i < std::size(looks); ++i) results[i] = ResizeSteps(looks[i], skins);
  }
  const double plainMs = Median(plainSteps.Total);
  std::printf("main window resized in 100 painted steps, median per step "
              "(size change and relayout + painting = whole step):\n");
  auto line = [&](const char* name, const Steps& s) {
    const double total = Median(s.Total);
    std::printf("  %-28s %6.2f + %6.2f = %6.2f ms  (%.2f x the system frame)\n", name,
                Median(s.Layout), Median(s.Paint), total, plainMs > 0 ? total / plainMs : 0.0);
  };
  line(plain.Name, plainSteps);
  for (size_t i = 0; i < std::size(looks); ++i) line(looks[i].Name, results[i]);
  DeleteFileA((prog + "English.OQL").c_str());
  DeleteFileA((prog + "OrvQuill.LNG").c_str());
  RemoveDirectoryA(prog.c_str());
  delete Application;
  Application = nullptr;
  OleUninitialize();
  return 0;
}
