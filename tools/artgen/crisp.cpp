#include "crisp.h"

#include <algorithm>

namespace art {

CrispMask::CrispMask(int width, int height, double s, const Region& shape)
    : width_(ScaledSide(width, s)), height_(ScaledSide(height, s)), scale_(s),
      on_(std::size_t(width_) * height_) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      on_[std::size_t(y) * width_ + x] = shape((x + 0.5) / s, (y + 0.5) / s);
}

bool CrispMask::At(int x, int y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_ && on_[std::size_t(y) * width_ + x];
}

Region SnappedRectR(double x0, double y0, double x1, double y1, double s) {
  const int px0 = Snap(x0, s), py0 = Snap(y0, s);
  const int px1 = std::max(Snap(x1, s), px0 + 1), py1 = std::max(Snap(y1, s), py0 + 1);
  return RectR(px0 / s, py0 / s, px1 / s, py1 / s);
}

void Engrave(Canvas& c, const CrispMask& mask, Rgba ink, Rgba light) {
  const int d = LineWidth(1, mask.Scale());
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      for (int k = 1; k <= d; ++k)
        if (!mask.At(x, y) && mask.At(x - k, y - k)) c.Set(x, y, light);
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      if (mask.At(x, y)) c.Set(x, y, ink);
}

}  // namespace art
