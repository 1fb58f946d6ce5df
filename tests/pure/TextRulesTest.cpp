#include "framework/TextRules.h"

#include <gtest/gtest.h>

TEST(TextRules, Accelerators) {
  EXPECT_EQ(AcceleratorOf("&Update"), 'U');
  EXPECT_EQ(AcceleratorOf("Explore&r"), 'r');
  EXPECT_EQ(AcceleratorOf("Fish && Chips"), 0);
  EXPECT_EQ(AcceleratorOf("A && &B"), 'B');
  EXPECT_EQ(AcceleratorOf("trailing&"), 0);
  EXPECT_EQ(StripAccelerator("&Save as..."), "Save as...");
  EXPECT_EQ(StripAccelerator("a && b"), "a & b");
}

TEST(TextRules, SplitLinesHandlesEveryLineEnd) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (V{"a"}));
  EXPECT_EQ(SplitLines("\n\n"), (V{"", ""}));
  EXPECT_EQ(SplitLines(""), V{});
  EXPECT_EQ(SplitLines(std::string("x\0y", 3)), (V{std::string("x\0y", 3)}));
}

TEST(TextRules, AsciiCaseLeavesOtherBytesAlone) {
  EXPECT_EQ(UpperCaseAscii("cd\xE4x"), "CD\xE4X");
  EXPECT_TRUE(SameTextAscii("ReadMe.RTF", "README.rtf"));
  EXPECT_FALSE(SameTextAscii("a", "ab"));
}

TEST(TextRules, Masks) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"README.TXT", "*.txt", true},
      {"Makefile", "*.*", true},  // no dot: as the system's search
      {"Makefile", "Make*.*", true},
      {"a.b.c", "*.c", true},
      {"abc", "a?c", true},
      {"abcd", "a?c", false},
      {"x", "", false},
      {"abc", "*b*c*", true},
      {"abcb", "*b", true},       // the last piece ends the name
      {"abab", "a*b*a*b", true},  // pieces placed at their first place
      {"aXbXc", "a*?*c", true},
      {"ab", "a**b", true},
      {"ab", "ab*?", false},
      // A star in the name is a plain character; in the pattern always a
      // wildcard, also where the name has one.
      {"*ab", "*b", true},
      {".*x", "*.*", true},
      {"a*", "*a", false},
      {"*", "?", true},
      {"a", "*", true},
      {"", "*", true},
      {"", "?", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.pattern), c.match) << c.name << " against " << c.pattern;
  EXPECT_EQ(SplitMask("*.txt;;*.doc;"), (std::vector<std::string>{"*.txt", "*.doc"}));
}

// Patterns that made a back-tracking matcher compare every piece at every
// place: a long run of one letter with a different last letter. Each name is
// read once now; these would take minutes otherwise.
TEST(TextRules, MasksOfLongRuns) {
  const std::string name(1 << 20, 'a');
  const std::string run(1 << 15, 'a');
  EXPECT_FALSE(MatchesMask(name, "*" + run + "b"));
  EXPECT_TRUE(MatchesMask(name, "*" + run));
  EXPECT_FALSE(MatchesMask(name, "*" + run.substr(0, 2000) + "b*"));
  EXPECT_TRUE(MatchesMask(name + "b" + name, "*" + run.substr(0, 2000) + "b*"));
  EXPECT_FALSE(MatchesMask(name, "*a*a*a*a*a*b"));
}
