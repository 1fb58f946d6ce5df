// File masks and the attribute filter of the file list, path rules of the
// directory list, and the sort order of both lists.
#include <algorithm>

#include "FuzzInput.h"
#include "framework/FileRules.h"
#include "framework/TextRules.h"

namespace {

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// The definition, as a table over every prefix of name and pattern: slow and
// plainly right, to compare the matcher against on short inputs.
bool ReferenceGlob(const std::string& s, const std::string& p) {
  std::vector<std::vector<char>> m(p.size() + 1, std::vector<char>(s.size() + 1, 0));
  m[0][0] = 1;
  for (std::size_t i = 1; i <= p.size(); ++i) {
    for (std::size_t j = 0; j <= s.size(); ++j) {
      if (p[i - 1] == '*') m[i][j] = m[i - 1][j] || (j > 0 && m[i][j - 1]);
      else if (j > 0) m[i][j] = m[i - 1][j - 1] && (p[i - 1] == '?' || Up(p[i - 1]) == Up(s[j - 1]));
    }
  }
  return m[p.size()][s.size()];
}

bool ReferenceMatch(const std::string& name, const std::string& pattern) {
  if (pattern.empty()) return false;
  if (ReferenceGlob(name, pattern)) return true;
  return pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
         name.find('.') == std::string::npos &&
         ReferenceGlob(name, pattern.substr(0, pattern.size() - 2));
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
  int compared = 0;
  for (const std::string& pattern : MaskPatterns(mask)) {
    FUZZ_CHECK(!pattern.empty() && pattern.front() != ' ' && pattern.back() != ' ');
    FUZZ_CHECK(pattern.find(';') == std::string::npos);
    const bool match = MatchesMask(name, pattern);
    if (name.size() * pattern.size() <= 64 * 64 && compared++ < 4)
      FUZZ_CHECK(match == ReferenceMatch(name, pattern));
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
  const int row = NextRowStartingWith(rows, static_cast<int>(filter % 7) - 2, name.substr(0, 1 + filter % 3));
  FUZZ_CHECK(row >= -1 && row < static_cast<int>(rows.size()));
  return 0;
}
