// Measures the time from a drop of 1, 100 and 10,000 file names on the file
// list to the batch window shown with all its lines, against filling a new
// batch window's memo with the same lines directly and showing it, in the
// same run. The drop goes through the file list's registered drop target.
// Not a test: it only reports.
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchKit.h"
#include "dialogs/UBatch.h"
#include "dragdrop/DragDropFiles.h"
#include "framework/Forms.h"
#include "main/CommandRules.h"
#include "main/Main.h"

using bench::Median;
using bench::Now;

namespace {
// Handles messages until the newest batch window shows all the lines.
void WaitShown(size_t lines) {
  for (;;) {
    Application->ProcessMessages();
    if (DBatch && DBatch->HandleAllocated() && IsWindowVisible(DBatch->Handle()) &&
        DBatch->Memo1->Lines()->Count() == static_cast<int>(lines) &&
        SendMessageA(DBatch->Memo1->Handle(), EM_GETLINECOUNT, 0, 0) == static_cast<LRESULT>(lines))
      return;
  }
}

void CloseBatch() {
  while (DBatch) TComponent::Free(DBatch);
  Application->ProcessMessages();
}
}  // namespace

int main() {
  OleInitialize(nullptr);
  InitFramework();
  const std::string prog = bench::UseProgramFolder("oq-drop-bench");
  SetCurrentDirectoryA(prog.c_str());

  Application->CreateForm<TForm>();  // the main form; the window under test is another
  TForm1* form = Application->CreateForm<TForm1>();
  form->Show();
  Application->ProcessMessages();
  IDropTarget* target = form->DragDropFiles2->DropTarget();

  std::printf("%8s %14s %14s %8s\n", "names", "drop (ms)", "direct (ms)", "ratio");
  for (int count : {1, 100, 10000}) {
    TStrings names;
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      names.Add("C:\\bench source\\folder\\file number " + std::to_string(i) + ".txt");
      lines.push_back(DropCommand(names[i], false));
    }
    const int rounds = count >= 10000 ? 5 : 21;
    std::vector<double> viaDrop, direct;
    for (int r = 0; r < rounds; ++r) {
      auto* data = new TDataObjectFiles(*ExactWideNames(names.Items()));
      POINTL pt{0, 0};
      DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
      target->DragEnter(data, MK_LBUTTON, pt, &effect);
      effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
      double t0 = Now();
      target->Drop(data, 0, pt, &effect);
      WaitShown(lines.size());
      viaDrop.push_back(Now() - t0);
      data->Release();
      CloseBatch();

      t0 = Now();
      TDBatch* b = CreateBatchWindow();
      b->Memo1->Lines()->Assign(lines);
      b->Show();
      WaitShown(lines.size());
      direct.push_back(Now() - t0);
      CloseBatch();
    }
    const double d = Median(viaDrop), m = Median(direct);
    std::printf("%8d %14.2f %14.2f %8.2f\n", count, d, m, d / m);
  }
  TComponent::Free(form);
  OleUninitialize();
  return 0;
}
