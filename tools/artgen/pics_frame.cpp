// The frame's window buttons, system-menu bar, size grip and rounded
// dialog corners: 16-colour pixel art, drawn pixel by pixel at 100 % and
// from the same designs as crisp shapes at the larger scales.
#include <initializer_list>

#include <algorithm>
#include <array>
#include <cmath>

#include "crisp.h"
#include "palette.h"
#include "pictures.h"

namespace art {
namespace {

constexpr int kCell = 14;
using Rows = std::initializer_list<const char*>;

// One cell: the symbol's pixels ('#') in ink, engraved by a white pixel
// below and right of every edge pixel, on the silver ground.
Canvas Cell(Rows mask, Rgba ink) {
  Canvas c(kCell, kCell, vga::Silver);
  auto inMask = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= kCell || y >= kCell) return false;
    return (mask.begin()[y])[x] == '#';
  };
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x)
      if (inMask(x, y) && !inMask(x + 1, y + 1)) c.Set(x + 1, y + 1, vga::White);
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x)
      if (inMask(x, y)) c.Set(x, y, ink);
  return c;
}

// Left cell: black, shown while the pointer is over the button; right
// cell: grey, shown while it rests.
Picture TwoCells(const char* name, Rows mask) {
  Canvas pic(2 * kCell, kCell, vga::Silver);
  pic.Put(Cell(mask, vga::Black), 0, 0);
  pic.Put(Cell(mask, vga::Gray), kCell, 0);
  return {name, pic, BmpKind::kVga16, vga::Silver};
}

Picture SystemMenuBar() {
  Canvas c(16, 16, kMagenta);
  c.FillRect(3, 7, 12, 4, vga::Gray);    // shadow, one pixel down and right
  c.FillRect(2, 6, 12, 4, vga::Black);   // the bar's outline
  c.FillRect(3, 7, 10, 2, vga::White);
  return {"SYSM_M", c, BmpKind::kVga16, kMagenta};
}

// Three grooves, each a highlight line and two shadow lines, along the
// diagonals x + y = c in the lower right corner. The smallest c used stays
// above 15, so the bottom-left pixel is never touched.
Picture SizeGrip() {
  Canvas c(16, 16, kMagenta);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int d = x + y;
      if (d < 19) continue;
      switch ((d - 19) % 4) {
        case 0: c.Set(x, y, vga::White); break;
        case 1: c.Set(x, y, vga::Gray); break;
        case 2: c.Set(x, y, vga::Gray); break;
        default: break;
      }
    }
  }
  return {"ECKE_M", c, BmpKind::kVga16, kMagenta};
}

// Rounded corners of dialog frames. Each draws only the rim of the curve
// and the start of the straight edges beside it: a black outer line, and
// inside it white where the frame faces the light (top, left) and grey
// where it faces away (right, bottom). Everything else, inside and outside
// the curve, is magenta and therefore not drawn.
Picture Corner(const char* name, int w, int h, Rows rows) {
  Canvas c(w, h, kMagenta);
  c.Stamp(0, 0, rows, {{'B', vga::Black}, {'W', vga::White}, {'g', vga::Gray}});
  return {name, c, BmpKind::kVga16, kMagenta};
}

std::vector<Picture> HandDrawnFrameGlyphs() {
  return {
      TwoCells("X_M", {"..............",
                       "..............",
                       "..............",
                       "...##....##...",
                       "...###..###...",
                       "....######....",
                       ".....####.....",
                       ".....####.....",
                       "....######....",
                       "...###..###...",
                       "...##....##...",
                       "..............",
                       "..............",
                       ".............."}),
      TwoCells("UP_M", {"..............",
                        "..............",
                        "..............",
                        "...########...",
                        "...########...",
                        "..............",
                        "......##......",
                        ".....####.....",
                        "....######....",
                        "...########...",
                        "..............",
                        "..............",
                        "..............",
                        ".............."}),
      TwoCells("DOWN_M", {"..............",
                          "..............",
                          "..............",
                          "...########...",
                          "....######....",
                          ".....####.....",
                          "......##......",
                          "..............",
                          "...########...",
                          "...########...",
                          "..............",
                          "..............",
                          "..............",
                          ".............."}),
      TwoCells("BIG_M", {"..............",
                         "..............",
                         "..##########..",
                         "..##########..",
                         "..#........#..",
                         "..#........#..",
                         "..#........#..",
                         "..#........#..",
                         "..#........#..",
                         "..#........#..",
                         "..##########..",
                         "..............",
                         "..............",
                         ".............."}),
      TwoCells("RESTORE_M", {"..............",
                             "..............",
                             ".....#######..",
                             ".....#######..",
                             ".....#.....#..",
                             "..#######..#..",
                             "..#######..#..",
                             "..#.....####..",
                             "..#.....#.....",
                             "..#.....#.....",
                             "..#######.....",
                             "..............",
                             "..............",
                             ".............."}),
      TwoCells("ZOOMIN_M", {"..............",
                            "...#####......",
                            "..#.....#.....",
                            ".#...#...#....",
                            ".#...#...#....",
                            ".#.#####.#....",
                            ".#...#...#....",
                            ".#...#...#....",
                            "..#.....#.....",
                            "...#####.#....",
                            ".........###..",
                            "..........###.",
                            "...........##.",
                            ".............."}),
      TwoCells("ZOOMOUT_M", {"..............",
                             "...#####......",
                             "..#.....#.....",
                             ".#.......#....",
                             ".#.......#....",
                             ".#.#####.#....",
                             ".#.......#....",
                             ".#.......#....",
                             "..#.....#.....",
                             "...#####.#....",
                             ".........###..",
                             "..........###.",
                             "...........##.",
                             ".............."}),
  };
}

