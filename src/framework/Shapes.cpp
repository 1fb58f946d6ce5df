#include <algorithm>

#include "framework/ExtCtrls.h"

// ---- TShape -----------------------------------------------------------------------
TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 65);
  FPen.OnChange = [this](TObject*) { Invalidate(); };
  FBrush.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType v) {
  if (v == FShape) return;
  FShape = v;
  Invalidate();
}

void TShape::Paint() {
  // Nothing to draw: a clear pen and a clear brush leave the parent showing.
  if (FPen.Style() == psClear && FBrush.Style() == bsClear && !FBrush.Bitmap()) return;
  if (!Canvas()->HandleAllocated())
    throw Exception("A shape was asked to paint without a device context: " + Name());
  TCanvas* c = Canvas();
  c->Pen()->SetColor(FPen.Color());
  c->Pen()->SetWidth(FPen.Width());
  c->Pen()->SetStyle(FPen.Style());
  c->Brush()->SetBitmap(FBrush.Bitmap());
  c->Brush()->SetColor(FBrush.Color());
  c->Brush()->SetStyle(FBrush.Style());
  // The outline stays inside the bounds: GDI centres wide lines on the
  // outline, so it moves in by half the pen's width.
  const int pw = FPen.Width();
  int x = pw / 2, y = pw / 2;
  int w = Width() - pw + 1, h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: {
      int corner = std::min(w, h) / 4;
      c->RoundRect(x, y, x + w, y + h, corner, corner);
      break;
    }
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
  }
}

// ---- TBevel -----------------------------------------------------------------------
TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape v) {
  if (v == FShape) return;
  FShape = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  if (!c->HandleAllocated())
    throw Exception("A bevel was asked to paint without a device context: " + Name());
  const TColor shadow = clBtnShadow, light = clBtnHighlight;
  // Lowered: shadow on the top and left, highlight on the bottom and right.
  const TColor first = FStyle == bsLowered ? shadow : light;
  const TColor second = FStyle == bsLowered ? light : shadow;
  const int w = Width(), h = Height();
  auto line = [c](TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  switch (FShape) {
    case bsBox: {
      TRect r = ClientRect();
      Frame3D(c, r, first, second, 1);
      break;
    }
    case bsFrame: {
      // Two nested boxes of opposite colours give an etched or embossed line.
      TRect outer(0, 0, w - 1, h - 1);
      Frame3D(c, outer, first, first, 1);
      TRect inner(1, 1, w, h);
      Frame3D(c, inner, second, second, 1);
      break;
    }
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}
