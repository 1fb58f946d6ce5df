// Check-box and radio-button images: 16 x 16, 16 colours, magenta cut out;
// drawn pixel by pixel at 100 % and from the same designs as crisp shapes
// at the larger scales.
// The box is 13 x 13 at (1, 1); its inside, where the marks go, is the
// 9 x 9 square at (3, 3). Marks are drawn over the box at the same place,
// so everything but the mark itself is magenta in a mark image.
#include <cmath>
#include <initializer_list>
#include <optional>

#include "crisp.h"
#include "palette.h"
#include "pictures.h"
#include "symbols.h"

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

// ---- larger scales ----

// Each line of the boxes is one line wide (LineWidth(1, s)).
struct ScaledBox {
  double s;
  int n = ScaledSide(kSize, s), line = LineWidth(1, s);
  int a = Snap(kBox, s), b = Snap(kBox + kBoxSize, s);  // the box's pixel span [a, b)
  Canvas Blank() const { return Canvas(n, n, kMagenta); }
};

Canvas ScaledSquare(const ScaledBox& k, bool sunken, bool whiteInside) {
  Canvas c = k.Blank();
  const int a = k.a, w = k.b - k.a, t = k.line;
  if (sunken) {
    c.FillRect(a, a, w, w, vga::White);  // the lit outer line, bottom and right
    c.FillRect(a, a, w - t, w - t, vga::Gray);
    c.FillRect(a + t, a + t, w - 2 * t, w - 2 * t, vga::Silver);
    c.FillRect(a + t, a + t, w - 3 * t, w - 3 * t, vga::Black);
    c.FillRect(a + 2 * t, a + 2 * t, w - 4 * t, w - 4 * t, whiteInside ? vga::White : kMagenta);
  } else {
    c.FillRect(a, a, w, w, vga::Gray);
    c.FillRect(a + t, a + t, w - 2 * t, w - 2 * t, whiteInside ? vga::White : kMagenta);
  }
  return c;
}

// The circle of the round boxes: its outer and inner rings one line wide,
// lit towards the bottom right as at 100 %.
Canvas ScaledCircle(const ScaledBox& k, bool sunken, bool whiteInside) {
  Canvas c = k.Blank();
  const double centre = (k.a + k.b) / 2.0, outer = (k.b - k.a) / 2.0;
  for (int y = 0; y < k.n; ++y)
    for (int x = 0; x < k.n; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre, d = std::hypot(dx, dy);
      const bool lit = dx + dy > 0;
      if (d > outer) continue;
      if (d > outer - k.line) c.Set(x, y, sunken ? (lit ? vga::White : vga::Gray) : vga::Gray);
      else if (sunken && d > outer - 2 * k.line) c.Set(x, y, lit ? vga::Silver : vga::Black);
      else if (whiteInside) c.Set(x, y, vga::White);
    }
  return c;
}

// The marks' shapes, in the units of the 9 x 9 mark at 100 %.
Region CrossShape() { return Cross(1.1, 1.1, 6.8, 2.0); }
Region TickShape() { return Tick(1.0, 1.2, 6.9, 6.4, 1.9); }
Region DotShape() { return DiscR(4.5, 4.5, 2.55); }
Region QuestionShape() { return QuestionMark(4.2, 0.1, 9.0, 1.9); }

// A mark over the box: its pixels in ink, those with no mark one line
// below them in the edge colour.
Canvas ScaledMark(const ScaledBox& k, const Region& mark, Rgba ink, Rgba edge,
                  Canvas base) {
  const double origin = kBox + 2;
  const CrispMask m(kSize, kSize, k.s, Shift(mark, origin, origin));
  for (int y = 0; y < k.n; ++y)
    for (int x = 0; x < k.n; ++x)
      if (m.At(x, y)) base.Set(x, y, m.At(x, y + k.line) ? ink : edge);
  return base;
}

Canvas ScaledGrayedMark(const ScaledBox& k, const Region& mark) {
  Canvas c = k.Blank();
  const int a = k.a + 2 * k.line, w = (k.b - k.line) - a - k.line;
  c.FillRect(a, a, w, w, vga::Silver);
  return ScaledMark(k, mark, vga::Gray, vga::Gray, c);
}

