#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "framework/Forms.h"
#include "framework/PictureScale.h"
#include "framework/StdCtrls.h"

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner) {
  // Everything built from here until AfterConstruction is "designed".
  BeginLoading();
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  SetControlStyle(ControlStyle() & ~unsigned(csCaptureMouse | csClickEvents));
}

TForm::~TForm() {
  if (Application) Application->FormDestroyed(this);
}

void TForm::AfterConstruction() {
  EndLoading();
  // Anchors are measured against the designed sizes, now that all exist.
  std::vector<TControl*> all;
  std::function<void(TWinControl*)> walk = [&](TWinControl* w) {
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      c->UpdateAnchorRules();
      if (auto* cw = dynamic_cast<TWinControl*>(c)) walk(cw);
    }
  };
  walk(this);
  Realign();
  FFormState |= fsCreated;
  DoCreate();
  if (Visible() && !IsDestroying()) ShowWindowNow(true);
}

void TForm::BeforeDestruction() {
  // A form going away holds activation no more (its window's last
  // activation messages reach no handler).
  if (Application && Application->ActivatedForm() == this) Application->SetActivatedForm(nullptr);
  // OnDestroy runs once, while every component still exists.
  if (OnDestroy) {
    TNotifyEvent e = std::move(OnDestroy);
    OnDestroy = nullptr;
    e(this);
  }
  TCustomControl::BeforeDestruction();
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// ---- window ---------------------------------------------------------------------------
void TForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style &= ~unsigned(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle = 0;
  switch (FBorderStyle) {
    case bsNone:
      p.Style |= WS_POPUP;
      break;
    case bsSingle:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons & biSystemMenu) p.Style |= WS_SYSMENU;
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow &&
        FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
    if ((FBorderIcons & biHelp) && !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
      p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  p.WndParent = nullptr;
  if (Application) {
    TForm* main = Application->MainForm();
    // Secondary windows belong to the main window: no task-bar button of
    // their own, always above it.
    if (main && main != this && main->HandleAllocated()) p.WndParent = main->HandleIfAllocated();
  }
}

void TForm::HandleCreated() {
  if (FWindowState == wsMaximized && Visible()) ShowWindow(FHandle, SW_SHOWMAXIMIZED);
}

void TForm::UpdateWindowStyle() {
  if (!HandleAllocated()) return;
  TCreateParams p;
  CreateParams(p);
  HWND h = HandleIfAllocated();
  LONG vis = GetWindowLongA(h, GWL_STYLE) & (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  SetWindowLongA(h, GWL_STYLE, static_cast<LONG>(p.Style) | vis);
  SetWindowLongA(h, GWL_EXSTYLE, static_cast<LONG>(p.ExStyle));
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // Keep the outer size as the object has it; the client area changes.
  SetWindowPos(h, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  Realign();
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  UpdateWindowStyle();
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (value == FBorderIcons) return;
  FBorderIcons = value;
  UpdateWindowStyle();
}

void TForm::SetFormStyle(TFormStyle value) {
  if (value == FFormStyle) return;
  FFormStyle = value;
  if (HandleAllocated())
    SetWindowPos(HandleIfAllocated(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetWindowState(TWindowState value) {
  if (value == FWindowState) return;
  FWindowState = value;
  if (HandleAllocated() && Visible()) {
    static const int cmd[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(HandleIfAllocated(), cmd[value]);
  }
}

void TForm::TextChanged() {
  if (HandleAllocated()) SetWindowTextA(HandleIfAllocated(), FText.c_str());
}

namespace {
// The frame the system adds around a form's client area for a style.
SIZE NonClientSize(DWORD style, DWORD exStyle) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, style & ~DWORD(WS_CHILD), FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}
}  // namespace

// Without a window the client size follows from the style; this holds also
// while the form is being built, so designed client sizes come out right.
int TForm::ClientWidth() const {
  if (HandleAllocated()) return TWinControl::ClientWidth();
  TCreateParams p;
  const_cast<TForm*>(this)->TForm::CreateParams(p);
  return Width() - NonClientSize(p.Style, p.ExStyle).cx;
}

int TForm::ClientHeight() const {
  if (HandleAllocated()) return TWinControl::ClientHeight();
  TCreateParams p;
  const_cast<TForm*>(this)->TForm::CreateParams(p);
  return Height() - NonClientSize(p.Style, p.ExStyle).cy;
}

void TForm::SetClientSize(int w, int h) {
  SetBounds(Left(), Top(), Width() + (w - ClientWidth()), Height() + (h - ClientHeight()));
}

void TForm::WMSize(int w, int h) {
  if (HandleAllocated()) {
    HWND hw = HandleIfAllocated();
    if (IsZoomed(hw)) FWindowState = wsMaximized;
    else if (IsIconic(hw)) FWindowState = wsMinimized;
    else if (IsWindowVisible(hw)) FWindowState = wsNormal;
  }
  TCustomControl::WMSize(w, h);
}

// ---- showing ------------------------------------------------------------------------------
void TForm::ApplyPosition() {
  if (FPositioned) return;
  FPositioned = true;
  TRect wa = Screen ? Screen->WorkAreaRect() : TRect(0, 0, 1024, 768);
  switch (FPosition) {
    case poScreenCenter:
      SetBounds(wa.left + (wa.Width() - Width()) / 2, wa.top + (wa.Height() - Height()) / 2,
                Width(), Height());
      break;
    case poMainFormCenter: {
      TForm* m = Application ? Application->MainForm() : nullptr;
      if (m && m != this)
        SetBounds(m->Left() + (m->Width() - Width()) / 2, m->Top() + (m->Height() - Height()) / 2,
                  Width(), Height());
      break;
    }
    case poDefault:
    case poDefaultPosOnly: {
      // The system's cascade does not apply to pop-up windows; cascade here.
      static int slot = 0;
      int step = 26 * (slot++ % 10);
      SetBounds(wa.left + 40 + step, wa.top + 40 + step, Width(), Height());
      break;
    }
    default:
      break;
  }
}

void TForm::VisibleChanged() {
  if (IsLoading() || !(FFormState & fsCreated)) return;  // shown after creation
  ShowWindowNow(Visible());
}

namespace {
// A window made never to be activated (a note beside the work) is shown
// where it is, leaving the active window active.
bool TakesNoActivation(HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0; }
}  // namespace

void TForm::ShowWindowNow(bool show) {
  if (show) {
    if (FFormState & fsShowing) return;
    FFormState |= fsShowing;
    ApplyPosition();
    HWND h = Handle();
    DoShow();
    FFormState &= ~unsigned(fsShowing);
    if (!Visible() || IsDestroying()) return;  // OnShow may hide or free it
    int cmd = FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
              : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
              : TakesNoActivation(h)        ? SW_SHOWNOACTIVATE
                                            : SW_SHOWNORMAL;
    ShowWindow(h, cmd);
    if (FFormStyle == fsStayOnTop)
      SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(h);
  } else {
    DoHide();
    if (HandleAllocated()) ShowWindow(HandleIfAllocated(), SW_HIDE);
  }
}

void TForm::Show() {
  SetVisible(true);
  if (HandleAllocated() && !IsDestroying()) {
    HWND h = HandleIfAllocated();
    if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
    if (!TakesNoActivation(h)) SetForegroundWindow(h);
  }
}

void TForm::Hide() { SetVisible(false); }

bool TForm::Active() const {
  return HandleAllocated() && GetActiveWindow() == HandleIfAllocated();
}

bool TForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TForm::Close() {
  if (FFormState & fsReleased) return;
  if (IsModal()) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  bool isMain = Application && Application->MainForm() == this;
  TCloseAction action = isMain ? caFree : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (isMain) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TForm::Release() {
  if (!Application || (FFormState & fsReleased)) return;
  FFormState |= fsReleased;
  Hide();
  std::weak_ptr<char> alive = FAlive;
  Application->QueueCall([this, alive] {
    if (!alive.expired()) TComponent::Free(this);
  });
}

int TForm::ShowModal() {
  if (Visible() || IsModal()) throw Exception("Cannot make a visible window modal");
  if (!Application) throw Exception("No application");
  if (GetCapture()) ReleaseCapture();
  Application->ModalStarted();
  HWND previous = GetActiveWindow();
  FFormState |= fsModal;
  FModalResult = 0;
  std::vector<HWND> disabled = Application->DisableTaskWindows(Handle());
  Show();
  while (FModalResult == 0) {
    if (!Application->HandleMessage() || Application->Terminated()) {
      FModalResult = mrCancel;
      break;
    }
    if (FModalResult != 0) {
      TCloseAction action = caHide;
      if (!CloseQuery()) {
        FModalResult = 0;
        continue;
      }
      DoClose(action);
      if (action == caNone) FModalResult = 0;
    }
  }
  TApplication::EnableTaskWindows(disabled);
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  Hide();
  FFormState &= ~unsigned(fsModal);
  return FModalResult;
}

// ---- focus ---------------------------------------------------------------------------------
void TForm::SetActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  FActiveControl = control;
}

void TForm::FocusChanged(TWinControl* control) {
  if (control == FFocusedControl) return;
  TWinControl* old = FFocusedControl;
  FFocusedControl = control;
  FActiveControl = control;
  if (old && !old->IsDestroying()) old->DoExit();
  if (FFocusedControl == control && control && !control->IsDestroying()) control->DoEnter();
}

void TForm::ControlLeaving(TControl* control) {
  // Kept, the pointer would outlive a freed control: the next activation
  // would call into whatever took its memory.
  auto* w = dynamic_cast<TWinControl*>(control);
  auto leaving = [&](TWinControl* c) { return c && (c == control || (w && w->ContainsControl(c))); };
  if (leaving(FActiveControl)) FActiveControl = nullptr;
  if (leaving(FFocusedControl)) FFocusedControl = nullptr;
}

void TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  std::vector<TWinControl*> stops;
  for (TWinControl* c : list)
    if (c->TabStop() && c->CanFocus()) stops.push_back(c);
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), current);
  size_t i;
  if (it == stops.end()) {
    i = forward ? 0 : stops.size() - 1;
  } else {
    size_t pos = static_cast<size_t>(it - stops.begin());
    i = forward ? (pos + 1) % stops.size() : (pos + stops.size() - 1) % stops.size();
  }
  stops[i]->SetFocus();
}

void TForm::SelectFirst() {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* c : list) {
    if (c->TabStop() && c->CanFocus()) {
      c->SetFocus();
      return;
    }
  }
}

// ---- keys ------------------------------------------------------------------------------------
TButton* TForm::FindButton(bool wantDefault) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* c : list) {
    auto* b = dynamic_cast<TButton*>(c);
    if (!b || !b->CanFocus()) continue;
    if (wantDefault ? b->Default() : b->Cancel()) return b;
  }
  return nullptr;
}

bool TForm::DialogKey(WORD key, TShiftState shift) {
  switch (key) {
    case VK_TAB:
      if (shift & (ssCtrl | ssAlt)) return false;
      SelectNext(FActiveControl, !(shift & ssShift));
      return true;
    case VK_RETURN: {
      TButton* b = dynamic_cast<TButton*>(FActiveControl);
      if (!b || !b->Focused()) b = FindButton(true);
      if (!b) return false;
      b->Click();
      return true;
    }
    case VK_ESCAPE: {
      TButton* b = FindButton(false);
      if (!b) return false;
      b->Click();
      return true;
    }
    default:
      return false;
  }
}

bool TForm::DialogChar(wchar_t key) {
  // Depth first, in tab order for windows and then the windowless ones.
  std::function<bool(TWinControl*)> walk = [&](TWinControl* w) -> bool {
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      if (!c->Visible() || !c->IsEffectivelyEnabled()) continue;
      if (c->DialogChar(key)) return true;
      if (auto* cw = dynamic_cast<TWinControl*>(c); cw && walk(cw)) return true;
    }
    return false;
  };
  return walk(this);
}

