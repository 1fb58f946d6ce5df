// Glyphs of the main window's tool buttons: true colour, drawn
// anti-aliased and then keyed on magenta. Cell 0 is the active picture,
// cell 1 the idle one in calmer colours, cell 2 (where there is one) the
// disabled one, embossed in greys.
#include <cmath>
#include <numbers>

#include "glyphfx.h"
#include "palette.h"
#include "pictures.h"
#include "pixfont.h"
#include "shapes.h"
#include "symbols.h"

namespace art {
namespace {

// The buttons sit on the brushed metal or the silver client panel; soft
// edges are composed over a grey between the two.
constexpr Rgba kMatte = Rgb(0xC4C4C4);

Pt Polar(double cx, double cy, double r, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

// An arrow head at the clockwise end of a ring arc, pointing along it.
Region ArcHead(double cx, double cy, double r0, double r1, double at, double reach) {
  return PolygonR({Polar(cx, cy, r0 - 2.4, at), Polar(cx, cy, r1 + 2.4, at),
                   Polar(cx, cy, (r0 + r1) / 2, at + reach)});
}

Canvas RefreshArrows(double s) {
  const double c = 12, r0 = 5.4, r1 = 8.4;
  Canvas l = Canvas::AtScale(24, 24, s);
  const Region arrows =
      Union(Union(ArcR(c, c, r0, r1, 196, 302), ArcHead(c, c, r0, r1, 300, 42)),
            Union(ArcR(c, c, r0, r1, 16, 122), ArcHead(c, c, r0, r1, 120, 42)));
  l.Fill(arrows, Linear({6, 3}, Rgb(0x8EE06A), {18, 21}, Rgb(0x2C8A1E)));
  l.Fill(Intersect(arrows, ArcR(c, c, r1 - 1.2, r1, 205, 290)), WithAlpha(Rgb(0xFFFFFF), 0.5));
  return Outlined(l, Rgb(0x1D5A14));
}

// A closed folder with its tab on the left, (x, y) its top-left corner.
Canvas& ClosedFolder(Canvas& l, double x, double y, double w, double h, Rgba light, Rgba dark) {
  const Region tab = PolygonR({{x, y + 2}, {x + 0.5, y}, {x + w * 0.38, y}, {x + w * 0.45, y + 2}});
  const Region body = RoundRectR(x, y + 1.5, x + w, y + h, 0.8, 0.8);
  l.Fill(tab, dark);
  l.Fill(body, Linear({x, y}, light, {x, y + h}, dark));
  l.Fill(RectR(x + 0.5, y + 2, x + w - 0.5, y + 2.8), WithAlpha(Rgb(0xFFFFFF), 0.6));
  return l;
}

// An opened folder: the back wall with its tab and the front flap tilted
// open towards the viewer.
Canvas OpenFolder(double s, double x, double y, double w, double h, Rgba light, Rgba dark, bool page) {
  Canvas l = Canvas::AtScale(24, 24, s);
  const Region back = Union(PolygonR({{x, y + 1.8}, {x + 0.4, y}, {x + w * 0.35, y},
                                      {x + w * 0.42, y + 1.8}}),
                            RectR(x, y + 1.5, x + w - 2, y + h));
  l.Fill(back, Darken(dark, 0.1));
  if (page) l.Fill(RectR(x + 2, y + 2.5, x + w - 4, y + h - 2), Rgb(0xFFFFFF));
  const double top = y + h * 0.42;
  l.Fill(PolygonR({{x + 2.6, top}, {x + w, top}, {x + w - 2.4, y + h}, {x, y + h}}),
         Linear({x, top}, light, {x, y + h}, dark));
  return l;
}

Canvas ExploreWindow(double s) {
  Canvas win = Canvas::AtScale(24, 24, s);
  win.Fill(RectR(1, 2, 19, 17), Rgb(0xF4F7FB));
  win.Fill(RectR(1, 2, 19, 6), Linear({1, 2}, Rgb(0x6E9CE6), {1, 6}, Rgb(0x2557B4)));
  win.Fill(RectR(15, 3, 18, 5), Rgb(0xE8EEF8));
  win.Fill(RectR(3, 8, 9, 9), Rgb(0xA8B4C8));
  win.Fill(RectR(3, 10.5, 8, 11.5), Rgb(0xA8B4C8));
  Canvas out = Outlined(win, Rgb(0x34445E));
  out.Draw(Outlined(OpenFolder(s, 9, 10, 13.5, 11, Rgb(0xFFE489), Rgb(0xE2A532), true),
                    Rgb(0x8A6212)),
           0, 0);
  return out;
}

Canvas FolderTree(double s) {
  Canvas lines = Canvas::AtScale(24, 24, s);
  const Rgba dot = Rgb(0x5A6270);
  auto dotAt = [&](int x, int y) { lines.FillSnapped(x, y, x + 1, y + 1, dot); };
  for (int y = 9; y <= 19; y += 2) dotAt(5, y);
  for (int x = 7; x <= 9; x += 2) {
    dotAt(x, 13);
    dotAt(x, 19);
  }
  Canvas a = Canvas::AtScale(24, 24, s), b = Canvas::Like(a), c = Canvas::Like(a);
  const Rgba light = Rgb(0xFFE489), dark = Rgb(0xE2A532), rim = Rgb(0x8A6212);
  ClosedFolder(a, 1, 1, 10, 7, light, dark);
  ClosedFolder(b, 11, 9.5, 11, 7, light, dark);
  ClosedFolder(c, 11, 16, 11, 7, Rgb(0xA9D2FF), Rgb(0x4A88D6));
  Canvas out = lines;
  out.Draw(Outlined(a, rim), 0, 0);
  out.Draw(Outlined(b, rim), 0, 0);
  out.Draw(Outlined(c, Rgb(0x244E86)), 0, 0);
  return out;
}

Canvas HelpBall(double s) {
  Canvas l = Canvas::AtScale(18, 18, s);
  l.Fill(DiscR(9, 9, 8), Radial({6.5, 5.5}, 10, Rgb(0x9CCBFF), Rgb(0x1C4FB8)));
  l.Fill(EllipseR(8, 5.2, 4.6, 2.6), WithAlpha(Rgb(0xFFFFFF), 0.35));
  l.Fill(QuestionMark(9, 3.2, 12, 2.1), Rgb(0xFFFFFF));
  return Outlined(l, Rgb(0x123A86));
}

Canvas InsertHash(double s) {
  Canvas hash = Canvas::AtScale(24, 24, s);
  const double w = 2.6;
  const Region strokes =
      Union(Union(SegmentR({10, 3.5}, {7.6, 19.5}, w), SegmentR({16, 3.5}, {13.6, 19.5}, w)),
            Union(SegmentR({4.2, 8.4}, {18.8, 8.4}, w), SegmentR({3.4, 14.6}, {18, 14.6}, w)));
  hash.Fill(strokes, Linear({4, 3}, Rgb(0x3D74E0), {16, 20}, Rgb(0x10307E)));
  Canvas out = Outlined(hash, Rgb(0xF2F5FA));
  Canvas caret = Canvas::AtScale(24, 24, s);
  caret.Fill(Union(RectR(20.2, 4, 21.8, 21), Union(RectR(18.5, 3, 23.5, 4.6), RectR(18.5, 20.4, 23.5, 22))),
             Rgb(0xD42A1E));
  out.Draw(caret, 0, 0);
  return out;
}

Canvas Funnel(double s) {
  Canvas f = Canvas::AtScale(24, 24, s);
  const Region body = PolygonR({{2.5, 9}, {21.5, 9}, {14, 16}, {14, 21.5}, {10, 23}, {10, 16}});
  f.Fill(body, Linear({2, 9}, Rgb(0xB4ECF6), {14, 22}, Rgb(0x2A8CB0)));
  f.Fill(EllipseR(12, 9.4, 9.3, 1.4), Rgb(0xE8FAFE));
  f.Fill(PolygonR({{5, 10.6}, {8, 10.6}, {11.4, 14.6}, {11.4, 20}, {10.6, 20.4}, {10.6, 15.2}}),
         WithAlpha(Rgb(0xFFFFFF), 0.5));
  Canvas out = Outlined(f, Rgb(0x1A5670));
  DrawText(out, (24 - TextWidth("*.*")) / 2, -1, "*.*", Rgb(0x14307A));
  return out;
}

Canvas FileNameIntoLine(double s) {
  Canvas page = Canvas::AtScale(24, 24, s);
  page.Fill(PolygonR({{2, 1}, {10, 1}, {13, 4}, {13, 13}, {2, 13}}), Rgb(0xFFFFFF));
  page.Fill(PolygonR({{10, 1}, {13, 4}, {10, 4}}), Rgb(0xC9D1DE));
  for (double y : {6.0, 8.0, 10.0}) page.Fill(RectR(4, y, 11, y + 1), Rgb(0x8C96A8));
  page.Fill(RectR(4, 3, 8, 4), Rgb(0x8C96A8));
  Canvas out = Outlined(page, Rgb(0x4E5869));

  Canvas arrow = Canvas::AtScale(24, 24, s);
  arrow.Fill(Union(RectR(16.6, 2, 19.4, 10), PolygonR({{14, 9.5}, {22, 9.5}, {18, 14}})),
             Linear({16, 2}, Rgb(0x7CD860), {16, 14}, Rgb(0x2C8A1E)));
  out.Draw(Outlined(arrow, Rgb(0x1D5A14)), 0, 0);

  Canvas field = Canvas::AtScale(24, 24, s);
  field.Fill(RectR(2, 16, 22, 22), Rgb(0xFFFFFF));
  field.Fill(RectR(4, 18.5, 12, 19.7), Rgb(0x1E3C8C));
  field.Fill(RectR(13.5, 17, 14.7, 21), Rgb(0xD42A1E));
  out.Draw(Outlined(field, Rgb(0x4E5869)), 0, 0);
  return out;
}

// A console window: title bar, black screen and prompt lines.
Canvas Console(double s, double x0, double y0, double x1, double y1, bool lines) {
  Canvas l = Canvas::AtScale(18, 18, s);
  l.Fill(RectR(x0, y0, x1, y1), Rgb(0x14161C));
  l.Fill(RectR(x0, y0, x1, y0 + 2.5), Linear({x0, y0}, Rgb(0x6E9CE6), {x0, y0 + 2.5}, Rgb(0x2557B4)));
  if (lines) {
    for (double y = y0 + 4; y + 1 <= y1 - 0.5; y += 3) {
      l.Fill(RectR(x0 + 1.5, y, x0 + 2.5, y + 1), Rgb(0x7CE060));
      l.Fill(RectR(x0 + 3.5, y, x1 - 2 - (int(y) % 2) * 2, y + 1), Rgb(0xC8CCD4));
    }
  }
  return Outlined(l, Rgb(0x3A4150));
}

Canvas BatchStack(double s) {
  Canvas out = Console(s, 6, 1, 17, 10, false);
  out.Draw(Console(s, 2, 5, 13, 16, true), 0, 0);
  return out;
}

Picture Strip(const char* name, const Canvas& active, bool withDisabled) {
  const int side = active.Width();
  const int cells = withDisabled ? 3 : 2;
  Canvas pic(side * cells, side, kMagenta);
  pic.Put(FlattenKeyed(active, kMatte, kMagenta), 0, 0);
  pic.Put(FlattenKeyed(IdleLook(active), kMatte, kMagenta), side, 0);
  if (withDisabled) pic.Put(FlattenKeyed(DisabledLook(active), kMatte, kMagenta), 2 * side, 0);
  return {name, pic, BmpKind::kRgb24, kMagenta};
}

}  // namespace

std::vector<Picture> ToolGlyphs(double s) {
  return {
      Strip("GLYPH_UPDATE", RefreshArrows(s), false),
      Strip("GLYPH_EXPLORE", ExploreWindow(s), false),
      Strip("GLYPH_EXPLORER", FolderTree(s), false),
      Strip("GLYPH_HELP", HelpBall(s), false),
      Strip("GLYPH_CROSS", InsertHash(s), true),
      Strip("GLYPH_FILTER", Funnel(s), true),
      Strip("GLYPH_FNAME", FileNameIntoLine(s), true),
      Strip("GLYPH_BATCH", BatchStack(s), false),
  };
}

}  // namespace art
