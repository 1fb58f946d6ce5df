#include "framework/TextRules.h"

#include <gtest/gtest.h>

TEST(TextRules, Accelerators) {
  EXPECT_EQ(AcceleratorOf("&Update"), 'U');
  EXPECT_EQ(AcceleratorOf("Explore&r"), 'r');
  EXPECT_EQ(AcceleratorOf("Fish && Chips"), 0);
  EXPECT_EQ(AcceleratorOf("A && &B"), 'B');
  EXPECT_EQ(AcceleratorOf("trailing&"), 0);
  EXPECT_TRUE(IsAccelerator('x', "E&Xecute"));
  EXPECT_FALSE(IsAccelerator('e', "E&xecute"));
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
  EXPECT_TRUE(MatchesMask("README.TXT", "*.txt"));
  EXPECT_TRUE(MatchesMask("Makefile", "*.*"));
  EXPECT_TRUE(MatchesMask("a.b.c", "*.c"));
  EXPECT_TRUE(MatchesMask("abc", "a?c"));
  EXPECT_FALSE(MatchesMask("abcd", "a?c"));
  EXPECT_FALSE(MatchesMask("x", ""));
  EXPECT_EQ(SplitMask("*.txt;;*.doc;"), (std::vector<std::string>{"*.txt", "*.doc"}));
  // Long names with many stars stay fast and correct.
  std::string longName(5000, 'a');
  EXPECT_FALSE(MatchesMask(longName, "*a*a*a*a*a*b"));
}
