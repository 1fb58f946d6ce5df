// Wide file names as the system hands them over (any UTF-16 units, unpaired
// surrogates included): their UTF-8 form, their characters, case folding by
// a table, and masks matched against them.
#include <algorithm>

#include "FuzzInput.h"
#include "framework/NameRules.h"
#include "framework/Utf8.h"

namespace {

std::u16string Units(const std::string& bytes) {
  std::u16string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return out;
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// A fold table from the input: the first units map pairs of units, as an
// odd system table might; the rest of the plane maps to itself.
TCaseFold TableFrom(const std::u16string& pairs) {
  std::u16string t(0x10000, u'\0');
  for (unsigned u = 0; u < 0x10000; ++u) t[u] = static_cast<char16_t>(u);
  for (std::size_t i = 0; i + 1 < pairs.size() && i < 64; i += 2) t[pairs[i]] = pairs[i + 1];
  return TCaseFold(t);
}

bool ReferenceGlob(const std::u32string& s, const std::u32string& p, const TCaseFold& fold) {
  std::vector<std::vector<char>> m(p.size() + 1, std::vector<char>(s.size() + 1, 0));
  m[0][0] = 1;
  for (std::size_t i = 1; i <= p.size(); ++i) {
    for (std::size_t j = 0; j <= s.size(); ++j) {
      if (p[i - 1] == U'*') m[i][j] = m[i - 1][j] || (j > 0 && m[i][j - 1]);
      else if (j > 0)
        m[i][j] = m[i - 1][j - 1] &&
                  (p[i - 1] == U'?' || fold.Upper(p[i - 1]) == fold.Upper(s[j - 1]));
    }
  }
  return m[p.size()][s.size()];
}

bool ReferenceMatch(const std::u32string& s, const std::u32string& p, const TCaseFold& fold) {
  if (p.empty()) return false;
  if (ReferenceGlob(s, p, fold)) return true;
  if (std::find(s.begin(), s.end(), U'.') != s.end()) return false;
  if (p.size() >= 2 && p[p.size() - 2] == U'.' && p.back() == U'*' &&
      ReferenceGlob(s, p.substr(0, p.size() - 2), fold))
    return true;
  return p.back() == U'.' && ReferenceGlob(s, p.substr(0, p.size() - 1), fold);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A count of units, then the units (little-endian), for the table and
  // the pattern; the rest is the name.
  FuzzInput in(data, size);
  auto units = [&in] {
    std::string bytes;
    for (unsigned n = in.Byte() * 2u; n > 0 && !in.Empty(); --n) bytes += static_cast<char>(in.Byte());
    return Units(bytes);
  };
  const TCaseFold fold = TableFrom(units());
  const std::u16string pattern = units();
  const std::u16string name = Units(in.Rest());

  // The table never breaks a pair, and folding keeps the number of units.
  const std::u16string folded = fold.Fold(name);
  FUZZ_CHECK(folded.size() == name.size());
  FUZZ_CHECK(CharactersOf(folded).size() == CharactersOf(name).size());

  // The UTF-8 form: always well-formed, exact unless a surrogate stands
  // alone, and the same characters with U+FFFD for each lone one.
  bool exact = false;
  const std::string utf8 = Utf16ToUtf8(name, &exact);
  FUZZ_CHECK(IsValidUtf8(utf8));
  std::u32string chars = CharactersOf(name);
  FUZZ_CHECK(exact == std::none_of(chars.begin(), chars.end(), IsSurrogate));
  for (char32_t& c : chars)
    if (IsSurrogate(c)) c = 0xFFFD;
  FUZZ_CHECK(CharactersOfUtf8(utf8) == chars);
  // Folding agrees in both forms.
  if (exact) FUZZ_CHECK(fold.FoldUtf8(utf8) == Utf16ToUtf8(folded));

  const TNameMask mask(pattern, fold);
  const bool match = mask.Matches(name);
  if (mask.MatchesEverything()) FUZZ_CHECK(match);
  if (name.size() * pattern.size() <= 64 * 64)
    FUZZ_CHECK(match == ReferenceMatch(CharactersOf(name), CharactersOf(pattern), fold));
  // The 8-bit form of an exact name and pattern matches the same.
  bool patternExact = false;
  const std::string utf8Pattern = Utf16ToUtf8(pattern, &patternExact);
  if (exact && patternExact) FUZZ_CHECK(TNameMask(utf8Pattern, fold).MatchesUtf8(utf8) == match);
  return 0;
}
