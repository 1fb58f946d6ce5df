// The program's pictures, icons, cursor, sound and skin files, each built
// in memory by code. catalogue.cpp turns them into files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "raster.h"
#include "bytes.h"

namespace art {

enum class BmpKind {
  kVga16,  // 4 bits per pixel, the standard 16 colours, crisp
  kRgb24,  // true colour
};

// A picture that becomes a bitmap resource or a bitmap file. key is the
// colour the program cuts out; it must be the bottom-left pixel, because
// that is where the consumers read their transparent colour from.
struct Picture {
  std::string name;
  Canvas image;
  BmpKind kind = BmpKind::kVga16;
  std::optional<Rgba> key;
};

// Every picture is drawn at a scale s of kScales (raster.h): at 1 it has its
// designed size, at 1.5 and 2 it is drawn again at ScaledSide of it, with
// the same design in finer pixels. Names are those of the 100 % picture.

// Window buttons of the frame: two 14 x 14 cells on silver (normal, idle).
std::vector<Picture> FrameGlyphs(double s);
// System-menu bar, size grip and the four rounded dialog corners.
std::vector<Picture> FramePieces(double s);
// Check-box boxes, marks, grayed marks and question marks.
std::vector<Picture> CheckBoxImages(double s);
// Tool buttons of the main window: active, idle (and disabled) cells.
std::vector<Picture> ToolGlyphs(double s);
// Drive, folder and file glyphs of the file panes.
std::vector<Picture> FilePaneGlyphs(double s);

// The motifs of the icon and the intro picture, drawn on a clear layer of
// the given size: a quill from its upper end to its nib, and a console
// window with its title bar.
struct QuillPlacement {
  Pt top;     // the feather's upper end
  Pt nib;     // the writing tip
  double wideSide, narrowSide;  // greatest half-widths of the vane
  double bend;    // how far the feather bows away from the straight axis
  double stroke;  // width of the shaft
};
Canvas Quill(int width, int height, double s, const QuillPlacement& q);
Canvas ConsoleWindow(int width, int height, double s, double x0, double y0, double x1, double y1,
                     double title);

// The sides of the program's icon: the small and large icons of 100 %,
// 125 %, 150 % and 200 %, and the 256 pixels the system shows largest.
inline constexpr int kIconSides[] = {16, 20, 24, 32, 40, 48, 64, 256};
// The program's icon at those sides, with alpha; each drawn at its side.
std::vector<Canvas> MainIconImages();
// The 16 x 16 system-menu picture of the main window (same motif).
Picture Icon16Bitmap(double s);

struct CursorArt {
  Canvas image;  // black, white and clear only
  int hotX = 0, hotY = 0;
};
CursorArt HandCursor();

constexpr int kClickSampleRate = 22050;
std::vector<std::int16_t> ClickSound();

// Skin files below the folder "Skins": path relative to it and contents.
struct SkinFile {
  std::string path;
  Bytes data;
};
std::vector<SkinFile> MetalSkins(double s);

struct SkinPicture {
  std::string path;
  Canvas image;
  bool alpha = false;  // PNG with an alpha channel
};
std::vector<SkinPicture> ShadedSkins(double s);

// The intro box's picture, 394 x 205 at 100 %, opaque.
Canvas IntroPicture(double s);

// Faces of the dialog buttons, named as their files without ".bmp".
std::vector<Picture> ButtonFaces(double s);

}  // namespace art
