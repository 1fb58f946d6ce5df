#include "controls/TrsPanel.h"

#include "controls/ParentPaint.h"

namespace {

void DrawBevel(TCanvas* canvas, TRect& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  bool lowered = cut == bvLowered;
  Frame3D(canvas, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow,
          width);
}

UINT CaptionFormat(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify: return DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    case taRightJustify: return DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    default: return DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  }
}

}  // namespace

TTrsPanel::TTrsPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBounds(Left(), Top(), 185, 41);
}

void TTrsPanel::SetShowCaption(bool value) {
  FShowCaption = value;
  Invalidate();
}

void TTrsPanel::SetTransparent(bool value) {
  FTransparent = value;
  Invalidate();
}

bool TTrsPanel::WMEraseBkgnd(HDC) { return true; }

void TTrsPanel::BoundsChanged(bool sizeChanged) {
  TCustomPanel::BoundsChanged(sizeChanged);
  // What shows through depends on where the panel lies: a move must repaint
  // it all, not just shift the old pixels along.
  Invalidate();
}

void TTrsPanel::Paint() {
  TRect t = ClientRect();
  OffscreenBitmap buffer(t.Width(), t.Height());
  if (!buffer) return;  // out of GDI resources: the panel keeps its old picture
  TCanvas c;
  c.SetHandle(buffer.DC());

  if (FTransparent && Parent()) {
    PaintParentInto(this, buffer.DC());
  } else {
    c.Brush()->SetColor(Color());
    c.FillRect(t);
  }

  DrawBevel(&c, t, BevelOuter(), BevelWidth());
  DrawBevel(&c, t, BevelInner(), BevelWidth());

  c.Font()->Assign(*Font());
  c.Brush()->SetStyle(bsClear);
  if (FShowCaption && !Caption().empty()) {
    std::string text = Caption();
    UINT format = CaptionFormat(Alignment());
    if (Enabled()) {
      c.DrawText(text, t, format);
    } else {
      // Engraved: a light copy one pixel down and right, the shadow on top.
      TRect light(t.left + 1, t.top + 1, t.right + 1, t.bottom + 1);
      c.Font()->SetColor(clBtnHighlight);
      c.DrawText(text, light, format);
      c.Font()->SetColor(clBtnShadow);
      c.DrawText(text, t, format);
    }
  }
  c.SetHandle(nullptr);
  buffer.CopyTo(Canvas()->Handle(), 0, 0);
}
