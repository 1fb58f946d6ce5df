#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Seams.h"
#include "framework/StdCtrls.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

void InitFramework() {
  if (!Screen) Screen = new TScreen;
  if (!Application) Application = new TApplication;
}

void QueueDeferred(std::function<void()> fn) {
  if (Application) Application->QueueCall(std::move(fn));
}

// ---- small helpers of Types.h ---------------------------------------------------------
TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

std::string SysErrorMessage(DWORD code) {
  char* buf = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
  std::string s = n && buf ? std::string(buf, n) : "System error " + std::to_string(code);
  if (buf) LocalFree(buf);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.'))
    s.pop_back();
  return s;
}

void RaiseInOutError(DWORD code) { throw EInOutError(SysErrorMessage(code), code); }

// ---- TScreen -------------------------------------------------------------------------------
TScreen::TScreen() = default;

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const {
  RECT r;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) r = {0, 0, Width(), Height()};
  return r;
}

void TScreen::SetCursor(TCursor value) {
  if (value == FCursor) return;
  FCursor = value;
  POINT p;
  GetCursorPos(&p);
  if (value != crDefault) {
    ::SetCursor(Cursors(value));
  } else {
    // Let the window below choose again.
    SetCursorPos(p.x, p.y);
  }
}

HCURSOR TScreen::Cursors(TCursor index) const {
  auto it = FCursors.find(index);
  if (it != FCursors.end()) return it->second;
  LPCSTR id = IDC_ARROW;
  switch (index) {
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crNoDrop: id = IDC_NO; break;
    case crHandPoint: id = IDC_HAND; break;
    case crNone: return nullptr;
    default: break;
  }
  return LoadCursorA(nullptr, id);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor) { FCursors[index] = cursor; }

TForm* TScreen::ActiveForm() const {
  return dynamic_cast<TForm*>(TWinControl::FromHandle(GetActiveWindow()));
}

// ---- TApplication ---------------------------------------------------------------------------
TApplication::TApplication() : TComponent(nullptr) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
}

TApplication::~TApplication() {
  // Forms first (owned components), while the utility window still exists.
  while (ComponentCount() > 0) TComponent::Free(Components(ComponentCount() - 1));
  if (FTooltip) DestroyWindow(FTooltip);
  if (FUtility) DestroyWindow(FUtility);
}

void TApplication::Initialize() {}

void TApplication::SetTitle(const std::string& value) { FTitle = value; }

HWND TApplication::UtilityWindow() {
  if (!FUtility) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = UtilityProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OQ.Utility";
    RegisterClassW(&wc);
    FUtility = CreateWindowExW(0, L"OQ.Utility", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
  }
  return FUtility;
}

LRESULT CALLBACK TApplication::UtilityProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == CM_DEFERRED_CALL && Application) {
    Application->FCallPosted = false;
    Application->RunQueuedCalls();
    return 0;
  }
  if (msg == WM_TIMER && w == 1 && Application) {
    KillTimer(wnd, 1);
    Application->ShowHintNow();
    return 0;
  }
  if (msg == WM_TIMER && w == 2 && Application) {
    KillTimer(wnd, 2);
    Application->CancelHint();
    return 0;
  }
  return DefWindowProcW(wnd, msg, w, l);
}

void TApplication::QueueCall(std::function<void()> fn) {
  FCalls.push_back(std::move(fn));
  if (!FCallPosted && PostMessageA(UtilityWindow(), CM_DEFERRED_CALL, 0, 0)) FCallPosted = true;
}

