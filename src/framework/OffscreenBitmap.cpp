#include "framework/OffscreenBitmap.h"

#include <algorithm>

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
  FBitmap.Reset(CreateDIBSection(FDC.Get(), &bi, DIB_RGB_COLORS, &FBits, nullptr, 0));
  if (!FBitmap) return;  // no surface: the caller paints nothing this time
  FSelected = std::make_unique<SelectedObject>(FDC.Get(), FBitmap.Get());
}

void OffscreenBitmap::CopyTo(HDC target, int x, int y) const {
  if (!FSelected || !target) return;
  BitBlt(target, x, y, FWidth, FHeight, FDC.Get(), 0, 0, SRCCOPY);
}

unsigned* OffscreenBitmap::Pixels() const {
  if (!FSelected) return nullptr;
  GdiFlush();
  return static_cast<unsigned*>(FBits);
}
