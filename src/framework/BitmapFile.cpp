#include "framework/BitmapFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

[[noreturn]] void Invalid() { throw BmpError(BmpError::Invalid, "Invalid bitmap image"); }
[[noreturn]] void Unsupported() {
  throw BmpError(BmpError::Unsupported, "Unsupported bitmap image");
}

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// What the info header says, checked for sense.
struct DibHeader {
  std::size_t HeaderSize = 0;
  int Width = 0;
  int Height = 0;  // always positive; TopDown tells the row order
  bool TopDown = false;
  int BitCount = 0;
  std::uint32_t Compression = kRgb;
  std::uint32_t SizeImage = 0;
  std::uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  std::size_t TableOffset = 0;            // from the start of the DIB
  std::size_t TableEntries = 0;           // entries stored in the file
  std::size_t EntrySize = 4;              // 3 in the old OS/2 format
};

void CheckDepthAndCompression(const DibHeader& h) {
  switch (h.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    case 0: case 2: case 64: Unsupported();
    default: Invalid();
  }
  switch (h.Compression) {
    case kRgb: break;
    case kRle8: if (h.BitCount != 8) Invalid(); break;
    case kRle4: if (h.BitCount != 4) Invalid(); break;
    case kBitFields: if (h.BitCount != 16 && h.BitCount != 32) Invalid(); break;
    default: Unsupported();  // JPEG, PNG and whatever comes later
  }
}

DibHeader ReadCoreHeader(const std::uint8_t* dib, std::size_t size) {
  if (size < 12) Invalid();
  DibHeader h;
  h.HeaderSize = 12;
  h.Width = U16(dib + 4);
  h.Height = U16(dib + 6);
  if (U16(dib + 8) != 1) Invalid();
  h.BitCount = U16(dib + 10);
  h.EntrySize = 3;
  h.TableOffset = 12;
  if (h.BitCount <= 8) h.TableEntries = std::size_t(1) << h.BitCount;
  return h;
}

DibHeader ReadInfoHeader(const std::uint8_t* dib, std::size_t size, std::size_t headerSize) {
  if (size < headerSize) Invalid();
  DibHeader h;
  h.HeaderSize = headerSize;
  h.Width = I32(dib + 4);
  std::int32_t height = I32(dib + 8);
  if (height == std::numeric_limits<std::int32_t>::min()) Invalid();
  h.TopDown = height < 0;
  h.Height = height < 0 ? -height : height;
  if (U16(dib + 12) != 1) Invalid();
  h.BitCount = U16(dib + 14);
  h.Compression = U32(dib + 16);
  h.SizeImage = U32(dib + 20);
  // The OS/2 2.x header numbers its own compressions from 3 on.
  if (headerSize == 64 && h.Compression >= kBitFields) Unsupported();
  h.TableOffset = headerSize;
  if (h.Compression == kBitFields) {
    // The masks follow a plain info header; later headers hold them inside.
    const std::uint8_t* m = dib + 40;
    if (headerSize == kInfoHeaderSize) {
      if (size < headerSize + 12) Invalid();
      h.TableOffset += 12;
    }
    for (int i = 0; i < 3; ++i) h.Masks[i] = U32(m + 4 * i);
    if (headerSize >= 56) h.Masks[3] = U32(m + 12);
  }
  std::uint32_t used = U32(dib + 32);
  if (h.BitCount <= 8) {
    std::size_t full = std::size_t(1) << std::min(h.BitCount, 8);
    h.TableEntries = used == 0 || used > full ? full : used;
  } else {
    h.TableEntries = used;  // an optional table that only shifts the pixels
  }
  return h;
}

DibHeader ReadHeader(const std::uint8_t* dib, std::size_t size) {
  if (size < 4) Invalid();
  std::uint32_t headerSize = U32(dib);
  DibHeader h;
  switch (headerSize) {
    case 12: h = ReadCoreHeader(dib, size); break;
    case 40: case 52: case 56: case 64: case 108: case 124:
      h = ReadInfoHeader(dib, size, headerSize);
      break;
    default: Invalid();
  }
  CheckDepthAndCompression(h);
  if (h.Width <= 0 || h.Height <= 0) Invalid();
  if (static_cast<std::uint64_t>(h.Width) * static_cast<std::uint64_t>(h.Height) > BmpMaxPixels)
    Invalid();
  // The decoded rows in bytes, padding included: a narrow picture would
  // otherwise take four bytes for each pixel of its few columns.
  const std::uint64_t bytesPerPixel = (h.BitCount + 7) / 8;
  if (static_cast<std::uint64_t>(BmpImage::BmpStride(h.Width, h.BitCount)) * h.Height >
      BmpMaxPixels * bytesPerPixel)
    Invalid();
  // Run-length pictures are always stored from the bottom.
  if (h.TopDown && (h.Compression == kRle4 || h.Compression == kRle8)) Invalid();
  return h;
}

