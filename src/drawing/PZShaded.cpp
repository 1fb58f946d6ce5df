#include "drawing/PZShaded.h"

#include <algorithm>

namespace {

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

void TPZShaded::Paint() {
  HDC dc = Canvas()->Handle();
  RECT clip;
  ShadeClip c{0, 0, Width(), Height()};
  if (GetClipBox(dc, &clip) != ERROR) c = ShadeClip{clip.left, clip.top, clip.right, clip.bottom};
  {
    DcBandSink sink(dc);
    ShadeBands(FDirection, Width(), Height(), FGraduation, ColorToRGB(FStartColor),
               ColorToRGB(FEndColor), c, sink);
  }
  if (Caption().empty()) return;
  Canvas()->Font()->Assign(*Font());
  Canvas()->Brush()->SetStyle(bsClear);
  TRect r = ClientRect();
  Canvas()->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
