#include <algorithm>
#include <map>
#include <typeinfo>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

namespace {

const char kObjectProp[] = "OrvQuillon.Object";
TWinControl* g_CreatingControl = nullptr;
int g_NextControlId = 100;

// Original window procedure of each registered class, by class atom.
std::map<ATOM, WNDPROC>& ClassProcs() {
  static std::map<ATOM, WNDPROC> procs;
  return procs;
}

WNDPROC OriginalProcOf(HWND wnd) {
  ATOM atom = static_cast<ATOM>(GetClassWord(wnd, GCW_ATOM));
  auto it = ClassProcs().find(atom);
  return it == ClassProcs().end() ? DefWindowProcA : it->second;
}

// Registers the class named in the params (once) and returns the class's
// original procedure. A system class is "superclassed": the copy gets our
// window procedure and remembers the system's.
WNDPROC EnsureClass(TCreateParams& p) {
  static std::map<std::string, WNDPROC> registered;
  auto it = registered.find(p.WinClassName);
  if (it != registered.end()) return it->second;

  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  WNDPROC original = DefWindowProcA;
  if (!p.SystemClass.empty()) {
    if (!GetClassInfoExA(nullptr, p.SystemClass.c_str(), &wc))
      throw EOutOfResources("Window class not available: " + p.SystemClass);
    original = wc.lpfnWndProc;
    wc.cbSize = sizeof wc;
  } else {
    wc.style = p.ClassStyle;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;  // the framework erases with the control's colour
  }
  wc.lpfnWndProc = FrameworkWndProc;
  wc.hInstance = inst;
  wc.lpszClassName = p.WinClassName.c_str();
  ATOM atom = RegisterClassExA(&wc);
  if (!atom) throw EOutOfResources("Cannot register window class " + p.WinClassName);
  ClassProcs()[atom] = original;
  registered[p.WinClassName] = original;
  return original;
}

}  // namespace

// ---- the one window procedure -------------------------------------------------------
LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto* c = static_cast<TWinControl*>(GetPropA(wnd, kObjectProp));
  if (!c && g_CreatingControl && !g_CreatingControl->FHandle) {
    // The object is linked before the first message it could handle, which
    // for top-level windows is WM_GETMINMAXINFO, ahead of WM_NCCREATE.
    c = g_CreatingControl;
    c->AttachHandle(wnd);
  }
  if (!c) return CallWindowProcA(OriginalProcOf(wnd), wnd, msg, w, l);

  TMessage m{msg, w, l, 0};
  if (c->IsDestroying()) {
    c->DefaultHandler(m);
  } else {
    try {
      c->WndProc(m);
    } catch (const std::exception& e) {
      if (Application) Application->HandleException(e);
      m.Result = 0;
    }
  }
  if (msg == WM_NCDESTROY) c->DetachHandle();
  return m.Result;
}

// ---- TWinControl --------------------------------------------------------------------
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
}

TWinControl::~TWinControl() {
  // Children go before their parent; each takes itself out of our lists.
  while (!FWinControls.empty()) TComponent::Free(FWinControls.back());
  while (!FControls.empty()) TComponent::Free(FControls.back());
  DestroyHandle();
  // Leave the parent's lists while this is still a TWinControl: in ~TControl
  // the dynamic type is TControl and the parent would look in the wrong list.
  if (Parent()) Parent()->RemoveControl(this);
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  // The window goes while the whole object still exists.
  for (TWinControl* c : FWinControls) c->BeforeDestruction();
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropA(wnd, kObjectProp)) : nullptr;
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  while (wnd) {
    if (TWinControl* c = FromHandle(wnd)) return c;
    if (!(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    wnd = GetParent(wnd);
  }
  return nullptr;
}

void TWinControl::AttachHandle(HWND wnd) {
  FHandle = wnd;
  SetPropA(wnd, kObjectProp, this);
  FDefWndProc = OriginalProcOf(wnd);
}

void TWinControl::DetachHandle() {
  if (FHandle) RemovePropA(FHandle, kObjectProp);
  FHandle = nullptr;
  FBrush.Reset();
  FBrushColor = clNone;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
    // A reflected notification nobody handled: the system's own answer for
    // colour requests is the parent's default.
    m.Result = 0;
    return;
  }
  HWND h = FHandle;
  WNDPROC proc = FDefWndProc ? FDefWndProc : DefWindowProcA;
  m.Result = h ? CallWindowProcA(proc, h, m.Msg, m.WParam, m.LParam) : 0;
}

