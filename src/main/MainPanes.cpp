// TForm1: the file panes' handlers.
#include "main/Main.h"

#include "drawing/PZSpButt.h"
#include "framework/FolderReader.h"
#include "main/PaneTexts.h"

void TForm1::ApplyFilter() {
  if (FilterLine->Text().empty()) FilterLine->SetText("*.*");
  FileListBox1->SetMask(FilterLine->Text());
}

void TForm1::FilterLineKeyPress(TObject*, wchar_t& Key) {
  if (Key == '\r') {
    Key = 0;
    ApplyFilter();
  }
}

void TForm1::FilterLineChange(TObject*) {
  // While the user types, nothing applies until Enter; a change made by the
  // program (the DIR command) applies at once.
  if (!FilterLine->Focused()) ApplyFilter();
}

void TForm1::SpbUpdateClick(TObject*) {
  // Both panes show the same folder: it is read once for both.
  TFolderReadSharing readOnce;
  FileListBox1->Update();
  DirectoryListBox1->Update();
  SpBFName->SetEnabled(false);
}

void TForm1::FileListBox1Change(TObject*) {
  LabFileCount->SetCaption(
      FileCountText(FileListBox1->Items()->Count(), MessageTexts[MessageId::Objects]));
  UpdateAttributeSummary();
}

void TForm1::UpdateAttributeSummary() {
  SpBAttribs->SetCaption(AttributeSummaryText(FileListBox1->FileType()));
}
