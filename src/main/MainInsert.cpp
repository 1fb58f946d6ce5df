// TForm1: putting the filter, the selected file name or the insert
// character into the command line at its caret.
#include "drawing/PZSpButt.h"
#include "main/CommandCompletion.h"
#include "main/CommandRules.h"
#include "main/Main.h"
#include "main/NameCompletion.h"

void TForm1::InsertIntoCommand(const std::string& s) {
  InsertResult r = InsertIntoText(CommLine->Text(), CommLine->SelStart(), CommLine->SelLength(), s);
  CommLine->SetText(r.Text);
  CommLine->SetSelStart(r.Caret);
  CommLine->SetSelLength(0);
}

void TForm1::InsertFilter() { InsertIntoCommand(FilterLine->Text()); }

void TForm1::InsertFileName() {
  int i = FileListBox1->ItemIndex();
  if (i < 0 || !SelectedRowUsable()) return;
  // A name with a blank, unquoted, would make two arguments of one.
  InsertIntoCommand(InsertableName(CommLine->Text(), static_cast<std::size_t>(CommLine->SelStart()),
                                   (*FileListBox1->Items())[i]));
}

void TForm1::SpbCrossClick(TObject*) { InsertIntoCommand(InsertChar); }

void TForm1::SPBFilterClick(TObject*) { InsertFilter(); }

void TForm1::SpBFNameClick(TObject*) {
  if (FileListBox1->ItemIndex() >= 0) InsertFileName();
}

void TForm1::CommLineEnter(TObject*) {
  SpbCross->SetEnabled(true);
  SPBFilter->SetEnabled(true);
  SpBFName->SetEnabled(FileListBox1->ItemIndex() >= 0);
}

void TForm1::CommLineExit(TObject*) {
  FCompletion->End();
  SpbCross->SetEnabled(false);
  SPBFilter->SetEnabled(false);
  SpBFName->SetEnabled(false);
}
