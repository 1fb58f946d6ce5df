// TComboBox over the system COMBOBOX class.
#include <algorithm>

#include "framework/Forms.h"
#include "framework/ListSync.h"
#include "framework/StdCtrls.h"
#include "framework/WideText.h"

namespace {
// Properties on the edit field while it is subclassed: the combo box object
// and the edit's own procedure. Kept on the window, so that a message that
// arrives after the object let go still reaches the right procedure.
const char kComboProp[] = "OrvQuillon.Combo";
const char kEditProcProp[] = "OrvQuillon.EditProc";

// The system combo box takes its list's height from the window height it is
// given, and shrinks the window to the height of its edit field itself.
constexpr int kListBorder = 2;
}  // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
  // The system control makes its own clicks and selection notifications.
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csDoubleClicks));
  FItems.OnChange = [this](TStrings*) { SyncItems(); };
}

TComboBox::~TComboBox() {
  FItems.OnChange = nullptr;
  // The edit's procedure must be back before the window goes.
  DestroyHandle();
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "COMBOBOX";
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
  }
  if (FStyle != csSimple) p.Height = Height() + FDropDownCount * FItemHeight + kListBorder;
}

void TComboBox::HandleCreated() {
  HWND h = HandleIfAllocated();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(h, &info)) {
    FListHandle = info.hwndList;
    if (info.hwndItem && info.hwndItem != h) FEditHandle = info.hwndItem;
  } else if (FStyle != csDropDownList) {
    FEditHandle = GetWindow(h, GW_CHILD);
  }
  HookEdit();
  ApplyItemHeight();
  FShown.clear();
  SyncItems();
  if (FItemIndex >= 0 && FItemIndex < FItems.Count()) SendMessageA(h, CB_SETCURSEL, FItemIndex, 0);
  if (FStyle != csDropDownList) SetWindowTextA(h, FText.c_str());
  SetEditSel(FSelStart, FSelStart + FSelLength);
}

void TComboBox::HandleDestroying() {
  // Keep what the user typed and chose for a window made anew.
  FText = GetText();
  FItemIndex = ItemIndex();
  int s = 0, e = 0;
  GetEditSel(s, e);
  FSelStart = s;
  FSelLength = e - s;
  UnhookEdit();
  FShown.clear();
  FListHandle = nullptr;
}

// ---- the edit field's keys ---------------------------------------------------------------
void TComboBox::HookEdit() {
  if (!FEditHandle) return;
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FEditHandle, GWLP_WNDPROC));
  SetPropA(FEditHandle, kEditProcProp, reinterpret_cast<HANDLE>(original));
  SetPropA(FEditHandle, kComboProp, this);
  SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc));
}

void TComboBox::UnhookEdit() {
  if (!FEditHandle) return;
  auto original = reinterpret_cast<WNDPROC>(GetPropA(FEditHandle, kEditProcProp));
  // Only undo our own subclassing; a later one would be cut off otherwise.
  if (original &&
      GetWindowLongPtrW(FEditHandle, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&EditProc)) {
    SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(FEditHandle, kEditProcProp);
  }
  RemovePropA(FEditHandle, kComboProp);
  FEditHandle = nullptr;
}

LRESULT CALLBACK TComboBox::EditProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(wnd, kEditProcProp));
  if (!original) return DefWindowProcW(wnd, msg, w, l);
  auto* combo = static_cast<TComboBox*>(GetPropA(wnd, kComboProp));
  if (msg == WM_NCDESTROY) {
    // Destroyed without the combo box letting go first: undo the hook here.
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(wnd, kEditProcProp);
    RemovePropA(wnd, kComboProp);
    if (combo && combo->FEditHandle == wnd) combo->FEditHandle = nullptr;
    return CallWindowProcW(original, wnd, msg, w, l);
  }
  bool key = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_KEYUP ||
             msg == WM_SYSKEYUP;
  if (!combo || !key || combo->IsDestroying()) return CallWindowProcW(original, wnd, msg, w, l);
  try {
    return combo->EditKey(wnd, original, msg, w, l);
  } catch (const std::exception& e) {
    // An exception must not unwind through the system's window procedure.
    if (Application) Application->HandleException(e);
    return 0;
  }
}

