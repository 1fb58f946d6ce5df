#include "framework/TextRules.h"

#include <cstdint>
#include <string_view>

namespace {
char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    return caption[i + 1];
  }
  return 0;
}

std::string StripAccelerator(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size()) out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  size_t i = 0;
  bool any = false;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++i;
      any = false;
      continue;
    }
    cur += c;
    any = true;
    ++i;
  }
  if (any) lines.push_back(cur);
  return lines;
}

std::string UpperCaseAscii(std::string s) {
  for (char& c : s) c = UpAscii(c);
  return s;
}

std::string LowerCaseAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpAscii(a[i]) != UpAscii(b[i])) return false;
  return true;
}

namespace {
// Whether the piece matches the name at position at ('?' any character).
bool PieceAt(const std::string& s, size_t at, std::string_view piece) {
  for (size_t k = 0; k < piece.size(); ++k)
    if (piece[k] != '?' && UpAscii(piece[k]) != UpAscii(s[at + k])) return false;
  return true;
}

// The first place in s[from, end) where the piece matches whole; npos when
// there is none. Bit-parallel (shift-and): one pass over the name, each
// step a few machine words, whatever the piece and the name hold.
size_t FindPiece(const std::string& s, size_t from, size_t end, std::string_view piece) {
  const size_t n = piece.size();
  const size_t words = (n + 63) / 64;
  // accepts[c * words + w] bit k: the piece's character 64 * w + k takes c.
  std::vector<std::uint64_t> accepts(256 * words, 0);
  auto accept = [&](unsigned c, size_t k) {
    accepts[c * words + k / 64] |= std::uint64_t(1) << (k % 64);
  };
  for (size_t k = 0; k < n; ++k) {
    const unsigned up = static_cast<unsigned char>(UpAscii(piece[k]));
    if (piece[k] == '?') {
      for (unsigned c = 0; c < 256; ++c) accept(c, k);
    } else {
      accept(up, k);
      if (up >= 'A' && up <= 'Z') accept(up + 32, k);
    }
  }
  // state bit k: the piece's first k + 1 characters end here.
  std::vector<std::uint64_t> state(words, 0);
  const std::uint64_t last = std::uint64_t(1) << ((n - 1) % 64);
  for (size_t i = from; i < end; ++i) {
    const std::uint64_t* a = &accepts[static_cast<unsigned char>(s[i]) * words];
    std::uint64_t carry = 1;  // a match may start at every character
    for (size_t w = 0; w < words; ++w) {
      const std::uint64_t next = state[w] >> 63;
      state[w] = ((state[w] << 1) | carry) & a[w];
      carry = next;
    }
    if (state[words - 1] & last) return i + 1 - n;
  }
  return std::string::npos;
}

// The pattern is pieces between stars. The first piece must start the name,
// the last must end it, and each piece between goes to its first place
// after the one before: an earlier place never leaves less room for the
// rest. So the name is read once, and '*' in a pattern is only ever a
// wildcard.
bool Glob(const std::string& s, const std::string& p) {
  const size_t firstStar = p.find('*');
  if (firstStar == std::string::npos) return p.size() == s.size() && PieceAt(s, 0, p);
  const size_t lastStar = p.rfind('*');
  const std::string_view pattern(p);
  const std::string_view head = pattern.substr(0, firstStar), tail = pattern.substr(lastStar + 1);
  if (head.size() + tail.size() > s.size()) return false;
  if (!PieceAt(s, 0, head) || !PieceAt(s, s.size() - tail.size(), tail)) return false;
  size_t pos = head.size();
  const size_t end = s.size() - tail.size();
  for (size_t i = firstStar + 1; i < lastStar;) {
    const size_t star = p.find('*', i);
    const std::string_view piece = pattern.substr(i, star - i);
    if (!piece.empty()) {
      const size_t at = FindPiece(s, pos, end, piece);
      if (at == std::string::npos) return false;
      pos = at + piece.size();
    }
    i = star + 1;
  }
  return true;
}
}  // namespace

bool MatchesMask(const std::string& name, const std::string& pattern) {
  if (pattern.empty()) return false;
  if (Glob(name, pattern)) return true;
  // "x.*" also matches "x" (no extension), as the system's search does.
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
      name.find('.') == std::string::npos)
    return Glob(name, pattern.substr(0, pattern.size() - 2));
  return false;
}

std::vector<std::string> SplitMask(const std::string& mask) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : mask) {
    if (c == ';') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}
