#include "glyphfx.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

double AlphaAt(const Canvas& c, int x, int y) {
  return c.Contains(x, y) ? c.Get(x, y).a / 255.0 : 0.0;
}

// The outline of a picture drawn above 100 %: as wide as one pixel of the
// design, softening with the distance beyond it.
Canvas OutlinedWide(const Canvas& layer, Rgba colour) {
  const double r = layer.Scale();
  const int reach = int(std::ceil(r + 0.5));
  Canvas out = Canvas::Like(layer);
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      double a = 0;
      for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
          const double weight = std::clamp(r + 0.5 - std::hypot(dx, dy), 0.0, 1.0);
          if (weight > 0) a = std::max(a, weight * AlphaAt(layer, x + dx, y + dy));
        }
      if (a > 0) out.Set(x, y, WithAlpha(colour, a));
    }
  out.Draw(layer, 0, 0);
  return out;
}

}  // namespace

Canvas Outlined(const Canvas& layer, Rgba colour) {
  if (layer.Scale() != 1.0) return OutlinedWide(layer, colour);
  Canvas out = Canvas::Like(layer);
  for (int y = 0; y < layer.Height(); ++y) {
    for (int x = 0; x < layer.Width(); ++x) {
      double a = AlphaAt(layer, x, y);
      a = std::max({a, AlphaAt(layer, x - 1, y), AlphaAt(layer, x + 1, y),
                    AlphaAt(layer, x, y - 1), AlphaAt(layer, x, y + 1)});
      // Diagonal neighbours count less, which rounds the outline's corners.
      a = std::max({a, 0.55 * AlphaAt(layer, x - 1, y - 1), 0.55 * AlphaAt(layer, x + 1, y - 1),
                    0.55 * AlphaAt(layer, x - 1, y + 1), 0.55 * AlphaAt(layer, x + 1, y + 1)});
      if (a > 0) out.Set(x, y, WithAlpha(colour, a));
    }
  }
  out.Draw(layer, 0, 0);
  return out;
}

Canvas WithShadow(const Canvas& layer, int dx, int dy, double strength) {
  Canvas out = Canvas::Like(layer);
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const double a = AlphaAt(layer, x - dx, y - dy) * strength;
      if (a > 0) out.Set(x, y, Rgba{0, 0, 0, std::uint8_t(a * 255)});
    }
  out.Draw(layer, 0, 0);
  return out;
}

Canvas IdleLook(const Canvas& layer) {
  Canvas out = Canvas::Like(layer);
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const Rgba c = layer.Get(x, y);
      out.Set(x, y, Lighten(Desaturate(c, 0.55), 0.12));
    }
  return out;
}

Canvas DisabledLook(const Canvas& layer) {
  Canvas out = Canvas::Like(layer);
  const int d = LineWidth(1, layer.Scale());
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const double a = AlphaAt(layer, x - d, y - d);
      if (a > 0) out.Set(x, y, Rgba{255, 255, 255, std::uint8_t(a * 255)});
    }
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const Rgba c = layer.Get(x, y);
      if (c.a == 0) continue;
      // Dark parts become the shadow grey, light parts a paler grey, so the
      // drawing stays readable without colour.
      const auto v = std::uint8_t(std::clamp(112.0 + Luma(c) * 80.0, 0.0, 255.0));
      out.Blend(x, y, Rgba{v, v, v, c.a});
    }
  return out;
}

}  // namespace art
