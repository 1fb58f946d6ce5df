#include "frame/FramePanel.h"

#include "framework/Forms.h"

TControl* TFramePanel::PieceAt(int x, int y) const {
  if (!BorderPiece || !HandleAllocated()) return nullptr;
  if (x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight()) return nullptr;
  return BorderPiece(x, y);
}

void TFramePanel::WndProc(TMessage& m) {
  const HWND h = HandleIfAllocated();
  switch (m.Msg) {
    case WM_NCHITTEST: {
      TPZBitmapPanel::WndProc(m);
      // The system takes the line for the panel's frame, where a press does
      // nothing; where a piece lies beside it, it is the client's.
      if (m.Result != HTBORDER) return;
      POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      ::ScreenToClient(h, &p);
      if (PieceAt(p.x, p.y)) m.Result = HTCLIENT;
      return;
    }
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == h && Screen) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(h, &p);
        if (TControl* piece = FPressed ? FPressed : PieceAt(p.x, p.y)) {
          ::SetCursor(Screen->Cursors(piece->Cursor()));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
      const bool down = m.Msg != WM_MOUSEMOVE && m.Msg != WM_LBUTTONUP && m.Msg != WM_RBUTTONUP &&
                        m.Msg != WM_MBUTTONUP;
      TControl* piece = FPressed;
      if (!piece && down && (piece = PieceAt(x, y))) {
        FPressed = piece;
        SetCapture(h);
      }
      if (!piece) break;
      const bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
      if (up && !(m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        // Released before the release is handled, as the framework does.
        FPressed = nullptr;
        if (GetCapture() == h) ReleaseCapture();
      }
      piece->DispatchMouse(m.Msg, m.WParam, x - piece->Left(), y - piece->Top());
      m.Result = 0;
      return;
    }
    case WM_CAPTURECHANGED:
      if (FPressed) {
        TControl* piece = FPressed;
        FPressed = nullptr;
        piece->LoseCapture();
      }
      break;
    default:
      break;
  }
  TPZBitmapPanel::WndProc(m);
}
