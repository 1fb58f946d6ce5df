#include "dragdrop/DragDropRules.h"

#include <cstring>

unsigned SuggestDropEffect(unsigned keyState, unsigned offered, unsigned accepted) {
  const bool shift = (keyState & kKeyShift) != 0, control = (keyState & kKeyControl) != 0;
  if (shift && !control && (accepted & kEffectMove)) return kEffectMove;
  if (shift && control && (accepted & kEffectLink)) return kEffectLink;
  for (unsigned e : {kEffectCopy, kEffectMove, kEffectLink})
    if ((accepted & e) && (offered & e)) return e;
  return kEffectNone;
}

namespace {
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::vector<uint8_t> Header(bool wide, size_t namesBytes) {
  std::vector<uint8_t> b(kFileDropHeaderSize, 0);
  b.reserve(kFileDropHeaderSize + namesBytes);
  PutU32(b, 0, kFileDropHeaderSize);
  PutU32(b, 16, wide ? 1 : 0);
  return b;
}
}  // namespace

std::vector<uint8_t> BuildFileDropBlock(const std::vector<std::string>& names) {
  size_t bytes = 1;
  for (const std::string& n : names) bytes += n.size() + 1;
  std::vector<uint8_t> b = Header(false, bytes);
  for (const std::string& n : names) {
    b.insert(b.end(), n.begin(), n.end());
    b.push_back(0);
  }
  b.push_back(0);
  return b;
}

std::vector<uint8_t> BuildWideFileDropBlock(const std::vector<std::u16string>& names) {
  size_t bytes = 2;
  for (const std::u16string& n : names) bytes += 2 * (n.size() + 1);
  std::vector<uint8_t> b = Header(true, bytes);
  auto put = [&b](char16_t c) {
    b.push_back(static_cast<uint8_t>(c & 0xFF));
    b.push_back(static_cast<uint8_t>(c >> 8));
  };
  for (const std::u16string& n : names) {
    for (char16_t c : n) put(c);
    put(0);
  }
  put(0);
  return b;
}

FileDropNames ReadFileDropBlock(const uint8_t* data, size_t size) {
  FileDropNames r;
  if (!data || size < kFileDropHeaderSize) return r;
  const uint32_t first = GetU32(data);
  r.Wide = GetU32(data + 16) != 0;
  if (first < kFileDropHeaderSize || first >= size) return r;
  const uint8_t* p = data + first;
  const uint8_t* const end = data + size;
  if (!r.Wide) {
    while (p < end && *p) {
      const void* zero = std::memchr(p, 0, static_cast<size_t>(end - p));
      if (!zero) break;  // no terminator inside the block: not a whole name
      const uint8_t* z = static_cast<const uint8_t*>(zero);
      r.Names.emplace_back(reinterpret_cast<const char*>(p), static_cast<size_t>(z - p));
      p = z + 1;
    }
    return r;
  }
  // Wide characters are read in pairs of bytes; an odd byte at the end is
  // half a character and never part of a name.
  const size_t chars = static_cast<size_t>(end - p) / 2;
  auto at = [p](size_t i) {
    return static_cast<char16_t>(p[2 * i] | static_cast<unsigned>(p[2 * i + 1]) << 8);
  };
  size_t i = 0;
  while (i < chars && at(i) != 0) {
    size_t j = i;
    while (j < chars && at(j) != 0) ++j;
    if (j == chars) break;
    std::u16string name;
    name.reserve(j - i);
    for (size_t k = i; k < j; ++k) name.push_back(at(k));
    r.WideNames.push_back(std::move(name));
    i = j + 1;
  }
  return r;
}
