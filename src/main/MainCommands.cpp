// TForm1: the command line, its built-in words and the check boxes.
#include "controls/OrvCustomCheck.h"
#include "dialogs/DialogRules.h"
#include "dialogs/UBatch.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/UHelp.h"
#include "framework/Seams.h"
#include "framework/WideText.h"
#include "main/CommandCompletion.h"
#include "main/CommandRules.h"
#include "main/Main.h"

namespace {
bool IsExistingFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

void TForm1::CommKeyPress(TObject*, wchar_t& Key) {
  // A character typed, also one that came without a key of its own (from
  // an input method or another program), ends a completion.
  FCompletion->End();
  // The characters Ctrl+A and Ctrl+Backspace make: their keys have acted.
  if (Key == 0x01 || Key == 0x7F) {
    Key = 0;
    return;
  }
  const std::string t = CommLine->Text();
  if (Key == '\r' && !t.empty()) {
    Key = 0;
    if (!CommLine->TextExact()) {
      // A '?' in place of a character could name another file.
      ErrorBox(InexactTextMessage);
      return;
    }
    RememberCommand(t);
    CommLine->SelectAll();
    ParsedCommand c = ParseCommand(t, DosWindowMode());
    switch (c.Kind) {
      case CommandKind::Drive:
        DriveComboBox1->SetDrive(c.Argument[0]);
        break;
      case CommandKind::ChangeDir:
        ChangeDirectory(c.Argument);
        break;
      case CommandKind::Dir:
        if (c.ToInterpreter) RunCommand(t, false);
        else FilterLine->SetText(c.Argument);
        break;
      case CommandKind::View:
        if (c.ToInterpreter) RunCommand(t, false);
        else if (IsExistingFile(c.Argument)) ViewFile(c.Argument, IsRichTextName(c.Argument));
        else ErrorBox(MessageTexts[MessageId::FileNotFound]);
        break;
      case CommandKind::Help:
        SpBHelpClick(this);
        break;
      case CommandKind::Exit:
        Close();
        break;
      case CommandKind::Run:
        RunCommand(t, CheckBoxDOS->Checked());
        Timer1->SetEnabled(true);
        break;
      case CommandKind::None:
        break;
    }
    return;
  }
  // The insert character may take several bytes: the typed character is
  // compared in the program's own form.
  if (Key != 0 && WideToAnsi(std::wstring_view(&Key, 1)) == InsertChar) {
    Key = 0;
    if (FileListBox1->ItemIndex() < 0) InsertFilter();
    else InsertFileName();
  }
}

void TForm1::ChangeDirectory(const std::string& path) {
  std::string target =
      ResolveChangeDirectory(path, DirectoryListBox1->Directory(), DriveComboBox1->Drive());
  if (target.empty()) return;
  // A directory that cannot be entered raises; the default error box shows it
  // and the panes stay where they were.
  DirectoryListBox1->SetDirectory(target);
}

void TForm1::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  SpbUpdateClick(this);
}

void TForm1::DirectoryListBox1KeyPress(TObject*, wchar_t& Key) {
  if (!IsTypeKey(Key, IsLetterOrDigit(Key))) return;
  CommLine->SetFocus();
  InsertIntoCommand(WideToAnsi(std::wstring_view(&Key, 1)));
}

void TForm1::CheckBoxDIRClick(TObject*) {
  CommLine->SetFocus();
  CheckBoxDOS->SetEnabled(CheckBoxDIR->Checked());
}

void TForm1::CheckBoxDOSClick(TObject*) { CommLine->SetFocus(); }

// ---- buttons ---------------------------------------------------------------------------
namespace {
void StartExplorer(TForm1* form, const std::string& commandLine) {
  UINT r = Processes().WinExecFn(commandLine, SW_SHOWNORMAL);
  form->ShowStartError(StartedAs::Explorer, static_cast<int>(r));
}
}  // namespace

void TForm1::ExploreClick(TObject*) { StartExplorer(this, "EXPLORER ."); }

void TForm1::SpbExplorerClick(TObject*) { StartExplorer(this, "EXPLORER"); }

void TForm1::SpBHelpClick(TObject*) { ShowManual(ManualFileName, true); }

void TForm1::SpBBatchClick(TObject*) {
  if (TDBatch* b = CreateBatchWindow()) b->Show();
}

void TForm1::SpBAttribsClick(TObject*) {
  if (DAttribs) DAttribs->Show();
}
