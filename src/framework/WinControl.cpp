#include <algorithm>
#include <map>
#include <mutex>
#include <typeinfo>
#include <unordered_map>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/WideText.h"

namespace {

TWinControl* g_CreatingControl = nullptr;
int g_NextControlId = 100;

// The object of each window of this process, kept here rather than in a
// window property: every message looks its window up, and a property is
// held by the system (under Wine each read is a call to the window server,
// which costs more than most handlers). A window of another process, even
// another instance of this program, has no object here.
class TWindowObjects {
 public:
  TWinControl* Find(HWND wnd) {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FObjects.find(wnd);
    return it == FObjects.end() ? nullptr : it->second;
  }
  void Set(HWND wnd, TWinControl* c) {
    std::lock_guard<std::mutex> lock(FMutex);
    FObjects[wnd] = c;
  }
  void Remove(HWND wnd, TWinControl* c) {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FObjects.find(wnd);
    if (it != FObjects.end() && it->second == c) FObjects.erase(it);
  }

 private:
  std::mutex FMutex;
  std::unordered_map<HWND, TWinControl*> FObjects;
};

// Never destroyed: a window may still go while the program's statics are
// being torn down.
TWindowObjects& WindowObjects() {
  static TWindowObjects* const objects = new TWindowObjects;
  return *objects;
}

// Original window procedure of each registered class, by class atom.
std::map<ATOM, WNDPROC>& ClassProcs() {
  static std::map<ATOM, WNDPROC> procs;
  return procs;
}

WNDPROC OriginalProcOf(HWND wnd) {
  ATOM atom = static_cast<ATOM>(GetClassWord(wnd, GCW_ATOM));
  auto it = ClassProcs().find(atom);
  return it == ClassProcs().end() ? DefWindowProcW : it->second;
}

// Registers the class named in the params (once) and returns the class's
// original procedure. A system class is "superclassed": the copy gets our
// window procedure and remembers the system's.
//
// Every class is a Unicode class. Messages then reach the framework and the
// system's controls as the system holds them, with no conversion between
// 8-bit and wide texts in between: that conversion is made with buffers of
// a fixed size in some systems (a list entry longer than 512 characters
// read by another program overran the stack), and it cannot carry a typed
// character that the input code page lacks.
WNDPROC EnsureClass(TCreateParams& p) {
  static std::map<std::string, WNDPROC> registered;
  auto it = registered.find(p.WinClassName);
  if (it != registered.end()) return it->second;

  HINSTANCE inst = GetModuleHandleW(nullptr);
  const std::wstring className = AnsiToWide(p.WinClassName);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WNDPROC original = DefWindowProcW;
  if (!p.SystemClass.empty()) {
    if (!GetClassInfoExW(nullptr, AnsiToWide(p.SystemClass).c_str(), &wc))
      throw EOutOfResources("Window class not available: " + p.SystemClass);
    original = wc.lpfnWndProc;
    wc.cbSize = sizeof wc;
  } else {
    wc.style = p.ClassStyle;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;  // the framework erases with the control's colour
  }
  wc.lpfnWndProc = FrameworkWndProc;
  wc.hInstance = inst;
  wc.lpszClassName = className.c_str();
  ATOM atom = RegisterClassExW(&wc);
  if (!atom) throw EOutOfResources("Cannot register window class " + p.WinClassName);
  ClassProcs()[atom] = original;
  registered[p.WinClassName] = original;
  return original;
}

}  // namespace

// ---- the one window procedure -------------------------------------------------------
LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  TWinControl* c = WindowObjects().Find(wnd);
  if (!c && g_CreatingControl && !g_CreatingControl->FHandle) {
    // The object is linked before the first message it could handle, which
    // for top-level windows is WM_GETMINMAXINFO, ahead of WM_NCCREATE.
    c = g_CreatingControl;
    c->AttachHandle(wnd);
  }
  if (!c) return CallWindowProcW(OriginalProcOf(wnd), wnd, msg, w, l);

  TMessage m{msg, w, l, 0};
  if (c->IsDestroying()) {
    // Observers outlive the control's own handlers: they still hear that
    // the window goes, to let go of what they tied to it.
    if (msg == WM_DESTROY) c->ObserveMessage(m);
    c->DefaultHandler(m);
  } else {
    try {
      c->ObserveMessage(m);
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

TWinControl* TWinControl::CreatingControl() { return g_CreatingControl; }

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? WindowObjects().Find(wnd) : nullptr;
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
  WindowObjects().Set(wnd, this);
  FDefWndProc = OriginalProcOf(wnd);
}

void TWinControl::DetachHandle() {
  if (FHandle) WindowObjects().Remove(FHandle, this);
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
  WNDPROC proc = FDefWndProc ? FDefWndProc : DefWindowProcW;
  m.Result = h ? CallWindowProcW(proc, h, m.Msg, m.WParam, m.LParam) : 0;
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
    // Not Handle(): the parameters are also asked for to compute a client
    // size before any window exists, and that must not make the parent's
    // window (CreateHandle makes it first when this window is made).
    p.WndParent = Parent()->HandleIfAllocated();
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
  NotifyWindowCreated();
}

// ---- observers ------------------------------------------------------------------------
void TWinControl::AddWindowObserver(TWindowObserver* observer) {
  if (observer && std::find(FObservers.begin(), FObservers.end(), observer) == FObservers.end())
    FObservers.push_back(observer);
}

void TWinControl::RemoveWindowObserver(TWindowObserver* observer) {
  auto it = std::find(FObservers.begin(), FObservers.end(), observer);
  if (it != FObservers.end()) FObservers.erase(it);
}

void TWinControl::ObserveMessage(const TMessage& m) {
  if (FObservers.empty()) return;
  // An observer may remove itself (or another) while it is told: walk a
  // copy and skip those that have gone meanwhile.
  const std::vector<TWindowObserver*> observers = FObservers;
  auto present = [this](TWindowObserver* o) {
    return std::find(FObservers.begin(), FObservers.end(), o) != FObservers.end();
  };
  for (TWindowObserver* o : observers) {
    if (!present(o)) continue;
    if (m.Msg == WM_DESTROY) o->WindowDestroying(this);
    else o->WindowMessage(this, m);
  }
}

void TWinControl::NotifyWindowCreated() {
  const std::vector<TWindowObserver*> observers = FObservers;
  for (TWindowObserver* o : observers)
    if (FHandle && std::find(FObservers.begin(), FObservers.end(), o) != FObservers.end())
      o->WindowCreated(this);
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
  HWND h = CreateWindowExW(p.ExStyle, AnsiToWide(p.WinClassName).c_str(),
                           AnsiToWide(p.Caption).c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                           p.WndParent, id, GetModuleHandleW(nullptr), this);
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
  if (TForm* f = ParentForm()) f->ControlLeaving(c);
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
