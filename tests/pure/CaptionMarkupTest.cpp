#include "frame/CaptionMarkup.h"

#include <gtest/gtest.h>

TEST(CaptionMarkup, StripsItsCodesInAnyCase) {
  EXPECT_EQ(StripCaptionMarkup("\\IOrv\\iQuillon \\b-- Advanced Windows Command Line"),
            "OrvQuillon -- Advanced Windows Command Line");
  EXPECT_EQ(StripCaptionMarkup("\\BBold\\b \\UUnder\\u"), "Bold Under");
  EXPECT_EQ(StripCaptionMarkup("one\\lbtwo\\LBthree"), "onetwothree");
  EXPECT_EQ(StripCaptionMarkup("\\LB"), "");
}

TEST(CaptionMarkup, LeavesOtherTextAlone) {
  EXPECT_EQ(StripCaptionMarkup("No codes here"), "No codes here");
  // Colour switches are not the frame's business.
  EXPECT_EQ(StripCaptionMarkup("\\cRedx"), "\\cRedx");
  EXPECT_EQ(StripCaptionMarkup(""), "");
}

TEST(CaptionMarkup, EscapedPathsSurviveIntact) {
  // A raw path would lose "\B" of "\BUILD"; escaped, it comes out whole.
  std::string caption =
      "\\IOrv\\iQuillon -- Batch Execution\\b - " + EscapeMarkupText("C:\\TOOLS\\BUILD.BAT");
  EXPECT_EQ(StripCaptionMarkup(caption), "OrvQuillon -- Batch Execution - C:\\TOOLS\\BUILD.BAT");
  EXPECT_EQ(StripCaptionMarkup("a\\\\b"), "a\\b");
  EXPECT_EQ(EscapeMarkupText("\\\\srv\\x"), "\\\\\\\\srv\\\\x");
}
