// The shaded skin: title bars stretched over the title, a shadow strip
// below it, and border strips and a corner around the client area (PNG).
#include <algorithm>

#include "pictures.h"
#include "shapes.h"

namespace art {
namespace {

constexpr int kTitleW = 64, kTitleH = 22;

// Constant along x, since the picture is stretched across the title.
Canvas TitleBar(std::vector<Stop> stops, Rgba highlight, Rgba bottomLine) {
  Canvas c(kTitleW, kTitleH);
  c.Fill(RectR(0, 0, kTitleW, kTitleH), VerticalStops(std::move(stops)), 1);
  c.HLine(0, kTitleW - 1, 1, highlight);
  c.HLine(0, kTitleW - 1, kTitleH - 1, bottomLine);
  return c;
}

// Black, fading out downwards.
Canvas TitleShadow() {
  Canvas c(8, 5);
  constexpr double kAlpha[] = {0.34, 0.20, 0.11, 0.05, 0.02};
  for (int y = 0; y < 5; ++y) c.HLine(0, 7, y, Rgba{0, 0, 0, std::uint8_t(kAlpha[y] * 255 + 0.5)});
  return c;
}

// Tones of a border across its 10 pixels, from the window's outer edge
// inwards: a dark edge, a light bevel, a soft slope and a groove where it
// meets the client area (whose colour is 0xD2D2D2).
constexpr std::uint32_t kLitSide[10] = {0x6C6E74, 0xFCFCFC, 0xEEEEEF, 0xE6E6E7, 0xDEDEDF,
                                        0xD8D8D9, 0xD4D4D5, 0xBDBDBF, 0xF4F4F4, 0xD2D2D2};
constexpr std::uint32_t kShadedSide[10] = {0x5A5C62, 0xA8A9AD, 0xC4C5C8, 0xCDCED0, 0xD3D3D5,
                                           0xD6D6D7, 0xD8D8D9, 0xB8B8BA, 0xEEEEEE, 0xD2D2D2};

Canvas BorderWest() {
  Canvas c(10, 16);
  for (int x = 0; x < 10; ++x) c.VLine(x, 0, 15, Rgb(kLitSide[x]));
  return c;
}

Canvas BorderEast() {
  Canvas c(10, 16);
  for (int x = 0; x < 10; ++x) c.VLine(9 - x, 0, 15, Rgb(kShadedSide[x]));
  return c;
}

Canvas BorderSouth() {
  Canvas c(16, 10);
  for (int y = 0; y < 10; ++y) c.HLine(0, 15, 9 - y, Rgb(kShadedSide[y]));
  return c;
}

// The lower-left corner: each pixel takes the tone of the nearer outer
// edge, the two meeting on the diagonal.
Canvas BorderSouthWest() {
  Canvas c(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const int fromWest = x, fromSouth = 9 - y;
      c.Set(x, y, fromWest <= fromSouth ? Rgb(kLitSide[fromWest]) : Rgb(kShadedSide[fromSouth]));
    }
  return c;
}

}  // namespace

std::vector<SkinPicture> ShadedSkins() {
  return {
      {"Shades/titlebar.png",
       TitleBar({{0, Rgb(0xF6F6F7)}, {10.5, Rgb(0xE4E5E7)}, {11, Rgb(0xD9DADD)}, {22, Rgb(0xC9CACE)}},
                Rgb(0xFFFFFF), Rgb(0x9C9EA4)),
       false},
      {"Shades/titlebarActive.png",
       TitleBar({{0, Rgb(0xEAF2FE)}, {10.5, Rgb(0xCFE0FA)}, {11, Rgb(0xB8D0F4)}, {22, Rgb(0x9DBDEE)}},
                Rgb(0xFFFFFF), Rgb(0x5D7FB8)),
       false},
      {"Shades/titleshadow.png", TitleShadow(), true},
      {"Shades/borderW.png", BorderWest(), false},
      {"Shades/borderSW.png", BorderSouthWest(), false},
      {"Shades/borderS.png", BorderSouth(), false},
      {"Shades/borderE.png", BorderEast(), false},
  };
}

}  // namespace art