LRESULT TComboBox::EditKey(HWND edit, WNDPROC original, UINT msg, WPARAM w, LPARAM l) {
  bool swallowed = false;
  if (msg == WM_CHAR) {
    wchar_t k = static_cast<wchar_t>(w);
    swallowed = DoKeyPress(k);
    w = k;
  } else {
    WORD k = static_cast<WORD>(w);
    TShiftState shift = KeyboardStateToShiftState();
    swallowed = (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) ? DoKeyDown(k, shift)
                                                            : DoKeyUp(k, shift);
    w = k;
  }
  // A swallowed key never reaches the edit, so Enter does not beep. The
  // handler may also have closed the window the edit belongs to.
  if (swallowed || !IsWindow(edit)) return 0;
  return CallWindowProcW(original, edit, msg, w, l);
}

bool TComboBox::WMKey(TMessage& m) {
  // With an edit field, its keys were raised as events already; the keys it
  // hands on to the combo box (arrows, F4) must not raise them twice.
  if (FEditHandle) return false;
  return TWinControl::WMKey(m);
}

bool TComboBox::WantsKey(WORD key) {
  // An open list takes Enter and Escape to close itself.
  if ((key == VK_RETURN || key == VK_ESCAPE) && DroppedDown()) return true;
  return TWinControl::WantsKey(key);
}

// ---- messages ---------------------------------------------------------------------------------
void TComboBox::WndProc(TMessage& m) {
  // The edit field and the list ask their parent, the combo box itself,
  // for colours (a disabled edit field with WM_CTLCOLORSTATIC): they take
  // the combo box's.
  bool colour = m.Msg == WM_CTLCOLOREDIT || m.Msg == WM_CTLCOLORSTATIC ||
                m.Msg == WM_CTLCOLORLISTBOX;
  HWND child = reinterpret_cast<HWND>(m.LParam);
  if (colour && child && (child == FEditHandle || child == FListHandle) && WMCtlColor(m)) return;
  TWinControl::WndProc(m);
}

bool TComboBox::WMCommandNotify(TMessage& m) {
  if (m.Msg != CN_COMMAND) return false;
  switch (HIWORD(m.WParam)) {
    case CBN_EDITCHANGE:
    case CBN_SELCHANGE:
      Change();
      return true;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      return true;
    case CBN_SETFOCUS:
      // The edit field has the real focus; the form sees the combo box.
      if (TForm* f = ParentForm()) f->FocusChanged(this);
      return true;
    default:
      return false;
  }
}

void TComboBox::Change() {
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}

// ---- items ---------------------------------------------------------------------------------
void TComboBox::SyncItems() {
  HWND h = HandleIfAllocated();
  if (!h) {
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    return;
  }
  const std::vector<std::string>& items = FItems.Items();
  ListEdit e = DiffLists(FShown, items);
  if (e.Empty()) return;
  // Single deletions and insertions: a CB_RESETCONTENT would empty the edit.
  bool ok = ApplyListEdit(
      e, items, [h](size_t at) { SendMessageA(h, CB_DELETESTRING, at, 0); },
      [h](size_t at, const std::string& text) {
        LRESULT r = SendMessageA(h, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str()));
        return r != CB_ERR && r != CB_ERRSPACE;
      });
  if (!ok) {
    // Out of memory in the system list: start over from what it holds.
    FShown.clear();
    SendMessageA(h, CB_RESETCONTENT, 0, 0);
    throw EOutOfResources("Not enough memory for the combo box items");
  }
  FShown = items;
}

