// TForm1: what the file list does besides showing files: the double-click,
// its popup menu (Open, Execute, View) and dragging a file out of it.
#include <cstdlib>

#include "dialogs/DialogRules.h"
#include "dialogs/UBatch.h"
#include "dialogs/UHelp.h"
#include "dragdrop/DragDropFiles.h"
#include "framework/Seams.h"
#include "main/CommandRules.h"
#include "main/Main.h"

namespace {
// A drag starts once the pointer has moved this far from the press, with
// the button held: further across than up or down.
constexpr int kDragAcross = 7;
constexpr int kDragUpDown = 3;

std::string SelectedEntry(const TFileListBox* list) {
  const int i = list->ItemIndex();
  return i < 0 ? std::string() : (*list->Items())[i];
}
}  // namespace

void TForm1::BindFileActions() {
  FileListBox1->SetPopupMenu(PopupMenu1);
  FileListBox1->OnDblClick = [this](TObject* s) { FileListBox1DblClick(s); };
  MenOpen->OnClick = [this](TObject* s) { MenOpenClick(s); };
  MenExec->OnClick = [this](TObject* s) { FileListBox1DblClick(s); };
  MenView->OnClick = [this](TObject* s) { MenViewClick(s); };
  PopupMenu1->OnPopup = [this](TObject* s) { PopupMenu1Popup(s); };
  FileListBox1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    FileListBox1MouseDown(s, b, sh, x, y);
  };
  FileListBox1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    FileListBox1MouseUp(s, b, sh, x, y);
  };
  FileListBox1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    FileListBox1MouseMove(s, sh, x, y);
  };
}

std::string TForm1::SelectedPath() const { return FileListBox1->FileName(); }

bool TForm1::SelectedRowUsable() {
  const int i = FileListBox1->ItemIndex();
  if (i < 0 || FileListBox1->IsExactRow(i)) return true;
  // The row shows a stand-in character: its text may name another file.
  DragArmed = false;
  ErrorBox(InexactTextMessage);
  return false;
}

void TForm1::FileListBox1DblClick(TObject*) {
  DragArmed = false;
  const int i = FileListBox1->ItemIndex();
  if (i < 0 || !SelectedRowUsable()) return;
  const std::string entry = SelectedEntry(FileListBox1);
  // The list knows which rows are directories; a file may end in ']' too.
  if (FileListBox1->IsDirectoryRow(i) && entry.size() >= 2) {
    ChangeDirectory(entry.substr(1, entry.size() - 2));
    return;
  }
  HINSTANCE r =
      Processes().ShellExecuteFn(Handle(), "open", SelectedPath(), "", ".", SW_SHOWNORMAL);
  // Success, and failures other than these (a file type without an
  // application), show nothing.
  ShowStartError(StartedAs::Program, static_cast<int>(reinterpret_cast<INT_PTR>(r)));
}

void TForm1::PopupMenu1Popup(TObject*) {
  FileMenuItems m = FileMenuItemsFor(FileListBox1->ItemIndex() >= 0, SelectedEntry(FileListBox1));
  MenOpen->SetEnabled(m.Open);
  MenExec->SetEnabled(m.Execute);
  MenView->SetEnabled(m.View);
}

void TForm1::MenOpenClick(TObject* Sender) {
  if (!SelectedRowUsable()) return;
  const std::string entry = SelectedEntry(FileListBox1);
  if (IsBatchName(entry)) {
    OpenBatchFile(SelectedPath());
    return;
  }
  FileListBox1DblClick(Sender);
}

void TForm1::MenViewClick(TObject*) {
  const std::string entry = SelectedEntry(FileListBox1);
  if (entry.empty() || !SelectedRowUsable()) return;
  ViewFile(entry, IsRichTextName(entry));
}

// ---- dragging a file out of the list ---------------------------------------------------
void TForm1::FileListBox1MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  DragOrigin = TPoint(X, Y);
  if (Button == mbLeft) DragArmed = true;
  // The menu that follows acts on the row under the pointer, not on one
  // selected before; below the rows there is nothing to act on.
  if (Button == mbRight) FileListBox1->SetItemIndex(FileListBox1->ItemAtPos(TPoint(X, Y), true));
}

void TForm1::FileListBox1MouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button == mbLeft) DragArmed = false;
}

void TForm1::FileListBox1MouseMove(TObject*, TShiftState, int X, int Y) {
  if (!DragArmed) return;
  // The list holds the mouse from the press to the release. Without it the
  // release went elsewhere (a box or another program took the mouse), and a
  // hover must never drag: the system's drag loop, finding no button held,
  // would drop the file at once wherever the pointer happens to be.
  if (!FileListBox1->HandleAllocated() || GetCapture() != FileListBox1->Handle()) {
    DragArmed = false;
    return;
  }
  if (std::abs(X - DragOrigin.x) <= kDragAcross && std::abs(Y - DragOrigin.y) <= kDragUpDown)
    return;
  const std::string path = SelectedPath();
  if (path.empty()) return;
  // The drag loop takes the button's release for itself: the list would
  // think the button still held and go on selecting under the pointer (its
  // scrolling timer runs on during the drag). It gets the release now,
  // where the press was, which keeps the selection.
  if (FileListBox1->HandleAllocated()) {
    TMessage up{WM_LBUTTONUP, 0, MAKELPARAM(DragOrigin.x, DragOrigin.y), 0};
    FileListBox1->DefaultHandler(up);
  }
  if (!SelectedRowUsable()) return;
  // Another program gets the name in its wide form; a name that has none
  // (not a valid text of our code page) would reach it as another name.
  if (!ExactWideNames({path})) {
    DragArmed = false;
    ErrorBox(InexactTextMessage);
    return;
  }
  DragDropFiles1->FileNames()->Assign({path});
  // The drag loop handles messages: one of them may have freed the window.
  if (!DragDropFiles1->StartFileDrag()) return;
  DragArmed = false;
  // A move may have taken the file away: the panes look again shortly.
  Timer1->SetEnabled(true);
}
