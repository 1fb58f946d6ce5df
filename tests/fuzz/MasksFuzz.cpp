// File masks (8-bit, matched by characters, case folded by a table as the
// system gives one) and the attribute filter of the file list, path rules of
// the directory list, the window-free sort order and the type-ahead.
#include <algorithm>

#include "FuzzInput.h"
#include "ReferenceMask.h"
#include "framework/FileRules.h"
#include "framework/NameRules.h"
#include "framework/TextRules.h"

namespace {

// A fold with a few letters of other alphabets, as the system's table has
// them, and one that changes a character's length in UTF-8 (dotless i).
const TCaseFold& SomeAlphabets() {
  static const TCaseFold fold = [] {
    std::u16string t(0x10000, u'\0');
    for (unsigned u = 0; u < 0x10000; ++u) t[u] = static_cast<char16_t>(u);
    for (char16_t c = u'a'; c <= u'z'; ++c) t[c] = static_cast<char16_t>(c - 32);
    for (char16_t c = 0x3B1; c <= 0x3C9; ++c) t[c] = static_cast<char16_t>(c - 32);  // Greek
    t[0xE4] = 0xC4;
    t[0x142] = 0x141;
    t[0x131] = u'I';
    return TCaseFold(t);
  }();
  return fold;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const unsigned attributes = static_cast<unsigned>(in.Int32());
  const unsigned filter = static_cast<unsigned>(in.Int32());
  const std::string mask = in.String();
  const std::string name = in.Rest();

  // The table is slow: a mask of a thousand short patterns would spend every
  // run in it. A few patterns per input compare as well over many inputs.
  const TCaseFold& fold = (filter & 0x100) ? SomeAlphabets() : TCaseFold();
  int compared = 0;
  for (const std::string& pattern : MaskPatterns(mask)) {
    FUZZ_CHECK(!pattern.empty() && pattern.front() != ' ' && pattern.back() != ' ');
    FUZZ_CHECK(pattern.find(';') == std::string::npos);
    const bool match = MatchesMask(name, pattern, fold);
    if (name.size() * pattern.size() <= 64 * 64 && compared++ < 4)
      FUZZ_CHECK(match ==
                 ReferenceMatch(CharactersOfUtf8(name), CharactersOfUtf8(pattern), fold));
    // Case never decides: the folded name matches as the name does.
    if (compared < 4) FUZZ_CHECK(MatchesMask(fold.FoldUtf8(name), pattern, fold) == match);
  }
  for (const std::string& part : SplitMask(mask)) FUZZ_CHECK(!part.empty());

  // Listed entries are a part of what the search finds; ftNormal lists all.
  if (IsListed(attributes, filter)) FUZZ_CHECK(FoundBySearch(attributes, filter));
  if (FoundBySearch(attributes, filter) && (filter & ftNormal)) FUZZ_CHECK(IsListed(attributes, filter));
  FUZZ_CHECK(IsListed(attributes & 0x21, filter | ftNormal));

  const std::string key = SortKey(name);
  FUZZ_CHECK(key.size() == name.size() && key.find('\0') == std::string::npos);
  FUZZ_CHECK(SortKey(UpperCaseAscii(name)) == key);
  (void)GlyphForListedText(name);

  const TPathParts parts = SplitDirectoryPath(name);
  if (!parts.Root.empty()) {
    std::vector<TListedEntry> subdirs;
    for (const std::string& part : SplitMask(mask)) subdirs.push_back({part, SortKey(part), fgFolder});
    const std::vector<TDirEntry> rows = BuildDirectoryEntries(name, subdirs);
    FUZZ_CHECK(rows.size() == parts.Names.size() + 1 + subdirs.size());
    FUZZ_CHECK(rows[0].Level == 0);
    for (std::size_t i = 1; i < rows.size(); ++i) FUZZ_CHECK(rows[i].Level >= 1);
  }
  // Going up ends at the root, one name at a time.
  const std::string parent = ParentDirectory(name);
  if (parts.Root.empty() || parts.Names.empty()) {
    FUZZ_CHECK(parent.empty());
  } else {
    const TPathParts up = SplitDirectoryPath(parent);
    FUZZ_CHECK(up.Root == parts.Root && up.Names.size() + 1 == parts.Names.size());
  }
  (void)IsFullyQualified(name);
  (void)DriveOfPath(name);

  std::vector<std::string> rows = SplitMask(mask);
  const std::string typed = name.substr(0, 1 + filter % 3);
  const int row = NextRowStartingWith(rows, static_cast<int>(filter % 7) - 2, typed, fold);
  FUZZ_CHECK(row >= -1 && row < static_cast<int>(rows.size()));
  // A row found starts with the typed text, case aside.
  if (row >= 0)
    FUZZ_CHECK(fold.FoldUtf8(rows[static_cast<std::size_t>(row)]).rfind(fold.FoldUtf8(typed), 0) == 0);
  return 0;
}
