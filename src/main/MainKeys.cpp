// TForm1: the keys users of shells and file managers press. In the command
// line Tab completes a name, Escape clears the line, Ctrl+Backspace deletes
// a word and Ctrl+A selects all; in the lists Enter opens, Backspace goes
// up and Ctrl+Shift+C copies the selected entry's path.
#include "framework/Clipbrd.h"
#include "main/CommandCompletion.h"
#include "main/CommandRules.h"
#include "main/Main.h"
#include "main/NameCompletion.h"

bool TForm1::DialogKey(WORD key, TShiftState shift) {
  // An open list takes Escape itself (the combo box wants it then).
  if (CommLine->Focused() && !(shift & (ssCtrl | ssAlt))) {
    if (key == VK_TAB && FCompletion->Step(!(shift & ssShift))) return true;
    if (key == VK_ESCAPE && !CommLine->DroppedDown()) {
      FCompletion->End();
      CommLine->SetText("");
      return true;
    }
  }
  return tOrvFormMetal::DialogKey(key, shift);
}

bool TForm1::CompletionBusy() const { return FCompletion->Busy(); }

void TForm1::DeleteWordBeforeCaret() {
  const std::string text = CommLine->Text();
  const int start = CommLine->SelStart();
  const int length = CommLine->SelLength();
  const int from =
      length > 0 ? start : static_cast<int>(WordStartBefore(text, static_cast<std::size_t>(start)));
  const InsertResult r = InsertIntoText(text, from, length > 0 ? length : start - from, "");
  CommLine->SetText(r.Text);
  CommLine->SetSelStart(r.Caret);
}

void TForm1::ListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  const TShiftState mods = Shift & (ssShift | ssCtrl | ssAlt);
  if (Key == VK_BACK && mods == 0) {
    Key = 0;
    ChangeDirectory("..");
  } else if (Key == 'C' && mods == (ssCtrl | ssShift)) {
    Key = 0;
    CopySelectedPath(Sender);
  }
}

void TForm1::FileListBox1KeyPress(TObject* Sender, wchar_t& Key) {
  if (Key == '\r') {
    Key = 0;
    FileListBox1DblClick(Sender);
    return;
  }
  DirectoryListBox1KeyPress(Sender, Key);
}

void TForm1::CopySelectedPath(TObject* list) {
  std::string path;
  if (list == FileListBox1) {
    const int i = FileListBox1->ItemIndex();
    if (i < 0 || !SelectedRowUsable()) return;
    path = ListedEntryPath(FileListBox1->Directory(), (*FileListBox1->Items())[i],
                           FileListBox1->IsDirectoryRow(i));
  } else {
    const int i = DirectoryListBox1->ItemIndex();
    if (i < 0) return;
    if (!DirectoryListBox1->IsExactRow(i)) {
      ErrorBox(InexactTextMessage);
      return;
    }
    path = DirectoryListBox1->GetItemPath(i);
  }
  // Another program holds the clipboard open: the copy did not happen.
  if (!SetClipboardText(Handle(), '"' + path + '"')) MessageBeep(MB_ICONWARNING);
}
