#include "framework/NameRules.h"

#include <algorithm>

#include "framework/Utf8.h"

namespace {
constexpr std::size_t kUnits = 0x10000;
bool IsSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDFFF; }
bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Marks in a compiled pattern: values no character takes.
constexpr char32_t kStar = 0xFFFFFFFE;
constexpr char32_t kAnyOne = 0xFFFFFFFF;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool AllStars(const std::u32string& p) {
  return !p.empty() && std::all_of(p.begin(), p.end(), [](char32_t c) { return c == kStar; });
}
}  // namespace

// ---- case -----------------------------------------------------------------------------
TCaseFold::TCaseFold(std::u16string upper) {
  if (upper.size() != kUnits) return;
  // A surrogate stays itself, and nothing may turn into one: the pairs of a
  // name must stay pairs after folding.
  for (std::size_t u = 0; u < kUnits; ++u)
    if (IsSurrogate(u) || IsSurrogate(upper[u])) upper[u] = static_cast<char16_t>(u);
  FUpper = std::move(upper);
}

char16_t TCaseFold::Upper(char16_t unit) const {
  if (!FUpper.empty()) return FUpper[unit];
  return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
}

char32_t TCaseFold::Upper(char32_t character) const {
  return character < kUnits ? Upper(static_cast<char16_t>(character)) : character;
}

std::u16string TCaseFold::Fold(std::u16string_view text) const {
  std::u16string out(text);
  for (char16_t& u : out) u = Upper(u);
  return out;
}

bool TCaseFold::BeginsWith(std::u16string_view name, std::u16string_view prefix) const {
  if (prefix.size() > name.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Upper(name[i]) != Upper(prefix[i])) return false;
  return true;
}

std::string TCaseFold::FoldUtf8(std::string_view text) const {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8CharLength(text, i);
    const auto b = static_cast<unsigned char>(text[i]);
    if (n == 1 && b >= 0x80) {
      out += static_cast<char>(b);  // not a character of UTF-8: kept as it is
    } else {
      AppendUtf8(out, Upper(static_cast<char32_t>(Utf8CodePointAt(text, i))));
    }
    i += n;
  }
  return out;
}

// ---- characters and conversion -----------------------------------------------------------
std::u32string CharactersOf(std::u16string_view name) {
  std::u32string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t u = name[i];
    if (IsHighSurrogate(u) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
      out += static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (name[i + 1] - 0xDC00));
      ++i;
    } else {
      out += static_cast<char32_t>(u);
    }
  }
  return out;
}

std::u32string CharactersOfUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8CharLength(text, i);
    const auto b = static_cast<unsigned char>(text[i]);
    out += n == 1 && b >= 0x80 ? kByteCharacter + b : static_cast<char32_t>(Utf8CodePointAt(text, i));
    i += n;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view name, bool* exact) {
  bool whole = true;
  // Most names are plain ASCII: one pass that copies them.
  std::size_t ascii = 0;
  while (ascii < name.size() && name[ascii] < 0x80) ++ascii;
  std::string out(ascii, '\0');
  for (std::size_t i = 0; i < ascii; ++i) out[i] = static_cast<char>(name[i]);
  if (ascii == name.size()) {
    if (exact) *exact = true;
    return out;
  }
  out.reserve(name.size() * 3);
  for (std::size_t i = ascii; i < name.size(); ++i) {
    const char16_t u = name[i];
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (IsHighSurrogate(u) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (name[i + 1] - 0xDC00));
      ++i;
    } else if (IsSurrogate(u)) {
      AppendUtf8(out, 0xFFFD);
      whole = false;
    } else {
      AppendUtf8(out, u);
    }
  }
  if (exact) *exact = whole;
  return out;
}

// ---- masks ------------------------------------------------------------------------------
TNameMask::TNameMask(std::u16string_view pattern, const TCaseFold& fold) : FFold(&fold) {
  Compile(CharactersOf(pattern));
}

TNameMask::TNameMask(std::string_view utf8Pattern, const TCaseFold& fold) : FFold(&fold) {
  Compile(CharactersOfUtf8(utf8Pattern));
}

void TNameMask::Compile(std::u32string pattern) {
  FEmpty = pattern.empty();
  // The dot rules go by the pattern as written, whatever a table folds.
  const std::size_t n = pattern.size();
  FHasBare = n >= 2 && pattern[n - 2] == U'.' && pattern[n - 1] == U'*';
  FHasDotless = n >= 1 && pattern[n - 1] == U'.';
  for (char32_t& c : pattern) c = c == U'*' ? kStar : c == U'?' ? kAnyOne : FFold->Upper(c);
  FWhole = MakeGlob(pattern);
  std::u32string bare;
  if (FHasBare) {
    bare = pattern.substr(0, n - 2);
    FBare = MakeGlob(bare);
  }
  if (FHasDotless) FDotless = MakeGlob(pattern.substr(0, n - 1));
  FEverything = AllStars(pattern) || (FHasBare && AllStars(bare));
}

TNameMask::Piece TNameMask::MakePiece(std::u32string chars) {
  Piece p;
  p.Chars = std::move(chars);
  return p;
}