int TComboBox::ItemIndex() const {
  if (HWND h = HandleIfAllocated()) return static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TComboBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems.Count()) value = -1;
  FItemIndex = value;
  if (HWND h = HandleIfAllocated()) {
    SendMessageA(h, CB_SETCURSEL, value, 0);
  } else if (value >= 0) {
    FText = FItems[value];
  }
}

// ---- text and selection ----------------------------------------------------------------------
const std::string& TComboBox::GetText() const {
  if (HWND h = HandleIfAllocated()) {
    // Read wide: the system's own 8-bit answer would put a look-alike in
    // place of a character the code page lacks.
    auto* self = const_cast<TComboBox*>(this);
    self->FText = WindowText(h, &self->FTextExact);
  }
  return FText;
}

void TComboBox::SetText(const std::string& value) {
  if (value == GetText()) return;
  FText = value;
  // The combo box sends no CBN_EDITCHANGE for a text set from code.
  if (HWND h = HandleIfAllocated()) SetWindowTextA(h, value.c_str());
  Change();
}

void TComboBox::GetEditSel(int& start, int& end) const {
  start = FSelStart;
  end = FSelStart + FSelLength;
  if (FEditHandle) {
    // On the edit itself: CB_GETEDITSEL packs both into 16 bits.
    GetEditSelection(FEditHandle, start, end);
  } else if (HWND h = HandleIfAllocated()) {
    DWORD s = 0, e = 0;
    SendMessageA(h, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
  }
}

void TComboBox::SetEditSel(int start, int end) {
  FSelStart = start;
  FSelLength = end - start;
  if (FEditHandle) {
    SetEditSelection(FEditHandle, start, end);
  } else if (HWND h = HandleIfAllocated()) {
    SendMessageA(h, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
  }
}

int TComboBox::SelStart() const {
  int s = 0, e = 0;
  GetEditSel(s, e);
  return s;
}

void TComboBox::SetSelStart(int value) { SetEditSel(value, value); }

int TComboBox::SelLength() const {
  int s = 0, e = 0;
  GetEditSel(s, e);
  return e - s;
}

void TComboBox::SetSelLength(int value) {
  int s = SelStart();
  SetEditSel(s, s + value);
}

void TComboBox::SelectAll() { SetEditSel(0, static_cast<int>(GetText().size())); }

// ---- the drop-down list ------------------------------------------------------------------------
bool TComboBox::DroppedDown() const {
  HWND h = HandleIfAllocated();
  return h && SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool value) {
  if (HWND h = Handle()) SendMessageA(h, CB_SHOWDROPDOWN, value, 0);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  RecreateWnd();
}

void TComboBox::SetDropDownCount(int value) {
  if (value < 1) value = 1;
  if (value == FDropDownCount) return;
  FDropDownCount = value;
  ApplyDropDownHeight();
}

void TComboBox::SetItemHeight(int value) {
  if (value < 1 || value == FItemHeight) return;
  FItemHeight = value;
  ApplyItemHeight();
  ApplyDropDownHeight();
}

void TComboBox::FontChanged() {
  TWinControl::FontChanged();
  // A new font resets the list's row height to the font's.
  ApplyItemHeight();
}

void TComboBox::ApplyItemHeight() {
  // CB_SETITEMHEIGHT only reaches the list of an owner-drawn combo box;
  // the list itself takes the height for any kind.
  if (FListHandle) SendMessageA(FListHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
}

void TComboBox::SetBounds(int l, int t, int w, int h) {
  TWinControl::SetBounds(l, t, w, h);
  ApplyDropDownHeight();
}

void TComboBox::ApplyDropDownHeight() {
  HWND h = HandleIfAllocated();
  if (!h || FStyle == csSimple) return;
  // The object's Height stays the visible height: the combo box shrinks the
  // window back to it, and WM_SIZE brings that height into the object.
  SetWindowPos(h, nullptr, 0, 0, Width(), Height() + FDropDownCount * FItemHeight + kListBorder,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
