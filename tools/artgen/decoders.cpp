#include "decoders.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "checksum.h"

namespace art {
namespace {

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint32_t Le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return (std::uint32_t(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

std::optional<Canvas> DecodeBmp(const Bytes& f) {
  if (f.size() < 54 || f[0] != 'B' || f[1] != 'M' || Le32(f, 2) != f.size()) return std::nullopt;
  const std::uint32_t offset = Le32(f, 10);
  if (Le32(f, 14) != 40) return std::nullopt;
  const int w = int(Le32(f, 18)), h = int(Le32(f, 22));
  const int bits = int(Le16(f, 28));
  if (w <= 0 || h <= 0 || Le16(f, 26) != 1 || Le32(f, 30) != 0) return std::nullopt;
  std::uint32_t colours = Le32(f, 46);
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  if (bits > 8) colours = 0;
  if (offset != 54 + 4 * colours) return std::nullopt;
  const std::size_t rowBytes = ((std::size_t(w) * bits + 31) / 32) * 4;
  if (offset + rowBytes * h != f.size() || Le32(f, 34) != rowBytes * h) return std::nullopt;
  Canvas img(w, h);
  for (int y = 0; y < h; ++y) {
    const std::size_t row = offset + rowBytes * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      if (bits == 24) {
        const std::size_t p = row + 3 * std::size_t(x);
        img.Set(x, y, Rgba{f[p + 2], f[p + 1], f[p], 255});
        continue;
      }
      if (bits != 1 && bits != 4 && bits != 8) return std::nullopt;
      const int bit = x * bits;
      const int index = (f[row + bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
      if (std::uint32_t(index) >= colours) return std::nullopt;
      const std::size_t p = 54 + 4 * std::size_t(index);
      img.Set(x, y, Rgba{f[p + 2], f[p + 1], f[p], 255});
    }
  }
  return img;
}

std::optional<Canvas> DecodePng(const Bytes& f) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (f.size() < 8 || std::memcmp(f.data(), kSignature, 8) != 0) return std::nullopt;
  std::size_t pos = 8;
  int w = 0, h = 0, channels = 0;
  Bytes idat;
  bool ended = false;
  while (!ended) {
    if (pos + 12 > f.size()) return std::nullopt;
    const std::uint32_t len = Be32(f, pos);
    if (pos + 12 + len > f.size()) return std::nullopt;
    const std::string type(f.begin() + pos + 4, f.begin() + pos + 8);
    if (Crc32(f.data() + pos + 4, len + 4) != Be32(f, pos + 8 + len)) return std::nullopt;
    const std::size_t body = pos + 8;
    if (type == "IHDR") {
      if (len != 13 || f[body + 8] != 8 || f[body + 10] || f[body + 11] || f[body + 12])
        return std::nullopt;
      w = int(Be32(f, body));
      h = int(Be32(f, body + 4));
      channels = f[body + 9] == 6 ? 4 : f[body + 9] == 2 ? 3 : 0;
      if (channels == 0) return std::nullopt;
    } else if (type == "IDAT") {
      idat.insert(idat.end(), f.begin() + body, f.begin() + body + len);
    } else if (type == "IEND") {
      ended = true;
    }
    pos += 12 + len;
  }
  if (pos != f.size() || w <= 0 || h <= 0) return std::nullopt;
  const std::optional<Bytes> raw = ZlibDecompress(idat);
  const std::size_t stride = std::size_t(w) * channels;
  if (!raw || raw->size() != (stride + 1) * h) return std::nullopt;
  Canvas img(w, h);
  Bytes above(stride, 0), row(stride);
  for (int y = 0; y < h; ++y) {
    const std::size_t start = (stride + 1) * y;
    const int filter = (*raw)[start];
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= std::size_t(channels) ? row[i - channels] : 0;
      const int b = above[i];
      const int c = i >= std::size_t(channels) ? above[i - channels] : 0;
      int pred = 0;
      switch (filter) {
        case 0: break;
        case 1: pred = a; break;
        case 2: pred = b; break;
        case 3: pred = (a + b) / 2; break;
        case 4: pred = Paeth(a, b, c); break;
        default: return std::nullopt;
      }
      row[i] = std::uint8_t((*raw)[start + 1 + i] + pred);
    }
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = &row[std::size_t(x) * channels];
      img.Set(x, y, Rgba{p[0], p[1], p[2], std::uint8_t(channels == 4 ? p[3] : 255)});
    }
    above = row;
  }
  return img;
}

}  // namespace art
