#include "dialogs/UBatch.h"

#include <algorithm>

#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "dialogs/DialogRules.h"
#include "frame/CaptionMarkup.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/TextRules.h"
#include "program/ProgramValues.h"

TDBatch* DBatch = nullptr;

namespace {
TCommandHost* g_CommandHost = nullptr;

const char kDesignCaption[] = "\\IOrv\\iQuillon -- Batch Execution";

// The look every button of the window shares: the designed font and the
// caption placed from the left.
void ButtonLook(TOrvNewButton* b, TColor fontColor) {
  b->Font()->SetName("Arial");
  b->Font()->SetHeight(-13);
  b->Font()->SetStyle(fsBold);
  b->Font()->SetColor(fontColor);
}
}  // namespace

void SetCommandHost(TCommandHost* host) { g_CommandHost = host; }

TCommandHost* CommandHost() { return g_CommandHost; }

TDBatch::TDBatch(TComponent* AOwner) : tOrvFormMetal(AOwner) {
  SetName("DBatch");
  SetCaption(kDesignCaption);
  SetBounds(268, 316, 431, 261);
  SetPosition(poDefault);
  Constraints().MinWidth = 370;
  Constraints().MinHeight = 150;
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  SaveDialog1 = Designed<TSaveDialog>(this, "SaveDialog1");
  SaveDialog1->SetDefaultExt("BAT");
  SaveDialog1->SetFilter("Batch Files (*.BAT)|*.BAT");
  SaveDialog1->SetTitle("Save as Batchfile");
  SaveDialog1->SetOptions(ofOverwritePrompt | ofHideReadOnly | ofEnableSizing);

  CreateButtons();

  OrvRoundRectPanel1 =
      Placed<TOrvRoundRectPanel>(this, this, "OrvRoundRectPanel1", 8, 8, 201, 105);
  OrvRoundRectPanel1->SetRndRadius(20);
  OrvRoundRectPanel1->SetClipFirstControl(false);
  OrvRoundRectPanel1->SetClipMargins(2, 3, 2, 3);
  OrvRoundRectPanel1->SetTabStop(false);

  Memo1 = Placed<TMemo>(this, OrvRoundRectPanel1, "Memo1", 8, 8, 185, 89);
  Memo1->SetAnchors(akLeft | akTop | akRight | akBottom);
  Memo1->SetBorderStyle(bsNone);
  Memo1->Font()->SetName("MS Sans Serif");
  Memo1->Font()->SetHeight(-13);
  Memo1->SetScrollBars(ssVertical);
  // Each line is one command: a wrapped line would look like two. The
  // system's edit control also wraps a very long line in time that grows
  // with the square of its length (minutes for a 200 000-character line).
  Memo1->SetWordWrap(false);
}

void TDBatch::CreateButtons() {
  // The kind goes after the caption and before the stored look, which then
  // wins over the kind's preset.
  OrvNewButton1 = Placed<TOrvNewButton>(this, this, "OrvNewButton1", 8, 128, 97, 21);
  OrvNewButton1->SetCaption("Execute");
  OrvNewButton1->SetKind(ibkOther);
  OrvNewButton1->SetResBmpActive("OKGREEN");
  OrvNewButton1->SetResBmpNormal("OKSILVER");
  ButtonLook(OrvNewButton1, clGreen);
  OrvNewButton1->SetColorActive(0xB3FFB3);
  OrvNewButton1->SetCaptionLeft(35);
  OrvNewButton1->SetCaptionHCenter(false);
  OrvNewButton1->SetDefault(true);
  OrvNewButton1->SetModalResult(1);
  OrvNewButton1->OnClick = [this](TObject* s) { BitBtn1Click(s); };

  OrvNewButton2 = Placed<TOrvNewButton>(this, this, "OrvNewButton2", 112, 128, 100, 21);
  OrvNewButton2->SetCaption("Abbruch");
  OrvNewButton2->SetKind(ibkCancel);
  OrvNewButton2->SetResBmpActive("CANCELRED");
  OrvNewButton2->SetResBmpNormal("CANCELSILVER");
  ButtonLook(OrvNewButton2, clMaroon);
  OrvNewButton2->SetColorActive(0xCDCDF6);
  OrvNewButton2->SetCaptionLeft(35);
  OrvNewButton2->SetCaptionHCenter(false);
  OrvNewButton2->SetCancel(true);
  OrvNewButton2->SetModalResult(2);
  OrvNewButton2->OnClick = [this](TObject* s) { BitBtn2Click(s); };

  OrvNewButton3 = Placed<TOrvNewButton>(this, this, "OrvNewButton3", 232, 128, 150, 21);
  OrvNewButton3->SetCaption("Save as...");
  OrvNewButton3->SetKind(ibkBlue);
  OrvNewButton3->SetResBmpActive("BLUE150");
  OrvNewButton3->SetResBmpNormal("SILVER150");
  ButtonLook(OrvNewButton3, clNavy);
  OrvNewButton3->OnClick = [this](TObject* s) { BitBtn3Click(s); };
}

