// The decoding side of zlibstream.h, used to prove the encoder's output.
#include <array>

#include "checksum.h"
#include "deflatetables.h"
#include "zlibstream.h"

namespace art {
namespace {

using namespace deflate;

class BitReader {
 public:
  BitReader(const Bytes& data, std::size_t begin, std::size_t end)
      : data_(data), pos_(begin), end_(end) {}
  bool Bits(int count, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
      std::uint32_t b;
      if (!Bit(b)) return false;
      value |= b << i;
    }
    return true;
  }
  bool Bit(std::uint32_t& b) {
    if (pos_ >= end_) return false;
    b = (data_[pos_] >> used_) & 1;
    if (++used_ == 8) { used_ = 0; ++pos_; }
    return true;
  }
  void AlignToByte() {
    if (used_ != 0) { used_ = 0; ++pos_; }
  }
  std::size_t Pos() const { return pos_; }
  void Skip(std::size_t n) { pos_ += n; }
  std::size_t End() const { return end_; }

 private:
  const Bytes& data_;
  std::size_t pos_, end_;
  int used_ = 0;
};

// Reads one fixed-Huffman literal/length symbol, -1 on error.
int ReadFixedSymbol(BitReader& r) {
  std::uint32_t code = 0, b;
  for (int len = 1; len <= 9; ++len) {
    if (!r.Bit(b)) return -1;
    code = (code << 1) | b;
    if (len == 7 && code <= 0x17) return int(code) + 256;
    if (len == 8 && code >= 0x30 && code <= 0xBF) return int(code - 0x30);
    if (len == 8 && code >= 0xC0 && code <= 0xC7) return int(code - 0xC0) + 280;
    if (len == 9 && code >= 0x190) return int(code - 0x190) + 144;
  }
  return -1;
}


bool FixedBlock(BitReader& r, Bytes& out) {
  for (;;) {
    const int sym = ReadFixedSymbol(r);
    if (sym < 0 || sym > 285) return false;
    if (sym < 256) { out.push_back(std::uint8_t(sym)); continue; }
    if (sym == 256) return true;
    std::uint32_t extra, dcode;
    const int li = sym - 257;
    if (!r.Bits(kLengthExtra[li], extra)) return false;
    const int length = kLengthBase[li] + int(extra);
    // Distance codes are five bits sent most significant bit first.
    std::uint32_t b;
    dcode = 0;
    for (int i = 0; i < 5; ++i) {
      if (!r.Bit(b)) return false;
      dcode = (dcode << 1) | b;
    }
    if (dcode >= 30 || !r.Bits(kDistExtra[dcode], extra)) return false;
    const std::size_t distance = kDistBase[dcode] + extra;
    if (distance > out.size()) return false;
    for (int k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
  }
}

}  // namespace

std::optional<Bytes> ZlibDecompress(const Bytes& stream) {
  if (stream.size() < 6) return std::nullopt;
  const int cmf = stream[0], flg = stream[1];
  if ((cmf & 0x0F) != 8 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20)) return std::nullopt;
  BitReader r(stream, 2, stream.size() - 4);
  Bytes out;
  for (bool last = false; !last;) {
    std::uint32_t final, type;
    if (!r.Bits(1, final) || !r.Bits(2, type)) return std::nullopt;
    last = final != 0;
    if (type == 0) {
      r.AlignToByte();
      const std::size_t p = r.Pos();
      if (p + 4 > r.End()) return std::nullopt;
      const unsigned len = stream[p] | (stream[p + 1] << 8);
      const unsigned nlen = stream[p + 2] | (stream[p + 3] << 8);
      if ((len ^ 0xFFFF) != nlen || p + 4 + len > r.End()) return std::nullopt;
      out.insert(out.end(), stream.begin() + p + 4, stream.begin() + p + 4 + len);
      r.Skip(4 + len);
    } else if (type == 1) {
      if (!FixedBlock(r, out)) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  const std::size_t t = stream.size() - 4;
  const std::uint32_t adler = (std::uint32_t(stream[t]) << 24) | (stream[t + 1] << 16) |
                              (stream[t + 2] << 8) | stream[t + 3];
  if (adler != Adler32(out.data(), out.size())) return std::nullopt;
  return out;
}

}  // namespace art
