#include "controls/ParentPaint.h"

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
