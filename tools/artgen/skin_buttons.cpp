// Face bitmaps of the dialog buttons (files in Skins/Buttons). The program
// stretches a face over the whole button and cuts the window to a rounded
// rectangle from (1, 1) with corner ellipses 16 x 18, so each face is a
// rounded, glossy slab with a slightly darker rim inside that outline. The
// captions are drawn by the program; signs on the left leave room for them.
#include <string>

#include "palette.h"
#include "pictures.h"
#include "shapes.h"
#include "symbols.h"

namespace art {
namespace {

constexpr int kHeight = 21;
// Around the rounded slab, where the cut normally hides it, the face shows
// a light grey near the dialogs' own background.
constexpr Rgba kSurround = Rgb(0xDCDCDC);

struct Tint {
  Rgba face;
  Rgba rim;
  double gloss;  // strength of the light upper half
};

constexpr Tint kSilver{Rgb(0xD2D3D7), Rgb(0x85878E), 1.0};
constexpr Tint kGreen{Rgb(0x98E49A), Rgb(0x3C8A40), 1.0};
constexpr Tint kRed{Rgb(0xF2A4A2), Rgb(0xA44A48), 1.0};
constexpr Tint kBlue{Rgb(0xA6C2F2), Rgb(0x4766A6), 1.0};
constexpr Tint kCyan{Rgb(0x96DEE8), Rgb(0x35899A), 1.0};
constexpr Tint kDisabled{Rgb(0xE4E4E6), Rgb(0xB2B3B8), 0.45};

Canvas Face(double s, int width, const Tint& t) {
  Canvas c = Canvas::AtScale(width, kHeight, s, kSurround);
  const double x0 = 1, y0 = 1, x1 = width, y1 = kHeight;
  const double rx = 8, ry = 9;
  c.Fill(RoundRectR(x0, y0, x1, y1, rx, ry), t.rim);
  const Region inner = RoundRectR(x0 + 1, y0 + 1, x1 - 1, y1 - 1, rx - 1, ry - 1);
  const double mid = (y0 + y1) / 2;
  c.Fill(inner, VerticalStops({{y0 + 1, Lighten(t.face, 0.78 * t.gloss)},
                               {mid - 0.5, Lighten(t.face, 0.38 * t.gloss)},
                               {mid, t.face},
                               {y1 - 3, Darken(t.face, 0.04)},
                               {y1 - 1, Lighten(t.face, 0.22)}}));
  // The line of light just inside the rim along the top.
  c.Fill(Intersect(Minus(inner, RoundRectR(x0 + 1, y0 + 2, x1 - 1, y1 - 1, rx - 1, ry - 1)),
                   RectR(0, 0, width, mid)),
         WithAlpha(Rgb(0xFFFFFF), 0.7 * t.gloss));
  return c;
}

Picture Button(std::string name, Canvas face) {
  return {std::move(name), std::move(face), BmpKind::kRgb24, std::nullopt};
}

// A sign sits on a soft white halo so it reads on any tint.
void Sign(Canvas& c, const Region& shape, Rgba colour) {
  Canvas halo = Canvas::Like(c);
  halo.Fill(Union(Shift(shape, 0, 1), Union(Shift(shape, 1, 0), Shift(shape, 0, -0.6))),
            WithAlpha(Rgb(0xFFFFFF), 0.55));
  c.Draw(halo, 0, 0);
  c.Fill(shape, colour);
}

Canvas WithTick(double s, const Tint& t) {
  Canvas c = Face(s, 100, t);
  Sign(c, Tick(20, 5, 13, 10.5, 2.6), Rgb(0x1F8A24));
  return c;
}

Canvas WithCross(double s, const Tint& t) {
  Canvas c = Face(s, 100, t);
  Sign(c, Cross(13, 5.5, 10, 2.5), Rgb(0xC8261E));
  return c;
}

Canvas WithQuestion(double s, const Tint& t) {
  Canvas c = Face(s, 100, t);
  c.Fill(DiscR(26, 10.5, 7), Linear({0, 3.5}, Rgb(0x3CB4C4), {0, 17.5}, Rgb(0x137480)));
  c.Fill(QuestionMark(26, 5.2, 10.5, 1.9), Rgb(0xFFFFFF));
  return c;
}

Canvas WithInfo(double s, const Tint& t) {
  Canvas c = Face(s, 100, t);
  c.Fill(DiscR(26, 10.5, 7), Linear({0, 3.5}, Rgb(0x5A8AE8), {0, 17.5}, Rgb(0x1A3E9A)));
  c.Fill(InfoI(26.4, 5, 11, 2.2), Rgb(0xFFFFFF));
  return c;
}

Canvas WithPlus(double s, const Tint& t) {
  Canvas c = Face(s, 200, t);
  Sign(c, Plus(21, 10.5, 11, 3), Rgb(0x1F8A24));
  return c;
}

Canvas WithDots(double s, const Tint& t, Rgba dots) {
  Canvas c = Face(s, 35, t);
  for (double x : {11.5, 17.5, 23.5}) c.Fill(DiscR(x, 13, 1.6), dots);
  return c;
}

}  // namespace

std::vector<Picture> ButtonFaces(double s) {
  std::vector<Picture> faces = {
      Button("OKGREEN", WithTick(s, kGreen)),
      Button("OKSILVER", WithTick(s, kSilver)),
      Button("CANCELRED", WithCross(s, kRed)),
      Button("CANCELSILVER", WithCross(s, kSilver)),
      Button("PPPBLUE", WithDots(s, kBlue, Rgb(0x14306E))),
      Button("PPPSILVER", WithDots(s, kSilver, Rgb(0x30343C))),
      Button("PPPDISABLED", WithDots(s, kDisabled, Rgb(0xA0A2A8))),
      Button("HELPCYAN", WithQuestion(s, kCyan)),
      Button("HELPSILVER", WithQuestion(s, kSilver)),
      Button("PLUSGREEN200", WithPlus(s, kGreen)),
      Button("PLUSSILVER200", WithPlus(s, kSilver)),
      Button("INFOBLUE", WithInfo(s, kBlue)),
      Button("INFOSILVER", WithInfo(s, kSilver)),
  };
  for (int width : {35, 100, 150, 200}) {
    faces.push_back(Button("BLUE" + std::to_string(width), Face(s, width, kBlue)));
    faces.push_back(Button("SILVER" + std::to_string(width), Face(s, width, kSilver)));
  }
  return faces;
}

}  // namespace art
