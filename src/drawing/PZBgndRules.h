// The window-free rules of the textured backgrounds: what a picture in the
// bitmap file format holds (checked against the bytes present), brightness
// variants of its pixels, nearest colours, merged palettes, and where tiles
// and centred pictures go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Why a picture cannot be a background: not a plain bitmap, or a compressed
// one. The messages are the ones the user sees.
class BgndPictureError : public std::runtime_error {
 public:
  enum Kind { Invalid, Unsupported };
  explicit BgndPictureError(Kind kind)
      : std::runtime_error(kind == Invalid ? "Invalid bitmap image" : "Unsupported bitmap image"),
        FKind(kind) {}
  Kind kind() const { return FKind; }

 private:
  Kind FKind;
};

// A picture in the bitmap file format, as a background reads it. Colours
// are 0x00RRGGBB.
struct BgndPicture {
  int Width = 0;
  int Height = 0;  // negative for rows stored top-down
  int BitCount = 0;
  std::vector<std::uint32_t> Colours;  // the colour table, at most 256 entries
  std::size_t InfoOffset = 0;          // the 40-byte info header
  std::size_t BitsOffset = 0;          // the pixel rows
  std::size_t BitsSize = 0;            // bytes of pixel rows available
  // In 64 bits: a hostile width times the depth overflows 32.
  std::uint64_t Stride() const {
    return ((static_cast<std::uint64_t>(Width) * static_cast<std::uint64_t>(BitCount) + 31) / 32) * 4;
  }
  std::uint64_t RowsSize() const;
};

// Reads the headers and the colour table: the info header must be 40 bytes
// with one plane (else Invalid), uncompressed (else Unsupported). The number
// of colours is the colours-used field, or 2, 16, 256 for 1, 4, 8 bits and 0
// for other depths; only entries that are present in the data are read, and
// at most 256. The pixel rows are the rest of the data, or the image-size
// field when that is non-zero and smaller; rows that are missing, a depth
// that is no bitmap depth or a size of 0 are Invalid.
BgndPicture ReadBgndPicture(const std::uint8_t* data, std::size_t size);

// A channel at key percent of its brightness, rounded, at most 255.
std::uint8_t ScaleChannel(std::uint8_t channel, int key);
std::uint32_t ScaleColour(std::uint32_t rgb, int key);
// The index of the colour with the smallest sum of channel differences; the
// lowest such index on ties; -1 for an empty palette.
int NearestColour(const std::vector<std::uint32_t>& palette, std::uint32_t rgb);

// 8 bits per pixel: each index is replaced by the index, in target, of the
// colour nearest to its colour in own scaled to key percent (indices beyond
// own count as black). One lookup per distinct index.
void RecolourIndices(std::uint8_t* bits, std::size_t size, const std::vector<std::uint32_t>& own,
                     const std::vector<std::uint32_t>& target, int key);
// 24 bits per pixel: every byte scaled to key percent.
void ScaleBytes(std::uint8_t* bits, std::size_t size, int key);

// The colours of several palettes, in order, each once, at most limit.
std::vector<std::uint32_t> MergePalettes(const std::vector<const std::vector<std::uint32_t>*>& palettes,
                                         std::size_t limit);

struct BgndRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// One copy from the picture to the area: destination, source, size.
struct BgndPiece {
  int X, Y, SrcX, SrcY, Width, Height;
};
// Tiles a picture of tileWidth x tileHeight over the area so that the
// area's top-left pixel shows the picture's pixel (phaseX, phaseY) taken
// modulo the picture's size: neighbouring areas with phases from one
// coordinate system show one continuous texture.
void TilePieces(const BgndRect& area, int phaseX, int phaseY, int tileWidth, int tileHeight,
                const std::function<void(const BgndPiece&)>& copy);
// The origin of a pattern brush of tileWidth x tileHeight (in 0 .. size - 1)
// for which the device pixel (deviceX, deviceY) shows the pattern's pixel
// (phaseX, phaseY) taken modulo the size: a pattern fill then tiles exactly
// as TilePieces does.
void BrushOrigin(long long deviceX, long long deviceY, int phaseX, int phaseY, int tileWidth,
                 int tileHeight, int& originX, int& originY);
// The part of a picture centred on the client rectangle that falls into the
// area; false when none does.
bool CentrePiece(const BgndRect& client, const BgndRect& area, int width, int height,
                 BgndPiece& piece);
