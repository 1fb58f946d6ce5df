// Helpers shared by the tests of the program's own controls: test forms that
// free themselves, a parent with a known picture, and off-screen rendering.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Forms.h"
#include "testkit/TestKit.h"

namespace ctltest {

struct FormDeleter {
  void operator()(TForm* f) const { TComponent::Free(f); }
};
using FormPtr = std::unique_ptr<TForm, FormDeleter>;

// A plain form, built the way the program builds its forms, not yet shown.
inline FormPtr MakeForm(int clientW, int clientH, int left = 40, int top = 40) {
  FormPtr f(new TForm(Application));
  f->AfterConstruction();
  f->SetBorderStyle(bsSingle);
  f->SetBounds(left, top, clientW + 40, clientH + 40);
  f->SetClientSize(clientW, clientH);
  return f;
}

// The colour of the test gradient at a client point of its form.
inline unsigned GradientAt(int x, int y) {
  unsigned r = static_cast<unsigned>(x * 3) & 0xFF, g = static_cast<unsigned>(y * 5) & 0xFF;
  unsigned b = static_cast<unsigned>(x + y) & 0xFF;
  return (r << 16) | (g << 8) | b;  // 0x00RRGGBB, as testkit::Image holds it
}

// Makes the form paint a two-dimensional gradient over its whole client area.
inline void PaintGradient(TForm* f) {
  f->OnPaint = [f](TObject*) {
    int w = f->ClientWidth(), h = f->ClientHeight();
    std::vector<unsigned> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = GradientAt(x, y);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    StretchDIBits(f->Canvas()->Handle(), 0, 0, w, h, 0, 0, w, h, px.data(), &bi, DIB_RGB_COLORS,
                  SRCCOPY);
  };
}

// Paints a windowed control through WM_PAINT with an off-screen DC, the way
// a see-through child makes it paint, and returns the picture.
inline testkit::Image PaintOffscreen(TWinControl* c) {
  testkit::Image img;
  img.Width = c->ClientWidth();
  img.Height = c->ClientHeight();
  HDC mem = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = img.Width;
  bi.bmiHeader.biHeight = -img.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  SendMessageA(c->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
  SendMessageA(c->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
  GdiFlush();
  img.Pixels.assign(static_cast<unsigned*>(bits),
                    static_cast<unsigned*>(bits) + static_cast<size_t>(img.Width) * img.Height);
  for (unsigned& p : img.Pixels) p &= 0xFFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return img;
}

// The RGB of a framework colour as testkit::Image holds it (0x00RRGGBB).
inline unsigned Rgb(TColor c) {
  COLORREF v = ColorToRGB(c);
  return (GetRValue(v) << 16) | (GetGValue(v) << 8) | GetBValue(v);
}

// Shows the form and lets every window of it paint.
inline void ShowAndSettle(TForm* f) {
  f->Show();
  testkit::PumpUntil([f] { return IsWindowVisible(f->Handle()) != FALSE; });
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();
}

inline void Settle(TForm* f) {
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();
}

// The part of an image that a child window covers, given the child's offset.
inline testkit::Image Crop(const testkit::Image& src, int x0, int y0, int w, int h) {
  testkit::Image out;
  out.Width = w;
  out.Height = h;
  out.Pixels.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.Pixels[static_cast<size_t>(y) * w + x] = src.At(x0 + x, y0 + y);
  return out;
}

}  // namespace ctltest
