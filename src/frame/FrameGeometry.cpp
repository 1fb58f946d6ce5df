#include "frame/FrameGeometry.h"

#include <algorithm>

// The rounding the image button rules use too: halves to even.
#include "controls/EnterExitButtonRules.h"

namespace {
int Clamp(int v, int lo, int hi) {
  if (hi > 0) v = std::min(v, hi);
  if (lo > 0) v = std::max(v, lo);
  return std::max(v, 0);
}
}  // namespace

int FrameLimits::ClampWidth(int w) const { return Clamp(w, MinWidth, MaxWidth); }
int FrameLimits::ClampHeight(int h) const { return Clamp(h, MinHeight, MaxHeight); }

FrameBounds ApplyResizeRule(const FrameBounds& r, ResizeRule rule, int delta,
                          const FrameLimits& limits) {
  FrameBounds n = r;
  // The size compares with the frame's minimum as it is now, so one move
  // that starts above the minimum may end below it; the next move that does
  // not enlarge the window then sets the minimum.
  switch (rule) {
    case ResizeRule::Bottom:
      n.Height = limits.ClampHeight(r.Height > FrameMinHeight || delta > 0 ? r.Height + delta
                                                                           : FrameMinHeight);
      break;
    case ResizeRule::Top:
      if (r.Height > FrameMinHeight || delta < 0) {
        n.Height = limits.ClampHeight(r.Height - delta);
        n.Top = r.Top + (r.Height - n.Height);
      } else {
        n.Height = limits.ClampHeight(FrameMinHeight);
      }
      break;
    case ResizeRule::Right:
      n.Width = limits.ClampWidth(r.Width > FrameMinWidth || delta > 0 ? r.Width + delta
                                                                      : FrameMinWidth);
      break;
    case ResizeRule::Left:
      if (r.Width > FrameMinWidth || delta < 0) {
        n.Width = limits.ClampWidth(r.Width - delta);
        n.Left = r.Left + (r.Width - n.Width);
      } else {
        n.Width = limits.ClampWidth(FrameMinWidth);
      }
      break;
  }
  return n;
}

TitleButtonPlaces PlaceTitleButtons(bool zoom, bool minimise, bool rollUp, bool maximise) {
  TitleButtonPlaces p;
  int n = 0;
  const bool shown[4] = {zoom, minimise, rollUp, maximise};
  for (int i = 0; i < 4; ++i) {
    if (!shown[i]) continue;
    ++n;
    if (i > 0) p.Left[i] = 16 * (n - 1);
  }
  ++n;  // close
  p.Left[4] = 16 * (n - 1);
  p.PanelWidth = 16 * n;
  return p;
}

int ScaleLength(int v, double f) { return RoundHalfEven(v * f); }

FrameBounds ScaleControlRect(const FrameBounds& r, const ScaleAnchors& a, bool hasParent,
                           int parentWidth, int parentHeight, double f) {
  FrameBounds n = r;
  const int right = r.Left + r.Width, bottom = r.Top + r.Height;
  if (hasParent) {
    if (a.Top) n.Top = RoundHalfEven((r.Top - 1) * f + 1);
    if (a.Left) n.Left = RoundHalfEven((r.Left - 1) * f + 1);
    if (a.Right) {
      const int c = RoundHalfEven((parentWidth - right) * (f - 1));
      if (a.Left) n.Width -= c;
      else n.Left -= c;
    }
    if (a.Bottom) {
      const int c = RoundHalfEven((parentHeight - bottom) * (f - 1));
      if (a.Top) n.Height -= c;
      else n.Top -= c;
    }
  }
  if (!(a.Left && a.Right)) {
    if (a.Right) n.Left -= RoundHalfEven(n.Width * f - n.Width);
    n.Width = RoundHalfEven(n.Width * f);
  }
  if (!(a.Top && a.Bottom)) {
    if (a.Bottom) n.Top -= RoundHalfEven(n.Height * f - n.Height);
    n.Height = RoundHalfEven(n.Height * f);
  }
  return n;
}
