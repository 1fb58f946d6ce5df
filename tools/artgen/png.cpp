#include <cstdlib>

#include "checksum.h"
#include "encoders.h"

namespace art {
namespace {

void BigEndian32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void Chunk(Bytes& out, const char* type, const Bytes& body) {
  BigEndian32(out, std::uint32_t(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  BigEndian32(out, Crc32(out.data() + start, out.size() - start));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Filters one row with the given filter type (0 none, 1 sub, 2 up,
// 3 average, 4 Paeth); bpp is the byte distance to the left neighbour.
Bytes FilterRow(int type, const Bytes& row, const Bytes& above, int bpp) {
  Bytes out(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int a = i >= std::size_t(bpp) ? row[i - bpp] : 0;
    const int b = above[i];
    const int c = i >= std::size_t(bpp) ? above[i - bpp] : 0;
    int pred = 0;
    switch (type) {
      case 1: pred = a; break;
      case 2: pred = b; break;
      case 3: pred = (a + b) / 2; break;
      case 4: pred = Paeth(a, b, c); break;
      default: break;
    }
    out[i] = std::uint8_t(row[i] - pred);
  }
  return out;
}

}  // namespace

Bytes EncodePng(const Canvas& img, bool withAlpha) {
  const int bpp = withAlpha ? 4 : 3;
  Bytes raw;
  Bytes above(std::size_t(img.Width()) * bpp, 0);
  for (int y = 0; y < img.Height(); ++y) {
    Bytes row;
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      row.insert(row.end(), {c.r, c.g, c.b});
      if (withAlpha) row.push_back(c.a);
    }
    // The usual heuristic: the filter whose output has the smallest sum of
    // magnitudes tends to compress best.
    int bestType = 0;
    long bestCost = -1;
    Bytes best;
    for (int type = 0; type <= 4; ++type) {
      Bytes f = FilterRow(type, row, above, bpp);
      long cost = 0;
      for (std::uint8_t v : f) cost += v < 128 ? v : 256 - v;
      if (bestCost < 0 || cost < bestCost) {
        bestCost = cost;
        bestType = type;
        best = std::move(f);
      }
    }
    raw.push_back(std::uint8_t(bestType));
    raw.insert(raw.end(), best.begin(), best.end());
    above = row;
  }
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  BigEndian32(ihdr, std::uint32_t(img.Width()));
  BigEndian32(ihdr, std::uint32_t(img.Height()));
  ihdr.insert(ihdr.end(), {8, std::uint8_t(withAlpha ? 6 : 2), 0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", ZlibCompress(raw));
  Chunk(out, "IEND", {});
  return out;
}

}  // namespace art