TNameMask::Glob TNameMask::MakeGlob(const std::u32string& pattern) {
  Glob g;
  const std::size_t first = pattern.find(kStar);
  if (first == std::u32string::npos) {
    g.Head = MakePiece(pattern);
    return g;
  }
  g.HasStar = true;
  const std::size_t last = pattern.rfind(kStar);
  g.Head = MakePiece(pattern.substr(0, first));
  g.Tail = MakePiece(pattern.substr(last + 1));
  for (std::size_t i = first + 1; i < last;) {
    const std::size_t star = pattern.find(kStar, i);
    if (star > i) {
      Piece p = MakePiece(pattern.substr(i, star - i));
      const std::size_t n = p.Chars.size();
      p.Words = (n + 63) / 64;
      p.Any.assign(p.Words, 0);
      for (char32_t c : p.Chars)
        if (c != kAnyOne) p.Distinct.push_back(c);
      std::sort(p.Distinct.begin(), p.Distinct.end());
      p.Distinct.erase(std::unique(p.Distinct.begin(), p.Distinct.end()), p.Distinct.end());
      p.Bits.assign(p.Distinct.size() * p.Words, 0);
      for (std::size_t k = 0; k < n; ++k) {
        const std::uint64_t bit = std::uint64_t(1) << (k % 64);
        if (p.Chars[k] == kAnyOne) {
          p.Any[k / 64] |= bit;
        } else {
          const auto at = std::lower_bound(p.Distinct.begin(), p.Distinct.end(), p.Chars[k]);
          p.Bits[static_cast<std::size_t>(at - p.Distinct.begin()) * p.Words + k / 64] |= bit;
        }
      }
      g.Middle.push_back(std::move(p));
    }
    i = star + 1;
  }
  return g;
}

const std::uint64_t* TNameMask::Piece::BitsOf(char32_t c) const {
  const auto at = std::lower_bound(Distinct.begin(), Distinct.end(), c);
  if (at == Distinct.end() || *at != c) return nullptr;
  return &Bits[static_cast<std::size_t>(at - Distinct.begin()) * Words];
}

bool TNameMask::PieceAt(const std::u32string& s, std::size_t at, const Piece& p) {
  for (std::size_t k = 0; k < p.Chars.size(); ++k)
    if (p.Chars[k] != kAnyOne && p.Chars[k] != s[at + k]) return false;
  return true;
}

// The first place in s[from, end) where the piece matches whole; npos when
// there is none. Bit-parallel (shift-and): one pass over the name, each step
// a few machine words, whatever the piece and the name hold.
std::size_t TNameMask::FindPiece(const std::u32string& s, std::size_t from, std::size_t end,
                                 const Piece& p) {
  const std::size_t n = p.Chars.size(), words = p.Words;
  // state bit k: the piece's first k + 1 characters end here.
  std::vector<std::uint64_t> state(words, 0);
  const std::uint64_t last = std::uint64_t(1) << ((n - 1) % 64);
  for (std::size_t i = from; i < end; ++i) {
    const std::uint64_t* bits = p.BitsOf(s[i]);
    std::uint64_t carry = 1;  // a match may start at every character
    for (std::size_t w = 0; w < words; ++w) {
      const std::uint64_t next = state[w] >> 63;
      const std::uint64_t accept = p.Any[w] | (bits ? bits[w] : 0);
      state[w] = ((state[w] << 1) | carry) & accept;
      carry = next;
    }
    if (state[words - 1] & last) return i + 1 - n;
  }
  return std::u32string::npos;
}

// The first piece must start the name, the last must end it, and each piece
// between goes to its first place after the one before: an earlier place
// never leaves less room for the rest. So the name is read once.
bool TNameMask::Run(const Glob& g, const std::u32string& s) {
  if (!g.HasStar) return g.Head.Chars.size() == s.size() && PieceAt(s, 0, g.Head);
  const std::size_t head = g.Head.Chars.size(), tail = g.Tail.Chars.size();
  if (head + tail > s.size()) return false;
  if (!PieceAt(s, 0, g.Head) || !PieceAt(s, s.size() - tail, g.Tail)) return false;
  std::size_t pos = head;
  const std::size_t end = s.size() - tail;
  for (const Piece& p : g.Middle) {
    const std::size_t at = FindPiece(s, pos, end, p);
    if (at == std::u32string::npos) return false;
    pos = at + p.Chars.size();
  }
  return true;
}

bool TNameMask::MatchesCharacters(std::u32string s) const {
  if (FEmpty) return false;
  if (FEverything) return true;
  const bool dot = s.find(U'.') != std::u32string::npos;
  for (char32_t& c : s) c = FFold->Upper(c);
  if (Run(FWhole, s)) return true;
  // "x.*" also matches "x" (no extension), and "x." matches "x", as the
  // system's search does.
  if (dot) return false;
  return (FHasBare && Run(FBare, s)) || (FHasDotless && Run(FDotless, s));
}

bool TNameMask::Matches(std::u16string_view name) const {
  return MatchesCharacters(CharactersOf(name));
}

bool TNameMask::MatchesUtf8(std::string_view name) const {
  return MatchesCharacters(CharactersOfUtf8(name));
}