LRESULT TWinControl::Perform(UINT msg, WPARAM w, LPARAM l) {
  TMessage m{msg, w, l, 0};
  WndProc(m);
  return m.Result;
}

// ---- handle lifetime -------------------------------------------------------------------
HWND TWinControl::Handle() {
  if (!FHandle && !IsDestroying()) CreateHandle();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = FText;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Parent()) {
    p.Style |= WS_CHILD;
    p.WndParent = Parent()->Handle();
  }
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (FTabStop) p.Style |= WS_TABSTOP;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  if (Parent()) {
    Parent()->HandleNeeded();
    if (FHandle) return;  // the parent created its children, this one included
    if (!Parent()->HandleAllocated()) return;
  }
  CreateWnd();
  for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->CreateHandle();
  HandleCreated();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (p.WinClassName.empty()) {
    p.WinClassName = p.SystemClass.empty() ? std::string("OQ.") + typeid(*this).name()
                                           : "OQ." + p.SystemClass;
  }
  EnsureClass(p);
  HMENU id = nullptr;
  if (p.Style & WS_CHILD) id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_NextControlId++));
  TWinControl* previous = g_CreatingControl;
  g_CreatingControl = this;
  HWND h = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X,
                           p.Y, p.Width, p.Height, p.WndParent, id, GetModuleHandleA(nullptr),
                           this);
  g_CreatingControl = previous;
  if (!h) {
    DWORD err = GetLastError();
    DetachHandle();
    throw EOutOfResources("Error creating window: " + SysErrorMessage(err));
  }
  if (FHandle != h) AttachHandle(h);
  // Standard controls draw with the font they are given.
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  // The window may have adjusted its size (a combo box does); keep the object right.
  UpdateBoundsFromWindow();
}

void TWinControl::DestroyWnd() {
  if (FHandle) DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HandleDestroying();
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  if (Application) Application->HandleDestroying(this);
  DestroyWnd();
  if (FHandle) DetachHandle();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  bool focused = Focused();
  DestroyHandle();
  CreateHandle();
  if (focused && CanFocus()) SetFocus();
}

// ---- children -------------------------------------------------------------------------
TControl* TWinControl::Controls(int index) const {
  size_t i = static_cast<size_t>(index);
  if (i < FControls.size()) return FControls[i];
  i -= FControls.size();
  if (i < FWinControls.size()) return FWinControls[i];
  throw EListError("Control index out of bounds");
}

bool TWinControl::ContainsControl(const TControl* c) const {
  for (const TControl* p = c; p; p = p->Parent())
    if (p == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* c) {
  c->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
    if (FHandle) {
      if (w->FHandle) {
        ::SetParent(w->FHandle, FHandle);
        SetWindowPos(w->FHandle, HWND_TOP, w->Left(), w->Top(), 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
      } else if (!w->IsLoading()) {
        w->CreateHandle();
      }
    } else if (w->FHandle) {
      // Re-parented onto a control without a window: the child's window waits.
      w->DestroyHandle();
    }
  } else {
    FControls.push_back(c);
  }
  c->UpdateAnchorRules();
  if (c->Align() != alNone) Realign();
  c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  if (c == FCaptureControl) {
    FCaptureControl = nullptr;
    if (FHandle && GetCapture() == FHandle) ReleaseCapture();
  }
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    auto it = std::find(FWinControls.begin(), FWinControls.end(), w);
    if (it != FWinControls.end()) FWinControls.erase(it);
    auto t = std::find(FTabList.begin(), FTabList.end(), w);
    if (t != FTabList.end()) FTabList.erase(t);
  } else {
    c->Invalidate();
    auto it = std::find(FControls.begin(), FControls.end(), c);
    if (it != FControls.end()) FControls.erase(it);
  }
  c->FParent = nullptr;
  if (c->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool allowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    if (c->BoundsRect().Contains(p.x, p.y)) return c;
  }
  return nullptr;
}

// ---- geometry -------------------------------------------------------------------------
void TWinControl::SetBounds(int l, int t, int w, int h) { TControl::SetBounds(l, t, w, h); }

void TWinControl::BoundsChanged(bool sizeChanged) {
  SyncWindowBounds();
  if (sizeChanged) {
    Realign();
    Resize();
  }
}

void TWinControl::SyncWindowBounds() {
  if (!FHandle || FSettingBounds) return;
  FSettingBounds = true;
  SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  FSettingBounds = false;
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!FHandle) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (HWND p = GetParent(FHandle); p && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
  }
  if (IsIconic(FHandle)) return;  // a minimised window keeps its restored bounds
  bool sized = r.right - r.left != Width() || r.bottom - r.top != Height();
  bool moved = r.left != Left() || r.top != Top();
  if (!sized && !moved) return;
  FSettingBounds = true;
  TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  FSettingBounds = false;
  (void)sized;
}

