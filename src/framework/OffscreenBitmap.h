// An off-screen surface on which a picture is assembled before it reaches
// the screen, and on which tests and benchmarks read back what was drawn.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Graphics.h"

// A 32-bit top-down DIB selected into a memory DC of its own. A DIB rather
// than a bitmap compatible with the target DC: the target may itself be a
// memory DC holding a monochrome or palette bitmap.
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
  // The pixels, row by row from the top, as 0xAARRGGBB; drawing still
  // queued in the system is finished first. nullptr without a surface.
  unsigned* Pixels() const;

 private:
  int FWidth, FHeight;
  MemoryDC FDC;
  GdiBitmap FBitmap;
  void* FBits = nullptr;
  // Declared last: deselected before the bitmap and the DC go.
  std::unique_ptr<SelectedObject> FSelected;
};
