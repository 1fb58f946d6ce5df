#include "drawing/PZLabel.h"

#include <array>
#include <climits>

#include "drawing/PZMarkupFit.h"
#include "framework/WideText.h"

namespace {

// Measures and draws runs on a device context. The label's font in each of
// its styles is made once per paint, not at every switch.
class DcMarkupPainter : public MarkupPainter {
 public:
  DcMarkupPainter(HDC dc, const TFont& font) : FDC(dc), FSaved(dc) {
    GetObjectA(font.Handle(), sizeof FLogFont, &FLogFont);
    SetBkMode(dc, TRANSPARENT);
    if (GetClipBox(dc, &FClip) == ERROR) FClip = RECT{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
  }

  // Runs are measured and drawn in their wide form (the system would draw
  // 8-bit text by the font's character set, not the process's code page).
  int TextWidth(std::string_view run, const MarkupFont& f) override {
    Select(f);
    SIZE s{0, 0};
    const std::wstring w = AnsiToWide(run);
    GetTextExtentPoint32W(FDC, w.data(), static_cast<int>(w.size()), &s);
    return s.cx;
  }
  int LineHeight(const MarkupFont& f) override {
    Select(f);
    SIZE s{0, 0};
    GetTextExtentPoint32A(FDC, "A", 1, &s);
    return s.cy;
  }
  void DrawRun(int x, int y, std::string_view run, const MarkupFont& f) override {
    Select(f);
    SetTextColor(FDC, ColorToRGB(f.Color));
    const std::wstring w = AnsiToWide(run);
    TextOutW(FDC, x, y, w.data(), static_cast<int>(w.size()));
  }
  bool LineVisible(int top, int height) override {
    return top < FClip.bottom && top + height > FClip.top;
  }

 private:
  void Select(const MarkupFont& f) {
    unsigned style = f.Style & 7;
    GdiFont& font = FFonts[style];
    if (!font) {
      LOGFONTA lf = FLogFont;
      lf.lfWeight = (style & kMarkupBold) ? FW_BOLD : FW_NORMAL;
      lf.lfItalic = (style & kMarkupItalic) ? 1 : 0;
      lf.lfUnderline = (style & kMarkupUnderline) ? 1 : 0;
      font.Reset(CreateFontIndirectA(&lf));
      // Without the font the text still shows, in the DC's current one.
      if (!font) return;
    }
    if (FSelected != style) {
      SelectObject(FDC, font.Get());
      FSelected = style;
    }
  }

  HDC FDC;
  LOGFONTA FLogFont{};
  RECT FClip{};
  std::array<GdiFont, 8> FFonts;
  unsigned FSelected = ~0u;
  // Declared after the fonts: the DC lets go of them before they are deleted.
  SavedDC FSaved;
};

MarkupFont BaseFont(const TFont& f) {
  return MarkupFont{static_cast<unsigned>(f.Style()) & 7, f.Color()};
}

}  // namespace

TPZLabel::TPZLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() & ~unsigned(csOpaque));
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TPZLabel::SetHorzAlignment(TPZHorzAlignment value) {
  if (value == FHorzAlignment) return;
  FHorzAlignment = value;
  Invalidate();
}

void TPZLabel::SetVertAlignment(TPZVertAlignment value) {
  if (value == FVertAlignment) return;
  FVertAlignment = value;
  Invalidate();
}

void TPZLabel::SetTransparent(bool value) {
  if (value == Transparent()) return;
  SetControlStyle(value ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
  Invalidate();
}

void TPZLabel::SetEndEllipsis(bool value) {
  if (value == FEndEllipsis) return;
  FEndEllipsis = value;
  Invalidate();
}

MarkupLayout TPZLabel::LayoutFor(int width, MarkupMeasure& measure) {
  const MarkupFont base = BaseFont(*Font());
  return FEndEllipsis ? LayoutOneLineWithEllipsis(Caption(), width, base, measure)
                      : LayoutText(Caption(), width, base, measure);
}

MarkupLayout TPZLabel::Layout() {
  WindowDC screen(nullptr);
  DcMarkupPainter painter(screen.Get(), *Font());
  return LayoutFor(ClientWidth(), painter);
}

void TPZLabel::Paint() {
  HDC dc = Canvas()->Handle();
  const TRect r = ClientRect();
  if (!Transparent()) {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(r);
  }
  if (Caption().empty()) return;
  // One layout serves both placing the block and drawing it, so the lines
  // are drawn exactly where they broke when the block was measured.
  DcMarkupPainter painter(dc, *Font());
  const MarkupFont base = BaseFont(*Font());
  MarkupLayout layout = LayoutFor(r.Width(), painter);
  MarkupRect block = PlaceMarkupBlock(layout, r.right, r.bottom, FHorzAlignment, FVertAlignment);
  DrawMarkupLayout(layout, block, FHorzAlignment, base, painter);
}
