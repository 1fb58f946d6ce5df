// Wide file names as the system hands them over (any UTF-16 units, unpaired
// surrogates included): their UTF-8 form, their characters, case folding by
// a table, and masks matched against them.
#include <algorithm>

#include "FuzzInput.h"
#include "ReferenceMask.h"
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

// Fold tables, made once (a table of the whole plane per input would take
// most of the time): ASCII only; a few alphabets as the system's table has
// them; and an odd one, as no system has, that maps letters in a cycle, a
// letter onto the dot and the dot, star and question mark onto others, and
// tries to break surrogate pairs.
const TCaseFold& Fold(unsigned which) {
  static const TCaseFold ascii;
  static const TCaseFold alphabets = [] {
    std::u16string t(0x10000, u'\0');
    for (unsigned u = 0; u < 0x10000; ++u) t[u] = static_cast<char16_t>(u);
    for (char16_t c = u'a'; c <= u'z'; ++c) t[c] = static_cast<char16_t>(c - 32);
    for (char16_t c = 0x3B1; c <= 0x3C9; ++c) t[c] = static_cast<char16_t>(c - 32);
    t[0xE4] = 0xC4;
    t[0x142] = 0x141;
    t[0x131] = u'I';
    return TCaseFold(t);
  }();
  static const TCaseFold odd = [] {
    std::u16string t(0x10000, u'\0');
    for (unsigned u = 0; u < 0x10000; ++u) t[u] = static_cast<char16_t>(u);
    t[u'a'] = u'b';
    t[u'b'] = u'c';
    t[u'c'] = u'a';
    t[u','] = u'.';
    t[u'.'] = u'!';
    t[u'*'] = u'x';
    t[u'?'] = u'y';
    t[u'x'] = u'*';
    t[u'y'] = u'?';
    t[0x3C3] = 0xD800;
    t[0xD801] = u'q';
    return TCaseFold(t);
  }();
  return which % 3 == 0 ? ascii : which % 3 == 1 ? alphabets : odd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Which fold; a count of units, then the units (little-endian), for the
  // pattern; the rest is the name.
  FuzzInput in(data, size);
  const TCaseFold& fold = Fold(in.Byte());
  std::string patternBytes;
  for (unsigned n = in.Byte() * 2u; n > 0 && !in.Empty(); --n)
    patternBytes += static_cast<char>(in.Byte());
  const std::u16string pattern = Units(patternBytes);
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
