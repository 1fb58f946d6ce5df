// The intro box's picture: a console window under a night sky, listing the
// language files, with the program's quill writing the next command. The
// lower right stays dark, for the program's name, icon and version that
// the intro box lays over it.
#include <cmath>

#include "pictures.h"
#include "pixfont.h"
#include "rng.h"
#include "shapes.h"

namespace art {
namespace {

constexpr int kWidth = 394, kHeight = 205;

void Sky(Canvas& out) {
  out.Fill(RectR(0, 0, kWidth, kHeight),
           VerticalStops({{0, Rgb(0x1B3A6E)}, {110, Rgb(0x0B1834)}, {kHeight, Rgb(0x03060E)}}), 1);
  Canvas glow = Canvas::Like(out);
  glow.Fill(DiscR(300, 40, 150), Radial({300, 40}, 150, WithAlpha(Rgb(0x3C6CC0), 0.55),
                                        WithAlpha(Rgb(0x3C6CC0), 0.0)), 1);
  out.Draw(glow, 0, 0);
  SplitMix64 rng(1113);
  for (int i = 0; i < 90; ++i) {
    const int x = int(rng.Unit() * kWidth), y = int(rng.Unit() * rng.Unit() * 120);
    // A star is one pixel of the design, however fine the picture.
    out.FillBox(x, y, x + 1, y + 1, Rgb(0xE8F0FF), 0.25 + 0.6 * rng.Unit());
  }
}

// Lines of a floor running to the horizon, faint enough not to compete.
void Floor(Canvas& out) {
  constexpr double kHorizon = 128, kVanishX = 197;
  const Rgba line = Rgb(0x2A6C88);
  for (double d = 1; d < 12; d *= 1.35) {
    const int y = int(kHorizon + (kHeight - kHorizon) * (d - 1) / 10.0);
    out.FillBox(0, y, kWidth, y + 1, line, 0.18 + 0.02 * d);
  }
  for (int i = -9; i <= 9; ++i) {
    const double xBottom = kVanishX + i * 60.0;
    for (int y = int(kHorizon); y < kHeight; ++y) {
      const double t = (y - kHorizon) / (kHeight - kHorizon);
      const double x = double(std::lround(kVanishX + (xBottom - kVanishX) * t));
      out.FillBox(x, y, x + 1, y + 1, line, 0.22 * t);
    }
  }
}

}  // namespace

Canvas IntroPicture(double s) {
  Canvas out = Canvas::AtScale(kWidth, kHeight, s, Rgb(0));
  Sky(out);
  Floor(out);
  constexpr double x0 = 16, y0 = 20, x1 = 176, y1 = 118, title = 12;
  out.Draw(ConsoleWindow(kWidth, kHeight, s, x0, y0, x1, y1, title), 0, 0);
  const Rgba grey = Rgb(0xC8D0DA), dim = Rgb(0x7C8898);
  int y = int(y0 + title) + 8;
  DrawText(out, 24, y, "C:>DIR *.OQL", grey);
  DrawText(out, 24, y += 12, "ENGLISH  OQL", dim);
  DrawText(out, 24, y += 12, "DEUTSCH  OQL", dim);
  DrawText(out, 24, y += 12, "2 FILE(S)", dim);
  const int x = DrawText(out, 24, y += 16, "C:>ORVQUILL", grey);
  out.FillSnapped(x + 2, y + 6, x + 8, y + 7, Rgb(0x5CE05C));
  out.Draw(Quill(kWidth, kHeight, s, {{386, 6}, {x + 5.0, y + 5.0}, 30, 14, 16, 2.2}), 0, 0);
  return out;
}

}  // namespace art
