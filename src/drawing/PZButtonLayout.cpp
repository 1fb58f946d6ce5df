#include "drawing/PZButtonLayout.h"

TPZLayout CalcButtonLayout(const TPZLayoutInput& in) {
  const int W = in.ClientWidth, H = in.ClientHeight;
  const int w = in.ImageWidth, h = in.ImageHeight;
  const int tw = in.CaptionWidth, th = in.CaptionHeight;
  const int s = (in.HasCaption && in.HasImages) ? in.Spacing : 0;
  const bool vertical = in.Layout == blTop || in.Layout == blBottom;
  const int total = vertical ? s + h + th : s + w + tw;

  TPZLayout r;
  switch (in.Layout) {
    case blLeft:
      r.ImageX = W / 2 - total / 2;
      r.ImageY = H / 2 - h / 2;
      r.CaptionLeft = r.ImageX + w + s;
      r.CaptionRight = r.ImageX + w + s + tw;
      break;
    case blRight:
      r.ImageX = W / 2 + total / 2 - w;
      r.ImageY = H / 2 - h / 2;
      r.CaptionLeft = r.ImageX - s - tw;
      r.CaptionRight = r.ImageX - s;
      break;
    case blTop:
      r.ImageX = W / 2 - w / 2;
      r.ImageY = H / 2 - total / 2;
      r.CaptionTop = r.ImageY + h + s;
      r.CaptionBottom = r.ImageY + h + s + th;
      break;
    case blBottom:
      r.ImageX = W / 2 - w / 2;
      r.ImageY = H / 2 + total / 2 - h;
      r.CaptionTop = r.ImageY - s - th;
      r.CaptionBottom = r.ImageY - s;
      break;
  }
  if (vertical) {
    r.CaptionLeft = 2;
    r.CaptionRight = W - 2;
  } else {
    r.CaptionTop = H / 2 - th / 2;
    r.CaptionBottom = H / 2 + th / 2;
  }

  if (in.Margin != -1) {
    // The image moves to the margin and the caption keeps its distance.
    int dx = 0, dy = 0;
    switch (in.Layout) {
      case blLeft: dx = in.Margin - r.ImageX; break;
      case blRight: dx = W - in.Margin - w - r.ImageX; break;
      case blTop: dy = in.Margin - r.ImageY; break;
      case blBottom: dy = H - in.Margin - h - r.ImageY; break;
    }
    r.ImageX += dx;
    r.ImageY += dy;
    r.CaptionLeft += dx;
    r.CaptionRight += dx;
    r.CaptionTop += dy;
    r.CaptionBottom += dy;
  }
  return r;
}
