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
  // command line would otherwise take the focus from under the box. The
  // pointer shows it from the moment it enters; the data stays acceptable,
  // so that the drop is taken once the box is gone.
  auto disabled = [this] { return !HandleAllocated() || !IsWindowEnabled(HandleIfAllocated()); };
  auto refuseEnterWhileDisabled = [disabled](IDataObject*, DWORD, POINTL, DWORD& effect, bool&) {
    if (disabled()) effect = DROPEFFECT_NONE;
  };
  auto refuseWhileDisabled = [disabled](DWORD, POINTL, DWORD& effect) {
    if (disabled()) effect = DROPEFFECT_NONE;
  };
  for (TDragDropFiles* d : {DragDropFiles1, DragDropFiles2}) {
    d->OnDragEnter = refuseEnterWhileDisabled;
    d->OnDragOver = refuseWhileDisabled;
  }
  // Known only now, inside the drag: whether the drop ends a drag out of the
  // file list. When the form hears of the drop, the drag's end has run.
  DragDropFiles2->OnDrop = [this](IDataObject*, DWORD, POINTL, DWORD&) {
    OwnDragOnFileList = DragDropFiles1->Dragging();
  };
}

void TForm1::ShowDropRefused() {
  ErrorBox(
      "A dropped file name has characters that cannot be used here exactly as they are. "
      "Nothing was done.");
}

void TForm1::DragDropFiles1ProcessDropped(TObject*, DWORD, POINTL, DWORD dwEffect) {
  if (DragDropFiles1->NamesRefused()) {
    ShowDropRefused();
    return;
  }
  const TStrings* names = DragDropFiles1->FileNames();
  if (names->Count() != 1) return;
  CommLine->SetFocus();
  const std::string command = DropCommand((*names)[0], dwEffect == DROPEFFECT_MOVE);
  CommLine->SetText(command);
  // As after an insertion: typing goes on after the command.
  CommLine->SetSelStart(static_cast<int>(command.size()));
  Application->BringToFront();
  // Just above the check boxes, below the command line: the check box's
  // place converted through its own parent, which the frame's look moves.
  TPoint p(CheckBoxDIR->Left() + 3, CheckBoxDIR->Top() - 5);
  ShowHintAt(DropHintText, CheckBoxDIR->Parent() ? CheckBoxDIR->Parent()->ClientToScreen(p) : p);
}

void TForm1::DragDropFiles2ProcessDropped(TObject*, DWORD, POINTL, DWORD dwEffect) {
  const bool ownDrag = OwnDragOnFileList;
  OwnDragOnFileList = false;
  if (DragDropFiles2->NamesRefused()) {
    ShowDropRefused();
    return;
  }
  const TStrings* names = DragDropFiles2->FileNames();
  if (names->Count() == 0) return;
  // Files dropped onto their own folder: nothing to copy, nothing to
  // refresh. Only the first file decides. A file dragged out of the list
  // and dropped back onto it is the exception: the drag's end has already
  // started the refresh (a move may have taken the file away), and this
  // message comes after it.
  if (IsInCurrentDirectory((*names)[0])) {
    if (!ownDrag) Timer1->SetEnabled(false);
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
