// The Windows bitmap file format, read and written without the system: every
// size from the file is checked against the data before it is used, so that
// damaged or hostile files cannot make the reader run past its input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// One colour-table entry in the file's own byte order (an RGBQUAD).
struct BmpColor {
  std::uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
  bool operator==(const BmpColor&) const = default;
};

// A picture in the layout of a bottom-up DIB: rows from the bottom, each
// padded to 4 bytes. Depths 1, 4 and 8 use the colour table; 16 bits are
// 5-5-5 (or 5-6-5 with BitFields565); 24 and 32 bits are blue, green, red
// (and a fourth byte, alpha where there is one).
struct BmpImage {
  int Width = 0;
  int Height = 0;
  int BitCount = 24;
  bool BitFields565 = false;
  std::vector<BmpColor> ColorTable;
  std::vector<std::uint8_t> Bits;

  std::size_t Stride() const { return BmpStride(Width, BitCount); }
  static std::size_t BmpStride(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
  }
};

// Why a picture was refused: not a bitmap at all (or damaged), or a kind of
// bitmap this reader does not handle.
class BmpError : public std::runtime_error {
 public:
  enum Kind { Invalid, Unsupported };
  BmpError(Kind kind, const std::string& message) : std::runtime_error(message), FKind(kind) {}
  Kind kind() const { return FKind; }

 private:
  Kind FKind;
};

// The largest picture accepted, in pixels (8192 x 4096), and in decoded
// bytes that many pixels of its depth (a byte at least); bigger claims are
// damage, and a 32-bit process could not hold them anyway.
constexpr std::size_t BmpMaxPixels = std::size_t(1) << 25;

// A whole bitmap file (file header first). RLE4 and RLE8 are decoded;
// top-down rows are turned over; bit fields that match no DIB layout become
// 32 bits. Throws BmpError.
BmpImage DecodeBmpFile(const std::uint8_t* data, std::size_t size);
// A DIB without the file header, as a BITMAP resource holds it.
BmpImage DecodeDib(const std::uint8_t* data, std::size_t size);
// A bitmap file: a 40-byte info header, uncompressed (5-6-5 as bit fields),
// the colour table as it is, no resolution. The same image always gives the
// same bytes.
std::vector<std::uint8_t> EncodeBmpFile(const BmpImage& image);
