// TWinControl: the dispatch of window messages to typed handlers, and the
// mouse.
#include <algorithm>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

// ---- message dispatch --------------------------------------------------------------------
// Each kind of message has its dispatcher; what none of them finishes goes to
// the window's original procedure.
void TWinControl::WndProc(TMessage& m) {
  if (DispatchReflection(m) || DispatchInput(m) || DispatchWindowState(m)) return;
  DefaultHandler(m);
}

// Notifications the window receives on behalf of a child go to the child's
// object (as CN_*); the reflections this control receives go to its typed
// handlers.
bool TWinControl::DispatchReflection(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (!m.LParam) return false;  // a menu or an accelerator
      ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
      return true;
    case WM_NOTIFY:
      ReflectToChild(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
      return true;
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (d->CtlType == ODT_MENU) return false;
      ReflectToChild(m, d->hwndItem);
      return true;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mi->CtlType == ODT_MENU) return false;
      HWND child = GetDlgItem(FHandle, static_cast<int>(mi->CtlID));
      TWinControl* creating = CreatingControl();
      if (!child && creating && creating->FHandle)
        child = creating->FHandle;  // sent while the child is being made
      ReflectToChild(m, child);
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
      return true;
    default:
      break;
  }
  if (m.Msg < CN_BASE || m.Msg >= CN_BASE + 0x400) return false;
  if (WMCommandNotify(m)) return true;
  const bool colour = (m.Msg >= CN_CTLCOLOREDIT && m.Msg <= CN_CTLCOLORSTATIC) ||
                      m.Msg == CN_CTLCOLORBTN;
  return colour && WMCtlColor(m);
}

// Mouse, keys, focus, capture and the cursor.
bool TWinControl::DispatchInput(TMessage& m) {
  if ((m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) || m.Msg == WM_MOUSELEAVE)
    return WMMouse(m);
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return WMKey(m);
    case WM_SETCURSOR:
      return WMSetCursor(m);
    case WM_CONTEXTMENU:
      if (!WMContextMenu(static_cast<short>(LOWORD(m.LParam)),
                         static_cast<short>(HIWORD(m.LParam))))
        return false;
      m.Result = 0;
      return true;
    case WM_SETFOCUS:
      DefaultHandler(m);
      FocusReceived();
      return true;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      FocusLost();
      return true;
    case WM_GETDLGCODE:
      return WMGetDlgCode(m);
    case WM_CAPTURECHANGED:
      if (FCaptureControl) {
        TControl* c = FCaptureControl;
        FCaptureControl = nullptr;
        c->LoseCapture();
      }
      LoseCapture();
      return false;  // the system's handling follows
    default:
      return false;
  }
}

// Painting, size and position.
bool TWinControl::DispatchWindowState(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      return WMPaint(m);
    case WM_ERASEBKGND:
      if (!WMEraseBkgnd(reinterpret_cast<HDC>(m.WParam))) return false;
      m.Result = 1;
      return true;
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(m.WParam));
      return true;
    case WM_SIZE:
      DefaultHandler(m);
      WMSize(LOWORD(m.LParam), HIWORD(m.LParam));
      return true;
    case WM_MOVE:
      DefaultHandler(m);
      WMMove(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      return true;
    default:
      return false;
  }
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

  bool system = FDefWndProc != DefWindowProcW;
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
  TControl* c = this;
  if (sx == -1 && sy == -1) {
    // From the keyboard: the menu of the control that has the focus.
    const TPoint at = KeyboardMenuPoint();
    p = {at.x, at.y};
    ::ClientToScreen(FHandle, &p);
  } else {
    POINT cp = p;
    ::ScreenToClient(FHandle, &cp);
    if (TControl* hit = ControlAtPos(TPoint(cp.x, cp.y))) c = hit;
  }
  TPopupMenu* menu = c->PopupMenu();
  if (!menu) return false;
  menu->SetPopupComponent(c);
  menu->Popup(p.x, p.y);
  return true;
}

TPoint TWinControl::KeyboardMenuPoint() { return TPoint(ClientWidth() / 2, ClientHeight() / 2); }
