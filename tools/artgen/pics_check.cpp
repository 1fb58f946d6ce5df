// Check-box and radio-button images: 16 x 16, 16 colours, magenta cut out.
// The box is 13 x 13 at (1, 1); its inside, where the marks go, is the
// 9 x 9 square at (3, 3). Marks are drawn over the box at the same place,
// so everything but the mark itself is magenta in a mark image.
#include <initializer_list>
#include <optional>

#include "palette.h"
#include "pictures.h"

namespace art {
namespace {

constexpr int kSize = 16;
constexpr int kBox = 1, kBoxSize = 13;
constexpr int kCentre = kBox + kBoxSize / 2;  // 7: the middle pixel of box and circle
using Rows = std::initializer_list<const char*>;

Picture Image(const char* name, const Canvas& c) { return {name, c, BmpKind::kVga16, kMagenta}; }

Canvas Blank() { return Canvas(kSize, kSize, kMagenta); }

// The classic sunken square: grey over black at the top and left, white
// over silver at the bottom and right.
Canvas SunkenSquare(bool whiteInside) {
  Canvas c = Blank();
  const int a = kBox, b = kBox + kBoxSize - 1;
  c.HLine(a, b, a, vga::Gray);
  c.VLine(a, a, b, vga::Gray);
  c.HLine(a, b, b, vga::White);
  c.VLine(b, a, b, vga::White);
  c.HLine(a + 1, b - 1, a + 1, vga::Black);
  c.VLine(a + 1, a + 1, b - 1, vga::Black);
  c.HLine(a + 1, b - 1, b - 1, vga::Silver);
  c.VLine(b - 1, a + 1, b - 1, vga::Silver);
  if (whiteInside) c.FillRect(a + 2, a + 2, kBoxSize - 4, kBoxSize - 4, vga::White);
  return c;
}

Canvas FlatSquare(bool whiteInside) {
  Canvas c = Blank();
  c.FrameRect(kBox, kBox, kBoxSize, kBoxSize, vga::Gray);
  if (whiteInside) c.FillRect(kBox + 1, kBox + 1, kBoxSize - 2, kBoxSize - 2, vga::White);
  return c;
}

// The circle of the round boxes, 13 pixels across with the middle pixel at
// (7, 7): 'o' the outer ring, 'i' the inner ring, 'w' the inside.
constexpr Rows kCircle = {"................",
                          ".....ooooo......",
                          "...ooiiiiioo....",
                          "..oiiwwwwwiio...",
                          "..oiwwwwwwwio...",
                          ".oiwwwwwwwwwio..",
                          ".oiwwwwwwwwwio..",
                          ".oiwwwwwwwwwio..",
                          ".oiwwwwwwwwwio..",
                          ".oiwwwwwwwwwio..",
                          "..oiwwwwwwwio...",
                          "..oiiwwwwwiio...",
                          "...ooiiiiioo....",
                          ".....ooooo......",
                          "................",
                          "................"};

// The pixel lies in the lit (bottom-right) half of the circle.
bool Lit(int x, int y) { return (x - kCentre) + (y - kCentre) > 0; }

template <typename Colour>
Canvas Circle(Colour colourOf) {
  Canvas c = Blank();
  int y = 0;
  for (const char* row : kCircle) {
    for (int x = 0; row[x] != '\0'; ++x)
      if (row[x] != '.') {
        const std::optional<Rgba> colour = colourOf(row[x], Lit(x, y));
        if (colour) c.Set(x, y, *colour);
      }
    ++y;
  }
  return c;
}

// Sunken like the square: grey over black towards the top left, white
// over silver towards the bottom right.
Canvas SunkenCircle(bool whiteInside) {
  return Circle([whiteInside](char part, bool lit) -> std::optional<Rgba> {
    if (part == 'o') return lit ? vga::White : vga::Gray;
    if (part == 'i') return lit ? vga::Silver : vga::Black;
    if (whiteInside) return vga::White;
    return std::nullopt;
  });
}

Canvas FlatCircle(bool whiteInside) {
  return Circle([whiteInside](char part, bool) -> std::optional<Rgba> {
    if (part == 'o') return vga::Gray;
    if (whiteInside) return vga::White;
    return std::nullopt;
  });
}

// Marks are 9 x 9 pixel art placed on the inside square. Pixels of the
// mark that border on empty space below them take the edge
// colour, which gives light colours a firm outline on white.
Canvas Mark(Rows rows, Rgba ink, Rgba edge, Canvas base = Blank()) {
  auto inked = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= 9 || y >= 9) return false;
    return rows.begin()[y][x] == '#';
  };
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      if (inked(x, y)) {
        const bool border = !inked(x, y + 1);
        base.Set(kBox + 2 + x, kBox + 2 + y, border ? edge : ink);
      }
  return base;
}

constexpr Rows kCross = {".........",
                         ".##...##.",
                         ".###.###.",
                         "..#####..",
                         "...###...",
                         "..#####..",
                         ".###.###.",
                         ".##...##.",
                         "........."};

constexpr Rows kTick = {".........",
                        ".......#.",
                        "......##.",
                        ".#...###.",
                        ".##.###..",
                        ".#####...",
                        "..###....",
                        "...#.....",
                        "........."};

constexpr Rows kDot = {".........",
                       ".........",
                       "...###...",
                       "..#####..",
                       "..#####..",
                       "..#####..",
                       "...###...",
                       ".........",
                       "........."};

constexpr Rows kQuestion = {"..####...",
                            ".##..##..",
                            ".....##..",
                            "....##...",
                            "...##....",
                            "...##....",
                            ".........",
                            "...##....",
                            "...##...."};

// A grayed mark: the mark in grey on a silver square filling the inside.
Canvas GrayedMark(Rows rows) {
  Canvas c = Blank();
  c.FillRect(kBox + 2, kBox + 2, 9, 9, vga::Silver);
  return Mark(rows, vga::Gray, vga::Gray, c);
}

}  // namespace

std::vector<Picture> CheckBoxImages() {
  return {
      Image("Blank", SunkenSquare(true)),
      Image("BlankFlat", FlatSquare(true)),
      Image("Enabled", SunkenSquare(false)),
      Image("EnabledFlat", FlatSquare(false)),
      Image("BlankRnd", SunkenCircle(true)),
      Image("BlankFlatRnd", FlatCircle(true)),
      Image("EnabledRnd", SunkenCircle(false)),
      Image("EnabledFlatRnd", FlatCircle(false)),
      Image("CheckIks", Mark(kCross, vga::Red, vga::Red)),
      Image("CheckOk", Mark(kTick, vga::Blue, vga::Blue)),
      Image("CHECKELLI", Mark(kDot, vga::Blue, vga::Blue)),
      Image("CHECKEIKSB", Mark(kCross, vga::Blue, vga::Blue)),
      Image("CHECKIKSG", Mark(kCross, vga::Green, vga::Green)),
      Image("CHECKOKG", Mark(kTick, vga::Lime, vga::Green)),
      Image("CheckOkR", Mark(kTick, vga::Red, vga::Red)),
      Image("IKSGRAY", GrayedMark(kCross)),
      Image("CHECKGRAY", GrayedMark(kTick)),
      Image("QMR", Mark(kQuestion, vga::Red, vga::Red)),
      Image("QMB", Mark(kQuestion, vga::Blue, vga::Blue)),
      Image("QMG", Mark(kQuestion, vga::Green, vga::Green)),
  };
}

}  // namespace art