std::vector<Picture> HandDrawnFramePieces() {
  return {
      SystemMenuBar(),
      SizeGrip(),
      Corner("RUNDLO", 5, 16,
             {"...BB", "..BWW", ".BW..", ".BW..", "BW...", "BW...", "BW...", "BW...", "BW...",
              "BW...", "BW...", "BW...", "BW...", "BW...", "BW...", "....."}),
      Corner("RUNDRO", 6, 16,
             {"BBB...", "WWWB..", "...gB.", "....gB", "....gB", "....gB", "....gB", "....gB",
              "....gB", "....gB", "....gB", "....gB", "....gB", "....gB", "....gB", "......"}),
      Corner("RUNDLU", 5, 5, {"BW...", "BW...", ".BW..", "..Bgg", "...BB"}),
      Corner("RUNDRU", 6, 5, {"....gB", "....gB", "...gB.", "gggB..", ".BB..."}),
  };
}


// ---- larger scales: the same designs as shapes in the units of 100 % ----

// A glyph cell at scale s: the shape engraved in ink on silver.
Canvas ScaledCell(double s, const Region& shape, Rgba ink) {
  const CrispMask mask(kCell, kCell, s, shape);
  Canvas c(mask.Width(), mask.Height(), vga::Silver);
  Engrave(c, mask, ink, vga::White);
  return c;
}

Picture ScaledTwoCells(const char* name, double s, const Region& shape) {
  const Canvas active = ScaledCell(s, shape, vga::Black), idle = ScaledCell(s, shape, vga::Gray);
  Canvas pic(2 * active.Width(), active.Height(), vga::Silver);
  pic.Put(active, 0, 0);
  pic.Put(idle, active.Width(), 0);
  return {name, pic, BmpKind::kVga16, vga::Silver};
}

// Bars of the symbols, snapped so that equal bars stay equal.
Region Bars(double s, std::initializer_list<std::array<double, 4>> bars) {
  Region all = [](double, double) { return false; };
  for (const auto& b : bars) all = Union(all, SnappedRectR(b[0], b[1], b[2], b[3], s));
  return all;
}

// The magnifier of the zoom buttons: a ring one line wide, its handle,
// and a plus or a minus inside.
Region Magnifier(double s, bool plus) {
  const double ring = LineWidth(1, s) / s;
  Region r = Union(RingR(5.5, 5.5, 4.5 - ring, 4.5), SegmentR({9.3, 9.3}, {11.9, 11.9}, 2.2));
  r = Union(r, SnappedRectR(3, 5, 8, 6, s));
  if (plus) r = Union(r, SnappedRectR(5, 3, 6, 8, s));
  return r;
}

std::vector<Picture> ScaledFrameGlyphs(double s) {
  const Region cross = Union(SegmentR({3.7, 3.7}, {10.3, 10.3}, 2.3), SegmentR({10.3, 3.7}, {3.7, 10.3}, 2.3));
  return {
      ScaledTwoCells("X_M", s, cross),
      ScaledTwoCells("UP_M", s, Union(Bars(s, {{3, 3, 11, 5}}), PolygonR({{7, 5}, {11.5, 10}, {2.5, 10}}))),
      ScaledTwoCells("DOWN_M", s, Union(Bars(s, {{3, 8, 11, 10}}), PolygonR({{2.5, 3}, {11.5, 3}, {7, 8}}))),
      ScaledTwoCells("BIG_M", s, Bars(s, {{2, 2, 12, 4}, {2, 4, 3, 11}, {11, 4, 12, 11}, {2, 10, 12, 11}})),
      ScaledTwoCells("RESTORE_M", s,
                     Bars(s, {{5, 2, 12, 4}, {5, 4, 6, 5}, {11, 4, 12, 8}, {9, 7, 12, 8},
                              {2, 5, 9, 7}, {2, 7, 3, 11}, {8, 7, 9, 11}, {2, 10, 9, 11}})),
      ScaledTwoCells("ZOOMIN_M", s, Magnifier(s, true)),
      ScaledTwoCells("ZOOMOUT_M", s, Magnifier(s, false)),
  };
}