void TApplication::RunQueuedCalls() {
  while (!FCalls.empty()) {
    auto fn = std::move(FCalls.front());
    FCalls.pop_front();
    try {
      fn();
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
}

void TApplication::Run() {
  if (FMainForm && !FTerminated) FMainForm->Show();
  while (!FTerminated) {
    if (!HandleMessage()) break;
  }
}

bool TApplication::HandleMessage() {
  MSG msg;
  // The wide forms: an 8-bit loop would turn typed characters into the
  // input code page's bytes before any window saw them.
  BOOL r = GetMessageW(&msg, nullptr, 0, 0);
  if (r == 0) {
    FTerminated = true;
    PostQuitMessage(static_cast<int>(msg.wParam));  // for an outer loop
    return false;
  }
  if (r == -1) return false;
  ProcessMessage(msg);
  return !FTerminated;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      FTerminated = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ProcessMessage(msg);
  }
}

void TApplication::ProcessMessage(MSG& msg) {
  if (IsKeyMsg(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    CancelHint();
    if (TWinControl::FindControl(msg.hwnd)) OnKeyPressed.Notify(this);
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR) return false;
  TWinControl* c = TWinControl::FindControl(msg.hwnd);
  if (!c || !c->IsEffectivelyEnabled()) return false;
  TForm* f = c->ParentForm();
  if (!f) return false;
  if (msg.message == WM_SYSCHAR) {
    // Alt + letter: the form's accelerators, before the system menu beeps.
    return f->DialogChar(static_cast<wchar_t>(msg.wParam));
  }
  WORD key = static_cast<WORD>(msg.wParam);
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
  if (c->WantsKey(key)) return false;
  return f->DialogKey(key, KeyboardStateToShiftState());
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* f = dynamic_cast<TForm*>(Components(i));
    if (f && f->HandleAllocated() && IsWindowVisible(f->HandleIfAllocated()) &&
        f == FMainForm)
      ShowWindow(f->HandleIfAllocated(), SW_MINIMIZE);
  }
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->HandleIfAllocated()))
    ShowWindow(FMainForm->HandleIfAllocated(), SW_RESTORE);
}

void TApplication::BringToFront() {
  TForm* f = Screen ? Screen->ActiveForm() : nullptr;
  if (!f) f = FMainForm;
  if (!f || !f->HandleAllocated()) return;
  HWND h = f->HandleIfAllocated();
  if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
  SetForegroundWindow(h);
}

void TApplication::HandleException(const std::exception& e) {
  std::string text = e.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONERROR);
}

void TApplication::ModalStarted() { OnModalBegin.Notify(this); }

// ---- notification lists ------------------------------------------------------------------
int TNotifyList::Add(TNotifyEvent handler) {
  const int key = FNextKey++;
  FHandlers.emplace_back(key, std::move(handler));
  return key;
}

void TNotifyList::Remove(int key) {
  std::erase_if(FHandlers, [key](const auto& h) { return h.first == key; });
}

void TNotifyList::Notify(TObject* sender) {
  // By the keys there now: a handler may change the list under the walk.
  std::vector<int> keys;
  for (const auto& h : FHandlers) keys.push_back(h.first);
  for (int key : keys) {
    auto it = std::find_if(FHandlers.begin(), FHandlers.end(),
                           [key](const auto& h) { return h.first == key; });
    if (it == FHandlers.end()) continue;
    // A copy: the handler may remove itself while it runs.
    TNotifyEvent handler = it->second;
    if (handler) handler(sender);
  }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  ModalStarted();
  HWND owner = GetActiveWindow();
  if (!owner && FMainForm) owner = FMainForm->HandleIfAllocated();
  return ShowMessageBox(owner, text, caption, flags);
}

std::vector<HWND> TApplication::DisableTaskWindows(HWND except) {
  struct Ctx {
    HWND except;
    std::vector<HWND> list;
  } ctx{except, {}};
  struct Enum {
    static BOOL CALLBACK Proc(HWND w, LPARAM p) {
      auto* c = reinterpret_cast<Ctx*>(p);
      if (w != c->except && IsWindowVisible(w) && IsWindowEnabled(w)) c->list.push_back(w);
      return TRUE;
    }
  };
  EnumThreadWindows(GetCurrentThreadId(), Enum::Proc, reinterpret_cast<LPARAM>(&ctx));
  for (HWND w : ctx.list) EnableWindow(w, FALSE);
  return ctx.list;
}

void TApplication::EnableTaskWindows(const std::vector<HWND>& windows) {
  for (HWND w : windows)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

void TApplication::AppActivated(bool active) {
  if (active == FActive) return;
  FActive = active;
  if (!active) CancelHint();
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeactivate) OnDeactivate(this);
}

void TApplication::FormDestroyed(TForm* form) {
  if (form == FMainForm) FMainForm = nullptr;
  if (form == FActivatedForm) FActivatedForm = nullptr;
}