int TWinControl::ClientWidth() const {
  if (FHandle) {
    RECT r;
    GetClientRect(FHandle, &r);
    return r.right;
  }
  if (IsLoading()) return Width();
  TCreateParams p;
  const_cast<TWinControl*>(this)->CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style & ~WS_CHILD, FALSE, p.ExStyle);
  return Width() - (r.right - r.left);
}

int TWinControl::ClientHeight() const {
  if (FHandle) {
    RECT r;
    GetClientRect(FHandle, &r);
    return r.bottom;
  }
  if (IsLoading()) return Height();
  TCreateParams p;
  const_cast<TWinControl*>(this)->CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style & ~WS_CHILD, FALSE, p.ExStyle);
  return Height() - (r.bottom - r.top);
}

TPoint TWinControl::ClientOrigin() const {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return TPoint(p.x, p.y);
  }
  return TControl::ClientOrigin();
}

// ---- alignment ------------------------------------------------------------------------
void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || IsLoading() || IsDestroying()) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(nullptr, r);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl*, TRect& rect) {
  ++FAlignLevel;
  auto place = [&](TAlign a) {
    std::vector<TControl*> list;
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Align() == a && c->Visible()) list.push_back(c);
    }
    // Controls of one kind keep their order by position, like the VCL's.
    std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
      switch (a) {
        case alTop: return x->Top() < y->Top();
        case alBottom: return x->Top() + x->Height() > y->Top() + y->Height();
        case alLeft: return x->Left() < y->Left();
        case alRight: return x->Left() + x->Width() > y->Left() + y->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      c->FAnchoring = true;
      switch (a) {
        case alTop:
          c->SetBounds(rect.left, rect.top, rect.Width(), c->Height());
          rect.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.left, rect.bottom - c->Height(), rect.Width(), c->Height());
          rect.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.left, rect.top, c->Width(), rect.Height());
          rect.left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), rect.Height());
          rect.right -= c->Width();
          break;
        case alClient:
          c->SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
          break;
        default:
          break;
      }
      c->FAnchoring = false;
    }
  };
  place(alTop);
  place(alBottom);
  place(alLeft);
  place(alRight);
  place(alClient);
  int cw = ClientWidth(), ch = ClientHeight();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->AnchorToParent(cw, ch);
  --FAlignLevel;
}

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

bool TWinControl::DoKeyPress(char& key) {
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

bool TWinControl::WMKey(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD k = static_cast<WORD>(m.WParam);
      if (DoKeyDown(k, KeyboardStateToShiftState())) return true;
      m.WParam = k;
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD k = static_cast<WORD>(m.WParam);
      if (DoKeyUp(k, KeyboardStateToShiftState())) return true;
      m.WParam = k;
      return false;
    }
    case WM_CHAR: {
      char k = static_cast<char>(m.WParam);
      if (DoKeyPress(k)) return true;
      m.WParam = static_cast<BYTE>(k);
      // A control that takes no characters lets the form try its accelerators.
      LRESULT code = FHandle ? CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA,
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

// ---- state pushed to the window ---------------------------------------------------------
void TWinControl::TextChanged() {
  if (FHandle) SetWindowTextA(FHandle, FText.c_str());
  TControl::TextChanged();
}

void TWinControl::FontChanged() {
  if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  TControl::FontChanged();
}

void TWinControl::ColorChanged() {
  FBrush.Reset();
  FBrushColor = clNone;
  TControl::ColorChanged();
}

void TWinControl::EnabledChanged() {
  if (FHandle) EnableWindow(FHandle, Enabled());
  Invalidate();
}

void TWinControl::VisibleChanged() {
  if (Visible() && !FHandle && Parent() && Parent()->HandleAllocated()) CreateHandle();
  if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

// ---- painting -------------------------------------------------------------------------
void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!FBrush || FBrushColor != Color()) {
    FBrush.Reset(CreateSolidBrush(ColorToRGB(Color())));
    FBrushColor = Color();
  }
  return FBrush.Get();
}

bool TWinControl::WMEraseBkgnd(HDC dc) {
  if (FDefWndProc != DefWindowProcA) return false;  // a system control erases itself
  RECT r;
  GetClientRect(FHandle, &r);
  ::FillRect(dc, &r, BackgroundBrush());
  return true;
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintTo(HDC dc) {
  if (!WMEraseBkgnd(dc)) {
    TMessage e{WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(e);
  }
  PaintWindow(dc);
  PaintControls(dc);
}

bool TWinControl::WMPaint(TMessage& m) {
  HDC given = reinterpret_cast<HDC>(m.WParam);
  if (given) {
    PaintWindow(given);
    PaintControls(given);
    return true;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  if (!dc) return true;
  if (FDoubleBuffered) {
    RECT r;
    GetClientRect(FHandle, &r);
    MemoryDC mem(dc);
    GdiBitmap bmp(CreateCompatibleBitmap(dc, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1)));
    if (mem.Get() && bmp) {
      SelectedObject sel(mem.Get(), bmp.Get());
      IntersectClipRect(mem.Get(), ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right,
                        ps.rcPaint.bottom);
      PaintTo(mem.Get());
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, mem.Get(), ps.rcPaint.left, ps.rcPaint.top,
             SRCCOPY);
      EndPaint(FHandle, &ps);
      return true;
    }
  }
  PaintWindow(dc);
  PaintControls(dc);
  EndPaint(FHandle, &ps);
  return true;
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  RECT clip;
  bool haveClip = GetClipBox(dc, &clip) != ERROR;
  bool started = first == nullptr;
  for (size_t i = 0; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    if (!started) {
      if (c != first) continue;
      started = true;
    }
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible() || g->Width() <= 0 || g->Height() <= 0) continue;
    RECT b = g->BoundsRect(), tmp;
    if (haveClip && !IntersectRect(&tmp, &b, &clip)) continue;
    SavedDC saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + g->Left(), org.y + g->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, g->Width(), g->Height());
    g->PaintTo(dc);
  }
}

