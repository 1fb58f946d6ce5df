// Glyphs of the drive box, the directory list and the file list: 16 x 16,
// true colour, keyed on magenta. The lists are white, so soft edges are
// composed over white.
#include "glyphfx.h"
#include "palette.h"
#include "pictures.h"
#include "shapes.h"

namespace art {
namespace {

constexpr Rgba kMatte = Rgb(0xFFFFFF);

Picture Glyph(const char* name, const Canvas& layer) {
  return {name, FlattenKeyed(layer, kMatte, kMagenta), BmpKind::kRgb24, kMagenta};
}

// The box of a drive as seen from the front and a little from above.
Canvas DriveBox(double s, double top, double bottom, Rgba led) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(RectR(1, top, 15, bottom), Linear({0, top}, Rgb(0xF2F3F5), {0, bottom}, Rgb(0x9EA4AE)));
  l.Fill(RectR(1, top, 15, top + 1), Rgb(0xFFFFFF));
  l.Fill(RectR(3, bottom - 3, 9, bottom - 2), Rgb(0x5A606A));
  l.Fill(RectR(11, bottom - 3.5, 13, bottom - 1.5), led);
  return Outlined(l, Rgb(0x4A505A));
}

Canvas FixedDrive(double s) { return DriveBox(s, 5, 12, Rgb(0x3CD23C)); }

Canvas Floppy(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(PolygonR({{2, 1}, {13, 1}, {15, 3}, {15, 15}, {2, 15}}), Rgb(0x2E4E9A));
  l.Fill(RectR(5, 1, 12, 6), Rgb(0xD6DAE0));
  l.Fill(RectR(9, 2, 11, 5), Rgb(0x3A3F48));
  l.Fill(RectR(4, 8, 13, 15), Rgb(0xFFFFFF));
  for (double y : {10.0, 12.0}) l.Fill(RectR(5, y, 12, y + 1), Rgb(0xA7B3C8));
  return Outlined(l, Rgb(0x162A5C));
}

Canvas CdRom(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  const Region disc = Minus(DiscR(8, 8, 7), DiscR(8, 8, 1.6));
  l.Fill(disc, Radial({8, 8}, 7, Rgb(0xE9EDF2), Rgb(0xB9C0CA)));
  // Rainbow sheen of the pressed tracks, strongest in two opposite sectors.
  l.Fill(Intersect(disc, ArcR(8, 8, 3, 6.4, 200, 250)), WithAlpha(Rgb(0x8FC8FF), 0.8));
  l.Fill(Intersect(disc, ArcR(8, 8, 3, 6.4, 250, 290)), WithAlpha(Rgb(0xFFB3E0), 0.7));
  l.Fill(Intersect(disc, ArcR(8, 8, 3, 6.4, 20, 70)), WithAlpha(Rgb(0xFFE58A), 0.8));
  l.Fill(RingR(8, 8, 1.6, 3), Rgb(0xD2D7DE));
  return Outlined(l, Rgb(0x5E6672));
}

Canvas NetDrive(double s) {
  Canvas out = DriveBox(s, 1, 8, Rgb(0x3CD23C));
  Canvas cable = Canvas::AtScale(16, 16, s);
  cable.Fill(RectR(7, 9, 9, 13), Rgb(0x2F343C));
  cable.Fill(RectR(1, 13, 15, 14.5), Rgb(0x2F343C));
  cable.Fill(RectR(6, 12, 10, 15.5), Rgb(0x3C7CD8));
  out.Draw(cable, 0, 0);
  return out;
}

Canvas RamDrive(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(RectR(0.5, 4, 15.5, 12), Rgb(0x2E8B45));
  for (double x : {2.0, 6.0, 10.0}) l.Fill(RectR(x, 5.5, x + 3.5, 9.5), Rgb(0x24272C));
  for (double x = 1.5; x < 15; x += 2) l.Fill(RectR(x, 10.5, x + 1, 12), Rgb(0xE8C24A));
  return Outlined(l, Rgb(0x1B4F28));
}

Canvas RemovableDrive(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(RectR(1, 5.5, 5, 10.5), Rgb(0xD3D7DD));
  l.Fill(RectR(2, 6.5, 3, 7.5), Rgb(0x4A505A));
  l.Fill(RectR(2, 8.5, 3, 9.5), Rgb(0x4A505A));
  l.Fill(RoundRectR(5, 4, 15, 12, 1.5, 1.5),
         Linear({0, 4}, Rgb(0x7FB0F0), {0, 12}, Rgb(0x2A5FB8)));
  l.Fill(RectR(7, 5, 13, 6), WithAlpha(Rgb(0xFFFFFF), 0.55));
  l.Fill(RectR(12, 9, 14, 10.5), Rgb(0xFFC23C));
  return Outlined(l, Rgb(0x243E6E));
}

constexpr Rgba kFolderLight = Rgb(0xFFE38A), kFolderDark = Rgb(0xE4A734),
               kFolderRim = Rgb(0x8E6614);

Canvas ClosedFolder(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(PolygonR({{1, 4.5}, {1.5, 2.5}, {6, 2.5}, {7, 4.5}}), kFolderDark);
  l.Fill(RectR(1, 4, 15, 14), Linear({0, 4}, kFolderLight, {0, 14}, kFolderDark));
  l.Fill(RectR(1.5, 4.5, 14.5, 5.5), WithAlpha(Rgb(0xFFFFFF), 0.65));
  return Outlined(l, kFolderRim);
}

Canvas OpenFolder(double s, bool current) {
  Canvas l = Canvas::AtScale(16, 16, s);
  const Rgba light = current ? Rgb(0xFFF0A8) : kFolderLight;
  const Rgba dark = current ? Rgb(0xF2B838) : kFolderDark;
  l.Fill(Union(PolygonR({{1, 4}, {1.5, 2}, {6, 2}, {7, 4}}), RectR(1, 3.5, 13, 14)),
         Darken(kFolderDark, 0.12));
  if (current) {
    l.Fill(RectR(3, 4.5, 12, 11), Rgb(0xFFFFFF));
    for (double y : {6.0, 8.0}) l.Fill(RectR(4.5, y, 10.5, y + 1), Rgb(0x6D9BE0));
  }
  l.Fill(PolygonR({{4, 7}, {15, 7}, {13, 14}, {1, 14}}), Linear({0, 7}, light, {0, 14}, dark));
  return Outlined(l, current ? Rgb(0xA8700C) : kFolderRim);
}

Canvas Executable(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(RectR(1, 2, 15, 14), Rgb(0xF4F7FB));
  l.Fill(RectR(1, 2, 15, 5), Linear({0, 2}, Rgb(0x6E9CE6), {0, 5}, Rgb(0x2557B4)));
  l.Fill(RectR(12, 3, 14, 4), Rgb(0xE8EEF8));
  l.Fill(RectR(3, 7, 8, 8), Rgb(0xA8B4C8));
  l.Fill(RectR(3, 9, 6, 10), Rgb(0xA8B4C8));
  return Outlined(l, Rgb(0x34445E));
}

Canvas Document(double s) {
  Canvas l = Canvas::AtScale(16, 16, s);
  l.Fill(PolygonR({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}), Rgb(0xFFFFFF));
  l.Fill(PolygonR({{10, 1}, {13, 4}, {10, 4}}), Rgb(0xC6CEDB));
  l.Fill(RectR(5, 3, 8, 4), Rgb(0x8C96A8));
  for (double y : {7.0, 9.0, 11.0}) l.Fill(RectR(5, y, 11, y + 1), Rgb(0x8C96A8));
  return Outlined(l, Rgb(0x56606F));
}

}  // namespace

std::vector<Picture> FilePaneGlyphs(double s) {
  return {
      Glyph("DRIVE_FLOPPY", Floppy(s)),
      Glyph("DRIVE_FIXED", FixedDrive(s)),
      Glyph("DRIVE_CDROM", CdRom(s)),
      Glyph("DRIVE_NET", NetDrive(s)),
      Glyph("DRIVE_RAM", RamDrive(s)),
      Glyph("DRIVE_REMOVABLE", RemovableDrive(s)),
      Glyph("FOLDER_OPEN", OpenFolder(s, false)),
      Glyph("FOLDER_CURRENT", OpenFolder(s, true)),
      Glyph("FOLDER_CLOSED", ClosedFolder(s)),
      Glyph("FILE_EXE", Executable(s)),
      Glyph("FILE_DOC", Document(s)),
  };
}

}  // namespace art