// ---- the control under the mouse -------------------------------------------------------------
void TApplication::SetMouseControl(TControl* c) {
  if (c == FMouseControl) return;
  TControl* old = FMouseControl;
  FMouseControl = c;
  if (old) {
    old->FMouseInControl = false;
    old->MouseLeave();
  }
  if (c && FMouseControl == c) {
    c->FMouseInControl = true;
    c->MouseEnter();
  }
  UpdateHint();
}

void TApplication::MouseMovedIn(TWinControl* window, int x, int y) {
  HWND h = window->HandleIfAllocated();
  if (h && FTrackedWindow != h) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, h, 0};
    if (TrackMouseEvent(&t)) FTrackedWindow = h;
  }
  TControl* target = nullptr;
  if (x >= 0 && y >= 0 && x < window->ClientWidth() && y < window->ClientHeight()) {
    target = window->ControlAtPos(TPoint(x, y), true);
    if (!target) target = window;
  } else {
    // Under capture the pointer may be over another window.
    POINT p{x, y};
    ClientToScreen(h, &p);
    TWinControl* other = TWinControl::FromHandle(WindowFromPoint(p));
    if (other) {
      ScreenToClient(other->HandleIfAllocated(), &p);
      target = other->ControlAtPos(TPoint(p.x, p.y), true);
      if (!target) target = other;
    }
  }
  SetMouseControl(target);
}

void TApplication::MouseLeftWindow(TWinControl* window) {
  if (FTrackedWindow == window->HandleIfAllocated()) FTrackedWindow = nullptr;
  if (!FMouseControl) return;
  TControl* c = FMouseControl;
  bool belongs = c == window || c->Parent() == window;
  if (!belongs) return;
  POINT p;
  GetCursorPos(&p);
  TWinControl* other = TWinControl::FromHandle(WindowFromPoint(p));
  TControl* target = nullptr;
  if (other && other != window) {
    ScreenToClient(other->HandleIfAllocated(), &p);
    target = other->ControlAtPos(TPoint(p.x, p.y), true);
    if (!target) target = other;
  }
  SetMouseControl(target);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (FMouseControl == control) FMouseControl = nullptr;
  if (FHintControl == control) {
    FHintControl = nullptr;
    CancelHint();
  }
}

void TApplication::HandleDestroying(TWinControl* control) {
  if (FTrackedWindow == control->HandleIfAllocated()) FTrackedWindow = nullptr;
  if (FMouseControl && (FMouseControl == control || control->ContainsControl(FMouseControl)))
    FMouseControl = nullptr;
  if (FHintControl && (FHintControl == control || control->ContainsControl(FHintControl))) {
    FHintControl = nullptr;
    CancelHint();
  }
}

// ---- hints as tooltips -------------------------------------------------------------------------
void TApplication::SetShowHint(bool value) {
  FShowHint = value;
  if (!value) CancelHint();
}

void TApplication::UpdateHint() {
  TControl* c = FMouseControl;
  // The hint of a control without one of its own comes from its parent.
  while (c && c->Hint().empty() && c->Parent()) c = c->Parent();
  bool want = FShowHint && c && !c->Hint().empty() && c->ShowHint();
  if (c == FHintControl && want) return;
  CancelHint();
  if (!want) return;
  FHintControl = c;
  SetTimer(UtilityWindow(), 1, static_cast<UINT>(FHintPause), nullptr);
}

void TApplication::ShowHintNow() {
  TControl* c = FHintControl;
  if (!c || !FActive) return;
  if (!FTooltip) {
    FTooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX,
                               0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!FTooltip) return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = UtilityWindow();
    ti.uId = 1;
    ti.lpszText = const_cast<char*>("");
    SendMessageA(FTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(FTooltip, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = UtilityWindow();
  ti.uId = 1;
  std::string text = c->Hint();
  ti.lpszText = text.data();
  SendMessageA(FTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  POINT p;
  GetCursorPos(&p);
  SendMessageA(FTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x + 2, p.y + 20));
  SendMessageA(FTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  FHintShown = true;
  SetTimer(UtilityWindow(), 2, static_cast<UINT>(FHintHidePause), nullptr);
}

void TApplication::CancelHint() {
  if (FUtility) {
    KillTimer(FUtility, 1);
    KillTimer(FUtility, 2);
  }
  if (FHintShown && FTooltip) {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = UtilityWindow();
    ti.uId = 1;
    SendMessageA(FTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  }
  FHintShown = false;
  FHintControl = nullptr;
}
