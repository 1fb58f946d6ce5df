#include "drawing/PZShaded.h"

#include <algorithm>
#include <vector>

namespace {

// Writes the bands into 32-bit pixels (0x00RRGGBB), cut to the picture.
class PixelSink : public ShadeSink {
 public:
  PixelSink(std::uint32_t* px, int w, int h) : FPx(px), FW(w), FH(h) {}
  void Fill(const ShadeBand& b) override {
    const std::uint32_t c = ((b.Rgb & 0xFF) << 16) | (b.Rgb & 0xFF00) | ((b.Rgb >> 16) & 0xFF);
    for (int y = std::max(0, b.Top); y < std::min(FH, b.Bottom); ++y)
      std::fill(FPx + std::size_t(y) * FW + std::max(0, b.Left), FPx + std::size_t(y) * FW + std::min(FW, b.Right), c);
  }

 private:
  std::uint32_t* FPx;
  int FW, FH;
};

// Patterns above this many pixels are not made; the bands are filled.
constexpr long long kMaxPatternPixels = 1 << 22;

// Fills each band on the device context with the DC brush: no brush is made
// and deleted per band.
class DcBandSink : public ShadeSink {
 public:
  explicit DcBandSink(HDC dc) : FDC(dc), FBrush(dc, GetStockObject(DC_BRUSH)) {}
  void Fill(const ShadeBand& b) override {
    SetDCBrushColor(FDC, b.Rgb);
    RECT r{b.Left, b.Top, b.Right, b.Bottom};
    FillRect(FDC, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }

 private:
  HDC FDC;
  SelectedObject FBrush;
};

}  // namespace

TPZShaded::TPZShaded(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Opaque: the bands cover every pixel, so the parent need not erase below.
  SetControlStyle((ControlStyle() | csOpaque) & ~unsigned(csSetCaption));
  SetBounds(0, 0, 50, 50);
}

void TPZShaded::SetStartColor(TColor value) {
  if (value == FStartColor) return;
  FStartColor = value;
  Invalidate();
}

void TPZShaded::SetEndColor(TColor value) {
  if (value == FEndColor) return;
  FEndColor = value;
  Invalidate();
}

void TPZShaded::SetGraduation(int value) {
  const auto g = static_cast<TPZGraduation>(std::clamp(value, 0, 100));
  if (g == FGraduation) return;
  FGraduation = g;
  Invalidate();
}

void TPZShaded::SetDirection(TPZDirection value) {
  if (value == FDirection) return;
  FDirection = value;
  Invalidate();
}

HBRUSH TPZShaded::PatternBrush(std::uint32_t start, std::uint32_t end) {
  const int w = Width(), h = Height();
  Pattern& p = FPattern;
  if (p.Direction == FDirection && p.Width == w && p.Height == h && p.Graduation == FGraduation &&
      p.Start == start && p.End == end)
    return p.Brush.Get();
  p.Direction = FDirection, p.Width = w, p.Height = h, p.Graduation = FGraduation;
  p.Start = start, p.End = end;
  p.Brush.Reset();
  // Horizontal bands change along x only, vertical ones along y only: a row,
  // or a strip of a few columns, repeats into the whole area.
  const bool alongX = FDirection == drHorizontal || FDirection == drHorizontalInOut;
  const bool alongY = FDirection == drVertical || FDirection == drVerticalInOut;
  p.PatternWidth = alongY ? 32 : w;
  p.PatternHeight = alongX ? 1 : h;
  if (w <= 0 || h <= 0 || (long long)p.PatternWidth * p.PatternHeight > kMaxPatternPixels) return nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.PatternWidth;
  bi.bmiHeader.biHeight = -p.PatternHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  GdiBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return nullptr;  // the bands are filled one by one instead
  PixelSink sink(static_cast<std::uint32_t*>(bits), p.PatternWidth, p.PatternHeight);
  ShadeBands(FDirection, w, h, FGraduation, start, end,
             ShadeClip{0, 0, std::min(w, p.PatternWidth), std::min(h, p.PatternHeight)}, sink);
  if (alongY && w < p.PatternWidth) {
    // Columns past the control's width: copies of its first column.
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < p.PatternHeight; ++y)
      std::fill(px + std::size_t(y) * p.PatternWidth + w, px + std::size_t(y + 1) * p.PatternWidth,
                px[std::size_t(y) * p.PatternWidth]);
  }
  p.Brush.Reset(CreatePatternBrush(dib.Get()));
  return p.Brush.Get();
}

void TPZShaded::Paint() {
  HDC dc = Canvas()->Handle();
  const std::uint32_t start = ColorToRGB(FStartColor), end = ColorToRGB(FEndColor);
  const TRect r = ClientRect();
  if (HBRUSH brush = PatternBrush(start, end)) {
    // The pattern starts at the control's corner, in device pixels.
    POINT corner{0, 0};
    LPtoDP(dc, &corner, 1);
    const int pw = FPattern.PatternWidth, ph = FPattern.PatternHeight;
    POINT old{};
    SetBrushOrgEx(dc, ((corner.x % pw) + pw) % pw, ((corner.y % ph) + ph) % ph, &old);
    FillRect(dc, &r, brush);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
  } else {
    RECT clip;
    ShadeClip c{0, 0, Width(), Height()};
    if (GetClipBox(dc, &clip) != ERROR) c = ShadeClip{clip.left, clip.top, clip.right, clip.bottom};
    DcBandSink sink(dc);
    ShadeBands(FDirection, Width(), Height(), FGraduation, start, end, c, sink);
  }
  if (Caption().empty()) return;
  Canvas()->Font()->Assign(*Font());
  Canvas()->Brush()->SetStyle(bsClear);
  TRect t = r;
  Canvas()->DrawText(Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
