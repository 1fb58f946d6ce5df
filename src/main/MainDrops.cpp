// TForm1: files dropped from other programs (or from the file list). On the
// command line one file becomes a copy or move command, ready for Enter; on
// the file list any number of files become the lines of a new batch window.
// Nothing is copied or moved by the drop itself.
#include <vector>

#include "controls/OrvCustomCheck.h"
#include "dialogs/UBatch.h"
#include "dialogs/UHintWin.h"
#include "dragdrop/DragDropFiles.h"
#include "main/CommandRules.h"
#include "main/Main.h"

void TForm1::BindDrops() {
  DragDropFiles1->OnProcessDropped = [this](TObject* s, DWORD k, POINTL p, DWORD e) {
    DragDropFiles1ProcessDropped(s, k, p, e);
  };
  DragDropFiles2->OnProcessDropped = [this](TObject* s, DWORD k, POINTL p, DWORD e) {
    DragDropFiles2ProcessDropped(s, k, p, e);
  };
  // While a modal box or dialog holds the window, it takes no drops: the
  // command line would otherwise take the focus from under the box.
  auto refuseWhileDisabled = [this](DWORD, POINTL, DWORD& effect) {
    if (!HandleAllocated() || !IsWindowEnabled(HandleIfAllocated())) effect = DROPEFFECT_NONE;
  };
  DragDropFiles1->OnDragOver = refuseWhileDisabled;
  DragDropFiles2->OnDragOver = refuseWhileDisabled;
}

void TForm1::DragDropFiles1ProcessDropped(TObject*, DWORD, POINTL, DWORD dwEffect) {
  const TStrings* names = DragDropFiles1->FileNames();
  if (names->Count() != 1) return;
  CommLine->SetFocus();
  CommLine->SetText(DropCommand((*names)[0], dwEffect == DROPEFFECT_MOVE));
  Application->BringToFront();
  // Just above the check boxes, below the command line: the check box's
  // place converted through its own parent, which the frame's look moves.
  TPoint p(CheckBoxDIR->Left() + 3, CheckBoxDIR->Top() - 5);
  ShowHintAt(DropHintText, CheckBoxDIR->Parent() ? CheckBoxDIR->Parent()->ClientToScreen(p) : p);
}

void TForm1::DragDropFiles2ProcessDropped(TObject*, DWORD, POINTL, DWORD dwEffect) {
  const TStrings* names = DragDropFiles2->FileNames();
  if (names->Count() == 0) return;
  // Files dropped onto their own folder: nothing to copy, nothing to
  // refresh. Only the first file decides.
  if (IsInCurrentDirectory((*names)[0])) {
    Timer1->SetEnabled(false);
    return;
  }
  TDBatch* batch = CreateBatchWindow();
  if (!batch) return;
  std::vector<std::string> lines = batch->Memo1->Lines()->Items();
  lines.reserve(lines.size() + static_cast<size_t>(names->Count()));
  const bool move = dwEffect == DROPEFFECT_MOVE;
  for (const std::string& name : names->Items()) lines.push_back(DropCommand(name, move));
  // One assignment: the memo takes all lines in one go, not one by one.
  batch->Memo1->Lines()->Assign(lines);
  batch->Show();
  Application->BringToFront();
}

bool TForm1::IsInCurrentDirectory(const std::string& path) const {
  return IsInDirectory(path, DirectoryListBox1->Directory());
}
