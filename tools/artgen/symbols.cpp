#include "symbols.h"

namespace art {

Region QuestionMark(double cx, double top, double size, double stroke) {
  const double r = size * 0.26, cy = top + r + stroke / 2;
  const Region hook = ArcR(cx, cy, r - stroke / 2, r + stroke / 2, 180, 95);
  const Region stem = SegmentR({cx, cy + r}, {cx, top + size * 0.66}, stroke);
  const Region dot = DiscR(cx, top + size * 0.9, stroke * 0.62);
  return Union(Union(hook, stem), dot);
}

Region Tick(double x, double y, double w, double h, double stroke) {
  const double s = stroke / 2;
  return PolylineR({{x + s, y + h * 0.52}, {x + w * 0.38, y + h - s}, {x + w - s, y + s}}, stroke);
}

Region Cross(double x, double y, double size, double stroke) {
  const double s = stroke / 2;
  return Union(SegmentR({x + s, y + s}, {x + size - s, y + size - s}, stroke),
               SegmentR({x + size - s, y + s}, {x + s, y + size - s}, stroke));
}

Region Plus(double cx, double cy, double span, double stroke) {
  const double h = span / 2, s = stroke / 2;
  return Union(RectR(cx - h, cy - s, cx + h, cy + s), RectR(cx - s, cy - h, cx + s, cy + h));
}

Region InfoI(double cx, double top, double size, double stroke) {
  const double s = stroke / 2;
  const Region dot = DiscR(cx, top + stroke * 0.6, stroke * 0.62);
  const Region stem = RectR(cx - s, top + size * 0.36, cx + s, top + size);
  const Region serif = RectR(cx - s - stroke * 0.6, top + size * 0.36, cx + s, top + size * 0.36 + stroke * 0.7);
  return Union(dot, Union(stem, serif));
}

}  // namespace art