// ---- messages ------------------------------------------------------------------------------
void TForm::WndProc(TMessage& m) {
  if (DispatchFormLifetime(m) || DispatchFormInput(m)) return;
  TCustomControl::WndProc(m);
}

// Closing, activation and the size limits of the window.
bool TForm::DispatchFormLifetime(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return true;
    case WM_ACTIVATE:
      WMActivate(m);
      return true;
    case WM_ACTIVATEAPP:
      if (Application) Application->AppActivated(m.WParam != 0);
      return false;
    case WM_GETMINMAXINFO:
      DefaultHandler(m);
      ApplyTrackLimits(*reinterpret_cast<MINMAXINFO*>(m.LParam));
      return true;
    default:
      return false;
  }
}

// Accelerator letters and the focus of the form itself.
bool TForm::DispatchFormInput(TMessage& m) {
  switch (m.Msg) {
    case WM_SYSCHAR:
      if (!DialogChar(static_cast<wchar_t>(m.WParam))) return false;
      m.Result = 0;
      return true;
    case WM_SETFOCUS:
      // The form itself took the focus (no control wants it): keep it there.
      DefaultHandler(m);
      return true;
    default:
      return false;
  }
}

namespace {
bool IsWindowOfThisProcess(HWND w) {
  DWORD pid = 0;
  return w && GetWindowThreadProcessId(w, &pid) && pid == GetCurrentProcessId();
}
}  // namespace

