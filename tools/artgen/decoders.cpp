#include "decoders.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace art {
namespace {

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint32_t Le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

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

}  // namespace art
