// Prints how long the textured background and the gradient take to paint a
// window's client area, next to a plain FillRect of the same area in the
// same run: off screen at 580 x 460 and 1600 x 1200, and on the screen at
// 580 x 460 (there against a window that paints a plain fill). Also how
// long the caption markup takes for huge captions.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "drawing/PZBPanel.h"
#include "drawing/PZMarkup.h"
#include "drawing/PZShaded.h"
#include "frame/CaptionMarkup.h"
#include "framework/Forms.h"
#include "framework/OffscreenBitmap.h"

namespace {

double Now() {
  LARGE_INTEGER c, f;
  QueryPerformanceCounter(&c);
  QueryPerformanceFrequency(&f);
  return double(c.QuadPart) / double(f.QuadPart);
}

// Milliseconds per call: the best of ten rounds of about 0.1 s each, so
// that other work on the machine counts as little as it can.
double PerCall(const std::function<void()>& f) {
  f();  // warm: device bitmaps and brushes are made once
  GdiFlush();
  double best = 1e9;
  for (int round = 0; round < 10; ++round) {
    int n = 0;
    const double start = Now();
    double elapsed = 0;
    do {
      f();
      GdiFlush();
      ++n;
      elapsed = Now() - start;
    } while (elapsed < 0.1 && n < 100000);
    best = std::min(best, elapsed * 1000.0 / n);
  }
  return best;
}

// A windowed host whose own painting is nothing: what a paint of it costs
// is what its windowless children cost.
class THost : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  bool WMEraseBkgnd(HDC) override { return true; }
};

// The plain fill the others are measured against, as a window paints it.
class TPlain : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  bool WMEraseBkgnd(HDC) override { return true; }
  void Paint() override {
    Canvas()->Brush()->SetColor(clSilver);
    Canvas()->FillRect(ClientRect());
  }
};

class TBenchForm : public TForm {
 public:
  explicit TBenchForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(0, 0, 580, 460);
    Texture = new TPZBitmapPanel(this);
    Texture->SetParent(this);
    Texture->SetAlign(alClient);
    Texture->SetBevelWidth(2);
    Texture->SetColor(clSilver);
    Plain = new TPlain(this);
    Plain->SetParent(this);
    Plain->SetBounds(0, 0, 580, 460);
    Plain->SetVisible(false);
    Host = new THost(this);
    Host->SetParent(this);
    Host->SetBounds(0, 0, 580, 460);
    Host->SetVisible(false);
    Shade = new TPZShaded(Host);
    Shade->SetParent(Host);
    Shade->SetStartColor(clBlue);
    Shade->SetEndColor(clSilver);
    Shade->SetDirection(drHorizontal);
  }
  TPZBitmapPanel* Texture;
  TPlain* Plain;
  THost* Host;
  TPZShaded* Shade;
};

void LoadTexture(TBitmap& b) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string dir = exe;
  dir = dir.substr(0, dir.find_last_of('\\') + 1);
  for (const char* place : {"art\\Skins\\Metal\\", "Skins\\Metal\\"}) {
    try {
      b.LoadFromFile(dir + place + "brushedmetal.bmp");
      std::printf("texture: %sbrushedmetal.bmp, %d x %d, 8 bits\n", place, b.Width(), b.Height());
      return;
    } catch (const std::exception&) {
    }
  }
  // Without the skin: a 128 x 128 picture of 24 bits.
  b.SetPixelFormat(pf24bit);
  b.SetSize(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) b.Canvas()->SetPixel(x, y, TColor(0x808080 + ((x * 7 + y * 13) % 40)));
  std::printf("texture: generated, 128 x 128, 24 bits\n");
}

void Line(const char* what, int w, int h, double ms, double plain) {
  std::printf("%-34s %4d x %-4d %8.3f ms per paint   plain %7.3f ms   ratio %5.2f\n", what, w, h, ms,
              plain, ms / plain);
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  InitFramework();
  auto* form = Application->CreateForm<TBenchForm>();
  TBitmap texture;
  LoadTexture(texture);
  form->Texture->Background()->SetBitmap(&texture);
  form->Show();
  Application->ProcessMessages();

  const int sizes[][2] = {{580, 460}, {1600, 1200}};
  for (auto [w, h] : sizes) {
    OffscreenBitmap surface(w, h);
    HDC dc = surface.DC();
    const RECT all{0, 0, w, h};
    GdiBrush brush(CreateSolidBrush(RGB(192, 192, 192)));
    const double plain = PerCall([&] { FillRect(dc, &all, brush.Get()); });

    // The same fill as a window's paint: through WM_PAINT and the framework.
    form->Plain->SetBounds(0, 0, w, h);
    HWND pw = form->Plain->Handle();
    const double painted = PerCall([&] { SendMessageA(pw, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
    std::printf("plain FillRect %4d x %-4d %8.3f ms; the same through a window's WM_PAINT %7.3f ms\n", w, h,
                plain, painted);

    form->Texture->SetAlign(alNone);
    form->Texture->SetBounds(0, 0, w, h);
    HWND tw = form->Texture->Handle();
    auto paintTexture = [&] { SendMessageA(tw, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); };
    form->Texture->SetBevelOuter(bvNone);
    const double flat = PerCall(paintTexture);
    Line("tiled texture, off screen", w, h, flat, plain);
    Line("  against the painted plain fill", w, h, flat, painted);
    form->Texture->SetBevelOuter(bvRaised);
    const double tiled = PerCall(paintTexture);
    Line("tiled texture and bevels of 2", w, h, tiled, plain);
    Line("  against the painted plain fill", w, h, tiled, painted);

    form->Host->SetBounds(0, 0, w, h);
    form->Shade->SetBounds(0, 0, w, h);
    HWND hw = form->Host->Handle();
    const double shaded = PerCall([&] { SendMessageA(hw, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
    Line("gradient title, off screen", w, h, shaded, plain);
    Line("  against the painted plain fill", w, h, shaded, painted);
  }

  // On the screen: the visible window's client area, painted by the window
  // system's own round, against a window that paints a plain fill.
  form->Texture->SetBounds(0, 0, 580, 460);
  form->Texture->SetAlign(alClient);
  Application->ProcessMessages();
  auto redraw = [](TWinControl* c) {
    HWND h = c->Handle();
    return PerCall([h] { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
  };
  const double screen = redraw(form->Texture);
  form->Texture->SetVisible(false);
  form->Plain->SetVisible(true);
  Application->ProcessMessages();
  const double plainScreen = redraw(form->Plain);
  Line("tiled texture, on screen", 580, 460, screen, plainScreen);
  form->Plain->SetVisible(false);
  form->Host->SetVisible(true);
  form->Host->SetBounds(0, 0, 580, 460);
  form->Shade->SetBounds(0, 0, 580, 460);
  Application->ProcessMessages();
  Line("gradient title, on screen", 580, 460, redraw(form->Host), plainScreen);

  // Caption markup of huge captions: one pass, so linear in the length.
  for (std::size_t size : {std::size_t(32) << 10, std::size_t(1) << 20}) {
    std::string codes;
    while (codes.size() < size) codes += "\\B\\b\\i\\LB";
    std::string words;
    while (words.size() < size) words += "\\Bword\\b \\cRedx\\cN ";
    std::printf("StripCaptionMarkup, %7zu bytes of codes: %8.3f ms\n", size,
                PerCall([&] { StripCaptionMarkup(codes); }));
    std::printf("ConvertMarkup, %7zu bytes of words:      %8.3f ms\n", size,
                PerCall([&] { ConvertMarkup(words); }));
  }
  TComponent::Free(form);
  return 0;
}