// The form's activation events follow activation between the program's own
// windows. A switch to another program and back is the application's
// activation (WM_ACTIVATEAPP): the form that held activation keeps it, and
// hears of the switch only if another of the program's windows takes over.
void TForm::WMActivate(TMessage& m) {
  const HWND other = reinterpret_cast<HWND>(m.LParam);
  if (LOWORD(m.WParam) == WA_INACTIVE) {
    // A window being hidden or destroyed gives activation up for good.
    if (IsWindowOfThisProcess(other) || !IsWindowVisible(HandleIfAllocated())) {
      if (Application && Application->ActivatedForm() == this) Application->SetActivatedForm(nullptr);
      Deactivate();
    }
    DefaultHandler(m);
    return;
  }
  DefaultHandler(m);
  if (IsIconic(HandleIfAllocated())) return;
  // Give the focus back to the control that had it.
  if (FActiveControl && ContainsControl(FActiveControl) && FActiveControl->CanFocus())
    ::SetFocus(FActiveControl->Handle());
  else
    SelectFirst();
  if (!Application) {
    Activate();
    return;
  }
  TForm* previous = Application->ActivatedForm();
  if (previous == this) return;  // back from another program: nothing changed inside
  Application->SetActivatedForm(this);
  // It held activation when the user left for another program, and another
  // window of the program is the one the user came back to.
  if (previous) previous->Deactivate();
  Activate();
}

void TForm::ApplyTrackLimits(MINMAXINFO& mm) {
  const TSizeConstraints& c = Constraints();
  if (c.MinWidth > 0) mm.ptMinTrackSize.x = c.MinWidth;
  if (c.MinHeight > 0) mm.ptMinTrackSize.y = c.MinHeight;
  if (c.MaxWidth > 0) mm.ptMaxTrackSize.x = c.MaxWidth;
  if (c.MaxHeight > 0) mm.ptMaxTrackSize.y = c.MaxHeight;
  // Without a frame the system's minimum would be the caption's size.
  if (c.MinWidth == 0) mm.ptMinTrackSize.x = 0;
  if (c.MinHeight == 0) mm.ptMinTrackSize.y = 0;
}

void SetWindowIcons(HWND window, const char* resource, int dpi) {
  static auto* icons = new std::map<std::pair<std::string, int>, HICON>;
  auto icon = [&](int size) {
    HICON& h = (*icons)[{resource, size}];
    if (!h) h = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_ICON, size, size, 0));
    return h;
  };
  if (HICON big = icon(ScaledSide(32, dpi)))
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (HICON small = icon(ScaledSide(16, dpi)))
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}
