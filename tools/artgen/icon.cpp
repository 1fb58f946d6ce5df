#include <stdexcept>

#include "encoders.h"

namespace art {
namespace {

int MaskRowBytes(int width) { return ((width + 31) / 32) * 4; }

// The BITMAPINFOHEADER of an icon or cursor image: its height counts the
// colour picture and the AND mask stacked.
void ImageHeader(LeWriter& w, int width, int height, int bits, std::uint32_t imageBytes) {
  w.U32(kBmpInfoHeaderSize);
  w.U32(std::uint32_t(width));
  w.U32(std::uint32_t(height * 2));
  w.U16(1);
  w.U16(bits);
  w.U32(0);
  w.U32(imageBytes);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  w.U32(0);
}

// One bit per pixel, bottom row first, set where pick says so.
template <typename Pick>
void MaskRows(LeWriter& w, const Canvas& img, Pick pick) {
  for (int y = img.Height() - 1; y >= 0; --y) {
    Bytes row(MaskRowBytes(img.Width()), 0);
    for (int x = 0; x < img.Width(); ++x)
      if (pick(img.Get(x, y))) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
    w.Append(row);
  }
}

Bytes IconImage(const Canvas& img) {
  const std::uint32_t colourBytes = std::uint32_t(img.Width()) * img.Height() * 4;
  const std::uint32_t maskBytes = std::uint32_t(MaskRowBytes(img.Width())) * img.Height();
  LeWriter w;
  ImageHeader(w, img.Width(), img.Height(), 32, colourBytes + maskBytes);
  for (int y = img.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      w.U8(c.b);
      w.U8(c.g);
      w.U8(c.r);
      w.U8(c.a);
    }
  }
  MaskRows(w, img, [](Rgba c) { return c.a == 0; });
  return std::move(w.Out());
}

Bytes CursorImage(const Canvas& img) {
  const std::uint32_t maskBytes = std::uint32_t(MaskRowBytes(img.Width())) * img.Height();
  LeWriter w;
  ImageHeader(w, img.Width(), img.Height(), 1, maskBytes * 2);
  w.U32(0x00000000);  // palette entry 0: black
  w.U32(0x00FFFFFF);  // palette entry 1: white
  for (int y = 0; y < img.Height(); ++y) {
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      const bool black = c == Rgba{0, 0, 0, 255}, white = c == Rgba{255, 255, 255, 255};
      if (!black && !white && c.a != 0)
        throw std::runtime_error("a monochrome cursor takes only black, white and clear");
    }
  }
  // XOR bits: white where drawn white; AND bits: set where the screen shows.
  MaskRows(w, img, [](Rgba c) { return c.a != 0 && c.r == 255; });
  MaskRows(w, img, [](Rgba c) { return c.a == 0; });
  return std::move(w.Out());
}

// ICONDIR and its entries; for cursors the entry's planes and bit count
// fields carry the hot spot instead.
Bytes Directory(int type, const std::vector<Canvas>& images, const std::vector<Bytes>& data,
                int hotX, int hotY) {
  LeWriter w;
  w.U16(0);
  w.U16(type);
  w.U16(std::uint32_t(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    w.U8(images[i].Width() >= 256 ? 0 : images[i].Width());
    w.U8(images[i].Height() >= 256 ? 0 : images[i].Height());
    w.U8(type == 2 ? 2 : 0);  // colours in the palette; none for 32-bit
    w.U8(0);
    w.U16(type == 2 ? hotX : 1);
    w.U16(type == 2 ? hotY : 32);
    w.U32(std::uint32_t(data[i].size()));
    w.U32(offset);
    offset += std::uint32_t(data[i].size());
  }
  for (const Bytes& d : data) w.Append(d);
  return std::move(w.Out());
}

}  // namespace

Bytes EncodeIcon(const std::vector<Canvas>& images) {
  std::vector<Bytes> data;
  for (const Canvas& img : images)
    data.push_back(img.Width() >= 256 ? EncodePng(img, true) : IconImage(img));
  return Directory(1, images, data, 0, 0);
}

Bytes EncodeMonoCursor(const Canvas& img, int hotX, int hotY) {
  return Directory(2, {img}, {CursorImage(img)}, hotX, hotY);
}

}  // namespace art
