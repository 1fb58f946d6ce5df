#include "drawing/PZBgndRules.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

constexpr std::size_t kFileHeader = 14, kInfoHeader = 40;

// a modulo m, in 0 .. m - 1 also for negative a.
int Mod(long long a, int m) { return static_cast<int>(((a % m) + m) % m); }

}  // namespace

std::uint64_t BgndPicture::RowsSize() const {
  return Stride() * static_cast<std::uint64_t>(std::abs(static_cast<long long>(Height)));
}

BgndPicture ReadBgndPicture(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeader + 4) throw BgndPictureError(BgndPictureError::Invalid);
  const std::uint8_t* info = data + kFileHeader;
  if (Le32(info) != kInfoHeader || size < kFileHeader + kInfoHeader)
    throw BgndPictureError(BgndPictureError::Invalid);
  if (Le16(info + 12) != 1) throw BgndPictureError(BgndPictureError::Invalid);
  if (Le32(info + 16) != 0) throw BgndPictureError(BgndPictureError::Unsupported);

  BgndPicture p;
  p.InfoOffset = kFileHeader;
  p.Width = static_cast<std::int32_t>(Le32(info + 4));
  p.Height = static_cast<std::int32_t>(Le32(info + 8));
  p.BitCount = static_cast<int>(Le16(info + 14));
  const std::uint32_t imageSize = Le32(info + 20);
  const std::uint32_t used = Le32(info + 32);
  static constexpr std::array<int, 6> kDepths{1, 4, 8, 16, 24, 32};
  if (std::find(kDepths.begin(), kDepths.end(), p.BitCount) == kDepths.end() || p.Width <= 0 ||
      p.Height == 0 || p.Height == INT32_MIN)
    throw BgndPictureError(BgndPictureError::Invalid);

  // The colour table as the header claims it; only what is there is read.
  std::uint64_t claimed = used;
  if (claimed == 0) claimed = p.BitCount <= 8 ? (1u << p.BitCount) : 0;
  const std::size_t tableStart = kFileHeader + kInfoHeader;
  const std::uint64_t present = (size - tableStart) / 4;
  const std::size_t read = static_cast<std::size_t>(std::min<std::uint64_t>({claimed, present, 256}));
  p.Colours.reserve(read);
  for (std::size_t i = 0; i < read; ++i) {
    const std::uint8_t* q = data + tableStart + 4 * i;
    p.Colours.push_back((std::uint32_t(q[2]) << 16) | (q[1] << 8) | q[0]);
  }

  // The rows follow the whole claimed table; those that are missing make
  // the picture invalid, before anything reads them.
  const std::uint64_t bits = tableStart + 4 * claimed;
  p.BitsOffset = static_cast<std::size_t>(std::min<std::uint64_t>(bits, size));
  p.BitsSize = size - p.BitsOffset;
  if (imageSize != 0 && imageSize < p.BitsSize) p.BitsSize = imageSize;
  if (p.RowsSize() > p.BitsSize) throw BgndPictureError(BgndPictureError::Invalid);
  return p;
}

std::uint8_t ScaleChannel(std::uint8_t c, int key) {
  const long long v = (static_cast<long long>(c) * key + 50) / 100;
  return static_cast<std::uint8_t>(std::clamp<long long>(v, 0, 255));
}

std::uint32_t ScaleColour(std::uint32_t rgb, int key) {
  return (std::uint32_t(ScaleChannel((rgb >> 16) & 0xFF, key)) << 16) |
         (ScaleChannel((rgb >> 8) & 0xFF, key) << 8) | ScaleChannel(rgb & 0xFF, key);
}

int NearestColour(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
  int best = -1, bestDistance = 1 << 30;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint32_t c = palette[i];
    const int d = std::abs(int((c >> 16) & 0xFF) - int((rgb >> 16) & 0xFF)) +
                  std::abs(int((c >> 8) & 0xFF) - int((rgb >> 8) & 0xFF)) +
                  std::abs(int(c & 0xFF) - int(rgb & 0xFF));
    if (d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

void RecolourIndices(std::uint8_t* bits, std::size_t size, const std::vector<std::uint32_t>& own,
                     const std::vector<std::uint32_t>& target, int key) {
  if (target.empty()) return;
  std::array<int, 256> match;
  match.fill(-1);
  for (std::size_t i = 0; i < size; ++i) {
    int& m = match[bits[i]];
    if (m < 0) {
      const std::uint32_t colour = bits[i] < own.size() ? own[bits[i]] : 0;
      m = NearestColour(target, key == 100 ? colour : ScaleColour(colour, key));
    }
    bits[i] = static_cast<std::uint8_t>(m);
  }
}

void ScaleBytes(std::uint8_t* bits, std::size_t size, int key) {
  std::array<std::uint8_t, 256> scaled;
  for (int v = 0; v < 256; ++v) scaled[v] = ScaleChannel(static_cast<std::uint8_t>(v), key);
  for (std::size_t i = 0; i < size; ++i) bits[i] = scaled[bits[i]];
}

std::vector<std::uint32_t> MergePalettes(
    const std::vector<const std::vector<std::uint32_t>*>& palettes, std::size_t limit) {
  std::vector<std::uint32_t> merged;
  for (const std::vector<std::uint32_t>* p : palettes)
    for (std::uint32_t c : *p) {
      if (merged.size() >= limit) return merged;
      if (std::find(merged.begin(), merged.end(), c) == merged.end()) merged.push_back(c);
    }
  return merged;
}

void TilePieces(const BgndRect& area, int phaseX, int phaseY, int tileWidth, int tileHeight,
                const std::function<void(const BgndPiece&)>& copy) {
  if (tileWidth <= 0 || tileHeight <= 0) return;
  for (long long y = area.Top; y < area.Bottom;) {
    const int srcY = Mod(phaseY + (y - area.Top), tileHeight);
    const int h = static_cast<int>(std::min<long long>(tileHeight - srcY, area.Bottom - y));
    for (long long x = area.Left; x < area.Right;) {
      const int srcX = Mod(phaseX + (x - area.Left), tileWidth);
      const int w = static_cast<int>(std::min<long long>(tileWidth - srcX, area.Right - x));
      copy(BgndPiece{static_cast<int>(x), static_cast<int>(y), srcX, srcY, w, h});
      x += w;
    }
    y += h;
  }
}

void BrushOrigin(long long deviceX, long long deviceY, int phaseX, int phaseY, int tileWidth,
                 int tileHeight, int& originX, int& originY) {
  // A pattern shows its pixel ((x - origin) mod size) at device pixel x.
  originX = tileWidth > 0 ? Mod(deviceX - phaseX, tileWidth) : 0;
  originY = tileHeight > 0 ? Mod(deviceY - phaseY, tileHeight) : 0;
}

bool CentrePiece(const BgndRect& client, const BgndRect& area, int width, int height,
                 BgndPiece& piece) {
  // The picture's centre on the client's centre, the halves truncated.
  const long long left = client.Left + (client.Right - client.Left) / 2 - width / 2;
  const long long top = client.Top + (client.Bottom - client.Top) / 2 - height / 2;
  const long long l = std::max<long long>(left, area.Left), t = std::max<long long>(top, area.Top);
  const long long r = std::min<long long>(left + width, area.Right);
  const long long b = std::min<long long>(top + height, area.Bottom);
  if (l >= r || t >= b) return false;
  piece = BgndPiece{static_cast<int>(l), static_cast<int>(t), static_cast<int>(l - left),
                    static_cast<int>(t - top), static_cast<int>(r - l), static_cast<int>(b - t)};
  return true;
}
