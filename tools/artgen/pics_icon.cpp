// The program's icon (a console window with a quill writing the command),
// its 16 x 16 bitmap for the system menu, and the hand cursor.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "glyphfx.h"
#include "palette.h"
#include "pictures.h"
#include "pixfont.h"
#include "shapes.h"

namespace art {
namespace {

Pt Along(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

}  // namespace

// The vane runs along the first part of the axis; the bare shaft and the
// dark, cut nib take the rest.
Canvas Quill(int width, int height, double s, const QuillPlacement& q) {
  constexpr double kVaneEnd = 0.66;
  const double dx = q.nib.x - q.top.x, dy = q.nib.y - q.top.y;
  const double len = std::hypot(dx, dy);
  const Pt n{-dy / len, dx / len};  // normal pointing to the feather's wide side
  auto at = [&](double t, double offset) {
    const Pt c = Along(q.top, q.nib, t);
    const double bow = q.bend * std::sin(std::numbers::pi * t);
    return Pt{c.x + n.x * (offset + bow), c.y + n.y * (offset + bow)};
  };
  std::vector<Pt> vane;
  constexpr int kSteps = 24;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = kVaneEnd * i / kSteps;
    const double shape = std::pow(std::max(0.0, std::sin(std::numbers::pi * t / kVaneEnd)), 0.6);
    vane.push_back(at(t, q.wideSide * shape));
  }
  for (int i = kSteps; i >= 0; --i) {
    const double t = kVaneEnd * i / kSteps;
    const double shape = std::pow(std::max(0.0, std::sin(std::numbers::pi * t / kVaneEnd)), 0.8);
    vane.push_back(at(t, -q.narrowSide * shape));
  }
  Canvas l = Canvas::AtScale(width, height, s);
  const double stroke = q.stroke;
  l.Fill(PolygonR(vane), Linear(q.top, Rgb(0xFFFFFF), at(kVaneEnd, 0), Rgb(0xC6D2E4)));
  // Two notches in the wide side make it read as a feather, not a leaf.
  for (double t : {0.22, 0.40}) {
    const Pt edge = at(t, q.wideSide * 1.1);
    const Pt inner = at(t + 0.03, q.wideSide * 0.35);
    const Pt after = at(t + 0.09, q.wideSide * 1.1);
    l.Erase(PolygonR({edge, inner, after}));
  }
  const Pt shaftEnd = at(kVaneEnd + 0.1, 0);
  l.Fill(SegmentR(at(0.03, 0), shaftEnd, 1.0 * stroke), Rgb(0xA08A66));
  // A metal nib, so the tip shows on the black screen it writes on.
  l.Fill(PolygonR({at(kVaneEnd + 0.08, 1.4 * stroke), at(kVaneEnd + 0.08, -1.4 * stroke), q.nib}),
         Linear(at(kVaneEnd, 0), Rgb(0xF4D77A), q.nib, Rgb(0x9A7424)));
  return Outlined(l, Rgb(0x3A4352));
}

Canvas ConsoleWindow(int width, int height, double s, double x0, double y0, double x1, double y1,
                     double title) {
  Canvas l = Canvas::AtScale(width, height, s);
  l.Fill(RectR(x0, y0, x1, y1), Rgb(0x101218));
  l.Fill(RectR(x0, y0, x1, y0 + title), Linear({x0, y0}, Rgb(0x78A6EE), {x0, y0 + title}, Rgb(0x2353B0)));
  l.Fill(RectR(x0, y0 + title, x1, y0 + title + 0.6), Rgb(0x9AA4B4));
  return Outlined(l, Rgb(0x2C3442));
}

namespace {

// The large design, 32 pixels at scale 1: a console with a prompt.
Canvas Icon32(double s) {
  Canvas out = ConsoleWindow(32, 32, s, 1, 4, 27, 28, 4.5);
  const int x = DrawText(out, 4, 12, "C:>", Rgb(0xC8D0DA));
  out.FillSnapped(x + 1, 18, x + 5, 19, Rgb(0x5CE05C));
  out.FillSnapped(4, 23, 7, 24, Rgb(0x6C7686));
  out.FillSnapped(8, 23, 14, 24, Rgb(0x6C7686));
  out.Draw(Quill(32, 32, s, {{30.8, 0.8}, {x + 3.5, 17.2}, 5.8, 3.0, 1.5, 1.0}), 0, 0);
  return out;
}

// The small design, 16 pixels at scale 1: fewer, bolder parts.
Canvas Icon16(double s) {
  Canvas out = ConsoleWindow(16, 16, s, 1, 2, 14, 14, 2.5);
  const Rgba prompt = Rgb(0xD4DAE2);
  out.FillSnapped(2, 7, 3, 8, prompt);
  out.FillSnapped(3, 8, 4, 9, prompt);
  out.FillSnapped(2, 9, 3, 10, prompt);
  out.FillSnapped(5, 9, 8, 10, Rgb(0x5CE05C));
  out.Draw(Quill(16, 16, s, {{15.4, 0.4}, {8.6, 9.8}, 2.6, 1.5, 0.5, 0.5}), 0, 0);
  return out;
}

}  // namespace

std::vector<Canvas> MainIconImages() {
  std::vector<Canvas> images;
  for (int side : kIconSides)
    images.push_back(side < 32 ? Icon16(side / 16.0) : Icon32(side / 32.0));
  return images;
}

Picture Icon16Bitmap(double s) {
  // Shown on the title bar, metal or grey; soft edges go over a grey
  // between the two.
  return {"ICON16", FlattenKeyed(Icon16(s), Rgb(0xB4B9C2), kMagenta), BmpKind::kRgb24, kMagenta};
}

CursorArt HandCursor() {
  // The hand's skin; its black outline is every pixel next to it.
  constexpr const char* kSkin[] = {
      "..................",
      "......WW..........",
      "......WW..........",
      "......WW..........",
      "......WW..........",
      "......WW..........",
      "......WW.WW.......",
      "......WW.WW.WW....",
      "......WW.WW.WW.WW.",
      ".WW...WW.WW.WW.WW.",
      ".WWW..WWWWWWWWWWW.",
      "..WWW.WWWWWWWWWWW.",
      "...WWWWWWWWWWWWWW.",
      "...WWWWWWWWWWWWWW.",
      "....WWWWWWWWWWWWW.",
      "....WWWWWWWWWWWWW.",
      ".....WWWWWWWWWWW..",
      ".....WWWWWWWWWWW..",
      "......WWWWWWWWW...",
      "......WWWWWWWWW...",
      "..................",
  };
  constexpr int kRows = int(sizeof(kSkin) / sizeof(kSkin[0]));
  constexpr int kLeft = 2;
  auto skin = [&](int x, int y) {
    const int col = x - kLeft;
    if (y < 0 || y >= kRows || col < 0 || col >= 18) return false;
    return kSkin[y][col] == 'W';
  };
  CursorArt c{Canvas(32, 32, kClear), 0, 0};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (skin(x, y)) c.image.Set(x, y, vga::White);
      else if (skin(x - 1, y) || skin(x + 1, y) || skin(x, y - 1) || skin(x, y + 1))
        c.image.Set(x, y, vga::Black);
    }
  // The tip of the pointing finger.
  c.hotX = kLeft + 6;
  c.hotY = 0;
  return c;
}

}  // namespace art
