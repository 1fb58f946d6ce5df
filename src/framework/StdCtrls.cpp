// TLabel, TEdit, TCheckBox, TRadioButton and TButton.
#include "framework/StdCtrls.h"

#include "framework/Forms.h"
#include "framework/WideText.h"

// ---- TLabel ---------------------------------------------------------------------------
TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TLabel::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  SetControlStyle(v ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

UINT TLabel::DrawFlags() const {
  UINT f = DT_EXPANDTABS;
  if (FWordWrap) f |= DT_WORDBREAK;
  if (!FShowAccelChar) f |= DT_NOPREFIX;
  f |= FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT;
  return f;
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  // Measure on a screen DC: the label has no window of its own.
  WindowDC screen(nullptr);
  TCanvas c;
  c.SetHandle(screen.Get());
  c.Font()->Assign(*Font());
  TRect r(0, 0, FWordWrap ? Width() : 0, 0);
  std::string text = Caption().empty() ? std::string(" ") : Caption();
  c.DrawText(text, r, DrawFlags() | DT_CALCRECT);
  c.SetHandle(nullptr);
  int l = Left();
  if (FAlignment == taRightJustify && !FWordWrap) l += Width() - r.Width();
  SetBounds(l, Top(), r.Width(), r.Height());
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  std::string text = Caption();
  UINT flags = DrawFlags();
  if (FLayout != tlTop) {
    TRect m = r;
    c->DrawText(text, m, flags | DT_CALCRECT);
    int off = FLayout == tlBottom ? r.Height() - m.Height() : (r.Height() - m.Height()) / 2;
    r.top += off;
  }
  if (!IsEffectivelyEnabled()) {
    TRect sh = r;
    OffsetRect(&sh, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text, sh, flags);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(text, r, flags);
}

void TLabel::SetFocusControl(TWinControl* value) {
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

bool TLabel::DialogChar(wchar_t key) {
  if (!FShowAccelChar || !FFocusControl || !IsAccelerator(key, Caption())) return false;
  if (!FFocusControl->CanFocus()) return false;
  FFocusControl->SetFocus();
  return true;
}

// ---- TEdit ------------------------------------------------------------------------------
TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents));
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FOEMConvert) p.Style |= ES_OEMCONVERT;
  if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
  HWND h = HandleIfAllocated();
  if (FMaxLength > 0) SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SetEditSelection(h, FSelStart, FSelStart + FSelLength);
}

const std::string& TEdit::GetText() const {
  if (HWND h = HandleIfAllocated()) {
    // Read wide: the system's own 8-bit answer would put a look-alike in
    // place of a character the code page lacks.
    auto* self = const_cast<TEdit*>(this);
    self->FText = WindowText(h, &self->FTextExact);
  }
  return FText;
}

void TEdit::SetText(const std::string& value) {
  if (value == GetText()) return;
  FText = value;
  if (HWND h = HandleIfAllocated()) {
    SetWindowTextA(h, value.c_str());  // EN_CHANGE raises OnChange
  } else {
    Change();
  }
}

// Selections count bytes of Text(), as the rest of the program does; the
// field itself counts UTF-16 units.
int TEdit::SelStart() const {
  if (HWND h = HandleIfAllocated()) {
    int s = 0, e = 0;
    GetEditSelection(h, s, e);
    return s;
  }
  return FSelStart;
}

void TEdit::SetSelStart(int v) {
  FSelStart = v;
  FSelLength = 0;
  if (HWND h = HandleIfAllocated()) SetEditSelection(h, v, v);
}

int TEdit::SelLength() const {
  if (HWND h = HandleIfAllocated()) {
    int s = 0, e = 0;
    GetEditSelection(h, s, e);
    return e - s;
  }
  return FSelLength;
}

void TEdit::SetSelLength(int v) {
  int s = SelStart();
  FSelLength = v;
  if (HWND h = HandleIfAllocated()) SetEditSelection(h, s, s + v);
}

std::string TEdit::SelText() const {
  std::string t = GetText();
  size_t s = static_cast<size_t>(SelStart()), n = static_cast<size_t>(SelLength());
  if (s > t.size()) return {};
  return t.substr(s, n);
}

void TEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(GetText().size());
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, 0, -1);
}

void TEdit::SetReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  if (HWND h = HandleIfAllocated()) SendMessageA(h, EM_SETREADONLY, v, 0);
}

void TEdit::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

void TEdit::SetOEMConvert(bool v) {
  if (v == FOEMConvert) return;
  FOEMConvert = v;
  RecreateWnd();
}

void TEdit::SetMaxLength(int v) {
  FMaxLength = v;
  if (HWND h = HandleIfAllocated()) SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

bool TEdit::Modified() const {
  HWND h = HandleIfAllocated();
  return h && SendMessageA(h, EM_GETMODIFY, 0, 0) != 0;
}

bool TEdit::WMCommandNotify(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    Change();
    return true;
  }
  return false;
}

void TEdit::Change() {
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}

// ---- TButton ------------------------------------------------------------------------------
TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
  // The system button makes its own clicks (BN_CLICKED).
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  FDefault = value;
  if (HWND h = HandleIfAllocated())
    SendMessageA(h, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (FModalResult != 0) {
    if (TForm* f = ParentForm()) f->SetModalResult(FModalResult);
  }
  TWinControl::Click();
}

bool TButton::DialogChar(wchar_t key) {
  if (!IsAccelerator(key, Caption()) || !CanFocus()) return false;
  Click();
  return true;
}

bool TButton::WMCommandNotify(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return true;
  }
  return false;
}

// ---- TCheckBox / TRadioButton --------------------------------------------------------
TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
  SetColor(clBtnFace);
  SetParentColor(true);
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  p.Style |= IsRadio() ? BS_AUTORADIOBUTTON : BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() {
  SendMessageA(HandleIfAllocated(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
  if (HWND h = HandleIfAllocated()) return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FChecked;
}

void TCheckBox::SetChecked(bool value) {
  FChecked = value;
  if (HWND h = HandleIfAllocated())
    SendMessageA(h, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (value && IsRadio() && Parent()) {
    // Radio buttons of one parent exclude each other.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
      if (r && r != this) r->SetChecked(false);
    }
  }
}

bool TCheckBox::DialogChar(wchar_t key) {
  if (!IsAccelerator(key, Caption()) || !CanFocus()) return false;
  SetFocus();
  SetChecked(IsRadio() ? true : !Checked());
  Click();
  return true;
}

bool TCheckBox::WMCommandNotify(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    FChecked = Checked();
    Click();
    return true;
  }
  return false;
}
