#include "framework/NameRules.h"

#include <gtest/gtest.h>

#include "framework/FileRules.h"
#include "framework/TextRules.h"

namespace {
// A fold as the system gives one: ASCII, and a few letters of other
// alphabets; the dotless i folds to a plain I (one byte fewer in UTF-8).
TCaseFold SomeAlphabets() {
  std::u16string t(0x10000, u'\0');
  for (unsigned u = 0; u < 0x10000; ++u) t[u] = static_cast<char16_t>(u);
  for (char16_t c = u'a'; c <= u'z'; ++c) t[c] = static_cast<char16_t>(c - 32);
  t[u'ł'] = u'Ł';
  t[u'σ'] = u'Σ';
  t[u'ä'] = u'Ä';
  t[u'ó'] = u'Ó';
  t[u'ź'] = u'Ź';
  t[u'ı'] = u'I';
  t[u'ÿ'] = 0xDC00;  // a table that would break surrogate pairs is not followed there
  return TCaseFold(t);
}
}  // namespace

TEST(NameRules, MasksMatchCharactersWithoutCaseInEveryAlphabet) {
  const TCaseFold fold = SomeAlphabets();
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"日本語.txt", "???.txt", true},  // three characters, nine bytes
      {"日本語.txt", "?????????.txt", false},
      {"emoji 😀.txt", "emoji ?.txt", true},  // four bytes, one character
      {"emoji 😀.txt", "emoji ??.txt", false},
      {"Łódź notes.txt", "łÓDŹ*", true},
      {"Łódź notes.txt", "*Ź N*", true},
      {"σοφία.txt", "Σ*", true},
      {"ÄRGER", "*ä*", true},
      {"Kırmızı", "KIRMIZI", true},  // folds to a shorter form
      {"Lodz.txt", "Łódź*", false},   // no look-alikes
      {"x.TXT", "X.txt", true},
      {"ÿ", "ÿ", true},
      {"plain", "*.", true},  // "x." matches "x"
      {"plain.txt", "*.", false},
      {"Makefile", "*.*", true},
      {"\xFF\xFE", "??", true},  // bytes outside UTF-8 are one character each
      {"\xC3", "\xC3\xA4", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.pattern, fold), c.match) << c.name << " against " << c.pattern;
  // Without a table only ASCII letters fold.
  EXPECT_FALSE(MatchesMask("Łódź", "łódź"));
  EXPECT_TRUE(MatchesMask("README", "readme"));

  // Wide names: a pair is one character, an unpaired surrogate one of its own.
  const TNameMask oneChar(u"emoji ?.txt", fold);
  EXPECT_TRUE(oneChar.Matches(u"emoji \U0001F600.txt"));
  EXPECT_TRUE(oneChar.Matches(u"emoji \xD800.txt"));
  EXPECT_FALSE(TNameMask(u"emoji ??.txt", fold).Matches(u"emoji \U0001F600.txt"));
  EXPECT_TRUE(TNameMask(u"ŁÓDŹ*", fold).Matches(u"łódź notes.txt"));
  EXPECT_TRUE(TNameMask(u"*.*", fold).MatchesEverything());
  EXPECT_FALSE(TNameMask(u"*.txt", fold).MatchesEverything());
  EXPECT_FALSE(TNameMask(u"", fold).Matches(u""));
}

TEST(NameRules, Utf8FormOfWideNamesMarksUnpairedSurrogates) {
  struct Case {
    std::u16string name;
    std::string utf8;
    bool exact;
  } cases[] = {
      {u"日本語.txt", "日本語.txt", true},
      {u"emoji \U0001F600.txt", "emoji 😀.txt", true},
      {u"bad\xD800name", "bad\xEF\xBF\xBDname", false},
      {u"\xDC00", "\xEF\xBF\xBD", false},
      {u"end\xD83D", "end\xEF\xBF\xBD", false},
      {u"", "", true},
  };
  for (const Case& c : cases) {
    bool exact = !c.exact;
    EXPECT_EQ(Utf16ToUtf8(c.name, &exact), c.utf8) << c.utf8;
    EXPECT_EQ(exact, c.exact) << c.utf8;
  }
  // The replacement of an unpaired surrogate is a real character: a file may
  // carry it in its name, so the listing marks the row rather than trust it.
  EXPECT_EQ(Utf16ToUtf8(u"bad\xFFFDname"), Utf16ToUtf8(u"bad\xD800name"));
}

TEST(NameRules, TypeAheadFoldsEveryAlphabet) {
  const TCaseFold fold = SomeAlphabets();
  const std::vector<std::string> rows{"[..]", "łódź", "Łąka", "apple", "Kırmızı", "ÄRGER"};
  EXPECT_EQ(NextRowStartingWith(rows, -1, "Ł", fold), 1);
  EXPECT_EQ(NextRowStartingWith(rows, 1, "ł", fold), 2);
  EXPECT_EQ(NextRowStartingWith(rows, 2, "ä", fold), 5);
  EXPECT_EQ(NextRowStartingWith(rows, -1, "kI", fold), 4);
  EXPECT_EQ(NextRowStartingWith(rows, -1, "ä"), -1);  // ASCII only without a table
}
