#include <stdexcept>

#include "encoders.h"

namespace art {
namespace {

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// BITMAPFILEHEADER and BITMAPINFOHEADER for a bottom-up BI_RGB bitmap.
void Headers(LeWriter& w, int width, int height, int bits, int paletteSize) {
  const std::uint32_t pixelBytes = std::uint32_t(RowBytes(width, bits)) * height;
  const std::uint32_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + paletteSize * 4;
  w.U8('B');
  w.U8('M');
  w.U32(offset + pixelBytes);
  w.U32(0);
  w.U32(offset);
  w.U32(kBmpInfoHeaderSize);
  w.U32(std::uint32_t(width));
  w.U32(std::uint32_t(height));
  w.U16(1);
  w.U16(bits);
  w.U32(0);  // BI_RGB
  w.U32(pixelBytes);
  w.U32(2835);  // 72 dots per inch, in dots per metre
  w.U32(2835);
  w.U32(paletteSize);
  w.U32(0);
}

void Palette(LeWriter& w, const std::vector<Rgba>& palette) {
  for (const Rgba& c : palette) {
    w.U8(c.b);
    w.U8(c.g);
    w.U8(c.r);
    w.U8(0);
  }
}

void IndexRows(LeWriter& w, int width, int height, int bits,
               const std::vector<std::uint8_t>& indices) {
  const int rowBytes = RowBytes(width, bits);
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(rowBytes, 0);
    for (int x = 0; x < width; ++x) {
      const int bit = x * bits;
      const int shift = 8 - bits - bit % 8;
      row[bit / 8] |= std::uint8_t(indices[std::size_t(y) * width + x] << shift);
    }
    w.Append(row);
  }
}

}  // namespace

Bytes EncodeBmp24(const Canvas& img) {
  LeWriter w;
  Headers(w, img.Width(), img.Height(), 24, 0);
  const int pad = RowBytes(img.Width(), 24) - img.Width() * 3;
  for (int y = img.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      w.U8(c.b);
      w.U8(c.g);
      w.U8(c.r);
    }
    for (int i = 0; i < pad; ++i) w.U8(0);
  }
  return std::move(w.Out());
}

Bytes EncodeBmpIndexed(const Canvas& img, const std::vector<Rgba>& palette, int bits) {
  if (bits != 1 && bits != 4 && bits != 8) throw std::runtime_error("unsupported bit depth");
  if (palette.size() > (1u << bits)) throw std::runtime_error("palette too large");
  std::vector<std::uint8_t> indices(std::size_t(img.Width()) * img.Height());
  for (int y = 0; y < img.Height(); ++y) {
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      std::size_t i = 0;
      while (i < palette.size() &&
             !(palette[i].r == c.r && palette[i].g == c.g && palette[i].b == c.b))
        ++i;
      if (i == palette.size())
        throw std::runtime_error("pixel (" + std::to_string(x) + "," + std::to_string(y) +
                                 ") has a colour outside the palette");
      indices[std::size_t(y) * img.Width() + x] = std::uint8_t(i);
    }
  }
  LeWriter w;
  Headers(w, img.Width(), img.Height(), bits, int(palette.size()));
  Palette(w, palette);
  IndexRows(w, img.Width(), img.Height(), bits, indices);
  return std::move(w.Out());
}

Bytes EncodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                 const std::vector<Rgba>& palette) {
  if (palette.size() > 256 || indices.size() != std::size_t(width) * height)
    throw std::runtime_error("bad 8-bit bitmap data");
  LeWriter w;
  Headers(w, width, height, 8, int(palette.size()));
  Palette(w, palette);
  IndexRows(w, width, height, 8, indices);
  return std::move(w.Out());
}

}  // namespace art