// ---- message dispatch --------------------------------------------------------------------
void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (WMPaint(m)) return;
      break;
    case WM_ERASEBKGND:
      if (WMEraseBkgnd(reinterpret_cast<HDC>(m.WParam))) {
        m.Result = 1;
        return;
      }
      break;
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_SIZE:
      DefaultHandler(m);
      WMSize(LOWORD(m.LParam), HIWORD(m.LParam));
      return;
    case WM_MOVE:
      DefaultHandler(m);
      WMMove(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      return;
    case WM_SETCURSOR:
      if (WMSetCursor(m)) return;
      break;
    case WM_CONTEXTMENU:
      if (WMContextMenu(static_cast<short>(LOWORD(m.LParam)),
                        static_cast<short>(HIWORD(m.LParam)))) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS:
      DefaultHandler(m);
      FocusReceived();
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      FocusLost();
      return;
    case WM_GETDLGCODE:
      if (WMGetDlgCode(m)) return;
      break;
    case WM_CAPTURECHANGED:
      if (FCaptureControl) {
        TControl* c = FCaptureControl;
        FCaptureControl = nullptr;
        c->CaptureLost();
      }
      CaptureLost();
      break;
    case WM_COMMAND:
      if (m.LParam) {
        ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
        return;
      }
      break;
    case WM_NOTIFY:
      ReflectToChild(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
      return;
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (d->CtlType != ODT_MENU) {
        ReflectToChild(m, d->hwndItem);
        return;
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mi->CtlType != ODT_MENU) {
        HWND child = GetDlgItem(FHandle, static_cast<int>(mi->CtlID));
        if (!child && g_CreatingControl && g_CreatingControl->FHandle)
          child = g_CreatingControl->FHandle;  // sent while the child is being made
        ReflectToChild(m, child);
        return;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
      return;
    default:
      if ((m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) || m.Msg == WM_MOUSELEAVE) {
        if (WMMouse(m)) return;
        break;
      }
      if (m.Msg == WM_KEYDOWN || m.Msg == WM_KEYUP || m.Msg == WM_CHAR ||
          m.Msg == WM_SYSKEYDOWN || m.Msg == WM_SYSKEYUP) {
        if (WMKey(m)) return;
        break;
      }
      if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
        if (WMCommandNotify(m)) return;
        if (m.Msg >= CN_CTLCOLOREDIT && m.Msg <= CN_CTLCOLORSTATIC) {
          if (WMCtlColor(m)) return;
        }
        if (m.Msg == CN_CTLCOLORBTN && WMCtlColor(m)) return;
      }
      break;
  }
  DefaultHandler(m);
}

void TWinControl::ReflectToChild(TMessage& m, HWND child) {
  TWinControl* c = FromHandle(child);
  if (c && c != this) {
    TMessage r{CN_BASE + m.Msg, m.WParam, m.LParam, 0};
    c->WndProc(r);
    m.Result = r.Result;
    return;
  }
  DefaultHandler(m);
}

