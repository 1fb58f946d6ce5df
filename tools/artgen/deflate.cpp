// The compressing side of zlibstream.h.
#include <algorithm>
#include <array>

#include "checksum.h"
#include "deflatetables.h"
#include "zlibstream.h"

namespace art {
namespace {

using namespace deflate;


// Deflate packs bits from the least significant end; Huffman codes are
// defined most significant bit first, so they are sent reversed.
class BitWriter {
 public:
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void AlignToByte() {
    while (used_ != 0) Bit(0);
  }
  Bytes& Out() { return out_; }

 private:
  void Bit(std::uint32_t b) {
    if (used_ == 0) out_.push_back(0);
    out_.back() |= std::uint8_t(b << used_);
    used_ = (used_ + 1) & 7;
  }
  Bytes out_;
  int used_ = 0;
};

void FixedLiteral(BitWriter& w, int symbol) {
  if (symbol < 144) w.Code(0x30 + symbol, 8);
  else if (symbol < 256) w.Code(0x190 + (symbol - 144), 9);
  else if (symbol < 280) w.Code(symbol - 256, 7);
  else w.Code(0xC0 + (symbol - 280), 8);
}

void FixedMatch(BitWriter& w, int length, int distance) {
  int li = 28;
  while (kLengthBase[li] > length) --li;
  FixedLiteral(w, 257 + li);
  w.Bits(length - kLengthBase[li], kLengthExtra[li]);
  int di = 29;
  while (kDistBase[di] > distance) --di;
  w.Code(di, 5);
  w.Bits(distance - kDistBase[di], kDistExtra[di]);
}

Bytes DeflateFixed(const Bytes& data) {
  constexpr int kWindow = 32768, kMinMatch = 3, kMaxMatch = 258, kMaxChain = 96;
  constexpr int kHashSize = 1 << 15;
  std::vector<int> head(kHashSize, -1), prev(data.size(), -1);
  auto hash = [&](std::size_t i) {
    return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (kHashSize - 1);
  };
  BitWriter w;
  w.Bits(1, 1);  // the last block
  w.Bits(1, 2);  // fixed Huffman codes
  std::size_t i = 0;
  auto insert = [&](std::size_t at) {
    if (at + kMinMatch > data.size()) return;
    const int h = hash(at);
    prev[at] = head[h];
    head[h] = int(at);
  };
  while (i < data.size()) {
    int bestLen = 0, bestDist = 0;
    if (i + kMinMatch <= data.size()) {
      int candidate = head[hash(i)];
      const int limit = int(std::min<std::size_t>(kMaxMatch, data.size() - i));
      for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
        const int dist = int(i) - candidate;
        if (dist > kWindow) break;
        int len = 0;
        while (len < limit && data[candidate + len] == data[i + len]) ++len;
        if (len > bestLen) {
          bestLen = len;
          bestDist = dist;
          if (len == limit) break;
        }
        candidate = prev[candidate];
      }
    }
    if (bestLen >= kMinMatch) {
      FixedMatch(w, bestLen, bestDist);
      for (int k = 0; k < bestLen; ++k) insert(i + k);
      i += bestLen;
    } else {
      FixedLiteral(w, data[i]);
      insert(i);
      ++i;
    }
  }
  FixedLiteral(w, 256);
  w.AlignToByte();
  return std::move(w.Out());
}

Bytes DeflateStored(const Bytes& data) {
  Bytes out;
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, data.size() - pos);
    const bool last = pos + n == data.size();
    out.push_back(last ? 1 : 0);  // stored block, byte aligned
    out.push_back(std::uint8_t(n));
    out.push_back(std::uint8_t(n >> 8));
    out.push_back(std::uint8_t(~n));
    out.push_back(std::uint8_t(~n >> 8));
    out.insert(out.end(), data.begin() + pos, data.begin() + pos + n);
    pos += n;
  } while (pos < data.size());
  return out;
}

}  // namespace

Bytes ZlibCompress(const Bytes& data, bool forceStored) {
  Bytes body = DeflateStored(data);
  if (!forceStored) {
    Bytes fixed = DeflateFixed(data);
    if (fixed.size() < body.size()) body = std::move(fixed);
  }
  // CMF: deflate with a 32 KiB window; FLG: default level, no dictionary,
  // and the check bits that make CMF*256+FLG a multiple of 31.
  Bytes out;
  out.reserve(body.size() + 6);
  out.push_back(0x78);
  out.push_back(0x9C);
  out.insert(out.end(), body.begin(), body.end());
  const std::uint32_t adler = Adler32(data.data(), data.size());
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(adler >> shift));
  return out;
}

}  // namespace art