std::vector<BmpColor> ReadTable(const DibHeader& h, const std::uint8_t* dib, std::size_t size) {
  std::vector<BmpColor> table;
  if (h.BitCount > 8) return table;
  if (h.TableEntries == 0) Invalid();  // indexed pixels need colours
  if (h.TableOffset + h.TableEntries * h.EntrySize > size) Invalid();
  for (std::size_t i = 0; i < h.TableEntries; ++i) {
    const std::uint8_t* e = dib + h.TableOffset + i * h.EntrySize;
    table.push_back(BmpColor{e[0], e[1], e[2], 0});
  }
  return table;
}

// ---- pixels --------------------------------------------------------------------------
int MaskShift(std::uint32_t mask) {
  int s = 0;
  while (s < 32 && !(mask & (std::uint32_t(1) << s))) ++s;
  return s;
}

int MaskBits(std::uint32_t mask) {
  int n = 0;
  for (; mask; mask &= mask - 1) ++n;
  return n;
}

std::uint8_t Channel(std::uint32_t v, std::uint32_t mask, std::uint8_t none) {
  if (!mask) return none;
  int shift = MaskShift(mask), bits = MaskBits(mask);
  std::uint64_t max = (std::uint64_t(1) << bits) - 1;
  std::uint64_t c = (v & mask) >> shift;
  return static_cast<std::uint8_t>(std::min<std::uint64_t>(c, max) * 255 / max);
}

// Bit fields of no DIB layout: each pixel becomes blue, green, red, alpha.
void ConvertBitFields(const DibHeader& h, const std::uint8_t* src, std::size_t srcStride,
                      BmpImage& out) {
  out.BitCount = 32;
  out.Bits.assign(out.Stride() * out.Height, 0);
  const int bytes = h.BitCount / 8;
  for (int y = 0; y < out.Height; ++y) {
    const std::uint8_t* row = src + srcStride * static_cast<std::size_t>(y);
    std::uint8_t* dst = out.Bits.data() + out.Stride() * static_cast<std::size_t>(y);
    for (int x = 0; x < out.Width; ++x) {
      std::uint32_t v = bytes == 2 ? U16(row + 2 * x) : U32(row + 4 * x);
      dst[4 * x] = Channel(v, h.Masks[2], 0);
      dst[4 * x + 1] = Channel(v, h.Masks[1], 0);
      dst[4 * x + 2] = Channel(v, h.Masks[0], 0);
      dst[4 * x + 3] = Channel(v, h.Masks[3], 0);
    }
  }
}

void ReadPlainPixels(const DibHeader& h, const std::uint8_t* data, std::size_t size,
                     BmpImage& out) {
  const std::size_t stride = BmpImage::BmpStride(h.Width, h.BitCount);
  const std::size_t total = stride * static_cast<std::size_t>(h.Height);
  if (total > size) Invalid();
  // Turn top-down rows over into the bottom-up order of a DIB.
  std::vector<std::uint8_t> rows(total);
  for (int y = 0; y < h.Height; ++y) {
    int from = h.TopDown ? h.Height - 1 - y : y;
    std::memcpy(rows.data() + stride * y, data + stride * from, stride);
  }
  out.BitCount = h.BitCount;
  if (h.Compression == kBitFields) {
    const std::uint32_t r = h.Masks[0], g = h.Masks[1], b = h.Masks[2];
    if (h.BitCount == 16 && r == 0x7C00 && g == 0x03E0 && b == 0x001F) {
      // the plain 5-5-5 layout
    } else if (h.BitCount == 16 && r == 0xF800 && g == 0x07E0 && b == 0x001F) {
      out.BitFields565 = true;
    } else if (h.BitCount == 32 && r == 0xFF0000 && g == 0xFF00 && b == 0xFF) {
      // blue, green, red, fourth byte: as a plain 32-bit DIB
    } else {
      ConvertBitFields(h, rows.data(), stride, out);
      return;
    }
  }
  out.Bits = std::move(rows);
}

