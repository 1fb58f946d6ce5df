#include "glyphfx.h"

#include <algorithm>

namespace art {
namespace {

double AlphaAt(const Canvas& c, int x, int y) {
  return c.Contains(x, y) ? c.Get(x, y).a / 255.0 : 0.0;
}

}  // namespace

Canvas Outlined(const Canvas& layer, Rgba colour) {
  Canvas out(layer.Width(), layer.Height());
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
  Canvas out(layer.Width(), layer.Height());
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const double a = AlphaAt(layer, x - dx, y - dy) * strength;
      if (a > 0) out.Set(x, y, Rgba{0, 0, 0, std::uint8_t(a * 255)});
    }
  out.Draw(layer, 0, 0);
  return out;
}

Canvas IdleLook(const Canvas& layer) {
  Canvas out(layer.Width(), layer.Height());
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const Rgba c = layer.Get(x, y);
      out.Set(x, y, Lighten(Desaturate(c, 0.55), 0.12));
    }
  return out;
}

Canvas DisabledLook(const Canvas& layer) {
  Canvas out(layer.Width(), layer.Height());
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const double a = AlphaAt(layer, x - 1, y - 1);
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
