// TWinControl: focus, tab order and keys.
#include <algorithm>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

// ---- focus ------------------------------------------------------------------------------
int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  auto& v = Parent()->FTabList;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!Parent()) return;
  auto& v = Parent()->FTabList;
  auto it = std::find(v.begin(), v.end(), this);
  if (it == v.end()) return;
  v.erase(it);
  if (value < 0) value = 0;
  if (static_cast<size_t>(value) > v.size()) value = static_cast<int>(v.size());
  v.insert(v.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FHandle) {
    LONG s = GetWindowLongA(FHandle, GWL_STYLE);
    SetWindowLongA(FHandle, GWL_STYLE, value ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  HWND h = Handle();
  if (!h) return;
  if (TForm* f = ParentForm(); f && f != this) f->SetActiveControl(this);
  ::SetFocus(h);
}

bool TWinControl::Focused() const {
  HWND f = GetFocus();
  return FHandle && f && (f == FHandle || IsChild(FHandle, f));
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

void TWinControl::FocusReceived() {
  if (TForm* f = ParentForm(); f && f != this) f->FocusChanged(this);
}

void TWinControl::FocusLost() {}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::WantsKey(WORD key) {
  if (!FHandle) return false;
  LRESULT code = SendMessageA(GetFocus(), WM_GETDLGCODE, key, 0);
  if (key == VK_TAB) return code & (DLGC_WANTTAB | DLGC_WANTALLKEYS);
  if (key == VK_RETURN || key == VK_ESCAPE) return code & DLGC_WANTALLKEYS;
  return code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS);
}

// ---- keyboard -------------------------------------------------------------------------
bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
  TForm* f = ParentForm();
  if (f && f != this && f->KeyPreview() && f->DoKeyDown(key, shift)) return true;
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return key == 0;
}

bool TWinControl::DoKeyPress(wchar_t& key) {
  TForm* f = ParentForm();
  if (f && f != this && f->KeyPreview() && f->DoKeyPress(key)) return true;
  if (OnKeyPress) OnKeyPress(this, key);
  return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
  TForm* f = ParentForm();
  if (f && f != this && f->KeyPreview() && f->DoKeyUp(key, shift)) return true;
  if (OnKeyUp) OnKeyUp(this, key, shift);
  return key == 0;
}

namespace {
// The menu key, or Shift+F10: the keyboard's right-click.
bool IsMenuKey(WORD key, TShiftState shift) {
  const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  return (key == VK_APPS && mods == 0) || (key == VK_F10 && mods == ssShift);
}
}  // namespace

bool TWinControl::WMKey(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD k = static_cast<WORD>(m.WParam);
      const TShiftState shift = KeyboardStateToShiftState();
      if (DoKeyDown(k, shift)) return true;
      m.WParam = k;
      // The control's own menu, opened here rather than by the system,
      // which asks for it on the key's press or its release depending on
      // the key and the version: once, and beside the selection.
      if (PopupMenu() && IsMenuKey(k, shift)) return WMContextMenu(-1, -1);
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      if (PopupMenu() && m.WParam == VK_APPS) return true;
      WORD k = static_cast<WORD>(m.WParam);
      if (DoKeyUp(k, KeyboardStateToShiftState())) return true;
      m.WParam = k;
      return false;
    }
    case WM_CHAR: {
      // A UTF-16 unit: a character beyond it comes as two (a surrogate pair).
      wchar_t k = static_cast<wchar_t>(m.WParam);
      if (DoKeyPress(k)) return true;
      m.WParam = k;
      // A control that takes no characters lets the form try its accelerators.
      LRESULT code = FHandle ? CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW,
                                               FHandle, WM_GETDLGCODE, 0, 0)
                             : 0;
      if (!(code & DLGC_WANTCHARS)) {
        if (TForm* f = ParentForm(); f && f->DialogChar(k)) return true;
      }
      return false;
    }
    default:
      return false;
  }
}
