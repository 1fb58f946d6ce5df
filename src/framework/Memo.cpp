// TMemo over a multi-line system EDIT.
#include <algorithm>

#include "framework/StdCtrls.h"
#include "framework/WideText.h"

namespace {
// Lines joined with CR LF between them: the window shows no empty line
// after the last one.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string t;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) t += "\r\n";
    t += lines[i];
  }
  return t;
}
}  // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents));
  FLines.OnChange = [this](TStrings*) {
    if (FPulling) return;
    PushLines();
    Change();
  };
}

void TMemo::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "EDIT";
  p.Caption.clear();  // the text follows in HandleCreated, without a length limit
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_LEFT;
  if (FWantReturns) p.Style |= ES_WANTRETURN;
  if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
  if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::HandleCreated() {
  HWND h = HandleIfAllocated();
  // The system's default limit (32 K characters) would cut long batch files
  // off without a word.
  SendMessageA(h, EM_SETLIMITTEXT, 0, 0);
  PushLines();
}

void TMemo::HandleDestroying() { PullLines(); }

void TMemo::PullLines() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  // Unchanged since Lines wrote it: Lines stays as it is, since the text
  // cannot tell an empty last line from none.
  const std::string& text = GetText();
  if (text == FPushed) return;
  FPulling = true;
  FLines.Assign(SplitLines(text));
  FPulling = false;
  FPushed = text;
}

void TMemo::PushLines() {
  FText = JoinLines(FLines.Items());
  FPushed = FText;
  if (HWND h = HandleIfAllocated()) SetWindowTextA(h, FText.c_str());
}

TStrings* TMemo::Lines() {
  PullLines();
  return &FLines;
}

const std::string& TMemo::GetText() const {
  if (HWND h = HandleIfAllocated()) {
    // Read wide: the system's own 8-bit answer would put a look-alike in
    // place of a character the code page lacks.
    auto* self = const_cast<TMemo*>(this);
    self->FText = WindowText(h, &self->FTextExact);
  }
  return FText;
}

void TMemo::SetText(const std::string& value) {
  if (value == GetText()) return;
  FText = value;
  if (HWND h = HandleIfAllocated()) {
    // A multi-line edit sends no EN_CHANGE for WM_SETTEXT.
    SetWindowTextA(h, value.c_str());
  } else {
    FPulling = true;
    FLines.Assign(SplitLines(value));
    FPulling = false;
  }
  Change();
}

bool TMemo::WMCommandNotify(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    Change();
    return true;
  }
  return false;
}

void TMemo::Change() {
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}

// ---- keys -------------------------------------------------------------------------------------
bool TMemo::WantsKey(WORD key) {
  // Enter is the memo's while it makes new lines, so that a default button
  // on the form does not take it; Tab and Escape stay the form's.
  if (key == VK_RETURN) return FWantReturns;
  if (key == VK_TAB || key == VK_ESCAPE) return false;
  return TWinControl::WantsKey(key);
}

bool TMemo::DoKeyPress(wchar_t& key) {
  if (TWinControl::DoKeyPress(key)) return true;
  if (key == '\r' && !FWantReturns) {
    key = 0;  // a multi-line edit would make a line of it anyway
    return true;
  }
  return false;
}

// ---- style --------------------------------------------------------------------------------------
void TMemo::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  RecreateWnd();
}

void TMemo::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TMemo::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  if (HWND h = HandleIfAllocated()) SendMessageA(h, EM_SETREADONLY, value, 0);
}

void TMemo::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  RecreateWnd();
}

void TMemo::SetWantReturns(bool value) {
  if (value == FWantReturns) return;
  FWantReturns = value;
  RecreateWnd();
}
