// TWinControl and TCustomControl: painting, also into a DC that a child
// hands in to have its parent painted behind it.
#include <algorithm>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

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
  if (FDefWndProc != DefWindowProcW) return false;  // a system control erases itself
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
