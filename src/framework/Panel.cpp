#include "framework/ExtCtrls.h"

void Frame3D(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
  canvas->Pen()->SetWidth(1);
  --r.right;
  --r.bottom;
  for (int i = 0; i < width; ++i) {
    canvas->Pen()->SetColor(topLeft);
    canvas->Polyline({TPoint(r.left, r.bottom), TPoint(r.left, r.top), TPoint(r.right, r.top)});
    canvas->Pen()->SetColor(bottomRight);
    canvas->Polyline({TPoint(r.right, r.top), TPoint(r.right, r.bottom),
                      TPoint(r.left - 1, r.bottom)});
    ++r.left;
    ++r.top;
    --r.right;
    --r.bottom;
  }
  ++r.right;
  ++r.bottom;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks |
                  csOpaque | csSetCaption | csReplicatable);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (FBorderStyle == bsSingle) {
    if (FCtl3D) p.ExStyle |= WS_EX_CLIENTEDGE;
    else p.Style |= WS_BORDER;
  }
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (v == FBevelOuter) return;
  FBevelOuter = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (v == FBevelInner) return;
  FBevelInner = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
  if (v == FBevelWidth) return;
  FBevelWidth = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
  if (v == FBorderWidth) return;
  FBorderWidth = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
  Realign();
}

void TCustomPanel::SetCtl3D(bool v) {
  if (v == FCtl3D) return;
  FCtl3D = v;
  if (FBorderStyle == bsSingle) RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& r) {
  int b = FBorderWidth;
  if (FBevelOuter != bvNone) b += FBevelWidth;
  if (FBevelInner != bvNone) b += FBevelWidth;
  r.left += b;
  r.top += b;
  r.right -= b;
  r.bottom -= b;
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (FBevelOuter != bvNone) {
    TColor tl = FBevelOuter == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor br = FBevelOuter == bvLowered ? clBtnHighlight : clBtnShadow;
    Frame3D(c, r, tl, br, FBevelWidth);
  }
  // The border between the bevels is the panel's own colour.
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  for (int i = 0; i < FBorderWidth; ++i) {
    c->FrameRect(r);
    r.left++;
    r.top++;
    r.right--;
    r.bottom--;
  }
  if (FBevelInner != bvNone) {
    TColor tl = FBevelInner == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor br = FBevelInner == bvLowered ? clBtnHighlight : clBtnShadow;
    Frame3D(c, r, tl, br, FBevelWidth);
  }
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  if (!Caption().empty()) {
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    fmt |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT
                                                                                 : DT_CENTER;
    std::string text = Caption();
    c->DrawText(text, r, fmt);
  }
}