TDBatch::~TDBatch() {
  // The reference must never name a window that is gone.
  if (DBatch == this) DBatch = nullptr;
}

void TDBatch::FormCreate(TObject* Sender) {
  tOrvFormMetal::FormCreate(Sender);
  RestorePlacement("OrvQuill\\DBatch");
  const int h = PanelClient->ClientHeight();
  const int w = PanelClient->ClientWidth();
  // The buttons keep as much room below them as to their left.
  const int top = h - OrvNewButton1->Height() - OrvNewButton1->Left();
  for (TOrvNewButton* b : {OrvNewButton1, OrvNewButton2, OrvNewButton3}) {
    b->SetTop(top);
    b->SetAnchors(akLeft | akBottom);
  }
  TOrvRoundRectPanel* p = OrvRoundRectPanel1;
  p->SetBounds(p->Left(), p->Top(), w - 2 * p->Left(),
               h - OrvNewButton1->Height() - 3 * p->Top());
  p->SetAnchors(akLeft | akTop | akRight | akBottom);
  // The commands are typed first, the buttons come after them. Set here:
  // moving into the client panel puts the controls in creation order.
  p->SetTabOrder(0);
}

void TDBatch::FormClose(TObject* Sender, TCloseAction& Action) {
  tOrvFormMetal::FormClose(Sender, Action);
  Action = caFree;
}

namespace {
// Puts DOS-window mode back as it was, also when running the command raises.
class DosModeRestorer {
 public:
  explicit DosModeRestorer(TCommandHost* host) : FHost(host), FWasOn(host->DosWindowMode()) {}
  ~DosModeRestorer() {
    if (!FWasOn) FHost->SetDosWindowMode(false);
  }
  DosModeRestorer(const DosModeRestorer&) = delete;
  DosModeRestorer& operator=(const DosModeRestorer&) = delete;

 private:
  TCommandHost* FHost;
  bool FWasOn;
};
}  // namespace

void TDBatch::BitBtn1Click(TObject*) {
  TCommandHost* host = CommandHost();
  if (!host) return;
  const std::vector<std::string> lines = Memo1->Lines()->Items();
  if (lines.empty()) return;
  if (!Memo1->TextExact()) {
    // A '?' in place of a character could name another file.
    Application->MessageBox(InexactTextMessage, MessageTexts[MessageId::Error], MB_OK | MB_ICONERROR);
    return;
  }
  const std::string command = JoinBatchLines(lines);
  // Nothing of this window is touched after RunCommand: its error boxes run
  // a message loop, in which this window may be closed and freed.
  DosModeRestorer restore(host);
  host->SetDosWindowMode(true);
  host->RunCommand(command, host->CloseSetting());
}

void TDBatch::BitBtn2Click(TObject*) { Close(); }

void TDBatch::BitBtn3Click(TObject*) {
  if (!SaveDialog1->Execute()) return;
  // Written next to the target and then swapped in: a failed save leaves
  // the old file as it was, and the error reaches the default error box.
  SaveLines(SaveDialog1->FileName());
}

void TDBatch::SaveLines(const std::string& path) {
  const std::vector<std::string>& lines = Memo1->Lines()->Items();
  if (FLoaded && lines == FLoadedLines) {
    WriteWholeFile(path, FLoadedBytes);
    return;
  }
  TTextEncoding encoding = FLoaded ? FEncoding : TTextEncoding::Legacy;
  WriteWholeFile(path, EncodeTextBytes(Memo1->Lines()->Text(), encoding));
}

TDBatch* CreateBatchWindow() {
  // Made like a form of the application, but never its main form: closing
  // a batch window must not end the program.
  auto* b = new TDBatch(Application);
  b->AfterConstruction();
  DBatch = b;
  if (!BatchExecuteText.empty()) b->OrvNewButton1->SetCaption(BatchExecuteText);
  if (!BatchCancelText.empty()) b->OrvNewButton2->SetCaption(BatchCancelText);
  const std::string& saveAs = MessageTexts[MessageId::SaveAs];
  if (!saveAs.empty()) b->OrvNewButton3->SetCaption(saveAs);
  return b;
}

TDBatch* OpenBatchFile(const std::string& path) {
  TDBatch* b = CreateBatchWindow();
  try {
    b->SetCaptionText(kDesignCaption + std::string("\\b - ") + EscapeMarkupText(path));
    b->FLoadedBytes = ReadWholeFile(path);
    const TDecodedText text = DecodeTextBytes(b->FLoadedBytes);
    std::vector<std::string> items = SplitLines(text.Text);
    // The edit control ends its text at a NUL byte: the rest of the file
    // would vanish from the window, and from the file at the next save.
    for (std::string& s : items) std::replace(s.begin(), s.end(), '\0', ' ');
    b->Memo1->Lines()->Assign(items);
    b->FLoadedLines = b->Memo1->Lines()->Items();
    b->FEncoding = text.Encoding;
    b->FLoaded = true;
    b->SaveDialog1->SetFileName(path);
  } catch (...) {
    TComponent::Free(b);
    throw;
  }
  b->Show();
  return b;
}