// The system-menu bar: a black outline one line wide around a white bar,
// and its grey shadow one line down and right.
Picture ScaledSystemMenuBar(double s) {
  const int line = LineWidth(1, s);
  Canvas c(ScaledSide(16, s), ScaledSide(16, s), kMagenta);
  const int x0 = Snap(2, s), y0 = Snap(6, s), x1 = Snap(14, s), y1 = Snap(10, s);
  c.FillRect(x0 + line, y0 + line, x1 - x0, y1 - y0, vga::Gray);
  c.FillRect(x0, y0, x1 - x0, y1 - y0, vga::Black);
  c.FillRect(x0 + line, y0 + line, x1 - x0 - 2 * line, y1 - y0 - 2 * line, vga::White);
  return {"SYSM_M", c, BmpKind::kVga16, kMagenta};
}

// Three grooves along the diagonals, as at 100 %: a highlight line and a
// shadow twice as wide, the pattern repeating every four lines' worth.
Picture ScaledSizeGrip(double s) {
  const int n = ScaledSide(16, s), line = LineWidth(1, s), period = ScaledSide(4, s);
  const int first = ScaledSide(19, s);
  Canvas c(n, n, kMagenta);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const int d = x + y;
      if (d < first) continue;
      const int phase = (d - first) % period;
      if (phase < line) c.Set(x, y, vga::White);
      else if (phase < 3 * line) c.Set(x, y, vga::Gray);
    }
  return {"ECKE_M", c, BmpKind::kVga16, kMagenta};
}

// A rounded corner of a dialog frame at scale s, w x h at 100 %. The
// window's outline there is a quarter of the 11 x 11 ellipse of its
// region: the outermost line inside it is black, the next one white where
// the frame faces the light (litTop: along the top; litLeft: along the
// left) and grey where it faces away. right / bottom: which corner.
Picture ScaledCorner(const char* name, double s, int w, int h, bool right, bool bottom,
                     bool litTop, bool litLeft) {
  const int pw = ScaledSide(w, s), ph = ScaledSide(h, s), line = LineWidth(1, s);
  const double r = 5.5 * s;
  // The corner's circle sits r in from the window's corner, which lies at
  // the picture's outer corner.
  const double cx = right ? pw - r : r, cy = bottom ? ph - r : r;
  Canvas c(pw, ph, kMagenta);
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < pw; ++x) {
      // The upper corners' last row stays clear, as at 100 %, and so does
      // every bottom-left pixel: it is the key.
      if (!bottom && y >= ScaledSide(15, s)) continue;
      if (x < line && y >= ph - line) continue;
      const double px = x + 0.5, py = y + 0.5;
      const double ex = right ? pw - px : px, ey = bottom ? ph - py : py;  // from the outer edges
      const bool curve = (right ? px > cx : px < cx) && (bottom ? py > cy : py < cy);
      const double depth = curve ? r - std::hypot(px - cx, py - cy) : std::min(ex, ey);
      if (depth < 0 || depth >= 2 * line) continue;
      if (depth < line) {
        c.Set(x, y, vga::Black);
        continue;
      }
      // Along the top edge or the left edge: which edge is nearer.
      const bool nearTop = curve ? std::abs(py - cy) > std::abs(px - cx) : ey < ex;
      c.Set(x, y, (nearTop ? (!bottom && litTop) : litLeft) ? vga::White : vga::Gray);
    }
  return {name, c, BmpKind::kVga16, kMagenta};
}

std::vector<Picture> ScaledFramePieces(double s) {
  return {
      ScaledSystemMenuBar(s),
      ScaledSizeGrip(s),
      ScaledCorner("RUNDLO", s, 5, 16, false, false, true, true),
      ScaledCorner("RUNDRO", s, 6, 16, true, false, true, false),
      ScaledCorner("RUNDLU", s, 5, 5, false, true, false, true),
      ScaledCorner("RUNDRU", s, 6, 5, true, true, false, false),
  };
}

}  // namespace

std::vector<Picture> FrameGlyphs(double s) { return s == 1.0 ? HandDrawnFrameGlyphs() : ScaledFrameGlyphs(s); }

std::vector<Picture> FramePieces(double s) { return s == 1.0 ? HandDrawnFramePieces() : ScaledFramePieces(s); }

}  // namespace art
