// The shaded skin: title bars stretched over the title, a shadow strip
// below it, and border strips and a corner around the client area (PNG).
#include <algorithm>

#include "pictures.h"
#include "shapes.h"

namespace art {
namespace {

constexpr int kTitleW = 64, kTitleH = 22;

// Constant along x, since the picture is stretched across the title. The
// highlight below the top row and the bottom line stay crisp lines.
Canvas TitleBar(double s, std::vector<Stop> stops, Rgba highlight, Rgba bottomLine) {
  Canvas c = Canvas::AtScale(kTitleW, kTitleH, s);
  c.Fill(RectR(0, 0, kTitleW, kTitleH), VerticalStops(std::move(stops)), 1);
  const int line = LineWidth(1, s);
  c.FillRect(0, line, c.Width(), line, highlight);
  c.FillRect(0, c.Height() - line, c.Width(), line, bottomLine);
  return c;
}

// Black, fading out downwards.
Canvas TitleShadow(double s) {
  Canvas c = Canvas::AtScale(8, 5, s);
  constexpr double kAlpha[] = {0.34, 0.20, 0.11, 0.05, 0.02};
  for (int y = 0; y < c.Height(); ++y) {
    const double at = std::clamp((y + 0.5) / s - 0.5, 0.0, 4.0);
    const int i = std::min(3, int(at));
    const double a = kAlpha[i] + (kAlpha[i + 1] - kAlpha[i]) * (at - i);
    c.HLine(0, c.Width() - 1, y, Rgba{0, 0, 0, std::uint8_t(a * 255 + 0.5)});
  }
  return c;
}

// Tones of a border across its 10 pixels, from the window's outer edge
// inwards: a dark edge, a light bevel, a soft slope and a groove where it
// meets the client area (whose colour is 0xD2D2D2).
constexpr std::uint32_t kLitSide[10] = {0x6C6E74, 0xFCFCFC, 0xEEEEEF, 0xE6E6E7, 0xDEDEDF,
                                        0xD8D8D9, 0xD4D4D5, 0xBDBDBF, 0xF4F4F4, 0xD2D2D2};
constexpr std::uint32_t kShadedSide[10] = {0x5A5C62, 0xA8A9AD, 0xC4C5C8, 0xCDCED0, 0xD3D3D5,
                                           0xD6D6D7, 0xD8D8D9, 0xB8B8BA, 0xEEEEEE, 0xD2D2D2};

// The tones across a border at scale s: the edge, the bevel, the groove,
// its highlight and the client's colour stay crisp lines; the slope
// between takes the rest, its five tones blended along it.
std::vector<Rgba> Profile(const std::uint32_t (&tones)[10], double s) {
  const int line = LineWidth(1, s), width = ScaledSide(10, s), slope = width - 5 * line;
  std::vector<Rgba> out;
  auto lines = [&](int i) { out.insert(out.end(), std::size_t(line), Rgb(tones[i])); };
  lines(0);
  lines(1);
  for (int k = 0; k < slope; ++k) {
    const double at = std::clamp((k + 0.5) / slope * 5 - 0.5, 0.0, 4.0);
    const int i = std::min(3, int(at));
    out.push_back(Mix(Rgb(tones[2 + i]), Rgb(tones[3 + i]), at - i));
  }
  lines(7);
  lines(8);
  lines(9);
  return out;
}

Canvas BorderWest(double s) {
  Canvas c = Canvas::AtScale(10, 16, s);
  const std::vector<Rgba> lit = Profile(kLitSide, s);
  for (int x = 0; x < c.Width(); ++x) c.VLine(x, 0, c.Height() - 1, lit[std::size_t(x)]);
  return c;
}

Canvas BorderEast(double s) {
  Canvas c = Canvas::AtScale(10, 16, s);
  const std::vector<Rgba> shaded = Profile(kShadedSide, s);
  for (int x = 0; x < c.Width(); ++x)
    c.VLine(c.Width() - 1 - x, 0, c.Height() - 1, shaded[std::size_t(x)]);
  return c;
}

Canvas BorderSouth(double s) {
  Canvas c = Canvas::AtScale(16, 10, s);
  const std::vector<Rgba> shaded = Profile(kShadedSide, s);
  for (int y = 0; y < c.Height(); ++y)
    c.HLine(0, c.Width() - 1, c.Height() - 1 - y, shaded[std::size_t(y)]);
  return c;
}

// The lower-left corner: each pixel takes the tone of the nearer outer
// edge, the two meeting on the diagonal.
Canvas BorderSouthWest(double s) {
  Canvas c = Canvas::AtScale(10, 10, s);
  const std::vector<Rgba> lit = Profile(kLitSide, s), shaded = Profile(kShadedSide, s);
  const int n = c.Width();
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const int fromWest = x, fromSouth = n - 1 - y;
      c.Set(x, y, fromWest <= fromSouth ? lit[std::size_t(fromWest)] : shaded[std::size_t(fromSouth)]);
    }
  return c;
}

}  // namespace

std::vector<SkinPicture> ShadedSkins(double s) {
  return {
      {"Shades/titlebar.png",
       TitleBar(s, {{0, Rgb(0xF6F6F7)}, {10.5, Rgb(0xE4E5E7)}, {11, Rgb(0xD9DADD)}, {22, Rgb(0xC9CACE)}},
                Rgb(0xFFFFFF), Rgb(0x9C9EA4)),
       false},
      {"Shades/titlebarActive.png",
       TitleBar(s, {{0, Rgb(0xEAF2FE)}, {10.5, Rgb(0xCFE0FA)}, {11, Rgb(0xB8D0F4)}, {22, Rgb(0x9DBDEE)}},
                Rgb(0xFFFFFF), Rgb(0x5D7FB8)),
       false},
      {"Shades/titleshadow.png", TitleShadow(s), true},
      {"Shades/borderW.png", BorderWest(s), false},
      {"Shades/borderSW.png", BorderSouthWest(s), false},
      {"Shades/borderS.png", BorderSouth(s), false},
      {"Shades/borderE.png", BorderEast(s), false},
  };
}

}  // namespace art
