#include "dialogs/UHintWin.h"

THintForm* HintForm = nullptr;

THintForm::THintForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("HintForm");
  SetBorderStyle(bsNone);
  SetCaption("HintForm");
  SetClientSize(104, 15);
  SetColor(clInfoBk);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  Font()->SetColor(clWindowText);
  SetFormStyle(fsStayOnTop);

  Panel1 = Designed<TPanel>(this, "Panel1");
  Panel1->SetParent(this);
  Panel1->SetBounds(0, 0, 34, 15);
  Panel1->SetBevelOuter(bvNone);
  // The window is flat: the panel's border is a single line, not a 3-D edge.
  Panel1->SetCtl3D(false);
  Panel1->SetBorderStyle(bsSingle);
  Panel1->SetColor(clInfoBk);
  Panel1->SetCaption("");
  Label1 = Designed<TLabel>(this, "Label1");
  Label1->SetParent(Panel1);
  Label1->SetAutoSize(false);
  Label1->SetBounds(0, 0, 32, 13);
  Label1->SetCaption("Label1");
  Timer1 = Designed<TTimer>(this, "Timer1");
  Timer1->SetInterval(5000);
  Timer1->SetEnabled(true);

  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

THintForm::~THintForm() {
  if (HintForm == this) HintForm = nullptr;
}

void THintForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // A note beside the work, not a window of its own: no activation, no
  // button on the task bar.
  p.ExStyle |= WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
}

void THintForm::WndProc(TMessage& m) {
  if (m.Msg == WM_MOUSEACTIVATE) {
    m.Result = MA_NOACTIVATE;
    return;
  }
  TForm::WndProc(m);
}

void THintForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Close();
}

void THintForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

THintForm* ShowHintAt(const std::string& text, const TPoint& screenPoint) {
  // Made like a form of the application, but never its main form.
  auto* hint = new THintForm(Application);
  hint->AfterConstruction();
  HintForm = hint;
  hint->Label1->SetCaption(text);
  hint->Label1->SetAutoSize(true);
  // The label measures a blank for an empty text; the note is then only the
  // panel's border.
  hint->Panel1->SetWidth((text.empty() ? 0 : hint->Label1->Width()) + 2);
  hint->SetBounds(screenPoint.x, screenPoint.y, hint->Panel1->Width(), hint->Height());
  hint->Show();
  hint->Timer1->SetEnabled(true);
  if (TForm* main = Application->MainForm(); main && main->HandleAllocated())
    SetWindowPos(main->HandleIfAllocated(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return hint;
}