bool TWinControl::WMCommandNotify(TMessage&) { return false; }

bool TWinControl::WMCtlColor(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
  return true;
}

void TWinControl::WMSize(int, int) {
  if (FSettingBounds) {
    Realign();
    return;
  }
  UpdateBoundsFromWindow();
  // The client area may change without the outer size (a frame change).
  Realign();
}

void TWinControl::WMMove(int, int) {
  if (!FSettingBounds) UpdateBoundsFromWindow();
}

TControl* TWinControl::MouseTarget(int x, int y) {
  if (FCaptureControl) return FCaptureControl;
  TControl* c = ControlAtPos(TPoint(x, y));
  return c ? c : this;
}

bool TWinControl::WMMouse(TMessage& m) {
  if (m.Msg == WM_MOUSELEAVE) {
    if (Application) Application->MouseLeftWindow(this);
    return false;
  }
  if (m.Msg == WM_MOUSEWHEEL || m.Msg == WM_MOUSEHWHEEL) return false;
  int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
  if (m.Msg == WM_MOUSEMOVE && Application) Application->MouseMovedIn(this, x, y);

  bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN ||
              m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK ||
              m.Msg == WM_MBUTTONDBLCLK;
  bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
  if (down && Application) Application->CancelHint();

  const bool lastUp = up && !(m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
  TControl* target = MouseTarget(x, y);
  if (target != this) {
    if (down && !FCaptureControl && (target->ControlStyle() & csCaptureMouse)) {
      // Implicit capture: the pressed windowless control gets every move
      // until the button is released.
      FCaptureControl = target;
      SetCapture(FHandle);
    }
    if (lastUp && FCaptureControl) {
      // The capture ends before the release is handled: a click may open a
      // modal box, which must not find the mouse still held here.
      FCaptureControl = nullptr;
      if (GetCapture() == FHandle) ReleaseCapture();
    }
    target->DispatchMouse(m.Msg, m.WParam, x - target->Left(), y - target->Top());
    return true;
  }

  bool system = FDefWndProc != DefWindowProcA;
  if (system) {
    // A standard control does its own work first (selection, caret).
    DefaultHandler(m);
    DispatchMouse(m.Msg, m.WParam, x, y);
    return true;
  }
  if (down && m.Msg == WM_LBUTTONDOWN && TabStop() && CanFocus() && !Focused()) SetFocus();
  if (down && (ControlStyle() & csCaptureMouse)) SetCapture(FHandle);
  if (lastUp && (ControlStyle() & csCaptureMouse) && GetCapture() == FHandle) ReleaseCapture();
  DispatchMouse(m.Msg, m.WParam, x, y);
  // The default handling follows (a right button's release asks for the
  // context menu).
  return false;
}

bool TWinControl::WMSetCursor(TMessage& m) {
  if (LOWORD(m.LParam) != HTCLIENT || reinterpret_cast<HWND>(m.WParam) != FHandle) return false;
  if (!Screen) return false;
  TCursor cur = Screen->Cursor();
  if (cur == crDefault) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    TControl* c = ControlAtPos(TPoint(p.x, p.y), true);
    cur = c ? c->Cursor() : Cursor();
    if (cur == crDefault && c) cur = Cursor();
  }
  if (cur == crDefault) return false;
  ::SetCursor(Screen->Cursors(cur));
  m.Result = TRUE;
  return true;
}

bool TWinControl::WMContextMenu(int sx, int sy) {
  POINT p{sx, sy};
  if (sx == -1 && sy == -1) {
    p = {Width() / 2, Height() / 2};
    ::ClientToScreen(FHandle, &p);
  }
  POINT cp = p;
  ::ScreenToClient(FHandle, &cp);
  TControl* c = ControlAtPos(TPoint(cp.x, cp.y));
  if (!c) c = this;
  TPopupMenu* menu = c->PopupMenu();
  if (!menu) return false;
  menu->SetPopupComponent(c);
  menu->Popup(p.x, p.y);
  return true;
}

// ---- TCustomControl -----------------------------------------------------------------------
TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas([this] { return HandleIfAllocated(); }) {}

TCustomControl::~TCustomControl() { FCanvas.FreeHandle(); }

void TCustomControl::PaintWindow(HDC dc) {
  FCanvas.FreeHandle();
  CanvasBinding bound(FCanvas, dc);
  FCanvas.Font()->Assign(*Font());
  FCanvas.Brush()->SetColor(Color());
  Paint();
}