// The images, each drawn pixel by pixel at 100 % and as shapes above.
enum class Part { Square, FlatSquare, Circle, FlatCircle, Mark, Grayed };
enum class Sign { None, Cross, Tick, Dot, Question };

struct CheckImage {
  const char* name;
  Part part;
  bool whiteInside = false;
  Sign sign = Sign::None;
  Rgba ink{}, edge{};
};

const CheckImage kImages[] = {
    {"Blank", Part::Square, true},
    {"BlankFlat", Part::FlatSquare, true},
    {"Enabled", Part::Square},
    {"EnabledFlat", Part::FlatSquare},
    {"BlankRnd", Part::Circle, true},
    {"BlankFlatRnd", Part::FlatCircle, true},
    {"EnabledRnd", Part::Circle},
    {"EnabledFlatRnd", Part::FlatCircle},
    {"CheckIks", Part::Mark, false, Sign::Cross, vga::Red, vga::Red},
    {"CheckOk", Part::Mark, false, Sign::Tick, vga::Blue, vga::Blue},
    {"CHECKELLI", Part::Mark, false, Sign::Dot, vga::Blue, vga::Blue},
    {"CHECKEIKSB", Part::Mark, false, Sign::Cross, vga::Blue, vga::Blue},
    {"CHECKIKSG", Part::Mark, false, Sign::Cross, vga::Green, vga::Green},
    {"CHECKOKG", Part::Mark, false, Sign::Tick, vga::Lime, vga::Green},
    {"CheckOkR", Part::Mark, false, Sign::Tick, vga::Red, vga::Red},
    {"IKSGRAY", Part::Grayed, false, Sign::Cross},
    {"CHECKGRAY", Part::Grayed, false, Sign::Tick},
    {"QMR", Part::Mark, false, Sign::Question, vga::Red, vga::Red},
    {"QMB", Part::Mark, false, Sign::Question, vga::Blue, vga::Blue},
    {"QMG", Part::Mark, false, Sign::Question, vga::Green, vga::Green},
};

Rows HandDrawnSign(Sign sign) {
  switch (sign) {
    case Sign::Cross: return kCross;
    case Sign::Tick: return kTick;
    case Sign::Dot: return kDot;
    default: return kQuestion;
  }
}

Canvas HandDrawn(const CheckImage& i) {
  switch (i.part) {
    case Part::Square: return SunkenSquare(i.whiteInside);
    case Part::FlatSquare: return FlatSquare(i.whiteInside);
    case Part::Circle: return SunkenCircle(i.whiteInside);
    case Part::FlatCircle: return FlatCircle(i.whiteInside);
    case Part::Mark: return Mark(HandDrawnSign(i.sign), i.ink, i.edge);
    default: return GrayedMark(HandDrawnSign(i.sign));
  }
}

Region SignShape(Sign sign) {
  switch (sign) {
    case Sign::Cross: return CrossShape();
    case Sign::Tick: return TickShape();
    case Sign::Dot: return DotShape();
    default: return QuestionShape();
  }
}

Canvas Scaled(const ScaledBox& k, const CheckImage& i) {
  switch (i.part) {
    case Part::Square: return ScaledSquare(k, true, i.whiteInside);
    case Part::FlatSquare: return ScaledSquare(k, false, i.whiteInside);
    case Part::Circle: return ScaledCircle(k, true, i.whiteInside);
    case Part::FlatCircle: return ScaledCircle(k, false, i.whiteInside);
    case Part::Mark: return ScaledMark(k, SignShape(i.sign), i.ink, i.edge, k.Blank());
    default: return ScaledGrayedMark(k, SignShape(i.sign));
  }
}

}  // namespace

std::vector<Picture> CheckBoxImages(double s) {
  const ScaledBox k{s};
  std::vector<Picture> images;
  for (const CheckImage& i : kImages) images.push_back(Image(i.name, s == 1.0 ? HandDrawn(i) : Scaled(k, i)));
  return images;
}

}  // namespace art
