// The frame's window buttons, system-menu bar, size grip and rounded
// dialog corners: 16-colour pixel art.
#include <initializer_list>

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

}  // namespace

std::vector<Picture> FrameGlyphs() {
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

std::vector<Picture> FramePieces() {
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

}  // namespace art