// Run-length pictures: runs and literal strings of pixels, with commands for
// the end of a line, of the picture, and a jump ahead. Pixels beyond the
// picture are dropped; a command cut short by the end of the data is damage,
// and so is a picture that its data could not fill even with runs of the
// longest kind (255 pixels for each two bytes): its bits would be made out
// of nothing.
void ReadRlePixels(const DibHeader& h, const std::uint8_t* data, std::size_t size,
                   BmpImage& out) {
  const bool four = h.Compression == kRle4;
  if (h.SizeImage > 0 && h.SizeImage < size) size = h.SizeImage;
  if (static_cast<std::uint64_t>(h.Width) * h.Height > std::uint64_t(size / 2) * 255) Invalid();
  out.BitCount = h.BitCount;
  out.Bits.assign(out.Stride() * out.Height, 0);
  auto put = [&](int x, int y, unsigned index) {
    if (x >= out.Width || y >= out.Height) return;
    std::uint8_t* row = out.Bits.data() + out.Stride() * static_cast<std::size_t>(y);
    if (!four) {
      row[x] = static_cast<std::uint8_t>(index);
    } else if (x % 2 == 0) {
      row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0x0F) | (index << 4));
    } else {
      row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0xF0) | (index & 0x0F));
    }
  };
  std::size_t p = 0;
  int x = 0, y = 0;
  while (p < size) {
    if (size - p < 2) Invalid();
    const unsigned count = data[p], value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i, ++x)
        put(x, y, four ? (i % 2 ? value & 0x0F : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (size - p < 2) Invalid();
      x = std::min(x + data[p], out.Width);
      y = std::min(y + data[p + 1], out.Height);
      p += 2;
    } else {
      std::size_t bytes = four ? (value + 1) / 2 : value;
      bytes += bytes % 2;  // literal strings end on a 16-bit boundary
      if (size - p < bytes) Invalid();
      for (unsigned i = 0; i < value; ++i, ++x) {
        unsigned b = data[p + (four ? i / 2 : i)];
        put(x, y, four ? (i % 2 ? b & 0x0F : b >> 4) : b);
      }
      p += bytes;
    }
    x = std::min(x, out.Width);
    y = std::min(y, out.Height);
  }
  // Data that simply ends without the end-of-picture command is accepted.
}

BmpImage Decode(const DibHeader& h, const std::vector<BmpColor>& table,
                const std::uint8_t* pixels, std::size_t pixelBytes) {
  BmpImage out;
  out.Width = h.Width;
  out.Height = h.Height;
  out.ColorTable = table;
  if (h.Compression == kRle4 || h.Compression == kRle8)
    ReadRlePixels(h, pixels, pixelBytes, out);
  else
    ReadPlainPixels(h, pixels, pixelBytes, out);
  return out;
}

std::size_t DefaultPixelOffset(const DibHeader& h) {
  return h.TableOffset + h.TableEntries * h.EntrySize;
}

}  // namespace

BmpImage DecodeDib(const std::uint8_t* data, std::size_t size) {
  if (!data) Invalid();
  DibHeader h = ReadHeader(data, size);
  // Guard the sum: a huge colours-used count above 8 bits must not wrap
  // (at 8 bits or fewer the count is at most 256).
  if (h.BitCount > 8 && h.TableEntries > size / h.EntrySize) Invalid();
  std::size_t offset = DefaultPixelOffset(h);
  if (offset > size) Invalid();
  std::vector<BmpColor> table = ReadTable(h, data, size);
  return Decode(h, table, data + offset, size - offset);
}

BmpImage DecodeBmpFile(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') Invalid();
  const std::uint8_t* dib = data + kFileHeaderSize;
  const std::size_t dibSize = size - kFileHeaderSize;
  DibHeader h = ReadHeader(dib, dibSize);
  if (h.BitCount > 8 && h.TableEntries > dibSize / h.EntrySize) Invalid();
  std::size_t offset = U32(data + 10);
  std::size_t natural = kFileHeaderSize + DefaultPixelOffset(h);
  // Some writers leave the offset 0; the pixels then follow the table.
  if (offset == 0) offset = natural;
  if (offset < kFileHeaderSize + h.TableOffset || offset > size) Invalid();
  // A short table (the offset says so) keeps the colours it has.
  if (h.BitCount <= 8 && offset < natural)
    h.TableEntries = (offset - kFileHeaderSize - h.TableOffset) / h.EntrySize;
  std::vector<BmpColor> table = ReadTable(h, dib, dibSize);
  return Decode(h, table, data + offset, size - offset);
}

std::vector<std::uint8_t> EncodeBmpFile(const BmpImage& image) {
  const bool masks = image.BitCount == 16 && image.BitFields565;
  const std::size_t tableBytes = image.BitCount <= 8 ? image.ColorTable.size() * 4 : 0;
  const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + (masks ? 12 : 0) + tableBytes;
  const std::size_t imageBytes = image.Stride() * static_cast<std::size_t>(image.Height);
  if (image.Width <= 0 || image.Height <= 0 || image.Bits.size() < imageBytes)
    throw BmpError(BmpError::Invalid, "Invalid bitmap image");
  std::vector<std::uint8_t> out;
  out.reserve(offset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(offset + imageBytes));
  Put32(out, 0);  // reserved
  Put32(out, static_cast<std::uint32_t>(offset));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(image.Width));
  Put32(out, static_cast<std::uint32_t>(image.Height));
  Put16(out, 1);  // planes
  Put16(out, static_cast<std::uint32_t>(image.BitCount));
  Put32(out, masks ? kBitFields : kRgb);
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, 0);  // no resolution: it would only vary with the screen
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(tableBytes / 4));
  Put32(out, 0);  // all colours important
  if (masks) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  for (std::size_t i = 0; i < tableBytes / 4; ++i) {
    const BmpColor& c = image.ColorTable[i];
    out.insert(out.end(), {c.Blue, c.Green, c.Red, 0});
  }
  out.insert(out.end(), image.Bits.begin(), image.Bits.begin() + imageBytes);
  return out;
}
