// Helpers shared by the tests of the program's own controls: test forms that
// free themselves, a parent with a known picture, and off-screen rendering.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "testkit/TestKit.h"

namespace ctltest {

struct ComponentDeleter {
  void operator()(TComponent* c) const { TComponent::Free(c); }
};
template <class T>
using Owned = std::unique_ptr<T, ComponentDeleter>;

// The colour of the test gradient at a client point of its stage.
inline unsigned GradientAt(int x, int y) {
  unsigned r = static_cast<unsigned>(x * 3) & 0xFF, g = static_cast<unsigned>(y * 5) & 0xFF;
  unsigned b = static_cast<unsigned>(x + y) & 0xFF;
  return (r << 16) | (g << 8) | b;  // 0x00RRGGBB, as testkit::Image holds it
}

// One shown and active form for all control tests. Under Wine without a
// window manager, hiding or destroying an activated top-level window waits
// two seconds for a window manager that never answers; a host that lives for
// the whole run pays that once.
inline TForm* HostForm() {
  static TForm* host = [] {
    auto* f = new TForm(Application);
    f->AfterConstruction();
    f->SetBorderStyle(bsNone);
    f->SetBounds(0, 0, 720, 520);
    f->Show();
    testkit::PumpUntil([f] { return IsWindowVisible(f->Handle()) != FALSE; });
    return f;
  }();
  return host;
}

// A windowed surface on the host form on which a test places its controls:
// plain Color, or the test gradient when Gradient is set.
class TStage : public TCustomControl {
 public:
  explicit TStage(TComponent* owner) : TCustomControl(owner) {}
  bool Gradient = false;

 protected:
  void Paint() override {
    int w = ClientWidth(), h = ClientHeight();
    if (!Gradient) {
      Canvas()->Brush()->SetColor(Color());
      Canvas()->FillRect(ClientRect());
      return;
    }
    std::vector<unsigned> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = GradientAt(x, y);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    StretchDIBits(Canvas()->Handle(), 0, 0, w, h, 0, 0, w, h, px.data(), &bi, DIB_RGB_COLORS,
                  SRCCOPY);
  }
  // Paint covers everything.
  bool WMEraseBkgnd(HDC) override { return true; }
};

// Frees the stage and sends the host to the bottom of the z-order, so that
// the windows of other tests never lie below it. (Moving it away instead
// would cost Wine's two-second wait for a window manager.)
struct StageDeleter {
  void operator()(TStage* s) const {
    TComponent::Free(s);
    SetWindowPos(HostForm()->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
};
using StagePtr = std::unique_ptr<TStage, StageDeleter>;

// A stage on the host, which comes back on top and active.
inline StagePtr MakeStage(int w, int h, bool gradient = false) {
  TForm* host = HostForm();
  SetWindowPos(host->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(host->Handle());
  StagePtr s(new TStage(host));
  s->Gradient = gradient;
  s->SetColor(clWhite);
  s->SetBounds(0, 0, w, h);
  s->SetParent(host);
  s->HandleNeeded();
  return s;
}

// Lets every window on the host paint now.
inline void Settle() {
  RedrawWindow(HostForm()->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();
}

// Whether the change makes the control's parent window need painting: the
// parent is painted and validated first.
inline bool InvalidatesParent(TControl* c, const std::function<void()>& change) {
  HWND h = c->Parent()->Handle();
  Settle();
  ValidateRect(h, nullptr);
  change();
  RECT r{};
  return GetUpdateRect(h, &r, FALSE) != FALSE;
}

// Paints a windowed control through WM_PAINT with an off-screen DC, the way
// a see-through child makes it paint, and returns the picture.
inline testkit::Image PaintOffscreen(TWinControl* c) { return testkit::PaintOffscreen(c, true); }

using testkit::Rgb;

}  // namespace ctltest
