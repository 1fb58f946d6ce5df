#include "dialogs/UDAttrib.h"

#include "controls/EnterExitButton.h"
#include "controls/OrvCustomCheck.h"
#include "frame/OrvWindowSizeHook.h"
#include "framework/Forms.h"

TDAttribs* DAttribs = nullptr;

namespace {
struct BoxMember {
  TOrvCheck* TDAttribs::*Box;
  TFileType Member;
};

// The boxes and their members, in the order the set is built.
const BoxMember kBoxes[] = {
    {&TDAttribs::OrvCheck1, ftReadOnly},  {&TDAttribs::OrvCheck2, ftHidden},
    {&TDAttribs::OrvCheck3, ftSystem},    {&TDAttribs::OrvCheck4, ftArchive},
    {&TDAttribs::OrvCheck5, ftDirectory}, {&TDAttribs::OrvCheck6, ftNormal},
};

TOrvCheck* MakeCheck(TDAttribs* f, const char* name, const char* caption, int top, int width) {
  auto* c = Placed<TOrvCheck>(f, f, name, 8, top, width, 19);
  c->SetCaption(caption);
  c->SetTransparent(true);
  c->SetGrayedQuestionMark(false);
  return c;
}

TOrvNewButton* MakeButton(TDAttribs* f, const char* name, const char* caption, int top) {
  auto* b = Placed<TOrvNewButton>(f, f, name, 196, top, 100, 21);
  b->SetCaption(caption);
  // The kind goes first; the stored look then wins over its preset.
  b->SetKind(ibkBlue);
  b->SetResBmpActive("BLUE100");
  b->SetResBmpNormal("SILVER100");
  b->Font()->SetName("Arial");
  b->Font()->SetHeight(-13);
  b->Font()->SetStyle(fsBold);
  b->Font()->SetColor(clNavy);
  return b;
}
}  // namespace

TDAttribs::TDAttribs(TComponent* AOwner) : tOrvFormMetal(AOwner) {
  SetName("DAttribs");
  SetCaption("File Attributes");
  SetBorderStyle(bsDialog);
  SetBorderIcons(0);
  SetPosition(poScreenCenter);
  Font()->SetName("Arial");
  Font()->SetHeight(-11);
  // The client size (312 x 172) is set in Loaded: while the form is being
  // built its client size is not known yet.

  Label1 = Designed<TLabel>(this, "Label1");
  Label1->SetParent(this);
  Label1->SetAutoSize(false);
  Label1->SetWordWrap(true);
  Label1->SetTransparent(true);
  Label1->SetBounds(8, 8, 257, 41);
  Label1->SetCaption(
      "The Filebox on the right will show all objects of the current directory that match the "
      "checked attributes.");

  OrvCheck1 = MakeCheck(this, "OrvCheck1", "ReadOnly", 48, 97);
  OrvCheck2 = MakeCheck(this, "OrvCheck2", "Hidden", 64, 97);
  OrvCheck3 = MakeCheck(this, "OrvCheck3", "System", 80, 97);
  OrvCheck4 = MakeCheck(this, "OrvCheck4", "Archive", 96, 97);
  OrvCheck5 = MakeCheck(this, "OrvCheck5", "Directory", 120, 97);
  OrvCheck6 = MakeCheck(this, "OrvCheck6", "Normal (Files without Attributes)", 144, 177);

  ButtApply = MakeButton(this, "ButtApply", "&Apply", 116);
  ButtApply->OnClick = [this](TObject* s) { ApplyClick(s); };
  ButtClose = MakeButton(this, "ButtClose", "&Close", 140);
  ButtClose->SetCaptionLeft(35);
  ButtClose->OnClick = [this](TObject* s) { ButtCloseClick(s); };

  OrvWindowSizeHook1 =
      Placed<TOrvWindowSizeHook>(this, this, "OrvWindowSizeHook1", 288, 152, 16, 16);
  OrvWindowSizeHook1->SetActive(true);

  DAttribs = this;
}

TDAttribs::~TDAttribs() {
  if (DAttribs == this) DAttribs = nullptr;
}

void TDAttribs::SetFileList(TFileListBox* list) {
  if (list == FFileList) return;
  FFileList = list;
  // The list belongs to another window, which may go first.
  if (FFileList) FFileList->FreeNotification(this);
}

void TDAttribs::Notification(TComponent* AComponent, TOperation Operation) {
  tOrvFormMetal::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFileList) FFileList = nullptr;
}

void TDAttribs::Loaded() {
  tOrvFormMetal::Loaded();
  SetClientSize(312, 172);
}

void TDAttribs::FormCreate(TObject* Sender) {
  tOrvFormMetal::FormCreate(Sender);
  RestorePlacement("OrvQuill\\DAttribs");
}

void TDAttribs::FormShow(TObject* Sender) {
  tOrvFormMetal::FormShow(Sender);
  if (!FFileList) return;
  const TFileType set = FFileList->FileType();
  for (const BoxMember& m : kBoxes) (this->*m.Box)->SetChecked((set & m.Member) != 0);
}

void TDAttribs::ApplyClick(TObject*) {
  if (!FFileList) return;
  TFileType set = 0;
  for (const BoxMember& m : kBoxes)
    if ((this->*m.Box)->Checked()) set |= m.Member;
  // One assignment, one new listing of the directory.
  FFileList->SetFileType(set);
}

void TDAttribs::ButtCloseClick(TObject*) { Close(); }

void TDAttribs::ApplyLanguage(const LanguageTexts& texts) {
  if (const std::string* t = texts.Text(LangLine::AttribsLabel)) Label1->SetCaption(*t);
  if (const std::string* t = texts.Text(LangLine::AttribsApply)) ButtApply->SetCaption(*t);
  if (const std::string* t = texts.Text(LangLine::AttribsClose)) ButtClose->SetCaption(*t);
}
