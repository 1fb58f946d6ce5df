#include "controls/ParentPaint.h"

#include <algorithm>

#include "framework/Controls.h"

void PaintParentInto(TControl* control, HDC dc) {
  TWinControl* parent = control ? control->Parent() : nullptr;
  if (!parent || !dc) return;
  HWND pw = parent->HandleIfAllocated();
  if (!pw) return;
  SavedDC saved(dc);
  OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
  // Logical coordinates are the parent's now: its client area starts at 0, 0.
  IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
  SendMessageA(pw, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageA(pw, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

OffscreenBitmap::OffscreenBitmap(int width, int height)
    : FWidth(std::max(width, 1)), FHeight(std::max(height, 1)) {
  if (!FDC.Get()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = FWidth;
  bi.bmiHeader.biHeight = -FHeight;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap.Reset(CreateDIBSection(FDC.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FBitmap) return;  // no surface: the caller paints nothing this time
  FSelected = std::make_unique<SelectedObject>(FDC.Get(), FBitmap.Get());
}

void OffscreenBitmap::CopyTo(HDC target, int x, int y) const {
  if (!FSelected || !target) return;
  BitBlt(target, x, y, FWidth, FHeight, FDC.Get(), 0, 0, SRCCOPY);
}
