// See-through painting: a control lets its parent paint the part of the
// parent that lies behind it into the control's own device context, and an
// off-screen surface to assemble a picture before it reaches the screen.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Graphics.h"

class TControl;

// Sends the control's parent WM_ERASEBKGND and then WM_PAINT, synchronously,
// with dc as first parameter. The viewport origin is moved by the control's
// (-Left, -Top) so that the parent's coordinates land where the control lies,
// and drawing is clipped to the parent's client area. The DC's state is the
// same afterwards. Does nothing when the control has no parent window.
void PaintParentInto(TControl* control, HDC dc);

// A 32-bit DIB selected into a memory DC of its own. A DIB rather than a
// bitmap compatible with the target DC: the target may itself be a memory DC
// holding a monochrome or palette bitmap.
class OffscreenBitmap {
 public:
  OffscreenBitmap(int width, int height);
  OffscreenBitmap(const OffscreenBitmap&) = delete;
  OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

  // False when the system refused the DC or the bitmap.
  explicit operator bool() const { return FSelected != nullptr; }
  HDC DC() const { return FDC.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Copies the whole surface to (x, y) of another DC.
  void CopyTo(HDC target, int x, int y) const;

 private:
  int FWidth, FHeight;
  MemoryDC FDC;
  GdiBitmap FBitmap;
  // Declared last: deselected before the bitmap and the DC go.
  std::unique_ptr<SelectedObject> FSelected;
};
